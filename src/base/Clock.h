#pragma once

#include <QDateTime>
#include <optional>

// The one source of "now" for the whole tool. Tests fix it so that today,
// tomorrow, purge dates and file dates can be checked on any day.
class Clock {
public:
    static QDateTime Now();
    static QDate Today() { return Now().date(); }

    // Freezes the clock at the given local time; an empty value lets it run again.
    static void SetFixed(std::optional<QDateTime> fixed);

private:
    static std::optional<QDateTime>& fixedTime();
};
