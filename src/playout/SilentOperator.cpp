#include "playout/SilentOperator.h"

#include <QTextStream>

Operator::Answer SilentOperator::MessageBox(const QString& text, Icon, Buttons buttons, int defaultButton,
                                            const QString& title) {
    QTextStream err(stderr);
    err << title << QStringLiteral(": ") << text << Qt::endl;
    return DefaultAnswer(buttons, defaultButton);
}
