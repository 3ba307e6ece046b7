#pragma once

#include "playout/AudioSettings.h"
#include "playout/CueboardSettings.h"
#include "playout/DirectoryUser.h"
#include "playout/FileLocations.h"
#include "playout/LibrarySettings.h"
#include "playout/Operator.h"
#include "stationdb/StationSettings.h"

#include <QList>
#include <QStringList>
#include <functional>

// An operator that follows a script of answers and records everything shown.
class RecordingOperator : public Operator {
public:
    struct Shown {
        QString Text;
        Icon IconShown;
        Buttons ButtonsShown;
        int DefaultButton;
        QString Title;
    };

    // Answers given to message boxes in turn; when they run out, the default button.
    QList<Answer> Answers;
    // The profile the chooser returns ("" cancels).
    QString ProfileChoice;
    // The user identifier the log-in returns ("" cancels), and the password typed.
    QString LogInChoice;
    QString PasswordGiven;
    // The database the chooser returns ("" cancels).
    QString DatabaseChoice;
    QStringList DatabasesOffered;
    // What the settings dialogs do; none cancels them, as do the other playout dialogs.
    std::function<bool(LibrarySettings&)> SettingsDialog;
    std::function<bool(StationSettings&)> StationSettingsDialog;
    bool DatabaseCreationOffered = false;

    QList<Shown> Messages;
    QStringList ProfilesOffered;
    QString ProfileSuggested;
    int LogIns = 0;
    int SettingsDialogs = 0;

    Answer MessageBox(const QString& text, Icon icon, Buttons buttons, int defaultButton,
                      const QString& title) override;
    QString ChooseProfile(const QStringList& profiles, const QString& suggestion) override;
    DirectoryLogIn LogIn(const QList<DirectoryUser>& users, const QString& product) override;
    bool EditLibrarySettings(LibrarySettings& settings, const QStringList& databases,
                             quint32 background) override;
    QString ChooseDatabase(const QStringList& databases, const QString& suggestion, bool canCreate) override;
    bool EditStationSettings(StationSettings& settings, const QString&) override;
    bool EditAudioSettings(AudioSettings& settings) override;
    bool EditCueboardSettings(CueboardSettings& settings, quint32 background) override;
    bool EditFileLocations(FileLocations& locations, quint32 background) override;
    bool EditDirectory(QList<DirectoryUser>& users) override;

    QStringList MessageTexts() const;
};
