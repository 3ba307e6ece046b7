#include "playout/OperatorSeam.h"

#include "base/Alert.h"
#include "base/GeneralTools.h"
#include "playout/SilentOperator.h"

#include <QTextStream>

namespace {

iOperator*& installed() {
    static iOperator* op = nullptr;
    return op;
}

} // namespace

iOperator& OperatorSeam::Current() {
    static SilentOperator nobody;
    iOperator* op = installed();
    return op ? *op : nobody;
}

void OperatorSeam::Set(iOperator* op) {
    installed() = op;
    // The alerts of the layers beneath go to the operator too.
    Alert::SetSink([](const QString& text, Alert::Kind kind) {
        Message(text, kind == Alert::Critical ? iOperator::Critical : iOperator::Exclamation);
    });
}

iOperator::Answer OperatorSeam::Message(const QString& text, iOperator::Icon icon, iOperator::Buttons buttons,
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
    return Message(question, iOperator::Question, iOperator::YesNo, defaultButton) == iOperator::Yes;
}
