// Long play without a display: an hour and more of a fast game, event after event in
// time order, with every promise about positions, intervals, the clock and the
// game-over message checked after each event.
#include "app/frmtolvarn.h"
#include "scripted_runtime.h"

#include <QRegularExpression>

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
constexpr std::int64_t Minute = 60 * Second;
constexpr std::int64_t KeyRepeat = 33; // a held key repeats about 30 times a second

struct Session {
    const char *name;
    const char *firstAnswer;  // starts the game
    const char *secondAnswer; // given halfway: switches on a second ball timer
    std::int64_t length;      // simulated milliseconds
    std::uint32_t seed;
};

void PrintTo(const Session &session, std::ostream *out) { *out << session.name; }

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

// The test of the rules in plain doubles: the two 255-twip squares overlap.
bool overlaps(const Shape &a, const Shape &b)
{
    return std::abs(double(a.Left()) - double(b.Left())) < 255 && std::abs(double(a.Top()) - double(b.Top())) < 255;
}

QString gameOverAfter(const QString &seconds)
{
    return QStringLiteral("Bravo! Tyvärr så klarade du bara: ") + seconds +
           QStringLiteral(" sekunder. Ett till försök kanske?");
}

// What the rules promise for one ball's position between events.
struct BallRule {
    Shape FrmTolvarn::*shape;
    float parkedLeft;
    float fall;
    float lowestTop;
    float farthestLeft; // ball 3 may stand right of the line after a return, up to 5999
};

const std::array<BallRule, 3> Balls = {{
    {&FrmTolvarn::fiende, 120, 70, 3060, 2999},
    {&FrmTolvarn::fiende2, 480, 120, 3050, 2999},
    {&FrmTolvarn::fiende3, 840, 240, 2930, 5999},
}};

// Which balls each ball timer moves, and the timers in the order they are simulated.
struct TimerRule {
    Timer FrmTolvarn::*timer;
    void (FrmTolvarn::*tick)();
    int ballsMoved;
};

const std::array<TimerRule, 3> BallTimers = {{
    {&FrmTolvarn::tmrEnemy, &FrmTolvarn::tmrEnemy_Timer, 1},
    {&FrmTolvarn::tmrEnemy2, &FrmTolvarn::tmrEnemy2_Timer, 2},
    {&FrmTolvarn::tmrEnemy3, &FrmTolvarn::tmrEnemy3_Timer, 3},
}};

class Soak : public testing::TestWithParam<Session> {
protected:
    ScriptedRuntime runtime;
    std::unique_ptr<FrmTolvarn> form = std::make_unique<FrmTolvarn>(runtime);
    std::array<bool, 3> ballMoved{};           // has a ball timer moved this ball yet
    std::array<std::int32_t, 3> lastInterval{100, 100, 100};
    std::int64_t clockTicks = 0;               // since the label was last set to "0"
    int touches = 0;

    testing::AssertionResult ballWhereAllowed(std::size_t index) const
    {
        const BallRule &rule = Balls[index];
        const Shape &ball = (*form).*rule.shape;
        const float left = ball.Left(), top = ball.Top();
        if (!isWhole(left) || !isWhole(top))
            return testing::AssertionFailure() << "ball " << index + 1 << " off the whole twips: " << left << ", " << top;
        if (!ballMoved[index]) {
            if (left == rule.parkedLeft && top == 3480)
                return testing::AssertionSuccess();
            return testing::AssertionFailure() << "parked ball " << index + 1 << " moved to " << left << ", " << top;
        }
        if (top < 50 || top > rule.lowestTop || std::fmod(top - 50, rule.fall) != 0)
            return testing::AssertionFailure() << "ball " << index + 1 << " at Top " << top;
        // Only ball 3, and only at the top line, waits a tick for its right-hand check.
        const float farthest = top == 50 ? rule.farthestLeft : 2999;
        if (left < 60 || left > farthest)
            return testing::AssertionFailure() << "ball " << index + 1 << " at Left " << left << " (Top " << top << ")";
        return testing::AssertionSuccess();
    }

