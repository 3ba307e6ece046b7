#include "importers/advert/AdvertLogImporter.h"

#include "base/Clock.h"
#include "base/DebugLog.h"
#include "base/FileTools.h"
#include "base/GeneralTools.h"
#include "base/NumericText.h"
#include "base/ScheduleDateTools.h"
#include "base/TextFileReader.h"
#include "importers/LogDirectoryScan.h"
#include "importers/RunCarts.h"
#include "importers/advert/AdvertInformation.h"
#include "importers/advert/AdvertLineLayout.h"
#include "importers/advert/AdvertLogReader.h"
#include "importers/advert/AdvertPlacement.h"
#include "playout/OperatorSeam.h"
#include "stationdb/StartTimes.h"
#include "stationdb/StationDatabase.h"

using namespace Qt::Literals::StringLiterals;

namespace {

const QString adLog = u"AdLog"_s;

qint64 whole(double value) {
    return NumericText::RoundHalfEven(value);
}

} // namespace

struct AdvertLogImporter::Push {
    explicit Push(StationDatabase& db) : db(db) {}

    StationDatabase& db;
    std::optional<AdvertFormat> format; // the station's own layout, when it has one
    AdvertLogReader reader;
    // The line read last, with its time in whole seconds (-1 for a blank line);
    // pending while no hour has taken it yet.
    QString line;
    qint64 lineTime = 0;
    bool pending = false;
    qint64 window = 0; // the advert time window, in seconds
    QString filter;    // the advert type filter, trimmed
    // The day in hand, its place among the push's days, and the share of its hours done.
    qint32 day = 0;
    int dayIndex = 0;
    int days = 1;
    int hourNumber = 0; // the push's hours of the days begun
    int hourCount = 0;
    double share = 0;
    QSet<double> caughtUp; // the hours pushed late, before the range
    ScheduleDate hour;
    QString hourText; // begins every application log line about the hour
    int mode = 1;
    QString corrupt; // where and why the hour's first corrupt line cannot be read; "" when none is
    QString file;    // the day's advert log
    // The hour's breaks as they are to be filled, and what became of each in the plan.
    QList<BreakFill> fills;
    QList<RunOutcome::Break> breaks;
    QList<RunOutcome::UnplacedLine> unplaced; // the hour's lines that went into no break
    RunCarts lookups;
    CartSet carts;     // the carts pushed, for the advert information
    int logsFound = 0; // days of the range that had an advert log
};

AdvertLogImporter::AdvertLogImporter(std::function<StationDatabase*()> database)
    : AbstractLogImporter(std::move(database)) {}

QString AdvertLogImporter::GetImportLogFileName(qint32 day) {
    StationDatabase* db = database();
    return db ? db->AdvertLogFileName(day) : QString();
}

bool AdvertLogImporter::CheckReady() {
    StationDatabase* db = database();
    if (!db || !CheckDirectory(db->Settings().AdvertLogsDirectory(),
                               u"You must enter an 'Adverts Logs Directory' in Station Database Settings"_s,
                               u"Adverts Logs Directory"_s))
        return false;
    std::optional<AdvertFormat> format;
    QString problem;
    if (AdvertLogReader::StationFormat(db->Settings().AdvertLogFormat(), format, &problem))
        return true;
    Log(adLog, u"The advert log format cannot be used: "_s + problem);
    OperatorSeam::Message(u"The advert log format named in AdvertLogFormat cannot be used: "_s + problem +
                              u". Mend the description, or name another (stationdb format test NAME FILE "
                              u"tries one on a sample)."_s,
                          Operator::Exclamation);
    return false;
}

// ---- Scanning ------------------------------------------------------------------

