// The playout system's own dialogs, each filled in as an operator would.

#include "playout/Directory.h"
#include "playout/FileLocations.h"
#include "playout/LibrarySettings.h"
#include "stationdb/StationSettings.h"
#include "support/OperatorHome.h"
#include "windows/DirectorySettingsDialog.h"
#include "windows/FileLocationsDialog.h"
#include "windows/LibrarySettingsDialog.h"
#include "windows/ListChooserDialog.h"
#include "windows/LogInDialog.h"
#include "windows/PathBox.h"
#include "windows/PathLabel.h"
#include "windows/StationSettingsDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

using PlayoutDialogsTest = OperatorHome;

namespace {

template <typename T> T* part(const QWidget& window, const char* name) {
    T* found = window.findChild<T*>(QLatin1String(name));
    EXPECT_TRUE(found) << name;
    return found;
}

void click(const QWidget& window, const char* name) {
    part<QPushButton>(window, name)->click();
}

} // namespace

TEST_F(PlayoutDialogsTest, TheChooserSelectsTheSuggestionAndAddsOnlyUsableNewNames) {
    const ListChooserDialog::Captions captions{u"Choose Profile"_s, u"Profiles:"_s, u"New profile:"_s};
    ListChooserDialog chooser(captions, {u"Breakfast"_s, u"Drive"_s}, u"DRIVE"_s, true);
    chooser.show();
    EXPECT_EQ(chooser.Chosen(), u"Drive");

    auto* name = part<QLineEdit>(chooser, "txtNewName");
    name->setText(u"News/Sport"_s);
    click(chooser, "cmdNew");
    EXPECT_EQ(op.MessageTexts(), QStringList{u"A name cannot hold any of \\ / : * ? \" < > |"_s});
    EXPECT_EQ(part<QListWidget>(chooser, "lstNames")->count(), 2);

    // Enter in the box adds the name and leaves the window open for OK.
    name->setText(u"Overnight"_s);
    name->setFocus();
    QTest::keyClick(name, Qt::Key_Return);
    EXPECT_TRUE(chooser.isVisible());
    EXPECT_EQ(chooser.Chosen(), u"Overnight");
    EXPECT_TRUE(name->text().isEmpty());
    // A name that is there already is selected, not added twice.
    name->setText(u"breakfast"_s);
    click(chooser, "cmdNew");
    EXPECT_EQ(chooser.Chosen(), u"Breakfast");
    EXPECT_EQ(part<QListWidget>(chooser, "lstNames")->count(), 3);

    ListChooserDialog locked(captions, {}, u"Drive"_s, false);
    EXPECT_FALSE(part<QLineEdit>(locked, "txtNewName")->isEnabled());
    EXPECT_FALSE(part<QPushButton>(locked, "cmdOK")->isEnabled());
    EXPECT_EQ(locked.Chosen(), QString());
}

TEST_F(PlayoutDialogsTest, ALongPathShowsBothItsEndsAndIsWholeInItsTooltipAndWhileEdited) {
    const QString folder = u"/srv/stations/"_s + QString(20, u'x') + u"/exports/music-scheduling/daily"_s;
    StationSettings settings;
    StationSettingsDialog dialog(settings, u"Test FM"_s);
    auto* box = part<PathBox>(dialog, "txtMusicLogsDirectory");
    box->setText(folder);
    part<QLineEdit>(dialog, "txtMusicFileNamePrefix")->setText(u"MUS"_s);
    dialog.resize(500, dialog.height());
    dialog.show();
    auto* example = part<PathLabel>(dialog, "lblMusicExample");
    for (const QString& shown : {box->DisplayedText(), example->text()}) {
        EXPECT_TRUE(shown.startsWith(u"/srv/st"_s)) << shown.toStdString();
        EXPECT_TRUE(shown.contains(u'…')) << shown.toStdString();
    }
    EXPECT_TRUE(box->DisplayedText().endsWith(u"/daily"_s));
    EXPECT_TRUE(example->text().endsWith(u"(the folder does not exist)"_s));
    EXPECT_EQ(box->toolTip(), folder);
    EXPECT_EQ(example->toolTip(), example->Path());
    QApplication::setActiveWindow(&dialog);
    box->setFocus(); // being edited
    EXPECT_EQ(box->DisplayedText(), folder);

    FileLocations locations;
    locations.ApplicationLogs = folder;
    FileLocationsDialog places(locations, 0xC0C0C0);
    places.resize(500, places.height());
    places.show();
    EXPECT_TRUE(part<PathBox>(places, "txtApplicationLogs")->DisplayedText().endsWith(u"/daily"_s));
}

