#include "importers/RunOutcome.h"

#include "base/Clock.h"
#include "base/DebugLog.h"
#include "base/ScheduleDateTools.h"

#include <QTextStream>

#include <cmath>

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

double positionOf(const ScheduleDate& hour) {
    return hour.Day + std::floor(hour.Seconds / 3600.0) / 24.0;
}

} // namespace

void RunOutcome::Start(bool dry, bool keep) {
    *this = RunOutcome();
    dryRun = dry;
    recorded = keep || dry;
    started = Clock::Now();
}

void RunOutcome::Finish(const ScheduleDate& from, const ScheduleDate& to) {
    first = from;
    last = to;
    finished = Clock::Now();
}

RunOutcome::Hour& RunOutcome::hour(const ScheduleDate& start) {
    Hour& entry = hours[positionOf(start)];
    entry.Start = {start.Day, float(std::floor(start.Seconds / 3600.0) * 3600.0)};
    return entry;
}

void RunOutcome::MusicHour(const ScheduleDate& start, Fate fate, const QString& reason) {
    ++musicCounts[fate];
    if (fate == NotWritten)
        hoursNotWritten.append(start);
    if (fate == NotInFile)
        hoursNotInFile.append(start);
    if (!recorded)
        return;
    Hour& entry = hour(start);
    entry.Music = fate;
    entry.MusicReason = reason;
}

void RunOutcome::AdvertHour(const ScheduleDate& start, Fate fate, const QString& reason,
                            const QList<int>& breaks, bool caughtUp) {
    if (fate == NotWritten)
        advertHoursNotWritten.append(start);
    for (const int adverts : breaks) {
        advertsPushed += fate == Written || fate == Planned ? adverts : 0;
        emptyBreaks += adverts == 0 && fate != NotWritten ? 1 : 0;
    }
    if (caughtUp && fate != NotWritten)
        hoursCaughtUp.append(start);
    if (!recorded)
        return;
    Hour& entry = hour(start);
    entry.Adverts = fate;
    entry.AdvertsReason = reason;
    entry.Breaks = breaks;
    entry.CaughtUp = caughtUp;
}

void RunOutcome::Rejected(const QString& file, int line, const QString& text, const QString& reason) {
    if (recorded)
        rejected.append({file, line, text, reason});
}

void RunOutcome::CartMissing(const ScheduleDate& hour, const QString& cart, const QString& title,
                             const QString& problem) {
    ++missingCarts;
    if (recorded)
        carts.append({hour, cart, title, problem});
}

const QList<LogItem>* RunOutcome::PlannedHour(double position) const {
    const auto found = plannedHours.constFind(position);
    return found == plannedHours.cend() ? nullptr : &*found;
}

void RunOutcome::Warn(const QString& text) {
    if (warnings.contains(text))
        return;
    warnings.append(text);
    WriteDebug(u"Warning: "_s + text);
    QTextStream(stderr) << u"logimporter: warning: "_s << text << Qt::endl;
}

void RunOutcome::Stop(const QString& signal) {
    stoppedBy = signal;
    givenUp = u"it was stopped by "_s + signal;
}

RunOutcome::ExitStatus RunOutcome::Status() const {
    if (importerRefused)
        return ImporterNotRun;
    if (rangeRefused)
        return RangeRefused;
    if (!stoppedBy.isEmpty())
        return Stopped;
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
    case NotReady:
        return u"something in the checked range is not ready"_s;
    case Stopped:
        return u"stopped before the end of the range"_s;
    }
    return u"unknown"_s;
}

QString RunOutcome::FateText(Fate fate) {
    switch (fate) {
    case Written:
        return u"written"_s;
    case Planned:
        return u"write"_s;
    case Skipped:
        return u"skipped"_s;
    case NotInFile:
        return u"not-in-file"_s;
    case NotWritten:
        return u"failed"_s;
    case Untouched:
        break;
    }
    return {};
}

QString RunOutcome::SummaryLine(const QString& label, const QString& value) {
    return (label + u':').leftJustified(summaryWidth) + value;
}

QStringList RunOutcome::Summary() const {
    const QString written = dryRun ? u"hours to write"_s : u"hours written"_s;
    QStringList lines;
    if (!stoppedBy.isEmpty())
        lines.append(SummaryLine(u"stopped"_s, u"by "_s + stoppedBy + u", before the end of the range"_s));
    if (!dryRun && Status() == Complete && Count(Written) == 0 && advertsPushed == 0)
        lines.append(SummaryLine(u"nothing new"_s,
                                 u"all is well: what the files offered was already in the Scheduled Log "
                                 u"(the application log's \"Importing log was abandoned\" says only that)"_s));
    return lines + QStringList{SummaryLine(written, QString::number(Count(dryRun ? Planned : Written))),
            SummaryLine(u"hours already there"_s, QString::number(Count(Skipped))),
            SummaryLine(u"hours not written"_s, hoursText(hoursNotWritten)),
            SummaryLine(u"hours not in the file"_s, hoursText(hoursNotInFile)),
            SummaryLine(dryRun ? u"adverts to push"_s : u"adverts pushed"_s, QString::number(advertsPushed)),
            SummaryLine(u"advert hours not written"_s, hoursText(advertHoursNotWritten)),
            SummaryLine(u"advert hours caught up"_s, hoursText(hoursCaughtUp)),
            SummaryLine(u"breaks left empty"_s, QString::number(emptyBreaks)),
            SummaryLine(u"missing or silent carts"_s, QString::number(missingCarts)),
            SummaryLine(u"warnings"_s, QString::number(warnings.size()))};
}
