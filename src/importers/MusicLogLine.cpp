#include "importers/MusicLogLine.h"

#include "base/FormEncoding.h"
#include "base/NumericText.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

MusicLogLine::Kind MusicLogLine::KindOf(const QString& line) {
    if (line.isEmpty())
        return Empty;
    switch (line[0].unicode()) {
    case u'+':
        return HourHeader;
    case u'=':
    case u';':
    case u'*':
    case u'-':
    case u'\'':
        return Comment;
    case u':':
        return BreakNote;
    case u'@':
    case u'#':
    case u'A':
    case u'C':
    case u'S':
    case u'L':
    case u'W':
        return ItemLine;
    default:
        return Other;
    }
}

QString MusicLogLine::WithoutFormFeed(const QString& line) {
    return line.startsWith(QChar(12)) ? line.mid(1) : line;
}

QString MusicLogLine::Columns(const QString& line, int from, int to) {
    return line.mid(from - 1, to - from + 1);
}

int MusicLogLine::EndStyle(const QString& code) {
    const QString upper = code.trimmed().toUpper();
    if (upper == u"E")
        return 1;
    if (upper == u"F")
        return 2;
    if (upper == u"S")
        return 4;
    if (upper == u"SF")
        return 8;
    return 0;
}

void MusicLogLine::ApplyTransitionCode(LogItem& item, const QString& line) {
    if (item.Transition == 100)
        return;
    const QString code = Field(line, 80, 84).left(1);
    if (code.isEmpty())
        return;
    switch (code[0].unicode()) {
    case u'@':
    case u'A':
        item.Transition = 100;
        break;
    case u'X':
    case u'N':
    case u'O':
        item.Transition = 50;
        break;
    case u'#':
    case u'F':
        item.Transition = 50;
        item.Flags |= 1;
        break;
    case u'-':
    case u'Y':
    case u'P':
        item.Transition = 0;
        break;
    case u'+':
    case u'C':
        item.Transition = 0;
        item.Flags |= 1;
        break;
    default:
        break;
    }
}

QString MusicLogLine::ControlCharacter(const QString& line) {
    for (qsizetype at = line.startsWith(QChar(12)) ? 1 : 0; at < line.size(); ++at) {
        const char16_t c = line[at].unicode();
        if (c < u' ' && c != u'\t')
            return u"it holds the control character 0x%1 at column %2"_s.arg(int(c), 2, 16, QLatin1Char('0'))
                .arg(at + 1);
    }
    return {};
}

bool MusicLogLine::IsCartNumber(const QString& text) {
    return !text.isEmpty() &&
           std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

QString MusicLogLine::OffsetCart(const QString& cart, qint32 offset) {
    if (cart.isEmpty() || offset == 0)
        return cart;
    return QString::number(NumericText::RoundHalfEven(NumericText::Value(cart) + offset));
}

std::optional<QString> MusicLogLine::Note(const QString& line, const FormEncoding& decoder) {
    return decoder.Decode(line.mid(100).trimmed());
}