bool AdvertLogImporter::ScanLogFilesForDateRanges(ScheduleDate& rangeFrom, ScheduleDate& rangeTo) {
    rangeFrom.Day = 0;
    rangeTo.Day = 0;
    progress().Begin(u"Scanning Log Files"_s, u"Scanning for Advert Log Files"_s);
    StationDatabase* db = database();
    const QString format = db ? db->Settings().AdvertFileNameFormat() : QString();
    if (format.trimmed().isEmpty()) {
        // Days come only from file names: today's file alone can give no range.
        ScheduleDate start{LogDirectoryScan::NoDay, 0}, end{0, 0};
        ScanLogFileForDateRange(GetImportLogFileName(ScheduleDateTools::Today().Day), start, end);
        return false;
    }
    const LogDirectoryScan::Days days = LogDirectoryScan::Scan(
        GetImportLogFileName(-1), db->Settings().AdvertFileNamePrefix(), format, progress(), false);
    if (days.First == LogDirectoryScan::NoDay)
        return false;

    ScheduleDate start{days.First, 0};
    ScheduleDate end{days.Last, 0};
    if (days.First == days.Last) {
        ScanLogFileForDateRange(GetImportLogFileName(days.First), start, end);
    } else {
        ScanLogFileForDateRange(GetImportLogFileName(days.Last), start, end);
        start = {days.First, 0};
        if (end.Seconds <= 0)
            end = ScheduleDateTools::ShiftSeconds(3600, days.Last);
        if (end.Day < 1)
            end = {start.Day, ScheduleDateTools::EndOfDay};
    }
    rangeFrom = start;
    rangeTo = end;
    return true;
}

bool AdvertLogImporter::ScanLogFileForDateRange(const QString& sourceFile, ScheduleDate& rangeFrom,
                                                ScheduleDate& rangeTo) {
    rangeFrom.Seconds = 0;
    rangeTo.Seconds = 0;
    if (FileTools::FileSize(sourceFile) <= 0)
        return false;
    progress().Process(u"Scanning Log File.."_s);
    progress().OverallPercent(0);
    std::optional<AdvertFormat> format;
    StationDatabase* db = database();
    if (db && !AdvertLogReader::StationFormat(db->Settings().AdvertLogFormat(), format, nullptr))
        return false;
    AdvertLogReader reader(format);
    if (!reader.Open(sourceFile))
        return false;
    QString line;
    while (!reader.AtEnd()) {
        progress().OverallPercent(Progress::FileShare(reader.BytesRead(), reader.Size()));
        reader.NextLine(line);
        if (line.isEmpty())
            continue;
        const float time = AdvertLineLayout::AdvertLineSeconds(line);
        rangeFrom.Seconds = std::min(rangeFrom.Seconds, time);
        rangeTo.Seconds = std::max(rangeTo.Seconds, time);
    }
    return false;
}

// ---- Pushing -------------------------------------------------------------------

bool AdvertLogImporter::ImportLogFiles(ScheduleDate& rangeFrom, ScheduleDate& rangeTo, bool) {
    return importHours(rangeFrom, rangeTo, hoursOf(rangeFrom, rangeTo), {});
}

bool AdvertLogImporter::CatchUp(const QList<ScheduleDate>& waiting, ScheduleDate& rangeFrom,
                                ScheduleDate& rangeTo) {
    Hours hours = hoursOf(rangeFrom, rangeTo);
    const double rangeStart = StationDatabase::LocateHour(rangeFrom);
    QSet<double> caughtUp;
    ScheduleDate from = rangeFrom;
    for (const ScheduleDate& hour : waiting) {
        if (StationDatabase::LocateHour(hour) >= rangeStart)
            continue; // the range's own hours are pushed anyway
        hours[hour.Day].append(int(hour.Seconds / 3600));
        caughtUp.insert(StationDatabase::LocateHour(hour));
        if (ScheduleDateTools::IsBefore(hour, from))
            from = hour;
    }
    for (QList<int>& day : hours)
        std::sort(day.begin(), day.end());
    return importHours(from, rangeTo, hours, caughtUp);
}

