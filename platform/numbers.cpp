#include "platform/numbers.h"

#include <QLocale>

#include <cmath>

namespace platform {

std::optional<double> numberFromText(QStringView text)
{
    // Group separators are refused: in a count of balls, "1,5" or "1 000" is more
    // likely a slip than a thousand.
    QLocale locale;
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    // Every locale reads an exponent written "E", but some, Swedish among them, refuse
    // "e": the player may type either.
    QString typed = text.trimmed().toString().replace(u'e', u'E');
    bool ok = false;
    const double value = locale.toDouble(typed, &ok);
    if (ok)
        return std::isfinite(value) ? std::optional(value) : std::nullopt;
    // Qt refuses a number too close to zero for a double, with 0 (an overflow gives
    // an infinity). It is a number all the same, zero once read. What sets it apart from
    // a text that is no number: with every digit a zero the text reads.
    if (value != 0)
        return std::nullopt;
    for (QChar &c : typed) {
        if (c >= u'1' && c <= u'9')
            c = u'0';
    }
    const double zero = locale.toDouble(typed, &ok);
    return ok ? std::optional(zero) : std::nullopt;
}

QString numberToText(double value)
{
    // 'g' with 15 digits writes whole numbers below 10^15 as plain digits and never
    // a trailing point or zeros; the C locale keeps digit grouping out.
    return QLocale::c().toString(value, 'g', 15);
}

} // namespace platform
