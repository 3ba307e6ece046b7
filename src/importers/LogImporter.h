#pragma once

#include "base/ScheduleDate.h"

#include <QString>

class ProgressReceiver;

// What the main window asks of an importer, music or adverts.
class LogImporter {
public:
    virtual ~LogImporter() = default;

    // The full path of the log file of a day (a day serial); for -1 a path whose
    // name is a wildcard pattern matching every log file; "" without a database.
    virtual QString GetImportLogFileName(qint32 day) = 0;
    // Reads one log file: the start of its first hour and the end of its last.
    virtual bool ScanLogFileForDateRange(const QString& sourceFile, ScheduleDate& rangeFrom,
                                         ScheduleDate& rangeTo) = 0;
    // Imports the range into the Scheduled Log.
    virtual bool ImportLogFiles(ScheduleDate& rangeFrom, ScheduleDate& rangeTo, bool updateDatabase) = 0;
    // Checks the importer's settings before an import, telling the operator what is wrong.
    virtual bool CheckReady() = 0;
    // The first and last schedulable hour of all the log files.
    virtual bool ScanLogFilesForDateRanges(ScheduleDate& rangeFrom, ScheduleDate& rangeTo) = 0;
    virtual ProgressReceiver* ProgressCallback() const = 0;
    virtual void SetProgressCallback(ProgressReceiver* newReceiver) = 0;
};
