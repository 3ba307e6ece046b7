#include "app/EnterpriseMode.h"

#include "base/GeneralTools.h"
#include "base/RegistryTools.h"
#include "playout/OperatorSeam.h"

bool EnterpriseMode::Decide(const QString& commandLine) {
    const qint32 level =
        RegistryTools::GetNumber(RegistryTools::LocalMachine, QStringLiteral("Software\\Kestrane\\Ostrel v3"),
                                 QStringLiteral("EnterpriseLevel"), 0);
    if (level < MinimumLevel)
        return false;
    // "/StandardAsk" is tested first, since it also contains "/Standard".
    if (commandLine.contains(QStringLiteral("/StandardAsk"), Qt::CaseInsensitive)) {
        const QString question = QStringLiteral("Do you want to run ") + GeneralTools::App().Title +
                                 QStringLiteral(" in Enterprise Mode?");
        return OperatorSeam::Message(question, Operator::Question, Operator::YesNo) == Operator::Yes;
    }
    return !commandLine.contains(QStringLiteral("/Standard"), Qt::CaseInsensitive);
}
