#include "windows/PrintPreviewDialog.h"

#include "base/FileTools.h"
#include "base/RtfReader.h"
#include "base/RtfWriter.h"
#include "base/Windows1252.h"
#include "playout/OperatorSeam.h"
#include "playout/Reporting.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScreen>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QToolBar>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {

QTextCharFormat formatOf(const RichRun& run) {
    QTextCharFormat format;
    format.setFontWeight(run.Bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(run.Italic);
    format.setFontUnderline(run.Underline);
    format.setFontPointSize(run.HalfPoints / 2.0);
    return format;
}

void fill(QTextDocument& document, const RichDocument& rich) {
    QTextCursor cursor(&document);
    for (qsizetype p = 0; p < rich.size(); ++p) {
        if (p > 0)
            cursor.insertBlock();
        for (const RichRun& run : rich[p].Runs)
            cursor.insertText(run.Text, formatOf(run));
    }
}

RichDocument richOf(const QTextDocument& document) {
    RichDocument rich;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        RichParagraph paragraph;
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            const QTextCharFormat format = fragment.fragment().charFormat();
            const double points = format.fontPointSize() > 0 ? format.fontPointSize() : 12;
            paragraph.Runs.append({fragment.fragment().text(), format.fontWeight() >= QFont::Bold,
                                   format.fontItalic(), format.fontUnderline(), int(points * 2 + 0.5)});
        }
        rich.append(paragraph);
    }
    return rich;
}

// The keys the window keeps for itself; any other goes to the owner window.
bool isOwnKey(int key) {
    switch (key) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Plus:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_P:
    case Qt::Key_S:
    case Qt::Key_O:
        return true;
    default:
        return false;
    }
}

} // namespace

PrintPreviewDialog::PrintPreviewDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(u"frmPrintPreview"_s);
    resize(720, 520);
    auto* layout = new QVBoxLayout(this);
    toolButtons = new QToolBar(this);
    toolButtons->setObjectName(u"toolButtons"_s);
    QAction* refresh = toolButtons->addAction(u"Refresh"_s, this, &PrintPreviewDialog::Refresh);
    refresh->setObjectName(u"refresh"_s);
    printButton = toolButtons->addAction(u"Print"_s, this, &PrintPreviewDialog::Print);
    printButton->setObjectName(u"print"_s);
    QAction* save = toolButtons->addAction(u"Save"_s, this, &PrintPreviewDialog::Save);
    save->setObjectName(u"save"_s);
    layout->addWidget(toolButtons);

    rtfFile = new QTextEdit(this);
    rtfFile->setObjectName(u"rtfFile"_s);
    rtfFile->setReadOnly(true);
    // Lines wrap at the window's edge, a long path anywhere: the application log's
    // most telling lines name files whose paths run past any width.
    rtfFile->setLineWrapMode(QTextEdit::WidgetWidth);
    rtfFile->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout->addWidget(rtfFile, 1);

    okButton = new QPushButton(u"OK"_s, this);
    okButton->setObjectName(u"cmdOK"_s);
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(okButton, 0, Qt::AlignRight);
}

void PrintPreviewDialog::load(const QString& caption, bool floating) {
    if (floating)
        setWindowFlag(Qt::WindowStaysOnTopHint, true);
    setWindowTitle(caption);
    printButton->setEnabled(!QPrinterInfo::availablePrinters().isEmpty());
}

void PrintPreviewDialog::show(int modal) {
    placeOnScreen();
    if (modal == 1) {
        exec();
        return;
    }
    QDialog::show();
}

void PrintPreviewDialog::placeOnScreen() {
    const QScreen* screen = this->screen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 3);
}

void PrintPreviewDialog::DisplayText(const QString& information, const QString& caption, int modal,
                                     bool floating) {
    load(caption.isEmpty() ? u"Print Preview"_s : caption, floating);
    rtfFile->setPlainText(information);
    rich = false;
    rtfFile->moveCursor(QTextCursor::Start);
    show(modal);
}

void PrintPreviewDialog::DisplayFile(const QString& filename, const QString& caption, int modal,
                                     bool floating) {
    if (FileTools::FileSize(filename) < 0)
        return;
    fileName = filename;
    load(caption.isEmpty() ? u"Print Preview - "_s + filename : caption, floating);
    Refresh();
    show(modal);
}

void PrintPreviewDialog::Refresh() {
    rtfFile->clear();
    rich = false;
    if (FileTools::FileSize(fileName) >= 0) {
        QFile file(fileName);
        const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        if (const auto document = RtfReader::Read(bytes)) {
            fill(*rtfFile->document(), *document);
            rich = true;
        } else {
            rtfFile->setPlainText(Windows1252::Decode(bytes));
        }
    }
    rtfFile->moveCursor(QTextCursor::Start);
}

void PrintPreviewDialog::Print() {
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(u"Print Document"_s);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    const bool selected = rtfFile->textCursor().hasSelection();
    dialog.setOption(QAbstractPrintDialog::PrintSelection, selected);
    if (selected)
        printer.setPrintRange(QPrinter::Selection);
    if (dialog.exec() != QDialog::Accepted)
        return; // cancelling is not an error
    printTo(printer, printer.printRange() == QPrinter::Selection);
}

void PrintPreviewDialog::printTo(QPrinter& printer, bool selectionOnly) {
    if (!selectionOnly) {
        QTextCursor cursor = rtfFile->textCursor();
        cursor.clearSelection();
        rtfFile->setTextCursor(cursor);
    }
    rtfFile->print(&printer);
    if (printer.printerState() == QPrinter::Error)
        Reporting::ReportError(u"while printing."_s, long(QPrinter::Error), false);
}

void PrintPreviewDialog::Save() {
    const QString proposed = fileName.isEmpty() ? QString() : FileTools::FileTitle(fileName);
    const QString chosen =
        QFileDialog::getSaveFileName(this, u"Select File to Save to"_s, proposed,
                                     u"Rich Text Files (*.rtf);;Text files (*.txt);;All Files (*)"_s);
    if (chosen.isEmpty())
        return;
    SaveAs(chosen);
}

bool PrintPreviewDialog::SaveAs(const QString& path) {
    const bool asRtf = FileTools::Extension(path).toLower() == u"rtf";
    const QByteArray bytes = asRtf ? RtfWriter::Write(richOf(*rtfFile->document()))
                                   : Windows1252::Encode(rtfFile->toPlainText().replace(u'\n', u"\r\n"_s));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size() &&
        file.flush())
        return true;
    OperatorSeam::Message(u"The document could not be saved to '%1': %2"_s.arg(path, file.errorString()),
                          Operator::Exclamation);
    return false;
}

QString PrintPreviewDialog::Text() const {
    return rtfFile->toPlainText();
}

void PrintPreviewDialog::keyPressEvent(QKeyEvent* event) {
    if (isOwnKey(event->key()) || !owner) {
        QDialog::keyPressEvent(event);
        return;
    }
    QKeyEvent copy(event->type(), event->key(), event->modifiers(), event->text());
    QCoreApplication::sendEvent(owner, &copy);
}

void PrintPreviewDialog::done(int result) {
    QDialog::done(result);
    // Unloading: no longer top-most, no owner, no file, no document.
    setWindowFlag(Qt::WindowStaysOnTopHint, false);
    owner = nullptr;
    fileName.clear();
    rtfFile->clear();
    rich = false;
}
