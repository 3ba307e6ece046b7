#include "importers/HourHeaderReader.h"

#include "importers/MusicLogLine.h"
#include "playout/DateConversion.h"
#include "playout/NumericText.h"
#include "playout/ScheduleDateTools.h"
#include "startup/Reporting.h"
#include "startup/iLineSource.h"

#include <QLocale>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr qint32 firstOf1980 = 29221;

std::optional<qint32> dayOf(const QString& text) {
    const auto date = DateConversion::Read(text);
    if (!date)
        return std::nullopt;
    return ScheduleDateTools::DaySerial(date->date());
}

std::nullopt_t dateProblem() {
    Reporting::ReportError(u"reading the date from the Music Log"_s, 0, false);
    return std::nullopt;
}

std::nullopt_t timeProblem() {
    Reporting::ReportError(u"reading the time from the Music Log"_s, 0, false);
    return std::nullopt;
}

// Reads on, starting with the line in hand, to the first line that begins with the
// text; False at the end of the lines.
bool seek(QString& line, iLineSource& more, const QString& start) {
    while (!line.startsWith(start)) {
        if (!more.NextLine(line))
            return false;
    }
    return true;
}

} // namespace

std::optional<HourHeaderReader::Header> HourHeaderReader::Read(const QString& line, iLineSource& more) {
    return line.mid(1, 1) == u"*" ? readBlock(line, more) : readOneLine(line);
}

std::optional<HourHeaderReader::Header> HourHeaderReader::readOneLine(const QString& line) {
    const QString rest = line.mid(1);
    const qsizetype dateEnd = rest.indexOf(u' ');
    const auto day = dayOf(dateEnd < 0 ? rest : rest.left(dateEnd));
    if (!day)
        return dateProblem();
    const QString afterDate = dateEnd < 0 ? QString() : rest.mid(dateEnd + 1);
    const qsizetype timeEnd = afterDate.indexOf(u' ');
    const QString time = timeEnd < 0 ? afterDate : afterDate.left(timeEnd);
    Header header;
    header.Hour = {*day, float(NumericText::Value(time.left(2)) * 3600.0)};
    header.Name = timeEnd < 0 ? QString() : afterDate.mid(timeEnd + 1);
    return header;
}

std::optional<HourHeaderReader::Header> HourHeaderReader::readBlock(const QString& first, iLineSource& more) {
    QString line = first;
    if (!seek(line, more, u"Date :"_s))
        return std::nullopt;
    QString dateLine = line;
    // A two-digit year becomes a year of the 2000s.
    if (NumericText::Value(MusicLogLine::Columns(dateLine, 14, 15)) < 20)
        dateLine.insert(13, u"20"_s);
    auto day = dayOf(dateLine.mid(6));
    if (!day)
        return dateProblem();
    if (*day < firstOf1980) {
        const QDate date = ScheduleDateTools::DateOfSerial(*day);
        const QLocale english(QLocale::English, QLocale::UnitedKingdom);
        day = dayOf(english.toString(date, u"dd MMM"_s) + u" 20"_s + english.toString(date, u"yy"_s));
        if (!day)
            return dateProblem();
    }

    if (!seek(line, more, u"Hour :"_s))
        return std::nullopt;
    const double hour = NumericText::Value(line.mid(6));
    if (hour < 0 || hour > 23)
        return timeProblem();

    if (!seek(line, more, u"Clock:"_s))
        return std::nullopt;
    return Header{{*day, float(hour * 3600.0)}, line.mid(6).trimmed()};
}
