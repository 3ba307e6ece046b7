#include "tools/stationdb/StationAdmin.h"

#include "base/FileTools.h"
#include "base/NumericText.h"
#include "base/ScheduleDateTools.h"
#include "base/TextFileReader.h"
#include "importers/FormatDescription.h"
#include "importers/MusicLogReader.h"
#include "importers/advert/AdvertLineLayout.h"
#include "importers/advert/AdvertLogReader.h"
#include "playout/FileLocations.h"
#include "playout/LibrarySettings.h"
#include "playout/ProfileLibrary.h"
#include "stationdb/DatabaseChooser.h"
#include "stationdb/DatabaseError.h"
#include "stationdb/DatabaseLocation.h"
#include "stationdb/InfoRows.h"
#include "stationdb/StationDatabase.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <variant>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString mainUsage = u"usage: stationdb COMMAND ...\n"
                          u"  create DB [--name NAME]            make a new, empty Station Database\n"
                          u"  settings DB [NAME | NAME=VALUE ...] list, show or set station settings\n"
                          u"  carts import DB FILE.csv            add or replace carts from a CSV file\n"
                          u"  carts list DB [--json]              list the carts\n"
                          u"  log DB [--from WHEN] [--to WHEN] [--json]  the Scheduled Log\n"
                          u"  adinfo DB [--json]                  the advert information table\n"
                          u"  values DB [--json]                  the stored values\n"
                          u"  profile NAME --database DATABASE    make or set a profile that opens DATABASE\n"
                          u"  format test NAME FILE               read a sample advert log through a format\n"
                          u"DB is the path of a Station Database file, or a server database:\n"
                          u"postgresql://user@host:port/dbname?schema=NAME (the password, if the\n"
                          u"server asks for one, from ~/.pgpass or PGPASSFILE). Every command takes --help;\n"
                          u"--help, -h or /? alone gives this text. OSTREL_HOME, when set, holds the\n"
                          u"profiles and databases the program and profile use."_s;

bool takeFlag(QStringList& arguments, const QString& flag) {
    return arguments.removeAll(flag) > 0;
}

// Removes "--name VALUE" and gives VALUE; nothing when absent, "" with ok false when the value is missing.
std::optional<QString> takeOption(QStringList& arguments, const QString& name, bool& ok) {
    const qsizetype at = arguments.indexOf(name);
    if (at < 0)
        return std::nullopt;
    if (at + 1 >= arguments.size()) {
        ok = false;
        return std::nullopt;
    }
    const QString value = arguments.at(at + 1);
    arguments.remove(at, 2);
    return value;
}

bool hasUnknownOption(const QStringList& arguments) {
    for (const QString& argument : arguments) {
        if (argument.startsWith(u"--"_s))
            return true;
    }
    return false;
}

QJsonObject itemObject(const LogItem& item) {
    QJsonObject object{{u"Position"_s, item.Position},
                       {u"Date"_s, item.Date},
                       {u"Time"_s, double(item.Time)},
                       {u"Type"_s, item.Type},
                       {u"CartNumber"_s, item.CartNumber},
                       {u"Title"_s, item.Title},
                       {u"Description"_s, item.Description},
                       {u"Note"_s, item.Note},
                       {u"Text1"_s, item.Text1},
                       {u"Text2"_s, item.Text2},
                       {u"EndStyle"_s, item.EndStyle},
                       {u"Transition"_s, item.Transition},
                       {u"PlayTransition"_s, item.PlayTransition},
                       {u"Flags"_s, item.Flags},
                       {u"State"_s, item.State},
                       {u"InputNumber"_s, item.InputNumber},
                       {u"InputFlag"_s, item.InputFlag},
                       {u"Duration"_s, double(item.Duration)},
                       {u"Length2"_s, double(item.Length2)},
                       {u"HourStart"_s, double(item.HourStart)},
                       {u"HourLength"_s, double(item.HourLength)},
                       {u"Reference"_s, item.Reference}};
    for (int n = 1; n <= 4; ++n) {
        object.insert(u"Parameter%1"_s.arg(n), double(item.Parameter(n)));
        object.insert(u"TextParameter%1"_s.arg(n), item.TextParameter(n));
    }
    // A readable point in time beside the raw values.
    object.insert(u"Start"_s, ScheduleDateTools::FormatScheduleDate({item.Date, item.Time}, 4));
    return object;
}

