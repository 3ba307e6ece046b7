#pragma once

#include "tools/stationdb/Command.h"

// carts import: adds or replaces carts from a CSV file; a bad row stores nothing.
class CartImportCommand : public Command {
public:
    explicit CartImportCommand(Console& console);

protected:
    bool accepts(const QCommandLineParser& parser) const override;
    int run(const QCommandLineParser& parser) override;
};
