#include "windows/PrintPreviewDialog.h"
#include "base/RtfReader.h"
#include "playout/OperatorSeam.h"
#include "support/RecordingOperator.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

class PrintPreviewDialogTest : public testing::Test {
protected:
    QString Write(const QString& name, const QByteArray& bytes) {
        const QString path = folder.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QByteArray Read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir folder;
    PrintPreviewDialog viewer;
};

TEST_F(PrintPreviewDialogTest, ASaveThatCannotBeWrittenSaysWhy) {
    RecordingOperator op;
    OperatorSeam::Set(&op);
    viewer.DisplayText(u"Import Log"_s, QString(), 0, false);
    const QString nowhere = folder.filePath(u"gone/Report.txt"_s);
    EXPECT_FALSE(viewer.SaveAs(nowhere));
    OperatorSeam::Set(nullptr);
    ASSERT_EQ(op.Messages.size(), 1);
    EXPECT_TRUE(
        op.Messages[0].Text.startsWith(u"The document could not be saved to '"_s + nowhere + u"': "_s))
        << op.Messages[0].Text.toStdString();
    EXPECT_EQ(op.Messages[0].IconShown, Operator::Exclamation);
}
