#pragma once

#include <QList>
#include <QString>
#include <QStringList>

struct DirectoryUser;
class LibrarySettings;

// Everything that asks the operator something or tells them something: message
// boxes and the playout system's own dialogs. The windows implement it with real
// dialogs, tests with a script of answers, an unattended run with no dialogs.
class iOperator {
public:
    enum Icon { NoIcon, Critical, Question, Exclamation, Information };
    enum Buttons { OkOnly, OkCancel, AbortRetryIgnore, YesNoCancel, YesNo, RetryCancel };
    enum Answer { Ok, Cancel, Abort, Retry, Ignore, Yes, No };

    virtual ~iOperator() = default;

    // Shows a message; defaultButton counts the buttons from 1. Returns the answer.
    virtual Answer MessageBox(const QString& text, Icon icon, Buttons buttons, int defaultButton,
                              const QString& title) = 0;

    // The profile chooser: the chosen profile, or "" when cancelled.
    virtual QString ChooseProfile(const QStringList& profiles, const QString& suggestion) = 0;
    // The directory log-in: the identifier of the user who logged in, or "".
    virtual QString LogIn(const QList<DirectoryUser>& users, const QString& product) = 0;
    // The station library's settings dialog; True when accepted (settings changed).
    virtual bool EditLibrarySettings(LibrarySettings& settings) = 0;
    // The Station Database chooser: the chosen database's name, or "" when none.
    virtual QString ChooseDatabase(const QStringList& databases, const QString& suggestion,
                                   bool canEditSettings) = 0;

    // The answer a box gives when nobody is there to press a button.
    static Answer DefaultAnswer(Buttons buttons, int defaultButton);
};
