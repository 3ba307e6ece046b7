#include "base/Clock.h"

std::optional<QDateTime>& Clock::fixedTime() {
    static std::optional<QDateTime> fixed;
    return fixed;
}

QDateTime Clock::Now() {
    const auto& fixed = fixedTime();
    return fixed ? *fixed : QDateTime::currentDateTime();
}

void Clock::SetFixed(std::optional<QDateTime> fixed) {
    fixedTime() = std::move(fixed);
}
