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
    chkUseDeviceName = new QCheckBox(u"Play through a &named device"_s, this);
    chkUseDeviceName->setObjectName(u"chkUseDeviceName"_s);
    chkUseDeviceName->setChecked(settings.UseDeviceName);
    form->addRow(chkUseDeviceName);
    txtDeviceName = new QLineEdit(settings.DeviceName, this);
    txtDeviceName->setObjectName(u"txtDeviceName"_s);
    txtDeviceName->setEnabled(settings.UseDeviceName);
    form->addRow(u"&Device name:"_s, txtDeviceName);
    layout->addLayout(form);
    layout->addLayout(QtDialogParts::OkCancelRow(this));
    connect(chkUseDeviceName, &QCheckBox::toggled, txtDeviceName, &QWidget::setEnabled);
}

void AudioSettingsDialog::accept() {
    settings.NumberPlayers = spnPlayers->value();
    settings.UseDeviceName = chkUseDeviceName->isChecked();
    settings.DeviceName = txtDeviceName->text().trimmed();
    QDialog::accept();
}
