#pragma once

#include <QDialog>
#include <QMap>

class PathLabel;
class QLabel;
class QLineEdit;
class QComboBox;
class QTabWidget;
class StationSettings;

// The Station Database's settings that the importers read: where the music and
// advert logs are and how their files are named (with today's file shown as an
// example), the cart offsets, the advert type filter, auto-purging and the underrun
// threshold. OK checks every value and keeps them all, or none.
class StationSettingsDialog : public QDialog {
    Q_OBJECT
public:
    StationSettingsDialog(StationSettings& settings, const QString& databaseName, QWidget* parent = nullptr);

    // The box of a setting, by the setting's name.
    QWidget* Box(const QString& name) const { return boxes.value(name); }

    void accept() override;

private:
    QWidget* makeTab(int tab);
    QWidget* makeBox(const QString& name, int kind, QWidget* page, QLayout** row);
    QString valueOf(const QString& name) const;
    void updateExamples();

    StationSettings& settings;
    QTabWidget* tabs = nullptr;
    QMap<QString, QWidget*> boxes;
    PathLabel* musicExampleLabel = nullptr;
    PathLabel* advertExampleLabel = nullptr;
};
