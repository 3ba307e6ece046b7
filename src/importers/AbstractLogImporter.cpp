#include "importers/AbstractLogImporter.h"

#include "base/AppLog.h"
#include "base/DebugLog.h"
#include "base/FileTools.h"
#include "base/GeneralTools.h"
#include "base/ScheduleDateTools.h"
#include "base/StopSignal.h"
#include "importers/RecentHistory.h"
#include "playout/OperatorSeam.h"
#include "stationdb/StationDatabase.h"
#include "stationdb/WriteOutcome.h"

#include <QLocale>

using namespace Qt::Literals::StringLiterals;

bool AbstractLogImporter::CheckDirectory(const QString& folder, const QString& whenEmpty,
                                         const QString& setting) {
    if (folder.isEmpty()) {
        OperatorSeam::Message(whenEmpty, Operator::Exclamation);
        return true;
    }
    if (!FileTools::FolderExists(folder)) {
        OperatorSeam::Message(u"The '"_s + setting +
                                  u"' you have entered in Station Database Settings cannot be "
                                  u"found ('"_s +
                                  folder + u"')"_s,
                              Operator::Exclamation);
        return false;
    }
    return true;
}

QString AbstractLogImporter::HourText(const ScheduleDate& hour) {
    return ScheduleDateTools::FormatScheduleDate(hour, 4);
}

QString AbstractLogImporter::DayText(qint32 day) {
    return QLocale().toString(ScheduleDateTools::DateOfSerial(day), QLocale::LongFormat);
}

bool AbstractLogImporter::DayLogReadable(const QString& category, const QString& kind, qint32 day,
                                         const QString& file, bool warnWhenMissing) const {
    if (FileTools::FileSize(file) > 0)
        return true;
    const QString place = DayText(day) + u" ('"_s + file + u"')"_s;
    if (FileTools::FileExists(file)) {
        Log(category, u"Log for "_s + place + u" is empty."_s);
        Outcome().Warn(u"the "_s + kind + u" log for "_s + place + u" is empty"_s);
        return false;
    }
    Log(category, u"Log for "_s + place + u" could not be found."_s);
    if (warnWhenMissing)
        Outcome().Warn(u"no "_s + kind + u" log was found for "_s + place);
    return false;
}

QString AbstractLogImporter::VersionStamp() {
    const Application& app = GeneralTools::App();
    return app.ProductName + u" v%1.%2.%3"_s.arg(app.Major).arg(app.Minor).arg(app.Revision);
}

void AbstractLogImporter::ReportUnderrun(const QString& category, const ScheduleDate& hour, float hourLength,
                                         qint32 threshold) const {
    // Once an hour: the music import and the push of one run may both weigh it.
    if (threshold <= 0 || hourLength >= threshold || !Outcome().Underrun(hour))
        return;
    Log(category, HourText(hour) + u" - this hour is only "_s +
                      ScheduleDateTools::FormatSeconds(hourLength, 2) + u" minutes long, so may underrun"_s);
    progress().Increment(2);
}

void AbstractLogImporter::Log(const QString& category, const QString& text) const {
    if (!Outcome().DryRun())
        WriteAppLog(category, text);
}

void AbstractLogImporter::BeginHistory(const QString& line) const {
    if (Outcome().DryRun())
        return;
    RecentHistory::ApplySizeLimit();
    RecentHistory::Append(line);
}

void AbstractLogImporter::History(const QString& line) const {
    if (!Outcome().DryRun())
        RecentHistory::Append(line);
}

void AbstractLogImporter::ReportCart(const QString& category, const ScheduleDate& hour, const QString& cart,
                                     const QString& title, const QString& problem) const {
    Log(category, HourText(hour) + u" - Cart "_s + cart + u" ('"_s + title +
                      u"') has been scheduled to play, but "_s + problem);
    progress().Increment(1);
    Outcome().CartMissing(hour, cart, title, problem);
}

void AbstractLogImporter::ReportNotWritten(const QString& category, const QString& text,
                                           const WriteOutcome& why) const {
    Log(category, text + u": "_s + why.Problem);
    if (!why.EndsTheRun() || Outcome().GaveUp())
        return;
    Outcome().GiveUp(why.Problem);
    WritingStopped(); // a stop signal that ended the wait is recorded as the run's stop
    if (Outcome().StoppedBy().isEmpty())
        History(u"Stopped writing, as "_s + why.Problem + u"; the hours after it were not written"_s);
}

bool AbstractLogImporter::StoredSettingsUsable(StationDatabase& db, const QString& category,
                                               const QStringList& names, bool ranges) const {
    QString problem = db.Settings().StoredProblem(names);
    if (problem.isEmpty() && ranges && !db.Settings().RangeProblem().isEmpty())
        problem = u"the Station Database's cart ranges cannot be used: "_s + db.Settings().RangeProblem();
    if (problem.isEmpty())
        return true;
    Log(category, u"The settings cannot be used: "_s + problem);
    Outcome().Warn(problem);
    OperatorSeam::Message(u"The settings cannot be used: "_s + problem +
                              u". Set it again (stationdb settings, or the settings window)."_s,
                          Operator::Exclamation);
    return false;
}

void AbstractLogImporter::CountersFromTheLedger() const {
    for (int i = 0; i < Outcome().ItemsMissingAudio(); ++i)
        progress().Increment(1);
    for (int i = 0; i < Outcome().Underruns(); ++i)
        progress().Increment(2);
}

void AbstractLogImporter::PauseForProgress() const {
    if (callback)
        ScheduleDateTools::Pause(0.5);
}

bool AbstractLogImporter::WritingStopped() const {
    const QString signal = StopSignal::Received();
    if (!signal.isEmpty() && Outcome().StoppedBy().isEmpty()) {
        Outcome().Stop(signal);
        WriteDebug(u"The run was stopped by "_s + signal);
        History(u"Stopped by "_s + signal + u" before the end of the range"_s);
    }
    return Outcome().GaveUp();
}

std::optional<QString> AbstractLogImporter::ReadFailed(const StationDatabase& db, const QString& category,
                                                       const QString& hourText) const {
    const WriteOutcome& why = db.ReadFailure();
    if (why.IsWritten())
        return std::nullopt;
    ReportNotWritten(category, hourText + u" - could not be read from the Scheduled Log"_s, why);
    return u"could not be read: "_s + why.Problem;
}

AbstractLogImporter::Call::Call(const AbstractLogImporter& importer, StationDatabase& db, RunOutcome* run)
    : importer(importer), db(importer.db), run(importer.outcome) {
    importer.db = &db;
    if (run)
        importer.outcome = run;
}

AbstractLogImporter::Call::~Call() {
    importer.db = db;
    importer.outcome = run;
}
