#include "windows/DirectorySettingsDialog.h"

#include "playout/Directory.h"
#include "playout/OperatorSeam.h"
#include "playout/Password.h"
#include "windows/QtDialogParts.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

DirectorySettingsDialog::DirectorySettingsDialog(QList<DirectoryUser>& users, QWidget* parent)
    : QDialog(parent), result(users), users(users) {
    setObjectName(u"frmDirectorySettings"_s);
    setWindowTitle(u"Kestrane Directory Settings"_s);
    auto* layout = new QVBoxLayout(this);
    auto* columns = new QHBoxLayout;

    auto* listColumn = new QVBoxLayout;
    usersList = new QListWidget(this);
    usersList->setObjectName(u"lstUsers"_s);
    for (const DirectoryUser& user : users)
        usersList->addItem(user.Name);
    listColumn->addWidget(usersList);
    auto* buttons = new QHBoxLayout;
    auto* addButton = new QPushButton(u"&Add User"_s, this);
    addButton->setObjectName(u"cmdAdd"_s);
    removeButton = new QPushButton(u"&Remove User"_s, this);
    removeButton->setObjectName(u"cmdRemove"_s);
    buttons->addWidget(addButton);
    buttons->addWidget(removeButton);
    listColumn->addLayout(buttons);
    columns->addLayout(listColumn);

    auto* details = new QGroupBox(u"User"_s, this);
    auto* form = new QFormLayout(details);
    nameEdit = new QLineEdit(details);
    nameEdit->setObjectName(u"txtName"_s);
    nameEdit->setMinimumWidth(180);
    form->addRow(u"&Name:"_s, nameEdit);
    auto* passwordRow = new QHBoxLayout;
    passwordEdit = new QLineEdit(details);
    passwordEdit->setObjectName(u"txtPassword"_s);
    passwordEdit->setEchoMode(QLineEdit::Password);
    passwordEdit->setMinimumWidth(100);
    clearPasswordButton = new QPushButton(u"No Pass&word"_s, details);
    clearPasswordButton->setObjectName(u"cmdClearPassword"_s);
    passwordRow->addWidget(passwordEdit, 1);
    passwordRow->addWidget(clearPasswordButton);
    auto* passwordLabel = new QLabel(u"New &password:"_s, details);
    passwordLabel->setBuddy(passwordEdit);
    form->addRow(passwordLabel, passwordRow);
    for (const DirectoryRight& right : DirectoryRights) {
        auto* box = new QCheckBox(QLatin1String(right.Caption), details);
        box->setObjectName(u"chk"_s + QLatin1String(right.Name));
        form->addRow(box);
        rights.append(box);
        connect(box, &QCheckBox::toggled, this, &DirectorySettingsDialog::keepUser);
    }
    columns->addWidget(details, 1);
    layout->addLayout(columns);
    layout->addLayout(QtDialogParts::OkCancelRow(this));

    connect(addButton, &QPushButton::clicked, this, &DirectorySettingsDialog::addUser);
    connect(removeButton, &QPushButton::clicked, this, &DirectorySettingsDialog::removeUser);
    connect(clearPasswordButton, &QPushButton::clicked, this, &DirectorySettingsDialog::clearPassword);
    connect(nameEdit, &QLineEdit::textEdited, this, &DirectorySettingsDialog::keepUser);
    connect(passwordEdit, &QLineEdit::textEdited, this, &DirectorySettingsDialog::keepUser);
    connect(usersList, &QListWidget::currentRowChanged, this, &DirectorySettingsDialog::showUser);
    usersList->setCurrentRow(users.isEmpty() ? -1 : 0);
    showUser(usersList->currentRow());
}

void DirectorySettingsDialog::showUser(int row) {
    showing = true;
    shown = row;
    const bool any = row >= 0 && row < users.size();
    const DirectoryUser user = any ? users[row] : DirectoryUser{};
    nameEdit->setText(user.Name);
    passwordEdit->clear();
    const bool hasPassword = !user.PasswordHash.isEmpty() || typedPasswords.contains(user.Guid);
    passwordEdit->setPlaceholderText(hasPassword ? u"(unchanged)"_s : u"(none)"_s);
    for (int i = 0; i < rights.size(); ++i)
        rights[i]->setChecked(user.*DirectoryRights[i].Flag);
    for (QWidget* part : {static_cast<QWidget*>(nameEdit), static_cast<QWidget*>(passwordEdit),
                          static_cast<QWidget*>(clearPasswordButton), static_cast<QWidget*>(removeButton)})
        part->setEnabled(any);
    for (QCheckBox* box : rights)
        box->setEnabled(any);
    showing = false;
}

void DirectorySettingsDialog::keepUser() {
    if (showing || shown < 0)
        return;
    DirectoryUser& user = users[shown];
    user.Name = nameEdit->text().trimmed();
    if (!passwordEdit->text().isEmpty())
        typedPasswords.insert(user.Guid, passwordEdit->text());
    for (int i = 0; i < rights.size(); ++i)
        user.*DirectoryRights[i].Flag = rights[i]->isChecked();
    usersList->item(shown)->setText(user.Name);
}

void DirectorySettingsDialog::clearPassword() {
    if (shown < 0)
        return;
    users[shown].PasswordHash.clear();
    typedPasswords.remove(users[shown].Guid);
    passwordEdit->clear();
    passwordEdit->setPlaceholderText(u"(none)"_s);
}

void DirectorySettingsDialog::addUser() {
    users.append({Directory::NewGuid(), u"New User"_s, true});
    usersList->addItem(users.back().Name);
    usersList->setCurrentRow(users.size() - 1);
    nameEdit->setFocus();
    nameEdit->selectAll();
}

void DirectorySettingsDialog::removeUser() {
    const int row = shown;
    if (row < 0)
        return;
    shown = -1; // nothing to keep while the row goes
    users.removeAt(row);
    delete usersList->takeItem(row);
    showUser(usersList->currentRow());
}

void DirectorySettingsDialog::accept() {
    QStringList names;
    for (const DirectoryUser& user : users) {
        if (user.Name.isEmpty() || names.contains(user.Name, Qt::CaseInsensitive)) {
            OperatorSeam::Message(user.Name.isEmpty() ? u"Every user must have a name."_s
                                                      : u"There are two users called '%1'."_s.arg(user.Name),
                                  Operator::Exclamation);
            return;
        }
        names.append(user.Name);
    }
    // Hashed once, here: Argon2id takes a moment by design, too long for each key.
    for (DirectoryUser& user : users) {
        if (typedPasswords.contains(user.Guid))
            user.PasswordHash = Password::Hash(typedPasswords.value(user.Guid));
    }
    result = users;
    QDialog::accept();
}
