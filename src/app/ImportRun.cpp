#include "app/ImportRun.h"

#include "app/ImportKind.h"
#include "app/LogOffer.h"
#include "app/OverallShare.h"
#include "base/AppLog.h"
#include "base/DebugLog.h"
#include "base/ScheduleDateTools.h"
#include "importers/RecentHistory.h"
#include "importers/RunReport.h"
#include "playout/OperatorSeam.h"
#include "stationdb/StationDatabase.h"

using namespace Qt::Literals::StringLiterals;

namespace {

const QString toolName = u"Log Importer"_s;

QString rangeText(const ScheduleDate& from, const ScheduleDate& to) {
    return ScheduleDateTools::FormatScheduleDate(from, 4) + u" to "_s +
           ScheduleDateTools::FormatScheduleDate(to, 4);
}

} // namespace

ImportRun::ImportRun(const ToolState& tool, std::function<StationDatabase*()> database, Display display)
    : tool(tool), database(std::move(database)), display(std::move(display)) {
    if (this->display.Progress)
        share = std::make_unique<OverallShare>(this->display.Progress);
    outcome.TellWarningsTo(tool.WarningSink);
    music.SetProgressCallback(share.get());
    adverts.SetProgressCallback(share.get());
}

ImportRun::~ImportRun() = default;

bool ImportRun::Run(int kind, const DateRange& range, bool rangeUsable, bool dryRun,
                    const QStringList& warnings, const std::function<void()>& afterImports) {
    outcome.Start(dryRun, !tool.Options.Report.isEmpty());
    for (const QString& warning : warnings)
        outcome.Warn(warning);
    refused = 0;
    const QList<int> runs = kind == ImportKind::MusicAndAdverts
                                ? QList<int>{ImportKind::Music, ImportKind::Adverts}
                                : QList<int>{kind};
    importers = int(runs.size());
    const HourRange hours{range.Start, range.End};
    const bool ready = readyToRun(kind, range, rangeUsable);
    if (ready) {
        for (qsizetype i = 0; i < runs.size(); ++i) { // one Overall bar: each run fills its share
            if (share)
                share->Range(100.0 * double(i) / double(runs.size()),
                             100.0 * double(i + 1) / double(runs.size()));
            import(runs[i], hours);
        }
        if (share)
            share->Range(0, 100);
        if (afterImports)
            afterImports();
    }
    outcome.Finish(hours.From, hours.To);
    writeReport();
    WriteDebug(u"Run finished with exit status %1: %2"_s.arg(outcome.Status())
                   .arg(RunOutcome::StatusMeaning(outcome.Status(), outcome.DryRun())));
    return ready;
}

bool ImportRun::import(int kind, const HourRange& hours) {
    const QString eventRange = ScheduleDateTools::FormatScheduleDate(hours.From, 14) + u" to "_s +
                               ScheduleDateTools::FormatScheduleDate(hours.To, 14);
    LogImporter& importer = kind == ImportKind::Music ? static_cast<LogImporter&>(music) : adverts;
    StationDatabase& db = *database();
    if (!importer.CheckReady(db, outcome)) {
        outcome.ImporterCouldNotRun();
        ++refused;
        return false;
    }
    running(true);
    const Progress progress(share.get());
    progress.Begin(QString(), QString());
    // Every advert run also pushes the hours still waiting for their adverts; an
    // hour on air among them is changed only when the operator says so.
    if (kind != ImportKind::Music)
        outcome.AllowStartedHours(mayChangeHoursOnAir(db, hours.From));
    const bool ok = kind != ImportKind::Music
                        ? adverts.CatchUp(db, LogOffer::HoursWaiting(db), hours, outcome)
                        : importer.Import(db, hours, outcome);
    if (!outcome.DryRun() && tool.Directory) { // a preview records no event
        const bool isMusic = kind == ImportKind::Music;
        tool.Directory->RecordEvent(
            DirectoryEvent::LogImporter, isMusic ? DirectoryEvent::LogAdded : DirectoryEvent::LogAdvertsAdded,
            isMusic ? u"Log Added"_s : u"Log Adverts Added"_s, eventRange, ok ? 1 : 0);
    }
    running(false);
    return ok;
}

void ImportRun::running(bool on) const {
    if (display.Running)
        display.Running(on);
}

bool ImportRun::readyToRun(int kind, const DateRange& range, bool rangeUsable) {
    if (!rangeUsable) {
        outcome.RangeWasRefused();
        return false;
    }
    StationDatabase* db = database();
    if (!db) {
        OperatorSeam::Message(u"You must select a valid Station Database"_s, Operator::Information);
        outcome.ImporterCouldNotRun();
        return false;
    }
    if (ScheduleDateTools::IsBefore(range.End, range.Start)) {
        OperatorSeam::Message(u"The start time must be before the end time"_s, Operator::Information);
        outcome.RangeWasRefused();
        return false;
    }
    AppLog::OpenAppLog(tool.PlayoutGeneral->Folder(PlayoutGeneral::ApplicationLogs) + u'/' + toolName,
                       AppLog::Numbered | AppLog::ComputerName);
    if ((kind != ImportKind::Music && kind != ImportKind::MusicAndAdverts) ||
        db->Settings().UseLogImporterCartRanges())
        return true;
    if (outcome.DryRun()) { // a preview changes no setting; the run will ask
        outcome.Warn(u"the \"Use the Log Importer Cart Ranges when adding carts\" option is off: the import "
                     u"will ask to switch it on"_s);
        return true;
    }
    if (switchOnCartRanges(*db))
        return true;
    outcome.ImporterCouldNotRun();
    return false;
}

