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

#include <QCryptographicHash>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString adLog = u"AdLog"_s;
// The settings a push reads.
const QStringList advertSettings{u"AdvertFileNameFormat"_s, u"AdvertFileNamePrefix"_s,
                                 u"AdvertFileExtension"_s,  u"AdvertCartOffset"_s,
                                 u"AdvertTimeWindow"_s,     u"AdvertLogFormat"_s};

qint64 whole(double value) {
    return NumericText::RoundHalfEven(value);
}

} // namespace

struct AdvertLogImporter::Push {
    explicit Push(StationDatabase& db) : db(db) {}

    StationDatabase& db;
    std::optional<AdvertFormat> format;  // the station's own layout, when it has one
    QString formatName;                  // as the station names it; "" for the layouts the push knows
    AdvertDayLog log;                    // the day's lines, read whole
    QMap<int, QList<qint64>> breakTimes; // of the day's hours read so far
    QString dayUnreadable;               // why no line of the day's log can be read; "" when one can
    qint64 window = 0;                   // the advert time window, in seconds
    QString filter;                      // the advert type filter, trimmed
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
    QList<RunOutcome::Line> lines;            // the hour's lines, as placed
    struct Cart {
        QString Number, Title, Problem;
    };
    QList<Cart> cartsWanting; // the hour's carts that do not exist or have no audio
    RunCarts lookups;
    CartSet carts;     // the carts pushed, for the advert information
    int logsFound = 0; // days of the range that had an advert log
};

QString AdvertLogImporter::LogFileName(StationDatabase& db, qint32 day) {
    return db.AdvertLogFileName(day);
}

