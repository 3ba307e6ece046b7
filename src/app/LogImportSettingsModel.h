#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

class StationDatabase;

// The Log Importer's settings as its dialog edits them: the station's cart ranges,
// offsets and advert time window, and this machine's main use and start-up warning. The dialog copies
// its boxes to and from this; every rule lives here.
class LogImportSettingsModel {
public:
    static QString RegistryKey() {
        return QStringLiteral("Software\\Kestrane\\Ostrel v3\\Tools\\Log Importer");
    }
    // The range settings in the order their ends are checked: jingles, sweepers,
    // songs, cart groups, adverts, scripts.
    static const QStringList& RangeNames();
    // This machine's main use ("Role"), as stored: an ImportKind, music unless set.
    static int MachineRole();

    // Ranges, by station setting name ("SongsStart", ...), as the boxes show them.
    QMap<QString, QString> Ranges;
    QString OffsetAudioItems; // "+5", "-3", "+0"
    QString OffsetLinkItems;
    bool OffsetAudioItemsOn = false;
    bool OffsetLinkItemsOn = false;
    QString AdvertTimeWindow = QStringLiteral("0"); // seconds, as the box shows them
    QString AdvertLogFormat;                        // a description's name; "" for the layouts the push knows
    QString MusicLogFormat;                         // a table's description; "" for the native music format
    QStringList LogFormats;                         // the descriptions found, to choose from
    int Role = 1;                                   // an ImportKind: music, adverts, or both
    bool WarnAtStartup = true;

    // Takes the values of the database's station and of this machine; Store() writes
    // them back to the same database.
    void Load(StationDatabase& db);
    // The message that refuses the values, or "" when they may be stored.
    QString Problem() const;
    // Stores the station's values in its database and then this machine's in the
    // registry. "" when stored; otherwise the message that says nothing was stored
    // and why.
    QString Store() const;

    // An offset as the box shows it on opening: "+0;-0".
    static QString ShownOffset(qint64 value);
    // An offset box's text once the operator leaves it: "0" for no offset.
    static QString OffsetOnLeaving(const QString& text);

private:
    StationDatabase* database = nullptr;
};
