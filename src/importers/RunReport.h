#pragma once

#include "importers/RunOutcome.h"

#include <QJsonObject>
#include <QString>

// A run's plan and outcome for people and programs: the preview a dry run shows,
// and the run report (/REPORT=FILE) as JSON.
class RunReport {
public:
    // The report as JSON: the run's start and end, its range, each hour, the lines
    // rejected, the carts missing, the totals and the exit status.
    static QJsonObject Json(const RunOutcome& run);
    // Writes it; False (with why) when the file cannot be written.
    static bool Write(const RunOutcome& run, const QString& path, QString* problem);
    // The report of a run whose start-up failed: its exit status, why, and the
    // profile it was started for; no hours. Written all the same, so that an alert
    // that sends the report sends this run's, not the last one's.
    static bool WriteStartUpFailure(const QString& path, const QString& profile, const QString& reason,
                                    QString* problem);
    // What a dry run would do, as text: hours to write, hours skipped and why,
    // adverts per break, empty breaks, rejected lines with file:line, missing carts
    // (one line a cart), and the summary it would end with.
    static QString Preview(const RunOutcome& run);

private:
    // The missing and silent carts, a line a cart with the hours that hold it.
    static QStringList cartLines(const RunOutcome& run);
};
