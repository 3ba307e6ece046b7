#pragma once

#include <QDialog>

class CueboardSettings;
class QCheckBox;
class QSpinBox;

// The cart wall's settings shared by every profile: pages, rows and columns of
// buttons, and how a cart started from the wall treats the one playing.
class CueboardSettingsDialog : public QDialog {
    Q_OBJECT
public:
    CueboardSettingsDialog(CueboardSettings& settings, quint32 background, QWidget* parent = nullptr);

    void accept() override;

private:
    QSpinBox* spin(const QString& name, int minimum, int maximum, int value);

    CueboardSettings& settings;
    QSpinBox* spnPages = nullptr;
    QSpinBox* spnRows = nullptr;
    QSpinBox* spnColumns = nullptr;
    QCheckBox* stopOthersCheck = nullptr;
    QSpinBox* spnFadeSeconds = nullptr;
};
