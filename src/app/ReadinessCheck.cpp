#include "app/ReadinessCheck.h"

#include "app/ProfileDatabase.h"
#include "base/ScheduleDateTools.h"
#include "importers/Readiness.h"
#include "importers/RunOutcome.h"
#include "playout/OperatorSeam.h"

using namespace Qt::Literals::StringLiterals;

int ReadinessCheck::Run() {
    const RunOptions& options = tool.Options;
    if (options.CheckHours < 0) {
        OperatorSeam::Message(options.CheckRefused, Operator::Exclamation);
        return RunOutcome::WithWarnings;
    }
    const QString name = ProfileDatabase::Named(tool);
    if (name.isEmpty()) {
        failure = ProfileDatabase::NoneFound(tool);
        return RunOutcome::StartUpFailed;
    }
    StationDatabase db;
    failure = ProfileDatabase::Open(db, tool, name, StationDatabase::ForReading);
    if (!failure.isEmpty())
        return RunOutcome::StartUpFailed;
    const QList<HourReadiness> hours = Readiness::Of(db, ScheduleDateTools::Today(), options.CheckHours);
    text = u"Readiness of %1, the next %2 hours\n"_s.arg(db.DatabaseInfo().Name).arg(hours.size()) +
           Readiness::Table(hours);
    QString problem;
    if (!options.Report.isEmpty() && !Readiness::Write(hours, options.Report, &problem))
        text += u"The readiness report could not be written to '%1': %2\n"_s.arg(options.Report, problem);
    return Readiness::AllReady(hours) ? RunOutcome::Complete : RunOutcome::NotReady;
}
