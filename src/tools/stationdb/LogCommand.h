#pragma once

#include "base/ScheduleDate.h"
#include "tools/stationdb/ListCommand.h"

// log: the Scheduled Log in play order, all of it or the hours from one time to another.
class LogCommand : public ListCommand {
public:
    explicit LogCommand(Console& console);

protected:
    void configure(QCommandLineParser& parser) const override;
    int run(const QCommandLineParser& parser) override;
    QJsonArray rows(StationDatabase& db) const override;

private:
    // The hours of these two times and those between them are listed.
    ScheduleDate start;
    ScheduleDate end;
};
