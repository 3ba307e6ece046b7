// The morning check only reads: it runs for a user who may only read the station,
// and leaves every file of the station as it found it.

#include "support/ChildProgram.h"
#include "support/TempHome.h"
#include "tools/demo/DemoStation.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <unistd.h>

namespace {

// Every file and folder under the folder, with its content's hash and its permissions.
QMap<QString, QByteArray> treeOf(const QString& folder) {
    QMap<QString, QByteArray> tree;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QByteArray entry = QByteArray::number(int(QFile::permissions(path)));
        if (QFile file(path); !QFileInfo(path).isDir() && file.open(QIODevice::ReadOnly))
            entry += QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1).toHex();
        tree.insert(path.mid(folder.size()), entry);
    }
    return tree;
}

void setWritable(const QString& folder, bool writable) {
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    QStringList paths{folder};
    while (it.hasNext())
        paths.append(it.next());
    const QFileDevice::Permissions write =
        QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    for (const QString& path : paths)
        QFile::setPermissions(path, writable ? QFile::permissions(path) | write
                                             : QFile::permissions(path) & ~write);
}

// The paths whose entry differs between two trees, or that only one holds.
QStringList changed(const QMap<QString, QByteArray>& before, const QMap<QString, QByteArray>& after) {
    QStringList paths;
    for (auto it = after.cbegin(); it != after.cend(); ++it) {
        if (before.value(it.key()) != it.value())
            paths.append(it.key());
    }
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        if (!after.contains(it.key()))
            paths.append(it.key() + u" (gone)"_s);
    }
    return paths;
}

} // namespace

class ReadinessCheckTest : public TempHome {
protected:
    int Run(ChildProgram& child, const QStringList& options) {
        const int code =
            child.Run(QStringLiteral(LOGIMPORTER_EXE),
                      QStringList{u"/SILENT"_s, u"/NOPREVCHECK"_s, u"/Profile=Demo"_s} + options);
        Output = child.Output;
        Errors = child.Errors;
        return code;
    }
    QString Table() const { return Output.section(u"Debug log:"_s, 0, 0); }

    QTemporaryDir outside;
    QString Output;
    QString Errors;
};

TEST_F(ReadinessCheckTest, TheCheckWritesNothingAndRunsForAUserWhoMayOnlyReadTheStation) {
    ASSERT_TRUE(outside.isValid());
    const QDate tomorrow = QDate::currentDate().addDays(1);
    QString problem;
    ASSERT_TRUE(DemoStation::Create(tomorrow, 2, &problem)) << problem.toStdString();
    ChildProgram owner(Home(), outside.path());
    ASSERT_EQ(Run(owner, {u"/SCHEDULE"_s, u"/QUIT"_s}), 0) << Errors.toStdString();

    const QMap<QString, QByteArray> before = treeOf(Home());
    const QStringList check{u"/CHECK=72"_s, u"/REPORT="_s + outside.path() + u"/readiness.json"_s};
    EXPECT_EQ(Run(owner, check), 6) << Errors.toStdString() << Output.toStdString();
    const QString table = Table();
    EXPECT_TRUE(table.contains(u"Not ready: "_s)) << Output.toStdString();
    EXPECT_TRUE(QFileInfo::exists(outside.path() + u"/readiness.json"_s));
    EXPECT_EQ(changed(before, treeOf(Home())), QStringList());

    if (geteuid() != 0)
        GTEST_SKIP() << "a user who may only read the station needs root to be made here";
    ChildProgram reader(Home(), outside.path());
    reader.Unprivileged();
    setWritable(Home(), false);
    const QMap<QString, QByteArray> readOnly = treeOf(Home());
    EXPECT_EQ(Run(reader, check), 6) << Errors.toStdString() << Output.toStdString();
    EXPECT_EQ(Table(), table);
    EXPECT_EQ(changed(readOnly, treeOf(Home())), QStringList());
    setWritable(Home(), true);
}
