#include "windows/CueboardSettingsDialog.h"

#include "playout/CueboardSettings.h"
#include "windows/QtDialogParts.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QSpinBox>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

CueboardSettingsDialog::CueboardSettingsDialog(CueboardSettings& settings, quint32 background,
                                               QWidget* parent)
    : QDialog(parent), settings(settings) {
    setObjectName(u"frmCueboardSettings"_s);
    setWindowTitle(u"Global Cueboard Settings"_s);
    QtDialogParts::SetBackground(this, background);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    spnPages = spin(u"spnPages"_s, 1, CueboardSettings::MaxPages, settings.Pages);
    form->addRow(u"&Pages:"_s, spnPages);
    spnRows = spin(u"spnRows"_s, 1, CueboardSettings::MaxRows, settings.Rows);
    form->addRow(u"&Rows of buttons:"_s, spnRows);
    spnColumns = spin(u"spnColumns"_s, 1, CueboardSettings::MaxColumns, settings.Columns);
    form->addRow(u"&Columns of buttons:"_s, spnColumns);
    stopOthersCheck = new QCheckBox(u"Starting a cart &stops the one playing"_s, this);
    stopOthersCheck->setObjectName(u"chkStopOthers"_s);
    stopOthersCheck->setChecked(settings.StopOthers);
    form->addRow(stopOthersCheck);
    spnFadeSeconds = spin(u"spnFadeSeconds"_s, 0, CueboardSettings::MaxFadeSeconds, settings.FadeSeconds);
    spnFadeSeconds->setSuffix(u" s"_s);
    form->addRow(u"&Fade a stopped cart over:"_s, spnFadeSeconds);
    layout->addLayout(form);
    layout->addLayout(QtDialogParts::OkCancelRow(this));
}

QSpinBox* CueboardSettingsDialog::spin(const QString& name, int minimum, int maximum, int value) {
    auto* box = new QSpinBox(this);
    box->setObjectName(name);
    box->setRange(minimum, maximum);
    box->setValue(value);
    return box;
}

void CueboardSettingsDialog::accept() {
    settings.Pages = spnPages->value();
    settings.Rows = spnRows->value();
    settings.Columns = spnColumns->value();
    settings.StopOthers = stopOthersCheck->isChecked();
    settings.FadeSeconds = spnFadeSeconds->value();
    QDialog::accept();
}
