#include "windows/LibrarySettingsDialog.h"

#include "playout/LibrarySettings.h"
#include "playout/OperatorSeam.h"
#include "windows/QtDialogParts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

LibrarySettingsDialog::LibrarySettingsDialog(LibrarySettings& settings, const QStringList& databases,
                                       quint32 background, QWidget* parent)
    : QDialog(parent), settings(settings) {
    setObjectName(u"frmLibrarySettings"_s);
    setWindowTitle(u"Ostrel Settings"_s);
    QtDialogParts::SetBackground(this, background);
    auto* layout = new QVBoxLayout(this);

    auto* database = new QGroupBox(u"Station Database"_s, this);
    auto* databaseLayout = new QVBoxLayout(database);
    optChoose = new QRadioButton(u"&Choose the Station Database each time a tool starts"_s, database);
    optChoose->setObjectName(u"optChoose"_s);
    optFixed = new QRadioButton(u"&Always use this Station Database:"_s, database);
    optFixed->setObjectName(u"optFixed"_s);
    cboDatabase = new QComboBox(database);
    cboDatabase->setObjectName(u"cboDatabase"_s);
    cboDatabase->setEditable(true);
    cboDatabase->addItems(databases);
    cboDatabase->setCurrentText(settings.FixedDatabase);
    databaseLayout->addWidget(optChoose);
    databaseLayout->addWidget(optFixed);
    databaseLayout->addWidget(cboDatabase);
    (settings.DatabaseMode == 2 ? optFixed : optChoose)->setChecked(true);
    layout->addWidget(database);

    auto* security = new QGroupBox(u"User Security"_s, this);
    auto* securityLayout = new QVBoxLayout(security);
    chkSecurity = new QCheckBox(u"Users must &log in to the directory"_s, security);
    chkSecurity->setObjectName(u"chkSecurity"_s);
    chkSecurity->setChecked(settings.Security);
    chkAutoLogIn = new QCheckBox(u"Log the only user in &without asking"_s, security);
    chkAutoLogIn->setObjectName(u"chkAutoLogIn"_s);
    chkAutoLogIn->setChecked(settings.AutoLogIn);
    securityLayout->addWidget(chkSecurity);
    securityLayout->addWidget(chkAutoLogIn);
    layout->addWidget(security);
    layout->addLayout(QtDialogParts::OkCancelRow(this));

    connect(optFixed, &QRadioButton::toggled, this, &LibrarySettingsDialog::updateControls);
    connect(chkSecurity, &QCheckBox::toggled, this, &LibrarySettingsDialog::updateControls);
    updateControls();
}

void LibrarySettingsDialog::updateControls() {
    cboDatabase->setEnabled(optFixed->isChecked());
    chkAutoLogIn->setEnabled(chkSecurity->isChecked());
}

void LibrarySettingsDialog::accept() {
    const QString fixed = cboDatabase->currentText().trimmed();
    if (optFixed->isChecked() && fixed.isEmpty()) {
        OperatorSeam::Message(u"Give the Station Database to use, or let it be chosen each time."_s,
                              Operator::Exclamation);
        cboDatabase->setFocus();
        return;
    }
    settings.DatabaseMode = optFixed->isChecked() ? 2 : 1;
    settings.FixedDatabase = optFixed->isChecked() ? fixed : settings.FixedDatabase;
    settings.Security = chkSecurity->isChecked();
    settings.AutoLogIn = chkAutoLogIn->isChecked();
    QDialog::accept();
}
