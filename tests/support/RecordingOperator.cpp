#include "support/RecordingOperator.h"

iOperator::Answer RecordingOperator::MessageBox(const QString& text, Icon icon, Buttons buttons,
                                                int defaultButton, const QString& title) {
    Messages.append({text, icon, buttons, defaultButton, title});
    return Answers.isEmpty() ? DefaultAnswer(buttons, defaultButton) : Answers.takeFirst();
}

QString RecordingOperator::ChooseProfile(const QStringList& profiles, const QString& suggestion) {
    ProfilesOffered = profiles;
    ProfileSuggested = suggestion;
    return ProfileChoice;
}

QString RecordingOperator::LogIn(const QList<DirectoryUser>&, const QString&) {
    ++LogIns;
    return LogInChoice;
}

bool RecordingOperator::EditLibrarySettings(LibrarySettings& settings) {
    ++SettingsDialogs;
    return SettingsDialog ? SettingsDialog(settings) : false;
}

QStringList RecordingOperator::MessageTexts() const {
    QStringList texts;
    for (const Shown& shown : Messages)
        texts.append(shown.Text);
    return texts;
}

QString RecordingOperator::ChooseDatabase(const QStringList& databases, const QString&, bool) {
    DatabasesOffered = databases;
    return DatabaseChoice;
}
