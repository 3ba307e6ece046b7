#include "playout/Reporting.h"

#include "base/DebugLog.h"
#include "playout/OperatorSeam.h"

QString Reporting::ReportProblem(const QString& action, const QString& description, bool silent) {
    const QString trimmed = description.trimmed();
    QString message = QStringLiteral("There was a problem ") + action.trimmed();
    if (!trimmed.isEmpty())
        message += QStringLiteral(" and the error's description was reported as : \n\n\"") + trimmed + u'"';
    if (!silent)
        OperatorSeam::Message(message, Operator::Exclamation);
    WriteDebug(message);
    return message;
}

QString Reporting::ReportError(const QString& action, long errorNumber, bool silent,
                               const RuntimeError* raised) {
    QString description;
    if (errorNumber != 0) {
        description = RuntimeError::StandardText(errorNumber).trimmed();
        if (description.isEmpty() && raised && raised->Number == errorNumber)
            description = raised->Description + QStringLiteral(" (") + QString::number(errorNumber) + u')';
    }
    return ReportProblem(action, description, silent);
}
