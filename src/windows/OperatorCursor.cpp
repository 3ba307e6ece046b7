#include "windows/OperatorCursor.h"

#include <QCursor>
#include <QGuiApplication>

OperatorCursor::OperatorCursor() {
    if (!QGuiApplication::overrideCursor())
        return;
    QGuiApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
    pushed = true;
}

OperatorCursor::~OperatorCursor() {
    if (pushed)
        QGuiApplication::restoreOverrideCursor();
}
