#pragma once

#include "playout/Operator.h"

// The process-wide way to the operator. Until a program installs its own, nobody
// is there (SilentOperator).
class OperatorSeam {
public:
    static Operator& Current();
    // Installs an operator; nullptr goes back to the silent one. The caller keeps
    // ownership and must uninstall it before it goes.
    static void Set(Operator* op);

    // A message box titled with the application's title.
    static Operator::Answer Message(const QString& text, Operator::Icon icon,
                                    Operator::Buttons buttons = Operator::OkOnly, int defaultButton = 1);
    // A Yes/No question whose Yes changes a stored setting. Nobody changes a setting
    // for the station by default: when nobody can answer, it is answered No and the
    // standard error stream says which question that was.
    static bool ConfirmChange(const QString& question, int defaultButton);
};