    testing::AssertionResult everythingAsPromised()
    {
        for (std::size_t i = 0; i < Balls.size(); ++i) {
            if (testing::AssertionResult placed = ballWhereAllowed(i); !placed)
                return placed;
        }
        const Shape &player = form->shMove;
        if (!isWhole(player.Left()) || player.Left() < 60 || player.Left() > 2999 || !isWhole(player.Top()) ||
            player.Top() < 50 || player.Top() > 3080)
            return testing::AssertionFailure() << "player at " << player.Left() << ", " << player.Top();

        for (std::size_t i = 0; i < BallTimers.size(); ++i) {
            const std::int32_t interval = ((*form).*BallTimers[i].timer).Interval();
            if (interval < 15 || interval > 100 || interval % 5 != 0 || interval > lastInterval[i])
                return testing::AssertionFailure()
                       << "ball timer " << i + 1 << " at " << interval << " ms after " << lastInterval[i];
            lastInterval[i] = interval;
        }
        if (form->tmrChecka.Interval() != 1 || !form->tmrChecka.Enabled() || form->tmrTid.Interval() != 1000)
            return testing::AssertionFailure() << "the collision check or the clock changed its timer";

        static const QRegularExpression plainWholeNumber(QStringLiteral("^(0|[1-9][0-9]*)$"));
        const QString caption = form->lblTid.Caption();
        if (!plainWholeNumber.match(caption).hasMatch() || caption != QString::number(clockTicks))
            return testing::AssertionFailure() << "clock shows \"" << caption.toStdString() << "\" after "
                                               << clockTicks << " ticks";
        if (!runtime.messages.isEmpty())
            return testing::AssertionFailure() << "message \"" << runtime.messages.front().toStdString() << "\"";
        return testing::AssertionSuccess();
    }

    // The collision check after an event: a message exactly when the squares overlap.
    testing::AssertionResult checkForTouch()
    {
        const bool touching = overlaps(form->shMove, form->fiende) || overlaps(form->shMove, form->fiende2) ||
                              overlaps(form->shMove, form->fiende3);
        try {
            form->tmrChecka_Timer();
        } catch (const ProgramEnded &) {
            if (!touching)
                return testing::AssertionFailure() << "the game ended without a touch";
            if (runtime.messages != QStringList{gameOverAfter(form->lblTid.Caption())})
                return testing::AssertionFailure() << "the end came with " << runtime.messages.size() << " messages";
            ++touches;
            playOnAfterTheEnd();
            return testing::AssertionSuccess();
        }
        if (touching)
            return testing::AssertionFailure() << "a touch went unnoticed";
        return testing::AssertionSuccess();
    }

    // The program would end here. The game's whole state lives in its controls, so a
    // fresh program given the same controls plays on where this one stopped; the
    // player first steps up out of the way.
    void playOnAfterTheEnd()
    {
        auto next = std::make_unique<FrmTolvarn>(runtime);
        for (const BallRule &rule : Balls) {
            ((*next).*rule.shape).setLeft(((*form).*rule.shape).Left());
            ((*next).*rule.shape).setTop(((*form).*rule.shape).Top());
        }
        next->shMove.setLeft(form->shMove.Left());
        next->shMove.setTop(form->shMove.Top());
        for (Timer FrmTolvarn::*timer :
             {&FrmTolvarn::tmrTid, &FrmTolvarn::tmrEnemy, &FrmTolvarn::tmrEnemy2, &FrmTolvarn::tmrEnemy3}) {
            ((*next).*timer).setInterval(((*form).*timer).Interval());
            ((*next).*timer).setEnabled(((*form).*timer).Enabled());
        }
        next->lblTid.setCaption(form->lblTid.Caption());
        form = std::move(next);
        runtime.messages.clear();
        runtime.ended = false;
        // Three balls block at most 15 of the 31 rows, so a free row is always near.
        while (overlaps(form->shMove, form->fiende) || overlaps(form->shMove, form->fiende2) ||
               overlaps(form->shMove, form->fiende3))
            form->Form_KeyDown(38, 0);
    }

    void answerNewGame(const char *answer)
    {
        runtime.answers = {QString::fromLatin1(answer)};
        form->newMenu_Click();
        const int balls = QString::fromLatin1(answer).toInt();
        clockTicks = 0;
        lastInterval[balls - 1] = ((*form).*BallTimers[balls - 1].timer).Interval();
    }
};

