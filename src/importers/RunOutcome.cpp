#include "importers/RunOutcome.h"

#include "base/DebugLog.h"
#include "base/ScheduleDateTools.h"

#include <QTextStream>

using namespace Qt::Literals::StringLiterals;

namespace {

// How many hours not written the summary names before it only counts the rest.
constexpr qsizetype namedHours = 5;
// The width of a summary line's label, so that the values stand in one column.
constexpr int summaryWidth = 26;

QString hoursText(const QList<ScheduleDate>& hours) {
    QStringList named;
    for (qsizetype i = 0; i < std::min(hours.size(), namedHours); ++i)
        named.append(ScheduleDateTools::FormatScheduleDate(hours[i], 4));
    if (hours.size() > namedHours)
        named.append(u"and %1 more"_s.arg(hours.size() - namedHours));
    return named.isEmpty() ? u"0"_s : u"%1 (%2)"_s.arg(hours.size()).arg(named.join(u", "_s));
}

} // namespace

void RunOutcome::Clear() {
    *this = RunOutcome();
}

void RunOutcome::Warn(const QString& text) {
    if (warnings.contains(text))
        return;
    warnings.append(text);
    WriteDebug(u"Warning: "_s + text);
    QTextStream(stderr) << u"logimporter: warning: "_s << text << Qt::endl;
}

RunOutcome::ExitStatus RunOutcome::Status() const {
    if (importerRefused)
        return ImporterNotRun;
    if (rangeRefused)
        return RangeRefused;
    if (!hoursNotWritten.isEmpty() || !advertHoursNotWritten.isEmpty())
        return Incomplete;
    if (!warnings.isEmpty() || !hoursNotInFile.isEmpty())
        return WithWarnings;
    return Complete;
}

QString RunOutcome::StatusMeaning(int status) {
    switch (status) {
    case Complete:
        return u"everything the log files offered is in the Scheduled Log"_s;
    case StartUpFailed:
        return u"the start-up failed"_s;
    case ImporterNotRun:
        return u"an importer could not run"_s;
    case RangeRefused:
        return u"the range was refused and nothing was written"_s;
    case Incomplete:
        return u"incomplete: hours or adverts the log files offered were not written"_s;
    case WithWarnings:
        return u"finished with warnings"_s;
    }
    return u"unknown"_s;
}

QString RunOutcome::SummaryLine(const QString& label, const QString& value) {
    return (label + u':').leftJustified(summaryWidth) + value;
}

QStringList RunOutcome::Summary() const {
    return {SummaryLine(u"hours written"_s, QString::number(hoursWritten)),
            SummaryLine(u"hours already there"_s, QString::number(hoursAlreadyThere)),
            SummaryLine(u"hours not written"_s, hoursText(hoursNotWritten)),
            SummaryLine(u"hours not in the file"_s, hoursText(hoursNotInFile)),
            SummaryLine(u"adverts pushed"_s, QString::number(advertsPushed)),
            SummaryLine(u"advert hours not written"_s, hoursText(advertHoursNotWritten)),
            SummaryLine(u"advert hours caught up"_s, hoursText(hoursCaughtUp)),
            SummaryLine(u"breaks left empty"_s, QString::number(emptyBreaks)),
            SummaryLine(u"missing or silent carts"_s, QString::number(missingCarts)),
            SummaryLine(u"warnings"_s, QString::number(warnings.size()))};
}
