#include "windows/LogInDialog.h"

#include "windows/QtDialogParts.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

LogInDialog::LogInDialog(const QList<DirectoryUser>& users, const QString& product, QWidget* parent)
    : QDialog(parent), users(users) {
    setObjectName(u"frmLogIn"_s);
    setWindowTitle(u"Log In to "_s + product);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel(u"Choose your name (or type your user identifier) and give your password."_s, this));
    auto* form = new QFormLayout;
    userCombo = new QComboBox(this);
    userCombo->setObjectName(u"cboUser"_s);
    userCombo->setEditable(true);
    userCombo->setInsertPolicy(QComboBox::NoInsert);
    for (const DirectoryUser& user : users)
        userCombo->addItem(user.Name);
    form->addRow(u"&User:"_s, userCombo);
    passwordEdit = new QLineEdit(this);
    passwordEdit->setObjectName(u"txtPassword"_s);
    passwordEdit->setEchoMode(QLineEdit::Password);
    form->addRow(u"&Password:"_s, passwordEdit);
    layout->addLayout(form);
    layout->addLayout(QtDialogParts::OkCancelRow(this));
    passwordEdit->setFocus();
}

DirectoryLogIn LogInDialog::Given() const {
    const QString typed = userCombo->currentText().trimmed();
    for (const DirectoryUser& user : users) {
        if (user.Name.compare(typed, Qt::CaseInsensitive) == 0 ||
            user.Guid.compare(typed, Qt::CaseInsensitive) == 0)
            return {user.Guid, passwordEdit->text()};
    }
    return {QString(), passwordEdit->text()};
}
