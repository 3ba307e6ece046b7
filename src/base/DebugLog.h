#pragma once

#include <QString>
#include <optional>

// The debug log: a trace for support staff, one file per executable and day,
// written only when a debug level is set. Each line is time-stamped and indented
// by the steps it belongs to. Every line the tool writes has level 5.
class DebugLog {
public:
    enum Indent { IndentNone = 0, IndentAfter = 1, OutdentBefore = 2, IndentReset = 3 };
    static constexpr int dbmNormal = 5;

    // Writes one line when the debug level lets it through. A failure to create
    // the folder is shown to the operator; any other failure loses the line.
    static void WriteDebug(const QString& text, int level = dbmNormal, int indent = IndentNone);

    // Sets the debug level from the /DEBUG option when given (its value: MAX or none
    // for the fullest, NORMAL or MEDIUM, NONE or OFF), else from "DebugMode".
    static void InitialiseDebugLevel(const std::optional<QString>& option);

    // The process's working set (resident size) and page-file usage (swap where
    // the platform has no page file), in bytes; False when unknown.
    static bool GetProcessMemory(qint64& workingSet, qint64& pagefileUsage);

    // True when lines of the given level are written: a loop that makes texts only
    // for the trace asks first, so that without a debug level it costs nothing.
    static bool Writes(int level = dbmNormal);

    // The file today's lines go to, or "" when no debug level is set.
    static QString FileName();

    // The current indentation, and a fresh start of the process-wide state.
    static int Indentation();
    static void Reset();
};

// The tool's routines write their trace through this.
inline void WriteDebug(const QString& text, int level = DebugLog::dbmNormal,
                       int indent = DebugLog::IndentNone) {
    DebugLog::WriteDebug(text, level, indent);
}
