#include "playout/OperatorSeam.h"

#include "base/Alert.h"
#include "base/GeneralTools.h"
#include "playout/SilentOperator.h"

#include <QTextStream>

namespace {

Operator*& installed() {
    static Operator* op = nullptr;
    return op;
}

} // namespace

Operator& OperatorSeam::Current() {
    static SilentOperator nobody;
    Operator* op = installed();
    return op ? *op : nobody;
}

void OperatorSeam::Set(Operator* op) {
    installed() = op;
    // The alerts of the layers beneath go to the operator too.
    Alert::SetSink([](const QString& text, Alert::Kind kind) {
        Message(text, kind == Alert::Critical ? Operator::Critical : Operator::Exclamation);
    });
}

Operator::Answer OperatorSeam::Message(const QString& text, Operator::Icon icon, Operator::Buttons buttons,
                                       int defaultButton) {
    return Current().MessageBox(text, icon, buttons, defaultButton, GeneralTools::App().Title);
}

bool OperatorSeam::ConfirmChange(const QString& question, int defaultButton) {
    if (!Current().CanAnswer()) {
        QTextStream(stderr) << GeneralTools::App().Title << QStringLiteral(": nobody was there to answer \"")
                            << question.simplified()
                            << QStringLiteral("\", so it was answered No and the setting stays as it is")
                            << Qt::endl;
        return false;
    }
    return Message(question, Operator::Question, Operator::YesNo, defaultButton) == Operator::Yes;
}
