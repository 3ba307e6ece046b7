#include "base/DebugLog.h"

#include "base/Alert.h"
#include "base/Clock.h"
#include "base/FileTools.h"
#include "base/GeneralTools.h"
#include "base/OstrelHome.h"
#include "base/RegistryTools.h"
#include "base/SystemTools.h"

#include <QFile>

#ifdef Q_OS_WIN
#include <psapi.h>
#include <windows.h>
#endif

namespace {

struct State {
    int indentation = 0;
    bool registryConsulted = false;
};

State& state() {
    static State s;
    return s;
}

const QString debugKey = QStringLiteral("SOFTWARE\\Kestrane");

bool endsWithSeparator(const QString& folder) {
    return folder.endsWith(u'/') || folder.endsWith(u'\\');
}

// The folder of the debug files, with a trailing separator.
QString debugFolder() {
    if (GeneralTools::DebugPath().isEmpty() && !state().registryConsulted) {
        state().registryConsulted = true;
        QString path =
            RegistryTools::GetString(RegistryTools::LocalMachine, debugKey, QStringLiteral("DebugPath"), {});
        if (!path.isEmpty()) {
            if (!endsWithSeparator(path))
                path += u'/';
            GeneralTools::SetDebugPath(path);
        }
    }
    const QString folder = GeneralTools::DebugPath();
    return folder.isEmpty() ? OstrelHome::SystemDriveFolder() + QStringLiteral("/DebugFiles/") : folder;
}

QString fileIn(const QString& folder) {
    return folder + GeneralTools::App().ExeName + u'.' + Clock::Today().toString(QStringLiteral("yyyyMMdd")) +
           QStringLiteral(".log");
}

QString memoryColumns() {
    if (SystemTools::WindowsVersion().PlatformId != 2)
        return {};
    qint64 workingSet = 0;
    qint64 pagefile = 0;
    DebugLog::GetProcessMemory(workingSet, pagefile);
    return u' ' + GeneralTools::PadLeft(QString::number(workingSet), 10) + u' ' +
           GeneralTools::PadLeft(QString::number(pagefile), 10);
}

} // namespace

bool DebugLog::Writes(int level) {
    const int debugLevel = GeneralTools::DebugLevel();
    return debugLevel != 0 && (debugLevel == -1 || (level == -1 ? dbmNormal : level) <= debugLevel);
}

void DebugLog::WriteDebug(const QString& text, int level, int indent) {
    if (!Writes(level))
        return;
    const int debugLevel = GeneralTools::DebugLevel();

    int& indentation = state().indentation;
    if (indent == OutdentBefore)
        indentation = std::max(0, indentation - 1);
    else if (indent == IndentReset)
        indentation = 0;

    const QString folder = debugFolder();
    if (!FileTools::CreateFolder(folder)) {
        Alert::Show(QStringLiteral("The Debug Files folder could not be created in '") + folder +
                    QStringLiteral("'!"));
        return;
    }

    QString line = Clock::Now().toString(QStringLiteral("HH:mm:ss"));
    if (debugLevel >= 10)
        line += memoryColumns();
    line += QString(4 * indentation, u' ') + u' ' + text;
    GeneralTools::AppendLineToFile(fileIn(folder), line);

    if (indent == IndentAfter)
        ++indentation;
}

void DebugLog::InitialiseDebugLevel(const std::optional<QString>& option) {
    if (GeneralTools::DebugLevel() != 0)
        return;
    if (!option) {
        GeneralTools::SetDebugLevel(
            RegistryTools::GetNumber(RegistryTools::LocalMachine, debugKey, QStringLiteral("DebugMode"), 0));
        return;
    }
    const QString value = option->toUpper();
    int level = 10;
    if (value == u"NORMAL" || value == u"MEDIUM")
        level = 5;
    else if (value == u"NONE" || value == u"OFF")
        level = 0;
    GeneralTools::SetDebugLevel(level);
}

bool DebugLog::GetProcessMemory(qint64& workingSet, qint64& pagefileUsage) {
#ifdef Q_OS_WIN
    PROCESS_MEMORY_COUNTERS counters{};
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters)))
        return false;
    workingSet = qint64(counters.WorkingSetSize);
    pagefileUsage = qint64(counters.PagefileUsage);
    return true;
#else
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    workingSet = 0;
    pagefileUsage = 0;
    // Lines such as "VmRSS:     1234 kB".
    const QList<QByteArray> lines = status.readAll().split('\n');
    for (const QByteArray& line : lines) {
        const qint64 kilobytes = line.mid(line.indexOf(':') + 1).trimmed().split(' ').value(0).toLongLong();
        if (line.startsWith("VmRSS:"))
            workingSet = kilobytes * 1024;
        else if (line.startsWith("VmSwap:"))
            pagefileUsage = kilobytes * 1024;
    }
    return true;
#endif
}

QString DebugLog::FileName() {
    return GeneralTools::DebugLevel() == 0 ? QString() : fileIn(debugFolder());
}

int DebugLog::Indentation() {
    return state().indentation;
}

void DebugLog::Reset() {
    state() = State{};
}