AdvertLogImporter::Hours AdvertLogImporter::hoursOf(const ScheduleDate& rangeFrom,
                                                    const ScheduleDate& rangeTo) {
    Hours hours;
    for (qint32 day = rangeFrom.Day; day <= rangeTo.Day; ++day) {
        const int first = day == rangeFrom.Day ? int(rangeFrom.Seconds / 3600) : 0;
        const int last = day == rangeTo.Day ? int(rangeTo.Seconds / 3600) : 23;
        QList<int>& list = hours[day];
        for (int hour = first; hour <= last; ++hour)
            list.append(hour);
    }
    return hours;
}

bool AdvertLogImporter::importHours(const ScheduleDate& rangeFrom, const ScheduleDate& rangeTo,
                                    const Hours& hours, const QSet<double>& caughtUp) {
    BeginHistory(u"Begin Advert Push, "_s + HourText(rangeFrom) + u" to "_s + HourText(rangeTo));
    StationDatabase* db = database();
    if (db)
        History(u"Pushing Adverts into Station Database "_s + db->DatabaseInfo().Name);
    WriteDebug(u"Pushing Adverts"_s, DebugLog::dbmNormal, DebugLog::IndentAfter);
    QString summary;
    const bool pushed = db && push(*db, hours, caughtUp, summary);
    WriteDebug(u"Pushing Adverts Complete"_s, DebugLog::dbmNormal, DebugLog::OutdentBefore);
    if (pushed) {
        progress().Finish();
    } else {
        Log(adLog, u"Pushing Adverts was abandoned"_s);
    }
    return pushed;
}

bool AdvertLogImporter::push(StationDatabase& db, const Hours& hours, const QSet<double>& caughtUp,
                             QString& summary) {
    progress().Begin(u"Pushing Advert Logs"_s, u"Opening Scheduled Log"_s,
                     u"Number of items missing audio:"_s, u"Number of Underrunning Hours:"_s);
    progress().ThirdCount(u"Number of adverts pushed:"_s);
    Push run(db);
    run.caughtUp = caughtUp;
    run.window = db.Settings().AdvertTimeWindow();
    run.filter = db.Settings().AdvertTypeFilter().trimmed();
    QString unusable;
    if (!AdvertLogReader::StationFormat(db.Settings().AdvertLogFormat(), run.format, &unusable)) {
        Log(adLog, u"The advert log format cannot be used: "_s + unusable);
        Outcome().Warn(u"the advert log format cannot be used: "_s + unusable);
        return false;
    }
    run.days = std::max<int>(1, int(hours.size()));
    run.dayIndex = -1;
    for (const QList<int>& ofDay : hours)
        run.hourCount += int(ofDay.size());
    for (auto day = hours.cbegin(); day != hours.cend(); ++day) {
        run.day = day.key();
        ++run.dayIndex;
        const int hoursBefore = run.hourNumber; // the hours of the days before, with or without a log
        run.hourNumber += int(day->size());
        if (!openDayLog(run)) {
            progress().Hour(run.hourNumber, run.hourCount); // the day's hours are passed
            continue;
        }
        for (qsizetype i = 0; i < day->size(); ++i) {
            run.share = double(i) / double(day->size());
            progress().Hour(hoursBefore + int(i) + 1, run.hourCount);
            pushHour(run, day->at(i));
        }
        progress().Task(u"Closing Advert Log File"_s);
        run.reader.Close();
    }

    // A day's advert log may come a night late and is then caught up; none at all
    // for the whole range is worth a look.
    if (run.logsFound == 0 && !hours.isEmpty())
        Outcome().Warn(u"no advert log was found for any day from "_s + DayText(hours.firstKey()) +
                       u" to "_s + DayText(hours.lastKey()) + u" in '"_s +
                       FileTools::FolderOfPath(db.AdvertLogFileName(hours.firstKey())) + u"'"_s);
    const bool writes = !Outcome().GaveUp() && !Outcome().DryRun();
    if (writes && !AdvertInformation::Refresh(db, run.carts)) {
        const QString problem =
            u"the advert information could not be brought up to date: "_s + db.LastWrite().Problem;
        Log(adLog, problem);
        Outcome().Warn(problem);
    }
    progress().Completed(u"Completed Pushing Advert Logs"_s);
    PauseForProgress();
    if (writes)
        db.SetAdvertLastChange(VersionStamp(), Clock::Now());
    summary = Outcome().AdvertSummary();
    History(u"Finish Advert Push, "_s + summary); // the run's closing box shows it too
    return true;
}

