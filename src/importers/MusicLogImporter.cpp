#include "importers/MusicLogImporter.h"

#include "base/AppLog.h"
#include "base/Clock.h"
#include "base/DebugLog.h"
#include "base/FileTools.h"
#include "base/ScheduleDateTools.h"
#include "importers/BreakNoteReader.h"
#include "importers/HourHeaderReader.h"
#include "importers/LogDirectoryScan.h"
#include "importers/MusicItemReader.h"
#include "importers/MusicLogLine.h"
#include "importers/MusicLogReader.h"
#include "importers/RunCarts.h"
#include "playout/OperatorSeam.h"
#include "playout/Reporting.h"
#include "stationdb/StationDatabase.h"

using namespace Qt::Literals::StringLiterals;

namespace {

const QString music = u"Music"_s;
constexpr qint32 noDayYet = LogDirectoryScan::NoDay;

void open(const QString& text) {
    WriteDebug(text, DebugLog::dbmNormal, DebugLog::IndentAfter);
}
void close(const QString& text) {
    WriteDebug(text, DebugLog::dbmNormal, DebugLog::OutdentBefore);
}

// The line after its leading form feed, or nothing at the end of the file.
std::optional<QString> nextLine(MusicLogReader& reader) {
    QString line;
    if (!reader.NextLine(line))
        return std::nullopt;
    return MusicLogLine::WithoutFormFeed(line);
}

} // namespace

// Where the search for one hour's header went: the line it started after, and the
// last header met on the way that repeats an hour or cannot be read.
struct MusicLogImporter::Search {
    int From = 0;
    int Duplicate = 0;
    int Unreadable = 0;
};

// An hour of the range whose header the search did not reach.
struct MusicLogImporter::Missing {
    ScheduleDate Hour;
    Search Searched;
    std::optional<ScheduleDate> Next; // the header the search stopped at
    int NextLine = 0;
};

// A line of the hour in hand that cannot be read, and why.
struct MusicLogImporter::BadLine {
    int Line = 0;
    QString Why;
};

struct MusicLogImporter::Run {
    explicit Run(StationDatabase& db) : db(db), context(MusicFormatContext::Of(db)) {}

    StationDatabase& db;
    MusicFormatContext context;
    std::optional<MusicTableFormat> table; // the station's table layout, when it has one
    MusicLogReader reader;
    QString file;
    std::optional<HourHeaderReader::Header> lookahead;
    int lookaheadLine = 0;
    // The headers of the day's file read so far, by hour, with their lines.
    QMap<double, int> headersSeen;
    Search search;
    QList<Missing> missing;
    LogHour hour;
    RunCarts carts;
    QList<RunOutcome::MissingCart> cartsToReport; // of the hour in hand
    qint32 day = 0;
    qint32 firstDay = 0;
    int days = 1;
    int firstHour = 0;
    int lastHour = 23;
    int startHour = 0; // of the range's first day
    int hourCount = 0; // in the range
    bool written = false;
};

QString MusicLogImporter::LogFileName(StationDatabase& db, qint32 day) {
    return db.MusicLogFileName(day);
}

bool MusicLogImporter::CheckReady(StationDatabase& station, RunOutcome& run) {
    const Call call(*this, station, &run);
    StationDatabase* db = &station;
    if (!CheckDirectory(db->Settings().MusicLogsDirectory(),
                        u"You must enter a 'Music Logs Directory' in Station Database Settings"_s,
                        u"Music Logs Directory"_s))
        return false;
    if (!StoredSettingsUsable(*db, music,
                              {u"MusicFileNameFormat"_s, u"MusicFileNamePrefix"_s, u"MusicFileExtension"_s,
                               u"OffsetAudioItems"_s, u"OffsetLinkItems"_s, u"CartOffset"_s,
                               u"MusicLogFormat"_s},
                              true))
        return false;
    std::optional<MusicTableFormat> table;
    QString problem;
    if (MusicLogReader::StationFormat(db->Settings().MusicLogFormat(), table, &problem))
        return true;
    Log(music, u"The music log format cannot be used: "_s + problem);
    OperatorSeam::Message(u"The music log format named in MusicLogFormat cannot be used: "_s + problem +
                              u". Mend the description, or name another."_s,
                          Operator::Exclamation);
    return false;
}