QJsonObject cartObject(const Cart& cart) {
    return {{u"Number"_s, cart.Number},
            {u"Title"_s, cart.Title},
            {u"Text1"_s, cart.Text1},
            {u"Text2"_s, cart.Text2},
            {u"Type"_s, cart.Type},
            {u"Flag"_s, cart.Flag ? 1 : 0},
            {u"Length"_s, double(cart.Length)},
            {u"AudioLength"_s, double(cart.AudioLength)},
            {u"Detail1"_s, cart.Detail1},
            {u"Detail2"_s, cart.Detail2},
            {u"Value1"_s, cart.Value1},
            {u"Value2"_s, cart.Value2},
            {u"Measure1"_s, double(cart.Measure1)},
            {u"Measure2"_s, double(cart.Measure2)},
            {u"Measure3"_s, double(cart.Measure3)}};
}

QJsonObject infoObject(const InfoRow& row) {
    return {{u"ID"_s, row.ID},
            {u"LastUpdated"_s, row.LastUpdated.toString(u"yyyy-MM-dd HH:mm:ss"_s)},
            {u"ItemType"_s, row.ItemType},
            {u"ItemSource"_s, row.ItemSource},
            {u"CartNumber"_s, row.CartNumber},
            {u"HDReference"_s, row.HDReference},
            {u"Title"_s, row.Title},
            {u"Text1"_s, row.Text1},
            {u"Detail1"_s, row.Detail1},
            {u"Value1"_s, row.Value1},
            {u"Value2"_s, row.Value2},
            {u"Detail2"_s, row.Detail2},
            {u"Measure1"_s, double(row.Measure1)},
            {u"AudioLength"_s, double(row.AudioLength)},
            {u"Measure2"_s, double(row.Measure2)},
            {u"Measure3"_s, double(row.Measure3)}};
}

QString cellText(const QJsonValue& value) {
    return value.isString()
               ? value.toString()
               : QString::fromUtf8(QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact))
                     .mid(1)
                     .chopped(1);
}

// One CSV line split into fields: commas separate, double quotes enclose a field
// that may hold commas, and "" inside them stands for a quote.
std::optional<QStringList> csvFields(const QString& line) {
    QStringList fields;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar ch = line[i];
        if (quoted) {
            if (ch != u'"')
                field.append(ch);
            else if (i + 1 < line.size() && line[i + 1] == u'"')
                field.append(line[++i]);
            else
                quoted = false;
        } else if (ch == u'"' && field.trimmed().isEmpty()) {
            field.clear();
            quoted = true;
        } else if (ch == u',') {
            fields.append(field);
            field.clear();
        } else {
            field.append(ch);
        }
    }
    if (quoted)
        return std::nullopt;
    fields.append(field);
    return fields;
}

// What a numeric column of a cart may hold: a number from `low` to `high`, whole
// when `whole`. An empty cell is 0.
struct Bounds {
    double low;
    double high;
    bool whole;
};

const QHash<QString, Bounds> numericColumns = {
    {u"type"_s, {0, 2147483647, true}},   {u"flag"_s, {0, 1, true}},
    {u"length"_s, {0, 86400, false}},     {u"audiolength"_s, {0, 86400, false}},
    {u"value1"_s, {-32768, 32767, true}}, {u"value2"_s, {-32768, 32767, true}},
    {u"measure1"_s, {-1e9, 1e9, false}},  {u"measure2"_s, {-1e9, 1e9, false}},
    {u"measure3"_s, {-1e9, 1e9, false}},
};

