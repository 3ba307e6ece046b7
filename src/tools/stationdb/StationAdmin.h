#pragma once

#include "tools/stationdb/Console.h"

#include <QStringList>
#include <memory>

class Command;

// The station admin command: sets up and inspects a Station Database without the
// playout system. It picks the subcommand the first argument names, which reads the
// rest, prints its result to standard output and gives the process's exit status; an
// error is one line on standard error.
class StationAdmin {
public:
    StationAdmin(QTextStream& out, QTextStream& err) : console(out, err) {}

    int Run(const QStringList& arguments);

private:
    // The subcommand of that name; none when there is no such subcommand.
    std::unique_ptr<Command> command(const QString& name);

    Console console;
};