// ---- Scanning ------------------------------------------------------------------

std::optional<HourRange> MusicLogImporter::ScanLogFiles(StationDatabase& db) {
    const Call call(*this, db);
    ScheduleDate from, to;
    if (!scanLogFiles(from, to))
        return std::nullopt;
    return HourRange{from, to};
}

std::optional<HourRange> MusicLogImporter::ScanLogFile(StationDatabase& db, const QString& file) {
    const Call call(*this, db);
    ScheduleDate from, to;
    if (!scanLogFile(file, from, to))
        return std::nullopt;
    return HourRange{from, to};
}

bool MusicLogImporter::scanLogFiles(ScheduleDate& rangeFrom, ScheduleDate& rangeTo) {
    open(u"Starting ScanLogFilesForDateRanges"_s);
    rangeFrom = {};
    rangeTo = {};
    ScheduleDate start{noDayYet, 0};
    ScheduleDate end{0, 0};
    progress().Begin(u"Scanning Log Files"_s, u"Scanning for Music Log Files"_s);

    StationDatabase* db = database();
    const QString format = db->Settings().MusicFileNameFormat();
    if (format.trimmed().isEmpty()) {
        WriteDebug(u"No MusicFileNameFormat string"_s);
        scanLogFile(LogFileName(*database(), ScheduleDateTools::Today().Day), start, end);
        if (start.Day < noDayYet && end.Day > 0) {
            rangeFrom = start;
            rangeTo = end;
            close(u"Finished ScanLogFilesForDateRanges"_s);
            return true;
        }
        close(start.Day < noDayYet ? u"Exiting ScanLogFilesForDateRanges as no range end found"_s
                                   : u"Exiting ScanLogFilesForDateRanges as no range start found"_s);
        return false;
    }

    const QString prefix = db->Settings().MusicFileNamePrefix();
    WriteDebug(u"Getting first ImportLogFileName"_s);
    const QString pattern = LogFileName(*database(), -1);
    WriteDebug(u"Finding first matching file - "_s + pattern);
    const LogDirectoryScan::Days days = LogDirectoryScan::Scan(pattern, prefix, format, progress(), true);
    if (days.First != noDayYet) {
        start = {days.First, 0};
        end = {days.Last, 0};
    }
    WriteDebug(u"Range Results - "_s + HourText(start) + u" to "_s + HourText(end));
    if (start.Day == noDayYet) {
        close(u"Exiting ScanLogFilesForDateRanges as no range found"_s);
        return false;
    }

    if (start.Day == end.Day) {
        scanLogFile(LogFileName(*database(), start.Day), start, end);
    } else {
        ScheduleDate firstStart{}, firstEnd{};
        scanLogFile(LogFileName(*database(), start.Day), firstStart, firstEnd);
        start = firstStart;
        if (end.Day > 0) {
            const qint32 lastFileDay = end.Day;
            ScheduleDate lastStart{}, lastEnd{};
            scanLogFile(LogFileName(*database(), lastFileDay), lastStart, lastEnd);
            end = lastEnd.Day > 0 ? lastEnd : ScheduleDateTools::ShiftSeconds(3600, lastFileDay);
        }
        if (end.Day < 1)
            end = {start.Day, ScheduleDateTools::EndOfDay};
    }
    rangeFrom = start;
    rangeTo = end;
    close(u"Finished ScanLogFilesForDateRanges"_s);
    return true;
}

