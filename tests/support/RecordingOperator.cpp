#include "support/RecordingOperator.h"

Operator::Answer RecordingOperator::MessageBox(const QString& text, Icon icon, Buttons buttons,
                                               int defaultButton, const QString& title) {
    Messages.append({text, icon, buttons, defaultButton, title});
    return Answers.isEmpty() ? DefaultAnswer(buttons, defaultButton) : Answers.takeFirst();
}

QString RecordingOperator::ChooseProfile(const QStringList& profiles, const QString& suggestion) {
    ProfilesOffered = profiles;
    ProfileSuggested = suggestion;
    return ProfileChoice;
}

DirectoryLogIn RecordingOperator::LogIn(const QList<DirectoryUser>&, const QString&) {
    ++LogIns;
    return {LogInChoice, PasswordGiven};
}

bool RecordingOperator::EditLibrarySettings(LibrarySettings& settings, const QStringList&, quint32) {
    ++SettingsDialogs;
    return SettingsDialog ? SettingsDialog(settings) : false;
}

bool RecordingOperator::EditStationSettings(StationSettings& settings, const QString&) {
    return StationSettingsDialog ? StationSettingsDialog(settings) : false;
}

bool RecordingOperator::EditAudioSettings(AudioSettings&) {
    return false;
}

bool RecordingOperator::EditCueboardSettings(CueboardSettings&, quint32) {
    return false;
}

bool RecordingOperator::EditFileLocations(FileLocations&, quint32) {
    return false;
}

bool RecordingOperator::EditDirectory(QList<DirectoryUser>&) {
    return false;
}

QStringList RecordingOperator::MessageTexts() const {
    QStringList texts;
    for (const Shown& shown : Messages)
        texts.append(shown.Text);
    return texts;
}

QString RecordingOperator::ChooseDatabase(const QStringList& databases, const QString&, bool canCreate) {
    DatabasesOffered = databases;
    DatabaseCreationOffered = canCreate;
    return DatabaseChoice;
}
