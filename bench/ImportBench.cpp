// How fast the importer is against the fastest the same work could be on this
// machine, and how its cost grows with the log. Prints one line per figure; each
// time is the median of five runs.
//
// Each import runs in a child process of its own (this program with "--import"),
// so that its peak resident memory is its own: an hour is built, written and
// dropped, so the peak should not grow with the number of days.
//
// With --postgresql the import figures are given a second time for a Station
// Database on a throw-away PostgreSQL server on a Unix socket (made as a station
// does, its disk writes waited for), each with its floor on the same server.

#include "BenchStation.h"
#include "CountingCallback.h"
#include "Floor.h"
#include "ServerFloor.h"
#include "support/ThrowawayServer.h"

#include "app/HeadlessMainView.h"
#include "app/MainWindowController.h"
#include "app/ToolStartup.h"
#include "base/AppLog.h"
#include "base/Application.h"
#include "base/DebugLog.h"
#include "base/GeneralTools.h"
#include "base/ScheduleDateTools.h"
#include "importers/MusicLogImporter.h"
#include "importers/advert/AdvertLogImporter.h"
#include "playout/LibrarySettings.h"
#include "playout/ProfileLibrary.h"
#include "windows/ProgressWindow.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocale>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>

#include <algorithm>
#include <functional>

using namespace Qt::Literals::StringLiterals;