bool MusicLogImporter::scanLogFile(const QString& sourceFile, ScheduleDate& rangeFrom,
                                   ScheduleDate& rangeTo) {
    open(u"Started ScanLogFileForDateRange "_s + sourceFile);
    if (FileTools::FileSize(sourceFile) <= 0) {
        close(u"Exiting ScanLogFileForDateRange as file length <=0"_s);
        return false;
    }
    progress().Process(u"Scanning Log File.."_s);
    progress().OverallPercent(0);
    ScheduleDate start{}, end{};
    std::optional<MusicTableFormat> table;
    StationDatabase* db = database();
    if (!MusicLogReader::StationFormat(db->Settings().MusicLogFormat(), table, nullptr))
        return false;
    MusicLogReader reader(table);
    reader.Open(sourceFile);
    bool complete = true;
    while (!reader.AtEnd()) {
        progress().OverallPercent(Progress::FileShare(reader.BytesRead(), reader.Size()));
        const QString line = nextLine(reader).value_or(QString());
        if (!line.startsWith(u'+'))
            continue;
        const int at = reader.LinesRead();
        const auto header = HourHeaderReader::Read(line, reader);
        if (!header.Read) {
            // Not an hour of the range; the scan goes on past it, so the hours after
            // it still count, but the file was not read whole.
            reportUnreadable(sourceFile, at, line, header.Why, nullptr);
            complete = false;
            continue;
        }
        const HourHeaderReader::Header& found = *header.Read;
        WriteDebug(u"Found hour "_s + HourText(found.Hour) + u", Name - "_s + found.Name);
        if (start.Day <= 0 || ScheduleDateTools::IsBefore(found.Hour, start))
            start = found.Hour;
        if (end.Day <= 0 || ScheduleDateTools::IsAfter(found.Hour, end))
            end = ScheduleDateTools::AddSeconds(found.Hour, ScheduleDateTools::HourEnd);
    }
    rangeFrom = start;
    rangeTo = end;
    reader.Close();
    close(u"Finished ScanLogFileForDateRange - "_s + HourText(start) + u" to "_s + HourText(end));
    return complete;
}

void MusicLogImporter::reportUnreadable(const QString& file, int line, const QString& text,
                                        HourHeaderReader::Problem why, RunOutcome* run) const {
    const QString where = u"line %1 of '%2'"_s.arg(line).arg(file);
    const QString problem = headerProblem(why);
    WriteDebug(where + u": "_s + problem);
    if (run) {
        Log(music, where + u": "_s + problem);
        run->Warn(where + u": "_s + problem);
        run->Rejected(file, line, text, problem);
    }
    const QString action = HourHeaderReader::Action(why);
    // Told once however often the file is read (each scan, then the import); in an
    // unattended run the warning tells it.
    if (action.isEmpty() || !OperatorSeam::Current().CanAnswer() || reported.contains(where))
        return;
    reported.insert(where);
    Reporting::ReportProblem(action, where + u": "_s + text, false);
}

QString MusicLogImporter::headerProblem(HourHeaderReader::Problem why) {
    return why == HourHeaderReader::CutShort  ? u"the file ends inside the hour header"_s
           : why == HourHeaderReader::BadDate ? u"the date of the hour header cannot be read"_s
                                              : u"the hour header's hour is not one from 0 to 23"_s;
}

// ---- Importing -----------------------------------------------------------------

bool MusicLogImporter::Import(StationDatabase& db, const HourRange& range, RunOutcome& outcome) {
    const Call call(*this, db, &outcome);
    BeginHistory(u"Begin send new entries, "_s + HourText(range.From) + u" to "_s + HourText(range.To));
    if (db.Settings().AutoPurgeDays() > 0 && !Outcome().DryRun())
        purge(db);
    History(u"Importing log into Station Database "_s + db.DatabaseInfo().Name);

    open(u"Importing Log Entries"_s);
    const bool sent = send(db, range.From, range.To);
    close(u"Importing Log Entries Complete"_s);
    if (sent) {
        progress().Finish();
    } else {
        Log(music, u"Importing log was abandoned"_s);
    }
    return sent;
}

void MusicLogImporter::purge(StationDatabase& db) {
    open(u"Beginning Auto-Purge of old Log entries"_s);
    const ScheduleDate purgeStart{36526, 0};
    const ScheduleDate purgeEnd{ScheduleDateTools::Today().Day - db.Settings().AutoPurgeDays() - 1,
                                ScheduleDateTools::EndOfDay};
    History(u"Purging older entries from Log, Log Start = "_s +
            ScheduleDateTools::FormatScheduleDate(purgeStart, 14) + u", Log End = "_s +
            ScheduleDateTools::FormatScheduleDate(purgeEnd, 14));
    if (!db.Log().RemoveLogRange(purgeStart, purgeEnd, QString(168, u'Y')) && db.LastWrite().EndsTheRun()) {
        Log(music, u"Purging older entries from the Log could not be done: "_s + db.LastWrite().Problem);
        Outcome().GiveUp(db.LastWrite().Problem);
    }
    close(u"Purging old Log entries complete"_s);
}

