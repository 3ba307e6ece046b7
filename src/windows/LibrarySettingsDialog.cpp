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
    chooseOption = new QRadioButton(u"&Choose the Station Database each time a tool starts"_s, database);
    chooseOption->setObjectName(u"optChoose"_s);
    fixedOption = new QRadioButton(u"&Always use this Station Database:"_s, database);
    fixedOption->setObjectName(u"optFixed"_s);
    databaseCombo = new QComboBox(database);
    databaseCombo->setObjectName(u"cboDatabase"_s);
    databaseCombo->setEditable(true);
    databaseCombo->addItems(databases);
    databaseCombo->setCurrentText(settings.FixedDatabase);
    databaseLayout->addWidget(chooseOption);
    databaseLayout->addWidget(fixedOption);
    databaseLayout->addWidget(databaseCombo);
    (settings.DatabaseMode == 2 ? fixedOption : chooseOption)->setChecked(true);
    layout->addWidget(database);

    auto* security = new QGroupBox(u"User Security"_s, this);
    auto* securityLayout = new QVBoxLayout(security);
    securityCheck = new QCheckBox(u"Users must &log in to the directory"_s, security);
    securityCheck->setObjectName(u"chkSecurity"_s);
    securityCheck->setChecked(settings.Security);
    autoLogInCheck = new QCheckBox(u"Log the only user in &without asking"_s, security);
    autoLogInCheck->setObjectName(u"chkAutoLogIn"_s);
    autoLogInCheck->setChecked(settings.AutoLogIn);
    securityLayout->addWidget(securityCheck);
    securityLayout->addWidget(autoLogInCheck);
    layout->addWidget(security);
    layout->addLayout(QtDialogParts::OkCancelRow(this));

    connect(fixedOption, &QRadioButton::toggled, this, &LibrarySettingsDialog::updateControls);
    connect(securityCheck, &QCheckBox::toggled, this, &LibrarySettingsDialog::updateControls);
    updateControls();
}

void LibrarySettingsDialog::updateControls() {
    databaseCombo->setEnabled(fixedOption->isChecked());
    autoLogInCheck->setEnabled(securityCheck->isChecked());
}

void LibrarySettingsDialog::accept() {
    const QString fixed = databaseCombo->currentText().trimmed();
    if (fixedOption->isChecked() && fixed.isEmpty()) {
        OperatorSeam::Message(u"Give the Station Database to use, or let it be chosen each time."_s,
                              Operator::Exclamation);
        databaseCombo->setFocus();
        return;
    }
    settings.DatabaseMode = fixedOption->isChecked() ? 2 : 1;
    settings.FixedDatabase = fixedOption->isChecked() ? fixed : settings.FixedDatabase;
    settings.Security = securityCheck->isChecked();
    settings.AutoLogIn = autoLogInCheck->isChecked();
    QDialog::accept();
}
