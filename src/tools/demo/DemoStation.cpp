#include "tools/demo/DemoStation.h"

#include "base/FileTools.h"
#include "base/ScheduleDateTools.h"
#include "base/TextFileReader.h"
#include "base/Windows1252.h"
#include "importers/advert/AdvertLineLayout.h"
#include "playout/FileLocations.h"
#include "playout/LibrarySettings.h"
#include "playout/PlayoutGeneral.h"
#include "playout/ProfileLibrary.h"
#include "stationdb/StationDatabase.h"

#include <QDir>
#include <QFile>

using namespace Qt::Literals::StringLiterals;

namespace {

QString musicFolder() {
    return ProfileLibrary::ProductFolder() + u"/Demo Logs/Music"_s;
}
QString advertFolder() {
    return ProfileLibrary::ProductFolder() + u"/Demo Logs/Adverts"_s;
}

QString at(QString line, int column, const QString& text) {
    if (line.size() < column - 1)
        line += QString(column - 1 - line.size(), u' ');
    return line.left(column - 1) + text;
}

QString itemLine(const QString& kind, const QString& cart, const QString& title, const QString& text,
                 const QString& code, const QString& note = {}) {
    QString line = at(at(at(at(kind, 2, cart), 10, title), 44, text), 80, code);
    return note.isEmpty() ? line : at(line, 101, note);
}

QString breakNote(const QString& command, const QString& cart = {}) {
    return cart.isEmpty() ? at(u":"_s, 15, command) : at(at(u":"_s, 15, command), 64, cart);
}

void writeText(const QString& path, const QStringList& lines) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(Windows1252::Encode(lines.join(u"\r\n"_s) + u"\r\n"_s));
}

Cart cart(int number, int type, const QString& title, float length, const QString& text1 = {}) {
    Cart made;
    made.Number = QString::number(number);
    made.Type = type;
    made.Title = title;
    made.Text1 = text1;
    made.Length = length;
    made.AudioLength = length;
    return made;
}

const QStringList songTitles = {u"Summer Rain"_s,  u"Harbour Lights"_s, u"Northern Road"_s, u"Paper Moon"_s,
                                u"Café Society"_s, u"Long Way Home"_s,  u"Silver Lining"_s, u"City Nights"_s,
                                u"Golden Hour"_s,  u"Open Water"_s,     u"Slow Burn"_s,     u"Last Train"_s};
const QStringList artists = {u"The Wanderers"_s, u"Amy Holt"_s, u"Blue Meridian"_s, u"J. Okafor"_s};

} // namespace

QString DemoStation::DatabasePath() {
    PlayoutGeneral playout;
    return playout.Folder(PlayoutGeneral::StationDatabases) + u'/' + DatabaseName() + u".sdb"_s;
}

bool DemoStation::writeProfile(const QString& location) {
    LibrarySettings library;
    library.DatabaseMode = 2;
    library.FixedDatabase = DatabaseName();
    FileLocations locations;
    locations.LoadProfile(ProfileName());
    locations.ServerDatabases.clear();
    if (location != DatabasePath())
        locations.ListServerDatabase({DatabaseName(), location});
    return library.SaveProfile(ProfileName()) && locations.SaveProfile(ProfileName());
}

bool DemoStation::writeDatabase(const QString& location, QString* problem) {
    QFile::remove(DatabasePath());
    if (!StationDatabase::Create(location, DatabaseName(), problem))
        return false;
    StationDatabase db;
    db.OpenLocation(location);
    QList<Cart> carts;
    for (int n = 0; n < 60; ++n) // songs 1000-1059; 1058 has no audio
        carts.append(cart(1000 + n, 3, songTitles[n % songTitles.size()], n == 58 ? 0 : 150 + (n * 37) % 120,
                          artists[n % artists.size()]));
    for (int n = 0; n < 8; ++n) // jingles, one of them played through
        carts.append(cart(2000 + n, 2, u"Station Jingle %1"_s.arg(n + 1), 8));
    carts[60].Flag = true;
    for (int n = 0; n < 4; ++n) // links
        carts.append(cart(3000 + n, 5, u"News Link %1"_s.arg(n + 1), 12));
    for (int n = 0; n < 20; ++n) // adverts 5000-5019 (5019 has no audio); 5020 is missing
        carts.append(
            cart(5000 + n, 4, u"Advert %1"_s.arg(n + 1), n == 19 ? 0 : 30, u"Client %1"_s.arg(n + 1)));
    StationSettings& settings = db.Settings();
    const bool set =
        settings.SetValue(u"MusicLogsDirectory"_s, musicFolder()) &&
        settings.SetValue(u"AdvertLogsDirectory"_s, advertFolder()) &&
        settings.SetValue(u"MusicFileNameFormat"_s, u"yymmdd"_s) &&
        settings.SetValue(u"MusicFileNamePrefix"_s, u"M"_s) &&
        settings.SetValue(u"AdvertFileNameFormat"_s, u"ddmmyy"_s) &&
        settings.SetValue(u"AdvertFileNamePrefix"_s, u"AD"_s) &&
        settings.SetValue(u"UnderrunThreshold"_s, u"1800"_s) &&
        settings.SetValue(u"UseLogImporterCartRanges"_s, u"1"_s) &&
        settings.SetValue(u"SongsStart"_s, u"1000"_s) && settings.SetValue(u"SongsEnd"_s, u"1999"_s) &&
        settings.SetValue(u"JinglesStart"_s, u"2000"_s) && settings.SetValue(u"JinglesEnd"_s, u"2499"_s) &&
        settings.SetValue(u"SweepersStart"_s, u"2500"_s) && settings.SetValue(u"SweepersEnd"_s, u"2999"_s) &&
        settings.SetValue(u"AdvertsStart"_s, u"5000"_s) && settings.SetValue(u"AdvertsEnd"_s, u"5999"_s) &&
        settings.SetValue(u"ScriptsRangeStart"_s, u"9000"_s) &&
        settings.SetValue(u"ScriptsRangeEnd"_s, u"9099"_s) &&
        settings.SetValue(u"CartGroupsStart"_s, u"9100"_s) &&
        settings.SetValue(u"CartGroupsEnd"_s, u"9199"_s);
    if (!set || !db.SaveSettings(settings) || !db.Carts().Save(carts)) {
        if (problem)
            *problem = u"the demo station's settings and carts could not be stored"_s;
        return false;
    }
    return true;
}