bool ImportRun::mayChangeHoursOnAir(StationDatabase& db, const ScheduleDate& from) {
    // An unattended run never changes an hour on air; nor does a plan ask.
    if (tool.Options.Schedule || tool.Options.Silent || outcome.DryRun() ||
        !OperatorSeam::Current().CanAnswer())
        return false;
    const double now = ScheduledLog::LocateHour(ScheduleDateTools::Today());
    QList<ScheduleDate> onAir;
    for (const ScheduleDate& hour :
         db.Log().HoursWaitingForAdverts(std::min(now, ScheduledLog::LocateHour(from)))) {
        if (!outcome.IsOnAir(hour))
            break;
        onAir.append(hour);
    }
    if (onAir.isEmpty())
        return false;
    return OperatorSeam::Message(
               QStringList{
                   u"%1 hour(s) whose adverts would be pushed now have already started, the first at %2: "
                   u"they may be on air, and adverts pushed into them move what plays after them."_s
                       .arg(onAir.size())
                       .arg(DateRange::Label(onAir.first())),
                   QString(), u"Push adverts into them all the same?"_s}
                   .join(u'\n'),
               Operator::Question, Operator::YesNo, 2) == Operator::Yes;
}

bool ImportRun::switchOnCartRanges(StationDatabase& db) {
    const QString question =
        QStringList{u"The Log Importer needs to activate the \"Use the Log Importer Cart Ranges when adding "
                    u"carts\" option before it can use this database."_s,
                    QString(),
                    u"This option is required to import Music Logs using the Log Importer, is it OK for this "
                    u"change to be made for you?"_s,
                    QString(),
                    u"Note: The 'Log Importer Settings' window will then be displayed so that you can check "
                    u"the Ranges being used."_s}
            .join(u'\n');
    if (!OperatorSeam::ConfirmChange(question, 1)) {
        if (!OperatorSeam::Current().CanAnswer()) // say how to answer it for the next night
            outcome.Warn(
                u"the cart ranges are not switched on; switch them on with: stationdb settings DB "
                u"UseLogImporterCartRanges=1 (DB: the Station Database '%1')"_s.arg(db.DatabaseInfo().Name));
        return false;
    }
    StationSettings changed = db.Settings();
    changed.SetValue(u"UseLogImporterCartRanges"_s, u"1"_s);
    if (!db.SaveSettings(changed)) {
        OperatorSeam::Message(
            u"The \"Use the Log Importer Cart Ranges when adding carts\" option could not be "
            u"switched on, so nothing was saved and no music was imported: "_s +
                db.LastWrite().Problem,
            Operator::Exclamation);
        return false;
    }
    if (display.RangesSwitchedOn)
        display.RangesSwitchedOn();
    return true;
}

void ImportRun::writeReport() {
    const QString& report = tool.Options.Report;
    if (QString problem; !report.isEmpty() && !RunReport::Write(outcome, report, &problem))
        outcome.Warn(u"the run report could not be written to '%1': %2"_s.arg(report, problem));
}

QString ImportRun::stationText() const {
    const StationDatabase* db = database();
    return (db ? db->DatabaseInfo().Name : u"(none)"_s) + u" (profile "_s + tool.CurrentProfile + u')';
}

QStringList ImportRun::Context() const {
    const qint64 elapsed = outcome.Started().msecsTo(outcome.Finished());
    QStringList lines{
        RunOutcome::SummaryLine(u"station"_s, stationText()),
        RunOutcome::SummaryLine(u"range"_s, rangeText(outcome.First(), outcome.Last())),
        RunOutcome::SummaryLine(u"elapsed"_s, u"%1 s"_s.arg(double(elapsed) / 1000.0, 0, 'f', 1))};
    if (!tool.Options.Report.isEmpty())
        lines.append(RunOutcome::SummaryLine(u"report"_s, tool.Options.Report));
    return lines;
}

QString ImportRun::Plan(const DateRange& range, bool dryRun) const {
    return (dryRun ? u"Planning the import of music, then adverts, into "_s
                   : u"Importing music, then adverts, into "_s) +
           stationText() + u" for "_s + rangeText(range.Start, range.End) +
           (dryRun ? u" (a dry run: nothing will be written)"_s : u"."_s);
}

QString ImportRun::Summary() const {
    const int status = outcome.Status();
    QStringList lines{u"Summary (exit status %1: %2)"_s.arg(status).arg(RunOutcome::StatusMeaning(status))};
    for (const QString& line :
         Context() + outcome.Summary() +
             QStringList{RunOutcome::SummaryLine(u"RecentHistory.log"_s, RecentHistory::Path())})
        lines.append(u"  "_s + line);
    return lines.join(u'\n') + u'\n';
}
