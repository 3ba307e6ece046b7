#include "importers/MusicItemReader.h"

#include "base/NumericText.h"
#include "base/iLineSource.h"
#include "importers/MusicLogLine.h"

LogItem MusicItemReader::Read(const QString& line, const QString& note, iLineSource& more,
                              const MusicFormatContext& context) {
    LogItem item;
    item.State = 2;
    item.CartNumber = MusicLogLine::OffsetCart(
        MusicLogLine::OffsetCart(MusicLogLine::Field(line, 2, 8), context.OffsetAudioItems),
        context.CartOffset);
    item.Title = MusicLogLine::Field(line, 10, 42);
    item.Text1 = MusicLogLine::Field(line, 44, 63);
    item.EndStyle = MusicLogLine::EndStyle(MusicLogLine::Columns(line, 74, 75));
    item.Note = note;

    switch (line[0].unicode()) {
    case u'A':
        item.Type = 4;
        break;
    case u'C':
        item.Type = 2;
        break;
    case u'S':
        item.Type = 7;
        break;
    case u'L':
        item.Type = 3;
        break;
    case u'W':
        item.Type = 3;
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
    if (found.Type == 13)
        item.Parameter(1) =
            float(NumericText::Value(item.CartNumber) - NumericText::Value(context.CartGroupsStart) + 1);
    if (found.Type == 0)
        item.Type = 8;
    if (found.Type == 13 || found.Type == 8 || found.Type == 0)
        item.CartNumber.clear();
    if (found.Flag)
        item.Transition = 100;
}
