#include "importers/advert/AdvertLineLayout.h"

#include "base/FormEncoding.h"
#include "base/GeneralTools.h"
#include "base/NumericText.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

AdvertLineLayout::Layout AdvertLineLayout::LayoutOf(const QString& advertLine) {
    // The layout's marks, tested where they stand (the hottest path of a push).
    const auto at = [&advertLine](qsizetype column, QChar c) {
        return advertLine.size() >= column && advertLine[column - 1] == c;
    };
    if ((at(1, u'C') || at(1, u'c')) && at(6, u':'))
        return CRecord;
    if (at(5, u'|'))
        return Prefixed;
    if (at(6, u'|'))
        return ShortTime;
    return Native;
}

QString AdvertLineLayout::LayoutName(Layout layout) {
    static const char* const names[] = {"native", "short-time", "prefixed", "c-record"};
    return QString::fromLatin1(names[layout]);
}

QString AdvertLineLayout::NormaliseAdvertLine(const QString& advertLine) {
    switch (LayoutOf(advertLine)) {
    case CRecord: {
        const QString t = columns(advertLine, 2, 5);
        const QString time = t.left(2) + u':' + t.mid(2) + u":00"_s;
        const double length = GeneralTools::TextToSeconds(columns(advertLine, 39, 43).replace(u' ', u'0'), 3);
        return BuildAdvertLine(time, QString(), columns(advertLine, 9, 12).trimmed(),
                               columns(advertLine, 13, 38).trimmed(), columns(advertLine, 48, 79), length,
                               false, QString());
    }
    case Prefixed:
        return BuildAdvertLine(columns(advertLine, 6, 13), columns(advertLine, 21, 24),
                               columns(advertLine, 15, 19).trimmed(), columns(advertLine, 26, 67).trimmed(),
                               QString(), NumericText::Value(columns(advertLine, 70, 73)), false, QString());
    case ShortTime:
        return columns(advertLine, 1, 5) + u":00"_s + columns(advertLine, 6, 11) + u"    "_s +
               columns(advertLine, 12, 47) + u' ' + advertLine.mid(47);
    case Native:
        break;
    }
    return advertLine;
}

float AdvertLineLayout::AdvertLineSeconds(const QString& advertLine) {
    if (isBlankLine(advertLine))
        return -1;
    const QString line = NormaliseAdvertLine(advertLine);
    const auto field = [&line](int from) { return NumericText::Value(QStringView(line).mid(from - 1, 2)); };
    return float(field(1) * 3600 + field(4) * 60 + field(7));
}

QString AdvertLineLayout::TimeProblem(const QString& advertLine) {
    if (isBlankLine(advertLine))
        return {};
    const QString time = columns(NormaliseAdvertLine(advertLine), 1, 8);
    // Two digits each (the hour may be a single one after a blank), within the day.
    const auto part = [&time](int from, int limit) {
        const QString digits = time.mid(from, 2).trimmed();
        bool number = !digits.isEmpty() && (from == 0 || digits.size() == 2);
        for (const QChar c : digits)
            number = number && c >= u'0' && c <= u'9';
        return number && digits.toInt() < limit;
    };
    if (time.size() < 8 || time[2] != u':' || time[5] != u':' || !part(0, 24) || !part(3, 60) || !part(6, 60))
        return u"its time '%1' is not a time of the day (hh:mm:ss)"_s.arg(time.trimmed());
    return {};
}

QString AdvertLineLayout::Problem(const QString& advertLine, qint32 cartOffset) {
    if (isBlankLine(advertLine))
        return {};
    for (const QChar c : advertLine) {
        if (c < u' ' && c != u'\t')
            return u"it holds a control character (code %1)"_s.arg(c.unicode());
    }
    if (QString why = TimeProblem(advertLine); !why.isEmpty())
        return why;
    const QString cart = AdvertLineCart(advertLine, 0);
    const bool digits =
        std::all_of(cart.cbegin(), cart.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    if (!digits)
        return u"its cart '%1' is not a cart number"_s.arg(cart);
    if (cartOffset != 0 && !cart.isEmpty() && AdvertLineCart(advertLine, cartOffset).toLongLong() <= 0)
        return u"its cart '%1' with the advert cart offset %2 is not a cart number"_s.arg(cart).arg(
            cartOffset);
    if (cart.isEmpty() && AdvertLineTitle(advertLine).isEmpty())
        return u"it has neither a cart nor a title"_s;
    if (!AdvertLineNotes(advertLine))
        return u"its notes hold a %-escape that cannot be decoded"_s;
    return {};
}

QString AdvertLineLayout::AdvertLineType(const QString& advertLine) {
    return isBlankLine(advertLine) ? QString()
                                   : columns(NormaliseAdvertLine(advertLine), 10, 13).trimmed().toUpper();
}

QString AdvertLineLayout::AdvertLineCart(const QString& advertLine, qint32 offset) {
    if (isBlankLine(advertLine))
        return u"0"_s;
    const QString cart = columns(NormaliseAdvertLine(advertLine), 15, 22).trimmed();
    if (offset == 0)
        return cart;
    return QString::number(NumericText::RoundHalfEven(NumericText::Value(cart) + offset));
}

QString AdvertLineLayout::AdvertLineTitle(const QString& advertLine) {
    return isBlankLine(advertLine) ? QString() : columns(NormaliseAdvertLine(advertLine), 24, 53).trimmed();
}

float AdvertLineLayout::AdvertLineLength(const QString& advertLine) {
    return isBlankLine(advertLine)
               ? 0
               : float(NumericText::Value(columns(NormaliseAdvertLine(advertLine), 55, 58).trimmed()));
}

QString AdvertLineLayout::AdvertLineReference(const QString& advertLine) {
    return isBlankLine(advertLine) ? QString() : columns(NormaliseAdvertLine(advertLine), 60, 99);
}

std::optional<QString> AdvertLineLayout::AdvertLineNotes(const QString& advertLine) {
    const QString notes =
        isBlankLine(advertLine) ? QString() : NormaliseAdvertLine(advertLine).mid(100).trimmed();
    return notes.isEmpty() ? std::optional(notes) : DecodeAdvertNotes(notes);
}

QString AdvertLineLayout::BuildAdvertLine(const QString& at, const QString& type, const QString& cartNumber,
                                          const QString& title, const QString& reference, double seconds,
                                          bool shortForm, const QString& noteText) {
    const QString length = QString::number(NumericText::RoundHalfEven(seconds));
    QString line = GeneralTools::PadRight(at, shortForm ? 5 : 8) + u'|' + GeneralTools::PadRight(type, 4) +
                   u'|' + GeneralTools::PadLeft(cartNumber, shortForm ? 4 : 8) + u'|' +
                   GeneralTools::PadRight(title, 30) + u'|' +
                   GeneralTools::PadLeft(length, shortForm ? 3 : 4) + u'|' + reference;
    if (!shortForm && !noteText.isEmpty())
        line = GeneralTools::PadRight(line, 99) + u'|' + GeneralTools::UrlEncode(noteText);
    return line;
}

std::optional<QString> AdvertLineLayout::DecodeAdvertNotes(const QString& text) {
    return FormEncoding().Decode(text);
}
