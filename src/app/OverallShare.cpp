#include "app/OverallShare.h"

#include <cmath>

void OverallShare::SetOverallProcessProgressPercent(qint16 percent) {
    own = percent;
    shown->SetOverallProcessProgressPercent(qint16(std::lround(first + (last - first) * percent / 100.0)));
}
