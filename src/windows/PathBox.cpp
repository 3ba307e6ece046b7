#include "windows/PathBox.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

PathBox::PathBox(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) { setToolTip(text); });
}

QRect PathBox::textArea() const {
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QMargins margins = textMargins();
    return style()
        ->subElementRect(QStyle::SE_LineEditContents, &option, this)
        .marginsRemoved(margins)
        .adjusted(2, 0, -2, 0);
}

QString PathBox::DisplayedText() const {
    if (hasFocus())
        return text();
    return fontMetrics().elidedText(text(), Qt::ElideMiddle, textArea().width());
}

void PathBox::paintEvent(QPaintEvent* event) {
    const QString shown = DisplayedText();
    if (shown == text()) {
        QLineEdit::paintEvent(event);
        return;
    }
    QPainter painter(this);
    QStyleOptionFrame option;
    initStyleOption(&option);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, this);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
    painter.drawText(textArea(), int(Qt::AlignLeft | Qt::AlignVCenter), shown);
}
