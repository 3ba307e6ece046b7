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
    lstUsers = new QListWidget(this);
    lstUsers->setObjectName(u"lstUsers"_s);
    for (const DirectoryUser& user : users)
        lstUsers->addItem(user.Name);
    listColumn->addWidget(lstUsers);
    auto* buttons = new QHBoxLayout;
    auto* cmdAdd = new QPushButton(u"&Add User"_s, this);
    cmdAdd->setObjectName(u"cmdAdd"_s);
    cmdRemove = new QPushButton(u"&Remove User"_s, this);
    cmdRemove->setObjectName(u"cmdRemove"_s);
    buttons->addWidget(cmdAdd);
    buttons->addWidget(cmdRemove);
    listColumn->addLayout(buttons);
    columns->addLayout(listColumn);

    auto* details = new QGroupBox(u"User"_s, this);
    auto* form = new QFormLayout(details);
    txtName = new QLineEdit(details);
    txtName->setObjectName(u"txtName"_s);
    txtName->setMinimumWidth(180);
    form->addRow(u"&Name:"_s, txtName);
    auto* passwordRow = new QHBoxLayout;
    txtPassword = new QLineEdit(details);
    txtPassword->setObjectName(u"txtPassword"_s);
    txtPassword->setEchoMode(QLineEdit::Password);
    txtPassword->setMinimumWidth(100);
    cmdClearPassword = new QPushButton(u"No Pass&word"_s, details);
    cmdClearPassword->setObjectName(u"cmdClearPassword"_s);
    passwordRow->addWidget(txtPassword, 1);
    passwordRow->addWidget(cmdClearPassword);
    auto* passwordLabel = new QLabel(u"New &password:"_s, details);
    passwordLabel->setBuddy(txtPassword);
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

    connect(cmdAdd, &QPushButton::clicked, this, &DirectorySettingsDialog::addUser);
    connect(cmdRemove, &QPushButton::clicked, this, &DirectorySettingsDialog::removeUser);
    connect(cmdClearPassword, &QPushButton::clicked, this, &DirectorySettingsDialog::clearPassword);
    connect(txtName, &QLineEdit::textEdited, this, &DirectorySettingsDialog::keepUser);
    connect(txtPassword, &QLineEdit::textEdited, this, &DirectorySettingsDialog::keepUser);
    connect(lstUsers, &QListWidget::currentRowChanged, this, &DirectorySettingsDialog::showUser);
    lstUsers->setCurrentRow(users.isEmpty() ? -1 : 0);
    showUser(lstUsers->currentRow());
}

void DirectorySettingsDialog::showUser(int row) {
    showing = true;
    shown = row;
    const bool any = row >= 0 && row < users.size();
    const DirectoryUser user = any ? users[row] : DirectoryUser{};
    txtName->setText(user.Name);
    txtPassword->clear();
    const bool hasPassword = !user.PasswordHash.isEmpty() || typedPasswords.contains(user.Guid);
    txtPassword->setPlaceholderText(hasPassword ? u"(unchanged)"_s : u"(none)"_s);
    for (int i = 0; i < rights.size(); ++i)
        rights[i]->setChecked(user.*DirectoryRights[i].Flag);
    for (QWidget* part : {static_cast<QWidget*>(txtName), static_cast<QWidget*>(txtPassword),
                          static_cast<QWidget*>(cmdClearPassword), static_cast<QWidget*>(cmdRemove)})
        part->setEnabled(any);
    for (QCheckBox* box : rights)
        box->setEnabled(any);
    showing = false;
}

void DirectorySettingsDialog::keepUser() {
    if (showing || shown < 0)
        return;
    DirectoryUser& user = users[shown];
    user.Name = txtName->text().trimmed();
    if (!txtPassword->text().isEmpty())
        typedPasswords.insert(user.Guid, txtPassword->text());
    for (int i = 0; i < rights.size(); ++i)
        user.*DirectoryRights[i].Flag = rights[i]->isChecked();
    lstUsers->item(shown)->setText(user.Name);
}

void DirectorySettingsDialog::clearPassword() {
    if (shown < 0)
        return;
    users[shown].PasswordHash.clear();
    typedPasswords.remove(users[shown].Guid);
    txtPassword->clear();
    txtPassword->setPlaceholderText(u"(none)"_s);
}

void DirectorySettingsDialog::addUser() {
    users.append({Directory::NewGuid(), u"New User"_s, true});
    lstUsers->addItem(users.back().Name);
    lstUsers->setCurrentRow(users.size() - 1);
    txtName->setFocus();
    txtName->selectAll();
}

void DirectorySettingsDialog::removeUser() {
    const int row = shown;
    if (row < 0)
        return;
    shown = -1; // nothing to keep while the row goes
    users.removeAt(row);
    delete lstUsers->takeItem(row);
    showUser(lstUsers->currentRow());
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
