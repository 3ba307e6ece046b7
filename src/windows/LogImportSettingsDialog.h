#pragma once

#include <QDialog>
#include <QMap>

class LogImportSettingsModel;
class QCheckBox;
class QLineEdit;
class QRadioButton;

// The Log Importer settings dialog: the station's cart ranges, offsets and advert
// time window, and this machine's main use and start-up warning. It shows a settings model and
// copies the operator's values back into it; the model checks and stores them.
class LogImportSettingsDialog : public QDialog {
    Q_OBJECT
public:
    // `background` is the main window's background colour, which the dialog takes.
    LogImportSettingsDialog(LogImportSettingsModel& settings, const QColor& background,
                            QWidget* parent = nullptr);

public slots:
    // OK: the values go into the model; when the model refuses them, its message is
    // shown and the dialog stays open.
    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* makeRangesTab();
    QWidget* makeOffsetsTab();
    QWidget* makeOptionsTab();
    QWidget* makeAdvertsGroup(QWidget* page);
    // A list of the layout descriptions found, `none` first, `chosen` selected.
    class QComboBox* formatList(const QString& name, const QString& none, const QString& chosen,
                                QWidget* parent) const;
    QLineEdit* box(const QString& name, const QString& text);
    void addOffset(class QGridLayout* grid, int row, const QString& name, const QString& caption,
                   const QString& text, bool on);
    void copyToModel();

    LogImportSettingsModel& settings;
    QMap<QString, QLineEdit*> rangeBoxes; // by station setting name
    QLineEdit* offsetAudioItemsEdit = nullptr;
    QLineEdit* offsetLinkItemsEdit = nullptr;
    QCheckBox* offsetAudioItemsCheck = nullptr;
    QCheckBox* offsetLinkItemsCheck = nullptr;
    QRadioButton* importMusicOption = nullptr;
    QRadioButton* importAdvertsOption = nullptr;
    QRadioButton* importMusicAndAdvertsOption = nullptr;
    QCheckBox* warnAtStartupCheck = nullptr;
    QLineEdit* advertTimeWindowEdit = nullptr;
    class QComboBox* advertLogFormatCombo = nullptr;
    class QComboBox* musicLogFormatCombo = nullptr;
};