namespace {

// Both importers end a run with a half-second pause (so that the operator sees the
// completed progress); the ratios to the floor leave it out.
constexpr double closingPause = 0.5;
constexpr int runs = 5;
const QString pushedAdvert = u"ItemType = %1 AND State = 2 AND (Flags & 2) <> 0"_s.arg(ItemType::Advert);

QTextStream& out() {
    static QTextStream stream(stdout);
    return stream;
}

double median(QList<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double medianOf(const std::function<double()>& run) {
    QList<double> values;
    for (int i = 0; i < runs; ++i)
        values.append(run());
    return median(values);
}

double timed(const std::function<void()>& work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e9;
}

// The peak resident memory of this process in kB, and its reset.
double peakKb() {
    QFile status(u"/proc/self/status"_s);
    status.open(QIODevice::ReadOnly);
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble();
    }
    return 0;
}
void resetPeak() {
    QFile refs(u"/proc/self/clear_refs"_s);
    if (refs.open(QIODevice::WriteOnly))
        refs.write("5");
}

QStringList filesOf(const QString& folder) {
    QStringList files;
    for (const QString& name : QDir(folder).entryList(QDir::Files, QDir::Name))
        files.append(folder + u'/' + name);
    return files;
}

void makeApplication(const QString& logs) {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    Application self;
    self.ProductName = u"Log Importer"_s;
    GeneralTools::SetApp(self);
    AppLog::OpenAppLog(logs, AppLog::Numbered | AppLog::ComputerName);
}

// ---- the child: one music import and one advert push of a prepared station ----

void report(const QString& key, double value) {
    out() << key << u' ' << QString::number(value, 'f', 6) << Qt::endl;
}

double floorInsert(const QString& folder, const QString& from, const QString& where, int perTransaction,
                   int* rows, const QString& among = QString()) {
    const QString floor = folder + u"/floor.sdb"_s;
    for (const QString& suffix : {u""_s, u"-wal"_s, u"-shm"_s})
        QFile::remove(floor + suffix);
    return Floor::InsertRows(from, among, where, floor, perTransaction, rows);
}

// A schema of the server no run has used.
QString serverLocation(const QString& server, const QString& what) {
    static int made = 0;
    return server + u"?schema=%1_%2_%3"_s.arg(what).arg(QCoreApplication::applicationPid()).arg(++made);
}

// The station the run imports into: a copy of the prepared file, or a new one on the server.
QString runStation(const QString& folder, const QString& server) {
    if (!server.isEmpty()) {
        const QString location = serverLocation(server, u"run"_s);
        if (!BenchStation::Create(location, folder))
            qFatal("could not make the bench station on the server");
        return location;
    }
    const QString path = folder + u"/run.sdb"_s;
    for (const QString& suffix : {u""_s, u"-wal"_s, u"-shm"_s})
        QFile::remove(path + suffix);
    QFile::copy(folder + u"/pristine.sdb"_s, path);
    return path;
}

// The floors of the rows the run left: in a new file, or in new schemas of the server
// through its client library and through Qt's driver.
void reportFloors(const QString& name, const QString& folder, const QString& server, const QString& run,
                  const QString& where, int perHour, const QString& among) {
    int rows = 0;
    if (server.isEmpty()) {
        report(name + u"-insert"_s, floorInsert(folder, run, where, 0, &rows));
        report(name + u"-hourly"_s, floorInsert(folder, run, where, perHour, &rows));
        if (!among.isEmpty())
            report(name + u"-among"_s, floorInsert(folder, run, where, perHour, &rows, among));
        report(name + u"-rows"_s, rows);
        return;
    }
    for (const auto& [key, perTransaction, driver] :
         {std::tuple{u"-insert"_s, 0, ServerFloor::ClientLibrary},
          std::tuple{u"-hourly"_s, perHour, ServerFloor::ClientLibrary},
          std::tuple{u"-hourly-qt"_s, perHour, ServerFloor::QtDriver},
          std::tuple{u"-bulk"_s, perHour, ServerFloor::Bulk}}) {
        const QString floor = serverLocation(server, u"floor"_s);
        report(name + key, ServerFloor::InsertRows(run, where, floor, perTransaction, driver, &rows));
        ServerFloor::Drop(floor);
    }
    report(name + u"-rows"_s, rows);
}

int importChild(int days, const QString& folder, const QString& server) {
    makeApplication(folder + u"/logs"_s);
    const QString path = runStation(folder, server);
    StationDatabase db;
    if (db.OpenLocation(path) != StationDatabase::Opened)
        qFatal("could not open %s", qPrintable(path));
    const HourRange range{{BenchStation::FirstDay, 0},
                          {BenchStation::FirstDay + days - 1, ScheduleDateTools::EndOfDay}};
    const ScheduleDate& start = range.From;
    const ScheduleDate& end = range.To;
    CountingCallback progress;
    RunOutcome run;

    MusicLogImporter music;
    music.SetProgressCallback(&progress);
    resetPeak();
    report(u"music"_s, timed([&] {
               if (!music.Import(db, range, run))
                   qFatal("the music import failed");
           }));
    report(u"music-peak"_s, peakKb());

    AdvertLogImporter adverts;
    adverts.SetProgressCallback(&progress);
    resetPeak();
    report(u"adverts"_s, timed([&] {
               if (!adverts.Import(db, range, run))
                   qFatal("the advert push failed");
           }));
    report(u"adverts-peak"_s, peakKb());
    // The same push again with a time window: the adverts taken out first, untimed.
    if (!db.Log().RemoveAdvertRange(start, end) || !db.Settings().SetValue(u"AdvertTimeWindow"_s, u"60"_s))
        qFatal("could not take the adverts out for the push with a window");
    AdvertLogImporter windowed;
    windowed.SetProgressCallback(&progress);
    RunOutcome windowedRun;
    report(u"window"_s, timed([&] {
               if (!windowed.Import(db, range, windowedRun) || windowedRun.Adverts().Adverts == 0)
                   qFatal("the advert push with a window failed");
           }));
    const QString musicFolder = db.Settings().MusicLogsDirectory();
    const QString advertFolder = db.Settings().AdvertLogsDirectory();
    db.Close();

    const int musicRows = 1 + BenchStation::SongsPerHour + BenchStation::BreaksPerHour;
    const int advertRows = BenchStation::BreaksPerHour * BenchStation::AdvertsPerBreak;
    const QString musicRowsOnly = u"NOT ("_s + pushedAdvert + u')';
    for (const auto& [name, where, files, perHour, among] :
         {std::tuple{u"music"_s, musicRowsOnly, musicFolder, musicRows, QString()},
          std::tuple{u"adverts"_s, pushedAdvert, advertFolder, advertRows, musicRowsOnly}}) {
        reportFloors(name, folder, server, path, where, perHour, among);
        report(name + u"-read"_s, Floor::ReadLines(filesOf(files)));
    }
    if (!server.isEmpty())
        ServerFloor::Drop(path);
    return 0;
}

// The same year's import with the progress window as its receiver, on the
// off-screen platform: what the window's updates cost.
int windowChild(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const int days = arguments[2].toInt();
    const QString folder = arguments[3];
    makeApplication(folder + u"/logs"_s);
    const QString path = runStation(folder, QString());
    StationDatabase db;
    if (db.OpenLocation(path) != StationDatabase::Opened)
        qFatal("could not open %s", qPrintable(path));
    const HourRange range{{BenchStation::FirstDay, 0},
                          {BenchStation::FirstDay + days - 1, ScheduleDateTools::EndOfDay}};
    ProgressWindow window;
    window.show();
    MusicLogImporter music;
    music.SetProgressCallback(window.Display());
    AdvertLogImporter adverts;
    adverts.SetProgressCallback(window.Display());
    RunOutcome run;
    report(u"window"_s, timed([&] {
               if (!music.Import(db, range, run) || !adverts.Import(db, range, run))
                   qFatal("the import at the window failed");
           }));
    return 0;
}

// ---- the parent ----

// The medians of each figure over the child's runs.
QMap<QString, double> importRuns(int days, const QString& folder, const QString& server) {
    QMap<QString, QList<double>> values;
    for (int i = 0; i < runs; ++i) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(),
                    {u"--import"_s, QString::number(days), folder, server});
        if (!child.waitForFinished(-1) || child.exitCode() != 0)
            qFatal("the import of %d days failed: %s", days, child.readAllStandardError().constData());
        for (const QByteArray& line : child.readAllStandardOutput().split('\n')) {
            const QList<QByteArray> parts = line.split(' ');
            if (parts.size() == 2)
                values[QString::fromLatin1(parts[0])].append(parts[1].toDouble());
        }
    }
    QMap<QString, double> medians;
    for (const auto& [key, list] : values.asKeyValueRange())
        medians[key] = median(list);
    return medians;
}