void DemoStation::writeMusicLog(const QString& path, const QDate& day, bool blockHeaders) {
    QStringList lines{u"; Demo music log for "_s + day.toString(Qt::ISODate), u"========================"_s};
    for (int hour = 0; hour < 24; ++hour) {
        const QString name = hour < 6    ? u"Overnight"_s
                             : hour < 10 ? u"Breakfast"_s
                             : hour < 16 ? u"Daytime"_s
                                         : u"Evening"_s;
        if (blockHeaders) {
            lines << u"+*********************"_s << u"Date : "_s + day.toString(u"dd/MM/yy"_s)
                  << u"Hour : %1"_s.arg(hour) << u"Clock: "_s + name;
        } else {
            lines << u"+%1 %2:00 %3"_s.arg(day.toString(u"dd/MM/yy"_s))
                         .arg(hour, 2, 10, QLatin1Char('0'))
                         .arg(name);
        }
        if (hour == 6)
            lines << breakNote(u"$AON"_s);
        lines << itemLine(u"C"_s, u"2000"_s, u"Top of the hour"_s, {}, u"N"_s);
        lines << breakNote(u"$T00:00 News on the hour"_s);
        for (int song = 0; song < 4; ++song) {
            const int number = 1000 + (hour * 7 + song * 3 + day.day()) % 60;
            lines << itemLine(u"#"_s, QString::number(number), {}, {}, song == 3 ? u"F"_s : u"X"_s,
                              song == 0 ? u"Requested+by+%22Sam%22"_s : QString());
        }
        lines << breakNote(u"BREAK 00:15:00"_s);
        lines << itemLine(u"@"_s, QString::number(1000 + (hour + day.day()) % 60), u"Featured track"_s, {},
                          u"X"_s)
              << at(QString(), 44, u"Album version"_s)
              << at(QString(), 10, u"Played from the new releases box"_s);
        lines << breakNote(u"Sports update"_s, u"3001"_s) << breakNote(u"$HOOK3,RANDOM,intro,,,,2"_s);
        lines << itemLine(u"S"_s, u"2001"_s, u"Sweeper"_s, {}, u"C"_s);
        for (int song = 4; song < 8; ++song)
            lines << itemLine(u"L"_s, QString::number(1000 + (hour * 5 + song + day.day()) % 60), {}, {},
                              u"X"_s);
        if (hour % 6 == 3)
            lines << itemLine(u"L"_s, u"1099"_s, u"Lost track"_s, {}, u"X"_s); // not in the cart store
        lines << breakNote(u"$BREAK 00:45:00"_s) << breakNote(u"Script read"_s, u"9005"_s);
    }
    writeText(path, lines);
}

int DemoStation::advertsInBreak(int hour, int minute, const QDate& day) {
    if (hour == 20 && minute == 45)
        return 2;                             // a break sold short: 60 s of its 120
    static const int counts[] = {0, 4, 3, 4}; // now and then an empty break
    return counts[(hour + minute + day.day()) % 4];
}

int DemoStation::advertCart(int hour, int minute, int n) {
    if (hour == 9 && minute == 15 && n == 0)
        return 5020; // not in the cart store
    if (hour == 14 && minute == 45 && n == 1)
        return 5019; // in the cart store without audio
    return 5000 + (hour * 3 + n + minute) % 19;
}

