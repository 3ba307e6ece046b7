#include "windows/ReadinessDialog.h"
#include "base/ScheduleDateTools.h"
#include "importers/Readiness.h"
#include "importers/advert/AdvertLineLayout.h"
#include "playout/ProfileLibrary.h"
#include "support/ChildProgram.h"
#include "support/OperatorHome.h"
#include "support/StationFixture.h"
#include "tools/demo/DemoStation.h"
#include "windows/ReadinessGrid.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

class ReadinessDialogTest : public WithOperator<StationFixture> {};

TEST_F(ReadinessDialogTest, EachCellShowsItsHoursStateByColourLetterAndFiguresAndOpensItsAdverts) {
    db.Settings().SetValue(u"AdvertLogsDirectory"_s, Path(u"adverts"_s));
    db.Settings().SetValue(u"UnderrunThreshold"_s, u"100"_s);
    db.Settings().SetValue(u"BreakLengthTolerance"_s, u"0"_s);
    LogItem advert;
    advert.Type = ItemType::Advert;
    advert.State = ItemState::Ready;
    advert.Flags = ItemFlag::PushedAdvert;
    advert.Duration = 30;
    const QList<LogItem> filled = Write(Day, 10, {100, -120, 100});
    ASSERT_EQ(Fill(filled[0].Position, {{filled[2].Position, {advert}}}), QString());
    const QList<LogItem> waiting = Write(Day, 11, {100, -120, 100}); // its advert has not been pushed
    QStringList lines;
    for (const LogItem& marker : {filled[2], waiting[2]})
        lines.append(AdvertLineLayout::BuildAdvertLine(ScheduleDateTools::FormatSeconds(marker.Time, 4),
                                                       u"SPOT"_s, u"0034"_s, u"Spot"_s, u"REF"_s, 30, false,
                                                       {}));
    WriteFile(db.AdvertLogFileName(Day), (lines.join(u"\r\n"_s) + u"\r\n"_s).toLatin1());

    QList<ScheduleDate> opened;
    ReadinessDialog window(
        {Day, 10 * 3600 + 600},
        [this](const ScheduleDate& from, int hours) { return Readiness::Of(db, from, hours); },
        [&](const ScheduleDate& hour) { opened.append(hour); }, 0x203040);
    window.show();
    ReadinessGrid* grid = window.Grid();
    ASSERT_EQ(grid->rowCount(), ReadinessDialog::Days + 1); // seven days from 10:00: eight calendar days
    EXPECT_EQ(grid->item(0, 9), nullptr);                   // before the first hour asked for
    const auto expect = [&](int hour, HourReadiness::State state) {
        const QTableWidgetItem* cell = grid->item(0, hour);
        ASSERT_NE(cell, nullptr) << hour;
        EXPECT_EQ(cell->text(), QString(HourReadiness::StateMark(state))) << hour;
        EXPECT_EQ(cell->background().color(), ReadinessGrid::StateColour(state)) << hour;
    };
    expect(10, HourReadiness::Ready);
    expect(11, HourReadiness::AdvertsMissing);
    expect(12, HourReadiness::NotScheduled);
    EXPECT_TRUE(grid->item(0, 11)->toolTip().contains(
        u"1 advert break(s), 0 empty; the advert log gives 1 advert(s) for them, 0 in the Scheduled Log."_s))
        << grid->item(0, 11)->toolTip().toStdString();
    EXPECT_EQ(grid->item(7, 9)->text(), u"N"); // the last of the 168 hours, 09:00 seven days on
    EXPECT_EQ(grid->item(7, 10), nullptr);

    // The legend names every state beside its letter, so colour is never the only sign.
    QStringList legend;
    for (const QLabel* label : window.findChild<QWidget*>(u"pnlLegend"_s)->findChildren<QLabel*>())
        legend.append(label->text());
    EXPECT_EQ(legend, QStringList({u"+"_s, u"ready"_s,
                                   u"L"_s, u"copy length differs"_s,
                                   u"U"_s, u"underfilled"_s,
                                   u"O"_s, u"overfilled"_s,
                                   u"S"_s, u"short"_s,
                                   u"M"_s, u"music only"_s,
                                   u"A"_s, u"adverts missing"_s,
                                   u"X"_s, u"missing audio"_s,
                                   u"N"_s, u"not scheduled"_s,
                                   u"I"_s, u"not scheduled, its log offers it: Import adds it"_s,
                                   u" "_s, u"outside the hours shown (past, or later)"_s}));
    // An hour no log file gives is told apart from one an import would add.
    HourReadiness missing;
    EXPECT_EQ(ReadinessGrid::CellMark(missing), u'N');
    missing.MusicOffered = true;
    EXPECT_EQ(ReadinessGrid::CellMark(missing), u'I');
    EXPECT_NE(ReadinessGrid::CellColour(missing), ReadinessGrid::StateColour(HourReadiness::NotScheduled));

    const QRect cell = grid->visualItemRect(grid->item(0, 11));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center()); // a double-click follows a click
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(opened, QList<ScheduleDate>{(ScheduleDate{Day, 11 * 3600})});
}