QString prepared(const QString& root, int days) {
    const QString folder = root + u"/days%1"_s.arg(days);
    if (QFile::exists(folder + u"/pristine.sdb"_s))
        return folder; // made for the figures on the other backend
    QDir().mkpath(folder);
    if (!BenchStation::Create(folder + u"/pristine.sdb"_s, folder))
        qFatal("could not make the bench station");
    StationDatabase db;
    db.OpenLocation(folder + u"/pristine.sdb"_s);
    BenchStation::WriteMusicLogs(db, days);
    BenchStation::WriteAdvertLogs(db, days);
    return folder;
}

// A year's station whose music logs are tables read through a description.
QString preparedTable(const QString& root) {
    const QString folder = root + u"/days365table"_s;
    if (QFile::exists(folder + u"/pristine.sdb"_s))
        return folder;
    QDir().mkpath(folder);
    const QString formats = ProfileLibrary::ProductFolder() + u"/Formats"_s;
    QDir().mkpath(formats);
    QFile description(formats + u"/bench-table.format"_s);
    if (!description.open(QIODevice::WriteOnly) || description.write(BenchStation::TableDescription()) < 0)
        qFatal("could not write the table's description");
    description.close();
    if (!BenchStation::Create(folder + u"/pristine.sdb"_s, folder))
        qFatal("could not make the bench station");
    StationDatabase db;
    db.OpenLocation(folder + u"/pristine.sdb"_s);
    if (!db.Settings().SetValue(u"MusicLogFormat"_s, u"bench-table"_s) || !db.SaveSettings(db.Settings()))
        qFatal("could not name the table's description");
    BenchStation::WriteMusicTables(db, 365);
    BenchStation::WriteAdvertLogs(db, 365);
    return folder;
}

