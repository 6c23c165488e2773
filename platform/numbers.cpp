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
    bool ok = false;
    const double value = locale.toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString numberToText(double value)
{
    // 'g' with 15 digits writes whole numbers below 10^15 as plain digits and never
    // a trailing point or zeros; the C locale keeps digit grouping out.
    return QLocale::c().toString(value, 'g', 15);
}

} // namespace platform
