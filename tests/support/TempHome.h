#pragma once

#include "support/QtPrinters.h"

#include <QDateTime>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

// A test in a fresh OSTREL_HOME: the tool's process-wide state reset, the clock
// fixed at 23 November 2010 14:03:22, and the alerts of the lower layers recorded.
class TempHome : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    QString Home() const { return home.path(); }
    QString Path(const QString& relative) const { return home.filePath(relative); }
    // The lines of a text file (without line ends); empty when it does not exist.
    static QStringList LinesOf(const QString& path);
    static QByteArray BytesOf(const QString& path);
    static void WriteFile(const QString& path, const QByteArray& bytes);

    static const QDateTime Now;

    QTemporaryDir home;
    QStringList Alerts;
};
