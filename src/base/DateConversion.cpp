#include "base/DateConversion.h"

#include "base/Clock.h"

#include <QList>

#include <algorithm>
#include <cmath>

namespace {

const char* const englishMonths[] = {"january", "february", "march",     "april",   "may",      "june",
                                     "july",    "august",   "september", "october", "november", "december"};
const char* const englishDays[] = {"monday", "tuesday",  "wednesday", "thursday",
                                   "friday", "saturday", "sunday"};

struct Number {
    int value;
    int digits;
};

struct Pieces {
    QList<Number> numbers;
    int month = 0; // from a month name
    std::optional<QTime> time;
};

// A word names an entry of the list when it is the whole name or an abbreviation of
// at least three letters.
bool abbreviates(const QString& word, const QString& name) {
    return word.size() >= 3 && name.startsWith(word, Qt::CaseInsensitive);
}

int monthOfWord(const QString& word, const QLocale& locale) {
    for (int m = 1; m <= 12; ++m) {
        if (abbreviates(word, QString::fromLatin1(englishMonths[m - 1])) ||
            abbreviates(word, locale.monthName(m, QLocale::LongFormat)) ||
            word.compare(locale.monthName(m, QLocale::ShortFormat).remove(u'.'), Qt::CaseInsensitive) == 0)
            return m;
    }
    return 0;
}

bool isWeekday(const QString& word, const QLocale& locale) {
    for (int d = 1; d <= 7; ++d) {
        if (abbreviates(word, QString::fromLatin1(englishDays[d - 1])) ||
            abbreviates(word, locale.dayName(d, QLocale::LongFormat)))
            return true;
    }
    return false;
}

int readDigits(QStringView text, qsizetype& pos, int& digits) {
    int value = 0;
    digits = 0;
    while (pos < text.size() && text[pos].isDigit() && text[pos].unicode() < 128) {
        if (digits < 9)
            value = value * 10 + (text[pos].unicode() - '0');
        ++digits;
        ++pos;
    }
    return value;
}

// Reads "h:mm[:ss[.fff]]" from pos, which stands on the hours.
std::optional<QTime> readTime(QStringView text, qsizetype& pos) {
    int digits = 0;
    int fields[3] = {0, 0, 0};
    int count = 0;
    while (count < 3) {
        fields[count++] = readDigits(text, pos, digits);
        if (digits == 0 || digits > 2)
            return std::nullopt;
        if (pos >= text.size() || text[pos] != u':' || count == 3)
            break;
        ++pos;
    }
    int msec = 0;
    if (count == 3 && pos < text.size() && text[pos] == u'.') {
        ++pos;
        const int fraction = readDigits(text, pos, digits);
        msec = digits == 0 ? 0 : int(fraction * 1000.0 / std::pow(10.0, std::min(digits, 9)));
    }
    const QTime time(fields[0], fields[1], fields[2], msec);
    return time.isValid() ? std::optional(time) : std::nullopt;
}

bool applyMeridiem(std::optional<QTime>& time, const QString& word, const QLocale& locale) {
    const bool am = word.compare(u"am", Qt::CaseInsensitive) == 0 ||
                    word.compare(u"a", Qt::CaseInsensitive) == 0 ||
                    word.compare(locale.amText(), Qt::CaseInsensitive) == 0;
    const bool pm = word.compare(u"pm", Qt::CaseInsensitive) == 0 ||
                    word.compare(u"p", Qt::CaseInsensitive) == 0 ||
                    word.compare(locale.pmText(), Qt::CaseInsensitive) == 0;
    if ((!am && !pm) || !time || time->hour() > 12 || time->hour() == 0)
        return false;
    int hour = time->hour() % 12 + (pm ? 12 : 0);
    time = QTime(hour, time->minute(), time->second(), time->msec());
    return true;
}

std::optional<Pieces> split(QStringView text, const QLocale& locale) {
    Pieces pieces;
    qsizetype pos = 0;
    while (pos < text.size()) {
        const QChar ch = text[pos];
        if (ch.isDigit() && ch.unicode() < 128) {
            const qsizetype start = pos;
            int digits = 0;
            const int value = readDigits(text, pos, digits);
            if (pos < text.size() && text[pos] == u':') {
                if (pieces.time)
                    return std::nullopt;
                pos = start;
                pieces.time = readTime(text, pos);
                if (!pieces.time)
                    return std::nullopt;
                continue;
            }
            pieces.numbers.append({value, digits});
        } else if (ch.isLetter()) {
            const qsizetype start = pos;
            while (pos < text.size() && text[pos].isLetter())
                ++pos;
            const QString word = text.mid(start, pos - start).toString();
            if (applyMeridiem(pieces.time, word, locale) || isWeekday(word, locale))
                continue;
            const int month = monthOfWord(word, locale);
            if (month == 0 || pieces.month != 0)
                return std::nullopt;
            pieces.month = month;
        } else if (ch == u' ' || ch == u'/' || ch == u'-' || ch == u'.' || ch == u',' || ch == u'\t') {
            ++pos;
        } else {
            return std::nullopt;
        }
    }
    return pieces;
}

int fullYear(const Number& year) {
    if (year.digits > 2)
        return year.value;
    return year.value < 30 ? 2000 + year.value : 1900 + year.value;
}

bool looksLikeYear(const Number& n) {
    return n.digits > 2 || n.value > 31;
}

QDate dateInOrder(const QList<Number>& numbers, const QString& order) {
    int day = 0, month = 0, year = 0;
    for (int i = 0; i < 3; ++i) {
        switch (order[i].unicode()) {
        case 'd':
            day = numbers[i].value;
            break;
        case 'm':
            month = numbers[i].value;
            break;
        default:
            year = fullYear(numbers[i]);
            break;
        }
    }
    return QDate(year, month, day);
}

QDate dateOfThree(const QList<Number>& numbers, const QString& localeOrder, bool otherOrders) {
    if (looksLikeYear(numbers[0]))
        return dateInOrder(numbers, QStringLiteral("ymd"));
    // The locale's order first; when it gives no valid date, the other usual orders.
    const QStringList orders = otherOrders ? QStringList{localeOrder, QStringLiteral("dmy"),
                                                         QStringLiteral("mdy"), QStringLiteral("ymd")}
                                           : QStringList{localeOrder};
    for (const QString& order : orders) {
        const QDate date = dateInOrder(numbers, order);
        if (date.isValid())
            return date;
    }
    return {};
}

QDate dateOfTwo(const QList<Number>& numbers, const QString& localeOrder) {
    if (looksLikeYear(numbers[1]))
        return QDate(fullYear(numbers[1]), numbers[0].value, 1);
    if (looksLikeYear(numbers[0]))
        return QDate(fullYear(numbers[0]), numbers[1].value, 1);
    const int thisYear = Clock::Today().year();
    const bool dayFirst = localeOrder.indexOf(u'd') < localeOrder.indexOf(u'm');
    QDate date = dayFirst ? QDate(thisYear, numbers[1].value, numbers[0].value)
                          : QDate(thisYear, numbers[0].value, numbers[1].value);
    if (!date.isValid())
        date = dayFirst ? QDate(thisYear, numbers[0].value, numbers[1].value)
                        : QDate(thisYear, numbers[1].value, numbers[0].value);
    return date;
}

QDate dateWithMonthName(const QList<Number>& numbers, int month) {
    if (numbers.size() == 1) {
        if (looksLikeYear(numbers[0]))
            return QDate(fullYear(numbers[0]), month, 1);
        return QDate(Clock::Today().year(), month, numbers[0].value);
    }
    if (numbers.size() != 2)
        return {};
    if (looksLikeYear(numbers[0]))
        return QDate(fullYear(numbers[0]), month, numbers[1].value);
    return QDate(fullYear(numbers[1]), month, numbers[0].value);
}

} // namespace

