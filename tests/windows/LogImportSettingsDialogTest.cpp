#include "windows/LogImportSettingsDialog.h"
#include "app/LogImportSettingsModel.h"
#include "base/RegistryTools.h"
#include "playout/PlayoutGeneral.h"
#include "support/OperatorHome.h"
#include "support/ProgramHome.h"
#include "support/ReadmeInstalling.h"
#include "support/StationFixture.h"
#include "tools/demo/DemoStation.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

class LogImportSettingsDialogTest : public WithOperator<StationFixture> {
protected:
    void SetUp() override {
        WithOperator::SetUp();
        const QStringList values = {
            u"JinglesStart=100"_s,    u"JinglesEnd=199"_s,        u"SweepersStart=200"_s,
            u"SweepersEnd=299"_s,     u"SongsStart=1000"_s,       u"SongsEnd=4999"_s,
            u"CartGroupsStart=600"_s, u"CartGroupsEnd=699"_s,     u"AdvertsStart=5000"_s,
            u"AdvertsEnd=5999"_s,     u"ScriptsRangeStart=700"_s, u"ScriptsRangeEnd=799"_s};
        for (const QString& value : values)
            db.Settings().SetValue(value.section(u'=', 0, 0), value.section(u'=', 1));
    }
    // The dialog over the station's values, as the main window opens it.
    std::unique_ptr<LogImportSettingsDialog> Open() {
        settings.Load(db);
        auto dialog = std::make_unique<LogImportSettingsDialog>(settings, QColor(Qt::lightGray));
        dialog->show();
        return dialog;
    }
    static QLineEdit* Box(QWidget& dialog, const QString& name) { return dialog.findChild<QLineEdit*>(name); }
    static void Type(QWidget& dialog, const QString& name, const QString& text) {
        QLineEdit* box = Box(dialog, name);
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, text);
    }

    LogImportSettingsModel settings;
};

TEST_F(LogImportSettingsDialogTest, ValuesThatCannotBeStoredKeepTheDialogOpenAndNothingIsSaved) {
    for (const QString& change : {u"INSERT"_s, u"UPDATE"_s})
        Exec(u"CREATE TRIGGER locked%1 BEFORE %1 ON StationSettings "
             u"BEGIN SELECT RAISE(ABORT, 'attempt to write a readonly database'); END"_s.arg(change));
    const QString key = LogImportSettingsModel::RegistryKey();
    auto dialog = Open();
    Type(*dialog, u"txtSongsStart"_s, u"1500"_s);
    dialog->findChild<QRadioButton*>(u"optImportAdverts"_s)->setChecked(true);
    dialog->accept();
    EXPECT_EQ(
        op.MessageTexts(),
        QStringList{u"The Log Importer Settings could not be stored in the Station Database, so nothing "
                    u"was saved: attempt to write a readonly database"_s});
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(Box(*dialog, u"txtSongsStart"_s)->text(), u"1500"); // what was typed is still there
    EXPECT_EQ(db.Settings().SongsStart(), u"1000");               // and was not taken
    EXPECT_EQ(RegistryTools::GetNumber(RegistryTools::LocalMachine, key, u"Role"_s, 0), 0);

    for (const QString& change : {u"INSERT"_s, u"UPDATE"_s})
        Exec(u"DROP TRIGGER locked"_s + change);
    dialog->accept();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(db.Settings().SongsStart(), u"1500");
    EXPECT_EQ(RegistryTools::GetNumber(RegistryTools::LocalMachine, key, u"Role"_s, 0), 2);
}

// The stations the project makes itself, the README's and the demo's: the dialog
// opens on their values and OK takes them as they are.
class MadeStationSettingsTest : public WithOperator<ProgramHome> {
protected:
    void ExpectOkTakesThem(const QString& path) {
        StationDatabase db;
        ASSERT_EQ(db.OpenLocation(path), StationDatabase::Opened) << path.toStdString();
        LogImportSettingsModel settings;
        settings.Load(db);
        LogImportSettingsDialog dialog(settings, QColor(Qt::lightGray));
        dialog.show();
        dialog.accept();
        EXPECT_EQ(op.MessageTexts(), QStringList());
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
};

TEST_F(MadeStationSettingsTest, TheReadmesStationAndTheDemoOpenTheDialogAndPressOk) {
    ASSERT_EQ(Run(u"/bin/bash"_s,
                  {u"-c"_s, ReadmeInstalling::Script(Home(), Path(u"logs"_s),
                                                     QFileInfo(QStringLiteral(STATIONDB_EXE)).path())}),
              0)
        << Errors.toStdString();
    ExpectOkTakesThem(PlayoutGeneral().Folder(PlayoutGeneral::StationDatabases) + u"/Hub FM.sdb"_s);

    QString problem;
    ASSERT_TRUE(DemoStation::Create(QDate::currentDate().addDays(1), 1, &problem)) << problem.toStdString();
    ExpectOkTakesThem(DemoStation::DatabasePath());
}
