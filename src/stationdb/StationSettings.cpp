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
    const char* meaning; // what it holds, with its unit
};

const Definition definitions[] = {
    {"MusicLogsDirectory", Kind::Text, "", "the folder the music logs are read from"},
    {"MusicFileNameFormat", Kind::FileNameFormat, "yymmdd",
     "the date in a music log's name: yymmdd, yyddmm, ddmmyy, mmddyy"},
    {"MusicFileNamePrefix", Kind::FileNamePart, "", "the text before the date in a music log's name"},
    {"MusicFileExtension", Kind::FileNamePart, ".txt", "the end of a music log's name"},
    {"AdvertLogsDirectory", Kind::Text, "", "the folder the advert logs are read from"},
    {"AdvertFileNameFormat", Kind::FileNameFormat, "yymmdd",
     "the date in an advert log's name, as for music"},
    {"AdvertFileNamePrefix", Kind::FileNamePart, "", "the text before the date in an advert log's name"},
    {"AdvertFileExtension", Kind::FileNamePart, ".txt", "the end of an advert log's name"},
    {"OffsetAudioItems", Kind::Number, "0", "added to the cart of every music log song, jingle and sweeper"},
    {"OffsetLinkItems", Kind::Number, "0", "added to the cart of every music log link"},
    {"CartOffset", Kind::Number, "0", "added to every music log cart, on top of the two offsets above"},
    {"AdvertCartOffset", Kind::Number, "0", "added to every advert log cart"},
    {"AdvertTypeFilter", Kind::Text, "", "push only advert lines of this type (blank: every type)"},
    {"AdvertTimeWindow", Kind::WithinHour, "0",
     "seconds from a break's time an advert line may be and still go in (0 to 3600)"},
    {"AdvertLogFormat", Kind::FileNamePart, "",
     "the name of the station's advert log layout description (blank: the known layouts)"},
    {"MusicLogFormat", Kind::FileNamePart, "",
     "the name of the station's music table description (blank: the native music log)"},
    {"AutoPurgeDays", Kind::NotNegative, "0", "days of the Scheduled Log kept before today (0: all)"},
    {"UnderrunThreshold", Kind::NotNegative, "0",
     "seconds; a shorter hour is warned of and is short (0: half an hour for readiness)"},
    {"BreakLengthTolerance", Kind::NotNegative, "30",
     "seconds a break's adverts may run longer or shorter than it (0: no check)"},
    {"UseLogImporterCartRanges", Kind::Switch, "0", "1: the cart ranges below decide an item's type"},
    {"SongsStart", Kind::CartNumber, "", "the first song cart"},
    {"SongsEnd", Kind::CartNumber, "", "the last song cart"},
    {"JinglesStart", Kind::CartNumber, "", "the first jingle cart"},
    {"JinglesEnd", Kind::CartNumber, "", "the last jingle cart"},
    {"SweepersStart", Kind::CartNumber, "", "the first sweeper cart"},
    {"SweepersEnd", Kind::CartNumber, "", "the last sweeper cart"},
    {"AdvertsStart", Kind::CartNumber, "", "the first advert cart"},
    {"AdvertsEnd", Kind::CartNumber, "", "the last advert cart"},
    {"ScriptsRangeStart", Kind::CartNumber, "", "the first script cart"},
    {"ScriptsRangeEnd", Kind::CartNumber, "", "the last script cart"},
    {"CartGroupsStart", Kind::CartNumber, "", "the first cart group"},
    {"CartGroupsEnd", Kind::CartNumber, "", "the last cart group"},
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

QString StationSettings::Meaning(const QString& name) {
    const Definition* definition = find(name);
    return definition ? QLatin1String(definition->meaning) : QString();
}

QString StationSettings::RangeProblem() const {
    // Each range's start comes right before its end in the list of settings.
    for (const Definition& start : definitions) {
        const QString name = QLatin1String(start.name);
        if (start.kind != Kind::CartNumber || !name.endsWith(u"Start"))
            continue;
        const QString end = name.chopped(5) + QStringLiteral("End");
        const QString first = Value(name), last = Value(end);
        if (!first.isEmpty() && !last.isEmpty() && first.toLongLong() > last.toLongLong())
            return QStringLiteral("%1 (%2) comes after %3 (%4): a range cannot end before it starts")
                .arg(name, first, end, last);
    }
    return {};
}

QString StationSettings::StoredProblem(const QStringList& names) const {
    for (const QString& name : names) {
        const QString problem = Problem(name, Value(name));
        if (!problem.isEmpty())
            return QStringLiteral("the Station Database holds %1='%2', which cannot be used: %3")
                .arg(name, Value(name), problem);
    }
    return {};
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

qint32 StationSettings::numberValue(const QString& name) const {
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
