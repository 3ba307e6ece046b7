#include "importers/RunOutcome.h"

#include "base/Clock.h"
#include "base/DebugLog.h"
#include "base/ScheduleDateTools.h"

#include <QSet>

#include <cmath>
#include <utility>

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
    std::function<void(const QString&)> sink = std::move(warningSink);
    *this = RunOutcome();
    warningSink = std::move(sink);
    dryRun = dry;
    recorded = keep || dry;
    started = Clock::Now();
    startedAt = ScheduleDateTools::FromDate(started);
}

void RunOutcome::Finish(const ScheduleDate& from, const ScheduleDate& to) {
    first = from;
    last = to;
    finished = Clock::Now();
}

bool RunOutcome::IsOnAir(const ScheduleDate& hour) const {
    if (startedAt.Day <= 0 || positionOf(hour) > positionOf(startedAt))
        return false;
    const Hour* written = HourAt(hour);
    return !written || (written->Music != Written && written->Music != Planned);
}

RunOutcome::Hour& RunOutcome::hour(const ScheduleDate& start) {
    Hour& entry = hours[positionOf(start)];
    entry.Start = {start.Day, float(std::floor(start.Seconds / 3600.0) * 3600.0)};
    return entry;
}

const RunOutcome::Hour* RunOutcome::HourAt(const ScheduleDate& start) const {
    const auto found = hours.constFind(positionOf(start));
    return found == hours.cend() ? nullptr : &*found;
}

void RunOutcome::MusicHour(const ScheduleDate& start, Fate fate, const QString& reason) {
    Hour& entry = hour(start);
    entry.Music = fate;
    entry.MusicReason = reason;
}

void RunOutcome::AdvertHour(const ScheduleDate& start, Fate fate, const QString& reason,
                            const QList<Break>& breaks, bool caughtUp) {
    Hour& entry = hour(start);
    entry.Adverts = fate;
    entry.AdvertsReason = reason;
    entry.Breaks = breaks;
    entry.CaughtUp = caughtUp;
}

bool RunOutcome::Underrun(const ScheduleDate& start) {
    return !std::exchange(hour(start).Underruns, true);
}

int RunOutcome::MissingCarts() const {
    QSet<QString> numbers;
    for (const MissingCart& cart : carts)
        numbers.insert(cart.Cart);
    return int(numbers.size());
}

void RunOutcome::Rejected(const QString& file, int line, const QString& text, const QString& reason) {
    if (recorded)
        rejected.append({file, line, text, reason});
}

void RunOutcome::AdvertLine(const Line& line) {
    ++lineFates[size_t(line.Fate)];
    if (recorded)
        lines.append(line);
}

QString RunOutcome::UnplacedLine::Why() const {
    const QString at = u"the advert line at "_s + ScheduleDateTools::FormatSeconds(Time, 12);
    if (NearestBreak < 0)
        return at + u" went into no break: its hour holds none"_s;
    const QString breakAt = ScheduleDateTools::FormatSeconds(NearestBreak, 12);
    if (AfterItsRun)
        return at + u" went into no break: the lines of the break at "_s + breakAt +
               u" had ended before it (a blank line or a line of another time came between)"_s;
    return at + u" went into no break: the nearest, at "_s + breakAt + u", is "_s +
           QString::number(qRound(Distance)) + u" s away"_s;
}

void RunOutcome::CartMissing(const ScheduleDate& hour, const QString& cart, const QString& title,
                             const QString& problem) {
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
    if (warningSink)
        warningSink(text);
}

void RunOutcome::Stop(const QString& signal) {
    stoppedBy = signal;
    givenUp = u"it was stopped by "_s + signal;
}

int RunOutcome::Count(Fate music) const {
    return int(std::count_if(hours.cbegin(), hours.cend(),
                             [music](const Hour& hour) { return hour.Music == music; }));
}

QList<ScheduleDate> RunOutcome::hoursWhere(const std::function<bool(const Hour&)>& test) const {
    QList<ScheduleDate> found;
    for (const Hour& hour : hours) {
        if (test(hour))
            found.append(hour.Start);
    }
    return found;
}

QList<ScheduleDate> RunOutcome::HoursNotWritten() const {
    return hoursWhere([](const Hour& hour) { return hour.Music == NotWritten || hour.Music == Unreadable; });
}

QList<ScheduleDate> RunOutcome::HoursNotInFile() const {
    return hoursWhere([](const Hour& hour) { return hour.Music == NotInFile; });
}

