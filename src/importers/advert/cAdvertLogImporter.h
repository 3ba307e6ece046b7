#pragma once

#include "importers/cLogImporter.h"
#include "playout/CartSet.h"
#include "playout/LogHour.h"

class StationDatabase;

// The advert importer: finds the advert scheduler's daily logs and pushes their
// adverts into the advert breaks that the music hours already hold. Advert logs
// are only ever read.
class cAdvertLogImporter : public cLogImporter {
public:
    // `database` gives the open Station Database, or nullptr when none is open.
    explicit cAdvertLogImporter(std::function<StationDatabase*()> database);

    QString GetImportLogFileName(qint32 CurDate) override;
    bool ScanLogFileForDateRange(const QString& SourceFile, ScheduleDate& sdStart,
                                 ScheduleDate& sdEnd) override;
    bool ImportLogFiles(ScheduleDate& sdStart, ScheduleDate& sdEnd, bool UpdateDatabase) override;
    bool CheckReady() override;
    bool ScanLogFilesForDateRanges(ScheduleDate& sdStart, ScheduleDate& sdEnd) override;

private:
    struct Push; // the state of one push

    bool push(StationDatabase& db, const ScheduleDate& sdStart, const ScheduleDate& sdEnd, QString& summary);
    bool pushHour(Push& push, int hour);
    // Reads the hour and fills its breaks in memory; False when the hour is skipped.
    bool planHour(Push& push, double position);
    void fillBreak(Push& push, const LogItem& marker);
    void writeHour(Push& push, double position);
    // Adds the hour's breaks to the run's figures, once its adverts are written or
    // there were none to write.
    void countBreaks(Push& push) const;
    void readLine(Push& push);
    LogItem advertOf(Push& push, const QString& line, float breakTime);
};
