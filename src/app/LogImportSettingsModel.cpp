#include "app/LogImportSettingsModel.h"

#include "app/ImportKind.h"

#include "base/GeneralTools.h"
#include "base/NumericText.h"
#include "base/RegistryTools.h"
#include "importers/FormatDescription.h"
#include "importers/MusicLogReader.h"
#include "importers/advert/AdvertLogReader.h"
#include "stationdb/StationDatabase.h"

using namespace Qt::Literals::StringLiterals;

namespace {

struct Range {
    const char* label;
    const char* start;
    const char* end;
};

// In the order their ends are checked.
const Range ranges[] = {
    {"Jingles", "JinglesStart", "JinglesEnd"}, {"Sweepers", "SweepersStart", "SweepersEnd"},
    {"Songs", "SongsStart", "SongsEnd"},       {"Cart Groups", "CartGroupsStart", "CartGroupsEnd"},
    {"Adverts", "AdvertsStart", "AdvertsEnd"}, {"Scripts", "ScriptsRangeStart", "ScriptsRangeEnd"}};

// The order in which the ranges are stored.
const char* const storeOrder[] = {"JinglesStart",      "JinglesEnd",      "SweepersStart",   "SweepersEnd",
                                  "AdvertsStart",      "AdvertsEnd",      "CartGroupsStart", "CartGroupsEnd",
                                  "ScriptsRangeStart", "ScriptsRangeEnd", "SongsStart",      "SongsEnd"};

} // namespace

const QStringList& LogImportSettingsModel::RangeNames() {
    static const QStringList names = [] {
        QStringList all;
        for (const Range& range : ranges)
            all << QLatin1String(range.start) << QLatin1String(range.end);
        return all;
    }();
    return names;
}

QString LogImportSettingsModel::ShownOffset(qint64 value) {
    return value < 0 ? QString::number(value) : u"+"_s + QString::number(value);
}

QString LogImportSettingsModel::OffsetOnLeaving(const QString& text) {
    const qint64 value = NumericText::WholeValue(text);
    return NumericText::Value(text) == 0 ? u"0"_s : ShownOffset(value);
}

void LogImportSettingsModel::Load(StationDatabase& db) {
    database = &db;
    const int role = MachineRole();
    Role = role == ImportKind::Adverts || role == ImportKind::MusicAndAdverts ? role : ImportKind::Music;
    WarnAtStartup =
        RegistryTools::GetNumber(RegistryTools::LocalMachine, RegistryKey(), u"WarnAtStartup"_s, 1) != 0;
    const StationSettings& settings = db.Settings();
    OffsetAudioItems = ShownOffset(settings.OffsetAudioItems());
    OffsetLinkItems = ShownOffset(settings.OffsetLinkItems());
    OffsetAudioItemsOn = settings.OffsetAudioItems() != 0;
    OffsetLinkItemsOn = settings.OffsetLinkItems() != 0;
    for (const QString& name : RangeNames())
        Ranges[name] = settings.Value(name);
    AdvertTimeWindow = settings.Value(u"AdvertTimeWindow"_s);
    AdvertLogFormat = settings.AdvertLogFormat();
    MusicLogFormat = settings.MusicLogFormat();
    LogFormats = FormatDescription::Names();
}

QString LogImportSettingsModel::Problem() const {
    for (const Range& range : ranges) {
        if (NumericText::Value(Ranges.value(QLatin1String(range.start))) >
            NumericText::Value(Ranges.value(QLatin1String(range.end))))
            return u"You cannot have the End of the "_s + QLatin1String(range.label) +
                   u" Range before the start"_s;
    }
    for (const QString& name : RangeNames()) {
        if (NumericText::Value(Ranges.value(name)) <= 0)
            return u"You must specify a valid cart number for all of the ranges"_s;
    }
    if (!StationSettings::Problem(u"AdvertTimeWindow"_s, AdvertTimeWindow.trimmed()).isEmpty())
        return u"The advert time window must be a whole number of seconds from 0 to 3600"_s;
    std::optional<AdvertFormat> format;
    if (QString why; !AdvertLogReader::StationFormat(AdvertLogFormat, format, &why))
        return u"The advert log format cannot be used: "_s + why;
    std::optional<MusicTableFormat> table;
    if (QString why; !MusicLogReader::StationFormat(MusicLogFormat, table, &why))
        return u"The music log format cannot be used: "_s + why;
    return {};
}

QString LogImportSettingsModel::Store() const {
    StationSettings settings = database->Settings();
    const qint64 audio = OffsetAudioItemsOn ? NumericText::WholeValue(OffsetAudioItems) : 0;
    const qint64 link = OffsetLinkItemsOn ? NumericText::WholeValue(OffsetLinkItems) : 0;
    bool valid = settings.SetValue(u"OffsetAudioItems"_s, QString::number(audio)) &&
                 settings.SetValue(u"OffsetLinkItems"_s, QString::number(link)) &&
                 settings.SetValue(u"AdvertTimeWindow"_s, AdvertTimeWindow.trimmed()) &&
                 settings.SetValue(u"AdvertLogFormat"_s, AdvertLogFormat) &&
                 settings.SetValue(u"MusicLogFormat"_s, MusicLogFormat);
    for (const char* name : storeOrder) {
        const QString setting = QLatin1String(name);
        valid = settings.SetValue(setting, QString::number(NumericText::WholeValue(Ranges.value(setting)))) &&
                valid;
    }
    if (!valid)
        return u"The Log Importer Settings hold a value the Station Database cannot keep, so nothing was "
               u"saved"_s;
    if (!database->SaveSettings(settings))
        return u"The Log Importer Settings could not be stored in the Station Database, so nothing was "
               u"saved: "_s +
               database->LastWrite().Problem;
    RegistryTools::SetNumber(RegistryTools::LocalMachine, RegistryKey(), u"Role"_s, Role);
    RegistryTools::SetNumber(RegistryTools::LocalMachine, RegistryKey(), u"WarnAtStartup"_s,
                             WarnAtStartup ? 1 : 0);
    const Application& app = GeneralTools::App();
    RegistryTools::SetString(RegistryTools::LocalMachine, RegistryKey(), u"LastVersion"_s,
                             u"%1.%2.%3"_s.arg(app.Major).arg(app.Minor).arg(app.Revision));
    return {};
}

int LogImportSettingsModel::MachineRole() {
    return RegistryTools::GetNumber(RegistryTools::LocalMachine, RegistryKey(), u"Role"_s, 1);
}
