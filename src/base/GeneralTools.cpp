#include "base/GeneralTools.h"

#include "base/FileTools.h"
#include "base/NumericText.h"
#include "base/OstrelHome.h"
#include "base/Windows1252.h"

#include <QFile>
#include <QLockFile>

#include <cctype>
#include <memory>

namespace {

struct State {
    Application app;
    int debugLevel = 0;
    QString debugPath;
    std::unique_ptr<QLockFile> instanceLock;
};

State& state() {
    static State s;
    return s;
}

} // namespace

const Application& GeneralTools::App() {
    return state().app;
}
void GeneralTools::SetApp(const Application& app) {
    state().app = app;
}
int GeneralTools::DebugLevel() {
    return state().debugLevel;
}
void GeneralTools::SetDebugLevel(int level) {
    state().debugLevel = level;
}
const QString& GeneralTools::DebugPath() {
    return state().debugPath;
}
void GeneralTools::SetDebugPath(const QString& path) {
    state().debugPath = path;
}

bool GeneralTools::PreviousInstanceRunning() {
    auto& lock = state().instanceLock;
    if (lock)
        return false;
    FileTools::CreateFolder(OstrelHome::TempFolder());
    auto candidate = std::make_unique<QLockFile>(InstanceLockFile());
    candidate->setStaleLockTime(0); // a lock is stale only when its process has gone
    if (!candidate->tryLock(0))
        return candidate->error() == QLockFile::LockFailedError;
    lock = std::move(candidate);
    return false;
}

QString GeneralTools::InstanceLockFile() {
    const QString name = App().ExeName.isEmpty() ? QStringLiteral("logimporter") : App().ExeName;
    return OstrelHome::TempFolder() + u'/' + name + QStringLiteral(".instance.lock");
}

void GeneralTools::ReleaseInstance() {
    state().instanceLock.reset();
}

bool GeneralTools::AppendLineToFile(const QString& path, const QString& text, bool append) {
    QFile file(path);
    const QIODevice::OpenMode mode =
        QIODevice::WriteOnly | (append ? QIODevice::Append : QIODevice::Truncate);
    if (!file.open(mode))
        return false;
    QByteArray line = Windows1252::Encode(text);
    line.append("\r\n", 2);
    return file.write(line) == line.size();
}

QString GeneralTools::PadLeft(const QString& text, int width, QChar fill) {
    return text.size() >= width ? text.left(width) : QString(width - text.size(), fill) + text;
}

QString GeneralTools::PadRight(const QString& text, int width, QChar fill) {
    return text.size() >= width ? text.left(width) : text + QString(width - text.size(), fill);
}

qint64 GeneralTools::Clamp(qint64 value, qint64 minimum, qint64 maximum) {
    return value < minimum ? minimum : (value > maximum ? maximum : value);
}

double GeneralTools::ClampDouble(double value, double minimum, double maximum) {
    return value < minimum ? minimum : (value > maximum ? maximum : value);
}

int GeneralTools::FilterKey(int key, int mode) {
    if (mode != 1 || key < 32)
        return key;
    return key >= '0' && key <= '9' ? key : 0;
}

double GeneralTools::TextToSeconds(const QString& text, int format) {
    const QString trimmed = text.trimmed();
    if (!trimmed.contains(u':')) {
        if (format != 3)
            return NumericText::Value(trimmed);
        const qint64 digits = NumericText::WholePart(NumericText::Value(trimmed));
        return double(digits / 100 * 60 + digits % 100);
    }
    double seconds = 0;
    double unit = 1;
    const QStringList fields = trimmed.split(u':');
    for (auto field = fields.crbegin(); field != fields.crend() && unit <= 3600; ++field, unit *= 60)
        seconds += NumericText::Value(*field) * unit;
    return seconds;
}

QString GeneralTools::UrlEncode(const QString& text) {
    static const char hex[] = "0123456789ABCDEF";
    QString encoded;
    encoded.reserve(text.size() * 3);
    const QByteArray bytes = Windows1252::Encode(text);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == ' ') {
            encoded.append(u'+');
        } else if ((byte < 128 && std::isalnum(byte)) || byte == '-' || byte == '_' || byte == '.' ||
                   byte == '*') {
            encoded.append(QLatin1Char(char(byte)));
        } else {
            encoded.append(u'%');
            encoded.append(QLatin1Char(hex[byte >> 4]));
            encoded.append(QLatin1Char(hex[byte & 15]));
        }
    }
    return encoded;
}
