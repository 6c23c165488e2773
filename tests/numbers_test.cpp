// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

// Typed answers as numbers, in the user's locale, alike on every Qt: only finite values
// pass.
#include "platform/forms/numbers.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <optional>

namespace {

struct Typed {
    QString text;
    std::optional<double> value;
    QLocale::Language language = QLocale::C;
};

void PrintTo(const Typed &typed, std::ostream *out)
{
    *out << '"' << typed.text.left(20).toStdString() << "\" in "
         << QLocale::languageToCode(typed.language).toStdString();
}

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
    testing::Values(Typed{"01", 1}, Typed{"\t 3 \n", 3}, Typed{"+2", 2}, Typed{"2.5", 2.5}, Typed{"1E-1", 0.1},
        Typed{"1e-400", 0}, Typed{"", std::nullopt}, Typed{" ", std::nullopt}, Typed{"abc", std::nullopt},
        Typed{"1e999", std::nullopt}, Typed{"-inf", std::nullopt}, Typed{"nan", std::nullopt},
        Typed{"0x10", std::nullopt}, Typed{"1,000", std::nullopt}, Typed{"2a", std::nullopt},
        Typed{QStringLiteral("\u22122"), -2},                   // Unicode's minus sign
        Typed{QString::fromUtf8("\xef\xbc\x92"), std::nullopt}, // full-width two
        Typed{QString(QChar(0)) + "1", std::nullopt}, Typed{QString(100000, u'9'), std::nullopt},
        Typed{QString(100000, u'0') + "2", 2}, Typed{"2,5", 2.5, Swedish}, Typed{"2.5", std::nullopt, Swedish},
        Typed{" 1e0 ", 1, Swedish}, Typed{"1E0", 1, Swedish},
        Typed{QStringLiteral("1\u00a0000"), std::nullopt, Swedish},
        Typed{QStringLiteral("\u22121,5E+0"), -1.5, Swedish}, Typed{"-1e-1", -0.1, Swedish},
        Typed{"1.000", std::nullopt, German}, Typed{"1e3", 1000, German},
        Typed{QStringLiteral("\u0662\u066b\u0665"), 2.5, Arabic}, // Arabic-Indic 2.5
        Typed{QStringLiteral("\u061c-\u0663"), -3, Arabic}, Typed{"3", 3, Arabic}));

} // namespace
