#pragma once

#include <QDialog>

class QLineEdit;
class QListWidget;
class QPushButton;

// The playout system's chooser of a profile or a Station Database: the names there
// are, the suggested one selected, and (when allowed) a new name added to the list
// and chosen. Making what a new name stands for is left to the caller.
class ListChooserDialog : public QDialog {
    Q_OBJECT
public:
    struct Captions {
        QString Title;   // the window's caption
        QString List;    // above the list
        QString NewName; // before the new-name box
    };

    ListChooserDialog(const Captions& captions, const QStringList& names, const QString& suggestion,
                      bool canCreate, QWidget* parent = nullptr);

    // The name selected; "" when none is.
    QString Chosen() const;

protected:
    // Enter in the new-name box adds the name rather than closing the window.
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Adds the name typed to the list and selects it, or says why it cannot be used.
    void addName();
    void updateOK();

    QListWidget* namesList = nullptr;
    QLineEdit* newNameEdit = nullptr;
    QPushButton* newButton = nullptr;
    QPushButton* okButton = nullptr;
};
