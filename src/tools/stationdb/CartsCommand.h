#pragma once

#include "tools/stationdb/Command.h"

// carts: picks carts import or carts list, which reads the arguments after its name.
class CartsCommand : public Command {
public:
    explicit CartsCommand(Console& console);

protected:
    void configure(QCommandLineParser& parser) const override;
    bool accepts(const QCommandLineParser& parser) const override;
    int run(const QCommandLineParser& parser) override;
};
