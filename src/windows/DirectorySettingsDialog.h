#pragma once

#include "playout/DirectoryUser.h"

#include <QDialog>
#include <QHash>

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;

// The directory's users: add and remove users, and set each one's name, password
// and rights. The list given is changed only when OK is pressed and every user has
// a name of their own.
class DirectorySettingsDialog : public QDialog {
    Q_OBJECT
public:
    DirectorySettingsDialog(QList<DirectoryUser>& users, QWidget* parent = nullptr);

    void accept() override;

private:
    void addUser();
    void removeUser();
    // Shows the selected user's details, or empties and disables them.
    void showUser(int row);
    // Keeps what the boxes say into the selected user.
    void keepUser();
    void clearPassword();

    QList<DirectoryUser>& result;
    QList<DirectoryUser> users;
    // Passwords typed in this window, by user identifier, hashed when it is accepted.
    QHash<QString, QString> typedPasswords;
    int shown = -1;
    bool showing = false;
    QListWidget* usersList = nullptr;
    QLineEdit* nameEdit = nullptr;
    QLineEdit* passwordEdit = nullptr;
    QPushButton* clearPasswordButton = nullptr;
    QList<QCheckBox*> rights;
    QPushButton* removeButton = nullptr;
};
