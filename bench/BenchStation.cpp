#include "BenchStation.h"

#include "base/ScheduleDateTools.h"
#include "importers/advert/AdvertLineLayout.h"

#include <QDir>
#include <QFile>

using namespace Qt::Literals::StringLiterals;

namespace {

QString padded(QString line, int column, const QString& text) {
    if (line.size() < column - 1)
        line += QString(column - 1 - line.size(), u' ');
    return line.left(column - 1) + text;
}

void write(const QString& path, const QByteArray& text) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        qFatal("could not write %s", qPrintable(path));
}

QByteArray musicDay(qint32 day) {
    const QString date = ScheduleDateTools::DateOfSerial(day).toString(u"dd/MM/yy"_s);
    QByteArray text;
    for (int h = 0; h < 24; ++h) {
        text += u"+%1 %2:00 Hour %2\r\n"_s.arg(date).arg(h, 2, 10, QLatin1Char('0')).toLatin1();
        for (int i = 0; i < BenchStation::SongsPerHour; ++i) {
            QString line = padded(u"L"_s, 2, QString::number(1000 + (h * 18 + i) % 400));
            line = padded(line, 10, u"A song title of ordinary length"_s);
            line = padded(line, 44, u"The Artist"_s);
            line = padded(line, 80, u"X"_s);
            text += line.toLatin1() + "\r\n";
        }
        for (const int minute : {15, 30, 45})
            text += padded(u":"_s, 15, u"BREAK 00:%1:00"_s.arg(minute)).toLatin1() + "\r\n";
    }
    return text;
}

// The same day as rows of a table (see BenchStation::TableDescription).
QByteArray musicTableDay(qint32 day) {
    const QString date = ScheduleDateTools::DateOfSerial(day).toString(u"dd/MM/yyyy"_s);
    QByteArray text = "Date,Hour,Type,Cart,Title,Artist,Time\r\n";
    for (int h = 0; h < 24; ++h) {
        const QString at = u"%1,%2,"_s.arg(date).arg(h);
        for (int i = 0; i < BenchStation::SongsPerHour; ++i)
            text += (at + u"MUS,%1,A song title of ordinary length,The Artist,\r\n"_s.arg(1000 +
                                                                                          (h * 18 + i) % 400))
                        .toLatin1();
        for (const int minute : {15, 30, 45})
            text += (at + u"BRK,,,,%1:%2:00\r\n"_s.arg(h, 2, 10, QLatin1Char('0')).arg(minute)).toLatin1();
    }
    return text;
}

QByteArray advertDay() {
    QByteArray text;
    for (int h = 0; h < 24; ++h) {
        for (const int minute : {15, 30, 45}) {
            const QString time = u"%1:%2:00"_s.arg(h, 2, 10, QLatin1Char('0')).arg(minute);
            for (int a = 0; a < BenchStation::AdvertsPerBreak; ++a) {
                const QString cart = QString::number(5000 + (h * 15 + a) % 50);
                text += AdvertLineLayout::BuildAdvertLine(time, u"SPOT"_s, cart, u"Advert "_s + cart,
                                                          u"REF"_s, 30, false, QString())
                            .toLatin1() +
                        "\r\n";
            }
        }
        text += "\r\n";
    }
    return text;
}

Cart cartOf(int number) {
    Cart cart;
    cart.Number = QString::number(number);
    cart.Title = u"Cart %1"_s.arg(number);
    cart.Length = 180;
    cart.AudioLength = 180;
    return cart;
}

} // namespace

bool BenchStation::Create(const QString& path, const QString& folder) {
    if (!StationDatabase::Create(path, u"Bench"_s))
        return false;
    StationDatabase db;
    if (db.OpenLocation(path) != StationDatabase::Opened)
        return false;
    db.Settings().SetValue(u"MusicLogsDirectory"_s, folder + u"/music"_s);
    db.Settings().SetValue(u"AdvertLogsDirectory"_s, folder + u"/adverts"_s);
    QList<Cart> carts;
    for (int n = 1000; n < 1400; ++n)
        carts.append(cartOf(n));
    for (int n = 5000; n < 5050; ++n)
        carts.append(cartOf(n));
    return db.SaveSettings(db.Settings()) && db.Carts().Save(carts) && QDir().mkpath(folder + u"/music"_s) &&
           QDir().mkpath(folder + u"/adverts"_s);
}

void BenchStation::WriteMusicLogs(const StationDatabase& db, int days) {
    for (int d = 0; d < days; ++d)
        write(db.MusicLogFileName(FirstDay + d), musicDay(FirstDay + d));
}

void BenchStation::WriteMusicTables(const StationDatabase& db, int days) {
    for (int d = 0; d < days; ++d)
        write(db.MusicLogFileName(FirstDay + d), musicTableDay(FirstDay + d));
}

QByteArray BenchStation::TableDescription() {
    return "kind = table\nheader = yes\ndate = Date\ndate form = dd/mm/yyyy\nhour = Hour\nitem = Type\n"
           "song = MUS\nbreak = BRK\ncart = Cart\ntitle = Title\nartist = Artist\nbreak time = Time\n";
}

void BenchStation::WriteAdvertLogs(const StationDatabase& db, int days) {
    const QByteArray text = advertDay();
    for (int d = 0; d < days; ++d)
        write(db.AdvertLogFileName(FirstDay + d), text);
}

LogHour BenchStation::HourOf(qint32 day, int hour) {
    LogHour items;
    LogItem start;
    start.Type = ItemType::HourStart;
    start.Date = day;
    start.Time = float(hour * 3600);
    start.Title = u"Hour"_s;
    items.AddItem(start);
    for (int i = 1; i < 20; ++i) {
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
