// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

// Conversions between text and numbers, as typed and read by the player.
#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace forms {

// The one reading of a text as a number, alike on every Qt: surrounding white space
// around digits (ASCII or the user's locale's own) with at most one decimal separator
// of the locale, a sign (ASCII or the locale's) in front, and an exponent written "e"
// or "E". Group separators are refused: in a count of balls, "1,5" or "1 000" is more
// likely a slip than a thousand. A value too small for a double reads as zero; a text
// whose value is too large for one is not a number.
std::optional<double> numberFromText(QStringView text);

// True when the text is a number; the empty text is not.
inline bool isNumeric(QStringView text)
{
    return numberFromText(text).has_value();
}

// The text's number; 0 for a text that is not one (callers test isNumeric first).
inline double toNumber(QStringView text)
{
    return numberFromText(text).value_or(0.0);
}

// A number as text: a whole number is its decimal digits alone.
QString numberToText(double value);

} // namespace forms