bool MusicLogImporter::send(StationDatabase& db, const ScheduleDate& rangeFrom, const ScheduleDate& rangeTo) {
    Run run(db);
    if (QString why; !MusicLogReader::StationFormat(db.Settings().MusicLogFormat(), run.table, &why)) {
        Log(music, u"The music log format cannot be used: "_s + why);
        Outcome().Warn(u"the music log format cannot be used: "_s + why);
        return false;
    }
    progress().Begin(u"Sending Music Logs"_s, u"Opening Scheduled Log"_s, u"Number of items missing audio:"_s,
                     u"Number of Underrunning Hours:"_s);
    CountersFromTheLedger();
    run.firstDay = rangeFrom.Day;
    run.days = std::max(1, rangeTo.Day - rangeFrom.Day + 1);
    run.startHour = int(rangeFrom.Seconds / 3600);
    run.hourCount =
        std::max(0, (rangeTo.Day - rangeFrom.Day) * 24 + int(rangeTo.Seconds / 3600) - run.startHour + 1);

    for (run.day = rangeFrom.Day; run.day <= rangeTo.Day; ++run.day) {
        progress().Overall(u"Sending Music Log for "_s + DayText(run.day));
        run.firstHour = run.day == rangeFrom.Day ? int(rangeFrom.Seconds / 3600) : 0;
        run.lastHour = run.day == rangeTo.Day ? int(rangeTo.Seconds / 3600) : 23;
        if (!openDayLog(run)) {
            progress().Hour(hourNumber(run, run.lastHour), run.hourCount); // the day's hours are passed
            continue;
        }
        run.headersSeen.clear();
        run.search = {};
        run.lookahead.reset();
        run.context.Mode = 1;
        run.context.HourFlag = false;
        for (int hour = run.firstHour; hour <= run.lastHour; ++hour)
            sendHour(run, hour);
        reportMissing(run);
        progress().Task(u"Closing Log File"_s);
        run.reader.Close();
    }

    progress().Completed(u"Completed Pushing Music Logs"_s);
    PauseForProgress();
    if (!Outcome().GaveUp() && !Outcome().DryRun())
        db.SetMusicLastChange(VersionStamp(), Clock::Now());
    return run.written;
}

bool MusicLogImporter::openDayLog(Run& run) {
    const QString file = LogFileName(*database(), run.day);
    if (!DayLogReadable(music, u"music"_s, run.day, file, true))
        return false;
    progress().Process(u"Opening Log for %1:00"_s.arg(run.firstHour, 2, 10, QLatin1Char('0')));
    run.reader = MusicLogReader(run.table);
    run.file = file;
    if (QString why; !run.reader.Open(file, &why)) {
        Log(music, u"Log for "_s + DayText(run.day) + u" could not be read: "_s + why);
        Outcome().Warn(why + u"; the day's music was not imported"_s);
        return false;
    }
    return true;
}

int MusicLogImporter::hourNumber(const Run& run, int hour) {
    return (run.day - run.firstDay) * 24 + hour - run.startHour + 1;
}

void MusicLogImporter::sendHour(Run& run, int hour) {
    const ScheduleDate target{run.day, float(hour * 3600)};
    const double hours = run.lastHour - run.firstHour + 1;
    progress().OverallPercent(
        100.0 * ((hour - run.firstHour) / hours / run.days + double(run.day - run.firstDay) / run.days));
    progress().Process(QString());
    progress().Task(u"Finding %1:00 in the Log"_s.arg(hour));
    progress().Hour(hourNumber(run, hour), run.hourCount);
    run.hour.Clear();
    if (WritingStopped()) {
        const QString why = u"the run stopped writing, as "_s + Outcome().GiveUpReason();
        Outcome().MusicHour(target, RunOutcome::NotWritten, why);
        Log(music, HourText(target) + u" - could not be written to the Log: "_s + why);
        return;
    }
    if (!planHour(run, target))
        return;
    if (Outcome().DryRun()) {
        run.written = true;
        Outcome().MusicHour(target, RunOutcome::Planned);
        Outcome().KeepPlannedHour(ScheduledLog::LocateHour(target), run.hour.Items());
        reportCarts(run);
        return;
    }
    progress().Task(u"Writing Hour to Log"_s);
    writeHour(run, target);
}

