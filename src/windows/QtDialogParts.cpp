#include "windows/QtDialogParts.h"

#include "windows/PathBox.h"

#include <QDialog>
#include <QDir>
#include <QFileDialog>
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
    auto* okButton = new QPushButton(u"OK"_s, dialog);
    okButton->setObjectName(u"cmdOK"_s);
    okButton->setDefault(true);
    auto* cancelButton = new QPushButton(u"Cancel"_s, dialog);
    cancelButton->setObjectName(u"cmdCancel"_s);
    row->addWidget(okButton);
    row->addWidget(cancelButton);
    QObject::connect(okButton, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(cancelButton, &QPushButton::clicked, dialog, &QDialog::reject);
    if (ok)
        *ok = okButton;
    return row;
}

QHBoxLayout* QtDialogParts::FolderRow(QWidget* parent, const QString& name, const QString& title,
                                      QLineEdit** box) {
    auto* row = new QHBoxLayout;
    auto* edit = new PathBox(parent);
    edit->setObjectName(name);
    edit->setMinimumWidth(280);
    auto* browse = new QPushButton(u"Browse..."_s, parent);
    browse->setObjectName(u"cmdBrowse"_s + QString(name).remove(0, name.startsWith(u"txt"_s) ? 3 : 0));
    QObject::connect(browse, &QPushButton::clicked, parent, [parent, edit, title] {
        const QString folder = QFileDialog::getExistingDirectory(parent, title, edit->text());
        if (!folder.isEmpty())
            edit->setText(QDir::toNativeSeparators(folder));
    });
    row->addWidget(edit, 1);
    row->addWidget(browse);
    *box = edit;
    return row;
}

void QtDialogParts::SetBackground(QWidget* widget, quint32 background) {
    const QColor colour = QColor::fromRgb(background);
    QPalette colours = widget->palette();
    colours.setColor(QPalette::Window, colour);
    const bool dark = colour.lightness() < 128;
    colours.setColor(QPalette::WindowText, dark ? Qt::white : Qt::black);
    if (dark) { // buttons and spin arrows in a shade of the scheme, not the desktop's light grey
        colours.setColor(QPalette::Button, colour.lighter(160));
        colours.setColor(QPalette::ButtonText, Qt::white);
    }
    widget->setPalette(colours);
    widget->setAutoFillBackground(true);
}
