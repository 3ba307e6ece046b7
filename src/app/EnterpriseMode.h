#pragma once

#include "app/RunOptions.h"

// Whether the main window runs in Enterprise Mode: only on systems whose
// "EnterpriseLevel" is 35 or more, and then unless /Standard is given, or as the
// operator answers when /StandardAsk is given.
class EnterpriseMode {
public:
    static constexpr int MinimumLevel = 35;

    static bool Decide(RunOptions::Appearance look);
};
