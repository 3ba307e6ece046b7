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
    cboUser = new QComboBox(this);
    cboUser->setObjectName(u"cboUser"_s);
    cboUser->setEditable(true);
    cboUser->setInsertPolicy(QComboBox::NoInsert);
    for (const DirectoryUser& user : users)
        cboUser->addItem(user.Name);
    form->addRow(u"&User:"_s, cboUser);
    txtPassword = new QLineEdit(this);
    txtPassword->setObjectName(u"txtPassword"_s);
    txtPassword->setEchoMode(QLineEdit::Password);
    form->addRow(u"&Password:"_s, txtPassword);
    layout->addLayout(form);
    layout->addLayout(QtDialogParts::OkCancelRow(this));
    txtPassword->setFocus();
}

DirectoryLogIn LogInDialog::Given() const {
    const QString typed = cboUser->currentText().trimmed();
    for (const DirectoryUser& user : users) {
        if (user.Name.compare(typed, Qt::CaseInsensitive) == 0 ||
            user.Guid.compare(typed, Qt::CaseInsensitive) == 0)
            return {user.Guid, txtPassword->text()};
    }
    return {QString(), txtPassword->text()};
}
