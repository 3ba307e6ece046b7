#pragma once

#include "playout/DirectoryUser.h"
#include "playout/Operator.h"

#include <QDialog>

class QComboBox;
class QLineEdit;

// The directory's log-in: a user by name, or by identifier typed in place of the
// name, and the password.
class LogInDialog : public QDialog {
    Q_OBJECT
public:
    LogInDialog(const QList<DirectoryUser>& users, const QString& product, QWidget* parent = nullptr);

    // The user chosen and the password typed; no user when the name matches none.
    DirectoryLogIn Given() const;

private:
    QList<DirectoryUser> users;
    QComboBox* userCombo = nullptr;
    QLineEdit* passwordEdit = nullptr;
};