QString number(double value, int decimals = 0) {
    return QLocale(QLocale::English).toString(value, 'f', decimals);
}

void printImport(const QString& what, const QString& key, int days, int hours,
                 const QMap<QString, double>& f) {
    const double seconds = f[key];
    const double working = seconds - closingPause;
    const double floor = f[key + u"-insert"_s] + f[key + u"-read"_s];
    const double hourly = f[key + u"-hourly"_s] + f[key + u"-read"_s];
    out() << u"%1, %2 days: %3 s (%4 without its closing pause): %5 hours/s, %6 items/s; floor %7 s "
             u"(insert %8 s + read %9 s), ratio %10; floor with a transaction per hour %11 s, ratio %12; "
             u"peak memory %13 MB"_s.arg(what)
                 .arg(days)
                 .arg(number(seconds, 2), number(working, 2), number(hours / working),
                      number(f[key + u"-rows"_s] / working), number(floor, 3),
                      number(f[key + u"-insert"_s], 3), number(f[key + u"-read"_s], 3),
                      number(working / floor, 1))
                 .arg(number(hourly, 3), number(working / hourly, 1), number(f[key + u"-peak"_s] / 1024, 1))
          << Qt::endl;
    if (f.contains(key + u"-hourly-qt"_s))
        out() << u"  the same floor through Qt's driver instead of the client library: %1 s, x%2"_s.arg(
                     number(f[key + u"-hourly-qt"_s] + f[key + u"-read"_s], 3),
                     number((f[key + u"-hourly-qt"_s] + f[key + u"-read"_s]) / hourly, 1))
              << Qt::endl;
    if (f.contains(key + u"-among"_s)) {
        const double among = f[key + u"-among"_s] + f[key + u"-read"_s];
        out() << u"  floor with a transaction per hour into a table that already holds the music, "
                 u"as the push's adverts land: %1 s, ratio %2"_s.arg(number(among, 3),
                                                                     number(working / among, 1))
              << Qt::endl;
    }
    if (f.contains(key + u"-bulk"_s)) {
        const double bulk = f[key + u"-bulk"_s] + f[key + u"-read"_s];
        out() << u"  bulk floor (each transaction's rows and commit in one round trip, in pipeline mode): "
                 u"%1 s, ratio %2"_s.arg(number(bulk, 3), number(working / bulk, 1))
              << Qt::endl;
    }
}

void printGrowth(const QString& what, const QString& key, const QMap<QString, double>& month,
                 const QMap<QString, double>& year) {
    const double time = (year[key] - closingPause) / (month[key] - closingPause);
    out() << u"%1, 30 to 365 days: time x%2 for x%3 the days (%4 of linear); peak memory x%5"_s.arg(what).arg(
                 number(time, 1), number(365.0 / 30, 1), number(time / (365.0 / 30), 2),
                 number(year[key + u"-peak"_s] / month[key + u"-peak"_s], 2))
          << Qt::endl;
}

// A year's import at the progress window against the same import unattended.
void windowFigure(const QString& root, const QMap<QString, double>& unattended) {
    QList<double> times;
    for (int i = 0; i < runs; ++i) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(),
                    {u"--import-window"_s, u"365"_s, prepared(root, 365)});
        if (!child.waitForFinished(-1) || child.exitCode() != 0)
            qFatal("the import at the window failed: %s", child.readAllStandardError().constData());
        times.append(child.readAllStandardOutput().split(' ').value(1).toDouble());
    }
    const double window = median(times) - 2 * closingPause;
    const double alone = unattended[u"music"_s] + unattended[u"adverts"_s] - 2 * closingPause;
    out()
        << u"music import and advert push of 365 days at the progress window (off-screen): %1 s, unattended "
           u"%2 s (each without its closing pauses), ratio %3"_s.arg(number(window, 2), number(alone, 2),
                                                                     number(window / alone, 2))
        << Qt::endl;
}

