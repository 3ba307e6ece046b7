#pragma once

#include "base/ScheduleDate.h"
#include "windows/ListPrinter.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTreeWidget;
class StationDatabase;

// The advert log viewer: one day's advert log as a table, a row per advert, read
// straight from the advert log file, with the break at a chosen hour selected. The
// operator can pick another day and hour, view it, and print the list.
class AdvertLogWindow : public QWidget {
    Q_OBJECT
public:
    explicit AdvertLogWindow(StationDatabase& db, QWidget* parent = nullptr);

    // Lists the advert log of the day and selects the first row at or after its time.
    void DisplayLog(const ScheduleDate& startDate);
    bool CanPrint() const;
    void PrintInfo();
    // The printing of PrintInfo on a printer of the caller's choosing.
    bool PrintTo(class QPrinter& printer);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void view();
    void pickDate();
    void dateTyped(const QString& text);
    QString title() const;

    StationDatabase& db;
    ListPrinter printing;
    QLineEdit* startDateEdit = nullptr;
    QLabel* startDayLabel = nullptr;
    QLineEdit* starthourEdit = nullptr;
    QPushButton* printButton = nullptr;
    QTreeWidget* logView = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
};
