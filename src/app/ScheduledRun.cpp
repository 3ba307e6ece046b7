#include "app/ScheduledRun.h"

#include "app/ImportKind.h"
#include "app/LogImportSettingsModel.h"
#include "app/ProfileDatabase.h"
#include "importers/Progress.h"
#include "importers/RunReport.h"
#include "stationdb/StationDatabase.h"

#include <QTextStream>

using namespace Qt::Literals::StringLiterals;

ScheduledRun::ScheduledRun(const ToolState& tool)
    : tool(tool), importRun(
                      tool, [this] { return database.get(); }, ImportRun::Display{}) {}

ScheduledRun::~ScheduledRun() = default;

bool ScheduledRun::refuse(const QString& reason) {
    failure = reason;
    database.reset();
    return false;
}

bool ScheduledRun::Start() {
    if (const QString rights = ProfileDatabase::RightsProblem(tool); !rights.isEmpty())
        return refuse(rights);
    const QString name = ProfileDatabase::Named(tool);
    if (name.isEmpty())
        return refuse(ProfileDatabase::NoneFound(tool));
    QString problem;
    database = ProfileDatabase::OpenForImport(tool, name, Outcome(), problem);
    if (!database)
        return refuse(problem);
    const int role = LogImportSettingsModel::MachineRole();
    offer = LogOffer::Read(*database, importRun.Music(), importRun.Adverts(), role, Progress(nullptr));
    if (const QString unread = ProfileDatabase::ReadProblem(*database); !unread.isEmpty())
        return refuse(unread);
    if (!tool.Options.Silent)
        offer.TellOperator(*database, role);
    return true;
}

DateRange ScheduledRun::range() const {
    DateRange range;
    range.Start = tool.Options.Start.value_or(offer.Start);
    range.End = tool.Options.End.value_or(offer.End);
    return range;
}

int ScheduledRun::Run() {
    const bool dryRun = tool.Options.DryRun;
    const DateRange chosen = range();
    QTextStream(stdout) << importRun.Plan(chosen, dryRun) << Qt::endl;
    const QString problem = chosen.Problem(false, true, true);
    if (!problem.isEmpty())
        QTextStream(stderr) << u"logimporter: "_s << problem << Qt::endl;
    importRun.Run(ImportKind::MusicAndAdverts, chosen, problem.isEmpty(), dryRun, tool.Options.Warnings);
    // A dry run's preview ends with its summary.
    QTextStream(stdout) << (dryRun ? RunReport::Preview(Outcome()) : importRun.Summary()) << Qt::flush;
    return Outcome().Status();
}
