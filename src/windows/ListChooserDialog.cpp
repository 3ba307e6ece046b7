#include "windows/ListChooserDialog.h"

#include "base/FileTools.h"
#include "playout/OperatorSeam.h"
#include "windows/QtDialogParts.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

ListChooserDialog::ListChooserDialog(const Captions& captions, const QStringList& names,
                                     const QString& suggestion, bool canCreate, QWidget* parent)
    : QDialog(parent) {
    setObjectName(u"frmListChooser"_s);
    setWindowTitle(captions.Title);
    auto* layout = new QVBoxLayout(this);
    auto* listLabel = new QLabel(captions.List, this);
    layout->addWidget(listLabel);
    namesList = new QListWidget(this);
    namesList->setObjectName(u"lstNames"_s);
    listLabel->setBuddy(namesList);
    namesList->addItems(names);
    layout->addWidget(namesList);
    const auto suggested = namesList->findItems(suggestion, Qt::MatchFixedString);
    namesList->setCurrentRow(suggested.isEmpty() ? (names.isEmpty() ? -1 : 0)
                                                 : namesList->row(suggested.front()));

    auto* newRow = new QHBoxLayout;
    auto* newLabel = new QLabel(captions.NewName, this);
    newRow->addWidget(newLabel);
    newNameEdit = new QLineEdit(this);
    newNameEdit->setObjectName(u"txtNewName"_s);
    newLabel->setBuddy(newNameEdit);
    newRow->addWidget(newNameEdit, 1);
    newButton = new QPushButton(u"&New"_s, this);
    newButton->setObjectName(u"cmdNew"_s);
    newButton->setAutoDefault(false);
    newRow->addWidget(newButton);
    layout->addLayout(newRow);
    for (QWidget* part : {static_cast<QWidget*>(newNameEdit), static_cast<QWidget*>(newButton)})
        part->setEnabled(canCreate);

    layout->addLayout(QtDialogParts::OkCancelRow(this, &okButton));
    connect(newButton, &QPushButton::clicked, this, &ListChooserDialog::addName);
    connect(namesList, &QListWidget::currentRowChanged, this, &ListChooserDialog::updateOK);
    connect(namesList, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    updateOK();
    resize(360, 320);
}

QString ListChooserDialog::Chosen() const {
    const QListWidgetItem* item = namesList->currentItem();
    return item ? item->text() : QString();
}

void ListChooserDialog::addName() {
    const QString name = newNameEdit->text();
    const auto existing = namesList->findItems(name, Qt::MatchFixedString);
    if (!existing.isEmpty()) {
        namesList->setCurrentItem(existing.front());
        newNameEdit->clear();
        return;
    }
    const QString problem = FileTools::NameProblem(name);
    if (!problem.isEmpty()) {
        OperatorSeam::Message(problem, Operator::Exclamation);
        newNameEdit->setFocus();
        return;
    }
    namesList->addItem(name);
    namesList->setCurrentRow(namesList->count() - 1);
    newNameEdit->clear();
    okButton->setFocus();
}

void ListChooserDialog::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && focusWidget() == newNameEdit && !newNameEdit->text().isEmpty()) {
        addName();
        return;
    }
    QDialog::keyPressEvent(event);
}

void ListChooserDialog::updateOK() {
    okButton->setEnabled(namesList->currentItem() != nullptr);
}
