#pragma once

#include "importers/MusicFormatContext.h"
#include "importers/Progress.h"
#include "importers/iLogImporter.h"
#include "net/cWinINET.h"
#include "playout/LogHour.h"

#include <functional>
#include <optional>

class StationDatabase;
class TextFileReader;

// The music importer: finds the music scheduler's daily log files, tells which
// hours they hold, and writes the hours the Scheduled Log lacks, each one whole.
// Between calls it keeps only its progress receiver and its URL decoder; the
// station's settings and database are read afresh on every call.
class cMusicLogImporter : public iLogImporter {
public:
    // `database` gives the open Station Database, or nullptr when none is open.
    explicit cMusicLogImporter(std::function<StationDatabase*()> database);

    QString GetImportLogFileName(qint32 CurDate) override;
    bool ScanLogFileForDateRange(const QString& SourceFile, ScheduleDate& sdStart,
                                 ScheduleDate& sdEnd) override;
    bool ImportLogFiles(ScheduleDate& sdStart, ScheduleDate& sdEnd, bool UpdateDatabase) override;
    bool CheckReady() override;
    bool ScanLogFilesForDateRanges(ScheduleDate& sdStart, ScheduleDate& sdEnd) override;
    iScheduleCallback* ProgressCallback() const override { return callback; }
    void SetProgressCallback(iScheduleCallback* iNewValue) override { callback = iNewValue; }

private:
    struct Run; // the state of one import run

    Progress progress() const { return Progress(callback); }
    bool send(StationDatabase& db, const ScheduleDate& sdStart, const ScheduleDate& sdEnd);
    void sendHour(Run& run, int hour);
    bool findHeader(Run& run, const ScheduleDate& target);
    bool readItems(Run& run);
    void addItem(Run& run, LogItem& item);
    bool writeHour(Run& run, const ScheduleDate& target);

    std::function<StationDatabase*()> database;
    iScheduleCallback* callback = nullptr;
    cWinINET inet;
};
