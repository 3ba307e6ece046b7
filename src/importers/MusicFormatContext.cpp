#include "importers/MusicFormatContext.h"

MusicFormatContext MusicFormatContext::Of(StationDatabase& db) {
    const StationSettings& settings = db.Settings();
    MusicFormatContext context;
    context.OffsetAudioItems = settings.OffsetAudioItems();
    context.OffsetLinkItems = settings.OffsetLinkItems();
    context.CartOffset = settings.CartOffset();
    context.ScriptsRangeStart = settings.ScriptsRangeStart();
    context.ScriptsRangeEnd = settings.ScriptsRangeEnd();
    context.CartGroupsStart = settings.CartGroupsStart();
    context.CartGroupsEnd = settings.CartGroupsEnd();
    context.LookupCart = [&db](const QString& number) { return db.LookupCart(number); };
    return context;
}
