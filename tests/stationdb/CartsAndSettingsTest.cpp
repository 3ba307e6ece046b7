#include "stationdb/CartTools.h"
#include "support/StationFixture.h"

#include <gtest/gtest.h>

class CartsAndSettingsTest : public StationFixture {};

TEST_F(CartsAndSettingsTest, CartsAreLookedUpByNumber) {
    Cart song;
    song.Number = u"1123"_s;
    song.Title = u"Song"_s;
    song.Type = 3;
    song.Length = 200;
    song.AudioLength = 198.5f;
    Cart link = song;
    link.Number = u"0034"_s;
    link.Type = 2;
    link.Flag = true;
    ASSERT_TRUE(db.Carts().Save({song, link}));
    EXPECT_EQ(db.LookupCart(u"1123"_s).Type, 3);
    EXPECT_FALSE(db.LookupCart(u"1123"_s).Flag);
    EXPECT_EQ(db.LookupCart(u" 0034 "_s).Type, 2);
    EXPECT_TRUE(db.LookupCart(u"0034"_s).Flag);
    EXPECT_EQ(db.LookupCart(u"34"_s).Type, 0);
    EXPECT_EQ(db.LookupCart(QString()).Type, 0);
    const auto found = db.CartTools().GetCart(u" 1123"_s);
    ASSERT_TRUE(found);
    EXPECT_FLOAT_EQ(found->AudioLength, 198.5f);
    EXPECT_FALSE(db.CartTools().GetCart(u"9999"_s));

    song.Title = u"Replaced"_s;
    ASSERT_TRUE(db.Carts().Save({song}));
    EXPECT_EQ(db.Carts().All().size(), 2);
    EXPECT_EQ(db.CartTools().GetCart(u"1123"_s)->Title, u"Replaced");
}

TEST_F(CartsAndSettingsTest, SettingsAreValidatedAndStored) {
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
    ASSERT_EQ(db.OpenFile(DatabasePath()), StationDatabase::Opened);
    EXPECT_EQ(db.Settings().MusicLogsDirectory(), u"/srv/logs");
    EXPECT_EQ(db.Settings().MusicFileNameFormat(), u"DDMMYY");
    EXPECT_EQ(db.Settings().OffsetAudioItems(), -250);
    EXPECT_EQ(db.Settings().AutoPurgeDays(), 7);
    EXPECT_TRUE(db.Settings().UseLogImporterCartRanges());
    EXPECT_EQ(db.Settings().SongsStart(), u"1000");
}
