#include "importers/BreakNoteReader.h"

#include "base/NumericText.h"
#include "importers/MusicLogLine.h"
#include "stationdb/CartTools.h"

#include <QHash>

using namespace Qt::Literals::StringLiterals;

namespace {

// The first blank-separated word of a text, after any leading blanks.
QString firstWord(const QString& text) {
    const QString trimmed = text.trimmed();
    const qsizetype blank = trimmed.indexOf(u' ');
    return blank < 0 ? trimmed : trimmed.left(blank);
}

// The word that starts at or after `at` (blanks skipped); `at` moves to its end.
QString nextWord(const QString& text, qsizetype& at) {
    while (at < text.size() && text[at] == u' ')
        ++at;
    const qsizetype start = at;
    while (at < text.size() && text[at] != u' ')
        ++at;
    return text.mid(start, at - start);
}

// The text after the command's first blank.
QString afterFirstBlank(const QString& command) {
    const qsizetype blank = command.indexOf(u' ');
    return blank < 0 ? QString() : command.mid(blank + 1);
}

} // namespace

QString BreakNoteReader::shortened(const QString& command) {
    const QString six = command.left(6).toUpper();
    if (six == u"BREAK " || six == u"$BREAK")
        return u"$$"_s + command.mid(2);
    if (six == u"SPLIT " || six == u"$SPLIT")
        return u"$P"_s + command.mid(2);
    if (command.left(5) == u"$HOOK")
        return u"$K"_s + command.mid(5);
    return command;
}

double BreakNoteReader::minutesAndSeconds(const QString& word) {
    double seconds = NumericText::Value(word.mid(0, 2)) * 60 + NumericText::Value(word.mid(3, 2));
    if (!word.mid(5, 1).trimmed().isEmpty())
        seconds += NumericText::Value(word.mid(6, 2)) / 100.0;
    return seconds;
}

double BreakNoteReader::timeOfDayWord(const QString& word) {
    return NumericText::Value(word.mid(3, 2)) * 60 + NumericText::Value(word.mid(6, 2));
}

bool BreakNoteReader::Read(const QString& line, LogItem& item, MusicFormatContext& context) {
    const QString command = shortened(line.mid(14));
    const QString code = command.left(2).toUpper();
    item.State = ItemState::Ready;

    if (code == u"$A") {
        const bool on = command.mid(2, 2).toUpper() == u"ON";
        context.Mode = on ? 2 : 1;
        context.HourFlag = on;
        return false;
    }
    if (code == u"$Q" || code == u"$L") {
        context.HourFlag = false;
        const QString which = command.mid(2, 1).toUpper();
        if (which == u"L")
            context.Mode = 1;
        else if (which == u"A" || which == u"R")
            context.Mode = 2;
        context.HourFlag = which == u"R";
        return false;
    }
    if (code == u"$D")
        return false;
    if (code == u"$I") {
        context.WaitForHardware = true;
        return false;
    }

    if (code == u"$C") {
        item.Type = ItemType::Comment;
        item.Description = firstWord(command.mid(2));
    } else if (code == u"$H") {
        static const QHash<QString, int> subCodes = {
            {u"$HS"_s, 1}, {u"$HC"_s, 0}, {u"$HF"_s, 2}, {u"$HP"_s, 3}};
        item.Type = ItemType::Link;
        item.Parameter(1) = float(NumericText::WholeValue(command.mid(3)));
        item.Parameter(2) = float(subCodes.value(command.left(3).toUpper(), 0));
        item.Title = afterFirstBlank(command).left(40).trimmed();
    } else if (code == u"$K") {
        readHook(command, item);
    } else if (code == u"$P" || code == u"$$") {
        item.Type = code == u"$P" ? ItemType::Split : ItemType::Advert;
        item.Time = float(context.HourStart + timeOfDayWord(firstWord(afterFirstBlank(command))));
        item.Duration = 120;
        if (code == u"$$") {
            item.Title = u"Advert Break"_s;
            item.State = ItemState::Marker;
        }
    } else if (code == u"$T" || code == u"$W") {
        item.Type = ItemType::TimedEvent;
        qsizetype at = 2;
        const QString time = nextWord(command, at);
        item.Time = float(context.HourStart + minutesAndSeconds(time));
        if (code == u"$T") {
            item.Title = afterFirstBlank(command).left(40).trimmed();
        } else {
            const QString input = nextWord(command, at);
            item.InputFlag = input.startsWith(u"$IS"_s) ? 1 : 0;
            item.InputNumber = int(NumericText::WholeValue(input.mid(3)));
            item.Title = command.left(54).mid(at).trimmed();
        }
    } else {
        readLink(line, command, item, context);
    }
    MusicLogLine::ApplyTransitionCode(item, line);
    return true;
}

void BreakNoteReader::readHook(const QString& command, LogItem& item) {
    const QStringList fields = command.mid(2, 47).trimmed().split(u',');
    auto field = [&fields](int n) { return n <= fields.size() ? fields[n - 1].trimmed() : QString(); };
    const qint64 first = NumericText::WholeValue(field(1));
    qint64 mode = NumericText::WholeValue(field(2));
    if (mode <= 0) {
        static const QHash<QString, int> named = {{u"NEXT"_s, 1}, {u"RANDOM"_s, 2}, {u"NEXTREVERSE"_s, 4097}};
        mode = named.value(field(2).toUpper(), 0);
    }
    if (first <= 0 || mode <= 0)
        return; // not a hook this system can play: the item stays as made
    item.Type = ItemType::Hook;
    item.Title = u"Auto-Hook"_s;
    item.Parameter(1) = float(first);
    item.Parameter(2) = float(mode);
    item.Parameter(3) = float(NumericText::WholeValue(field(7)));
    for (int n = 1; n <= 4; ++n)
        item.TextParameter(n) = field(n + 2);
}

void BreakNoteReader::readLink(const QString& line, const QString& command, LogItem& item,
                               const MusicFormatContext& context) {
    item.Title = command.trimmed().left(40).trimmed();
    const QString cart = MusicLogLine::Field(line, 64, 73);
    if (cart.isEmpty()) {
        const QString length = MusicLogLine::Columns(line, 70, 74);
        item.Type = ItemType::Script;
        item.Duration = float(NumericText::Value(length.mid(1)) * 60 + NumericText::Value(length.mid(3)));
        return;
    }
    item.CartNumber =
        MusicLogLine::OffsetCart(MusicLogLine::OffsetCart(cart, context.OffsetLinkItems), context.CartOffset);
    if (CartTools::IsCartInRange(item.CartNumber, context.ScriptsRangeStart, context.ScriptsRangeEnd)) {
        item.Type = ItemType::Script;
        item.CartNumber.clear();
    } else if (CartTools::IsCartInRange(item.CartNumber, context.CartGroupsStart, context.CartGroupsEnd)) {
        item.Type = ItemType::CartGroup;
        item.Parameter(1) =
            float(NumericText::Value(item.CartNumber) - NumericText::Value(context.CartGroupsStart) + 1);
        item.CartNumber.clear();
    } else {
        const StationDatabase::CartLookup found = context.LookupCart(item.CartNumber);
        item.Type = found.Type;
        if (found.Flag)
            item.Transition = 100;
    }
}

QString BreakNoteReader::WaitForHardwareMessage() {
    return u"You are using the Wait For Hardware event ($Ixxx).\n\nThis is not supported in Ostrel v3 - "
           u"Please "
           u"email "_s +
           SupportAddress() + u" for more information"_s;
}
