// Station Database speed: writing a year of hours as the music import does, beside
// the same rows written by plain SQL in one transaction, finding an hour in a
// ten-year Scheduled Log, and reading that log as the main window does. Prints one
// line per figure.

#include "mainwindow/HeadlessMainView.h"
#include "mainwindow/MainWindowController.h"
#include "playout/LibrarySettings.h"
#include "playout/ProfileLibrary.h"
#include "playout/StationDatabase.h"
#include "startup/ToolStartup.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int itemsPerHour = 20;
constexpr qint32 firstDay = 40179; // 1 January 2010

LogHour hourOf(qint32 day, int hour) {
    LogHour items;
    LogItem start;
    start.Type = LogItem::HourStartType;
    start.Date = day;
    start.Time = float(hour * 3600);
    start.Title = u"Hour"_s;
    items.AddItem(start);
    for (int i = 1; i < itemsPerHour; ++i) {
        LogItem song;
        song.Type = 3;
        song.State = 2;
        song.CartNumber = QString::number(1000 + i);
        song.Title = u"A song title of ordinary length"_s;
        song.Text1 = u"The Artist"_s;
        song.Duration = 180;
        items.AddItem(song);
    }
    return items;
}

// Writes hours through WriteHour; the seconds taken.
double writeHours(StationDatabase& db, int hours) {
    QElapsedTimer timer;
    timer.start();
    for (int h = 0; h < hours; ++h) {
        LogHour items = hourOf(firstDay + h / 24, h % 24);
        if (!db.WriteHour({firstDay + h / 24, float((h % 24) * 3600)}, items))
            qFatal("hour %d was not written", h);
    }
    return timer.nsecsElapsed() / 1e9;
}

// The same rows by plain SQL: one prepared insert, one transaction.
double writeRaw(StationDatabase& db, int hours) {
    QSqlDatabase connection = db.Connection();
    QElapsedTimer timer;
    timer.start();
    connection.transaction();
    QSqlQuery insert(connection);
    insert.prepare(
        u"INSERT INTO LogItems VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
        u"?, ?, ?, ?, ?, ?, ?)"_s);
    for (int h = 0; h < hours; ++h) {
        const LogHour items = hourOf(firstDay + h / 24, h % 24);
        for (int i = 1; i <= items.Count(); ++i) {
            const LogItem& item = items.Item(i);
            const QList<QVariant> values = {firstDay + h / 24 + (h % 24) / 24.0 + i * 1e-10,
                                            item.Date,
                                            double(item.Time),
                                            item.Type,
                                            item.CartNumber,
                                            item.Title,
                                            QString(),
                                            QString(),
                                            item.Text1,
                                            QString(),
                                            0,
                                            0,
                                            0,
                                            0,
                                            item.State,
                                            0.0,
                                            0.0,
                                            0.0,
                                            0.0,
                                            QString(),
                                            QString(),
                                            QString(),
                                            QString(),
                                            0,
                                            0,
                                            double(item.Duration),
                                            0.0,
                                            0.0,
                                            0.0,
                                            QString()};
            for (int v = 0; v < values.size(); ++v)
                insert.bindValue(v, values[v]);
            if (!insert.exec())
                qFatal("raw insert failed");
        }
    }
    connection.commit();
    return timer.nsecsElapsed() / 1e9;
}

QString freshDatabase(const QString& folder, const QString& name) {
    const QString path = folder + u'/' + name + u".sdb"_s;
    if (!StationDatabase::Create(path, name))
        qFatal("could not create %s", qPrintable(path));
    return path;
}

// ReadLogDetails as the main window runs it, over the log in the hours database, the
// first hour of which holds adverts: the walk back goes through every hour. Seconds
// taken, median of three, its own 0.2 s pause included.
double readLogDetails() {
    LibrarySettings library;
    library.DatabaseMode = 2;
    library.FixedDatabase = u"hours"_s;
    library.SaveProfile(u"Bench"_s);
    ToolState tool;
    ToolStartup startup(tool, u"/Profile=Bench /NOPREVCHECK /SILENT"_s, nullptr);
    if (!startup.InitialiseTool(u"Log Importer"_s, 3, true, QString(), true))
        qFatal("the start-up failed");
    HeadlessMainView view;
    MainWindowController controller(tool, view);
    if (!controller.Start())
        qFatal("the main window's start-up failed");
    QList<double> runs;
    for (int run = 0; run < 3; ++run) {
        QElapsedTimer timer;
        timer.start();
        controller.ReadLogDetails(true);
        runs.append(timer.nsecsElapsed() / 1e9);
    }
    controller.Shutdown();
    startup.TerminateTool();
    std::sort(runs.begin(), runs.end());
    return runs[1];
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir dir;
    qputenv("OSTREL_HOME", dir.path().toUtf8());
    const QString folder = ProfileLibrary::ProductFolder() + u"/Databases"_s;
    const int year = 8760;

    StationDatabase db;
    db.OpenFile(freshDatabase(folder, u"hours"_s));
    const double written = writeHours(db, year);
    out << u"WriteHour, %1 hours of %2 items, one transaction each: %3 s (%4 hours/s)"_s.arg(year)
               .arg(itemsPerHour)
               .arg(written, 0, 'f', 2)
               .arg(year / written, 0, 'f', 0)
        << Qt::endl;

    StationDatabase raw;
    raw.OpenFile(freshDatabase(folder, u"raw"_s));
    const double floor = writeRaw(raw, year);
    out << u"floor, the same rows by one prepared insert in one transaction: %1 s (ratio %2)"_s
               .arg(floor, 0, 'f', 2)
               .arg(written / floor, 0, 'f', 1)
        << Qt::endl;

    // Ten years: nine more on top of the first.
    for (int h = year; h < 10 * year; ++h) {
        LogHour items = hourOf(firstDay + h / 24, h % 24);
        db.WriteHour({firstDay + h / 24, float((h % 24) * 3600)}, items);
    }
    const int lookups = 200000;
    QElapsedTimer timer;
    timer.start();
    int found = 0;
    for (int i = 0; i < lookups; ++i) {
        const int h = int(QRandomGenerator::global()->bounded(10 * year));
        found += db.ItemAt(StationDatabase::LocateHour({firstDay + h / 24, float((h % 24) * 3600)})) ? 1 : 0;
    }
    const double each = timer.nsecsElapsed() / 1e3 / lookups;
    if (found != lookups)
        qFatal("only %d of %d hours found", found, lookups);
    out << u"LocateHour + ItemAt on %1 hours (10 years): %2 microseconds each"_s.arg(10 * year).arg(each, 0,
                                                                                                    'f', 2)
        << Qt::endl;

    LogItem first = *db.FirstLogItem();
    first.Flags |= LogItem::HasAdverts;
    db.UpdateItem(first.Position, first);
    db.Close();
    raw.Close();
    out << u"ReadLogDetails on 10 years, adverts only in the first hour: %1 s (with its 0.2 s pause)"_s.arg(
               readLogDetails(), 0, 'f', 2)
        << Qt::endl;
    return 0;
}
