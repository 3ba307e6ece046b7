// The tests' entry point. It also serves as the "other instance" that a
// single-instance test starts as a child process.

#include "base/GeneralTools.h"

#include <QCoreApplication>
#include <QTextStream>
#include <gtest/gtest.h>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (qEnvironmentVariableIsSet("LOGIMPORTER_INSTANCE_PROBE")) {
        Application self;
        self.ExeName = qEnvironmentVariable("LOGIMPORTER_INSTANCE_PROBE");
        GeneralTools::SetApp(self);
        QTextStream(stdout) << (GeneralTools::PreviousInstanceRunning() ? "running" : "alone") << Qt::endl;
        return 0;
    }
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
