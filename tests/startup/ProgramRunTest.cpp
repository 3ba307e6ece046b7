// The program run as a station's scheduler runs it: a child process with only its
// command line and environment.

#include "playout/ProfileLibrary.h"
#include "support/TempHome.h"

#include <QDirIterator>
#include <QProcess>
#include <gtest/gtest.h>

class ProgramRunTest : public TempHome {
protected:
    void SetUp() override {
        TempHome::SetUp();
        ASSERT_TRUE(outside.isValid());
        WriteFile(ProfileLibrary::ProfileFolder(u"Demo"_s) + u"/Library.ini"_s,
                  "[Library]\nDatabaseMode=1\n");
    }

    // Runs logimporter with its user folders (home, XDG, temp) pointed at an empty
    // folder outside OSTREL_HOME.
    int Run(const QStringList& arguments) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"OSTREL_HOME"_s, Home());
        for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME",
                                 "XDG_STATE_HOME", "XDG_RUNTIME_DIR", "TMPDIR"})
            env.insert(QString::fromLatin1(name), outside.path());
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(LOGIMPORTER_EXE), arguments);
        EXPECT_TRUE(process.waitForFinished(60000));
        Output = QString::fromLocal8Bit(process.readAllStandardOutput());
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    QStringList FilesOutside() const {
        QStringList files;
        QDirIterator it(outside.path(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            files.append(it.next());
        return files;
    }

    QTemporaryDir outside;
    QString Output;
};

TEST_F(ProgramRunTest, ASilentStartUpTracesEveryStepAndExitsCleanly) {
    ASSERT_EQ(Run({u"/DEBUG"_s, u"/SILENT"_s, u"/Profile=Demo"_s, u"/NOPREVCHECK"_s}), 0)
        << Output.toStdString();
    const QString debugFile =
        Path(u"DebugFiles/logimporter."_s) + QDate::currentDate().toString(u"yyyyMMdd"_s) + u".log"_s;
    EXPECT_TRUE(Output.contains(u"Debug log: "_s + debugFile)) << Output.toStdString();
    EXPECT_TRUE(Output.contains(u"Application log: "_s + Home() +
                                u"/ProgramData/Kestrane/Ostrel v3/Logs/Log Importer/"_s))
        << Output.toStdString();
    QStringList trace;
    for (const QString& line : LinesOf(debugFile))
        trace.append(line.mid(31)); // past the time and the two memory columns of level 10
    ASSERT_GE(trace.size(), 4);
    EXPECT_EQ(trace.front(), u"Started InitialiseTool");
    EXPECT_TRUE(trace.contains(u"Finished OK"_s));
    EXPECT_EQ(trace[trace.size() - 2], u"Start TerminateTool ");
    EXPECT_EQ(trace.back(), u"Finished OK");
    EXPECT_EQ(FilesOutside(), QStringList());
}

TEST_F(ProgramRunTest, AFailedStartUpExitsWithAFailingStatus) {
    EXPECT_NE(Run({u"/SILENT"_s, u"/NOPREVCHECK"_s}), 0); // nobody there to choose a profile
    EXPECT_NE(Run({u"/SILENT"_s, u"/NOPREVCHECK"_s, u"/Profile=Unset"_s}), 0); // no station settings
    EXPECT_EQ(FilesOutside(), QStringList());
}

TEST_F(ProgramRunTest, AProfileNameWithBlanksArrivesWhole) {
    WriteFile(ProfileLibrary::ProfileFolder(u"Studio 2"_s) + u"/Library.ini"_s,
              "[Library]\nDatabaseMode=1\n");
    ASSERT_EQ(Run({u"/DEBUG=NORMAL"_s, u"/SILENT"_s, u"/Profile=Studio 2"_s, u"/NOPREVCHECK"_s}), 0);
    const QString debugFile =
        Path(u"DebugFiles/logimporter."_s) + QDate::currentDate().toString(u"yyyyMMdd"_s) + u".log"_s;
    EXPECT_TRUE(BytesOf(debugFile).contains("     Command line forcing Profile 'Studio 2'\r\n"));
}
