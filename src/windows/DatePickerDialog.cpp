#include "windows/DatePickerDialog.h"

#include "windows/QtDialogParts.h"

#include "base/Clock.h"
#include "base/DateConversion.h"
#include "base/GeneralTools.h"
#include "base/ScheduleDateTools.h"
#include "playout/OperatorSeam.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString dateFormat = u"dd MMM yyyy"_s;

QString twoDigits(int value) {
    return u"%1"_s.arg(value, 2, 10, QLatin1Char('0'));
}

} // namespace

DatePickerDialog::DatePickerDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(u"frmDatePicker"_s);
    setWindowTitle(u"Select Date"_s);
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* day = new QVBoxLayout;
    dtMonth = new QCalendarWidget(this);
    dtMonth->setObjectName(u"dtMonth"_s);
    day->addWidget(dtMonth);
    auto* dateRow = new QHBoxLayout;
    dateEdit = QtDialogParts::EditBox(this, u"txtDate"_s, 110, this);
    dayLabel = new QLabel(this);
    dayLabel->setObjectName(u"lblDay"_s);
    dateRow->addWidget(dateEdit);
    dateRow->addWidget(dayLabel, 1);
    day->addLayout(dateRow);
    top->addLayout(day);
    timePicture = makeTimePanel();
    top->addWidget(timePicture);
    layout->addLayout(top);

    layout->addLayout(QtDialogParts::OkCancelRow(this, &okButton));

    connect(dtMonth, &QCalendarWidget::clicked, this, &DatePickerDialog::dayChosen);
    connect(dtMonth, &QCalendarWidget::activated, this, &DatePickerDialog::dayChosen);
    // The keys move the calendar's day without a click: the date box follows.
    connect(dtMonth, &QCalendarWidget::selectionChanged, this, [this] {
        if (!syncing)
            showDay(dtMonth->selectedDate());
    });
    connect(dateEdit, &QLineEdit::textEdited, this, &DatePickerDialog::dateTyped);
    connect(hoursEdit, &QLineEdit::textEdited, this, &DatePickerDialog::hoursTyped);
    connect(scrollHours, &QScrollBar::valueChanged, this, [this](int hour) {
        if (!syncing)
            setText(hoursEdit, twoDigits(hour));
    });
}

QToolButton* DatePickerDialog::arrow(const QString& name, Qt::ArrowType direction) {
    auto* button = new QToolButton(this);
    button->setObjectName(name);
    button->setArrowType(direction);
    return button;
}

QWidget* DatePickerDialog::makeTimePanel() {
    auto* panel = new QWidget(this);
    panel->setObjectName(u"picTime"_s);
    auto* grid = new QGridLayout(panel);
    hoursEdit = QtDialogParts::EditBox(this, u"txtHours"_s, 36, this);
    minutesEdit = QtDialogParts::EditBox(this, u"txtMinutes"_s, 36, this);
    QToolButton* hourUp = arrow(u"cmdHourUp"_s, Qt::UpArrow);
    QToolButton* hourDown = arrow(u"cmdHourDown"_s, Qt::DownArrow);
    minuteUpButton = arrow(u"cmdMinuteUp"_s, Qt::UpArrow);
    minuteDownButton = arrow(u"cmdMinuteDown"_s, Qt::DownArrow);
    connect(hourUp, &QToolButton::clicked, this, [this] { stepHours(1); });
    connect(hourDown, &QToolButton::clicked, this, [this] { stepHours(-1); });
    connect(minuteUpButton, &QToolButton::clicked, this, [this] { stepMinutes(1); });
    connect(minuteDownButton, &QToolButton::clicked, this, [this] { stepMinutes(-1); });
    grid->addWidget(hourUp, 0, 0);
    grid->addWidget(hoursEdit, 1, 0);
    grid->addWidget(hourDown, 2, 0);
    grid->addWidget(new QLabel(u":"_s, panel), 1, 1);
    grid->addWidget(minuteUpButton, 0, 2);
    grid->addWidget(minutesEdit, 1, 2);
    grid->addWidget(minuteDownButton, 2, 2);

    // The hours from midnight at the top to 23 at the bottom, with the day's two
    // busiest parts marked beside them.
    scrollHours = new QScrollBar(Qt::Vertical, panel);
    scrollHours->setObjectName(u"scrollHours"_s);
    scrollHours->setRange(0, 23);
    scrollHours->setPageStep(1);
    grid->addWidget(scrollHours, 0, 3, 4, 1);
    grid->addWidget(makeDayParts(panel), 0, 4, 4, 1);
    grid->setRowStretch(3, 1);
    return panel;
}

QWidget* DatePickerDialog::makeDayParts(QWidget* panel) {
    // A column as tall as the hour bar's track, in 24 equal shares: each label
    // stands beside the hours it names.
    auto* parts = new QWidget(panel);
    auto* column = new QVBoxLayout(parts);
    const int arrows = scrollHours->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    column->setContentsMargins(0, arrows, 0, arrows);
    column->setSpacing(0);
    const auto part = [&](const QString& name, const QString& caption, int from, int to) {
        auto* label = new QLabel(caption, parts);
        label->setObjectName(name);
        label->setToolTip(u"%1:00 to %2:00"_s.arg(twoDigits(from), twoDigits(to)));
        label->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Ignored);
        column->addWidget(label, to - from);
    };
    column->addStretch(6);
    part(u"lblBreakfast"_s, u"Breakfast"_s, 6, 10);
    column->addStretch(6);
    part(u"lblDriveTime"_s, u"DriveTime"_s, 16, 20);
    column->addStretch(4);
    return parts;
}

