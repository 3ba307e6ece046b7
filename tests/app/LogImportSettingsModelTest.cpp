#include "app/LogImportSettingsModel.h"

#include "base/RegistryTools.h"
#include "support/StationFixture.h"

#include <gtest/gtest.h>

class LogImportSettingsModelTest : public StationFixture {
protected:
    void Fill(LogImportSettingsModel& model, const QString& value) {
        for (const QString& name : LogImportSettingsModel::RangeNames())
            model.Ranges[name] = value;
    }
};

TEST_F(LogImportSettingsModelTest, RangesAreCheckedInOrderThenForValidity) {
    LogImportSettingsModel model;
    Fill(model, u"1000"_s);
    EXPECT_EQ(model.Problem(), QString()); // equal ends pass
    model.Ranges[u"SongsStart"_s] = u"2000"_s;
    model.Ranges[u"JinglesStart"_s] = u"500"_s;
    model.Ranges[u"JinglesEnd"_s] = u"100"_s;
    model.Ranges[u"ScriptsRangeStart"_s] = QString();
    EXPECT_EQ(model.Problem(), u"You cannot have the End of the Jingles Range before the start");
    model.Ranges[u"JinglesEnd"_s] = u"600"_s;
    EXPECT_EQ(model.Problem(), u"You cannot have the End of the Songs Range before the start");
    model.Ranges[u"SongsStart"_s] = u"900"_s;
    EXPECT_EQ(model.Problem(), u"You must specify a valid cart number for all of the ranges");
}

TEST_F(LogImportSettingsModelTest, OffsetsAndRangesAreShownAndStoredAsSpecified) {
    EXPECT_EQ(LogImportSettingsModel::ShownOffset(5), u"+5");
    EXPECT_EQ(LogImportSettingsModel::ShownOffset(-12), u"-12");
    EXPECT_EQ(LogImportSettingsModel::ShownOffset(0), u"+0");
    EXPECT_EQ(LogImportSettingsModel::OffsetOnLeaving(u"-12"_s), u"-12");
    EXPECT_EQ(LogImportSettingsModel::OffsetOnLeaving(u"+0"_s), u"0");
    EXPECT_EQ(LogImportSettingsModel::OffsetOnLeaving(u"-"_s), u"0");
    EXPECT_EQ(LogImportSettingsModel::OffsetOnLeaving(u"250"_s), u"+250");

    LogImportSettingsModel model;
    model.Load(db);
    EXPECT_EQ(model.Role, 1);
    EXPECT_TRUE(model.WarnAtStartup);
    EXPECT_EQ(model.OffsetAudioItems, u"+0");
    Fill(model, u"0100"_s);
    model.OffsetAudioItems = u"+250"_s; // ticked off: stores 0
    model.OffsetLinkItems = u"-2.5"_s;
    model.OffsetLinkItemsOn = true;
    model.Role = 3;
    ASSERT_EQ(model.Store(), QString());
    EXPECT_EQ(db.Settings().SongsStart(), u"100");
    EXPECT_EQ(db.Settings().OffsetAudioItems(), 0);
    EXPECT_EQ(db.Settings().OffsetLinkItems(), -2); // halves to the even neighbour
    const QString key = LogImportSettingsModel::RegistryKey();
    EXPECT_EQ(RegistryTools::GetNumber(RegistryTools::LocalMachine, key, u"Role"_s, 0), 3);
    EXPECT_EQ(RegistryTools::GetString(RegistryTools::LocalMachine, key, u"LastVersion"_s, {}), u"0.0.0");

    RegistryTools::SetNumber(RegistryTools::LocalMachine, key, u"Role"_s, 7);
    LogImportSettingsModel again;
    again.Load(db);
    EXPECT_EQ(again.Role, 1);
    EXPECT_EQ(again.OffsetLinkItems, u"-2");
    EXPECT_TRUE(again.OffsetLinkItemsOn);
}

TEST_F(LogImportSettingsModelTest, TheAdvertTimeWindowIsAWholeNumberOfSecondsUpToAnHour) {
    LogImportSettingsModel model;
    model.Load(db);
    EXPECT_EQ(model.AdvertTimeWindow, u"0"); // exact times unless set
    Fill(model, u"1000"_s);
    for (const QString& refused : {u"3601"_s, u"-5"_s, u"ten"_s, u"2.5"_s, QString()}) {
        model.AdvertTimeWindow = refused;
        EXPECT_EQ(model.Problem(), u"The advert time window must be a whole number of seconds from 0 to 3600")
            << refused.toStdString();
    }
    model.AdvertTimeWindow = u"3600"_s;
    EXPECT_EQ(model.Problem(), QString());
    model.AdvertTimeWindow = u"45"_s;
    ASSERT_EQ(model.Store(), QString());
    EXPECT_EQ(db.Settings().AdvertTimeWindow(), 45);
    LogImportSettingsModel again;
    again.Load(db);
    EXPECT_EQ(again.AdvertTimeWindow, u"45");
}

TEST_F(LogImportSettingsModelTest, TheAdvertLogFormatIsOneOfTheDescriptionsFound) {
    LogImportSettingsModel model;
    model.Load(db);
    Fill(model, u"1000"_s);
    EXPECT_TRUE(model.LogFormats.contains(u"c-record"_s)); // the shipped ones
    model.AdvertLogFormat = u"c-record"_s;
    ASSERT_EQ(model.Store(), QString());
    EXPECT_EQ(db.Settings().AdvertLogFormat(), u"c-record");
    model.AdvertLogFormat = u"gone"_s;
    EXPECT_TRUE(
        model.Problem().startsWith(u"The advert log format cannot be used: no advert log format 'gone'"_s))
        << model.Problem().toStdString();
}
