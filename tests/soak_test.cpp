// Long play without a display: an hour of a fast game, event after event in time order,
// with every promise about positions, intervals, the clock and the game-over message
// checked after each event.
#include "app/frmtolvarn.h"
#include "scripted_runtime.h"
#include "named_rows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <memory>
#include <ostream>
#include <random>

namespace {

using platform::Shape;
using platform::Timer;

constexpr std::int64_t Second = 1000;
constexpr std::int64_t KeyRepeat = 33; // a held key repeats about 30 times a second

struct Session {
    const char *name;
    const char *firstAnswer, *secondAnswer; // the second, given halfway, switches on a second ball timer
    std::uint32_t seed;
};

// Random numbers as the desktop gives them: 24 bits, so never 1; now and then exactly
// the smallest or the largest, where the shifts reach the ends of their spans.
class Dice {
public:
    explicit Dice(std::uint32_t seed) : m_engine(seed) {}
    float next()
    {
        const std::uint32_t bits = m_engine();
        switch (bits % 64) {
        case 0: return 0.0f;
        case 1: return 1.0f - 1.0f / (1 << 24);
        default: return static_cast<float>(bits >> 8) / static_cast<float>(1 << 24);
        }
    }
    std::uint32_t pick(std::uint32_t count) { return m_engine() % count; }

private:
    std::mt19937 m_engine;
};

bool isWhole(float value) { return std::floor(value) == value; }

// The rules' test in plain doubles: the two 255-twip squares overlap.
bool overlaps(const Shape &a, const Shape &b)
{
    return std::abs(double(a.Left()) - double(b.Left())) < 255 && std::abs(double(a.Top()) - double(b.Top())) < 255;
}

// Each ball's promised place, and the ball timer that moves it and the balls before it.
struct Ball {
    Shape FrmTolvarn::*shape;
    float parkedLeft, fall, lowestTop;
    float farthestLeft; // ball 3 may stand right of the line after a return, up to 5999
    Timer FrmTolvarn::*timer;
    void (FrmTolvarn::*tick)();
};

const std::array<Ball, 3> Balls = {{
    {&FrmTolvarn::fiende, 120, 70, 3060, 2999, &FrmTolvarn::tmrEnemy, &FrmTolvarn::tmrEnemy_Timer},
    {&FrmTolvarn::fiende2, 480, 120, 3050, 2999, &FrmTolvarn::tmrEnemy2, &FrmTolvarn::tmrEnemy2_Timer},
    {&FrmTolvarn::fiende3, 840, 240, 2930, 5999, &FrmTolvarn::tmrEnemy3, &FrmTolvarn::tmrEnemy3_Timer},
}};

class Soak : public testing::TestWithParam<Session> {
protected:
    ScriptedRuntime runtime;
    std::unique_ptr<FrmTolvarn> form = std::make_unique<FrmTolvarn>(runtime);
    std::array<bool, 3> ballMoved{}; // has a ball timer moved this ball yet
    std::array<std::int32_t, 3> lastInterval{100, 100, 100};
    std::int64_t clockTicks = 0; // since the label was last set to "0"
    int touches = 0;

    Timer &timer(std::size_t i) const { return (*form).*Balls[i].timer; }
    bool touching() const
    {
        return std::ranges::any_of(Balls, [&](const Ball &ball) { return overlaps(form->shMove, (*form).*ball.shape); });
    }

    // Every promise about places, intervals, the collision check, the clock and messages.
    testing::AssertionResult everythingAsPromised()
    {
        for (std::size_t i = 0; i < Balls.size(); ++i) {
            const Ball &rule = Balls[i];
            const float left = ((*form).*rule.shape).Left(), top = ((*form).*rule.shape).Top();
            // Once moved, only ball 3, and only at the top line, waits a tick for its right-hand check.
            if (!(ballMoved[i] ? isWhole(left) && left >= 60 && left <= (top == 50 ? rule.farthestLeft : 2999) &&
                                     top >= 50 && top <= rule.lowestTop && std::fmod(top - 50, rule.fall) == 0
                               : left == rule.parkedLeft && top == 3480))
                return testing::AssertionFailure() << "ball " << i + 1 << " at " << left << ", " << top;
            const std::int32_t interval = timer(i).Interval();
            if (interval < 15 || interval > 100 || interval % 5 != 0 || interval > lastInterval[i])
                return testing::AssertionFailure()
                       << "ball timer " << i + 1 << " at " << interval << " ms after " << lastInterval[i];
            lastInterval[i] = interval;
        }
        const Shape &player = form->shMove;
        if (!isWhole(player.Left()) || player.Left() < 60 || player.Left() > 2999 || !isWhole(player.Top()) ||
            player.Top() < 50 || player.Top() > 3080)
            return testing::AssertionFailure() << "player at " << player.Left() << ", " << player.Top();
        if (form->tmrChecka.Interval() != 1 || !form->tmrChecka.Enabled() || form->tmrTid.Interval() != 1000)
            return testing::AssertionFailure() << "the collision check or the clock changed its timer";
        // QString::number gives plain digits: no sign, leading zero, grouping or exponent.
        if (form->lblTid.Caption() != QString::number(clockTicks))
            return testing::AssertionFailure() << "clock shows \"" << form->lblTid.Caption().toStdString()
                                               << "\" after " << clockTicks << " ticks";
        if (!runtime.messages.isEmpty())
            return testing::AssertionFailure() << "message \"" << runtime.messages.front().toStdString() << "\"";
        return testing::AssertionSuccess();
    }