// The number a numeric cell holds, or the problem with it.
std::variant<double, QString> numericCell(const QString& value, const Bounds& bounds) {
    bool ok = value.isEmpty();
    const double number = ok ? 0 : value.toDouble(&ok);
    const bool fits = ok && std::isfinite(number) && number >= bounds.low && number <= bounds.high &&
                      (!bounds.whole || number == std::trunc(number));
    if (fits)
        return number;
    return u"must be %1 from %2 to %3"_s.arg(bounds.whole ? u"a whole number"_s : u"a number"_s)
        .arg(bounds.low, 0, 'g', 10)
        .arg(bounds.high, 0, 'g', 10);
}

void setNumber(Cart& cart, const QString& name, double number) {
    if (name == u"type")
        cart.Type = int(number);
    else if (name == u"flag")
        cart.Flag = number != 0;
    else if (name == u"length")
        cart.Length = float(number);
    else if (name == u"audiolength")
        cart.AudioLength = float(number);
    else if (name == u"value1")
        cart.Value1 = qint16(number);
    else if (name == u"value2")
        cart.Value2 = qint16(number);
    else if (name == u"measure1")
        cart.Measure1 = float(number);
    else if (name == u"measure2")
        cart.Measure2 = float(number);
    else if (name == u"measure3")
        cart.Measure3 = float(number);
}

// Sets one field of a cart from its CSV text; the problem, or "" when it is fine.
QString setCartField(Cart& cart, const QString& column, const QString& text) {
    const QString name = column.toLower();
    if (const auto bounds = numericColumns.constFind(name); bounds != numericColumns.cend()) {
        const QString value = text.trimmed();
        const auto cell = numericCell(value, *bounds);
        if (const QString* problem = std::get_if<QString>(&cell))
            return u"column %1, value '%2': %3"_s.arg(column, value, *problem);
        setNumber(cart, name, std::get<double>(cell));
    } else if (name == u"number") {
        cart.Number = text.trimmed();
    } else if (name == u"title") {
        cart.Title = text;
    } else if (name == u"text1") {
        cart.Text1 = text;
    } else if (name == u"text2") {
        cart.Text2 = text;
    } else if (name == u"detail1") {
        cart.Detail1 = text;
    } else if (name == u"detail2") {
        cart.Detail2 = text;
    }
    return {};
}

const QStringList cartColumns = {u"Number"_s, u"Title"_s,  u"Text1"_s,       u"Text2"_s,    u"Type"_s,
                                 u"Flag"_s,   u"Length"_s, u"AudioLength"_s, u"Detail1"_s,  u"Detail2"_s,
                                 u"Value1"_s, u"Value2"_s, u"Measure1"_s,    u"Measure2"_s, u"Measure3"_s};

} // namespace

int StationAdmin::usage(const QString& text) {
    out << text << Qt::endl;
    return 0;
}

int StationAdmin::fail(const QString& message) {
    err << u"stationdb: "_s << message << Qt::endl;
    return 1;
}

bool StationAdmin::open(StationDatabase& db, const QString& path) {
    if (db.OpenLocation(path) == StationDatabase::Opened)
        return true;
    fail(db.OpenProblem());
    return false;
}

void StationAdmin::print(const QJsonArray& rows, bool json, const QStringList& columns) {
    if (json) {
        out << (rows.isEmpty() ? QByteArray("[]\n") : QJsonDocument(rows).toJson(QJsonDocument::Indented));
        return;
    }
    QList<QStringList> cells{columns};
    for (const QJsonValue& row : rows) {
        QStringList line;
        for (const QString& column : columns)
            line.append(cellText(row.toObject().value(column)));
        cells.append(line);
    }
    QList<qsizetype> widths(columns.size(), 0);
    for (const QStringList& line : cells) {
        for (qsizetype i = 0; i < line.size(); ++i)
            widths[i] = std::max(widths[i], line[i].size());
    }
    for (const QStringList& line : cells) {
        QStringList padded;
        for (qsizetype i = 0; i < line.size(); ++i)
            padded.append(line[i].leftJustified(widths[i]));
        out << padded.join(u"  "_s).trimmed() << Qt::endl;
    }
}

