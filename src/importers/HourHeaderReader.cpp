#include "importers/HourHeaderReader.h"

#include "base/DateConversion.h"
#include "base/LineSource.h"
#include "base/NumericText.h"
#include "base/ScheduleDateTools.h"
#include "importers/MusicLogLine.h"

#include <QLocale>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr qint32 firstOf1980 = 29221;

std::optional<qint32> dayOf(const QString& text) {
    const auto date = DateConversion::ReadInDayOrder(text);
    if (!date)
        return std::nullopt;
    return ScheduleDateTools::DaySerial(date->date());
}

HourHeaderReader::Result failure(HourHeaderReader::Problem why) {
    return {std::nullopt, why};
}

// Reads on, starting with the line in hand, to the first line that begins with the
// text; False at the end of the lines.
bool seek(QString& line, LineSource& more, const QString& start) {
    while (!line.startsWith(start)) {
        if (!more.NextLine(line))
            return false;
    }
    return true;
}

bool isHour(double hour) {
    return hour >= 0 && hour <= 23;
}

} // namespace

HourHeaderReader::Result HourHeaderReader::Read(const QString& line, LineSource& more) {
    return line.mid(1, 1) == u"*" ? readBlock(line, more) : readOneLine(line);
}

QString HourHeaderReader::Action(Problem problem) {
    switch (problem) {
    case BadDate:
        return u"reading the date from the Music Log"_s;
    case BadHour:
        return u"reading the time from the Music Log"_s;
    default:
        return {};
    }
}

HourHeaderReader::Result HourHeaderReader::readOneLine(const QString& line) {
    const QString rest = line.mid(1);
    const qsizetype dateEnd = rest.indexOf(u' ');
    const auto day = dayOf(dateEnd < 0 ? rest : rest.left(dateEnd));
    if (!day)
        return failure(BadDate);
    const QString afterDate = dateEnd < 0 ? QString() : rest.mid(dateEnd + 1);
    const qsizetype timeEnd = afterDate.indexOf(u' ');
    const QString time = timeEnd < 0 ? afterDate : afterDate.left(timeEnd);
    const double hour = NumericText::Value(time.left(2));
    if (!isHour(hour))
        return failure(BadHour);
    Header header;
    header.Hour = {*day, float(hour * 3600.0)};
    header.Name = timeEnd < 0 ? QString() : afterDate.mid(timeEnd + 1);
    return {header, None};
}

HourHeaderReader::Result HourHeaderReader::readBlock(const QString& first, LineSource& more) {
    QString line = first;
    if (!seek(line, more, u"Date :"_s))
        return failure(CutShort);
    QString dateLine = line;
    // A two-digit year becomes a year of the 2000s.
    if (NumericText::Value(MusicLogLine::Columns(dateLine, 14, 15)) < 20)
        dateLine.insert(13, u"20"_s);
    auto day = dayOf(dateLine.mid(6));
    if (!day)
        return failure(BadDate);
    if (*day < firstOf1980) {
        const QDate date = ScheduleDateTools::DateOfSerial(*day);
        const QLocale english(QLocale::English, QLocale::UnitedKingdom);
        day = dayOf(english.toString(date, u"dd MMM"_s) + u" 20"_s + english.toString(date, u"yy"_s));
        if (!day)
            return failure(BadDate);
    }

    if (!seek(line, more, u"Hour :"_s))
        return failure(CutShort);
    const double hour = NumericText::Value(line.mid(6));
    if (!isHour(hour))
        return failure(BadHour);

    if (!seek(line, more, u"Clock:"_s) || more.AtEnd())
        return failure(CutShort);
    return {Header{{*day, float(hour * 3600.0)}, line.mid(6).trimmed()}, None};
}