ScheduleDate DatePickerDialog::SelectDate(const ScheduleDate& sd, int flags, QWidget* parent) {
    DatePickerDialog picker(parent);
    picker.Open(sd, flags);
    picker.exec();
    return picker.Result();
}

void DatePickerDialog::Open(const ScheduleDate& sd, int newFlags) {
    flags = newFlags;
    cancelled = false;
    const bool timeShown = (flags & ShowTime) != 0;
    timePicture->setVisible(timeShown);
    const bool minutesLocked = timeShown && (flags & (ShowTime | EditMinutes)) != (ShowTime | EditMinutes);
    minuteUpButton->setEnabled(!minutesLocked);
    minuteDownButton->setEnabled(!minutesLocked);
    minutesEdit->setReadOnly(minutesLocked);
    // A locked box has the button face's colour, an open one the window's.
    QPalette colours = palette();
    colours.setColor(QPalette::Base, palette().color(minutesLocked ? QPalette::Button : QPalette::Base));
    minutesEdit->setPalette(colours);

    int hours = 0;
    int minutes = 0;
    if (sd.Day < 1) {
        const QDateTime now = Clock::Now();
        dtMonth->setSelectedDate(now.date());
        hours = now.time().hour();
        minutes = now.time().minute();
    } else {
        const QDate date = ScheduleDateTools::DateOfSerial(sd.Day);
        dtMonth->setSelectedDate(date);
        showDay(date);
        hours = int(sd.Seconds) / 3600;
        minutes = (int(sd.Seconds) % 3600) / 60;
    }
    setText(hoursEdit, twoDigits(hours));
    setText(minutesEdit, twoDigits(minutes));
    syncing = true;
    scrollHours->setValue(hours);
    syncing = false;
    adjustSize();
}

ScheduleDate DatePickerDialog::Result() const {
    if (cancelled)
        return {0, 0};
    const QDate date = dtMonth->selectedDate();
    if (timePicture->isVisibleTo(this))
        return {ScheduleDateTools::DaySerial(date),
                float(valueOf(hoursEdit) * 3600 + valueOf(minutesEdit) * 60)};
    return ScheduleDateTools::FromDate(QDateTime(date, QTime(0, 0)));
}

void DatePickerDialog::setText(QLineEdit* edit, const QString& text) {
    syncing = true;
    edit->setText(text);
    syncing = false;
}

void DatePickerDialog::showDay(const QDate& date) {
    setText(dateEdit, date.toString(dateFormat));
    dayLabel->setText(date.toString(u"ddd"_s));
}

void DatePickerDialog::dayChosen(const QDate& date) {
    if (syncing)
        return;
    showDay(date);
    if (flags == ChooseAtOnce)
        accept();
}

void DatePickerDialog::dateTyped(const QString& text) {
    if (syncing)
        return;
    const auto read = DateConversion::Read(text);
    if (!read) {
        dayLabel->clear();
        return;
    }
    dayLabel->setText(read->date().toString(u"ddd"_s));
    syncing = true;
    dtMonth->setSelectedDate(read->date());
    syncing = false;
}

void DatePickerDialog::hoursTyped(const QString& text) {
    if (syncing)
        return;
    syncing = true;
    scrollHours->setValue(int(GeneralTools::Clamp(text.toInt(), 0, 23)));
    syncing = false;
}

int DatePickerDialog::valueOf(const QLineEdit* edit) {
    return edit->text().toInt();
}

void DatePickerDialog::stepHours(int by) {
    const int hour = int(GeneralTools::Clamp(valueOf(hoursEdit) + by, 0, 23));
    setText(hoursEdit, twoDigits(hour));
    syncing = true;
    scrollHours->setValue(hour);
    syncing = false;
}

void DatePickerDialog::stepMinutes(int by) {
    setText(minutesEdit, twoDigits(int(GeneralTools::Clamp(valueOf(minutesEdit) + by, 0, 59))));
}

void DatePickerDialog::leaveBox(QLineEdit* edit, int highest) {
    if (edit == dateEdit) {
        if (const auto read = DateConversion::Read(dateEdit->text()))
            setText(dateEdit, read->date().toString(dateFormat));
        return;
    }
    setText(edit, twoDigits(int(GeneralTools::Clamp(valueOf(edit), 0, highest))));
}

bool DatePickerDialog::eventFilter(QObject* watched, QEvent* event) {
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (!edit)
        return QDialog::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::FocusIn:
        // Entering a box selects its whole text (after the click that placed the caret).
        QTimer::singleShot(0, edit, &QLineEdit::selectAll);
        break;
    case QEvent::FocusOut:
        // Leaving for OK keeps the text as typed, so that OK can say what is wrong with it.
        if (QApplication::focusWidget() != okButton)
            leaveBox(edit, edit == hoursEdit ? 23 : 59);
        break;
    case QEvent::KeyPress: {
        if (edit == dateEdit)
            break;
        const QString text = static_cast<QKeyEvent*>(event)->text();
        if (!text.isEmpty() && GeneralTools::FilterKey(text[0].unicode(), 1) == 0)
            return true; // not a key of a whole number
        break;
    }
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void DatePickerDialog::accept() {
    bool isNumber = false;
    const int hours = hoursEdit->text().trimmed().toInt(&isNumber);
    if (timePicture->isVisibleTo(this) && (!isNumber || hours < 0 || hours > 23)) {
        OperatorSeam::Message(u"You must enter a time from 0 to 23"_s, Operator::Exclamation);
        return;
    }
    cancelled = false;
    QDialog::accept();
}

void DatePickerDialog::reject() {
    cancelled = true;
    QDialog::reject();
}

void DatePickerDialog::closeEvent(QCloseEvent* event) {
    cancelled = true;
    QDialog::closeEvent(event);
}
