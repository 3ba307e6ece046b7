#include "importers/MusicTableFormat.h"

#include "base/DelimitedLine.h"
#include "base/NumericText.h"
#include "base/ScheduleDateTools.h"
#include "importers/FormatDescription.h"

#include <QRegularExpression>

using namespace Qt::Literals::StringLiterals;

namespace {

// A line with texts at 1-based columns, each cut to the width before the next.
QString placed(std::initializer_list<std::tuple<int, int, QString>> fields) {
    QString line;
    for (const auto& [column, width, text] : fields)
        line = line.leftJustified(column - 1, u' ', true) + text.left(width);
    return line;
}

// A length as the native break note gives it, "mm:ss", from m:ss or seconds.
QString minutesAndSeconds(const QString& length) {
    if (length.contains(u':'))
        return length.rightJustified(5, u'0');
    const qint64 seconds = NumericText::WholeValue(length);
    return u"%1:%2"_s.arg(seconds / 60, 2, 10, QLatin1Char('0')).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

QString MusicTableFormat::columnKey(int column) {
    static const char* const keys[] = {"date",  "hour",   "hour name", "item",      "cart",
                                       "title", "artist", "length",    "break time"};
    return QString::fromLatin1(keys[column]);
}

QString MusicTableFormat::kindKey(int kind) {
    static const char* const keys[] = {"song", "jingle", "sweeper", "link", "break", "note"};
    return QString::fromLatin1(keys[kind]);
}

std::optional<MusicTableFormat> MusicTableFormat::Find(const QString& name, QString* problem) {
    const auto named = FormatDescription::Named(name, u"music log format"_s, problem);
    return named ? Parse(named->first, named->second, problem) : std::nullopt;
}

std::optional<MusicTableFormat> MusicTableFormat::Parse(const QString& text, const QString& fileName,
                                                        QString* problem) {
    const std::optional<FormatDescription> description = FormatDescription::Parse(text, fileName, problem);
    if (!description)
        return std::nullopt;
    const auto refuse = [&](const QString& key, const QString& why) {
        if (problem)
            *problem = description->Refusal(key, why);
        return std::nullopt;
    };
    if (const QString kind = description->Value(u"kind"_s); kind != u"table")
        return refuse(u"kind"_s,
                      kind.isEmpty() ? u"missing: table"_s : u"an unknown kind '%1': table"_s.arg(kind));
    MusicTableFormat format;
    for (const QString& key : description->Keys()) {
        if (const QString why = format.setKey(key, description->Value(key)); !why.isEmpty())
            return refuse(key, why);
    }
    for (const int needed : {Date, Hour, Item}) {
        if (!format.places[needed])
            return refuse({}, u"the %1's column is missing"_s.arg(columnKey(needed)));
    }
    if (format.kinds.isEmpty())
        return refuse({}, u"no kind word is given (song = ..., break = ...)"_s);
    for (int a = 0; a < ColumnCount; ++a) {
        for (int b = a + 1; b < ColumnCount; ++b) {
            if (format.places[a] && format.places[b] &&
                format.places[a]->Number == format.places[b]->Number &&
                format.places[a]->Name == format.places[b]->Name)
                return refuse({}, u"the %1 and the %2 are one column"_s.arg(columnKey(a), columnKey(b)));
        }
        if (format.places[a] && !format.places[a]->Name.isEmpty() && !format.header)
            return refuse({}, u"the %1 is found by its column's name, so the layout needs header = yes"_s.arg(
                                  columnKey(a)));
    }
    return format;
}

QString MusicTableFormat::setKey(const QString& key, const QString& value) {
    if (key == u"kind")
        return {};
    for (int column = 0; column < ColumnCount; ++column) {
        if (key != columnKey(column))
            continue;
        bool number = false;
        const int at = value.toInt(&number);
        if (number && (at < 1 || at > 999))
            return u"a column number from 1 to 999"_s;
        places[column] = Place{number ? at : 0, number ? QString() : value};
        return value.isEmpty() ? u"no column given"_s : QString();
    }
    for (int kind = 0; kind < KindCount; ++kind) {
        if (key != kindKey(kind))
            continue;
        for (const QString& word : value.split(u',', Qt::SkipEmptyParts)) {
            const QString upper = word.trimmed().toUpper();
            if (kinds.contains(upper))
                return u"the word '%1' is given to two kinds"_s.arg(word.trimmed());
            kinds.insert(upper, kind);
        }
        return {};
    }
    if (key == u"date form") {
        static const QRegularExpression form(u"^(?=.*dd)(?=.*mm)(?=.*yy)[dmy]+[^dmy]?[dmy]+[^dmy]?[dmy]+$"_s);
        dateForm = value;
        return form.match(value).hasMatch() ? QString()
                                            : u"dd, mm and yyyy (or yy) with a separator or none"_s;
    }
    if (key == u"header") {
        header = value == u"yes";
        return value == u"yes" || value == u"no" ? QString() : u"yes or no"_s;
    }
    if (key == u"separator") {
        separator = value == u"tab" ? QChar(u'\t') : value.isEmpty() ? QChar() : value[0];
        return value == u"tab" || value.size() == 1 ? QString() : u"one character, or tab"_s;
    }
    if (key == u"quote") {
        quote = value == u"none" || value.isEmpty() ? QChar() : value[0];
        return value == u"none" || value.size() == 1 ? QString() : u"one character, or none"_s;
    }
    return u"an unknown key"_s;
}

QString MusicTableFormat::TakeHeader(const QString& row) {
    const QStringList names = DelimitedLine::Of(row, separator, quote).Fields;
    for (std::optional<Place>& place : places) {
        if (!place || place->Name.isEmpty())
            continue;
        const qsizetype at = names.indexOf(place->Name);
        if (at < 0)
            return u"the header row has no column '%1'"_s.arg(place->Name);
        place->Number = int(at + 1);
    }
    return {};
}

std::optional<qint32> MusicTableFormat::dayOf(const QString& text) {
    // A day's rows give its date again and again: it is read once.
    if (text == lastDateText)
        return lastDay;
    QString pattern = dateForm;
    pattern.replace(u"mm"_s, u"MM"_s);
    QDate date = QDate::fromString(text, pattern);
    if (date.isValid() && !dateForm.contains(u"yyyy"_s) && date.year() < 2000)
        date = date.addYears(100); // a two-digit year is one of the 2000s
    lastDateText = text;
    // A day the music log's hour headers can name: years 100 to 9999.
    const bool named = date.isValid() && date.year() >= 100 && date.year() <= 9999;
    lastDay = named ? std::optional(ScheduleDateTools::DaySerial(date)) : std::nullopt;
    return lastDay;
}

std::optional<int> MusicTableFormat::hourOf(const QString& text) {
    // "h", "hh", or a time "hh:mm[:ss]" whose hour is taken.
    const qsizetype colon = text.indexOf(u':');
    const QStringView digits = QStringView(text).left(colon < 0 ? text.size() : colon);
    bool number = false;
    const int hour = digits.toInt(&number);
    const bool timeShaped = colon < 0 || text.size() == colon + 3 || text.size() == colon + 6;
    if (!number || digits.size() > 2 || hour < 0 || hour > 23 || !timeShaped)
        return std::nullopt;
    return hour;
}

MusicTableFormat::Rows MusicTableFormat::Read(const QString& row) {
    Rows rows;
    if (row.trimmed().isEmpty())
        return rows;
    const DelimitedLine::Split split = DelimitedLine::Of(row, separator, quote);
    if (!split.Problem.isEmpty()) {
        rows.Problem = u"%1 at character %2"_s.arg(split.Problem).arg(split.Column);
        return rows;
    }
    QStringList fields(ColumnCount);
    for (int column = 0; column < ColumnCount; ++column) {
        if (!places[column])
            continue;
        if (places[column]->Number > split.Fields.size()) {
            rows.Problem = u"the %1 is field %2, and the row has %3"_s.arg(columnKey(column))
                               .arg(places[column]->Number)
                               .arg(split.Fields.size());
            return rows;
        }
        fields[column] = split.Fields[places[column]->Number - 1].trimmed();
    }
    const std::optional<qint32> day = dayOf(fields[Date]);
    const std::optional<int> hour = hourOf(fields[Hour]);
    const auto kind = kinds.constFind(fields[Item].toUpper());
    if (!day)
        rows.Problem = u"the date '%1' is not %2"_s.arg(fields[Date], dateForm);
    else if (!hour)
        rows.Problem = u"the hour '%1' is not one from 0 to 23"_s.arg(fields[Hour]);
    else if (kind == kinds.cend())
        rows.Problem = u"the kind word '%1' is not one the description gives"_s.arg(fields[Item]);
    if (!rows.Problem.isEmpty())
        return rows;
    const ScheduleDate start{*day, float(*hour * 3600)};
    if (!hourInHand || *hourInHand != start) {
        hourInHand = start;
        const QString name =
            fields[HourName].isEmpty() ? u"%1:00"_s.arg(*hour, 2, 10, QLatin1Char('0')) : fields[HourName];
        rows.Lines.append(u"+%1 %2:00 %3"_s.arg(ScheduleDateTools::DateOfSerial(*day).toString(Qt::ISODate))
                              .arg(*hour, 2, 10, QLatin1Char('0'))
                              .arg(name));
    }
    if (Kind(*kind) == Break) {
        const QString time = fields[BreakTime].count(u':') == 1
                                 ? u"%1:%2"_s.arg(*hour, 2, 10, QLatin1Char('0')).arg(fields[BreakTime])
                                 : fields[BreakTime];
        rows.Lines.append(placed({{1, 1, u":"_s}, {15, 40, u"$$ "_s + time}}));
        return rows;
    }
    rows.Lines.append(itemLine(Kind(*kind), fields));
    return rows;
}

QString MusicTableFormat::itemLine(Kind kind, const QStringList& fields) const {
    switch (kind) {
    case Link:
        // A break note that names a cart is a link; one without a cart, a script of
        // the row's length (m:ss).
        return fields[Cart].isEmpty()
                   ? placed({{1, 1, u":"_s},
                             {15, 40, fields[Title]},
                             {70, 5, minutesAndSeconds(fields[Length])}})
                   : placed({{1, 1, u":"_s}, {15, 40, fields[Title]}, {64, 10, fields[Cart]}});
    case Note:
        return placed({{1, 1, u":"_s}, {15, 86, u"$C "_s + fields[Title]}});
    default:
        break;
    }
    static const char* const letters[] = {"L", "C", "S"};
    return placed({{1, 1, QString::fromLatin1(letters[kind])},
                   {2, 7, fields[Cart]},
                   {10, 33, fields[Title]},
                   {44, 20, fields[Artist]}});
}
