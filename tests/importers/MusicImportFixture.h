#pragma once

#include "importers/MusicLogImporter.h"
#include "support/Columns.h"
#include "support/OperatorHome.h"
#include "support/RecordingCallback.h"
#include "support/StationFixture.h"

// A station with a music log directory, an open application log, day-first dates
// and a music importer reporting to a recording progress receiver.
class MusicImportFixture : public WithOperator<StationFixture> {
protected:
    void SetUp() override;
    void TearDown() override;

    QString MusicFolder() const { return Path(u"music"_s); }
    static qint32 Nov(int day) { return 40482 + day; } // day serial of that day of November 2010
    // A day's file: for each hour its header, then items of the given carts (180 s
    // songs when the cart store has them), and an advert break at minute 15.
    void WriteDay(int day, const QList<int>& hours, const QStringList& carts = {u"1001"_s, u"1001"_s});
    static QString HourLines(int day, int hour, const QStringList& carts);
    static QString SongLine(const QString& cart, const QString& title);
    // The advert side of the station: its advert log folder, and the advert cart 0034
    // ("Cart Advert", with audio of the given length).
    void AdvertStation(float audioLength);
    // The hour starts of the Scheduled Log, as "day hh" texts.
    QStringList HoursInLog();
    QStringList AppLogLines() const;
    QStringList HistoryLines() const;
    bool Import(qint32 fromDay, float fromSeconds, qint32 toDay, float toSeconds);
    // Begins a run's ledger afresh, one that keeps every line, as if begun before the
    // test's days (so none of their hours is on air).
    static void StartRecorded(RunOutcome& run);

    MusicLogImporter importer;
    RunOutcome musicRun; // the ledger of the music imports

    RecordingCallback progress;
};
