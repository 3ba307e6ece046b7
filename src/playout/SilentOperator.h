#pragma once

#include "playout/Operator.h"

// The operator of an unattended run: nobody is there. Messages go to the standard
// error stream, boxes take their default button and every dialog is cancelled.
class SilentOperator : public Operator {
public:
    Answer MessageBox(const QString& text, Icon icon, Buttons buttons, int defaultButton,
                      const QString& title) override;
    QString ChooseProfile(const QStringList&, const QString&) override { return {}; }
    DirectoryLogIn LogIn(const QList<DirectoryUser>&, const QString&) override { return {}; }
    bool EditLibrarySettings(LibrarySettings&, const QStringList&, quint32) override { return false; }
    QString ChooseDatabase(const QStringList&, const QString&, bool) override { return {}; }
    bool EditStationSettings(StationSettings&, const QString&) override { return false; }
    bool EditAudioSettings(AudioSettings&) override { return false; }
    bool EditCueboardSettings(CueboardSettings&, quint32) override { return false; }
    bool EditFileLocations(FileLocations&, quint32) override { return false; }
    bool EditDirectory(QList<DirectoryUser>&) override { return false; }
    bool CanAnswer() const override { return false; }
};