bool AdvertLogImporter::openDayLog(Push& run) {
    progress().Process(u"Opening Log for "_s + DayText(run.day));
    run.pending = false; // nothing read of the day's log yet
    const QString path = run.db.AdvertLogFileName(run.day);
    if (!DayLogReadable(adLog, u"advert"_s, run.day, path, false))
        return false;
    ++run.logsFound;
    run.reader = AdvertLogReader(run.format);
    run.file = path;
    if (QString why; !run.reader.Open(path, &why)) {
        Log(adLog, u"Log for "_s + DayText(run.day) + u" could not be read: "_s + why);
        Outcome().Warn(why + u"; the day's adverts were not pushed"_s);
        return false;
    }
    return true;
}

QList<AdvertLogImporter::HourLine> AdvertLogImporter::linesOfHour(Push& run) {
    // The log is in time order and read once, forward: the lines before the hour
    // belong to hours the push did not walk, and the first line after it is kept
    // for the next hour.
    const qint64 start = whole(run.hour.Seconds);
    const qint64 end = start + 3600;
    QList<HourLine> lines;
    for (;;) {
        if (!run.pending) {
            if (run.reader.AtEnd())
                break;
            run.reader.NextLine(run.line);
            run.lineTime = whole(AdvertLineLayout::AdvertLineSeconds(run.line));
            run.pending = true;
            if (!run.reader.LineProblem().isEmpty())
                unreadable(run);
        }
        if (run.lineTime >= end)
            break;
        run.pending = false;
        if (run.lineTime >= start || run.lineTime < 0) // a blank line parts two runs
            lines.append({run.line, run.lineTime, run.reader.LinesRead()});
    }
    return lines;
}

void AdvertLogImporter::placeLines(Push& run, const QList<LogItem>& items, bool build) {
    const QList<HourLine> lines = linesOfHour(run);
    if (build) { // the carts the hour's adverts name, in one query
        const qint32 offset = run.db.Settings().AdvertCartOffset();
        QStringList carts;
        for (const HourLine& line : lines)
            carts.append(AdvertLineLayout::AdvertLineCart(line.Text, offset));
        run.lookups.Prefetch(run.db, carts);
    }
    QList<const LogItem*> markers;
    QList<qint64> breakTimes;
    for (const LogItem& item : items) {
        if (StartTimes::IsBreakMarker(item)) {
            markers.append(&item);
            breakTimes.append(whole(item.Time));
        }
    }
    QList<qint64> lineTimes;
    for (const HourLine& line : lines)
        lineTimes.append(line.Time);
    const QList<AdvertPlacement::Place> places = AdvertPlacement::Of(breakTimes, lineTimes, run.window);
    QList<QList<const HourLine*>> perBreak(markers.size());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const AdvertPlacement::Place& place = places[i];
        if (place.Break >= 0)
            perBreak[place.Break].append(&lines[i]);
        else if (lines[i].Time >= 0 && typeTaken(run, lines[i]))
            run.unplaced.append({run.file, lines[i].Number, lines[i].Text, run.hour, float(lines[i].Time),
                                 float(place.Nearest), float(place.Distance), place.AfterItsRun});
    }
    for (qsizetype b = 0; b < markers.size(); ++b) {
        fillBreak(run, *markers[b], perBreak[b], build);
        progress().Task(u"Searching for next advert"_s);
    }
}

void AdvertLogImporter::unreadable(Push& run) {
    // A line the station's format cannot read has no time to place it by: it is
    // named, and parts the lines around it as a blank line would.
    const QString where = u"line %1 of '%2'"_s.arg(run.reader.LinesRead()).arg(run.file);
    Outcome().Rejected(run.file, run.reader.LinesRead(), run.reader.Raw(),
                       u"the advert log format cannot read it: "_s + run.reader.LineProblem());
    Outcome().Warn(where + u": the advert log format cannot read it: "_s + run.reader.LineProblem());
    Log(adLog, where + u" could not be read: "_s + run.reader.LineProblem());
}

