#pragma once

#include "base/RuntimeError.h"

#include <QString>

// Telling the operator and the debug log that something went wrong.
class Reporting {
public:
    // "There was a problem " + action, with the description in quotes when there is
    // one. Shown unless silent, always written to the debug log; returns the text.
    static QString ReportProblem(const QString& action, const QString& description, bool silent);

    // ReportProblem with the standard text of an error number as the description;
    // for a number without one, the description of the error being raised when it
    // has this number.
    static QString ReportError(const QString& action, long errorNumber, bool silent,
                               const RuntimeError* raised = nullptr);
};
