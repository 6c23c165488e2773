// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

#include "platform/forms/numbers.h"

#include <QLocale>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace forms {

namespace {

// The typed text in the C locale's form (ASCII digits, '.', '-', '+', 'e'), or nothing
// when it holds a character that has no place in a number. Qt's own reading in the
// user's locale follows Qt's locale data, which changes between Qt versions (Qt 6.8
// refuses "1E0" in Swedish, Qt 6.4 reads it); here only the locale's digits, decimal
// separator and signs come from it, and the C locale reads the rest alike on every Qt.
std::optional<QString> inCForm(QStringView typed, const QLocale &locale)
{
    // A locale's sign may be more than one character: a direction mark and the sign.
    // Unicode's minus sign is a minus in every locale, as Qt reads it too.
    std::vector<std::pair<QString, QChar>> pieces = {{locale.decimalPoint(), u'.'}, {locale.negativeSign(), u'-'},
        {locale.positiveSign(), u'+'}, {QString(QChar(0x2212)), u'-'}};
    const char32_t zero = locale.zeroDigit().toUcs4().value(0, U'0');
    for (char16_t digit = 0; digit < 10; ++digit) {
        const char32_t native = zero + digit;
        pieces.emplace_back(QString::fromUcs4(&native, 1), QChar(u'0' + digit));
    }

    QString plain;
    plain.reserve(typed.size());
    for (qsizetype at = 0; at < typed.size();) {
        const QChar c = typed[at];
        if ((c >= u'0' && c <= u'9') || c == u'-' || c == u'+' || c == u'e' || c == u'E') {
            plain += c.toLower();
            ++at;
            continue;
        }
        const auto piece = std::ranges::find_if(pieces,
            [&](const auto &piece) { return !piece.first.isEmpty() && typed.sliced(at).startsWith(piece.first); });
        if (piece == pieces.end())
            return std::nullopt; // a group separator, a letter, any other mark
        plain += piece->second;
        at += piece->first.size();
    }
    return plain;
}

} // namespace

std::optional<double> numberFromText(QStringView text)
{
    std::optional<QString> plain = inCForm(text.trimmed(), QLocale());
    if (!plain)
        return std::nullopt;
    const QLocale c = QLocale::c();
    bool ok = false;
    const double value = c.toDouble(*plain, &ok);
    if (ok)
        return std::isfinite(value) ? std::optional(value) : std::nullopt;
    // Qt refuses a number too close to zero for a double, with 0 (an overflow gives
    // an infinity). It is a number all the same, zero once read. What sets it apart from
    // a text that is no number: with every digit a zero the text reads.
    if (value != 0)
        return std::nullopt;
    std::ranges::replace_if(
        *plain, [](QChar c) { return c >= u'1' && c <= u'9'; }, u'0');
    const double zero = c.toDouble(*plain, &ok);
    return ok ? std::optional(zero) : std::nullopt;
}

QString numberToText(double value)
{
    // 'g' with 15 digits writes whole numbers below 10^15 as plain digits and never
    // a trailing point or zeros; the C locale keeps digit grouping out.
    return QLocale::c().toString(value, 'g', 15);
}

} // namespace forms
