#include "app/ProfileDatabase.h"

#include "app/LogImportSettingsModel.h"
#include "base/GeneralTools.h"
#include "base/RegistryTools.h"
#include "stationdb/StationWriter.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

QString ProfileDatabase::Named(const ToolState& tool) {
    if (!tool.Options.Database.isEmpty())
        return tool.Options.Database; // the folders need not even be looked at
    const LibrarySettings& library = tool.StationLibrary->Settings();
    if (library.DatabaseMode == 2 && tool.PlayoutGeneral->Databases().Find(library.FixedDatabase))
        return library.FixedDatabase;
    return {};
}

QString ProfileDatabase::NoneFound(const ToolState& tool) {
    const LibrarySettings& library = tool.StationLibrary->Settings();
    const QString folder = tool.PlayoutGeneral->Folder(PlayoutGeneral::StationDatabases);
    if (library.DatabaseMode == 2)
        return u"the profile '%1' names the Station Database '%2', which is not in '%3'"_s.arg(
            tool.CurrentProfile, library.FixedDatabase, folder);
    return u"no Station Database was chosen (the profile '%1' names none; those in '%2' were offered)"_s.arg(
        tool.CurrentProfile, folder);
}

QString ProfileDatabase::Open(StationDatabase& db, const ToolState& tool, const QString& name,
                              StationDatabase::Access access) {
    db.SetPatience(Patience()); // the opening's reads keep to the patience too
    QString problem;
    if (db.Open(tool.PlayoutGeneral->Databases(), name, access) != StationDatabase::Opened)
        problem = u"the Station Database could not be opened: "_s + db.OpenProblem();
    else if (access == StationDatabase::ForWriting && db.IsReadOnly())
        problem = u"the Station Database '%1' is read-only, so nothing can be imported into it"_s.arg(
            db.DatabaseInfo().Location);
    if (!problem.isEmpty())
        db.Close();
    return problem;
}

QString ProfileDatabase::RightsProblem(const ToolState& tool) {
    const std::optional<DirectoryUser> user = tool.Directory ? tool.Directory->CurrentUser() : std::nullopt;
    if (!user || user->CanEditScheduledLog)
        return {};
    return u"You do not have the correct Permissions to Edit the Scheduled Log so you cannot use the "_s +
           GeneralTools::App().ProductName;
}

int ProfileDatabase::Patience() {
    const int seconds =
        RegistryTools::GetNumber(RegistryTools::LocalMachine, LogImportSettingsModel::RegistryKey(),
                                 u"BusyWaitSeconds"_s, StationWriter::DefaultPatience / 1000);
    return std::max(0, seconds) * 1000;
}

std::unique_ptr<StationDatabase> ProfileDatabase::OpenForImport(const ToolState& tool, const QString& name,
                                                                const RunOutcome& run, QString& problem) {
    auto db = std::make_unique<StationDatabase>();
    db->WaitOnlyWhile([&run] { return !run.GaveUp() || run.Finished().isValid(); });
    problem = Open(*db, tool, name, StationDatabase::ForWriting);
    if (!problem.isEmpty())
        db.reset();
    return db;
}

QString ProfileDatabase::ReadProblem(const StationDatabase& db) {
    const WriteOutcome& read = db.ReadFailure();
    if (read.IsWritten() || read.Result == WriteOutcome::Stopped)
        return {};
    return u"the Scheduled Log could not be read: "_s + read.Problem;
}