bool AdvertLogImporter::typeTaken(const Push& run, const HourLine& line) {
    return run.filter.isEmpty() || run.filter.compare(AdvertLineLayout::AdvertLineType(line.Text).trimmed(),
                                                      Qt::CaseInsensitive) == 0;
}

void AdvertLogImporter::reportUnplaced(Push& run) {
    for (const RunOutcome::UnplacedLine& line : run.unplaced) {
        Outcome().Unplaced(line);
        Log(adLog, run.hourText + u" - line %1 of '%2': "_s.arg(line.Line).arg(line.File) + line.Why());
    }
}

void AdvertLogImporter::pushHour(Push& run, int hour) {
    run.hour = {run.day, float(hour * 3600)};
    run.hourText = HourText(run.hour);
    progress().CurrentPercent(run.share * 100);
    progress().OverallPercent((run.dayIndex + run.share) / run.days * 100);
    progress().Process(u"Pushing Adverts for "_s + DayText(run.day) +
                       u" %1:00"_s.arg(hour, 2, 10, QLatin1Char('0')));
    progress().Task(u"Finding %1:00 in the Scheduled Log"_s.arg(hour));

    if (WritingStopped()) { // its hour is not even read: that would only wait again
        notWritten(run, u"the run stopped writing, as "_s + Outcome().GiveUpReason());
        return;
    }
    const double position = StationDatabase::LocateHour(run.hour);
    const auto items = planHour(run, position);
    if (items)
        finishHour(run, *items);
}

void AdvertLogImporter::finishHour(Push& run, const QList<LogItem>& items) {
    const float stored = items.first().HourLength;
    if (Outcome().IsOnAir(run.hour) && !Outcome().StartedHoursAllowed()) {
        tooLate(run);
        return;
    }
    reportUnplaced(run);
    if (!run.corrupt.isEmpty()) {
        heldBack(run);
        ReportUnderrun(adLog, run.hour, stored, run.db.Settings().UnderrunThreshold());
        return;
    }
    if (run.fills.isEmpty()) {
        nothingToPush(run, stored);
        return;
    }
    QString refusal;
    const auto change = StationDatabase::PlanBreaks(items, run.fills, refusal);
    if (!change) {
        refused(run, refusal);
        Log(adLog, run.hourText + u" - could not be written to the Scheduled Log: "_s + refusal);
        ReportUnderrun(adLog, run.hour, stored, run.db.Settings().UnderrunThreshold());
        return;
    }
    const bool written = writeHour(run, *change);
    ReportUnderrun(adLog, run.hour, written ? change->HourLength : stored,
                   run.db.Settings().UnderrunThreshold());
}

std::optional<QList<LogItem>> AdvertLogImporter::planHour(Push& run, double position) {
    // The hour and its breaks are read in the database's reader's snapshot, and the
    // breaks filled from the log in memory; the writing is one transaction of its
    // own, which waits for a busy database.
    StationDatabase::Reading snapshot(run.db);
    QList<LogItem> items = run.db.HourOutline(position);
    if (const auto why = ReadFailed(run.db, adLog, run.hourText)) {
        Outcome().AdvertHour(run.hour, RunOutcome::NotWritten, *why, {});
        return std::nullopt;
    }
    const QList<LogItem>* planned = Outcome().PlannedHour(position);
    if ((items.isEmpty() || items.first().Type != ItemType::HourStart) && planned)
        items = *planned; // a dry run's music, which the Scheduled Log does not hold yet
    if (items.isEmpty() || items.first().Type != ItemType::HourStart) {
        Log(adLog, run.hourText + u" - was not in the Scheduled log, so adverts were not sent"_s);
        Outcome().AdvertHour(run.hour, RunOutcome::Skipped, u"not in the Scheduled Log"_s, {});
        return std::nullopt;
    }
    const LogItem& start = items.first();
    run.mode = int(whole(start.Parameter(1)));
    run.corrupt.clear();
    run.fills.clear();
    run.breaks.clear();
    run.unplaced.clear();
    const bool filled = start.Flags & ItemFlag::HasAdverts;
    placeLines(run, items, !filled);
    if (filled) {
        alreadyFilled(run);
        return std::nullopt;
    }
    if (const auto why = ReadFailed(run.db, adLog, run.hourText)) { // one of its carts
        refused(run, *why);
        return std::nullopt;
    }
    return items;
}

