// Typed answers as numbers: the test and the conversion agree, and only finite values pass.
#include "platform/numbers.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct Typed {
    QString text;
    std::optional<double> value;
};

void PrintTo(const Typed &typed, std::ostream *out) { *out << '"' << typed.text.left(40).toStdString() << '"'; }

class Numbers : public testing::TestWithParam<Typed> {};

TEST_P(Numbers, TestAndConversionAgree)
{
    const Typed &typed = GetParam();
    const std::optional<double> value = platform::numberFromText(typed.text);
    EXPECT_EQ(value, typed.value);
    EXPECT_EQ(platform::isNumeric(typed.text), typed.value.has_value());
    if (value) {
        EXPECT_EQ(platform::toNumber(typed.text), *value);
    }
}

INSTANTIATE_TEST_SUITE_P(
    CLocale, Numbers,
    testing::Values(Typed{"1", 1}, Typed{"01", 1}, Typed{"  3  ", 3}, Typed{"\t2\n", 2}, Typed{"+2", 2},
                    Typed{"-0", -0.0}, Typed{"2.5", 2.5}, Typed{".5", 0.5}, Typed{"1e2", 100}, Typed{"1E-1", 0.1},
                    Typed{"1e308", 1e308}, Typed{"", std::nullopt}, Typed{" ", std::nullopt},
                    Typed{"abc", std::nullopt}, Typed{"1e999", std::nullopt}, Typed{"-1e999", std::nullopt},
                    Typed{"inf", std::nullopt}, Typed{"-inf", std::nullopt}, Typed{"infinity", std::nullopt},
                    Typed{"nan", std::nullopt}, Typed{"NaN", std::nullopt}, Typed{"0x10", std::nullopt},
                    Typed{"1,5", std::nullopt}, Typed{"1 000", std::nullopt}, Typed{"1..2", std::nullopt},
                    Typed{"--1", std::nullopt}, Typed{"1-", std::nullopt}, Typed{"2a", std::nullopt},
                    Typed{QString::fromUtf8("\xd9\xa2"), std::nullopt},          // Arabic-Indic two
                    Typed{QString::fromUtf8("\xef\xbc\x92"), std::nullopt},      // full-width two
                    Typed{QString(QChar(0)) + "1", std::nullopt}, Typed{"1\x01", std::nullopt},
                    Typed{QString(100000, u'9'), std::nullopt},                  // overflows a double
                    Typed{QString(100000, u'0') + "2", 2},
                    Typed{QString(1 << 20, u' '), std::nullopt}));

TEST(Numbers, FollowTheUsersDecimalSeparator)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::Swedish, QLocale::Sweden));
    EXPECT_EQ(platform::numberFromText(u"2,5"), 2.5);
    EXPECT_EQ(platform::numberFromText(u"2.5"), std::nullopt);
    EXPECT_EQ(platform::numberFromText(u" 01 "), 1.0);
    QLocale::setDefault(before);
}

TEST(Numbers, WholeNumbersAsTextAreTheirDigits)
{
    const std::pair<double, const char *> cases[] = {
        {0, "0"}, {1, "1"}, {9, "9"}, {10, "10"}, {100, "100"}, {12345, "12345"}, {99999999, "99999999"}};
    for (const auto &[value, text] : cases)
        EXPECT_EQ(platform::numberToText(value), QString::fromLatin1(text));
}

} // namespace
