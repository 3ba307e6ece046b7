#pragma once

#include "playout/DirectoryUser.h"
#include "playout/LibrarySettings.h"
#include "playout/iOperator.h"

#include <QList>
#include <QStringList>
#include <functional>

// An operator that follows a script of answers and records everything shown.
class RecordingOperator : public iOperator {
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
    // The user identifier the log-in returns ("" cancels).
    QString LogInChoice;
    // The database the chooser returns ("" cancels).
    QString DatabaseChoice;
    QStringList DatabasesOffered;
    // What the settings dialog does; none cancels it.
    std::function<bool(LibrarySettings&)> SettingsDialog;

    QList<Shown> Messages;
    QStringList ProfilesOffered;
    QString ProfileSuggested;
    int LogIns = 0;
    int SettingsDialogs = 0;

    Answer MessageBox(const QString& text, Icon icon, Buttons buttons, int defaultButton,
                      const QString& title) override;
    QString ChooseProfile(const QStringList& profiles, const QString& suggestion) override;
    QString LogIn(const QList<DirectoryUser>& users, const QString& product) override;
    bool EditLibrarySettings(LibrarySettings& settings) override;
    QString ChooseDatabase(const QStringList& databases, const QString& suggestion,
                           bool canEditSettings) override;

    QStringList MessageTexts() const;
};
