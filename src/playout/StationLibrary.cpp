#include "playout/StationLibrary.h"

#include "playout/OperatorSeam.h"

bool StationLibrary::DisplaySettings(int) {
    return OperatorSeam::Current().EditLibrarySettings(settings);
}
