#pragma once

#include <QMap>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// The station's settings, kept in its Station Database: where the log files are and
// how they are named, the cart offsets and ranges, purging and underrun limits.
// Values are held as texts by name; the typed accessors read them.
class StationSettings {
public:
    StationSettings();

    // Every setting name, in a stable order.
    static QStringList Names();
    static bool IsName(const QString& name);
    // What a setting holds, with its unit, in a few words.
    static QString Meaning(const QString& name);
    // A cart range whose end comes before its start, named; "" when there is none.
    QString RangeProblem() const;
    // Why a value is not acceptable for a setting; "" when it is.
    static QString Problem(const QString& name, const QString& value);
    // The first of the named settings whose stored value is not acceptable (another
    // program may have written it), with the value and what it must be; "" when all are.
    QString StoredProblem(const QStringList& names) const;

    QString Value(const QString& name) const { return values.value(name); }
    // Sets a value that passes Problem(); False (nothing set) otherwise.
    bool SetValue(const QString& name, const QString& value);

    bool operator==(const StationSettings& other) const { return values == other.values; }

    bool Load(const QSqlDatabase& connection);
    // Stores every value, inside the caller's transaction (StationDatabase::SaveSettings).
    bool Save(const QSqlDatabase& connection) const;

    QString MusicLogsDirectory() const { return Value(QStringLiteral("MusicLogsDirectory")); }
    QString MusicFileNameFormat() const { return Value(QStringLiteral("MusicFileNameFormat")); }
    QString MusicFileNamePrefix() const { return Value(QStringLiteral("MusicFileNamePrefix")); }
    QString MusicFileExtension() const { return Value(QStringLiteral("MusicFileExtension")); }
    QString AdvertLogsDirectory() const { return Value(QStringLiteral("AdvertLogsDirectory")); }
    QString AdvertFileNameFormat() const { return Value(QStringLiteral("AdvertFileNameFormat")); }
    QString AdvertFileNamePrefix() const { return Value(QStringLiteral("AdvertFileNamePrefix")); }
    QString AdvertFileExtension() const { return Value(QStringLiteral("AdvertFileExtension")); }
    qint32 OffsetAudioItems() const { return numberValue(QStringLiteral("OffsetAudioItems")); }
    qint32 OffsetLinkItems() const { return numberValue(QStringLiteral("OffsetLinkItems")); }
    qint32 CartOffset() const { return numberValue(QStringLiteral("CartOffset")); }
    qint32 AdvertCartOffset() const { return numberValue(QStringLiteral("AdvertCartOffset")); }
    QString AdvertTypeFilter() const { return Value(QStringLiteral("AdvertTypeFilter")); }
    // How far from a break's time, in seconds, an advert line may be and still go
    // into it; 0: only at its very time.
    qint32 AdvertTimeWindow() const { return numberValue(QStringLiteral("AdvertTimeWindow")); }
    // The name of the station's own advert log layout description; "" for the
    // layouts the push knows by their marks.
    QString AdvertLogFormat() const { return Value(QStringLiteral("AdvertLogFormat")); }
    // The name of the station's table-shaped music log description; "" for the
    // native music format.
    QString MusicLogFormat() const { return Value(QStringLiteral("MusicLogFormat")); }
    qint32 AutoPurgeDays() const { return numberValue(QStringLiteral("AutoPurgeDays")); }
    qint32 UnderrunThreshold() const { return numberValue(QStringLiteral("UnderrunThreshold")); }
    // How far a break's adverts may run from its length before readiness names it
    // overfilled or underfilled, in seconds; 0 turns the check off.
    qint32 BreakLengthTolerance() const { return numberValue(QStringLiteral("BreakLengthTolerance")); }
    bool UseLogImporterCartRanges() const {
        return numberValue(QStringLiteral("UseLogImporterCartRanges")) != 0;
    }
    QString SongsStart() const { return Value(QStringLiteral("SongsStart")); }
    QString SongsEnd() const { return Value(QStringLiteral("SongsEnd")); }
    QString JinglesStart() const { return Value(QStringLiteral("JinglesStart")); }
    QString JinglesEnd() const { return Value(QStringLiteral("JinglesEnd")); }
    QString SweepersStart() const { return Value(QStringLiteral("SweepersStart")); }
    QString SweepersEnd() const { return Value(QStringLiteral("SweepersEnd")); }
    QString AdvertsStart() const { return Value(QStringLiteral("AdvertsStart")); }
    QString AdvertsEnd() const { return Value(QStringLiteral("AdvertsEnd")); }
    QString ScriptsRangeStart() const { return Value(QStringLiteral("ScriptsRangeStart")); }
    QString ScriptsRangeEnd() const { return Value(QStringLiteral("ScriptsRangeEnd")); }
    QString CartGroupsStart() const { return Value(QStringLiteral("CartGroupsStart")); }
    QString CartGroupsEnd() const { return Value(QStringLiteral("CartGroupsEnd")); }

private:
    qint32 numberValue(const QString& name) const;

    QMap<QString, QString> values;
};
