#include "windows/PathLabel.h"

PathLabel::PathLabel(QWidget* parent) : QLabel(parent) {
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void PathLabel::SetPath(const QString& value) {
    path = value;
    setToolTip(path);
    elide();
}

QSize PathLabel::minimumSizeHint() const {
    return {fontMetrics().horizontalAdvance(u'…') * 8, QLabel::minimumSizeHint().height()};
}

void PathLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    elide();
}

void PathLabel::elide() {
    setText(fontMetrics().elidedText(path, Qt::ElideMiddle, contentsRect().width()));
}
