#pragma once

#include <QDialog>

class LibrarySettings;
class QCheckBox;
class QComboBox;
class QRadioButton;

// The station library's settings of a profile: how the Station Database is found
// (chosen at each start, or always the same one) and the user security.
class LibrarySettingsDialog : public QDialog {
    Q_OBJECT
public:
    LibrarySettingsDialog(LibrarySettings& settings, const QStringList& databases, quint32 background,
                          QWidget* parent = nullptr);

    // Keeps the settings when they are whole; otherwise says what is missing and
    // stays open.
    void accept() override;

private:
    void updateControls();

    LibrarySettings& settings;
    QRadioButton* chooseOption = nullptr;
    QRadioButton* fixedOption = nullptr;
    QComboBox* databaseCombo = nullptr;
    QCheckBox* securityCheck = nullptr;
    QCheckBox* autoLogInCheck = nullptr;
};
