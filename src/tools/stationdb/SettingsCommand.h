#pragma once

#include "tools/stationdb/Command.h"

class StationSettings;

// settings: lists the station settings, shows one, or sets several, all or none.
class SettingsCommand : public Command {
public:
    explicit SettingsCommand(Console& console);

protected:
    bool accepts(const QCommandLineParser& parser) const override;
    int run(const QCommandLineParser& parser) override;

private:
    // Each setting's name and meaning, a line each.
    static QString settingsHelp();
    void list(const StationSettings& settings);
    int show(const StationSettings& settings, const QString& name);
    // Sets each NAME=VALUE and stores them; nothing when one is refused.
    int set(StationDatabase& db, const QStringList& assignments);
    // A log folder that is not there is kept, but said: an import needs it.
    void warnOfMissingFolders(const StationSettings& settings);
};
