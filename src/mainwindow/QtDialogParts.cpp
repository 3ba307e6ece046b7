#include "mainwindow/QtDialogParts.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

QLineEdit* QtDialogParts::EditBox(QWidget* parent, const QString& name, int width, QObject* filter) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setFixedWidth(width);
    edit->installEventFilter(filter);
    return edit;
}

QHBoxLayout* QtDialogParts::OkCancelRow(QDialog* dialog, QPushButton** ok) {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    auto* cmdOK = new QPushButton(u"OK"_s, dialog);
    cmdOK->setObjectName(u"cmdOK"_s);
    cmdOK->setDefault(true);
    auto* cmdCancel = new QPushButton(u"Cancel"_s, dialog);
    cmdCancel->setObjectName(u"cmdCancel"_s);
    row->addWidget(cmdOK);
    row->addWidget(cmdCancel);
    QObject::connect(cmdOK, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(cmdCancel, &QPushButton::clicked, dialog, &QDialog::reject);
    if (ok)
        *ok = cmdOK;
    return row;
}
