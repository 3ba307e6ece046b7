#include "importers/MusicItemReader.h"

#include "base/LineSource.h"
#include "base/NumericText.h"
#include "importers/MusicLogLine.h"

LogItem MusicItemReader::Read(const QString& line, const QString& note, LineSource& more,
                              const MusicFormatContext& context) {
    LogItem item;
    item.State = ItemState::Ready;
    item.CartNumber = MusicLogLine::OffsetCart(
        MusicLogLine::OffsetCart(MusicLogLine::Field(line, 2, 8), context.OffsetAudioItems),
        context.CartOffset);
    item.Title = MusicLogLine::Field(line, 10, 42);
    item.Text1 = MusicLogLine::Field(line, 44, 63);
    item.EndStyle = MusicLogLine::EndStyle(MusicLogLine::Columns(line, 74, 75));
    item.Note = note;

    switch (line[0].unicode()) {
    case u'A':
        item.Type = ItemType::Advert;
        break;
    case u'C':
        item.Type = ItemType::Jingle;
        break;
    case u'S':
        item.Type = ItemType::Sweeper;
        break;
    case u'L':
        item.Type = ItemType::Song;
        break;
    case u'W':
        item.Type = ItemType::Song;
        item.Transition = 100;
        break;
    default:
        typeFromLookUp(item, context);
        break;
    }

    if (line[0] == u'@') {
        QString second;
        more.NextLine(second);
        item.Text2 = MusicLogLine::Field(second, 44, 63);
        QString third;
        if (!second.trimmed().isEmpty() && more.NextLine(third) && item.Note.isEmpty())
            item.Note = MusicLogLine::Field(third, 10, 80);
    }
    MusicLogLine::ApplyTransitionCode(item, line);
    return item;
}

void MusicItemReader::typeFromLookUp(LogItem& item, const MusicFormatContext& context) {
    const StationDatabase::CartLookup found = context.LookupCart(item.CartNumber);
    item.Type = found.Type;
    if (found.Type == ItemType::CartGroup)
        item.Parameter(1) =
            float(NumericText::Value(item.CartNumber) - NumericText::Value(context.CartGroupsStart) + 1);
    if (found.Type == ItemType::Unknown)
        item.Type = ItemType::Script;
    if (found.Type == ItemType::CartGroup || found.Type == ItemType::Script ||
        found.Type == ItemType::Unknown)
        item.CartNumber.clear();
    if (found.Flag)
        item.Transition = 100;
}