class DemoReadinessTest : public TempHome {};

TEST_F(DemoReadinessTest, TheGridTheCheckTableAndItsJsonAgreeAfterAPartialImport) {
    QString problem;
    ASSERT_TRUE(DemoStation::Create(QDate::currentDate().addDays(1), 3, &problem)) << problem.toStdString();
    QDir adverts(ProfileLibrary::ProductFolder() + u"/Demo Logs/Adverts"_s);
    ASSERT_TRUE(adverts.remove(adverts.entryList(QDir::Files, QDir::Name).last())); // not come yet
    QTemporaryDir outside;
    ChildProgram program(Home(), outside.path());
    const QString exe = QStringLiteral(LOGIMPORTER_EXE);
    ASSERT_EQ(
        program.Run(exe, {u"/SCHEDULE"_s, u"/SILENT"_s, u"/QUIT"_s, u"/Profile=Demo"_s, u"/NOPREVCHECK"_s}),
        0)
        << program.Errors.toStdString();
    const QString report = Path(u"ready.json"_s);
    ASSERT_EQ(program.Run(exe, {u"/CHECK=96"_s, u"/SILENT"_s, u"/Profile=Demo"_s, u"/NOPREVCHECK"_s,
                                u"/REPORT="_s + report}),
              6);
    const QJsonArray hours = QJsonDocument::fromJson(BytesOf(report)).object()[u"hours"_s].toArray();
    ASSERT_EQ(hours.size(), 96);

    StationDatabase db;
    ASSERT_EQ(db.OpenLocation(DemoStation::DatabasePath()), StationDatabase::Opened);
    const ScheduleDate first = ScheduleDateTools::ParseDate(hours[0][u"start"_s].toString());
    ReadinessDialog window(
        first, [&](const ScheduleDate& from, int count) { return Readiness::Of(db, from, count); },
        [](const ScheduleDate&) {}, 0xC0C0C0);
    QString marks, lastDay;
    const qint32 withoutAdverts = ScheduleDateTools::DaySerial(QDate::currentDate().addDays(3));
    for (const QJsonValue& hour : hours) {
        const ScheduleDate at = ScheduleDateTools::ParseDate(hour[u"start"_s].toString());
        const QTableWidgetItem* cell = window.Grid()->item(at.Day - first.Day, int(at.Seconds / 3600));
        ASSERT_NE(cell, nullptr) << hour[u"start"_s].toString().toStdString();
        marks += cell->text();
        if (at.Day == withoutAdverts)
            lastDay += cell->text();
        const QString state = hour[u"state"_s].toString();
        EXPECT_TRUE(cell->toolTip().contains(u": "_s + state + u".\n"_s)) << state.toStdString();
        // The check's table gives the hour its line, with the same state.
        EXPECT_TRUE(program.Output.contains(hour[u"start"_s].toString() + u"  "_s + state))
            << state.toStdString();
    }
    // The day whose adverts have not come: music only, but for its hours with missing audio.
    EXPECT_EQ(lastDay.count(u'M') + lastDay.count(u'X'), 24) << lastDay.toStdString();
    EXPECT_GE(lastDay.count(u'M'), 12);
    EXPECT_GE(marks.count(u'+'), 24);
    // Cart 1099 of the first day's 03:00 is not in the cart store: named in the JSON and the table.
    const QString lost = ScheduleDateTools::FormatScheduleDate(
        {ScheduleDateTools::DaySerial(QDate::currentDate().addDays(1)), 3 * 3600}, 4);
    const auto at = std::find_if(hours.begin(), hours.end(),
                                 [&](const QJsonValue& hour) { return hour[u"start"_s].toString() == lost; });
    ASSERT_NE(at, hours.end());
    EXPECT_EQ((*at)[u"state"_s].toString(), u"missing audio");
    EXPECT_TRUE((*at)[u"silentCarts"_s].toArray().contains(u"1099"_s));
    EXPECT_TRUE(program.Output.contains(u"no audio: 1099"_s));
}