int StationAdmin::Run(const QStringList& arguments) {
    if (arguments.isEmpty())
        return fail(u"no command given (try --help)"_s), 2;
    if (QStringList{u"--help"_s, u"-h"_s, u"/?"_s}.contains(arguments.first()))
        return usage(mainUsage);
    QStringList rest = arguments.mid(1);
    const QString command = arguments.first();
    if (command == u"create")
        return create(rest);
    if (command == u"settings")
        return settings(rest);
    if (command == u"carts")
        return carts(rest);
    if (command == u"log")
        return log(rest);
    if (command == u"adinfo")
        return adinfo(rest);
    if (command == u"values")
        return values(rest);
    if (command == u"profile")
        return profile(rest);
    if (command == u"format")
        return format(rest);
    return fail(u"unknown command '%1' (try --help)"_s.arg(command)), 2;
}

int StationAdmin::format(QStringList arguments) {
    if (takeFlag(arguments, u"--help"_s) || arguments.size() != 3 || arguments[0] != u"test")
        return arguments.contains(u"--help"_s) || arguments.isEmpty()
                   ? usage(
                         u"usage: stationdb format test NAME FILE\n"
                         u"Reads FILE, a sample advert log, through the advert log format NAME (a "
                         u"description "
                         u"in the Formats folder, a shipped one such as native or c-record, or the path of a "
                         u".format file) and prints each line as the push would read it: its fields, and the "
                         u"advert it becomes. A line the format cannot read is named with its number and "
                         u"why. "
                         u"Exit status 0 when every line reads, 5 when one does not."_s)
                   : (fail(u"format takes: test NAME FILE (try format --help)"_s), 2);
    QString problem;
    const QString name = arguments[1];
    const std::optional<QString> path = name.endsWith(u".format"_s) && QFile::exists(name)
                                            ? std::optional(name)
                                            : FormatDescription::PathOf(name);
    const std::optional<QString> text = path ? FormatDescription::Read(*path, &problem) : std::nullopt;
    if (!text)
        return fail(path ? problem
                         : u"no log format '%1' was found in %2"_s.arg(
                               name, FormatDescription::Folders().join(u", "_s)));
    const std::optional<FormatDescription> description = FormatDescription::Parse(*text, *path, &problem);
    if (!description)
        return fail(problem);
    if (description->Value(u"kind"_s) == u"table") {
        const std::optional<MusicTableFormat> table = MusicTableFormat::Parse(*text, *path, &problem);
        if (!table)
            return fail(problem);
        MusicLogReader reader(table);
        return reader.Open(arguments[2], &problem) ? sample(reader, &MusicLogReader::LineProblem, false)
                                                   : (fail(problem), 1);
    }
    const std::optional<AdvertFormat> layout = AdvertFormat::Parse(*text, *path, &problem);
    if (!layout)
        return fail(problem);
    AdvertLogReader reader(layout);
    return reader.Open(arguments[2], &problem) ? sample(reader, &AdvertLogReader::LineProblem, true)
                                               : (fail(problem), 1);
}

template <class Reader>
int StationAdmin::sample(Reader& reader, const QString& (Reader::*problemOf)() const, bool adverts) {
    int read = 0, unread = 0;
    QString line;
    while (reader.NextLine(line)) {
        const QString number = u"line %1: "_s.arg(reader.LinesRead());
        if (const QString& problem = (reader.*problemOf)(); !problem.isEmpty()) {
            ++unread;
            out << number << u"cannot be read: "_s << problem << Qt::endl;
            continue;
        }
        if (line.isEmpty())
            continue; // a blank line, which parts two breaks
        ++read;
        // An advert in words; a music row as the native lines it becomes.
        out << number << (adverts ? advertText(line) : line.trimmed()) << Qt::endl;
    }
    out << u"%1 line(s) read, %2 could not be read."_s.arg(read).arg(unread) << Qt::endl;
    return unread == 0 ? 0 : 5;
}

