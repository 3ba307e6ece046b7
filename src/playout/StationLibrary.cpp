#include "playout/StationLibrary.h"

#include "playout/OperatorSeam.h"
#include "playout/PlayoutGeneral.h"

bool StationLibrary::DisplaySettings(int, quint32 background) {
    return OperatorSeam::Current().EditLibrarySettings(settings, DatabaseNames(), background);
}

QStringList StationLibrary::DatabaseNames() const {
    if (!playoutGeneral)
        return {};
    return playoutGeneral->Databases().Names();
}
