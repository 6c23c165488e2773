// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

// Typed answers as numbers, in the user's locale, alike on every Qt: only finite values
// pass.
#include "named_rows.h"
#include "platform/forms/numbers.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <optional>

namespace {

struct Typed {
    const char *name;
    QString text;
    std::optional<double> value;
    QLocale::Language language = QLocale::C;
};

class Numbers : public testing::TestWithParam<Typed> {};

TEST_P(Numbers, ReadAsTyped)
{
    const Typed &typed = GetParam();
    const QLocale before;
    QLocale::setDefault(QLocale(typed.language));
    const std::optional<double> value = forms::numberFromText(typed.text);
    QLocale::setDefault(before);
    EXPECT_EQ(value, typed.value);
}

constexpr auto Swedish = QLocale::Swedish, German = QLocale::German, Arabic = QLocale::Arabic;

INSTANTIATE_TEST_SUITE_P(Answers, Numbers,
    testing::Values(Typed{"fullWidthTwo", QString::fromUtf8("\xef\xbc\x92"), std::nullopt}, Typed{"plus", "+2", 2},
        Typed{"hugeNines", QString(100000, u'9'), std::nullopt}, Typed{"unicodeMinus", QStringLiteral("\u22122"), -2},
        Typed{"nul", QString(QChar(0)) + "1", std::nullopt}, Typed{"manyZeros", QString(100000, u'0') + "2", 2},
        Typed{"groupSeparator", "1,000", std::nullopt}, Typed{"trailingLetter", "2a", std::nullopt},
        Typed{"overflow", "1e999", std::nullopt}, Typed{"infinity", "-inf", std::nullopt}, Typed{"point", "2.5", 2.5},
        Typed{"letters", "abc", std::nullopt}, Typed{"spacesAround", "\t 3 \n", 3}, Typed{"space", " ", std::nullopt},
        Typed{"hex", "0x10", std::nullopt}, Typed{"nan", "nan", std::nullopt}, Typed{"empty", "", std::nullopt},
        Typed{"underflow", "1e-400", 0}, Typed{"exponent", "1E-1", 0.1}, Typed{"leadingZero", "01", 1},
        Typed{"swedishGroup", QStringLiteral("1\u00a0000"), std::nullopt, Swedish},
        Typed{"swedishMinus", QStringLiteral("\u22121,5E+0"), -1.5, Swedish},
        Typed{"swedishPoint", "2.5", std::nullopt, Swedish}, Typed{"swedishSpacedExponent", " 1e0 ", 1, Swedish},
        Typed{"swedishHyphen", "-1e-1", -0.1, Swedish}, Typed{"swedishExponent", "1E0", 1, Swedish},
        Typed{"swedishComma", "2,5", 2.5, Swedish}, Typed{"arabicMinus", QStringLiteral("\u061c-\u0663"), -3, Arabic},
        Typed{"arabicDigits", QStringLiteral("\u0662\u066b\u0665"), 2.5, Arabic},
        Typed{"germanGroup", "1.000", std::nullopt, German}, Typed{"germanExponent", "1e3", 1000, German},
        Typed{"arabicAscii", "3", 3, Arabic}),
    nameOf<Typed>);

} // namespace
