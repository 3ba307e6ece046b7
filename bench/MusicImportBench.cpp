// Import speed: a year of daily music logs (24 hours a day, 20 items an hour with
// three advert breaks) imported into a fresh Station Database with a progress
// receiver set, the same files only parsed, then a year of advert logs (5 adverts a
// break) pushed into those hours. Prints one line per figure.

#include "importers/BreakNoteReader.h"
#include "importers/HourHeaderReader.h"
#include "importers/MusicItemReader.h"
#include "importers/MusicLogLine.h"
#include "importers/advert/AdvertLog_FN.h"
#include "importers/advert/cAdvertLogImporter.h"
#include "importers/cMusicLogImporter.h"
#include "importers/iScheduleCallback.h"
#include "net/cWinINET.h"
#include "playout/GeneralTools.h"
#include "playout/ScheduleDateTools.h"
#include "playout/StationDatabase.h"
#include "startup/AppLog.h"
#include "startup/TextFileReader.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTextStream>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr qint32 firstDay = 40179; // 1 January 2010
constexpr int days = 365;

// Counts what it is told, as the progress window would show it.
class CountingCallback : public iScheduleCallback {
public:
    int changes = 0;
    void SetCurrentlySchedulingTime(const QDateTime&) override {}
    QDateTime CurrentlySchedulingTime() const override { return {}; }
    QString CurrentTaskName() const override { return {}; }
    void SetCurrentTaskName(const QString&) override { ++changes; }
    QString CurrentProcessName() const override { return {}; }
    void SetCurrentProcessName(const QString&) override { ++changes; }
    qint16 CurrentProcessProgressPercent() const override { return 0; }
    void SetCurrentProcessProgressPercent(qint16) override { ++changes; }
    QString OverallProcessName() const override { return {}; }
    void SetOverallProcessName(const QString&) override { ++changes; }
    qint16 OverallProcessProgressPercent() const override { return 0; }
    void SetOverallProcessProgressPercent(qint16) override { ++changes; }
    void Clear(const QString&, const QString&) override { ++changes; }
    void IncrementReportCount(qint16) override { ++changes; }
};

QString padded(QString line, int column, const QString& text) {
    if (line.size() < column - 1)
        line += QString(column - 1 - line.size(), u' ');
    return line.left(column - 1) + text;
}

void writeYear(StationDatabase& db) {
    QDir().mkpath(db.Settings().MusicLogsDirectory());
    for (int d = 0; d < days; ++d) {
        const QDate date = ScheduleDateTools::DateOfSerial(firstDay + d);
        QByteArray text;
        for (int h = 0; h < 24; ++h) {
            text += u"+%1 %2:00 Hour %2\r\n"_s.arg(date.toString(u"dd/MM/yy"_s))
                        .arg(h, 2, 10, QLatin1Char('0'))
                        .toLatin1();
            for (int i = 0; i < 16; ++i) {
                QString line = padded(u"L"_s, 2, QString::number(1000 + (h * 18 + i) % 400));
                line = padded(line, 10, u"A song title of ordinary length"_s);
                line = padded(line, 44, u"The Artist"_s);
                line = padded(line, 80, u"X"_s);
                text += line.toLatin1() + "\r\n";
            }
            for (const int minute : {15, 30, 45})
                text += padded(u":"_s, 15, u"BREAK 00:%1:00"_s.arg(minute)).toLatin1() + "\r\n";
        }
        QFile file(db.MusicLogFileName(firstDay + d));
        file.open(QIODevice::WriteOnly);
        file.write(text);
    }
}

void writeAdvertYear(StationDatabase& db) {
    QDir().mkpath(db.Settings().AdvertLogsDirectory());
    for (int d = 0; d < days; ++d) {
        QByteArray text;
        for (int h = 0; h < 24; ++h) {
            for (const int minute : {15, 30, 45}) {
                const QString time = u"%1:%2:00"_s.arg(h, 2, 10, QLatin1Char('0')).arg(minute);
                for (int a = 0; a < 5; ++a) {
                    const QString cart = QString::number(5000 + (h * 15 + a) % 50);
                    text += AdvertLog_FN::BuildAdvertLine(time, u"SPOT"_s, cart, u"Advert "_s + cart,
                                                          u"REF"_s, 30, false, QString())
                                .toLatin1() +
                            "\r\n";
                }
            }
            text += "\r\n";
        }
        QFile file(db.AdvertLogFileName(firstDay + d));
        file.open(QIODevice::WriteOnly);
        file.write(text);
    }
}