// The import figures on a Station Database file, or on the server at `server`.
void importFigures(const QString& root, const QString& server = {}) {
    const QString on = server.isEmpty() ? u"SQLite"_s : u"PostgreSQL"_s;
    const QMap<QString, double> month = importRuns(30, prepared(root, 30), server);
    const QMap<QString, double> year = importRuns(365, prepared(root, 365), server);
    for (const auto& [what, key] :
         {std::pair{u"music import"_s, u"music"_s}, std::pair{u"advert push"_s, u"adverts"_s}}) {
        printImport(what + u" ("_s + on + u')', key, 30, 30 * 24, month);
        printImport(what + u" ("_s + on + u')', key, 365, 365 * 24, year);
        printGrowth(what + u" ("_s + on + u')', key, month, year);
    }
    if (server.isEmpty()) {
        windowFigure(root, year);
        const QMap<QString, double> table = importRuns(365, preparedTable(root), server);
        out()
            << u"music import from a table (SQLite), 365 days: %1 s (%2 without its closing pause), x%3 the "
               u"native music log's"_s.arg(
                   number(table[u"music"_s], 2), number(table[u"music"_s] - closingPause, 2),
                   number((table[u"music"_s] - closingPause) / (year[u"music"_s] - closingPause), 2))
            << Qt::endl;
    }
    for (const auto& [days, f] : {std::pair{30, month}, std::pair{365, year}}) {
        const double working = f[u"window"_s] - closingPause;
        const double hourly = f[u"adverts-hourly"_s] + f[u"adverts-read"_s];
        out() << u"advert push with a 60 s window (%1), %2 days: %3 s (%4 without its closing pause); "
                 u"floor with a transaction per hour %5 s, ratio %6; x%7 the push without one"_s.arg(on)
                     .arg(days)
                     .arg(number(f[u"window"_s], 2), number(working, 2), number(hourly, 3),
                          number(working / hourly, 1), number(working / (f[u"adverts"_s] - closingPause), 2))
              << Qt::endl;
    }
}

void scanFigures(const QString& root) {
    const int days = 3650;
    const QString folder = prepared(root, days);
    StationDatabase db;
    db.OpenLocation(folder + u"/pristine.sdb"_s);
    MusicLogImporter music;
    AdvertLogImporter adverts;
    for (const auto& [what, importer, files] :
         {std::tuple{u"music"_s, static_cast<LogImporter*>(&music), db.Settings().MusicLogsDirectory()},
          std::tuple{u"advert"_s, static_cast<LogImporter*>(&adverts),
                     db.Settings().AdvertLogsDirectory()}}) {
        const double scan = medianOf([&, importer = importer] {
            return timed([&] {
                if (!importer->ScanLogFiles(db))
                    qFatal("the scan found nothing");
            });
        });
        const double floor = medianOf([&, files = files] {
            return timed([&] {
                const QStringList all = filesOf(files);
                Floor::ReadLines({all.first(), all.last()});
            });
        });
        out() << u"%1 directory scan, %2 files: %3 s; floor (listing them, reading the first and the last) "
                 u"%4 s, ratio %5"_s.arg(what)
                     .arg(days)
                     .arg(number(scan, 3), number(floor, 3), number(scan / floor, 1))
              << Qt::endl;
    }
}

// A debug line with no debug level set, as every import makes many: it must cost
// next to nothing.
void debugFigure() {
    GeneralTools::SetDebugLevel(0);
    const QString text = u"Finding 14:00 in the Music Log"_s;
    const int calls = 10000000;
    const double seconds = timed([&] {
        for (int i = 0; i < calls; ++i)
            WriteDebug(text);
    });
    out() << u"WriteDebug with the debug level 0: %1 ns a call"_s.arg(number(seconds / calls * 1e9, 1))
          << Qt::endl;
}

