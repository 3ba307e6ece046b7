#include "base/FormEncoding.h"

#include "base/Windows1252.h"

namespace {

int hexDigit(QChar ch) {
    const char16_t c = ch.unicode();
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

} // namespace

std::optional<QString> FormEncoding::Decode(const QString& encoded) const {
    const QString text = QString(encoded).replace(u'+', u' ');
    qsizetype percent = text.indexOf(u'%');
    if (percent < 0)
        return text;
    QString result = text.left(percent);
    result.reserve(text.size());
    while (percent >= 0) {
        if (percent + 2 >= text.size())
            return std::nullopt;
        const int high = hexDigit(text[percent + 1]);
        const int low = hexDigit(text[percent + 2]);
        if (high < 0 || low < 0)
            return std::nullopt;
        result.append(Windows1252::ToChar(static_cast<unsigned char>(high * 16 + low)));
        // The escape's own characters are hexadecimal digits, never a "%", so the
        // next escape can only begin after them.
        const qsizetype next = text.indexOf(u'%', percent + 1);
        result.append(QStringView(text).mid(percent + 3, next < 0 ? -1 : next - percent - 3));
        percent = next;
    }
    return result;
}