Cart cartOf(int number) {
    Cart cart;
    cart.Number = QString::number(number);
    cart.Title = u"Cart %1"_s.arg(number);
    cart.Length = 180;
    cart.AudioLength = 180;
    return cart;
}

// Songs 1000-1399 and adverts 5000-5049.
void addCarts(StationDatabase& db) {
    QList<Cart> carts;
    for (int n = 1000; n < 1400; ++n)
        carts.append(cartOf(n));
    for (int n = 5000; n < 5050; ++n)
        carts.append(cartOf(n));
    db.Carts().Save(carts);
}

// Reads every file through the format readers, writing nothing; the items made.
int parseOnly(StationDatabase& db) {
    cWinINET decoder;
    MusicFormatContext context = MusicFormatContext::Of(db);
    int items = 0;
    for (int d = 0; d < days; ++d) {
        TextFileReader reader;
        reader.Open(db.MusicLogFileName(firstDay + d));
        QString line;
        while (reader.NextLine(line)) {
            line = MusicLogLine::WithoutFormFeed(line);
            const auto note = MusicLogLine::Note(line, decoder);
            LogItem item;
            switch (MusicLogLine::KindOf(line)) {
            case MusicLogLine::HourHeader:
                items += HourHeaderReader::Read(line, reader) ? 1 : 0;
                break;
            case MusicLogLine::BreakNote:
                items += BreakNoteReader::Read(line, item, context) ? 1 : 0;
                break;
            case MusicLogLine::ItemLine:
                MusicItemReader::Read(line, note.value_or(QString()), reader, context), ++items;
                break;
            default:
                break;
            }
        }
    }
    return items;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTemporaryDir home;
    qputenv("OSTREL_HOME", home.path().toUtf8());
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    Application self;
    self.ProductName = u"Log Importer"_s;
    GeneralTools::SetApp(self);
    AppLog::OpenAppLog(home.filePath(u"Logs"_s), AppLog::Numbered | AppLog::ComputerName);
    QTextStream out(stdout);

    const QString path = home.filePath(u"music.sdb"_s);
    StationDatabase::Create(path, u"Bench"_s);
    StationDatabase db;
    db.OpenFile(path);
    db.Settings().SetValue(u"MusicLogsDirectory"_s, home.filePath(u"music"_s));
    db.Settings().SetValue(u"AdvertLogsDirectory"_s, home.filePath(u"adverts"_s));
    db.Settings().Save(db.Connection());
    addCarts(db);
    writeYear(db);

    QElapsedTimer timer;
    timer.start();
    const int items = parseOnly(db);
    const double parse = timer.nsecsElapsed() / 1e9;
    out << u"parse only, %1 days of music logs (%2 items and headers): %3 s"_s.arg(days).arg(items).arg(
               parse, 0, 'f', 3)
        << Qt::endl;

    cMusicLogImporter importer([&db] { return &db; });
    CountingCallback progress;
    importer.SetProgressCallback(&progress);
    ScheduleDate start{firstDay, 0};
    ScheduleDate end{firstDay + days - 1, ScheduleDateTools::EndOfDay};
    timer.restart();
    const bool imported = importer.ImportLogFiles(start, end, true);
    const double import = timer.nsecsElapsed() / 1e9;
    out << u"ImportLogFiles, %1 days, %2 hours: %3 s, with the run's closing half-second pause (%4 hours/s, "
           u"%5 progress "
           u"reports)"_s.arg(days)
               .arg(days * 24)
               .arg(import, 0, 'f', 2)
               .arg(days * 24 / import, 0, 'f', 0)
               .arg(progress.changes)
        << Qt::endl;

    writeAdvertYear(db);
    cAdvertLogImporter adverts([&db] { return &db; });
    adverts.SetProgressCallback(&progress);
    GeneralTools::SetCommandLine(u"/SILENT "_s);
    timer.restart();
    const bool pushed = adverts.ImportLogFiles(start, end, true);
    const double push = timer.nsecsElapsed() / 1e9;
    out << u"advert push, %1 days, %2 breaks of 5 adverts: %3 s (%4 breaks/s)"_s.arg(days)
               .arg(days * 24 * 3)
               .arg(push, 0, 'f', 2)
               .arg(days * 24 * 3 / push, 0, 'f', 0)
        << Qt::endl;
    return imported && pushed ? 0 : 1;
}
