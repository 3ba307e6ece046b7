#include "windows/DateRangeControl.h"

#include "base/ScheduleDateTools.h"

#include <QDateTimeEdit>
#include <QGridLayout>
#include <QLabel>

using namespace Qt::Literals::StringLiterals;

namespace {

QDateTimeEdit* newEdit(const QString& name, QWidget* parent) {
    auto* edit = new QDateTimeEdit(parent);
    edit->setObjectName(name);
    edit->setDisplayFormat(u"ddd dd/MM/yyyy HH:mm"_s);
    edit->setCalendarPopup(true);
    return edit;
}

// The minute a date-time edit shows, as a ScheduleDate, plus `into` seconds.
ScheduleDate minuteOf(const QDateTimeEdit* edit, double into) {
    QDateTime shown = edit->dateTime();
    shown.setTime(QTime(shown.time().hour(), shown.time().minute()));
    return ScheduleDateTools::AddSeconds(ScheduleDateTools::FromDate(shown), into);
}

} // namespace

DateRangeControl::DateRangeControl(QWidget* parent) : QWidget(parent) {
    setObjectName(u"dtImportRange"_s);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    start = newEdit(u"dtStart"_s, this);
    end = newEdit(u"dtEnd"_s, this);
    auto* from = new QLabel(u"From"_s, this);
    auto* to = new QLabel(u"to"_s, this);
    problem = new QLabel(this);
    problem->setObjectName(u"lblRangeProblem"_s);
    problem->setStyleSheet(u"color: #b00000"_s);
    grid->addWidget(from, 0, 0);
    grid->addWidget(start, 0, 1);
    grid->addWidget(to, 0, 2);
    grid->addWidget(end, 0, 3);
    grid->addWidget(problem, 1, 0, 1, 4);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    connect(start, &QDateTimeEdit::dateTimeChanged, this, &DateRangeControl::startEdited);
    connect(end, &QDateTimeEdit::dateTimeChanged, this, &DateRangeControl::endEdited);
    SetEarliestDate(range.Earliest);
    SetLatestDate(range.Latest);
}

void DateRangeControl::SetEarliestDate(const ScheduleDate& date) {
    range.Earliest = date;
}

void DateRangeControl::SetLatestDate(const ScheduleDate& date) {
    range.Latest = date;
}

void DateRangeControl::show(QDateTimeEdit* edit, const ScheduleDate& date) {
    showing = true;
    edit->setDateTime(ScheduleDateTools::ToDate(date));
    showing = false;
}

void DateRangeControl::SetStartDate(const ScheduleDate& date) {
    range.Start = date;
    show(start, date);
    emit StartChanged();
}

void DateRangeControl::SetEndDate(const ScheduleDate& date) {
    range.End = date;
    show(end, date);
    emit EndChanged();
}

void DateRangeControl::startEdited() {
    if (showing)
        return;
    range.Start = minuteOf(start, 0);
    emit StartChanged();
}

void DateRangeControl::endEdited() {
    if (showing)
        return;
    range.End = minuteOf(end, 59.99);
    emit EndChanged();
}

bool DateRangeControl::IsRangeValid(bool inOrder, bool withinLimits, bool dated) {
    const QString why = range.Problem(inOrder, withinLimits, dated);
    problem->setText(why);
    return why.isEmpty();
}

void DateRangeControl::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    emit Resized();
}
