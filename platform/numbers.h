// Conversions between text and numbers, as typed and read by the player.
#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace platform {

// The one reading of a text as a number, in the user's locale (digits, a sign, the
// locale's decimal separator, an exponent, surrounding white space). A text whose
// value is not a finite double is not a number.
std::optional<double> numberFromText(QStringView text);

// True when the text is a number; the empty text is not.
inline bool isNumeric(QStringView text) { return numberFromText(text).has_value(); }

// The text's number; 0 for a text that is not one (callers test isNumeric first).
inline double toNumber(QStringView text) { return numberFromText(text).value_or(0.0); }

// A number as text: a whole number is its decimal digits alone.
QString numberToText(double value);

} // namespace platform
