#include "app/EnterpriseMode.h"

#include "base/GeneralTools.h"
#include "base/RegistryTools.h"
#include "playout/OperatorSeam.h"

bool EnterpriseMode::Decide(RunOptions::Appearance look) {
    const qint32 level =
        RegistryTools::GetNumber(RegistryTools::LocalMachine, QStringLiteral("Software\\Kestrane\\Ostrel v3"),
                                 QStringLiteral("EnterpriseLevel"), 0);
    if (level < MinimumLevel)
        return false;
    if (look == RunOptions::AskOperator) {
        const QString question = QStringLiteral("Do you want to run ") + GeneralTools::App().Title +
                                 QStringLiteral(" in Enterprise Mode?");
        return OperatorSeam::Message(question, Operator::Question, Operator::YesNo) == Operator::Yes;
    }
    return look != RunOptions::Standard;
}
