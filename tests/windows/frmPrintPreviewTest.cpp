#include "windows/frmPrintPreview.h"
#include "base/RtfReader.h"
#include "playout/OperatorSeam.h"
#include "support/RecordingOperator.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

class frmPrintPreviewTest : public testing::Test {
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
    frmPrintPreview viewer;
};

TEST_F(frmPrintPreviewTest, SavingWritesRichTextForAnRtfExtensionInAnyCaseAndPlainTextOtherwise) {
    const QString rich = Write(u"in.rtf"_s, "{\\rtf1\\ansi \\b Import Log\\b0\\par Caf\\'e9\\par}");
    viewer.DisplayFile(rich, QString(), 0, false);
    const QString asRtf = folder.filePath(u"Report.RTF"_s);
    ASSERT_TRUE(viewer.SaveAs(asRtf));
    const auto back = RtfReader::Read(Read(asRtf));
    ASSERT_TRUE(back);
    ASSERT_EQ(back->size(), 2);
    EXPECT_EQ((*back)[0].Runs.value(0).Text, u"Import Log");
    EXPECT_TRUE((*back)[0].Runs.value(0).Bold);
    EXPECT_EQ((*back)[1].Runs.value(0).Text, u"Caf\u00E9");

    const QString asLog = folder.filePath(u"Report.log"_s);
    ASSERT_TRUE(viewer.SaveAs(asLog));
    EXPECT_EQ(Read(asLog), QByteArray("Import Log\r\nCaf\xe9"));
}

TEST_F(frmPrintPreviewTest, ASaveThatCannotBeWrittenSaysWhy) {
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
    EXPECT_EQ(op.Messages[0].IconShown, iOperator::Exclamation);
}
