#pragma once

#include <QDialog>
#include <QPointer>

class QAction;
class QPrinter;
class QPushButton;
class QTextEdit;
class QToolBar;

// The report viewer: shows a text built in memory or a file (rich text when it is
// RTF, plain text otherwise), and lets the operator re-read, print or save it.
class PrintPreviewDialog : public QDialog {
    Q_OBJECT
public:
    explicit PrintPreviewDialog(QWidget* parent = nullptr);

    // Modal 1 returns when the window closes; 0 shows it and returns. Floating
    // keeps it above every other window.
    void DisplayText(const QString& information, const QString& caption, int modal, bool floating);
    void DisplayFile(const QString& filename, const QString& caption, int modal, bool floating);

    // Reads the shown file again: as rich text, or as plain text when it is not.
    void Refresh();
    // Asks for a printer and prints the document (or its selection, when chosen).
    void Print();
    // Asks for a name and saves the document there.
    void Save();
    // Saves as rich text for an "rtf" extension in any case, as plain text otherwise.
    bool SaveAs(const QString& path);

    // Key presses the window does not handle itself are passed on to the owner.
    void SetOwner(QWidget* owner) { this->owner = owner; }
    QString Text() const;
    bool IsRichText() const { return rich; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void done(int result) override;

private:
    void load(const QString& caption, bool floating);
    void show(int modal);
    void printTo(QPrinter& printer, bool selectionOnly);
    void placeOnScreen();

    QTextEdit* rtfFile = nullptr;
    QToolBar* toolButtons = nullptr;
    QAction* printButton = nullptr;
    QPushButton* okButton = nullptr;
    QString fileName;
    QPointer<QWidget> owner;
    bool rich = false;
};
