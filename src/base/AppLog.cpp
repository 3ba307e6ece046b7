#include "base/AppLog.h"

#include "base/Alert.h"
#include "base/Clock.h"
#include "base/DebugLog.h"
#include "base/FileTools.h"
#include "base/GeneralTools.h"
#include "base/SystemTools.h"

namespace {

struct State {
    QString folder;
    int options = 0;
    QDate logDate;
    int counter = 0;
    QString fileName;
};

State& state() {
    static State s;
    return s;
}

void buildFileName() {
    State& log = state();
    const QDate today = Clock::Today();
    if (((log.options & AppLog::FollowDate) || !log.logDate.isValid()) && log.logDate != today) {
        log.counter = 0;
        log.logDate = today;
    }
    do {
        ++log.counter;
        QString name = log.folder + u'/' + log.logDate.toString(QStringLiteral("yyyy-MM-dd"));
        if (log.options & AppLog::ComputerName)
            name += u'-' + SystemTools::ComputerName();
        if (log.options & AppLog::Numbered)
            name += QStringLiteral("-%1").arg(log.counter, 3, 10, QLatin1Char('0'));
        log.fileName = name + QStringLiteral(".log");
    } while ((log.options & AppLog::Numbered) && FileTools::FileExists(log.fileName));
}

} // namespace

bool AppLog::OpenAppLog(const QString& folder, int options) {
    if (folder.isEmpty())
        return false;
    State& log = state();
    log.folder = folder;
    FileTools::CreateFolder(folder);
    log.options = options;
    log.logDate = Clock::Today();
    buildFileName();
    return true;
}

void AppLog::WriteAppLog(const QString& category, const QString& text) {
    State& log = state();
    if (log.fileName.isEmpty()) {
        Alert::Show(
            QStringLiteral("Internal problem writing to Application Log File, please contact Kestrane"));
        return;
    }
    const QString line = category.isEmpty() ? text : category + u':' + text;
    if ((log.options & FollowDate) && log.logDate != Clock::Today())
        buildFileName();
    WriteDebug(QStringLiteral("AppLog: ") + line);
    GeneralTools::AppendLineToFile(log.fileName, line);
}

QString AppLog::FileName() {
    return state().fileName;
}

void AppLog::Reset() {
    state() = State{};
}
