#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class AudioSettings;
class CueboardSettings;
struct DirectoryUser;
class FileLocations;
class LibrarySettings;
class StationSettings;

// What the operator gave at the log-in: the chosen user's identifier ("" when
// cancelled) and the password typed.
struct DirectoryLogIn {
    QString Guid;
    QString Password;
};

// Everything that asks the operator something or tells them something: message
// boxes and the playout system's own dialogs. The windows implement it with real
// dialogs, tests with a script of answers, an unattended run with no dialogs.
class Operator {
public:
    enum Icon { NoIcon, Critical, Question, Exclamation, Information };
    enum Buttons { OkOnly, OkCancel, AbortRetryIgnore, YesNoCancel, YesNo, RetryCancel };
    enum Answer { Ok, Cancel, Abort, Retry, Ignore, Yes, No };

    virtual ~Operator() = default;

    // Shows a message; defaultButton counts the buttons from 1. Returns the answer.
    virtual Answer MessageBox(const QString& text, Icon icon, Buttons buttons, int defaultButton,
                              const QString& title) = 0;

    // The profile chooser: the chosen profile, or "" when cancelled. A name that is
    // not among the profiles asks for a new profile of that name.
    virtual QString ChooseProfile(const QStringList& profiles, const QString& suggestion) = 0;
    // The directory log-in.
    virtual DirectoryLogIn LogIn(const QList<DirectoryUser>& users, const QString& product) = 0;
    // The station library's settings dialog, offering the databases there are; True
    // when accepted. `background` is the colour scheme's background (0xRRGGBB).
    virtual bool EditLibrarySettings(LibrarySettings& settings, const QStringList& databases,
                                     quint32 background) = 0;
    // The Station Database chooser: the chosen database's name, or "" when none. With
    // canCreate a name that is not among the databases asks for a new database.
    virtual QString ChooseDatabase(const QStringList& databases, const QString& suggestion,
                                   bool canCreate) = 0;
    // The settings dialogs of the playout system; each is True when accepted.
    virtual bool EditStationSettings(StationSettings& settings, const QString& databaseName) = 0;
    virtual bool EditAudioSettings(AudioSettings& settings) = 0;
    virtual bool EditCueboardSettings(CueboardSettings& settings, quint32 background) = 0;
    virtual bool EditFileLocations(FileLocations& locations, quint32 background) = 0;
    // The directory's users, their rights and passwords.
    virtual bool EditDirectory(QList<DirectoryUser>& users) = 0;

    // False when nobody is there to answer (an unattended run).
    virtual bool CanAnswer() const { return true; }

    // The answer a box gives when nobody is there to press a button.
    static Answer DefaultAnswer(Buttons buttons, int defaultButton);
};
