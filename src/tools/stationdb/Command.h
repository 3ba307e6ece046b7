#pragma once

#include <QString>
#include <QStringList>

class Console;
class QCommandLineParser;
class StationDatabase;

// One subcommand of the station admin command. It reads the arguments that follow its
// name, gives its usage for --help (or -h) whatever else is given, refuses arguments it
// does not take with one line and exit status 2, and otherwise does its work.
class Command {
public:
    Command(Console& console, QString usage, QString misuse);
    virtual ~Command() = default;

    // The exit status.
    int Run(const QStringList& arguments);

protected:
    // Adds the command's options to the parser, or sets how it reads them.
    virtual void configure(QCommandLineParser& parser) const;
    // Whether the arguments, as parsed, are ones the command takes.
    virtual bool accepts(const QCommandLineParser& parser) const = 0;
    virtual int run(const QCommandLineParser& parser) = 0;

    int showUsage();
    // Opens the Station Database at the location; says why not when it cannot.
    bool open(StationDatabase& db, const QString& location);

    Console& console;

private:
    QString usage;
    QString misuse;
};