bool AdvertLogImporter::CheckReady(StationDatabase& station, RunOutcome& run) {
    const Call call(*this, station, &run);
    StationDatabase* db = &station;
    if (!CheckDirectory(db->Settings().AdvertLogsDirectory(),
                        u"You must enter an 'Adverts Logs Directory' in Station Database Settings"_s,
                        u"Adverts Logs Directory"_s))
        return false;
    if (!StoredSettingsUsable(*db, adLog, advertSettings, false))
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

std::optional<HourRange> AdvertLogImporter::ScanLogFiles(StationDatabase& db) {
    const Call call(*this, db);
    progress().Begin(u"Scanning Log Files"_s, u"Scanning for Advert Log Files"_s);
    // Days come only from file names: without a file name format no range is found.
    const QString format = db.Settings().AdvertFileNameFormat();
    if (format.trimmed().isEmpty())
        return std::nullopt;
    const LogDirectoryScan::Days days = LogDirectoryScan::Scan(
        LogFileName(db, -1), db.Settings().AdvertFileNamePrefix(), format, progress(), false);
    if (days.First == LogDirectoryScan::NoDay)
        return std::nullopt;

    ScheduleDate start{days.First, 0};
    ScheduleDate end{days.Last, 0};
    if (days.First == days.Last) {
        scanTimes(LogFileName(db, days.First), start, end);
    } else {
        scanTimes(LogFileName(db, days.Last), start, end);
        start = {days.First, 0};
        if (end.Seconds <= 0)
            end = ScheduleDateTools::ShiftSeconds(3600, days.Last);
        if (end.Day < 1)
            end = {start.Day, ScheduleDateTools::EndOfDay};
    }
    return HourRange{start, end};
}

void AdvertLogImporter::scanTimes(const QString& sourceFile, ScheduleDate& rangeFrom, ScheduleDate& rangeTo) {
    rangeFrom.Seconds = 0;
    rangeTo.Seconds = 0;
    if (FileTools::FileSize(sourceFile) <= 0)
        return;
    progress().Process(u"Scanning Log File.."_s);
    progress().OverallPercent(0);
    std::optional<AdvertFormat> format;
    StationDatabase* db = database();
    if (!AdvertLogReader::StationFormat(db->Settings().AdvertLogFormat(), format, nullptr))
        return;
    AdvertLogReader reader(format);
    if (!reader.Open(sourceFile))
        return;
    QString line;
    while (!reader.AtEnd()) {
        progress().OverallPercent(Progress::FileShare(reader.BytesRead(), reader.Size()));
        reader.NextLine(line);
        if (line.isEmpty() || !AdvertLineLayout::TimeProblem(line).isEmpty())
            continue;
        const float time = AdvertLineLayout::AdvertLineSeconds(line);
        rangeFrom.Seconds = std::min(rangeFrom.Seconds, time);
        rangeTo.Seconds = std::max(rangeTo.Seconds, time);
    }
}

// ---- Pushing -------------------------------------------------------------------

bool AdvertLogImporter::Import(StationDatabase& db, const HourRange& range, RunOutcome& run) {
    const Call call(*this, db, &run);
    return importHours(range.From, range.To, hoursOf(range.From, range.To), {});
}

bool AdvertLogImporter::CatchUp(StationDatabase& db, const QList<ScheduleDate>& waiting,
                                const HourRange& range, RunOutcome& run) {
    const Call call(*this, db, &run);
    const ScheduleDate& rangeFrom = range.From;
    const ScheduleDate& rangeTo = range.To;
    Hours hours = hoursOf(rangeFrom, rangeTo);
    const double rangeStart = ScheduledLog::LocateHour(rangeFrom);
    QSet<double> caughtUp;
    ScheduleDate from = rangeFrom;
    for (const ScheduleDate& hour : waiting) {
        if (ScheduledLog::LocateHour(hour) >= rangeStart)
            continue; // the range's own hours are pushed anyway
        hours[hour.Day].append(int(hour.Seconds / 3600));
        caughtUp.insert(ScheduledLog::LocateHour(hour));
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
    StationDatabase& db = *database();
    History(u"Pushing Adverts into Station Database "_s + db.DatabaseInfo().Name);
    WriteDebug(u"Pushing Adverts"_s, DebugLog::dbmNormal, DebugLog::IndentAfter);
    QString summary;
    const bool pushed = push(db, hours, caughtUp, summary);
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
    CountersFromTheLedger();
    if (!StoredSettingsUsable(db, adLog, advertSettings, false))
        return false;
    Push run(db);
    run.caughtUp = caughtUp;
    run.window = db.Settings().AdvertTimeWindow();
    run.filter = db.Settings().AdvertTypeFilter().trimmed();
    QString unusable;
    run.formatName = db.Settings().AdvertLogFormat().trimmed();
    if (!AdvertLogReader::StationFormat(run.formatName, run.format, &unusable)) {
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
        linesNotWalked(run);
    }

    // A day's advert log may come a night late and is then caught up; none at all
    // for the whole range is worth a look.
    if (run.logsFound == 0 && !hours.isEmpty())
        Outcome().Warn(u"no advert log was found for any day from "_s + DayText(hours.firstKey()) +
                       u" to "_s + DayText(hours.lastKey()) + u" in '"_s +
                       FileTools::FolderOfPath(db.AdvertLogFileName(hours.firstKey())) + u"'"_s);
    refreshInformation(run);
    const bool writes = !Outcome().GaveUp() && !Outcome().DryRun();
    progress().Completed(u"Completed Pushing Advert Logs"_s);
    PauseForProgress();
    if (writes)
        db.SetAdvertLastChange(VersionStamp(), Clock::Now());
    summary = Outcome().AdvertSummary();
    History(u"Finish Advert Push, "_s + summary); // the run's closing box shows it too
    return true;
}

void AdvertLogImporter::refreshInformation(Push& run) {
    // Whatever ended the push (its end, a stop), the table is brought up to what the
    // Scheduled Log holds; a database that takes no more writes keeps the table as it
    // was, and the next push that can write brings it up to date.
    if (Outcome().DryRun())
        return;
    QString problem;
    if (Outcome().GaveUp() && Outcome().StoppedBy().isEmpty())
        problem = u"the run stopped writing, as "_s + Outcome().GiveUpReason();
    else if (!AdvertInformation::Refresh(run.db, run.carts, ScheduleDateTools::Today()))
        problem = run.db.LastWrite().Problem;
    if (problem.isEmpty())
        return;
    problem = u"the advert information was not brought up to date (it keeps what it held): "_s + problem;
    Log(adLog, problem);
    Outcome().Warn(problem);
}

bool AdvertLogImporter::openDayLog(Push& run) {
    progress().Process(u"Opening Log for "_s + DayText(run.day));
    run.log = AdvertDayLog();
    run.breakTimes.clear();
    run.dayUnreadable.clear();
    const QString path = run.db.AdvertLogFileName(run.day);
    if (!DayLogReadable(adLog, u"advert"_s, run.day, path, false))
        return false;
    ++run.logsFound;
    AdvertLogReader reader(run.format);
    run.file = path;
    if (QString why; !reader.Open(path, &why)) {
        Log(adLog, u"Log for "_s + DayText(run.day) + u" could not be read: "_s + why);
        Outcome().Warn(why + u"; the day's adverts were not pushed"_s);
        return false;
    }
    readDay(run, reader);
    if (run.log.NoneReadable())
        noLineReadable(run);
    return true;
}

void AdvertLogImporter::readDay(Push& run, AdvertLogReader& reader) {
    // The log is read once, forward, and whole: a line out of time order, or one
    // that cannot be read, hides none of the lines after it.
    const qint32 offset = run.db.Settings().AdvertCartOffset();
    QString text;
    while (!reader.AtEnd()) {
        reader.NextLine(text);
        AdvertDayLog::Line line;
        line.Text = text;
        line.Raw = reader.Raw();
        line.Number = reader.LinesRead();
        if (!reader.LineProblem().isEmpty()) {
            line.Problem = u"the advert log format cannot read it: "_s + reader.LineProblem();
        } else if (!text.trimmed().isEmpty()) {
            line.Problem = AdvertLineLayout::Problem(text, offset);
            if (AdvertLineLayout::TimeProblem(text).isEmpty())
                line.Time = whole(AdvertLineLayout::AdvertLineSeconds(text));
        }
        run.log.Append(std::move(line));
    }
    progress().Task(u"Closing Advert Log File"_s);
}

void AdvertLogImporter::noLineReadable(Push& run) {
    QStringList first;
    for (const AdvertDayLog::Line& line : run.log.Lines()) {
        if (line.Problem.isEmpty())
            continue;
        Outcome().Rejected(run.file, line.Number, line.Raw, line.Problem);
        Outcome().AdvertLine({run.file, line.Number, RunOutcome::LineFate::Unreadable, -1, {}});
        if (first.size() < 3)
            first.append(u"line %1: %2"_s.arg(line.Number).arg(line.Problem));
    }
    const QString layout = run.formatName.isEmpty() ? u"the advert log layouts"_s
                                                    : u"the advert log format '%1'"_s.arg(run.formatName);
    run.dayUnreadable = u"%1 read no line of '%2' (%3)"_s.arg(layout, run.file, first.join(u"; "_s));
    Log(adLog, run.dayUnreadable);
    Outcome().Warn(run.dayUnreadable + u"; the day's adverts were not pushed"_s);
    run.log.TakeNone();
}

void AdvertLogImporter::linesNotWalked(Push& run) {
    for (const AdvertDayLog::Line* line : run.log.Untaken())
        Outcome().AdvertLine({run.file, line->Number, RunOutcome::LineFate::NotWalked, -1, {}});
}

void AdvertLogImporter::settleLines(Push& run, bool walked) {
    // A line that cannot be read stays so in an hour left as it is, where it is
    // named nowhere: the readiness check still counts it.
    for (const RunOutcome::Line& line : run.lines)
        Outcome().AdvertLine(
            walked || line.Fate == RunOutcome::LineFate::Unreadable
                ? line
                : RunOutcome::Line{line.File, line.Number, RunOutcome::LineFate::NotWalked, -1, {}});
    run.lines.clear();
}

void AdvertLogImporter::lineFate(Push& run, const AdvertDayLog::Line& line, RunOutcome::LineFate fate,
                                 float breakTime) {
    run.lines.append({run.file, line.Number, fate, breakTime, run.hour});
}

QList<qint64> AdvertLogImporter::breakTimesOf(Push& run, int hour) {
    const auto known = run.breakTimes.constFind(hour);
    if (known != run.breakTimes.cend())
        return *known;
    // A neighbour the walk has not read (yet): its breaks may be nearer a line near
    // the edge of the hour than the hour's own.
    const double position = ScheduledLog::LocateHour({run.day, float(hour * 3600)});
    QList<LogItem> items = run.db.Log().HourOutline(position);
    const QList<LogItem>* planned = Outcome().PlannedHour(position);
    if ((items.isEmpty() || items.first().Type != ItemType::HourStart) && planned)
        items = *planned;
    QList<qint64> times;
    for (const LogItem& item : items) {
        if (StartTimes::IsBreakMarker(item))
            times.append(whole(item.Time));
    }
    run.breakTimes.insert(hour, times);
    return times;
}

void AdvertLogImporter::placeLines(Push& run, const QList<LogItem>& items, bool build) {
    QList<const LogItem*> markers;
    QList<qint64> breakTimes;
    for (const LogItem& item : items) {
        if (StartTimes::IsBreakMarker(item)) {
            markers.append(&item);
            breakTimes.append(whole(item.Time));
        }
    }
    const int hour = int(run.hour.Seconds / 3600);
    run.breakTimes.insert(hour, breakTimes);
    const AdvertDayLog::HourLines lines =
        run.log.Take(hour, run.window, [this, &run](int of) { return breakTimesOf(run, of); });
    if (build) { // the carts the hour's adverts name, in one query
        const qint32 offset = run.db.Settings().AdvertCartOffset();
        QStringList carts;
        for (const AdvertDayLog::Line* line : lines.Placing)
            carts.append(AdvertLineLayout::AdvertLineCart(line->Text, offset));
        run.lookups.Prefetch(run.db, carts);
    }
    QList<qint64> lineTimes;
    for (const AdvertDayLog::Line* line : lines.Placing)
        lineTimes.append(line->Time);
    const QList<AdvertPlacement::Place> places = AdvertPlacement::Of(breakTimes, lineTimes, run.window);
    QList<QList<const AdvertDayLog::Line*>> perBreak(markers.size());
    for (qsizetype i = 0; i < lines.Placing.size(); ++i) {
        const AdvertDayLog::Line& line = *lines.Placing[i];
        if (places[i].Break >= 0)
            perBreak[places[i].Break].append(&line);
        else if (line.Time >= 0)
            unplaced(run, line, places[i]);
    }
    // A line that cannot be read spoils the break nearest it within the window, or
    // else its hour; it takes no part in the placing of the others.
    QList<QList<const AdvertDayLog::Line*>> spoiling(markers.size());
    QList<const AdvertDayLog::Line*> ofTheHour;
    for (const AdvertDayLog::Line* line : lines.Unreadable) {
        const auto near = AdvertDayLog::NearestIn(breakTimes, hour, line->Time);
        if (line->Time >= 0 && near.Hour >= 0 && near.Distance <= run.window)
            spoiling[breakTimes.indexOf(near.Time)].append(line);
        else
            ofTheHour.append(line);
    }
    for (qsizetype b = 0; b < markers.size(); ++b) {
        fillBreak(run, *markers[b], perBreak[b], spoiling[b], build);
        progress().Task(u"Searching for next advert"_s);
    }
    for (const AdvertDayLog::Line* line : ofTheHour) {
        lineFate(run, *line, RunOutcome::LineFate::Unreadable);
        if (build)
            reportUnreadable(run, nullptr, *line);
    }
}

void AdvertLogImporter::unplaced(Push& run, const AdvertDayLog::Line& line,
                                 const AdvertPlacement::Place& place) {
    if (!typeTaken(run, line)) {
        lineFate(run, line, RunOutcome::LineFate::Filtered);
        return;
    }
    lineFate(run, line, RunOutcome::LineFate::Unplaced);
    AdvertDayLog::Nearest nearest{place.Nearest < 0 ? -1 : 0, place.Nearest, place.Distance};
    if (!place.AfterItsRun) // the true nearest, a neighbouring hour's break included
        nearest = AdvertDayLog::NearestBreak(line.Time, nearest.Hour < 0 ? 3600 : nearest.Distance,
                                             [this, &run](int of) { return breakTimesOf(run, of); });
    run.unplaced.append({run.file, line.Number, line.Text, run.hour, float(line.Time), float(nearest.Time),
                         float(nearest.Distance), place.AfterItsRun});
}

bool AdvertLogImporter::typeTaken(const Push& run, const AdvertDayLog::Line& line) {
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
    const double position = ScheduledLog::LocateHour(run.hour);
    const auto items = planHour(run, position);
    if (items)
        finishHour(run, *items);
}

void AdvertLogImporter::finishHour(Push& run, const QList<LogItem>& items) {
    const float stored = items.first().HourLength;
    if (stillWaiting(run))
        return;
    settleLines(run, true);
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
    auto change = ScheduledLog::PlanBreaks(items, run.fills, refusal);
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
    QList<LogItem> items = run.db.Log().HourOutline(position);
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
    run.fills.clear();
    run.breaks.clear();
    run.unplaced.clear();
    run.lines.clear();
    run.cartsWanting.clear();
    run.corrupt = run.dayUnreadable;
    // An hour that holds adverts, or is on air, keeps what it has: its lines are only counted.
    const bool filled = start.Flags & ItemFlag::HasAdverts;
    const bool onAir = Outcome().IsOnAir(run.hour) && !Outcome().StartedHoursAllowed();
    placeLines(run, items, !filled && !onAir);
    if (filled) {
        alreadyFilled(run);
        return std::nullopt;
    }
    if (onAir) {
        tooLate(run);
        return std::nullopt;
    }
    if (const auto why = ReadFailed(run.db, adLog, run.hourText)) { // one of its carts
        settleLines(run, true);
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
    settleLines(run, false);
    for (RunOutcome::Break& met : run.breaks)
        met.Fate = RunOutcome::BreakFate::TooLate;
    Log(adLog, run.hourText + u" - had started when the run began, so no adverts were pushed into it"_s);
    Outcome().AdvertHour(run.hour, RunOutcome::TooLate, u"it had started when the run began"_s, run.breaks,
                         run.caughtUp.contains(ScheduledLog::LocateHour(run.hour)));
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

bool AdvertLogImporter::stillWaiting(Push& run) {
    // A caught-up hour whose log still gives it nothing is named once, and again only
    // when the lines it takes have changed: a night is not failed for what was told.
    if (!run.caughtUp.contains(ScheduledLog::LocateHour(run.hour)) || !run.fills.isEmpty() ||
        !run.corrupt.isEmpty())
        return false;
    QCryptographicHash lines(QCryptographicHash::Sha1);
    for (const AdvertDayLog::Line& line : run.log.Lines()) {
        if (line.Hour == int(run.hour.Seconds / 3600))
            lines.addData(line.Raw.toUtf8() + '\n');
    }
    const QString name = u"AdvertsWaiting "_s + run.hourText;
    const QString fingerprint = QString::fromLatin1(lines.result().toHex());
    if (run.db.Value(name) != fingerprint) {
        if (!Outcome().DryRun())
            run.db.SetValue(name, fingerprint);
        return false;
    }
    settleLines(run, false);
    Outcome().AdvertHour(run.hour, RunOutcome::Skipped,
                         u"still waiting for its adverts: its advert lines are as they were when last told"_s,
                         {}, true);
    return true;
}

void AdvertLogImporter::nothingToPush(Push& run, float stored) {
    // A caught-up hour that its log still leaves empty is waiting, as it was: it is
    // in the report's hours, its breaks not counted again every night.
    if (run.caughtUp.contains(ScheduledLog::LocateHour(run.hour))) {
        Outcome().AdvertHour(run.hour, RunOutcome::Skipped, u"still waiting for its adverts"_s, {}, true);
        return;
    }
    Log(adLog, run.hourText + u" - no adverts were pushed into the Scheduled Log"_s);
    Outcome().AdvertHour(run.hour, RunOutcome::Skipped, u"no adverts for its breaks"_s, run.breaks);
    ReportUnderrun(adLog, run.hour, stored, run.db.Settings().UnderrunThreshold());
}

void AdvertLogImporter::alreadyFilled(Push& run) {
    settleLines(run, false);
    Log(adLog, run.hourText + u" - already had adverts in the Scheduled Log so was not re-sent"_s);
    Outcome().AdvertHour(run.hour, RunOutcome::Skipped, u"already holds adverts"_s, run.breaks);
}

bool AdvertLogImporter::filledMeanwhile(Push& run, const HourChange& change) {
    // Another program (a second studio, say) filled the hour between its reading
    // and this write: its adverts are there, as if they had been when it was read.
    if (run.db.LastWrite().Result != WriteOutcome::Refused)
        return false;
    const auto start = run.db.Log().ItemAt(change.Hour);
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

QList<::Cart> AdvertLogImporter::newCarts(const Push& run, const HourChange& change) {
    // The carts of the hour's new adverts that this run has not written yet, each once.
    QList<::Cart> carts;
    QSet<QString> added;
    for (qsizetype i = 0; i < change.Items.size(); ++i) {
        const LogItem& item = change.Items[i];
        if (!change.Fresh[i] || !item.Cart || run.carts.IndexOf(item.CartNumber) != 0 ||
            added.contains(item.CartNumber))
            continue;
        added.insert(item.CartNumber);
        carts.append(*item.Cart);
    }
    return carts;
}

bool AdvertLogImporter::writeHour(Push& run, HourChange& change) {
    const bool caughtUp = run.caughtUp.contains(change.Hour);
    if (Outcome().DryRun()) {
        Outcome().AdvertHour(run.hour, RunOutcome::Planned, QString(), run.breaks, caughtUp);
        countAdverts(run);
        reportCarts(run);
        return true;
    }
    progress().Task(u"Inserting Adverts into break"_s);
    const QList<::Cart> carts = newCarts(run, change);
    const QDateTime now = Clock::Now();
    for (const ::Cart& cart : carts) // stamped with the hour, so a run cut short after it keeps them
        change.Information.append(AdvertInformation::RowOf(cart, now));
    if (!run.db.Log().ApplyHour(change)) {
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
    reportCarts(run);
    if (caughtUp)
        Log(adLog, run.hourText + u" - its adverts came after its music, and were pushed now"_s);
    for (const ::Cart& cart : carts)
        run.carts.Add(cart);
    return true;
}

void AdvertLogImporter::fillBreak(Push& run, const LogItem& marker,
                                  const QList<const AdvertDayLog::Line*>& lines,
                                  const QList<const AdvertDayLog::Line*>& unreadable, bool build) {
    RunOutcome::Break met{
        marker.Time, build ? RunOutcome::BreakFate::Empty : RunOutcome::BreakFate::AlreadyThere, 0, {}};
    progress().Task(u"Locating advert break"_s);
    for (const AdvertDayLog::Line* line : unreadable) {
        lineFate(run, *line, RunOutcome::LineFate::Unreadable, marker.Time);
        if (build)
            reportUnreadable(run, &met, *line);
    }
    BreakFill fill{marker.Position, {}};
    int filtered = 0;
    int readable = 0;
    for (const AdvertDayLog::Line* line : lines) {
        if (line->Blank())
            continue;
        if (!typeTaken(run, *line)) {
            ++filtered;
            lineFate(run, *line, RunOutcome::LineFate::Filtered, marker.Time);
            if (build)
                Outcome().Rejected(run.file, line->Number, line->Text,
                                   u"its type '%1' is not the advert type filter's '%2'"_s.arg(
                                       AdvertLineLayout::AdvertLineType(line->Text).trimmed(), run.filter));
            continue;
        }
        lineFate(run, *line, RunOutcome::LineFate::Placed, marker.Time);
        ++readable;
        keepSpot(run, met, line->Text);
        if (build && met.Fate != RunOutcome::BreakFate::Corrupt)
            fill.Adverts.append(advertOf(run, line->Text, float(whole(marker.Time))));
    }
    if (!build || met.Fate == RunOutcome::BreakFate::Corrupt) {
        met.Adverts = readable; // none went in: only counted
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

void AdvertLogImporter::reportUnreadable(Push& run, RunOutcome::Break* met, const AdvertDayLog::Line& line) {
    const QString where = u"line %1 of '%2'"_s.arg(line.Number).arg(run.file);
    Outcome().Rejected(run.file, line.Number, line.Raw, u"the advert log is corrupt here: "_s + line.Problem);
    const QString why = where + u": "_s + line.Problem;
    if (!met || met->Fate != RunOutcome::BreakFate::Corrupt) // a break's first names it
        Log(adLog, run.hourText + u" - Advert log was corrupt ("_s + why + u')');
    if (met && met->Fate != RunOutcome::BreakFate::Corrupt)
        *met = {met->Time, RunOutcome::BreakFate::Corrupt, 0, why};
    if (!run.corrupt.isEmpty())
        return;
    run.corrupt = why;
    const QString spoilt = met ? u"the break at "_s + ScheduleDateTools::FormatSeconds(met->Time, 12) +
                                     u" and its hour "_s + run.hourText + u" were not pushed"_s
                               : u"its hour "_s + run.hourText + u" was not pushed"_s;
    Outcome().Warn(where + u": the advert line cannot be read, as "_s + line.Problem + u"; "_s + spoilt);
}

void AdvertLogImporter::keepSpot(const Push& run, RunOutcome::Break& met, const QString& line) const {
    if (!Outcome().DryRun())
        return; // only a plan is weighed line by line; a year's push keeps its memory
    met.Spots.append({AdvertLineLayout::AdvertLineCart(line, run.db.Settings().AdvertCartOffset()).trimmed(),
                      AdvertLineLayout::AdvertLineLength(line)});
}

void AdvertLogImporter::reportCarts(Push& run) {
    for (const Push::Cart& cart : run.cartsWanting)
        ReportCart(adLog, run.hour, cart.Number, cart.Title, cart.Problem);
    run.cartsWanting.clear();
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
            run.cartsWanting.append({cart, item.Title.trimmed(), u"does not exist"_s});
        } else {
            if (item.Cart->Length > 0) {
                item.Length2 = item.Cart->AudioLength;
                item.Duration = item.Cart->AudioLength;
            } else {
                run.cartsWanting.append({cart,
                                         AdvertLineLayout::AdvertLineTitle(line).isEmpty()
                                             ? item.Cart->Title.trimmed()
                                             : AdvertLineLayout::AdvertLineTitle(line),
                                         u"has no audio"_s});
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