QString StationAdmin::advertText(const QString& line) {
    const float length = AdvertLineLayout::AdvertLineLength(line);
    return u"advert at %1: type '%2', cart '%3', title '%4', %5, reference '%6', notes '%7'"_s.arg(
        ScheduleDateTools::FormatSeconds(AdvertLineLayout::AdvertLineSeconds(line), 12),
        AdvertLineLayout::AdvertLineType(line), AdvertLineLayout::AdvertLineCart(line, 0),
        AdvertLineLayout::AdvertLineTitle(line), length > 0 ? u"%1 s"_s.arg(length) : u"no length"_s,
        AdvertLineLayout::AdvertLineReference(line).trimmed(),
        AdvertLineLayout::AdvertLineNotes(line).value_or(QString()));
}

int StationAdmin::create(QStringList arguments) {
    if (takeFlag(arguments, u"--help"_s))
        return usage(
            u"usage: stationdb create DB [--name NAME]\nMakes a new, empty Station Database: a file that "
            u"does not exist yet, or a schema of a server database that holds none (made when it is not "
            u"there)."_s);
    bool ok = true;
    const QString name = takeOption(arguments, u"--name"_s, ok).value_or(QString());
    if (!ok || arguments.size() != 1 || hasUnknownOption(arguments))
        return fail(u"create takes DB and an optional --name NAME"_s), 2;
    QString problem;
    if (!StationDatabase::Create(arguments.first(), name, &problem))
        return fail(problem);
    return 0;
}

int StationAdmin::settings(QStringList arguments) {
    if (takeFlag(arguments, u"--help"_s))
        return usage(
            u"usage: stationdb settings DB [NAME | NAME=VALUE ...]\n"
            u"Without NAME lists every setting; with NAME shows one; NAME=VALUE sets them, all or none "
            u"(a cart range that would end before it starts is refused; a log folder that is not there is "
            u"set with a warning). The settings:\n"_s +
            settingsHelp());
    if (arguments.isEmpty() || hasUnknownOption(arguments))
        return fail(u"settings takes DB and then NAME or NAME=VALUE arguments"_s), 2;
    StationDatabase db;
    if (!open(db, arguments.takeFirst()))
        return 1;
    StationSettings& settings = db.Settings();
    if (arguments.isEmpty()) {
        for (const QString& name : StationSettings::Names())
            out << name << u'=' << settings.Value(name) << Qt::endl;
        return 0;
    }
    if (arguments.size() == 1 && !arguments.first().contains(u'=')) {
        if (!StationSettings::IsName(arguments.first()))
            return fail(u"unknown setting '%1'"_s.arg(arguments.first()));
        out << settings.Value(arguments.first()) << Qt::endl;
        return 0;
    }
    for (const QString& assignment : arguments) {
        const qsizetype equals = assignment.indexOf(u'=');
        const QString name = assignment.left(equals);
        const QString value = equals < 0 ? QString() : assignment.mid(equals + 1);
        const QString problem =
            equals < 0 ? u"'%1' is not NAME=VALUE"_s.arg(assignment) : StationSettings::Problem(name, value);
        if (!problem.isEmpty())
            return fail(problem);
        settings.SetValue(name, value);
    }
    if (const QString problem = settings.RangeProblem(); !problem.isEmpty())
        return fail(problem);
    for (const QString& folder : {u"MusicLogsDirectory"_s, u"AdvertLogsDirectory"_s}) {
        if (!settings.Value(folder).isEmpty() && !QFileInfo(settings.Value(folder)).isDir())
            err << u"stationdb: warning: %1 names '%2', which is not a folder here (yet): an import needs it"_s
                       .arg(folder, settings.Value(folder))
                << Qt::endl;
    }
    return db.SaveSettings(settings) ? 0
                                     : fail(u"the settings could not be stored: "_s + db.LastWrite().Problem);
}

QString StationAdmin::settingsHelp() {
    QString text;
    for (const QString& name : StationSettings::Names())
        text += u"  %1  %2\n"_s.arg(name, -25).arg(StationSettings::Meaning(name));
    return text.chopped(1);
}

int StationAdmin::carts(QStringList arguments) {
    const QString sub = arguments.isEmpty() ? QString() : arguments.takeFirst();
    if (sub == u"import")
        return importCarts(arguments);
    if (sub == u"list")
        return listCarts(arguments);
    if (sub == u"--help")
        return usage(u"usage: stationdb carts import DB FILE.csv | carts list DB [--json]"_s);
    return fail(u"carts takes import or list (try carts --help)"_s), 2;
}

