#include "tools/stationdb/LogCommand.h"

#include "base/ScheduleDateTools.h"
#include "stationdb/StationDatabase.h"
#include "tools/stationdb/Console.h"

#include <QCommandLineParser>
#include <QJsonObject>

using namespace Qt::Literals::StringLiterals;

namespace {

QJsonObject itemObject(const LogItem& item) {
    QJsonObject object{{u"Position"_s, item.Position},
                       {u"Date"_s, item.Date},
                       {u"Time"_s, double(item.Time)},
                       {u"Type"_s, item.Type},
                       {u"CartNumber"_s, item.CartNumber},
                       {u"Title"_s, item.Title},
                       {u"Description"_s, item.Description},
                       {u"Note"_s, item.Note},
                       {u"Text1"_s, item.Text1},
                       {u"Text2"_s, item.Text2},
                       {u"EndStyle"_s, item.EndStyle},
                       {u"Transition"_s, item.Transition},
                       {u"PlayTransition"_s, item.PlayTransition},
                       {u"Flags"_s, item.Flags},
                       {u"State"_s, item.State},
                       {u"InputNumber"_s, item.InputNumber},
                       {u"InputFlag"_s, item.InputFlag},
                       {u"Duration"_s, double(item.Duration)},
                       {u"Length2"_s, double(item.Length2)},
                       {u"HourStart"_s, double(item.HourStart)},
                       {u"HourLength"_s, double(item.HourLength)},
                       {u"Reference"_s, item.Reference}};
    for (int n = 1; n <= 4; ++n) {
        object.insert(u"Parameter%1"_s.arg(n), double(item.Parameter(n)));
        object.insert(u"TextParameter%1"_s.arg(n), item.TextParameter(n));
    }
    // A readable point in time beside the raw values.
    object.insert(u"Start"_s, ScheduleDateTools::FormatScheduleDate({item.Date, item.Time}, 4));
    return object;
}

// The time the option gives (a day of 0 or less when it is not a date), or `otherwise`
// when the option is not given.
ScheduleDate timeOf(const QCommandLineParser& parser, const QString& option, ScheduleDate otherwise) {
    return parser.isSet(option) ? ScheduleDateTools::ParseDate(parser.value(option)) : otherwise;
}

} // namespace

LogCommand::LogCommand(Console& console)
    : ListCommand(
          console,
          u"usage: stationdb log DB [--from WHEN] [--to WHEN] [--json]\n"
          u"The Scheduled Log in play order, from the hour of WHEN to the hour of WHEN."_s,
          u"log takes DB and optional --from WHEN, --to WHEN and --json"_s,
          {u"Start"_s, u"Type"_s, u"State"_s, u"CartNumber"_s, u"Duration"_s, u"Flags"_s, u"Title"_s}) {}

void LogCommand::configure(QCommandLineParser& parser) const {
    ListCommand::configure(parser);
    parser.addOptions({{u"from"_s, QString(), u"WHEN"_s}, {u"to"_s, QString(), u"WHEN"_s}});
}

int LogCommand::run(const QCommandLineParser& parser) {
    start = timeOf(parser, u"from"_s, {1, 0});
    end = timeOf(parser, u"to"_s, {2958465, 0});
    if (start.Day <= 0 || end.Day <= 0)
        return console.Fail(u"'%1' is not a date"_s.arg(parser.value(start.Day <= 0 ? u"from"_s : u"to"_s)),
                            Console::Misuse);
    return ListCommand::run(parser);
}

QJsonArray LogCommand::rows(StationDatabase& db) const {
    QJsonArray rows;
    for (const LogItem& item :
         db.Log().ItemsBetween(ScheduledLog::LocateHour(start), ScheduledLog::LocateHour(end)))
        rows.append(itemObject(item));
    return rows;
}
