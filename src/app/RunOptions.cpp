#include "app/RunOptions.h"

#include "base/CommandLineOptions.h"
#include "base/DateConversion.h"
#include "base/NumericText.h"
#include "base/ScheduleDateTools.h"

using namespace Qt::Literals::StringLiterals;

namespace {

QString valueOf(const QString& commandLine, const QString& option) {
    return CommandLineOptions::GetCommandLineOption(commandLine, option, u"="_s, u" "_s);
}

} // namespace

const QStringList& RunOptions::Names() {
    static const QStringList names = {
        u"SCHEDULE"_s, u"IMPORT"_s,      u"START"_s,       u"END"_s,      u"DRYRUN"_s,  u"REPORT"_s,
        u"SILENT"_s,   u"QUIT"_s,        u"PROFILE"_s,     u"DATABASE"_s, u"PLAYERS"_s, u"USERGUID"_s,
        u"DEBUG"_s,    u"NOPREVCHECK"_s, u"STANDARDASK"_s, u"STANDARD"_s, u"CHECK"_s};
    return names;
}

RunOptions RunOptions::FromArguments(const QStringList& arguments) {
    return Read(CommandLineOptions::FromArguments(arguments));
}

RunOptions RunOptions::Read(const QString& commandLine) {
    RunOptions options;
    const auto has = [&commandLine](const QString& name) {
        return CommandLineOptions::HasOption(commandLine, name);
    };
    options.Schedule = has(u"SCHEDULE"_s) || has(u"IMPORT"_s);
    options.Silent = has(u"SILENT"_s);
    options.Quit = has(u"QUIT"_s);
    options.DryRun = has(u"DRYRUN"_s);
    options.NoPreviousCheck = has(u"NOPREVCHECK"_s);
    options.Look = has(u"STANDARDASK"_s) ? AskOperator : has(u"STANDARD"_s) ? Standard : Enterprise;
    options.Report = valueOf(commandLine, u"/REPORT"_s);
    options.Profile = valueOf(commandLine, u"/Profile"_s);
    options.Database = valueOf(commandLine, u"/DATABASE"_s);
    options.UserGuid = valueOf(commandLine, u"/UserGuid"_s);
    options.Players = int(std::max<qint64>(0, NumericText::WholeValue(valueOf(commandLine, u"/PLAYERS"_s))));
    if (has(u"DEBUG"_s))
        options.Debug = valueOf(commandLine, u"/DEBUG"_s).toUpper();
    if (has(u"CHECK"_s))
        options.readCheckHours(commandLine);
    options.readDate(commandLine, u"/START"_s, options.Start);
    options.readDate(commandLine, u"/END"_s, options.End);
    for (const QString& unknown : CommandLineOptions::UnknownOptions(commandLine, Names()))
        options.Warnings.append(unknown + u" is not an option of this program, so it was ignored"_s);
    return options;
}

void RunOptions::readDate(const QString& commandLine, const QString& option,
                          std::optional<ScheduleDate>& date) {
    const QString value = valueOf(commandLine, option);
    if (value.isEmpty())
        return;
    const auto read = DateConversion::Read(value);
    if (!read) {
        Warnings.append(option + u"="_s + value + u" is not a date and time, so the offered "_s +
                        (option == u"/START" ? u"start"_s : u"end"_s) + u" was used"_s);
        return;
    }
    const ScheduleDate when = ScheduleDateTools::FromDate(*read);
    date = when.Day > 0 ? when : ScheduleDate{1, 0};
}

void RunOptions::readCheckHours(const QString& commandLine) {
    const QString value = valueOf(commandLine, u"/CHECK"_s);
    bool number = false;
    const int hours = value.toInt(&number);
    if (value.isEmpty()) {
        CheckHours = DefaultCheckHours;
    } else if (number && hours >= 1 && hours <= MostCheckHours) {
        CheckHours = hours;
    } else {
        CheckHours = -1;
        CheckRefused =
            u"/CHECK=%1 is refused: the hours to check are a whole number from 1 to %2, or none for "
            u"the next %3"_s.arg(value)
                .arg(MostCheckHours)
                .arg(DefaultCheckHours);
    }
}
