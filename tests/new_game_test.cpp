// "Nytt spel": what each answer shows, which timers it switches on, and the label.
#include "app/frmtolvarn.h"
#include "scripted_runtime.h"
#include "named_rows.h"

#include <gtest/gtest.h>

namespace {

struct Answer {
    const char *name;
    QString typed;
    QString message; // empty: none
    bool clockOn;
    bool ball1, ball2, ball3;
    bool labelReset;
};

class NewGame : public testing::TestWithParam<Answer> {};

TEST_P(NewGame, AnswerDecidesMessageTimersAndLabel)
{
    const Answer &answer = GetParam();
    ScriptedRuntime runtime;
    FrmTolvarn form(runtime);
    form.lblTid.setCaption(QStringLiteral("7"));
    runtime.answers = {answer.typed};

    form.newMenu_Click();

    ASSERT_EQ(runtime.prompts, QStringList{QStringLiteral("Hur många bollar vill du ha? 1-3.|Svårighetsgrad|1")});
    EXPECT_EQ(runtime.messages, answer.message.isEmpty() ? QStringList{} : QStringList{answer.message});
    EXPECT_EQ(form.tmrTid.Enabled(), answer.clockOn);
    EXPECT_EQ(form.tmrEnemy.Enabled(), answer.ball1);
    EXPECT_EQ(form.tmrEnemy2.Enabled(), answer.ball2);
    EXPECT_EQ(form.tmrEnemy3.Enabled(), answer.ball3);
    EXPECT_EQ(form.lblTid.Caption(), answer.labelReset ? QStringLiteral("0") : QStringLiteral("7"));
    EXPECT_TRUE(form.tmrChecka.Enabled());
}

const QString NotANumber = QStringLiteral("Bara 1-3 fungerar!");
const QString TooMany = QStringLiteral("För mycket.");
const QString TooFew = QStringLiteral("0 Bollar? Du är verkligen desperat.");

INSTANTIATE_TEST_SUITE_P(
    Outcomes, NewGame,
    testing::Values(Answer{"cancelled", QString(), NotANumber, false, false, false, false, false},
                    Answer{"letters", QStringLiteral("abc"), NotANumber, false, false, false, false, false},
                    Answer{"blank", QStringLiteral("   "), NotANumber, false, false, false, false, false},
                    Answer{"one", QStringLiteral("1"), {}, true, true, false, false, true},
                    Answer{"leadingZero", QStringLiteral("01"), {}, true, true, false, false, true},
                    Answer{"spacedTwo", QStringLiteral(" 2 "), {}, true, false, true, false, true},
                    Answer{"three", QStringLiteral("3"), {}, true, false, false, true, true},
                    Answer{"threeWithPoint", QStringLiteral("3.0"), {}, true, false, false, true, true},
                    Answer{"plusOne", QStringLiteral("+1"), {}, true, true, false, false, true},
                    Answer{"four", QStringLiteral("4"), TooMany, true, false, false, false, false},
                    Answer{"justAboveThree", QStringLiteral("3.0001"), TooMany, true, false, false, false, false},
                    Answer{"huge", QStringLiteral("1e300"), TooMany, true, false, false, false, false},
                    Answer{"zero", QStringLiteral("0"), TooFew, true, false, false, false, false},
                    Answer{"negative", QStringLiteral("-2"), TooFew, true, false, false, false, false},
                    Answer{"fractionBelowOne", QStringLiteral("0.5"), TooFew, true, false, false, false, false},
                    Answer{"oneAndAHalf", QStringLiteral("1.5"), {}, true, false, false, false, false},
                    Answer{"twoAndAHalf", QStringLiteral("2.5"), {}, true, false, false, false, false},
                    Answer{"overflow", QStringLiteral("1e999"), NotANumber, false, false, false, false, false},
                    Answer{"infinity", QStringLiteral("inf"), NotANumber, false, false, false, false, false},
                    Answer{"notANumber", QStringLiteral("nan"), NotANumber, false, false, false, false, false},
                    Answer{"hex", QStringLiteral("0x2"), NotANumber, false, false, false, false, false}),
    nameOf<Answer>);

TEST(NewGame, SecondAnswerAddsABallTimerAndNeverStopsOne)
{
    ScriptedRuntime runtime;
    FrmTolvarn form(runtime);
    runtime.answers = {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("4"), QStringLiteral("x")};
    form.newMenu_Click();
    form.tmrTid_Timer();
    form.tmrTid_Timer();
    form.newMenu_Click(); // 2: a second ball timer, the count starts again
    EXPECT_TRUE(form.tmrEnemy.Enabled());
    EXPECT_TRUE(form.tmrEnemy2.Enabled());
    EXPECT_EQ(form.lblTid.Caption(), QStringLiteral("0"));
    form.tmrTid_Timer();
    form.newMenu_Click(); // 4: a message, the game goes on as it was
    form.newMenu_Click(); // x: a message, the game goes on as it was
    EXPECT_EQ(runtime.messages, (QStringList{TooMany, NotANumber}));
    EXPECT_TRUE(form.tmrTid.Enabled());
    EXPECT_TRUE(form.tmrEnemy.Enabled());
    EXPECT_TRUE(form.tmrEnemy2.Enabled());
    EXPECT_FALSE(form.tmrEnemy3.Enabled());
    EXPECT_EQ(form.lblTid.Caption(), QStringLiteral("1"));
}

TEST(GameClock, CountsInTheLabelWithPlainDigits)
{
    ScriptedRuntime runtime;
    FrmTolvarn form(runtime);
    std::vector<QString> seen;
    for (int tick = 0; tick < 100; ++tick) {
        form.tmrTid_Timer();
        seen.push_back(form.lblTid.Caption());
    }
    EXPECT_EQ(seen[0], QStringLiteral("1"));
    EXPECT_EQ(seen[8], QStringLiteral("9"));
    EXPECT_EQ(seen[9], QStringLiteral("10"));
    EXPECT_EQ(seen[98], QStringLiteral("99"));
    EXPECT_EQ(seen[99], QStringLiteral("100"));
    form.lblTid.setCaption(QStringLiteral("999999"));
    form.tmrTid_Timer();
    EXPECT_EQ(form.lblTid.Caption(), QStringLiteral("1000000"));
}

} // namespace
