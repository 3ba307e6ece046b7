#include "FuzzProperties.h"
#include "support/TempHome.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// Every seed and every input that once broke a property, through its target's check.
// Reports about bad input go to the logs of a temporary home.
class FuzzReplayTest : public TempHome, public testing::WithParamInterface<FuzzProperties::Target> {};

int replayFolder(const QString& folder, FuzzProperties::Check check) {
    int replayed = 0;
    for (const QFileInfo& info : QDir(folder).entryInfoList(QDir::Files)) {
        QFile file(info.filePath());
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << info.filePath().toStdString();
        const QByteArray data = file.readAll();
        EXPECT_EQ(check(data), QString()) << info.filePath().toStdString();
        ++replayed;
    }
    return replayed;
}

} // namespace

// Test names and failures show a target by its name.
static void PrintTo(const FuzzProperties::Target& target, std::ostream* out) {
    *out << target.Name;
}

TEST_P(FuzzReplayTest, SeedsAndKeptCrashInputsHoldEveryProperty) {
    const QString name = QString::fromLatin1(GetParam().Name);
    const int seeds = replayFolder(QStringLiteral(FUZZ_DIR) + u"/corpus/"_s + name, GetParam().Run);
    replayFolder(QStringLiteral(FUZZ_DIR) + u"/regressions/"_s + name, GetParam().Run);
    EXPECT_GT(seeds, 0) << "no seed corpus for " << name.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzReplayTest,
                         testing::ValuesIn(FuzzProperties::Targets().begin(),
                                           FuzzProperties::Targets().end()),
                         [](const auto& info) { return std::string(info.param.Name); });
