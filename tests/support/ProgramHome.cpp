#include "support/ProgramHome.h"

#include "support/ChildProgram.h"

int ProgramHome::Run(const QString& program, const QStringList& arguments) {
    ChildProgram child(Home(), outside.path());
    const int code = child.Run(program, arguments);
    Output = child.Output;
    Errors = child.Errors;
    return code;
}