QList<ScheduleDate> RunOutcome::AdvertHoursNotWritten() const {
    return hoursWhere(
        [](const Hour& hour) { return hour.Adverts == NotWritten || hour.Adverts == Unreadable; });
}

QList<ScheduleDate> RunOutcome::AdvertHoursTooLate() const {
    return hoursWhere([](const Hour& hour) { return hour.Adverts == TooLate; });
}

QList<ScheduleDate> RunOutcome::HoursCaughtUp() const {
    return hoursWhere([](const Hour& hour) {
        return hour.CaughtUp && (hour.Adverts == Written || hour.Adverts == Planned);
    });
}

int RunOutcome::Underruns() const {
    return int(std::count_if(hours.cbegin(), hours.cend(), [](const Hour& hour) { return hour.Underruns; }));
}

RunOutcome::AdvertTotals RunOutcome::Adverts() const {
    AdvertTotals totals;
    for (const Hour& hour : hours)
        totals += TotalsOf(hour);
    return totals;
}

RunOutcome::AdvertTotals& RunOutcome::AdvertTotals::operator+=(const AdvertTotals& more) {
    Adverts += more.Adverts;
    Breaks += more.Breaks;
    Filled += more.Filled;
    Empty += more.Empty;
    Filtered += more.Filtered;
    Corrupt += more.Corrupt;
    NotWritten += more.NotWritten;
    TooLate += more.TooLate;
    return *this;
}

RunOutcome::AdvertTotals RunOutcome::TotalsOf(const Hour& hour) {
    AdvertTotals totals;
    for (const Break& met : hour.Breaks) {
        switch (met.Fate) {
        case BreakFate::Filled:
            ++totals.Filled;
            totals.Adverts += met.Adverts;
            break;
        case BreakFate::Empty:
            ++totals.Empty;
            break;
        case BreakFate::Filtered:
            ++totals.Filtered;
            break;
        case BreakFate::Corrupt:
        case BreakFate::HeldBack:
            ++totals.Corrupt;
            break;
        case BreakFate::NotWritten:
            ++totals.NotWritten;
            break;
        case BreakFate::TooLate:
            ++totals.TooLate;
            continue; // not walked
        case BreakFate::AlreadyThere:
            continue;
        }
        ++totals.Breaks;
    }
    return totals;
}

RunOutcome::ExitStatus RunOutcome::Status() const {
    if (!startUpFailure.isEmpty())
        return StartUpFailed;
    if (importerRefused)
        return ImporterNotRun;
    if (rangeRefused)
        return RangeRefused;
    if (!stoppedBy.isEmpty())
        return Stopped;
    const auto refused = [](const Hour& hour) {
        return hour.Music == NotWritten || hour.Adverts == NotWritten;
    };
    if (std::any_of(hours.cbegin(), hours.cend(), refused))
        return Incomplete;
    // The files offered something that is not in the Scheduled Log: a line that
    // cannot be read, an hour they do not give, adverts for an hour already on air.
    const auto wanting = [](const Hour& hour) {
        return hour.Music == NotInFile || hour.Music == Unreadable || hour.Adverts == Unreadable ||
               (hour.Adverts == TooLate && std::any_of(hour.Breaks.cbegin(), hour.Breaks.cend(),
                                                       [](const Break& met) { return met.Adverts > 0; }));
    };
    if (!warnings.isEmpty() || !unplaced.isEmpty() || std::any_of(hours.cbegin(), hours.cend(), wanting))
        return WithWarnings;
    return Complete;
}

QString RunOutcome::StatusMeaning(int status, bool planned) {
    switch (status) {
    case Complete:
        return planned ? u"everything the log files offered would be in the Scheduled Log"_s
                       : u"everything the log files offered is in the Scheduled Log"_s;
    case StartUpFailed:
        return u"the start-up failed"_s;
    case ImporterNotRun:
        return planned ? u"an importer could not plan"_s : u"an importer could not run"_s;
    case RangeRefused:
        return planned ? u"the range was refused and nothing would be written"_s
                       : u"the range was refused and nothing was written"_s;
    case Incomplete:
        return planned ? u"incomplete: hours or adverts the log files offered would not be written"_s
                       : u"incomplete: hours or adverts the log files offered were not written"_s;
    case WithWarnings:
        return planned ? u"it would finish with warnings"_s : u"finished with warnings"_s;
    case NotReady:
        return u"something in the checked range is not ready"_s;
    case Stopped:
        return planned ? u"stopped before the end of the range was planned"_s
                       : u"stopped before the end of the range"_s;
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
    case Unreadable:
        return u"unreadable"_s;
    case TooLate:
        return u"too-late"_s;
    case Untouched:
        break;
    }
    return {};
}

