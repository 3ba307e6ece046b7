#pragma once

#include "playout/iOperator.h"

// The process-wide way to the operator. Until a program installs its own, nobody
// is there (SilentOperator).
class OperatorSeam {
public:
    static iOperator& Current();
    // Installs an operator; nullptr goes back to the silent one. The caller keeps
    // ownership and must uninstall it before it goes.
    static void Set(iOperator* op);

    // A message box titled with the application's title.
    static iOperator::Answer Message(const QString& text, iOperator::Icon icon,
                                     iOperator::Buttons buttons = iOperator::OkOnly, int defaultButton = 1);
};
