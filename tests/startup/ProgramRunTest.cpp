// The program run as a station's scheduler runs it: a child process with only its
// command line and environment, over a demo station.

#include "demo/DemoStation.h"
#include "support/ChildProgram.h"
#include "support/TempHome.h"

#include <QDirIterator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

class ProgramRunTest : public TempHome {
protected:
    void SetUp() override {
        TempHome::SetUp();
        ASSERT_TRUE(outside.isValid());
        QString problem;
        ASSERT_TRUE(DemoStation::Create(QDate(2010, 11, 24), 2, &problem)) << problem.toStdString();
    }

    // Runs a program with its user folders (home, XDG, temp) pointed at an empty
    // folder outside OSTREL_HOME.
    int Run(const QString& program, const QStringList& arguments) {
        ChildProgram child(Home(), outside.path());
        const int code = child.Run(program, arguments);
        Output = child.Output;
        Errors = child.Errors;
        return code;
    }
    int Logimporter(const QStringList& arguments) { return Run(QStringLiteral(LOGIMPORTER_EXE), arguments); }

    QStringList FilesOutside() const {
        QStringList files;
        QDirIterator it(outside.path(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            files.append(it.next());
        return files;
    }
    QString DebugFile() const {
        return Path(u"DebugFiles/logimporter."_s) + QDate::currentDate().toString(u"yyyyMMdd"_s) + u".log"_s;
    }
    QString ApplicationLog() const {
        const qsizetype at = Output.indexOf(u"Application log: "_s);
        return at < 0 ? QString() : Output.mid(at + 17).section(u'\n', 0, 0);
    }

    QTemporaryDir outside;
    QString Output;
    QString Errors;
};

TEST_F(ProgramRunTest, ASilentStartUpTracesEveryStepAndExitsCleanly) {
    ASSERT_EQ(Logimporter({u"/DEBUG"_s, u"/SILENT"_s, u"/Profile=Demo"_s, u"/NOPREVCHECK"_s}), 0)
        << Errors.toStdString();
    EXPECT_TRUE(Output.contains(u"Debug log: "_s + DebugFile())) << Output.toStdString();
    EXPECT_TRUE(Errors.contains(u"give /SCHEDULE or /IMPORT"_s)) << Errors.toStdString();
    QStringList trace;
    for (const QString& line : LinesOf(DebugFile()))
        trace.append(line.mid(31)); // past the time and the two memory columns of level 10
    ASSERT_GE(trace.size(), 4);
    EXPECT_EQ(trace.front(), u"Started InitialiseTool");
    EXPECT_TRUE(trace.contains(u"Finished OK"_s));
    EXPECT_TRUE(trace.contains(u"Started ReadLogDetails - SilentMode=True"_s));
    EXPECT_EQ(trace[trace.size() - 2], u"Start TerminateTool ");
    EXPECT_EQ(trace.back(), u"Finished OK");
    EXPECT_EQ(FilesOutside(), QStringList());
}

TEST_F(ProgramRunTest, AFailedStartUpExitsWithAFailingStatusAndItsReason) {
    EXPECT_NE(Logimporter({u"/SILENT"_s, u"/NOPREVCHECK"_s}), 0); // nobody there to choose a profile
    EXPECT_TRUE(Errors.contains(u"logimporter: start-up failed: No Profile chosen so finished\n"_s))
        << Errors.toStdString();
    EXPECT_NE(Logimporter({u"/SILENT"_s, u"/NOPREVCHECK"_s, u"/Profile=Unset"_s}), 0); // no station settings
    EXPECT_NE(Logimporter({u"/SCHEDULE"_s, u"/SILENT"_s, u"/QUIT"_s, u"/Profile=Demo"_s, u"/NOPREVCHECK"_s,
                           u"/DATABASE=Nowhere"_s}),
              0);
    EXPECT_TRUE(Errors.contains(u"the Station Database could not be opened"_s)) << Errors.toStdString();
    EXPECT_EQ(FilesOutside(), QStringList());
}

TEST_F(ProgramRunTest, AnUnattendedRunImportsMusicThenAdverts) {
    ASSERT_EQ(Logimporter({u"/SCHEDULE"_s, u"/SILENT"_s, u"/QUIT"_s, u"/Profile=Demo"_s, u"/NOPREVCHECK"_s,
                           u"/START=24/11/2010 06:00"_s, u"/END=25/11/2010 05:59"_s}),
              0)
        << Errors.toStdString();
    ASSERT_EQ(Run(QStringLiteral(STATIONDB_EXE), {u"log"_s, DemoStation::DatabasePath(), u"--json"_s}), 0);
    const QJsonArray items = QJsonDocument::fromJson(Output.toUtf8()).array();
    int hours = 0, adverts = 0;
    for (const QJsonValue& item : items) {
        hours += item.toObject().value(u"Type"_s).toInt() == 98 ? 1 : 0;
        adverts += item.toObject().value(u"Flags"_s).toInt() == 3 ? 1 : 0;
    }
    EXPECT_EQ(hours, 24); // 06:00 on the 24th to 05:00 on the 25th
    EXPECT_GT(adverts, 0);
    EXPECT_EQ(items.first().toObject().value(u"Start"_s).toString(), u"2010-11-24 06:00:00");

    ASSERT_EQ(Logimporter({u"/SCHEDULE"_s, u"/SILENT"_s, u"/QUIT"_s, u"/Profile=Demo"_s, u"/NOPREVCHECK"_s,
                           u"/START=24/11/2010 06:00"_s, u"/END=24/11/2010 06:59"_s}),
              0);
    const QStringList log = LinesOf(ApplicationLog());
    EXPECT_TRUE(log.contains(
        u"Music:2010-11-24 06:00:00 - was already in the Station Database Log so was not re-sent"_s))
        << ApplicationLog().toStdString();
    EXPECT_TRUE(log.contains(
        u"AdLog:2010-11-24 06:00:00 - already had adverts in the Scheduled Log so was not re-sent"_s));
    const QStringList history = LinesOf(QFileInfo(ApplicationLog()).absolutePath() + u"/RecentHistory.log"_s);
    EXPECT_FALSE(history.filter(u"Finish Advert Push, "_s).isEmpty());
    EXPECT_EQ(FilesOutside(), QStringList());
}