    // The collision check after an event: one message exactly when the squares overlap.
    testing::AssertionResult checkForTouch()
    {
        const bool touch = touching();
        try {
            form->tmrChecka_Timer();
        } catch (const ProgramEnded &) {
            if (!touch)
                return testing::AssertionFailure() << "the game ended without a touch";
            if (runtime.messages != QStringList{QStringLiteral("Bravo! Tyvärr så klarade du bara: ") +
                                                form->lblTid.Caption() +
                                                QStringLiteral(" sekunder. Ett till försök kanske?")})
                return testing::AssertionFailure() << "the end came with " << runtime.messages.size() << " messages";
            ++touches;
            playOnAfterTheEnd();
            return testing::AssertionSuccess();
        }
        return touch ? testing::AssertionFailure() << "a touch went unnoticed" : testing::AssertionSuccess();
    }

    // The program would end here. The game's whole state lives in its controls, so a fresh
    // program given them plays on; the player first steps up out of the way (three balls
    // block at most 15 of the 31 rows, so a free row is always near).
    void playOnAfterTheEnd()
    {
        auto next = std::make_unique<FrmTolvarn>(runtime);
        for (auto shape : {&FrmTolvarn::fiende, &FrmTolvarn::fiende2, &FrmTolvarn::fiende3, &FrmTolvarn::shMove}) {
            ((*next).*shape).setLeft(((*form).*shape).Left());
            ((*next).*shape).setTop(((*form).*shape).Top());
        }
        for (auto timer : {&FrmTolvarn::tmrTid, &FrmTolvarn::tmrEnemy, &FrmTolvarn::tmrEnemy2, &FrmTolvarn::tmrEnemy3}) {
            ((*next).*timer).setInterval(((*form).*timer).Interval());
            ((*next).*timer).setEnabled(((*form).*timer).Enabled());
        }
        next->lblTid.setCaption(form->lblTid.Caption());
        form = std::move(next);
        runtime.messages.clear();
        runtime.ended = false;
        while (touching())
            form->Form_KeyDown(38, 0);
    }

    void answerNewGame(const char *answer)
    {
        runtime.answers = {QString::fromLatin1(answer)};
        form->newMenu_Click();
        const int ball = QString::fromLatin1(answer).toInt() - 1;
        clockTicks = 0;
        lastInterval[ball] = timer(ball).Interval();
    }
};

TEST_P(Soak, EveryEventLeavesTheGameAsTheRulesPromise)
{
    constexpr std::int64_t Length = 60 * 60 * Second;
    Dice dice(GetParam().seed);
    answerNewGame(GetParam().firstAnswer);
    ASSERT_TRUE(everythingAsPromised());

    // When each source of events is next due; equal times go in this order.
    std::array<std::int64_t, 3> ballTimerDue{timer(0).Interval(), timer(1).Interval(), timer(2).Interval()};
    std::int64_t clockDue = Second, keyDue = KeyRepeat, secondGameDue = Length / 2;
    std::int64_t events = 0;
    const std::int16_t keys[] = {37, 38, 39, 40, 37, 38, 39, 40, 16, 65}; // arrows, Shift, A
    std::int16_t heldKey = 39;

    for (;;) {
        std::int64_t now = std::min({clockDue, keyDue, secondGameDue});
        for (std::size_t i = 0; i < Balls.size(); ++i) {
            if (timer(i).Enabled()) // a disabled ball timer is never due
                now = std::min(now, ballTimerDue[i]);
        }
        if (now > Length)
            break;

        std::size_t i = 0;
        while (i < Balls.size() && !(timer(i).Enabled() && ballTimerDue[i] == now))
            ++i;
        if (i < Balls.size()) {
            for (std::size_t b = 0; b <= i; ++b)
                runtime.randomNumbers.push_back(dice.next());
            ((*form).*Balls[i].tick)();
            ASSERT_TRUE(runtime.randomNumbers.empty()) << "a tick draws one number per ball it moves";
            std::fill_n(ballMoved.begin(), i + 1, true);
            ballTimerDue[i] = now + timer(i).Interval(); // Qt restarts the period at a new interval
        } else if (now == clockDue) {
            form->tmrTid_Timer();
            ++clockTicks;
            clockDue += Second;
        } else if (now == keyDue) {
            // The player holds one key a while, then another: every edge gets crossed.
            if (dice.pick(20) == 0)
                heldKey = keys[dice.pick(std::size(keys))];
            form->Form_KeyDown(heldKey, static_cast<std::int16_t>(dice.pick(8)));
            keyDue += KeyRepeat;
        } else {
            answerNewGame(GetParam().secondAnswer);
            for (std::size_t t = 0; t < Balls.size(); ++t) {
                if (timer(t).Enabled() && ballTimerDue[t] <= now)
                    ballTimerDue[t] = now + timer(t).Interval();
            }
            secondGameDue = INT64_MAX;
        }
        ASSERT_TRUE(checkForTouch()) << "at " << now << " ms";
        ASSERT_TRUE(everythingAsPromised()) << "at " << now << " ms";
        ++events;
    }

    // The game really ran fast, on two timers, and the checks really saw touches.
    int running = 0;
    for (std::size_t i = 0; i < Balls.size(); ++i) {
        running += timer(i).Enabled() ? 1 : 0;
        EXPECT_TRUE(!timer(i).Enabled() || timer(i).Interval() == 15) << "ball timer " << i + 1;
    }
    EXPECT_EQ(running, 2);
    EXPECT_EQ(secondGameDue, INT64_MAX) << "the second answer was given";
    EXPECT_GT(touches, 0);
    EXPECT_GT(events, Length / 15);
}

INSTANTIATE_TEST_SUITE_P(AnHourAndMore, Soak,
                         testing::Values(Session{"threeBallsThenBall2", "3", "2", 1},
                                         Session{"threeBallsThenBall1", "3", "1", 2},
                                         Session{"oneBallThenThree", "1", "3", 3}),
                         nameOf<Session>);

} // namespace
