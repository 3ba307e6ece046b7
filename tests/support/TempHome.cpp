#include "support/TempHome.h"

#include "base/Alert.h"
#include "base/AppLog.h"
#include "base/Clock.h"
#include "base/DebugLog.h"
#include "base/GeneralTools.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

const QDateTime TempHome::Now(QDate(2010, 11, 23), QTime(14, 3, 22));

void TempHome::SetUp() {
    ASSERT_TRUE(home.isValid());
    qputenv("OSTREL_HOME", home.path().toUtf8());
    Clock::SetFixed(Now);
    Application app;
    app.Title = QStringLiteral("Log Importer");
    app.ProductName = QStringLiteral("Log Importer");
    app.ExeName = QStringLiteral("logimporter");
    GeneralTools::SetApp(app);
    GeneralTools::SetDebugLevel(0);
    GeneralTools::SetDebugPath(QString());
    GeneralTools::ReleaseInstance();
    DebugLog::Reset();
    AppLog::Reset();
    Alert::SetSink([this](const QString& text, Alert::Kind) { Alerts.append(text); });
}

void TempHome::TearDown() {
    Alert::SetSink({});
    Clock::SetFixed(std::nullopt);
    qunsetenv("OSTREL_HOME");
}

QByteArray TempHome::BytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList TempHome::LinesOf(const QString& path) {
    const QString text = QString::fromLatin1(BytesOf(path));
    QStringList lines = text.split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    return lines;
}

void TempHome::WriteFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}