int StationAdmin::importCarts(QStringList arguments) {
    if (takeFlag(arguments, u"--help"_s))
        return usage(
            u"usage: stationdb carts import DB FILE.csv\n"
            u"The first row names the columns (Number is needed; also "_s +
            cartColumns.mid(1).join(u", "_s) +
            u"). Each further row is one cart, added or replaced by its number. A bad row stops the "
            u"import before anything is stored.\nType is the playout system's number of the cart's "
            u"kind: 2 jingle, 3 song, 4 advert, 5 link, 7 sweeper, 8 script, 13 cart group. Length "
            u"above 0 says the cart has audio, AudioLength is that audio's length in seconds, and Flag "
            u"1 makes its items always play through."_s);
    if (arguments.size() != 2 || hasUnknownOption(arguments))
        return fail(u"carts import takes DB and FILE.csv"_s), 2;
    TextFileReader reader;
    if (!reader.Open(arguments[1])) {
        const QFileInfo file(arguments[1]);
        return fail(u"'%1' could not be read: %2"_s.arg(arguments[1],
                                                        !file.exists() ? u"there is no such file"_s
                                                        : file.isDir() ? u"it is a folder"_s
                                                                       : u"this user may not read it"_s));
    }
    const auto header = csvFields(reader.ReadTextLine());
    if (!header || !header->contains(u"Number"_s, Qt::CaseInsensitive))
        return fail(u"line 1: the header must name the columns, Number among them"_s);
    for (const QString& column : *header) {
        if (!cartColumns.contains(column.trimmed(), Qt::CaseInsensitive))
            return fail(u"line 1: unknown column '%1'"_s.arg(column));
    }
    QList<Cart> carts;
    for (int line = 2; !reader.AtEnd(); ++line) {
        const QString text = reader.ReadTextLine();
        if (text.trimmed().isEmpty())
            continue;
        const auto fields = csvFields(text);
        if (!fields || fields->size() != header->size())
            return fail(u"line %1: expected %2 fields"_s.arg(line).arg(header->size()));
        Cart cart;
        for (qsizetype i = 0; i < fields->size(); ++i) {
            const QString problem = setCartField(cart, (*header)[i].trimmed(), (*fields)[i]);
            if (!problem.isEmpty())
                return fail(u"line %1: %2"_s.arg(line).arg(problem));
        }
        if (cart.Number.isEmpty())
            return fail(u"line %1: the cart has no number"_s.arg(line));
        carts.append(cart);
    }
    StationDatabase db;
    if (!open(db, arguments[0]))
        return 1;
    if (!db.Carts().Save(carts))
        return fail(u"the carts could not be stored: "_s + db.LastWrite().Problem);
    out << carts.size() << u" carts imported"_s << Qt::endl;
    return 0;
}

int StationAdmin::listing(QStringList arguments, const QString& command, const QString& help,
                          const std::function<QJsonArray(StationDatabase&)>& rowsOf,
                          const QStringList& columns) {
    if (takeFlag(arguments, u"--help"_s))
        return usage(u"usage: stationdb "_s + command + u" DB [--json]\n"_s + help);
    const bool json = takeFlag(arguments, u"--json"_s);
    if (arguments.size() != 1 || hasUnknownOption(arguments))
        return fail(command + u" takes DB and an optional --json"_s), 2;
    StationDatabase db;
    if (!open(db, arguments[0]))
        return 1;
    return printRows(db, rowsOf, json, columns);
}

int StationAdmin::printRows(StationDatabase& db, const std::function<QJsonArray(StationDatabase&)>& rowsOf,
                            bool json, const QStringList& columns) {
    // A read that fails is said, never printed as an empty or a short table.
    QJsonArray rows;
    db.ClearReadFailure();
    try {
        rows = rowsOf(db);
    } catch (const DatabaseError& error) {
        return fail(error.Message());
    }
    if (!db.ReadFailure().IsWritten())
        return fail(u"the Station Database could not be read: "_s + db.ReadFailure().Problem);
    print(rows, json, columns);
    return 0;
}

