#pragma once

#include <QJsonArray>
#include <QStringList>
#include <QTextStream>
#include <functional>
#include <optional>

class DatabaseLocation;
class StationDatabase;

// The station admin command: sets up and inspects a Station Database without the
// playout system. Each subcommand prints its result to standard output and returns
// the process's exit status; an error is one line on standard error.
class StationAdmin {
public:
    StationAdmin(QTextStream& out, QTextStream& err) : out(out), err(err) {}

    int Run(const QStringList& arguments);

private:
    int create(QStringList arguments);
    int settings(QStringList arguments);
    // Each setting's name and meaning, a line each.
    static QString settingsHelp();
    int carts(QStringList arguments);
    int importCarts(QStringList arguments);
    int listCarts(QStringList arguments);
    int log(QStringList arguments);
    int adinfo(QStringList arguments);
    int values(QStringList arguments);
    int profile(QStringList arguments);
    int format(QStringList arguments);
    // Prints each line of a sample as the reader reads it, and each it cannot read;
    // the exit status: 0 when every line reads, 5 otherwise.
    template <class Reader>
    int sample(Reader& reader, const QString& (Reader::*problemOf)() const, bool adverts);
    // An advert line's fields in words, as the push reads them.
    static QString advertText(const QString& line);
    // Says how to make a profile's database when none of that name is found.
    void warnOfMissingDatabase(const QString& profile, const QString& database);
    static bool listServer(const QString& profile, const QString& name, const DatabaseLocation& server);
    // The absolute path DATABASE gives, when it is the path of a file rather than a name.
    static std::optional<QString> filePath(const QString& database);
    // Whether the file lies in one of the profile's two database folders.
    static bool inDatabaseFolder(const QString& profile, const QString& file);
    void warnOfUnusableServer(const DatabaseLocation& server);

    // A command that lists rows of the database, as a table or as JSON.
    int listing(QStringList arguments, const QString& command, const QString& help,
                const std::function<QJsonArray(StationDatabase&)>& rowsOf, const QStringList& columns);
    int usage(const QString& text);
    int fail(const QString& message);
    bool open(StationDatabase& db, const QString& path);
    void print(const QJsonArray& rows, bool json, const QStringList& columns);
    // Prints the rows the reading gives; 1 when a read failed (told on standard error).
    int printRows(StationDatabase& db, const std::function<QJsonArray(StationDatabase&)>& rowsOf, bool json,
                  const QStringList& columns);

    QTextStream& out;
    QTextStream& err;
};
