#pragma once

#include <QString>

// The application log: the operator's record of what the importers did, one file
// per run, one "Category:Text" line per event.
class AppLog {
public:
    // Options, as a bit mask.
    static constexpr int Numbered = 1;     // "-001", "-002", ... to a name no file has
    static constexpr int FollowDate = 2;   // a write on a later day starts a new file
    static constexpr int ComputerName = 4; // "-" + the computer name after the date

    // Opens the log in the folder (creating it); False, with nothing done, when
    // the folder is empty. No file is written until the first line.
    static bool OpenAppLog(const QString& folder, int options);
    static void WriteAppLog(const QString& category, const QString& text);

    // The current file, "" until the log is opened.
    static QString FileName();
    // Forgets the log as if the process had just started.
    static void Reset();
};

inline void WriteAppLog(const QString& category, const QString& text) {
    AppLog::WriteAppLog(category, text);
}
