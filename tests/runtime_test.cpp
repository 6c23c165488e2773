// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

// The desktop's random source.
#include "platform/qt/runtime.h"

#include <QDateTime>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// The desktop's source: seeded anew by the clock at every start, spread over [0, 1).
TEST(RandomSource, DiffersFromStartToStartAndSpansZeroToOne)
{
    auto draw = [] {
        qtforms::Runtime runtime(nullptr, nullptr, nullptr);
        runtime.Randomize();
        std::vector<float> numbers(2000);
        std::ranges::generate(numbers, [&] { return runtime.Rnd(); });
        return numbers;
    };
    const std::vector<float> first = draw();
    for (const qint64 then = QDateTime::currentMSecsSinceEpoch(); QDateTime::currentMSecsSinceEpoch() == then;)
        QThread::msleep(1);
    const std::vector<float> second = draw();
    EXPECT_NE(first, second);
    EXPECT_LT(qtforms::fractionOf(0xffffffffu), 1.0f);
    const auto [lowest, highest] = std::ranges::minmax(second);
    EXPECT_TRUE(lowest >= 0 && lowest < 0.01f && highest > 0.99f && highest < 1) << lowest << " to " << highest;
}

} // namespace
