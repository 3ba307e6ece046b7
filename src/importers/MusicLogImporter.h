#pragma once

#include "base/FormEncoding.h"
#include "importers/AbstractLogImporter.h"
#include "importers/HourHeaderReader.h"
#include "importers/MusicFormatContext.h"
#include "stationdb/LogHour.h"

#include <QSet>
#include <optional>

class StationDatabase;
class TextFileReader;

// The music importer: finds the music scheduler's daily log files, tells which
// hours they hold, and writes the hours the Scheduled Log lacks, each one whole.
// Between calls it keeps only its progress receiver and its URL decoder; the
// station's settings and database are read afresh on every call.
class MusicLogImporter : public AbstractLogImporter {
public:
    QString LogFileName(StationDatabase& db, qint32 day) override;
    // The start of the first hour one log file holds and the end of its last;
    // nothing when it holds none or cannot be read.
    std::optional<HourRange> ScanLogFile(StationDatabase& db, const QString& file);
    std::optional<HourRange> ScanLogFiles(StationDatabase& db) override;
    bool CheckReady(StationDatabase& db, RunOutcome& run) override;
    bool Import(StationDatabase& db, const HourRange& range, RunOutcome& run) override;

private:
    bool scanLogFiles(ScheduleDate& rangeFrom, ScheduleDate& rangeTo);
    bool scanLogFile(const QString& sourceFile, ScheduleDate& rangeFrom, ScheduleDate& rangeTo);
    struct Run; // the state of one import run
    struct Search;
    struct Missing;
    struct BadLine;

    bool send(StationDatabase& db, const ScheduleDate& rangeFrom, const ScheduleDate& rangeTo);
    // Opens the day's music log for sending; false (said where it must be) when
    // there is none or it cannot be read.
    bool openDayLog(Run& run);
    // Which of the range's hours, counted from 1, an hour of the day in hand is.
    static int hourNumber(const Run& run, int hour);
    void sendHour(Run& run, int hour);
    // Removes the entries older than the station keeps.
    void purge(StationDatabase& db);
    // Plans the hour: its header found and its items built, in memory, with their
    // carts; False when there is nothing to write.
    bool planHour(Run& run, const ScheduleDate& target);
    void alreadyThere(const ScheduleDate& target);
    // True when a read of the hour's plan failed: the hour is then not written.
    bool couldNotRead(const Run& run, const ScheduleDate& target);
    bool findHeader(Run& run, const ScheduleDate& target);
    // Reads the header a "+" line begins into the lookahead, noting its line; why
    // it cannot be read.
    HourHeaderReader::Problem readHeader(Run& run, const QString& line);
    // Names a row the station's table cannot read, met between the range's hours.
    void unreadableRow(const Run& run);
    // The hours of the day's range whose header the search did not reach, each with
    // why; told once the day's file has been read as far as the range goes.
    void reportMissing(Run& run);
    // A header that cannot be read: the debug log every time, the run's warnings
    // (when in a run), and the operator once per file and line.
    void reportUnreadable(const QString& file, int line, const QString& text, HourHeaderReader::Problem why,
                          RunOutcome* run) const;
    static QString headerProblem(HourHeaderReader::Problem why);
    // Reads the hour's items up to the next header or the end of the file; the first
    // line that cannot be read ends the reading, and spoils the hour.
    std::optional<BadLine> readItems(Run& run);
    std::optional<BadLine> readItemLine(Run& run, const QString& line, const QString& note);
    // The header that ends the hour's items; one that cannot be read spoils it.
    std::optional<BadLine> readHeaderInHour(Run& run, const QString& line);
    // Tells of an hour the file offers that is not written for a line of it.
    void unreadableHour(const Run& run, const ScheduleDate& target, const BadLine& bad);
    void addItem(Run& run, LogItem& item);
    // Once the hour's items are read: their carts, looked up together, give each
    // item its audio and titles, and the missing or silent ones are noted.
    void addCarts(Run& run);
    void addCart(Run& run, LogItem& item);
    // Reports the missing or silent carts of the hour, once it is written (or, in a
    // dry run, planned): the carts of an hour that is not are nobody's concern.
    void reportCarts(Run& run);
    void writeHour(Run& run, const ScheduleDate& target);

    FormEncoding forms;
    mutable QSet<QString> reported; // the unreadable lines the operator was told of
};