int StationAdmin::listCarts(QStringList arguments) {
    return listing(arguments, u"carts list"_s, u"The carts, by number."_s,
                   [](StationDatabase& db) {
                       QJsonArray rows;
                       for (const Cart& cart : db.Carts().All())
                           rows.append(cartObject(cart));
                       return rows;
                   },
                   {u"Number"_s, u"Type"_s, u"Flag"_s, u"AudioLength"_s, u"Title"_s});
}

int StationAdmin::log(QStringList arguments) {
    if (takeFlag(arguments, u"--help"_s))
        return usage(u"usage: stationdb log DB [--from WHEN] [--to WHEN] [--json]\n"
                     u"The Scheduled Log in play order, from the hour of WHEN to the hour of WHEN."_s);
    const bool json = takeFlag(arguments, u"--json"_s);
    bool ok = true;
    const auto from = takeOption(arguments, u"--from"_s, ok);
    const auto to = takeOption(arguments, u"--to"_s, ok);
    if (!ok || arguments.size() != 1 || hasUnknownOption(arguments))
        return fail(u"log takes DB and optional --from WHEN, --to WHEN and --json"_s), 2;
    const ScheduleDate start = from ? ScheduleDateTools::ParseDate(*from) : ScheduleDate{1, 0};
    const ScheduleDate end = to ? ScheduleDateTools::ParseDate(*to) : ScheduleDate{2958465, 0};
    if (start.Day <= 0 || end.Day <= 0)
        return fail(u"'%1' is not a date"_s.arg(start.Day <= 0 ? *from : *to)), 2;
    StationDatabase db;
    if (!open(db, arguments[0]))
        return 1;
    return printRows(
        db,
        [&](StationDatabase& station) {
            QJsonArray rows;
            for (const LogItem& item :
                 station.ItemsBetween(StationDatabase::LocateHour(start), StationDatabase::LocateHour(end)))
                rows.append(itemObject(item));
            return rows;
        },
        json, {u"Start"_s, u"Type"_s, u"State"_s, u"CartNumber"_s, u"Duration"_s, u"Flags"_s, u"Title"_s});
}

int StationAdmin::adinfo(QStringList arguments) {
    return listing(arguments, u"adinfo"_s, u"The advert information table."_s,
                   [](StationDatabase& db) {
                       QJsonArray rows;
                       auto found = db.Maintenance().Query(QString());
                       for (const InfoRow* row = found ? found->First() : nullptr; row; row = found->Next())
                           rows.append(infoObject(*row));
                       return rows;
                   },
                   {u"ID"_s, u"LastUpdated"_s, u"ItemType"_s, u"ItemSource"_s, u"HDReference"_s, u"Title"_s});
}

int StationAdmin::values(QStringList arguments) {
    return listing(arguments, u"values"_s, u"The values stored in the Station Database."_s,
                   [](StationDatabase& db) {
                       QJsonArray rows;
                       for (const auto& [name, value] : db.Values())
                           rows.append(QJsonObject{{u"Name"_s, name}, {u"Value"_s, value}});
                       return rows;
                   },
                   {u"Name"_s, u"Value"_s});
}