void AdvertLogImporter::notWritten(const Push& run, const QString& why) {
    Outcome().AdvertHour(run.hour, RunOutcome::NotWritten, why, {});
    Log(adLog, run.hourText + u" - could not be written to the Scheduled Log: "_s + why);
}

void AdvertLogImporter::refused(Push& run, const QString& why) {
    // Its breaks were met all the same: they count, each with the reason.
    for (RunOutcome::Break& met : run.breaks)
        met = {met.Time, RunOutcome::BreakFate::NotWritten, 0, why};
    Outcome().AdvertHour(run.hour, RunOutcome::NotWritten, why, run.breaks);
}

void AdvertLogImporter::tooLate(Push& run) {
    // It is on air or past: an unattended run leaves it as it is, whatever its log says.
    for (RunOutcome::Break& met : run.breaks)
        met.Fate = RunOutcome::BreakFate::TooLate;
    Log(adLog, run.hourText + u" - had started when the run began, so no adverts were pushed into it"_s);
    Outcome().AdvertHour(run.hour, RunOutcome::TooLate, u"it had started when the run began"_s, run.breaks,
                         run.caughtUp.contains(StationDatabase::LocateHour(run.hour)));
}

void AdvertLogImporter::heldBack(Push& run) {
    // Written with none of its adverts and left unmarked, so that a run after the
    // log is mended fills it whole.
    for (RunOutcome::Break& met : run.breaks) { // each keeps the adverts it was given
        if (met.Fate != RunOutcome::BreakFate::Corrupt) {
            met.Fate = RunOutcome::BreakFate::HeldBack;
            met.Why = run.corrupt;
        }
    }
    Log(adLog, run.hourText + u" - no adverts were pushed into the Scheduled Log"_s);
    Outcome().AdvertHour(run.hour, RunOutcome::Unreadable, run.corrupt, run.breaks);
}

void AdvertLogImporter::nothingToPush(Push& run, float stored) {
    // A caught-up hour that its log still leaves empty is waiting, as it was: it is
    // neither reported nor counted again every night.
    if (run.caughtUp.contains(StationDatabase::LocateHour(run.hour)))
        return;
    Log(adLog, run.hourText + u" - no adverts were pushed into the Scheduled Log"_s);
    Outcome().AdvertHour(run.hour, RunOutcome::Skipped, u"no adverts for its breaks"_s, run.breaks);
    ReportUnderrun(adLog, run.hour, stored, run.db.Settings().UnderrunThreshold());
}

void AdvertLogImporter::alreadyFilled(const Push& run) {
    Log(adLog, run.hourText + u" - already had adverts in the Scheduled Log so was not re-sent"_s);
    Outcome().AdvertHour(run.hour, RunOutcome::Skipped, u"already holds adverts"_s, run.breaks);
}

bool AdvertLogImporter::filledMeanwhile(Push& run, const HourChange& change) {
    // Another program (a second studio, say) filled the hour between its reading
    // and this write: its adverts are there, as if they had been when it was read.
    if (run.db.LastWrite().Result != WriteOutcome::Refused)
        return false;
    const auto start = run.db.ItemAt(change.Hour);
    if (!start || !(start->Flags & ItemFlag::HasAdverts))
        return false;
    for (RunOutcome::Break& met : run.breaks)
        met.Fate = RunOutcome::BreakFate::AlreadyThere;
    alreadyFilled(run);
    return true;
}

