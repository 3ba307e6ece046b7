#pragma once

#include <QDialog>

class AudioSettings;
class QCheckBox;
class QLineEdit;
class QSpinBox;

// The audio settings of the profile: how many players, and the name of the device
// to play through.
class AudioSettingsDialog : public QDialog {
    Q_OBJECT
public:
    AudioSettingsDialog(AudioSettings& settings, QWidget* parent = nullptr);

    void accept() override;

private:
    AudioSettings& settings;
    QSpinBox* spnPlayers = nullptr;
    QCheckBox* useDeviceNameCheck = nullptr;
    QLineEdit* deviceNameEdit = nullptr;
};
