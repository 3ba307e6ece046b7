#pragma once

#include "playout/Operator.h"

class QWidget;

// The operator at a display: message boxes, and the playout system's own dialogs.
class QtOperator : public Operator {
public:
    // Dialogs open over `owner` when it is set.
    void SetOwner(QWidget* owner) { this->owner = owner; }

    Answer MessageBox(const QString& text, Icon icon, Buttons buttons, int defaultButton,
                      const QString& title) override;
    QString ChooseProfile(const QStringList& profiles, const QString& suggestion) override;
    DirectoryLogIn LogIn(const QList<DirectoryUser>& users, const QString& product) override;
    bool EditLibrarySettings(LibrarySettings& settings, const QStringList& databases,
                             quint32 background) override;
    QString ChooseDatabase(const QStringList& databases, const QString& suggestion, bool canCreate) override;
    bool EditStationSettings(StationSettings& settings, const QString& databaseName) override;
    bool EditAudioSettings(AudioSettings& settings) override;
    bool EditCueboardSettings(CueboardSettings& settings, quint32 background) override;
    bool EditFileLocations(FileLocations& locations, quint32 background) override;
    bool EditDirectory(QList<DirectoryUser>& users) override;

private:
    QWidget* owner = nullptr;
};
