#include "base/ScheduleDateTools.h"

#include "base/Clock.h"
#include "base/DateConversion.h"
#include "base/NumericText.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLocale>
#include <QThread>

#include <cmath>

namespace {

const QDate serialOrigin(1899, 12, 30);

QString twoDigits(qint64 value) {
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

// Always four digits, so that a year before 100 is not read back as a year of the
// 1900s or 2000s.
QString fourDigitYear(const QDate& day) {
    return QStringLiteral("%1").arg(day.year(), 4, 10, QLatin1Char('0'));
}

} // namespace

qint32 ScheduleDateTools::DaySerial(const QDate& date) {
    return qint32(serialOrigin.daysTo(date));
}

QDate ScheduleDateTools::DateOfSerial(qint32 day) {
    return serialOrigin.addDays(day);
}

ScheduleDate ScheduleDateTools::Today() {
    return FromDate(Clock::Now());
}

ScheduleDate ScheduleDateTools::FromDate(const QDateTime& date) {
    const QTime time = date.time();
    return {DaySerial(date.date()), float(time.msecsSinceStartOfDay() / 1000.0)};
}

QDateTime ScheduleDateTools::ToDate(const ScheduleDate& date) {
    const qint64 msecs = qint64(std::floor(double(date.Seconds) * 1000.0 + 0.5));
    return QDateTime(DateOfSerial(date.Day), QTime(0, 0), Qt::UTC).addMSecs(msecs);
}

ScheduleDate ScheduleDateTools::AddSeconds(const ScheduleDate& date, double seconds) {
    const double total = double(date.Seconds) + seconds;
    double days = std::floor(total / SecondsPerDay);
    float within = float(total - days * SecondsPerDay);
    if (within >= float(SecondsPerDay)) { // a value just below the next midnight rounded up to it
        within = 0;
        days += 1;
    }
    return {qint32(date.Day + qint64(days)), within < 0 ? 0.0f : within};
}

ScheduleDate ScheduleDateTools::ShiftSeconds(double seconds, qint32 day) {
    return AddSeconds({day, 0}, seconds);
}

double ScheduleDateTools::Difference(const ScheduleDate& first, const ScheduleDate& second) {
    return double(first.Day - second.Day) * SecondsPerDay + (double(first.Seconds) - double(second.Seconds));
}

bool ScheduleDateTools::IsBefore(const ScheduleDate& first, const ScheduleDate& second) {
    return first.Day < second.Day || (first.Day == second.Day && first.Seconds < second.Seconds);
}

bool ScheduleDateTools::IsAfter(const ScheduleDate& first, const ScheduleDate& second) {
    return IsBefore(second, first);
}

bool ScheduleDateTools::IsNotBefore(const ScheduleDate& first, const ScheduleDate& second) {
    return !IsBefore(first, second);
}

bool ScheduleDateTools::IsSameHour(const ScheduleDate& first, const ScheduleDate& second) {
    return first.Day == second.Day &&
           std::floor(first.Seconds / 3600.0f) == std::floor(second.Seconds / 3600.0f);
}

ScheduleDate ScheduleDateTools::ParseDate(QStringView text) {
    const auto date = DateConversion::Read(text);
    return date ? FromDate(*date) : ScheduleDate{};
}

// Written field by field rather than through a locale's format: these texts are
// made for every hour of a long walk over the Scheduled Log.
QString ScheduleDateTools::FormatDate(const QDateTime& date, int style) {
    static const char* const days[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
    const QDate day = date.date();
    const QTime time = date.time();
    const QString clock =
        twoDigits(time.hour()) + u':' + twoDigits(time.minute()) + u':' + twoDigits(time.second());
    if (style == 14)
        return QLatin1String(days[day.dayOfWeek() - 1]) + u' ' + QString::number(day.day()) + u' ' +
               MonthName(day.month()) + u' ' + fourDigitYear(day) + u' ' + clock;
    return fourDigitYear(day) + u'-' + twoDigits(day.month()) + u'-' + twoDigits(day.day()) + u' ' + clock;
}

QString ScheduleDateTools::FormatScheduleDate(const ScheduleDate& date, int style) {
    return FormatDate(ToDate(date), style);
}

QString ScheduleDateTools::FormatSeconds(double seconds, int style) {
    if (style == 2) {
        const qint64 whole = NumericText::RoundHalfEven(seconds);
        const QString sign = whole < 0 ? QStringLiteral("-") : QString();
        return sign + QString::number(std::abs(whole) / 60) + u':' + twoDigits(std::abs(whole) % 60);
    }
    const qint64 whole = qint64(std::floor(seconds));
    const qint64 ofDay = ((whole % 86400) + 86400) % 86400;
    return twoDigits(ofDay / 3600) + u':' + twoDigits(ofDay / 60 % 60) + u':' + twoDigits(ofDay % 60);
}

QString ScheduleDateTools::MonthName(int month, bool abbreviated) {
    static const char* const names[] = {"January",   "February", "March",    "April",
                                        "May",       "June",     "July",     "August",
                                        "September", "October",  "November", "December"};
    if (month < 1 || month > 12)
        return {};
    const QString name = QLatin1String(names[month - 1]);
    return abbreviated ? name.left(3) : name;
}

void ScheduleDateTools::Pause(double seconds) {
    QElapsedTimer timer;
    timer.start();
    const qint64 wait = qint64(seconds * 1000);
    while (timer.elapsed() < wait) {
        if (QCoreApplication::instance())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(std::min<qint64>(10, std::max<qint64>(1, wait - timer.elapsed())));
    }
}
