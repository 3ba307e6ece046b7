#pragma once

#include "app/ToolState.h"

#include <QString>

// /CHECK: is every hour of the next hours in the Scheduled Log, with its adverts?
// It opens the Station Database the profile names for reading only, needs no edit
// rights and writes nothing but its report (/REPORT=): no application log, no
// registry value. So a user who may only read the station can run it, and it runs
// beside an import that is still going.
class ReadinessCheck {
public:
    explicit ReadinessCheck(const ToolState& tool) : tool(tool) {}

    // The exit status (see RunOutcome): 0 when every hour is ready, 6 when one is
    // not, 5 when the number of hours was refused (nothing is checked: a wrong count
    // would pass a night that is not ready), 1 when no database could be opened.
    int Run();
    // The hours as a table, headed by the station and their number; "" when none
    // were checked.
    const QString& Text() const { return text; }
    // Why the check could not run (status 1).
    const QString& FailureReason() const { return failure; }

private:
    const ToolState& tool;
    QString text;
    QString failure;
};
