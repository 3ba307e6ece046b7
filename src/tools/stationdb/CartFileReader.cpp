#include "tools/stationdb/CartFileReader.h"

#include "base/TextFileReader.h"

#include <QFileInfo>
#include <QHash>

#include <cmath>
#include <variant>

using namespace Qt::Literals::StringLiterals;

namespace {

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

// Says why a file cannot be opened for reading.
QString unreadable(const QString& path) {
    const QFileInfo file(path);
    return u"'%1' could not be read: %2"_s.arg(path, !file.exists() ? u"there is no such file"_s
                                                     : file.isDir() ? u"it is a folder"_s
                                                                    : u"this user may not read it"_s);
}

// The columns the header names; nothing when it lacks Number or names a column a cart
// has not (*problem says why).
std::optional<QStringList> readHeader(TextFileReader& reader, QString* problem) {
    const auto header = csvFields(reader.ReadTextLine());
    if (!header || !header->contains(u"Number"_s, Qt::CaseInsensitive)) {
        *problem = u"line 1: the header must name the columns, Number among them"_s;
        return std::nullopt;
    }
    for (const QString& column : *header) {
        if (!CartFileReader::Columns().contains(column.trimmed(), Qt::CaseInsensitive)) {
            *problem = u"line 1: unknown column '%1'"_s.arg(column);
            return std::nullopt;
        }
    }
    return header;
}

// The cart one row holds; the problem, naming the line, when it holds none.
std::variant<Cart, QString> cartOf(const QString& text, const QStringList& header, int line) {
    const auto fields = csvFields(text);
    if (!fields || fields->size() != header.size())
        return u"line %1: expected %2 fields"_s.arg(line).arg(header.size());
    Cart cart;
    for (qsizetype i = 0; i < fields->size(); ++i) {
        const QString problem = setCartField(cart, header[i].trimmed(), (*fields)[i]);
        if (!problem.isEmpty())
            return u"line %1: %2"_s.arg(line).arg(problem);
    }
    if (cart.Number.isEmpty())
        return u"line %1: the cart has no number"_s.arg(line);
    return cart;
}

} // namespace

const QStringList& CartFileReader::Columns() {
    static const QStringList columns = {u"Number"_s,   u"Title"_s,    u"Text1"_s,   u"Text2"_s,
                                        u"Type"_s,     u"Flag"_s,     u"Length"_s,  u"AudioLength"_s,
                                        u"Detail1"_s,  u"Detail2"_s,  u"Value1"_s,  u"Value2"_s,
                                        u"Measure1"_s, u"Measure2"_s, u"Measure3"_s};
    return columns;
}

std::optional<QList<Cart>> CartFileReader::Read(const QString& path, QString* problem) {
    TextFileReader reader;
    if (!reader.Open(path)) {
        *problem = unreadable(path);
        return std::nullopt;
    }
    const std::optional<QStringList> header = readHeader(reader, problem);
    if (!header)
        return std::nullopt;
    QList<Cart> carts;
    for (int line = 2; !reader.AtEnd(); ++line) {
        const QString text = reader.ReadTextLine();
        if (text.trimmed().isEmpty())
            continue;
        auto cart = cartOf(text, *header, line);
        if (QString* refused = std::get_if<QString>(&cart)) {
            *problem = *refused;
            return std::nullopt;
        }
        carts.append(std::get<Cart>(cart));
    }
    return carts;
}
