#include "windows/AudioSettingsDialog.h"

#include "playout/AudioSettings.h"
#include "windows/QtDialogParts.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

AudioSettingsDialog::AudioSettingsDialog(AudioSettings& settings, QWidget* parent)
    : QDialog(parent), settings(settings) {
    setObjectName(u"frmAudioSettings"_s);
    setWindowTitle(u"Audio Settings"_s);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    spnPlayers = new QSpinBox(this);
    spnPlayers->setObjectName(u"spnPlayers"_s);
    spnPlayers->setRange(1, AudioSettings::MaxPlayers);
    spnPlayers->setValue(settings.NumberPlayers);
    form->addRow(u"Number of &players:"_s, spnPlayers);
    useDeviceNameCheck = new QCheckBox(u"Play through a &named device"_s, this);
    useDeviceNameCheck->setObjectName(u"chkUseDeviceName"_s);
    useDeviceNameCheck->setChecked(settings.UseDeviceName);
    form->addRow(useDeviceNameCheck);
    deviceNameEdit = new QLineEdit(settings.DeviceName, this);
    deviceNameEdit->setObjectName(u"txtDeviceName"_s);
    deviceNameEdit->setEnabled(settings.UseDeviceName);
    form->addRow(u"&Device name:"_s, deviceNameEdit);
    layout->addLayout(form);
    layout->addLayout(QtDialogParts::OkCancelRow(this));
    connect(useDeviceNameCheck, &QCheckBox::toggled, deviceNameEdit, &QWidget::setEnabled);
}

void AudioSettingsDialog::accept() {
    settings.NumberPlayers = spnPlayers->value();
    settings.UseDeviceName = useDeviceNameCheck->isChecked();
    settings.DeviceName = deviceNameEdit->text().trimmed();
    QDialog::accept();
}
