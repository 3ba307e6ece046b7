// The libFuzzer entry of the property checks. One program serves every target; the
// environment variable LOGIMPORTER_FUZZ_TARGET names the one to run (scripts/fuzz.sh).
#include "FuzzProperties.h"

#include <QDir>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {
FuzzProperties::Check check = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const QString name = qEnvironmentVariable("LOGIMPORTER_FUZZ_TARGET");
    check = FuzzProperties::Find(name);
    if (!check) {
        std::fprintf(stderr, "LOGIMPORTER_FUZZ_TARGET must name a target, not \"%s\"\n", qPrintable(name));
        std::exit(2);
    }
    // Reports about bad input go to logs under a home of the run's own.
    static QTemporaryDir home;
    qputenv("OSTREL_HOME", QDir::toNativeSeparators(home.path()).toLocal8Bit());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString problem = check(QByteArrayView(data, qsizetype(size)));
    if (!problem.isEmpty()) {
        std::fprintf(stderr, "property broken: %s\n", qPrintable(problem));
        std::abort();
    }
    return 0;
}
