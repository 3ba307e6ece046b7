#include "playout/PlayoutAudio.h"

#include "playout/OperatorSeam.h"

bool PlayoutAudio::ShowGlobalCueboardSettings(quint32 background) {
    CueboardSettings changed;
    changed.Load();
    const CueboardSettings before = changed;
    if (!OperatorSeam::Current().EditCueboardSettings(changed, background) || changed == before)
        return false;
    if (changed.Save())
        return true;
    OperatorSeam::Message(QStringLiteral("The cueboard settings could not be stored in ") +
                              CueboardSettings::File(),
                          Operator::Exclamation);
    return false;
}
