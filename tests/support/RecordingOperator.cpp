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

DirectoryLogIn RecordingOperator::LogIn(const QList<DirectoryUser>&, const QString&) {
    ++LogIns;
    return {LogInChoice, PasswordGiven};
}

bool RecordingOperator::EditLibrarySettings(LibrarySettings& settings, const QStringList& databases,
                                            quint32 background) {
    ++SettingsDialogs;
    LibraryDatabasesOffered = databases;
    Backgrounds.append(background);
    return SettingsDialog ? SettingsDialog(settings) : false;
}

namespace {

// Runs a scripted dialog; none cancels it.
template <typename T> bool run(const std::function<bool(T&)>& dialog, T& value) {
    return dialog ? dialog(value) : false;
}

} // namespace

bool RecordingOperator::EditStationSettings(StationSettings& settings, const QString&) {
    return run(StationSettingsDialog, settings);
}

bool RecordingOperator::EditAudioSettings(AudioSettings& settings) {
    return run(AudioDialog, settings);
}

bool RecordingOperator::EditCueboardSettings(CueboardSettings& settings, quint32 background) {
    Backgrounds.append(background);
    return run(CueboardDialog, settings);
}

bool RecordingOperator::EditFileLocations(FileLocations& locations, quint32 background) {
    Backgrounds.append(background);
    return run(LocationsDialog, locations);
}

bool RecordingOperator::EditDirectory(QList<DirectoryUser>& users) {
    return run(DirectoryDialog, users);
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
