#include "base/Clock.h"

std::optional<QDateTime>& Clock::Fixed() {
    static std::optional<QDateTime> fixed;
    return fixed;
}

QDateTime Clock::Now() {
    const auto& fixed = Fixed();
    return fixed ? *fixed : QDateTime::currentDateTime();
}

void Clock::SetFixed(std::optional<QDateTime> fixed) {
    Fixed() = std::move(fixed);
}
