#include "playout/OperatorSeam.h"

#include "playout/GeneralTools.h"
#include "playout/SilentOperator.h"

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
}

iOperator::Answer OperatorSeam::Message(const QString& text, iOperator::Icon icon, iOperator::Buttons buttons,
                                        int defaultButton) {
    return Current().MessageBox(text, icon, buttons, defaultButton, GeneralTools::App().Title);
}