void AdvertLogImporter::countAdverts(const Push& run) const {
    for (const RunOutcome::Break& met : run.breaks)
        for (int i = 0; met.Fate == RunOutcome::BreakFate::Filled && i < met.Adverts; ++i)
            progress().Increment(3);
}

bool AdvertLogImporter::writeHour(Push& run, const HourChange& change) {
    const bool caughtUp = run.caughtUp.contains(change.Hour);
    if (Outcome().DryRun()) {
        Outcome().AdvertHour(run.hour, RunOutcome::Planned, QString(), run.breaks, caughtUp);
        countAdverts(run);
        return true;
    }
    progress().Task(u"Inserting Adverts into break"_s);
    if (!run.db.ApplyHour(change)) {
        if (filledMeanwhile(run, change))
            return false;
        refused(run, run.db.LastWrite().Problem);
        ReportNotWritten(adLog, run.hourText + u" - could not be written to the Scheduled Log"_s,
                         run.db.LastWrite());
        return false;
    }
    progress().Task(u"Updating Start Times in Scheduled Log"_s);
    Outcome().AdvertHour(run.hour, RunOutcome::Written, QString(), run.breaks, caughtUp);
    countAdverts(run);
    if (caughtUp)
        Log(adLog, run.hourText + u" - its adverts came after its music, and were pushed now"_s);
    for (qsizetype i = 0; i < change.Items.size(); ++i) {
        const LogItem& item = change.Items[i];
        if (change.Fresh[i] && item.Cart && run.carts.IndexOf(item.CartNumber) == 0)
            run.carts.Add(*item.Cart);
    }
    return true;
}

QString AdvertLogImporter::corruptionOf(const Push& run, const QString& line) {
    const QString cart = AdvertLineLayout::AdvertLineCart(line, run.db.Settings().AdvertCartOffset());
    if (cart.isEmpty() && AdvertLineLayout::AdvertLineTitle(line).isEmpty())
        return u"it has neither a cart nor a title"_s;
    if (!AdvertLineLayout::AdvertLineNotes(line))
        return u"its notes hold a %-escape that cannot be decoded"_s;
    return {};
}

void AdvertLogImporter::fillBreak(Push& run, const LogItem& marker, const QList<const HourLine*>& lines,
                                  bool build) {
    RunOutcome::Break met{
        marker.Time, build ? RunOutcome::BreakFate::Empty : RunOutcome::BreakFate::AlreadyThere, 0, {}};
    progress().Task(u"Locating advert break"_s);
    if (lines.isEmpty()) {
        run.breaks.append(met); // empty: no line for it
        return;
    }

    BreakFill fill{marker.Position, {}};
    int filtered = 0;
    int corrupt = 0;
    // Every line of the break is read, even past a corrupt one.
    for (const HourLine* line : lines) {
        if (!typeTaken(run, *line)) {
            ++filtered;
            if (build)
                Outcome().Rejected(run.file, line->Number, line->Text,
                                   u"its type '%1' is not the advert type filter's '%2'"_s.arg(
                                       AdvertLineLayout::AdvertLineType(line->Text).trimmed(), run.filter));
        } else if (const QString why = corruptionOf(run, line->Text); !why.isEmpty()) {
            ++corrupt;
            if (build)
                reportCorrupt(run, met, *line, why);
        } else if (!build) {
            ++met.Adverts; // only counted: its hour holds its adverts already
            keepSpot(run, met, line->Text);
        } else if (met.Fate != RunOutcome::BreakFate::Corrupt) {
            fill.Adverts.append(advertOf(run, line->Text, float(whole(marker.Time))));
            keepSpot(run, met, line->Text);
        }
    }
    if (!build || met.Fate == RunOutcome::BreakFate::Corrupt) {
        if (build) // the lines it was given, the unreadable among them: none went in
            met.Adverts = int(fill.Adverts.size()) + corrupt;
        run.breaks.append(met);
        return;
    }
    met.Adverts = int(fill.Adverts.size());
    met.Fate = fill.Adverts.isEmpty()
                   ? (filtered > 0 ? RunOutcome::BreakFate::Filtered : RunOutcome::BreakFate::Empty)
                   : RunOutcome::BreakFate::Filled;
    run.breaks.append(met);
    if (fill.Adverts.isEmpty())
        return;
    if (marker.Transition == 0) { // the break ends with a stop
        LogItem& last = fill.Adverts.last();
        last.Transition = 0;
        if (run.mode != 2)
            last.PlayTransition = 0;
    }
    run.fills.append(fill);
}