void DemoStation::writeAdvertLog(const QString& path, const QDate& day) {
    QStringList lines;
    for (int hour = 0; hour < 24; ++hour) {
        for (const int minute : {15, 45}) {
            const QString time = u"%1:%2:00"_s.arg(hour, 2, 10, QLatin1Char('0')).arg(minute);
            for (int n = 0; n < advertsInBreak(hour, minute, day); ++n) {
                const int number = advertCart(hour, minute, n);
                const QString reference = u"BK%1-%2"_s.arg(day.toString(u"MMdd"_s)).arg(hour * 10 + n);
                const int sold =
                    hour == 18 && minute == 15 && n == 0 ? 45 : 30; // sold for more than its copy
                if (n == 2 && hour % 2 == 0) // the C-record layout of another scheduler
                    lines << u"C%1%2:  %3%4%5    %6"_s.arg(hour, 2, 10, QLatin1Char('0'))
                                 .arg(minute)
                                 .arg(number)
                                 .arg(at(u"Spot %1"_s.arg(number), 27, QString()).left(26))
                                 .arg(u"00:30"_s)
                                 .arg(reference);
                else
                    lines << AdvertLineLayout::BuildAdvertLine(
                        time, u"SPOT"_s, QString::number(number), {}, reference, sold, false,
                        n == 0 ? u"Read by the presenter"_s : QString());
            }
            lines << QString();
        }
    }
    writeText(path, lines);
}

bool DemoStation::Create(const QDate& firstDay, int days, QString* problem, const QString& location) {
    const QString database = location.isEmpty() ? DatabasePath() : location;
    if (!writeProfile(database) || !FileTools::CreateFolder(musicFolder()) ||
        !FileTools::CreateFolder(advertFolder())) {
        if (problem)
            *problem = u"the demo profile and its folders could not be made"_s;
        return false;
    }
    if (!writeDatabase(database, problem))
        return false;
    StationDatabase db;
    db.OpenLocation(database);
    for (int d = 0; d < days; ++d) {
        const QDate day = firstDay.addDays(d);
        const qint32 serial = ScheduleDateTools::DaySerial(day);
        writeMusicLog(db.MusicLogFileName(serial), day, d % 2 == 1);
        writeAdvertLog(db.AdvertLogFileName(serial), day);
    }
    return true;
}

QString DemoStation::csvRow(const QString& line) {
    if (line.trimmed().isEmpty())
        return {};
    const auto quoted = [](QString field) {
        if (!field.contains(u',') && !field.contains(u'"') && field == field.trimmed())
            return field;
        return u'"' + field.replace(u'"', u"\"\""_s) + u'"';
    };
    const QString native = AdvertLineLayout::NormaliseAdvertLine(line);
    return QStringList{ScheduleDateTools::FormatSeconds(AdvertLineLayout::AdvertLineSeconds(native), 12),
                       quoted(AdvertLineLayout::AdvertLineType(native)),
                       quoted(AdvertLineLayout::AdvertLineCart(native, 0)),
                       quoted(AdvertLineLayout::AdvertLineTitle(native)),
                       QString::number(AdvertLineLayout::AdvertLineLength(native)),
                       quoted(AdvertLineLayout::AdvertLineReference(native).trimmed()),
                       quoted(AdvertLineLayout::AdvertLineNotes(native).value_or(QString()))}
        .join(u',');
}

bool DemoStation::ConvertAdvertLogsToCsv(QString* problem, const QString& location) {
    const QString formats = ProfileLibrary::ProductFolder() + u"/Formats"_s;
    StationDatabase db;
    if (!FileTools::CreateFolder(formats) ||
        db.OpenLocation(location.isEmpty() ? DatabasePath() : location) != StationDatabase::Opened) {
        if (problem)
            *problem = u"the demo station's Formats folder or its Station Database could not be opened"_s;
        return false;
    }
    writeText(formats + u"/demo-csv.format"_s,
              {u"# The demo's advert logs as comma-separated files, the columns named in a header row."_s,
               u"kind = delimited"_s, u"header = yes"_s, u"time = Time"_s, u"type = Type"_s, u"cart = Cart"_s,
               u"title = Title"_s, u"length = Length"_s, u"reference = Reference"_s, u"notes = Notes"_s});
    for (const QString& file : QDir(advertFolder()).entryList(QDir::Files)) {
        TextFileReader reader;
        reader.Open(advertFolder() + u'/' + file);
        QStringList rows{u"Time,Type,Cart,Title,Length,Reference,Notes"_s};
        QString line;
        while (reader.NextLine(line))
            rows.append(csvRow(line));
        reader.Close();
        writeText(advertFolder() + u'/' + file, rows);
    }
    StationSettings& settings = db.Settings();
    if (!settings.SetValue(u"AdvertLogFormat"_s, u"demo-csv"_s) || !db.SaveSettings(settings)) {
        if (problem)
            *problem = u"the demo station's advert log format could not be set"_s;
        return false;
    }
    return true;
}
