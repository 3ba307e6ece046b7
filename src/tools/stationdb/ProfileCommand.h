#pragma once

#include "tools/stationdb/Command.h"

#include <optional>

class DatabaseLocation;

// profile: makes a profile when there is none, and sets it to open one Station Database
// at every start with user security off, as the playout system's settings dialog would.
class ProfileCommand : public Command {
public:
    explicit ProfileCommand(Console& console);

protected:
    void configure(QCommandLineParser& parser) const override;
    bool accepts(const QCommandLineParser& parser) const override;
    int run(const QCommandLineParser& parser) override;

private:
    // The absolute path DATABASE gives, when it is the path of a file rather than a name.
    static std::optional<QString> filePath(const QString& database);
    // Whether the file lies in one of the profile's two database folders.
    static bool inDatabaseFolder(const QString& profile, const QString& file);
    // Sets the profile to open the database by that name; whether that was written.
    static bool openAlways(const QString& profile, const QString& database);
    static bool listServer(const QString& profile, const QString& name, const DatabaseLocation& server);
    // Where the database the profile opens was found, in words.
    static QString placeOf(const DatabaseLocation& server, const std::optional<QString>& file);
    void warnOfUnusableServer(const DatabaseLocation& server);
    // Says how to make a profile's database when none of that name is found.
    void warnOfMissingDatabase(const QString& profile, const QString& database);
};
