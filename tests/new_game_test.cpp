// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

// "Nytt spel": what each answer shows, which timers it switches on, and the clock's
// reset; the load's seeding and "Hjälp".
#include "game/frmtolvarn.h"
#include "named_rows.h"
#include "scripted_runtime.h"

#include <gtest/gtest.h>

namespace {

const QString NotANumber = QStringLiteral("Bara 1-3 fungerar!");
const QString TooMany = QStringLiteral("För mycket.");
const QString TooFew = QStringLiteral("0 Bollar? Du är verkligen desperat.");

struct Answer {
    const char *name;
    QString typed;
    QString message = {}; // empty: none
    bool clock = false, ball1 = false, ball2 = false, ball3 = false, labelReset = false;
};

class NewGame : public testing::TestWithParam<Answer> {};

TEST_P(NewGame, AnswerDecidesMessageTimersAndLabel)
{
    const Answer &answer = GetParam();
    ScriptedRuntime runtime;
    game::FrmTolvarn form(runtime);
    form.lblTid.setCaption(QStringLiteral("7"));
    runtime.answers = {answer.typed};

    form.newMenu_Click();

    EXPECT_EQ(runtime.prompts, QStringList{QStringLiteral("Hur många bollar vill du ha? 1-3.|Svårighetsgrad|1")});
    EXPECT_EQ(runtime.messages, answer.message.isEmpty() ? QStringList{} : QStringList{answer.message});
    EXPECT_EQ(form.tmrTid.Enabled(), answer.clock);
    EXPECT_EQ(form.tmrEnemy.Enabled(), answer.ball1);
    EXPECT_EQ(form.tmrEnemy2.Enabled(), answer.ball2);
    EXPECT_EQ(form.tmrEnemy3.Enabled(), answer.ball3);
    EXPECT_EQ(form.lblTid.Caption(), answer.labelReset ? QStringLiteral("0") : QStringLiteral("7"));
}

INSTANTIATE_TEST_SUITE_P(Outcomes, NewGame,
    testing::Values(Answer{.name = "cancelled", .typed = {}, .message = NotANumber},
        Answer{.name = "letters", .typed = "abc", .message = NotANumber},
        Answer{.name = "one", .typed = "1", .clock = true, .ball1 = true, .labelReset = true},
        Answer{.name = "spacedTwo", .typed = " 2 ", .clock = true, .ball2 = true, .labelReset = true},
        Answer{.name = "three", .typed = "3.0", .clock = true, .ball3 = true, .labelReset = true},
        Answer{.name = "justAboveThree", .typed = "3.0001", .message = TooMany, .clock = true},
        Answer{.name = "justBelowOne", .typed = "0.9999", .message = TooFew, .clock = true},
        Answer{.name = "tiny", .typed = "1e-400", .message = TooFew, .clock = true},
        Answer{.name = "oneAndAHalf", .typed = "1.5", .clock = true},
        Answer{.name = "twoAndAHalf", .typed = "2.5", .clock = true},
        Answer{.name = "infinity", .typed = "1e999", .message = NotANumber}),
    nameOf<Answer>);

TEST(NewGame, SecondAnswerAddsABallTimerAndNeverStopsOne)
{
    ScriptedRuntime runtime;
    game::FrmTolvarn form(runtime);
    runtime.answers = {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("x")};
    form.newMenu_Click();
    form.tmrTid_Timer();
    form.newMenu_Click(); // 2: a second ball timer, the count starts again
    form.tmrTid_Timer();
    form.newMenu_Click(); // x: a message, the game goes on as it was
    EXPECT_TRUE(form.tmrTid.Enabled() && form.tmrEnemy.Enabled() && form.tmrEnemy2.Enabled());
    EXPECT_FALSE(form.tmrEnemy3.Enabled());
    EXPECT_EQ(form.lblTid.Caption(), QStringLiteral("1"));
}

TEST(FormLoad, SeedsTheRandomSource)
{
    ScriptedRuntime runtime;
    game::FrmTolvarn(runtime).Form_Load();
    EXPECT_TRUE(runtime.seeded);
}

// "Hjälp" asks the desktop for its help window at every choice, and the game goes on.
TEST(HelpMenu, ShowsHelpAtEveryChoiceAndTheGameGoesOn)
{
    ScriptedRuntime runtime;
    game::FrmTolvarn form(runtime);
    runtime.answers = {QStringLiteral("3")};
    form.newMenu_Click();
    form.helpMenu_Click();
    form.helpMenu_Click();
    EXPECT_EQ(runtime.helpShown, 2);
    EXPECT_TRUE(form.tmrTid.Enabled() && form.tmrEnemy3.Enabled());
}

} // namespace
