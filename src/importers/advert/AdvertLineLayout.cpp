#include "importers/advert/AdvertLineLayout.h"

#include "base/GeneralTools.h"
#include "base/NumericText.h"
#include "base/FormEncoding.h"

using namespace Qt::Literals::StringLiterals;

AdvertLineLayout::Layout AdvertLineLayout::LayoutOf(const QString& Line) {
    // The layout's marks, tested where they stand (the hottest path of a push).
    const auto at = [&Line](qsizetype column, QChar c) {
        return Line.size() >= column && Line[column - 1] == c;
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

QString AdvertLineLayout::NormaliseAdvertLine(const QString& Line) {
    switch (LayoutOf(Line)) {
    case CRecord: {
        const QString t = columns(Line, 2, 5);
        const QString time = t.left(2) + u':' + t.mid(2) + u":00"_s;
        const double length = GeneralTools::TextToSeconds(columns(Line, 39, 43).replace(u' ', u'0'), 3);
        return BuildAdvertLine(time, QString(), columns(Line, 9, 12).trimmed(),
                               columns(Line, 13, 38).trimmed(), columns(Line, 48, 79), length, false,
                               QString());
    }
    case Prefixed:
        return BuildAdvertLine(columns(Line, 6, 13), columns(Line, 21, 24), columns(Line, 15, 19).trimmed(),
                               columns(Line, 26, 67).trimmed(), QString(),
                               NumericText::Value(columns(Line, 70, 73)), false, QString());
    case ShortTime:
        return columns(Line, 1, 5) + u":00"_s + columns(Line, 6, 11) + u"    "_s + columns(Line, 12, 47) +
               u' ' + Line.mid(47);
    case Native:
        break;
    }
    return Line;
}

float AdvertLineLayout::AdvertLineSeconds(const QString& Line) {
    if (isBlankLine(Line))
        return -1;
    const QString line = NormaliseAdvertLine(Line);
    const auto field = [&line](int from) { return NumericText::Value(QStringView(line).mid(from - 1, 2)); };
    return float(field(1) * 3600 + field(4) * 60 + field(7));
}

QString AdvertLineLayout::AdvertLineType(const QString& Line) {
    return isBlankLine(Line) ? QString() : columns(NormaliseAdvertLine(Line), 10, 13).trimmed().toUpper();
}

QString AdvertLineLayout::AdvertLineCart(const QString& Line, qint32 Offset) {
    if (isBlankLine(Line))
        return u"0"_s;
    const QString cart = columns(NormaliseAdvertLine(Line), 15, 22).trimmed();
    if (Offset == 0)
        return cart;
    return QString::number(NumericText::RoundHalfEven(NumericText::Value(cart) + Offset));
}

QString AdvertLineLayout::AdvertLineTitle(const QString& Line) {
    return isBlankLine(Line) ? QString() : columns(NormaliseAdvertLine(Line), 24, 53).trimmed();
}

float AdvertLineLayout::AdvertLineLength(const QString& Line) {
    return isBlankLine(Line)
               ? 0
               : float(NumericText::Value(columns(NormaliseAdvertLine(Line), 55, 58).trimmed()));
}

QString AdvertLineLayout::AdvertLineReference(const QString& Line) {
    return isBlankLine(Line) ? QString() : columns(NormaliseAdvertLine(Line), 60, 99);
}

std::optional<QString> AdvertLineLayout::AdvertLineNotes(const QString& Line) {
    const QString notes = isBlankLine(Line) ? QString() : NormaliseAdvertLine(Line).mid(100).trimmed();
    return notes.isEmpty() ? std::optional(notes) : DecodeAdvertNotes(notes);
}

QString AdvertLineLayout::BuildAdvertLine(const QString& Time, const QString& Type, const QString& Cart,
                                      const QString& Title, const QString& Reference, double Length,
                                      bool ShortForm, const QString& Notes) {
    const QString length = QString::number(NumericText::RoundHalfEven(Length));
    QString line = GeneralTools::PadRight(Time, ShortForm ? 5 : 8) + u'|' + GeneralTools::PadRight(Type, 4) +
                   u'|' + GeneralTools::PadLeft(Cart, ShortForm ? 4 : 8) + u'|' +
                   GeneralTools::PadRight(Title, 30) + u'|' +
                   GeneralTools::PadLeft(length, ShortForm ? 3 : 4) + u'|' + Reference;
    if (!ShortForm && !Notes.isEmpty())
        line = GeneralTools::PadRight(line, 99) + u'|' + GeneralTools::UrlEncode(Notes);
    return line;
}

std::optional<QString> AdvertLineLayout::DecodeAdvertNotes(const QString& Text) {
    return FormEncoding().URLDecode2(Text);
}
