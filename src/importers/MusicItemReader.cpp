#include "importers/MusicItemReader.h"

#include "base/LineSource.h"
#include "base/NumericText.h"
#include "importers/MusicLogLine.h"

using namespace Qt::Literals::StringLiterals;

MusicItemReader::Reading MusicItemReader::Read(const QString& line, const QString& note, LineSource& more,
                                               const MusicFormatContext& context) {
    if (QString problem = problemOf(line); !problem.isEmpty())
        return {std::nullopt, problem};
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
        if (QString problem = readContinuation(item, more); !problem.isEmpty())
            return {std::nullopt, problem};
    }
    MusicLogLine::ApplyTransitionCode(item, line);
    return {item, {}};
}

QString MusicItemReader::problemOf(const QString& line) {
    if (QString control = MusicLogLine::ControlCharacter(line); !control.isEmpty())
        return control;
    const QString cart = MusicLogLine::Field(line, 2, 8);
    if (cart.isEmpty()) {
        return takesTypeFromCart(line[0])
                   ? u"its cart column is blank, and a '%1' line takes its type from its cart"_s.arg(line[0])
                   : QString();
    }
    return MusicLogLine::IsCartNumber(cart) ? QString()
                                            : u"its cart column holds '%1', not a cart number"_s.arg(cart);
}

QString MusicItemReader::readContinuation(LogItem& item, LineSource& more) {
    QString second;
    more.NextLine(second);
    if (QString control = MusicLogLine::ControlCharacter(second); !control.isEmpty())
        return control;
    item.Text2 = MusicLogLine::Field(second, 44, 63);
    QString third;
    if (second.trimmed().isEmpty() || !more.NextLine(third))
        return {};
    if (QString control = MusicLogLine::ControlCharacter(third); !control.isEmpty())
        return control;
    if (item.Note.isEmpty())
        item.Note = MusicLogLine::Field(third, 10, 80);
    return {};
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