TEST_F(PlayoutDialogsTest, StationSettingsShowTodaysFileAndKeepNothingUntilEveryValueIsGood) {
    StationSettings settings;
    StationSettingsDialog dialog(settings, u"Test FM"_s);
    EXPECT_EQ(dialog.windowTitle(), u"Station Database Settings - Test FM");
    auto* example = part<PathLabel>(dialog, "lblMusicExample");
    EXPECT_EQ(example->Path(), u"(no folder given)");
    part<QLineEdit>(dialog, "txtMusicLogsDirectory")->setText(u"/logs/music"_s);
    part<QLineEdit>(dialog, "txtMusicFileNamePrefix")->setText(u"MUS"_s);
    part<QComboBox>(dialog, "cboMusicFileNameFormat")->setCurrentText(u"ddmmyy"_s);
    EXPECT_EQ(example->Path(), u"/logs/music/MUS231110.txt  (the folder does not exist)");
    part<QLineEdit>(dialog, "txtMusicLogsDirectory")->setText(Home());
    EXPECT_EQ(example->Path(), Home() + u"/MUS231110.txt"_s); // today is 23 November 2010
    part<QLineEdit>(dialog, "txtMusicLogsDirectory")->setText(u"/logs/music"_s);

    part<QLineEdit>(dialog, "txtCartOffset")->setText(u"+250"_s);
    part<QLineEdit>(dialog, "txtAutoPurgeDays")->setText(u"-1"_s);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(op.MessageTexts(), QStringList{u"AutoPurgeDays must be a whole number of 0 or more"_s});
    EXPECT_EQ(part<QTabWidget>(dialog, "tbsSettings")->currentIndex(), 3);
    EXPECT_EQ(settings.MusicLogsDirectory(), QString()); // nothing kept

    part<QLineEdit>(dialog, "txtAutoPurgeDays")->setText(u"07"_s);
    part<QComboBox>(dialog, "cboAdvertFileNameFormat")->setCurrentText(u"YYMMDD"_s);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(settings.MusicLogsDirectory(), u"/logs/music");
    EXPECT_EQ(settings.MusicFileNameFormat(), u"ddmmyy");
    EXPECT_EQ(settings.AdvertFileNameFormat(), u"YYMMDD");
    EXPECT_EQ(settings.CartOffset(), 250);
    EXPECT_EQ(settings.AutoPurgeDays(), 7);
}

TEST_F(PlayoutDialogsTest, DirectoryUsersAreAddedChangedAndRemovedOnlyOnOK) {
    QList<DirectoryUser> users{{u"{A1}"_s, u"Morning Presenter"_s, true}};
    {
        DirectorySettingsDialog dialog(users);
        click(dialog, "cmdAdd");
        part<QLineEdit>(dialog, "txtName")->setText(u"morning presenter"_s);
        emit part<QLineEdit>(dialog, "txtName")->textEdited(u"morning presenter"_s);
        dialog.accept();
        EXPECT_EQ(op.MessageTexts(), QStringList{u"There are two users called 'morning presenter'."_s});
        dialog.reject();
    }
    EXPECT_EQ(users.size(), 1); // a cancelled window changes nothing

    DirectorySettingsDialog dialog(users);
    click(dialog, "cmdAdd");
    QTest::keyClicks(part<QLineEdit>(dialog, "txtName"), u"Engineer"_s);
    QTest::keyClicks(part<QLineEdit>(dialog, "txtPassword"), u"tower"_s);
    part<QCheckBox>(dialog, "chkCanEditStationDatabaseSettings")->setChecked(true);
    part<QListWidget>(dialog, "lstUsers")->setCurrentRow(0);
    click(dialog, "cmdRemove");
    dialog.accept();
    ASSERT_EQ(users.size(), 1);
    const DirectoryUser& engineer = users[0];
    EXPECT_EQ(engineer.Name, u"Engineer");
    EXPECT_TRUE(engineer.Guid.startsWith(u'{'));
    EXPECT_TRUE(engineer.PasswordHash.startsWith(u"$argon2id$"_s)) << engineer.PasswordHash.toStdString();
    EXPECT_TRUE(Directory::PasswordMatches(engineer, u"tower"_s));
    EXPECT_FALSE(Directory::PasswordMatches(engineer, u"Tower"_s));
    EXPECT_TRUE(engineer.CanEditScheduledLog);
    EXPECT_TRUE(engineer.CanEditStationDatabaseSettings);
    EXPECT_FALSE(engineer.CanEditDirectorySettings);
}
