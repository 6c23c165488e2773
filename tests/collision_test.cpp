// The touch test and the end of the game.
#include "app/frmtolvarn.h"
#include "scripted_runtime.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

const QString GameOverAt0 = QStringLiteral("Bravo! Tyvärr så klarade du bara: 0 sekunder. Ett till försök kanske?");

struct Offset {
    float dx, dy;
    bool touches;
};

// Printed by value: gtest's fallback prints the raw bytes, padding included.
void PrintTo(const Offset &offset, std::ostream *out)
{
    *out << offset.dx << ", " << offset.dy << (offset.touches ? " touches" : " apart");
}

class Touch : public testing::TestWithParam<Offset> {};

TEST_P(Touch, BoxesOverlapStrictlyInsideTwoHundredFiftyFive)
{
    const Offset &offset = GetParam();
    platform::Shape FrmTolvarn::*balls[] = {&FrmTolvarn::fiende, &FrmTolvarn::fiende2, &FrmTolvarn::fiende3};
    for (auto ball : balls) {
        ScriptedRuntime runtime;
        FrmTolvarn form(runtime);
        (form.*ball).setLeft(form.shMove.Left() + offset.dx);
        (form.*ball).setTop(form.shMove.Top() + offset.dy);
        if (offset.touches) {
            EXPECT_THROW(form.tmrChecka_Timer(), ProgramEnded);
            EXPECT_EQ(runtime.messages, QStringList{GameOverAt0});
        } else {
            form.tmrChecka_Timer();
            EXPECT_TRUE(runtime.messages.isEmpty());
            EXPECT_FALSE(runtime.ended);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Offsets, Touch,
                         testing::Values(Offset{0, 0, true}, Offset{254, 254, true}, Offset{-254, -254, true},
                                         Offset{254, -254, true}, Offset{255, 0, false}, Offset{0, 255, false},
                                         Offset{-255, 0, false}, Offset{0, -255, false}, Offset{254, 255, false},
                                         Offset{254.5f, 0, true}, Offset{1000, 1000, false}));

TEST(Collision, TwoTouchingBallsGiveOneMessageAndTheEnd)
{
    ScriptedRuntime runtime;
    FrmTolvarn form(runtime);
    form.lblTid.setCaption(QStringLiteral("42"));
    for (platform::Shape *ball : {&form.fiende, &form.fiende2}) {
        ball->setLeft(form.shMove.Left() + 10);
        ball->setTop(form.shMove.Top() + 10);
    }
    EXPECT_THROW(form.tmrChecka_Timer(), ProgramEnded);
    EXPECT_EQ(runtime.messages,
              QStringList{QStringLiteral("Bravo! Tyvärr så klarade du bara: 42 sekunder. Ett till försök kanske?")});
    EXPECT_TRUE(runtime.ended);
}

// A tick that comes while the message is open finds the same touch; it must stay silent.


TEST(Collision, TicksWhileTheMessageIsOpenShowNoSecondMessage)
{
    struct Ticking : platform::Runtime {
        ScriptedRuntime inner;
        FrmTolvarn *form = nullptr;
        QString InputBox(const QString &p, const QString &t, const QString &d) override { return inner.InputBox(p, t, d); }
        void MsgBox(const QString &text) override
        {
            inner.MsgBox(text);
            for (int i = 0; i < 5; ++i)
                form->tmrChecka_Timer();
        }
        void Randomize() override {}
        float Rnd() override { return 0; }
        std::unique_ptr<platform::Window> NewHelpWindow() override { return nullptr; }
        void End() override { inner.End(); }
    } runtime;
    FrmTolvarn form(runtime);
    runtime.form = &form;
    form.fiende.setLeft(form.shMove.Left());
    form.fiende.setTop(form.shMove.Top());
    EXPECT_THROW(form.tmrChecka_Timer(), ProgramEnded);
    EXPECT_EQ(runtime.inner.messages.size(), 1);
}

TEST(Collision, ParkedBallsNeverTouchWhereverThePlayerGoes)
{
    ScriptedRuntime runtime;
    FrmTolvarn form(runtime);
    for (int i = 0; i < 31 * 30; ++i) {
        form.Form_KeyDown(i % 31 == 0 ? 39 : 40, 0);
        form.tmrChecka_Timer();
    }
    EXPECT_TRUE(runtime.messages.isEmpty());
}

TEST(Collision, TouchInTheFirstSecondQuotesZero)
{
    ScriptedRuntime runtime;
    FrmTolvarn form(runtime);
    runtime.answers = {QStringLiteral("1")};
    form.newMenu_Click();
    runtime.randomNumbers = {0.3f};
    form.tmrEnemy_Timer();
    form.shMove.setLeft(form.fiende.Left());
    form.shMove.setTop(form.fiende.Top() + 100);
    EXPECT_THROW(form.tmrChecka_Timer(), ProgramEnded);
    EXPECT_EQ(runtime.messages, QStringList{GameOverAt0});
}

} // namespace
