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

ListChooserDialog::ListChooserDialog(const Captions& captions, const QStringList& names, const QString& suggestion,
                               bool canCreate, QWidget* parent)
    : QDialog(parent) {
    setObjectName(u"frmListChooser"_s);
    setWindowTitle(captions.Title);
    auto* layout = new QVBoxLayout(this);
    auto* listLabel = new QLabel(captions.List, this);
    layout->addWidget(listLabel);
    lstNames = new QListWidget(this);
    lstNames->setObjectName(u"lstNames"_s);
    listLabel->setBuddy(lstNames);
    lstNames->addItems(names);
    layout->addWidget(lstNames);
    const auto suggested = lstNames->findItems(suggestion, Qt::MatchFixedString);
    lstNames->setCurrentRow(suggested.isEmpty() ? (names.isEmpty() ? -1 : 0)
                                                : lstNames->row(suggested.front()));

    auto* newRow = new QHBoxLayout;
    auto* newLabel = new QLabel(captions.NewName, this);
    newRow->addWidget(newLabel);
    txtNewName = new QLineEdit(this);
    txtNewName->setObjectName(u"txtNewName"_s);
    newLabel->setBuddy(txtNewName);
    newRow->addWidget(txtNewName, 1);
    cmdNew = new QPushButton(u"&New"_s, this);
    cmdNew->setObjectName(u"cmdNew"_s);
    cmdNew->setAutoDefault(false);
    newRow->addWidget(cmdNew);
    layout->addLayout(newRow);
    for (QWidget* part : {static_cast<QWidget*>(txtNewName), static_cast<QWidget*>(cmdNew)})
        part->setEnabled(canCreate);

    layout->addLayout(QtDialogParts::OkCancelRow(this, &cmdOK));
    connect(cmdNew, &QPushButton::clicked, this, &ListChooserDialog::addName);
    connect(lstNames, &QListWidget::currentRowChanged, this, &ListChooserDialog::updateOK);
    connect(lstNames, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    updateOK();
    resize(360, 320);
}

QString ListChooserDialog::Chosen() const {
    const QListWidgetItem* item = lstNames->currentItem();
    return item ? item->text() : QString();
}

void ListChooserDialog::addName() {
    const QString name = txtNewName->text();
    const auto existing = lstNames->findItems(name, Qt::MatchFixedString);
    if (!existing.isEmpty()) {
        lstNames->setCurrentItem(existing.front());
        txtNewName->clear();
        return;
    }
    const QString problem = FileTools::NameProblem(name);
    if (!problem.isEmpty()) {
        OperatorSeam::Message(problem, Operator::Exclamation);
        txtNewName->setFocus();
        return;
    }
    lstNames->addItem(name);
    lstNames->setCurrentRow(lstNames->count() - 1);
    txtNewName->clear();
    cmdOK->setFocus();
}

void ListChooserDialog::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && focusWidget() == txtNewName && !txtNewName->text().isEmpty()) {
        addName();
        return;
    }
    QDialog::keyPressEvent(event);
}

void ListChooserDialog::updateOK() {
    cmdOK->setEnabled(lstNames->currentItem() != nullptr);
}
