#include "stationdb/StationSettings.h"

#include <QSqlQuery>

#include <limits>

namespace {

// FileNamePart: a piece of a log file's name (a prefix, an extension), which must
// not lead the name out of its folder.
enum class Kind { Text, FileNamePart, FileNameFormat, Number, NotNegative, WithinHour, Switch, CartNumber };

struct Definition {
    const char* name;
    Kind kind;
    const char* defaultValue;
};

const Definition definitions[] = {
    {"MusicLogsDirectory", Kind::Text, ""},
    {"MusicFileNameFormat", Kind::FileNameFormat, "yymmdd"},
    {"MusicFileNamePrefix", Kind::FileNamePart, ""},
    {"MusicFileExtension", Kind::FileNamePart, ".txt"},
    {"AdvertLogsDirectory", Kind::Text, ""},
    {"AdvertFileNameFormat", Kind::FileNameFormat, "yymmdd"},
    {"AdvertFileNamePrefix", Kind::FileNamePart, ""},
    {"AdvertFileExtension", Kind::FileNamePart, ".txt"},
    {"OffsetAudioItems", Kind::Number, "0"},
    {"OffsetLinkItems", Kind::Number, "0"},
    {"CartOffset", Kind::Number, "0"},
    {"AdvertCartOffset", Kind::Number, "0"},
    {"AdvertTypeFilter", Kind::Text, ""},
    {"AdvertTimeWindow", Kind::WithinHour, "0"},
    {"AdvertLogFormat", Kind::FileNamePart, ""},
    {"MusicLogFormat", Kind::FileNamePart, ""},
    {"AutoPurgeDays", Kind::NotNegative, "0"},
    {"UnderrunThreshold", Kind::NotNegative, "0"},
    {"BreakLengthTolerance", Kind::NotNegative, "30"},
    {"UseLogImporterCartRanges", Kind::Switch, "0"},
    {"SongsStart", Kind::CartNumber, ""},
    {"SongsEnd", Kind::CartNumber, ""},
    {"JinglesStart", Kind::CartNumber, ""},
    {"JinglesEnd", Kind::CartNumber, ""},
    {"SweepersStart", Kind::CartNumber, ""},
    {"SweepersEnd", Kind::CartNumber, ""},
    {"AdvertsStart", Kind::CartNumber, ""},
    {"AdvertsEnd", Kind::CartNumber, ""},
    {"ScriptsRangeStart", Kind::CartNumber, ""},
    {"ScriptsRangeEnd", Kind::CartNumber, ""},
    {"CartGroupsStart", Kind::CartNumber, ""},
    {"CartGroupsEnd", Kind::CartNumber, ""},
};

const Definition* find(const QString& name) {
    for (const Definition& definition : definitions) {
        if (name == QLatin1String(definition.name))
            return &definition;
    }
    return nullptr;
}

bool isWholeNumber(const QString& value, qint64 minimum) {
    bool ok = false;
    const qint64 number = value.toLongLong(&ok);
    return ok && number >= minimum && number <= std::numeric_limits<qint32>::max();
}

} // namespace

StationSettings::StationSettings() {
    for (const Definition& definition : definitions)
        values.insert(QLatin1String(definition.name), QLatin1String(definition.defaultValue));
}

QStringList StationSettings::Names() {
    QStringList names;
    for (const Definition& definition : definitions)
        names.append(QLatin1String(definition.name));
    return names;
}

bool StationSettings::IsName(const QString& name) {
    return find(name) != nullptr;
}

QString StationSettings::Problem(const QString& name, const QString& value) {
    const Definition* definition = find(name);
    if (!definition)
        return QStringLiteral("unknown setting '%1'").arg(name);
    switch (definition->kind) {
    case Kind::Text:
        return {};
    case Kind::FileNamePart:
        return value.contains(u'/') || value.contains(u'\\') || value.contains(QStringLiteral(".."))
                   ? QStringLiteral("%1 is part of a file name, so it cannot hold / or \\ or ..").arg(name)
                   : QString();
    case Kind::FileNameFormat:
        return value.isEmpty() || QStringList{QStringLiteral("yymmdd"), QStringLiteral("yyddmm"),
                                              QStringLiteral("ddmmyy"), QStringLiteral("mmddyy")}
                                      .contains(value, Qt::CaseInsensitive)
                   ? QString()
                   : QStringLiteral("%1 must be yymmdd, yyddmm, ddmmyy or mmddyy").arg(name);
    case Kind::Number:
        return isWholeNumber(value, std::numeric_limits<qint32>::min())
                   ? QString()
                   : QStringLiteral("%1 must be a whole number").arg(name);
    case Kind::NotNegative:
        return isWholeNumber(value, 0) ? QString()
                                       : QStringLiteral("%1 must be a whole number of 0 or more").arg(name);
    case Kind::WithinHour:
        return isWholeNumber(value, 0) && value.toLongLong() <= 3600
                   ? QString()
                   : QStringLiteral("%1 must be a whole number of seconds from 0 to 3600").arg(name);
    case Kind::Switch:
        return value == u"0" || value == u"1" ? QString() : QStringLiteral("%1 must be 0 or 1").arg(name);
    case Kind::CartNumber:
        return value.isEmpty() || isWholeNumber(value, 1)
                   ? QString()
                   : QStringLiteral("%1 must be a cart number above 0").arg(name);
    }
    return {};
}

bool StationSettings::SetValue(const QString& name, const QString& value) {
    if (!Problem(name, value).isEmpty())
        return false;
    // Numbers are kept in one spelling: "+250" and "0250" are stored as "250".
    const Kind kind = find(name)->kind;
    const bool numeric = kind == Kind::Number || kind == Kind::NotNegative || kind == Kind::WithinHour ||
                         kind == Kind::Switch || (kind == Kind::CartNumber && !value.isEmpty());
    values.insert(name, numeric ? QString::number(value.toLongLong()) : value);
    return true;
}

qint32 StationSettings::Number(const QString& name) const {
    return values.value(name).toInt();
}

bool StationSettings::Load(const QSqlDatabase& connection) {
    QSqlQuery query(connection);
    if (!query.exec(QStringLiteral("SELECT Name, Value FROM StationSettings")))
        return false;
    while (query.next()) {
        const QString name = query.value(0).toString();
        if (IsName(name))
            values.insert(name, query.value(1).toString());
    }
    return true;
}

bool StationSettings::Save(const QSqlDatabase& connection) const {
    QSqlQuery query(connection);
    query.prepare(QStringLiteral("INSERT INTO StationSettings (Name, Value) VALUES (?, ?) "
                                 "ON CONFLICT (Name) DO UPDATE SET Value = excluded.Value"));
    for (auto value = values.cbegin(); value != values.cend(); ++value) {
        query.addBindValue(value.key());
        query.addBindValue(value.value());
        if (!query.exec())
            return false;
    }
    return true;
}
