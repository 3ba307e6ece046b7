#pragma once

#include "app/DateRange.h"

#include <QWidget>

class QDateTimeEdit;
class QLabel;

// The date range control: a start and an end, each a date and a time to the
// minute, between an earliest and a latest date. A start is the start of its
// minute, an end the end of its minute. When a range is refused, the control says
// why beneath the two.
class DateRangeControl : public QWidget {
    Q_OBJECT
public:
    explicit DateRangeControl(QWidget* parent = nullptr);

    void SetEarliestDate(const ScheduleDate& date);
    void SetLatestDate(const ScheduleDate& date);
    ScheduleDate StartDate() const { return range.Start; }
    void SetStartDate(const ScheduleDate& date);
    ScheduleDate EndDate() const { return range.End; }
    void SetEndDate(const ScheduleDate& date);
    const DateRange& Range() const { return range; }

    // True when the range may be used for what the flags ask (see DateRange);
    // otherwise the reason is shown under the control.
    bool IsRangeValid(bool inOrder, bool withinLimits, bool dated);

signals:
    void StartChanged();
    void EndChanged();
    void Resized();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void show(QDateTimeEdit* edit, const ScheduleDate& date);
    void startEdited();
    void endEdited();

    DateRange range;
    QDateTimeEdit* start = nullptr;
    QDateTimeEdit* end = nullptr;
    QLabel* problem = nullptr;
    bool showing = false; // set while a value is shown, so that it is not taken as an edit
};
