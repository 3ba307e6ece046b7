#include "base/NumericText.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

bool isBlank(QChar ch) {
    return ch == u' ' || ch == u'\t';
}

} // namespace

double NumericText::Value(QStringView text) {
    // Plain whole numbers, by far the most common in the logs, need no conversion.
    qint64 whole = 0;
    int digits = 0;
    bool plain = true;
    for (const QChar ch : text) {
        if (isBlank(ch))
            continue;
        if (!ch.isDigit() || ch.unicode() >= 128 || ++digits > 15) {
            plain = false;
            break;
        }
        whole = whole * 10 + (ch.unicode() - u'0');
    }
    if (plain)
        return double(whole);
    QString number;
    bool seenDigit = false;
    bool seenPoint = false;
    bool seenExponent = false;
    bool signAllowed = true;
    for (const QChar ch : text) {
        if (isBlank(ch))
            continue;
        if (ch.isDigit() && ch.unicode() < 128) {
            number.append(ch);
            seenDigit = true;
            signAllowed = false;
        } else if ((ch == u'+' || ch == u'-') && signAllowed) {
            number.append(ch);
            signAllowed = false;
        } else if (ch == u'.' && !seenPoint && !seenExponent) {
            number.append(ch);
            seenPoint = true;
            signAllowed = false;
        } else if ((ch == u'e' || ch == u'E') && seenDigit && !seenExponent) {
            number.append(u'e');
            seenExponent = true;
            signAllowed = true;
        } else {
            break;
        }
    }
    // A dangling exponent or sign ("12e", "5e-") does not continue the number.
    while (!number.isEmpty() && !number.back().isDigit() && number.back() != u'.')
        number.chop(1);
    if (!seenDigit)
        return 0;
    bool ok = false;
    const double value = number.toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0;
}

namespace {

// A value that converts to a whole number without overflow: infinities and
// not-a-number are 0, and values beyond half the range of qint64 stop there.
double convertible(double value) {
    if (!std::isfinite(value))
        return 0;
    constexpr double limit = double(std::numeric_limits<qint64>::max() / 2);
    return std::clamp(value, -limit, limit);
}

} // namespace

qint64 NumericText::RoundHalfEven(double value) {
    return static_cast<qint64>(std::nearbyint(convertible(value))); // the default rounding mode is to even
}

qint64 NumericText::WholePart(double value) {
    return static_cast<qint64>(std::trunc(convertible(value)));
}
