// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

// The game window on the offscreen platform: its frame, its menus, the keys it takes
// and the timers it drives.
#include "app/main_window.h"

#include <QAction>
#include <QMenuBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <array>

namespace {

class GameWindow : public testing::Test {
protected:
    app::MainWindow window;
    game::FrmTolvarn &form = window.form();
};

TEST_F(GameWindow, HasAFixedFrameWithAnIconAndNoButtonToMinimiseOrMaximise)
{
    EXPECT_FALSE(window.windowIcon().isNull());
    EXPECT_FALSE(window.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    window.showCentred();
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    window.showMaximized(); // as a title bar's double click asks
    EXPECT_EQ(window.windowState(), Qt::WindowNoState);
    EXPECT_EQ(window.centralWidget()->geometry(), QRect(0, window.menuBar()->height(), 217, 225));
}

TEST_F(GameWindow, OffersNewGameThenHelpInItsMenuBar)
{
    QStringList captions;
    for (QAction *action : window.menuBar()->actions())
        captions << action->text() + (action->menu() ? "..." : "");
    EXPECT_EQ(captions, (QStringList{"Nytt spel", "Hjälp"}));
}

TEST_F(GameWindow, MovesThePlayerWithTheArrowKeysWhateverModifiersAreHeld)
{
    QTest::keyClick(&window, Qt::Key_Right, Qt::ShiftModifier | Qt::ControlModifier);
    QTest::keyClick(&window, Qt::Key_Up, Qt::AltModifier);
    EXPECT_EQ(form.shMove.box().topLeft(), QPointF(1420, 2180));
    for (Qt::Key key : {Qt::Key_Left, Qt::Key_Down, Qt::Key_A})
        QTest::keyClick(&window, key);
    EXPECT_EQ(form.shMove.box().topLeft(), QPointF(1320, 2280));
}

// The desktop's timers tick at the window's intervals, from the start and as a ball
// timer quickens while it runs; whatever event changed the form's timers.
TEST_F(GameWindow, TicksTheDesktopTimersAtTheWindowsIntervals)
{
    const auto ticks = [this](const char *name) { return window.findChild<QTimer *>(QString::fromLatin1(name)); };
    const auto interval = [&](const char *name) { return ticks(name)->isActive() ? ticks(name)->interval() : 0; };
    EXPECT_EQ(interval("tmrTid"), 0) << "the clock waits for a game";
    for (forms::Timer *timer : {&form.tmrTid, &form.tmrEnemy, &form.tmrEnemy2, &form.tmrEnemy3})
        timer->setEnabled(true);
    QTest::keyClick(&window, Qt::Key_A);
    EXPECT_EQ((std::array{interval("tmrTid"), interval("tmrEnemy"), interval("tmrEnemy2"), interval("tmrEnemy3")}),
        (std::array{1000, 100, 100, 100}));
    form.fiende.setTop(3030);
    QMetaObject::invokeMethod(ticks("tmrEnemy"), "timeout");
    EXPECT_EQ(form.fiende.Top(), game::FrmTolvarn::TopLine) << "the tick ran the ball's rule";
    EXPECT_EQ(interval("tmrEnemy"), 95);
}

} // namespace
