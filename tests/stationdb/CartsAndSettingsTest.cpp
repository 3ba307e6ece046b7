#include "stationdb/CartTools.h"
#include "support/StationFixture.h"

#include <gtest/gtest.h>

class CartsAndSettingsTest : public BackendFixture {};

TEST_P(CartsAndSettingsTest, SettingsAreValidatedAndStored) {
    StationSettings& settings = db.Settings();
    const struct {
        const char16_t* name;
        const char16_t* value;
        bool accepted;
    } cases[] = {
        {u"MusicLogsDirectory", u"/srv/logs", true},
        {u"MusicFileNameFormat", u"DDMMYY", true},
        {u"MusicFileNameFormat", u"yyyymmdd", false},
        {u"OffsetAudioItems", u"+1", true},
        {u"OffsetAudioItems", u"-250", true},
        {u"OffsetAudioItems", u"1.5", false},
        {u"AutoPurgeDays", u"7", true},
        {u"AutoPurgeDays", u"-1", false},
        {u"UseLogImporterCartRanges", u"1", true},
        {u"UseLogImporterCartRanges", u"yes", false},
        {u"SongsStart", u"1000", true},
        {u"SongsStart", u"0", false},
        {u"SongsEnd", u"", true},
        {u"Songstart", u"1", false},
        {u"CartOffset", u"99999999999", false},
    };
    for (const auto& c : cases) {
        const QString name = QString::fromUtf16(c.name);
        EXPECT_EQ(settings.SetValue(name, QString::fromUtf16(c.value)), c.accepted) << name.toStdString();
        EXPECT_EQ(StationSettings::Problem(name, QString::fromUtf16(c.value)).isEmpty(), c.accepted);
    }
    ASSERT_TRUE(db.SaveSettings(settings));
    db.Close();
    ASSERT_EQ(db.OpenLocation(Location()), StationDatabase::Opened);
    EXPECT_EQ(db.Settings().MusicLogsDirectory(), u"/srv/logs");
    EXPECT_EQ(db.Settings().MusicFileNameFormat(), u"DDMMYY");
    EXPECT_EQ(db.Settings().OffsetAudioItems(), -250);
    EXPECT_EQ(db.Settings().AutoPurgeDays(), 7);
    EXPECT_TRUE(db.Settings().UseLogImporterCartRanges());
    EXPECT_EQ(db.Settings().SongsStart(), u"1000");
}

ON_BOTH_BACKENDS(CartsAndSettingsTest);
