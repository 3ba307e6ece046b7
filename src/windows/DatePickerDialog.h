#pragma once

#include "base/ScheduleDate.h"

#include <QDialog>

class QCalendarWidget;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QToolButton;

// The "Select Date" dialog: a day on a month calendar and, when asked for, an hour
// and a minute. The calendar, the date box and its weekday, and the hour box and
// its scroll bar are kept in step; a change passed from one to another is not
// echoed back.
class DatePickerDialog : public QDialog {
    Q_OBJECT
public:
    // Flags: 2 shows the time panel; 4 with 2 lets the minutes be changed; exactly 1
    // takes a day chosen on the calendar as the answer at once.
    static constexpr int ShowTime = 2;
    static constexpr int EditMinutes = 4;
    static constexpr int ChooseAtOnce = 1;

    explicit DatePickerDialog(QWidget* parent = nullptr);

    // Asks for a date, modally: the point chosen, or Day 0 when cancelled.
    static ScheduleDate SelectDate(const ScheduleDate& sd, int flags, QWidget* parent = nullptr);

    // The dialog set up for `sd` and `flags`, not yet shown.
    void Open(const ScheduleDate& sd, int flags);
    // The answer once the dialog has closed.
    ScheduleDate Result() const;
    bool Cancelled() const { return cancelled; }

public slots:
    void accept() override;
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QToolButton* arrow(const QString& name, Qt::ArrowType direction);
    QWidget* makeTimePanel();
    // "Breakfast" and "DriveTime", each beside its hours on the hour bar.
    QWidget* makeDayParts(QWidget* panel);
    void setText(QLineEdit* edit, const QString& text);
    void showDay(const QDate& date);
    void dayChosen(const QDate& date);
    void dateTyped(const QString& text);
    void hoursTyped(const QString& text);
    void stepHours(int by);
    void stepMinutes(int by);
    void leaveBox(QLineEdit* edit, int highest);
    static int valueOf(const QLineEdit* edit);

    int flags = 0;
    bool cancelled = false;
    bool syncing = false; // set while one control writes to another
    QCalendarWidget* dtMonth = nullptr;
    QLineEdit* dateEdit = nullptr;
    QLabel* dayLabel = nullptr;
    QWidget* timePicture = nullptr;
    QLineEdit* hoursEdit = nullptr;
    QLineEdit* minutesEdit = nullptr;
    QToolButton* minuteUpButton = nullptr;
    QToolButton* minuteDownButton = nullptr;
    QPushButton* okButton = nullptr;
    QScrollBar* scrollHours = nullptr;
};
