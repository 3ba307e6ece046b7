#pragma once

#include <QDateTime>
#include <QLocale>
#include <optional>

// The lenient reading of a date and time typed by a person or written by another
// program, as a Windows system's date conversion does it: the locale's day order,
// one- or two-digit day and month, two- or four-digit years, month names and their
// abbreviations, weekday names ignored, and an optional time with AM/PM.
class DateConversion {
public:
    // The date and time in the text, or nothing when it holds no valid date.
    // A text with a time but no date is not a date.
    static std::optional<QDateTime> Read(QStringView text, const QLocale& locale = QLocale());
    // The same, except that three numbers are read in the locale's day order only
    // (or year first): a day that does not exist, such as 31/02/26, is no date, where
    // Read would take it in another order (as 10 February 1931).
    static std::optional<QDateTime> ReadInDayOrder(QStringView text, const QLocale& locale = QLocale());

    // The order of day, month and year in the locale's short date format: a text of
    // three letters made of 'd', 'm' and 'y', such as "dmy".
    static QString DayOrder(const QLocale& locale);

private:
    static std::optional<QDateTime> read(QStringView text, const QLocale& locale, bool otherOrders);
};
