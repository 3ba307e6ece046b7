#include "tools/stationdb/SettingsCommand.h"

#include "stationdb/StationDatabase.h"
#include "tools/stationdb/Console.h"

#include <QCommandLineParser>
#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

SettingsCommand::SettingsCommand(Console& console)
    : Command(console,
              u"usage: stationdb settings DB [NAME | NAME=VALUE ...]\n"
              u"Without NAME lists every setting; with NAME shows one; NAME=VALUE sets them, all or none "
              u"(a cart range that would end before it starts is refused; a log folder that is not there is "
              u"set with a warning). The settings:\n"_s +
                  settingsHelp(),
              u"settings takes DB and then NAME or NAME=VALUE arguments"_s) {}

QString SettingsCommand::settingsHelp() {
    QString text;
    for (const QString& name : StationSettings::Names())
        text += u"  %1  %2\n"_s.arg(name, -25).arg(StationSettings::Meaning(name));
    return text.chopped(1);
}

bool SettingsCommand::accepts(const QCommandLineParser& parser) const {
    return !parser.positionalArguments().isEmpty();
}

int SettingsCommand::run(const QCommandLineParser& parser) {
    QStringList arguments = parser.positionalArguments();
    StationDatabase db;
    if (!open(db, arguments.takeFirst()))
        return Console::Failure;
    if (arguments.isEmpty()) {
        list(db.Settings());
        return Console::Success;
    }
    if (arguments.size() == 1 && !arguments.first().contains(u'='))
        return show(db.Settings(), arguments.first());
    return set(db, arguments);
}

void SettingsCommand::list(const StationSettings& settings) {
    for (const QString& name : StationSettings::Names())
        console.Out() << name << u'=' << settings.Value(name) << Qt::endl;
}

int SettingsCommand::show(const StationSettings& settings, const QString& name) {
    if (!StationSettings::IsName(name))
        return console.Fail(u"unknown setting '%1'"_s.arg(name));
    console.Out() << settings.Value(name) << Qt::endl;
    return Console::Success;
}

int SettingsCommand::set(StationDatabase& db, const QStringList& assignments) {
    StationSettings& settings = db.Settings();
    for (const QString& assignment : assignments) {
        const qsizetype equals = assignment.indexOf(u'=');
        const QString name = assignment.left(equals);
        const QString value = equals < 0 ? QString() : assignment.mid(equals + 1);
        const QString problem =
            equals < 0 ? u"'%1' is not NAME=VALUE"_s.arg(assignment) : StationSettings::Problem(name, value);
        if (!problem.isEmpty())
            return console.Fail(problem);
        settings.SetValue(name, value);
    }
    if (const QString problem = settings.RangeProblem(); !problem.isEmpty())
        return console.Fail(problem);
    warnOfMissingFolders(settings);
    return db.SaveSettings(settings)
               ? Console::Success
               : console.Fail(u"the settings could not be stored: "_s + db.LastWrite().Problem);
}

void SettingsCommand::warnOfMissingFolders(const StationSettings& settings) {
    for (const QString& folder : {u"MusicLogsDirectory"_s, u"AdvertLogsDirectory"_s}) {
        const QString path = settings.Value(folder);
        if (!path.isEmpty() && !QFileInfo(path).isDir())
            console.Warn(
                u"%1 names '%2', which is not a folder here (yet): an import needs it"_s.arg(folder, path));
    }
}