TEST_P(Soak, EveryEventLeavesTheGameAsTheRulesPromise)
{
    const Session &session = GetParam();
    Dice dice(session.seed);

    answerNewGame(session.firstAnswer);
    ASSERT_TRUE(everythingAsPromised());

    // Each source of events and when it is next due; equal times go in this order.
    std::array<std::int64_t, 3> ballTimerDue{};
    for (std::size_t i = 0; i < BallTimers.size(); ++i)
        ballTimerDue[i] = ((*form).*BallTimers[i].timer).Interval();
    std::int64_t clockDue = Second;
    std::int64_t keyDue = KeyRepeat;
    std::int64_t secondGameDue = session.length / 2;
    bool secondGameStarted = false;
    std::int64_t events = 0;

    const std::int16_t keys[] = {37, 38, 39, 40, 37, 38, 39, 40, 16, 65}; // arrows, Shift, A
    std::int16_t heldKey = 39;

    for (;;) {
        // The earliest event; a disabled ball timer is never due.
        std::int64_t now = std::min({clockDue, keyDue, secondGameStarted ? INT64_MAX : secondGameDue});
        for (std::size_t i = 0; i < BallTimers.size(); ++i) {
            if (((*form).*BallTimers[i].timer).Enabled())
                now = std::min(now, ballTimerDue[i]);
        }
        if (now > session.length)
            break;

        bool handled = false;
        for (std::size_t i = 0; i < BallTimers.size() && !handled; ++i) {
            const TimerRule &rule = BallTimers[i];
            Timer &timer = (*form).*rule.timer;
            if (!timer.Enabled() || ballTimerDue[i] != now)
                continue;
            for (int b = 0; b < rule.ballsMoved; ++b)
                runtime.randomNumbers.push_back(dice.next());
            ((*form).*rule.tick)();
            ASSERT_TRUE(runtime.randomNumbers.empty()) << "a tick draws one number per ball it moves";
            for (int b = 0; b < rule.ballsMoved; ++b)
                ballMoved[b] = true;
            // Qt restarts the period at the new interval when a tick changed it.
            ballTimerDue[i] = now + timer.Interval();
            handled = true;
        }
        if (!handled && now == clockDue) {
            form->tmrTid_Timer();
            ++clockTicks;
            clockDue += Second;
            handled = true;
        }
        if (!handled && now == keyDue) {
            // The player holds one key a while, then another: every edge gets crossed.
            if (dice.pick(20) == 0)
                heldKey = keys[dice.pick(std::size(keys))];
            form->Form_KeyDown(heldKey, static_cast<std::int16_t>(dice.pick(8)));
            keyDue += KeyRepeat;
            handled = true;
        }
        if (!handled && !secondGameStarted && now == secondGameDue) {
            answerNewGame(session.secondAnswer);
            for (std::size_t i = 0; i < BallTimers.size(); ++i) {
                if (((*form).*BallTimers[i].timer).Enabled() && ballTimerDue[i] <= now)
                    ballTimerDue[i] = now + ((*form).*BallTimers[i].timer).Interval();
            }
            secondGameStarted = true;
        }

        ASSERT_TRUE(checkForTouch()) << "at " << now << " ms";
        ASSERT_TRUE(everythingAsPromised()) << "at " << now << " ms";
        ++events;
    }

    // The game really ran fast, with both timers, and the checks really saw touches.
    int running = 0;
    for (const TimerRule &rule : BallTimers) {
        const Timer &timer = (*form).*rule.timer;
        if (timer.Enabled()) {
            ++running;
            EXPECT_EQ(timer.Interval(), 15);
        }
    }
    EXPECT_EQ(running, 2);
    EXPECT_TRUE(secondGameStarted);
    EXPECT_GT(touches, 0);
    EXPECT_GT(events, session.length / 15);
}

INSTANTIATE_TEST_SUITE_P(
    AnHourAndMore, Soak,
    testing::Values(Session{"threeBallsThenBall2", "3", "2", 60 * Minute, 1},
                    Session{"threeBallsThenBall1", "3", "1", 60 * Minute, 2},
                    Session{"oneBallThenThree", "1", "3", 60 * Minute, 3}),
    [](const testing::TestParamInfo<Session> &info) { return std::string(info.param.name); });

} // namespace