bool MusicLogImporter::planHour(Run& run, const ScheduleDate& target) {
    // The hour is looked for and built in the database's reader's snapshot: its reads
    // (its place in the log, each of its carts) share one view instead of taking a
    // lock each. The writing is a transaction of its own, which waits for a busy
    // database.
    StationDatabase::Reading snapshot(run.db);
    const bool there = run.db.Log().ItemAt(ScheduledLog::LocateHour(target)).has_value();
    if (couldNotRead(run, target))
        return false;
    if (there) {
        alreadyThere(target);
        return false;
    }
    if (!findHeader(run, target))
        return false;

    progress().Task(u"Adding Hour Start"_s);
    LogItem start;
    start.Date = run.day;
    start.Time = target.Seconds;
    start.Description = run.lookahead->Name;
    start.Title = run.lookahead->Name;
    start.Type = ItemType::HourStart;
    start.State = ItemState::Ready;
    start.Parameter(1) = 1;
    start.Parameter(2) = 0;
    run.context.Mode = 1;
    run.context.HourFlag = false;
    run.context.HourStart = target.Seconds;
    addItem(run, start);

    if (const auto bad = readItems(run)) {
        unreadableHour(run, target, *bad);
        return false;
    }
    addCarts(run);
    if (couldNotRead(run, target)) // one of its carts
        return false;
    LogItem& first = run.hour.Item(1);
    first.Parameter(1) = float(run.context.Mode);
    first.Flags = ((first.Flags | ItemFlag::Imported) & ~ItemFlag::HourFlag & 0xFFFF) |
                  (run.context.HourFlag ? ItemFlag::HourFlag : 0);
    return true;
}

void MusicLogImporter::unreadableHour(const Run& run, const ScheduleDate& target, const BadLine& bad) {
    // The file offered the hour; a line of it cannot be read, so it is not written.
    const QString why = u"one of the Log Items could not be added to the log: line %1 of '%2' cannot be "
                        u"read (%3)"_s.arg(bad.Line)
                            .arg(run.file, bad.Why);
    Log(music, HourText(target) + u" - "_s + why);
    Outcome().MusicHour(target, RunOutcome::Unreadable, why);
    Outcome().Warn(HourText(target) + u" was not written: "_s + why);
    Outcome().Rejected(run.file, bad.Line, QString(), HourText(target) + u": "_s + why);
}

bool MusicLogImporter::couldNotRead(const Run& run, const ScheduleDate& target) {
    const auto why = ReadFailed(run.db, music, HourText(target));
    if (why)
        Outcome().MusicHour(target, RunOutcome::NotWritten, *why);
    return why.has_value();
}

void MusicLogImporter::alreadyThere(const ScheduleDate& target) {
    Log(music, HourText(target) + u" - was already in the Station Database Log so was not re-sent"_s);
    Outcome().MusicHour(target, RunOutcome::Skipped, u"already in the Scheduled Log"_s);
}

bool MusicLogImporter::findHeader(Run& run, const ScheduleDate& target) {
    progress().Task(u"Finding %1:00 in the Music Log"_s.arg(int(target.Seconds / 3600)));
    // A header that repeats an hour or cannot be read may have ended the items of the
    // hour before: what the search notes runs from the last header used.
    run.search.From = run.reader.LinesRead();
    while (!(run.lookahead && ScheduleDateTools::IsNotBefore(run.lookahead->Hour, target)) &&
           !run.reader.AtEnd()) {
        progress().CurrentPercent(Progress::FileShare(run.reader.BytesRead(), run.reader.Size()));
        const QString line = nextLine(run.reader).value_or(QString());
        if (!run.reader.LineProblem().isEmpty())
            unreadableRow(run);
        if (line.startsWith(u'+'))
            readHeader(run, line);
    }
    progress().Task(QString());
    progress().Process(u"Importing into "_s + HourText(target));
    if (run.lookahead && ScheduleDateTools::IsSameHour(run.lookahead->Hour, target)) {
        run.search = {};
        return true;
    }
    const bool later = run.lookahead && ScheduleDateTools::IsAfter(run.lookahead->Hour, target);
    run.missing.append(
        {target, run.search, later ? std::optional(run.lookahead->Hour) : std::nullopt, run.lookaheadLine});
    return false;
}

