// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

// Fuzzes the reading of a typed answer as a number: the numeric test and the conversion
// must agree, an accepted text must give a finite number, and no text may crash or
// take long. Every input is tried twice: as UTF-8, and as raw UTF-16 code units (which
// reach lone surrogates and any other unit that UTF-8 decoding would never produce).
#include "platform/forms/numbers.h"

#include <QLocale>
#include <QString>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// The same answer, to the last bit.
bool sameReading(const std::optional<double> &a, const std::optional<double> &b)
{
    return a.has_value() == b.has_value() && (!a || std::memcmp(&*a, &*b, sizeof(double)) == 0);
}

void check(QStringView text)
{
    const std::optional<double> value = forms::numberFromText(text);
    const bool numeric = forms::isNumeric(text);
    const double number = forms::toNumber(text);
    if (numeric != value.has_value())
        std::abort(); // the test and the reading disagree
    if (value && !std::isfinite(*value))
        std::abort(); // an accepted text must be a finite number
    if (value && !(number == *value || (std::isnan(number) && std::isnan(*value))))
        std::abort(); // the conversion of an accepted text is not its reading
    if (!value && number != 0.0)
        std::abort();
    // A second reading of the same text gives the same answer: no state carries over.
    if (!sameReading(forms::numberFromText(text), value))
        std::abort();
    // An exponent reads alike written "e" or "E", in every locale.
    QString withLowerE = text.toString(), withUpperE = withLowerE;
    withLowerE.replace(u'E', u'e');
    withUpperE.replace(u'e', u'E');
    if (!sameReading(forms::numberFromText(withLowerE), forms::numberFromText(withUpperE)))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // The user's decimal separator is a comma in Swedish; the fuzzer's own flag picks
    // the locale so that both readings get their share of runs.
    if (const char *locale = std::getenv("TOLVARN_FUZZ_LOCALE"))
        QLocale::setDefault(QLocale(QString::fromLatin1(locale)));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    check(QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)));

    std::vector<char16_t> units(size / 2);
    if (!units.empty())
        std::memcpy(units.data(), data, units.size() * sizeof(char16_t));
    check(QStringView(units.data(), static_cast<qsizetype>(units.size())));
    return 0;
}
