#include "playout/StationLibrary.h"

#include "playout/DatabaseChooser.h"
#include "playout/OperatorSeam.h"

bool StationLibrary::DisplaySettings(int, quint32 background) {
    return OperatorSeam::Current().EditLibrarySettings(settings, DatabaseNames(), background);
}

QStringList StationLibrary::DatabaseNames() const {
    if (!playoutGeneral)
        return {};
    return DatabaseChooser::Databases(*playoutGeneral).Names();
}