void MusicLogImporter::unreadableRow(const Run& run) {
    // Between the hours of the range: no hour of it is spoilt, but the row is named.
    const QString where = u"line %1 of '%2'"_s.arg(run.reader.LinesRead()).arg(run.file);
    Log(music, where + u" could not be read: "_s + run.reader.LineProblem());
    Outcome().Rejected(run.file, run.reader.LinesRead(), QString(),
                       u"the music log format cannot read it: "_s + run.reader.LineProblem());
    Outcome().Warn(where + u": the music log format cannot read it: "_s + run.reader.LineProblem());
}

HourHeaderReader::Problem MusicLogImporter::readHeader(Run& run, const QString& line) {
    const int at = run.reader.LinesRead();
    const auto header = HourHeaderReader::Read(line, run.reader);
    run.lookahead = header.Read;
    run.lookaheadLine = at;
    if (!header.Read) {
        run.search.Unreadable = at;
        reportUnreadable(run.file, at, line, header.Why, &Outcome());
        return header.Why;
    }
    const double hour = ScheduledLog::LocateHour(header.Read->Hour);
    if (run.headersSeen.contains(hour))
        run.search.Duplicate = at;
    else
        run.headersSeen.insert(hour, at);
    return HourHeaderReader::None;
}

void MusicLogImporter::reportMissing(Run& run) {
    for (const Missing& gone : std::as_const(run.missing)) {
        const double hour = ScheduledLog::LocateHour(gone.Hour);
        QString why;
        if (run.headersSeen.contains(hour))
            why =
                u"its header at line %1 comes after the header of a later hour, and the log is read forward "
                u"only"_s.arg(run.headersSeen.value(hour));
        else if (gone.Searched.Duplicate > 0)
            why = u"no header for it; the header at line %1 repeats an hour given before"_s.arg(
                gone.Searched.Duplicate);
        else if (gone.Searched.Unreadable > 0)
            why = u"no header for it; the header at line %1 cannot be read"_s.arg(gone.Searched.Unreadable);
        else if (gone.Next)
            why = u"no header for it; the next header, at line %1, is for %2"_s.arg(gone.NextLine)
                      .arg(HourText(*gone.Next));
        else
            why = u"no header for it after line %1"_s.arg(gone.Searched.From);
        Log(music, HourText(gone.Hour) + u" - is not in the Music Log '"_s + run.file + u"': "_s + why);
        Outcome().MusicHour(gone.Hour, RunOutcome::NotInFile, why);
        Outcome().Rejected(run.file, gone.Searched.From, QString(), HourText(gone.Hour) + u": "_s + why);
    }
    run.missing.clear();
}

std::optional<MusicLogImporter::BadLine> MusicLogImporter::readItems(Run& run) {
    while (true) {
        progress().CurrentPercent(Progress::FileShare(run.reader.BytesRead(), run.reader.Size()));
        const auto line = nextLine(run.reader);
        if (!line)
            return std::nullopt;
        if (!run.reader.LineProblem().isEmpty()) // a row the station's table cannot read
            return BadLine{run.reader.LinesRead(), run.reader.LineProblem()};
        const auto note = MusicLogLine::Note(*line, forms);
        if (!note)
            return BadLine{run.reader.LinesRead(), u"its note's %-escapes"_s};
        switch (MusicLogLine::KindOf(*line)) {
        case MusicLogLine::HourHeader:
            return readHeaderInHour(run, *line);
        case MusicLogLine::BreakNote: {
            progress().Task(u"Processing Break Note"_s);
            LogItem item;
            item.Note = *note;
            if (BreakNoteReader::Read(*line, item, run.context))
                addItem(run, item);
            if (std::exchange(run.context.WaitForHardware, false) && !Outcome().DryRun())
                OperatorSeam::Message(BreakNoteReader::WaitForHardwareMessage(), Operator::Exclamation);
            break;
        }
        case MusicLogLine::ItemLine:
            if (auto bad = readItemLine(run, *line, *note))
                return bad;
            break;
        default:
            break;
        }
    }
}