// ReadLogDetails as the main window runs it on the database "hours", its own 0.2 s
// pause included.
double readLogDetails() {
    LibrarySettings library;
    library.DatabaseMode = 2;
    library.FixedDatabase = u"hours"_s;
    library.SaveProfile(u"Bench"_s);
    ToolState tool;
    tool.Options = RunOptions::Read(u"/Profile=Bench /NOPREVCHECK /SILENT"_s);
    ToolStartup startup(tool, nullptr);
    if (!startup.InitialiseTool(u"Log Importer"_s, 3, true, QString(), true))
        qFatal("the start-up failed");
    HeadlessMainView view;
    MainWindowController controller(tool, view);
    if (!controller.Start())
        qFatal("the main window's start-up failed");
    const double seconds = medianOf([&] { return timed([&] { controller.ReadLogDetails(true); }); });
    controller.Shutdown();
    startup.TerminateTool();
    return seconds;
}

void flagHour(StationDatabase& db, const LogItem& hourStart, bool adverts) {
    LogItem item = hourStart;
    item.Flags = adverts ? (item.Flags | ItemFlag::HasAdverts) : (item.Flags & ~ItemFlag::HasAdverts);
    db.Log().UpdateItem(item.Position, item);
}

void readLogDetailsFigures() {
    const QString path = ProfileLibrary::ProductFolder() + u"/Databases/hours.sdb"_s;
    if (!StationDatabase::Create(path, u"hours"_s))
        qFatal("could not make %s", qPrintable(path));
    int written = 0;
    for (const int years : {1, 5, 10}) {
        StationDatabase db;
        db.OpenLocation(path);
        for (; written < years * 8760; ++written) {
            LogHour hour = BenchStation::HourOf(BenchStation::FirstDay + written / 24, written % 24);
            db.Log().WriteHour({BenchStation::FirstDay + written / 24, float((written % 24) * 3600)}, hour);
        }
        const LogItem first = *db.Log().FirstLogItem();
        const LogItem last = *db.Log().HourStartItem(db.Log().LastLogItem()->Position);
        flagHour(db, first, true);
        flagHour(db, last, false);
        const double walkBack = readLogDetails();
        flagHour(db, first, false);
        flagHour(db, last, true);
        const double lastHour = readLogDetails();
        out() << u"ReadLogDetails, %1 year(s), %2 hours: adverts only in the first hour %3 s, adverts in the "
                 u"last hour %4 s (each with its 0.2 s pause)"_s.arg(years)
                     .arg(number(years * 8760), number(walkBack, 2), number(lastHour, 2))
              << Qt::endl;
    }
}

} // namespace

const char* const usage = R"(Usage: logimporter_bench [--postgresql]

Times the imports against their floors on a station of its own made in a
temporary folder (about two and a half minutes; see the README's Benchmarks).
  --postgresql   the import figures a second time on a throw-away PostgreSQL server
  --help, -h, /? this text
)";

int main(int argc, char* argv[]) {
    if (argc == 2 && QStringList{u"--help"_s, u"-h"_s, u"/?"_s}.contains(QString::fromLocal8Bit(argv[1]))) {
        out() << usage;
        return 0;
    }
    if (argc == 4 && QByteArrayView(argv[1]) == "--import-window")
        return windowChild(argc, argv);
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 5 && arguments[1] == u"--import")
        return importChild(arguments[2].toInt(), arguments[3], arguments[4]);
    if (arguments.size() == 4 && arguments[1] == u"--prepare") {
        // A station to run one import on by hand, under a profiler.
        prepared(arguments[3], arguments[2].toInt());
        return 0;
    }

    QTemporaryDir root;
    qputenv("OSTREL_HOME", (root.path() + u"/home"_s).toUtf8());
    makeApplication(root.path() + u"/logs"_s);
    out() << u"Log Importer benchmark, %1 core(s); times are medians of %2 runs"_s
                 .arg(QThread::idealThreadCount())
                 .arg(runs)
          << Qt::endl;
    importFigures(root.path());
    if (arguments.contains(u"--postgresql"_s)) {
        const ThrowawayServer server(ThrowawayServer::Durable);
        if (!server.Problem().isEmpty())
            qFatal("%s", qPrintable(server.Problem()));
        importFigures(root.path(), server.Address());
        return 0;
    }
    scanFigures(root.path());
    debugFigure();
    readLogDetailsFigures();
    return 0;
}
