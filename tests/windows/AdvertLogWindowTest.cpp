#include "windows/AdvertLogWindow.h"
#include "importers/advert/AdvertLineLayout.h"
#include "support/OperatorHome.h"
#include "support/StationFixture.h"
#include "windows/ListPrinter.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

class AdvertLogWindowTest : public WithOperator<StationFixture> {
protected:
    void SetUp() override {
        WithOperator::SetUp();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        db.Settings().SetValue(u"AdvertLogsDirectory"_s, Path(u"adverts"_s));
        QDir().mkpath(Path(u"adverts"_s));
        viewer = std::make_unique<AdvertLogWindow>(db);
    }
    void TearDown() override {
        viewer.reset();
        WithOperator::TearDown();
    }
    static QString Advert(const QString& time, const QString& cart) {
        return AdvertLineLayout::BuildAdvertLine(time, u"SPOT"_s, cart, u"Spot "_s + cart, u"REF"_s, 30,
                                                 false, {});
    }
    void Log(const QStringList& lines) {
        WriteFile(db.AdvertLogFileName(nov9), (lines.join(u"\r\n"_s) + u"\r\n"_s).toLatin1());
    }
    QTreeWidget* List() const { return viewer->findChild<QTreeWidget*>(u"lViewLog"_s); }

    static constexpr qint32 nov9 = 40491; // Tuesday 9 November 2010
    std::unique_ptr<AdvertLogWindow> viewer;
};

TEST_F(AdvertLogWindowTest, ADayIsListedWithTheBreakAtTheHourSelected) {
    db.Settings().SetValue(u"AdvertCartOffset"_s, u"1000"_s);
    Log({Advert(u"09:45:00"_s, u"0034"_s), Advert(u"10:15:00"_s, u"0035"_s), QString(),
         Advert(u"11:15:00"_s, u"0036"_s)});
    viewer->DisplayLog({nov9, 10 * 3600});
    EXPECT_EQ(viewer->windowTitle(), u"View Advert Log : Tuesday, 9 November 2010");
    EXPECT_EQ(viewer->findChild<QLineEdit*>(u"txtStartDate"_s)->text(), u"09 November 2010");
    EXPECT_EQ(viewer->findChild<QLineEdit*>(u"txtStarthour"_s)->text(), u"10");
    ASSERT_EQ(List()->topLevelItemCount(), 5); // the gap row after 09:45, and the blank line
    EXPECT_EQ(List()->topLevelItem(0)->text(1), u"1034");
    EXPECT_EQ(List()->currentItem(), List()->topLevelItem(2));
    EXPECT_EQ(List()->currentItem()->text(0), u"10:15:00");
    EXPECT_TRUE(viewer->CanPrint());
    EXPECT_TRUE(viewer->findChild<QPushButton*>(u"cmdPrint"_s)->isEnabled());
}

TEST_F(AdvertLogWindowTest, PrintingToAPdfGivesPagesHoldingEveryRow) {
    QStringList lines;
    for (int hour = 0; hour < 24; ++hour)
        for (int a = 0; a < 8; ++a)
            lines.append(Advert(u"%1:15:00"_s.arg(hour, 2, 10, QLatin1Char('0')), QString::number(5000 + a)));
    Log(lines);
    viewer->DisplayLog({nov9, 0});
    const int rows = List()->topLevelItemCount();
    ASSERT_EQ(rows, 24 * 8 + 23);

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(Path(u"advert-log.pdf"_s));
    ASSERT_TRUE(viewer->PrintTo(printer));
    const QByteArray pdf = BytesOf(Path(u"advert-log.pdf"_s));
    const qsizetype pages =
        pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page ");
    EXPECT_GE(pages, 3) << "a long day takes several pages";

    // The pages' rows, together, are every row once.
    int covered = 0;
    int next = 0;
    for (const auto& [first, last] : ListPrinter::Pages(rows, 60)) {
        EXPECT_EQ(first, next);
        covered += last - first + 1;
        next = last + 1;
    }
    EXPECT_EQ(covered, rows);
}