int StationAdmin::profile(QStringList arguments) {
    if (takeFlag(arguments, u"--help"_s))
        return usage(u"usage: stationdb profile NAME --database DATABASE\n"
                     u"Makes the profile NAME when there is none, and sets its Ostrel Settings as the dialog "
                     u"would: always open the Station Database named DATABASE, user security off. A server "
                     u"with no display runs the program with /Profile=NAME after this.\n"
                     u"DATABASE is a Station Database's name (its file NAME.sdb in the playout system's "
                     u"database folders), or the path of a Station Database file (one elsewhere is listed "
                     u"in the profile by its name), or a server database, "
                     u"postgresql://user@host:port/dbname?schema=NAME: the profile then lists it, by its "
                     u"schema's name (or its database's, for the schema public), beside the database files. "
                     u"The command says which it found."_s);
    bool ok = true;
    auto database = takeOption(arguments, u"--database"_s, ok);
    if (!ok || !database || arguments.size() != 1 || hasUnknownOption(arguments))
        return fail(u"profile takes NAME and --database DATABASE"_s), 2;
    const DatabaseLocation server = DatabaseLocation::Parse(*database);
    if (!server.Problem().isEmpty())
        return fail(server.Problem()), 2;
    if (server.IsServer())
        database = server.DefaultName();
    // A path names its file: by its name when it lies in a database folder, listed otherwise.
    const std::optional<QString> file = filePath(*database);
    if (file)
        database = QFileInfo(*file).completeBaseName();
    for (const QString& name : {arguments.first(), *database}) {
        if (const QString problem = FileTools::NameProblem(name); !problem.isEmpty())
            return fail(u"'%1': %2"_s.arg(name, problem)), 2;
    }
    QString problem;
    const QString name = ProfileLibrary().FindOrCreate(arguments.first(), &problem);
    if (name.isEmpty())
        return fail(problem);
    LibrarySettings settings;
    settings.LoadProfile(name);
    settings.DatabaseMode = 2;
    settings.FixedDatabase = *database;
    settings.Security = false;
    settings.AutoLogIn = false;
    const bool listed = server.IsServer() || (file && !inDatabaseFolder(name, *file));
    const DatabaseLocation location = file ? DatabaseLocation::Parse(*file) : server;
    if (!settings.SaveProfile(name) || (listed && !listServer(name, *database, location)))
        return fail(u"the settings of the profile '%1' could not be written in '%2'"_s.arg(
            name, ProfileLibrary::ProfileFolder(name)));
    const QString where = server.IsServer() ? u"the server database '%1'"_s.arg(server.Text())
                          : file            ? u"the file '%1'"_s.arg(*file)
                                            : u"found by its name in the database folders"_s;
    out << u"The profile '%1' opens the Station Database '%2' (%3) at every start, with user security off."_s
               .arg(name, *database, where)
        << Qt::endl;
    if (server.IsServer() || file)
        warnOfUnusableServer(location);
    else
        warnOfMissingDatabase(name, *database);
    return 0;
}

std::optional<QString> StationAdmin::filePath(const QString& database) {
    if (!database.contains(u'/') && !database.contains(u'\\') && !database.endsWith(u".sdb"_s))
        return std::nullopt;
    return QFileInfo(database).absoluteFilePath();
}

bool StationAdmin::inDatabaseFolder(const QString& profile, const QString& file) {
    FileLocations locations;
    locations.LoadProfile(profile);
    const QString folder = QFileInfo(file).absolutePath();
    for (const auto place :
         {FileLocations::StationDatabasesPlace, FileLocations::LocalStationDatabasesPlace}) {
        if (QFileInfo(locations.Folder(place)).absoluteFilePath() == folder)
            return true;
    }
    return false;
}

bool StationAdmin::listServer(const QString& profile, const QString& name, const DatabaseLocation& server) {
    FileLocations locations;
    locations.LoadProfile(profile);
    locations.ListServerDatabase({name, server.Text()});
    return locations.SaveProfile(profile);
}

void StationAdmin::warnOfUnusableServer(const DatabaseLocation& server) {
    StationDatabase db;
    if (db.OpenLocation(server.Text()) == StationDatabase::Opened)
        return;
    err << u"stationdb: warning: the Station Database cannot be opened yet (%1); make it with: stationdb "
           u"create \"%2\""_s.arg(db.OpenProblem(), server.Text())
        << Qt::endl;
}

void StationAdmin::warnOfMissingDatabase(const QString& profile, const QString& database) {
    FileLocations locations;
    locations.LoadProfile(profile);
    const QString shared = locations.Folder(FileLocations::StationDatabasesPlace);
    if (DatabaseChooser::Databases(shared, locations.Folder(FileLocations::LocalStationDatabasesPlace))
            .Find(database))
        return;
    err << u"stationdb: warning: there is no Station Database named '%1' yet; make it with: stationdb "
           u"create \"%2/%1.sdb\""_s.arg(database, shared)
        << Qt::endl;
}
