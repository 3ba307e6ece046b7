#pragma once

#include "base/ScheduleDateTools.h"
#include "importers/MusicImportFixture.h"
#include "importers/advert/AdvertLineLayout.h"
#include "importers/advert/AdvertLogImporter.h"
#include "support/Columns.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

// A station with advert carts, music hours written by the music importer, and
// an advert importer that pushes the day's advert logs into them.
class AdvertPushFixture : public MusicImportFixture {
protected:
    void SetUp() override {
        MusicImportFixture::SetUp();
        AdvertStation(29.5f);
        adverts.SetProgressCallback(&progress);
    }

    // Music hours of a day, each with its break at minute 15, written by the music importer.
    void MusicHours(int day, const QList<int>& hours, const QStringList& extra = {}) {
        QStringList blocks;
        for (const int hour : hours)
            blocks.append(HourLines(day, hour, {u"1001"_s}));
        WriteFile(db.MusicLogFileName(Nov(day)),
                  (blocks.join(u"\r\n"_s) + u"\r\n"_s + extra.join(u"\r\n"_s)).toLatin1());
        ASSERT_TRUE(Import(Nov(day), 0, Nov(day), ScheduleDateTools::EndOfDay));
    }
    static QString Advert(const QString& time, const QString& cart, const QString& title = {},
                          const QString& type = u"SPOT"_s, const QString& notes = {}) {
        return AdvertLineLayout::BuildAdvertLine(time, type, cart, title, u"REF "_s + cart, 30, false, notes);
    }
    void AdvertLog(int day, const QStringList& lines) {
        WriteFile(db.AdvertLogFileName(Nov(day)), (lines.join(u"\r\n"_s) + u"\r\n"_s).toLatin1());
    }
    bool Push(qint32 fromDay, float fromSeconds, qint32 toDay, float toSeconds) {
        return adverts.Import(db, {{fromDay, fromSeconds}, {toDay, toSeconds}}, advertRun);
    }
    // Music hours each with two breaks, at minutes 15 and 45.
    void TwoBreakHours(int day, const QList<int>& hours) {
        QStringList lines;
        for (const int hour : hours)
            lines << HourLines(day, hour, {u"1001"_s}) << SongLine(u"1001"_s, QString())
                  << Columns({{1, u":"_s}, {15, u"BREAK 00:45:00"_s}});
        WriteFile(db.MusicLogFileName(Nov(day)), (lines.join(u"\r\n"_s) + u"\r\n"_s).toLatin1());
        ASSERT_TRUE(Import(Nov(day), 0, Nov(day), ScheduleDateTools::EndOfDay));
    }
    QList<RunOutcome::BreakFate> Fates(int day, int hour) const {
        QList<RunOutcome::BreakFate> fates;
        for (const RunOutcome::Break& met : advertRun.HourAt({Nov(day), float(hour * 3600)})->Breaks)
            fates.append(met.Fate);
        return fates;
    }
    QList<LogItem> Hour(int day, int hour) { return HourItems(Nov(day), hour); }
    QStringList AdLines() const { return AppLogLines().filter(u"AdLog:"_s); }

    AdvertLogImporter adverts;
    RunOutcome advertRun; // the ledger of the pushes
};
