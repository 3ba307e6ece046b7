#include "stationdb/CartStore.h"
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

TEST_P(CartsAndSettingsTest, ManyCartsAreLookedUpInOneQueryByTheirExactNumbers) {
    Cart song;
    song.Number = u"1001"_s;
    song.Title = u"Song \"one\", with a comma"_s;
    song.AudioLength = 180;
    Cart advert = song;
    advert.Number = u"5000"_s;
    advert.Title = u"Advert"_s;
    ASSERT_TRUE(db.Carts().Save({song, advert}));
    const QHash<QString, Cart> found =
        db.Carts().GetMany({u"1001"_s, u"0999"_s, u"5000"_s, u"1001 "_s, u"\"]"_s});
    EXPECT_EQ(found.keys().size(), 2);
    EXPECT_EQ(found.value(u"1001"_s).Title, song.Title);
    EXPECT_FLOAT_EQ(found.value(u"1001"_s).AudioLength, 180);
    EXPECT_EQ(found.value(u"5000"_s).Title, u"Advert");
    EXPECT_TRUE(db.ReadFailure().IsWritten()); // nothing failed, a number with quotes included
    EXPECT_TRUE(db.Carts().GetMany({}).isEmpty());
}

ON_BOTH_BACKENDS(CartsAndSettingsTest);