QString DateConversion::DayOrder(const QLocale& locale) {
    const QString format = locale.dateFormat(QLocale::ShortFormat);
    QList<std::pair<qsizetype, QChar>> positions = {
        {format.indexOf(u'd'), u'd'}, {format.indexOf(u'M'), u'm'}, {format.indexOf(u'y'), u'y'}};
    for (const auto& [index, letter] : positions) {
        if (index < 0)
            return QStringLiteral("dmy");
    }
    std::sort(positions.begin(), positions.end());
    return QString(positions[0].second) + positions[1].second + positions[2].second;
}

std::optional<QDateTime> DateConversion::Read(QStringView text, const QLocale& locale) {
    return read(text, locale, true);
}

std::optional<QDateTime> DateConversion::ReadInDayOrder(QStringView text, const QLocale& locale) {
    return read(text, locale, false);
}

std::optional<QDateTime> DateConversion::read(QStringView text, const QLocale& locale, bool otherOrders) {
    const auto pieces = split(text.trimmed(), locale);
    if (!pieces)
        return std::nullopt;
    QDate date;
    if (pieces->month != 0)
        date = dateWithMonthName(pieces->numbers, pieces->month);
    else if (pieces->numbers.size() == 3)
        date = dateOfThree(pieces->numbers, DayOrder(locale), otherOrders);
    else if (pieces->numbers.size() == 2)
        date = dateOfTwo(pieces->numbers, DayOrder(locale));
    // Dates run from the year 100 to 9999, as on Windows systems.
    if (!date.isValid() || date.year() < 100 || date.year() > 9999)
        return std::nullopt;
    return QDateTime(date, pieces->time.value_or(QTime(0, 0)), Qt::UTC);
}
