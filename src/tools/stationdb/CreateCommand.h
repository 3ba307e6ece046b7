#pragma once

#include "tools/stationdb/Command.h"

// create: makes a new, empty Station Database, in a file or a server's schema.
class CreateCommand : public Command {
public:
    explicit CreateCommand(Console& console);

protected:
    void configure(QCommandLineParser& parser) const override;
    bool accepts(const QCommandLineParser& parser) const override;
    int run(const QCommandLineParser& parser) override;
};