QString RunOutcome::BreakFateText(BreakFate fate) {
    // In the order of the fates.
    static const char* const words[] = {"filled",    "empty",  "filtered", "corrupt",
                                        "held-back", "failed", "too-late", "already-there"};
    static_assert(std::size(words) == int(BreakFate::AlreadyThere) + 1);
    return QString::fromLatin1(words[int(fate)]);
}

QString RunOutcome::LineFateText(LineFate fate) {
    // In the order of the fates.
    static const char* const words[] = {"placed", "unplaced", "unreadable", "filtered", "notWalked"};
    static_assert(std::size(words) == size_t(LineFate::NotWalked) + 1);
    return QString::fromLatin1(words[size_t(fate)]);
}

QString RunOutcome::AdvertSummary() const {
    const AdvertTotals totals = Adverts();
    QString summary = u"%1 adverts pushed into %2 ad break(s)"_s.arg(totals.Adverts).arg(totals.Breaks);
    if (totals.Empty > 0)
        summary += u" of which %1 break(s) remained empty."_s.arg(totals.Empty);
    QStringList others;
    if (totals.NotWritten > 0)
        others.append(u"%1 not written"_s.arg(totals.NotWritten));
    if (totals.Filtered > 0)
        others.append(u"%1 with only lines of other types than the filter's"_s.arg(totals.Filtered));
    if (totals.Corrupt > 0)
        others.append(u"%1 in hours with a corrupt line"_s.arg(totals.Corrupt));
    if (totals.TooLate > 0)
        others.append(u"%1 too late, their hours had started"_s.arg(totals.TooLate));
    if (others.isEmpty())
        return summary;
    return summary + (summary.endsWith(u'.') ? u" "_s : u". "_s) + u"Breaks not filled: "_s +
           others.join(u", "_s) + u'.';
}

QString RunOutcome::SummaryLine(const QString& label, const QString& value) {
    return (label + u':').leftJustified(summaryWidth) + value;
}

QStringList RunOutcome::Summary() const {
    const QString written = dryRun ? u"hours to write"_s : u"hours written"_s;
    const AdvertTotals adverts = Adverts();
    QStringList lines;
    if (!stoppedBy.isEmpty())
        lines.append(SummaryLine(u"stopped"_s, u"by "_s + stoppedBy + u", before the end of the range"_s));
    if (!dryRun && Status() == Complete && Count(Written) == 0 && adverts.Adverts == 0)
        lines.append(SummaryLine(
            u"nothing new"_s, u"all is well: what the files offered was already in the Scheduled Log "
                              u"(the application log's \"Importing log was abandoned\" says only that)"_s));
    return lines +
           QStringList{
               SummaryLine(written, QString::number(Count(dryRun ? Planned : Written))),
               SummaryLine(u"hours already there"_s, QString::number(Count(Skipped))),
               SummaryLine(dryRun ? u"hours that would fail"_s : u"hours not written"_s,
                           hoursText(HoursNotWritten())),
               SummaryLine(u"hours not in the file"_s, hoursText(HoursNotInFile())),
               SummaryLine(dryRun ? u"adverts to push"_s : u"adverts pushed"_s,
                           QString::number(adverts.Adverts)),
               SummaryLine(dryRun ? u"advert hours would fail"_s : u"advert hours not written"_s,
                           hoursText(AdvertHoursNotWritten())),
               SummaryLine(u"advert hours caught up"_s, hoursText(HoursCaughtUp())),
               SummaryLine(u"advert hours too late"_s, hoursText(AdvertHoursTooLate())),
               SummaryLine(u"breaks left empty"_s, QString::number(adverts.Empty)),
               SummaryLine(u"breaks filtered out"_s, QString::number(adverts.Filtered)),
               SummaryLine(u"corrupt advert breaks"_s, QString::number(adverts.Corrupt)),
               SummaryLine(u"advert lines unplaced"_s, QString::number(unplaced.size())),
               SummaryLine(u"advert lines unreadable"_s, QString::number(AdvertLines(LineFate::Unreadable))),
               SummaryLine(u"items missing audio"_s, QString::number(ItemsMissingAudio())),
               SummaryLine(u"carts missing or silent"_s, QString::number(MissingCarts())),
               SummaryLine(u"warnings"_s, QString::number(warnings.size()))};
}
