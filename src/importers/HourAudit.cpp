#include "importers/HourAudit.h"

#include "stationdb/StartTimes.h"
#include "stationdb/StationDatabase.h"

#include <cmath>

namespace {

// Without a threshold of its own, an hour under half an hour is short.
constexpr float defaultShortLimit = 1800;
// An advert's audio may differ from the length it was sold for by this much.
constexpr float copyTolerance = 1;

} // namespace

HourAudit::HourAudit(StationDatabase& db)
    : db(db), shortLimit(db.Settings().UnderrunThreshold() > 0 ? float(db.Settings().UnderrunThreshold())
                                                               : defaultShortLimit),
      tolerance(float(db.Settings().BreakLengthTolerance())) {}

float HourAudit::audioOf(const QString& cart) {
    const std::optional<Cart>& found = carts.Get(db, cart);
    return found && found->Length > 0 ? found->AudioLength : 0;
}

void HourAudit::WeighItems(HourReadiness& ready, QList<LogItem> items) {
    for (LogItem& item : items) {
        const QString cart = item.CartNumber.trimmed();
        if (cart.isEmpty())
            continue;
        item.Duration = audioOf(cart);
        if (item.Duration > 0)
            continue;
        ++ready.SilentItems;
        if (!ready.SilentCarts.contains(cart))
            ready.SilentCarts.append(cart);
    }
    ready.Length = StartTimes::Apply(items, items.first().Time);
    ready.ShortLimit = shortLimit;
    ready.TooShort = ready.Length < shortLimit;
}

void HourAudit::WeighBreaks(HourReadiness& ready, const QList<LogItem>& items,
                            const QList<RunOutcome::Break>& planned) {
    qsizetype next = 0;
    for (const LogItem& item : items) {
        if (StartTimes::IsBreakMarker(item) && next < planned.size())
            weighBreak(ready, item, planned[next++]);
    }
}

void HourAudit::weighBreak(HourReadiness& ready, const LogItem& marker, const RunOutcome::Break& planned) {
    float adverts = 0;
    for (const RunOutcome::Spot& spot : planned.Spots) {
        const float audio = audioOf(spot.Cart);
        adverts += audio;
        if (audio > 0 && spot.Sold > 0 && std::abs(audio - spot.Sold) > copyTolerance)
            ready.CopyLengths.append({marker.Time, spot.Cart, audio, spot.Sold});
    }
    if (tolerance <= 0 || planned.Spots.isEmpty())
        return; // the check is off, or the break takes no adverts
    const HourReadiness::BreakFit fit{marker.Time, marker.Duration, adverts};
    if (adverts > marker.Duration + tolerance)
        ready.OverfullBreaks.append(fit);
    else if (adverts < marker.Duration - tolerance)
        ready.UnderfullBreaks.append(fit);
}