void AdvertLogImporter::reportCorrupt(Push& run, RunOutcome::Break& met, const HourLine& line,
                                      const QString& why) {
    const QString where = u"line %1 of '%2'"_s.arg(line.Number).arg(run.file);
    Outcome().Rejected(run.file, line.Number, line.Text, u"the advert log is corrupt here: "_s + why);
    if (met.Fate == RunOutcome::BreakFate::Corrupt)
        return; // the break's first corrupt line names it
    met = {met.Time, RunOutcome::BreakFate::Corrupt, 0, where + u": "_s + why};
    Log(adLog, run.hourText + u" - Advert log was corrupt ("_s + met.Why + u')');
    if (run.corrupt.isEmpty()) {
        run.corrupt = met.Why;
        Outcome().Warn(where + u": the advert line cannot be read, as "_s + why + u"; the break at "_s +
                       ScheduleDateTools::FormatSeconds(met.Time, 12) + u" and its hour "_s + run.hourText +
                       u" were not pushed"_s);
    }
}

void AdvertLogImporter::keepSpot(const Push& run, RunOutcome::Break& met, const QString& line) const {
    if (!Outcome().DryRun())
        return; // only a plan is weighed line by line; a year's push keeps its memory
    met.Spots.append({AdvertLineLayout::AdvertLineCart(line, run.db.Settings().AdvertCartOffset()).trimmed(),
                      AdvertLineLayout::AdvertLineLength(line)});
}

LogItem AdvertLogImporter::advertOf(Push& run, const QString& line, float breakTime) {
    LogItem item;
    item.Type = ItemType::Advert;
    item.Time = breakTime;
    item.HourStart = breakTime;
    item.CartNumber = AdvertLineLayout::AdvertLineCart(line, run.db.Settings().AdvertCartOffset());
    const QString cart = item.CartNumber.trimmed();
    if (!cart.isEmpty()) {
        item.Cart = run.lookups.Get(run.db, cart);
        if (!item.Cart) {
            ReportCart(adLog, run.hour, cart, item.Title.trimmed(), u"does not exist"_s);
        } else {
            if (item.Cart->Length > 0) {
                item.Length2 = item.Cart->AudioLength;
                item.Duration = item.Cart->AudioLength;
            } else {
                ReportCart(adLog, run.hour, cart,
                           AdvertLineLayout::AdvertLineTitle(line).isEmpty()
                               ? item.Cart->Title.trimmed()
                               : AdvertLineLayout::AdvertLineTitle(line),
                           u"has no audio"_s);
            }
            const QString title = item.Title.trimmed();
            if ((title.isEmpty() || title == cart) && !item.Cart->Title.trimmed().isEmpty()) {
                item.Title = item.Cart->Title.trimmed();
                item.Text1 = item.Cart->Text1.trimmed();
                item.Text2 = item.Cart->Text2.trimmed();
            }
        }
    }
    const QString lineTitle = AdvertLineLayout::AdvertLineTitle(line);
    if (!lineTitle.isEmpty())
        item.Title = lineTitle;
    item.Description = AdvertLineLayout::AdvertLineReference(line);
    item.Reference = item.Description;
    item.Note = AdvertLineLayout::AdvertLineNotes(line).value_or(QString());
    item.PlayTransition = 50;
    item.Transition = 50;
    item.State = ItemState::Ready;
    item.Flags |= ItemFlag::PushedAdvert;
    return item;
}