std::optional<MusicLogImporter::BadLine> MusicLogImporter::readItemLine(Run& run, const QString& line,
                                                                        const QString& note) {
    progress().Task(u"Adding Audio Item"_s);
    MusicItemReader::Reading read = MusicItemReader::Read(line, note, run.reader, run.context);
    if (!read.Item)
        return BadLine{run.reader.LinesRead(), read.Problem};
    addItem(run, *read.Item);
    return std::nullopt;
}

std::optional<MusicLogImporter::BadLine> MusicLogImporter::readHeaderInHour(Run& run, const QString& line) {
    const int at = run.reader.LinesRead();
    const HourHeaderReader::Problem why = readHeader(run, line);
    // Whether the lines after a header that cannot be read are this hour's or the
    // next one's cannot be told, so this hour is not written whole. A header the
    // file ends inside has no lines after it: the hour before it is whole.
    if (why == HourHeaderReader::None || why == HourHeaderReader::CutShort)
        return std::nullopt;
    return BadLine{at, u"a header inside the hour: "_s + headerProblem(why)};
}

void MusicLogImporter::addCarts(Run& run) {
    run.cartsToReport.clear();
    QStringList numbers;
    for (const LogItem& item : run.hour.Items())
        numbers.append(item.CartNumber);
    run.carts.Prefetch(run.db, numbers); // what the hour needs, in one query
    for (LogItem& item : run.hour.Items())
        addCart(run, item);
}

void MusicLogImporter::addCart(Run& run, LogItem& item) {
    const QString cart = item.CartNumber.trimmed();
    if (!cart.isEmpty()) {
        item.Cart = run.carts.Get(run.db, cart);
        const ScheduleDate hour{run.day, run.context.HourStart};
        if (!item.Cart) {
            run.cartsToReport.append({hour, cart, item.Title.trimmed(), u"does not exist"_s});
        } else if (item.Cart->Length <= 0) {
            // Named by the cart store's title when its line gives none.
            const QString title = item.Title.trimmed();
            run.cartsToReport.append(
                {hour, cart, title.isEmpty() ? item.Cart->Title.trimmed() : title, u"has no audio"_s});
        } else {
            item.Duration = item.Cart->AudioLength;
            item.Length2 = item.Cart->AudioLength;
            const QString title = item.Title.trimmed();
            if (!item.Cart->Title.isEmpty() && (title.isEmpty() || title == cart)) {
                item.Title = item.Cart->Title.trimmed();
                item.Text1 = item.Cart->Text1.trimmed();
                item.Text2 = item.Cart->Text2.trimmed();
            }
        }
    }
}

void MusicLogImporter::reportCarts(Run& run) {
    for (const RunOutcome::MissingCart& missing : std::as_const(run.cartsToReport))
        ReportCart(music, missing.Hour, missing.Cart, missing.Title, missing.Problem);
    run.cartsToReport.clear();
}

void MusicLogImporter::addItem(Run& run, LogItem& item) {
    item.HourStart = run.context.HourStart;
    if (run.context.Mode == 2)
        item.PlayTransition = item.Transition == 100 ? 100 : 50;
    else
        item.PlayTransition = item.Transition;
    run.hour.AddItem(item);
}

void MusicLogImporter::writeHour(Run& run, const ScheduleDate& target) {
    if (!run.db.Log().WriteHour(target, run.hour)) {
        const WriteOutcome why = run.db.LastWrite();
        if (why.Result == WriteOutcome::Refused && run.db.Log().ItemAt(ScheduledLog::LocateHour(target))) {
            alreadyThere(target); // written meanwhile by another program
            return;
        }
        Outcome().MusicHour(target, RunOutcome::NotWritten, why.Problem);
        ReportNotWritten(music, HourText(target) + u" - could not be written to the Log"_s, why);
        return;
    }
    run.written = true;
    Outcome().MusicHour(target, RunOutcome::Written);
    reportCarts(run);
    ReportUnderrun(music, target, run.hour.Item(1).HourLength, run.db.Settings().UnderrunThreshold());
}
