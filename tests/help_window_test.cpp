// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

// The help window: its pictures as drawn, its frame, and how it opens from the game,
// comes back and lets the program end.
#include "app/main_window.h"
#include "help/help_window.h"
#include "named_rows.h"
#include "window_probes.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// An unusual colour, so that every background pixel is known to come from the palette.
const QRgb Face = qRgb(170, 205, 235);

// The window drawn offscreen once, in a palette set after it was built.
class HelpDrawn : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        window = new help::HelpWindow;
        QPalette palette = window->palette();
        palette.setColor(QPalette::Button, Face);
        window->setPalette(palette);
        image = drawn(*window);
    }
    static void TearDownTestSuite() { delete window; }
    static inline help::HelpWindow *window = nullptr;
    static inline QImage image;
};

// A picture where a resource is named, else a strip of bare background.
struct Region {
    const char *name;
    QRect area;
    const char *resource = nullptr;
};

class HelpRegion : public HelpDrawn, public testing::WithParamInterface<Region> {};

TEST_P(HelpRegion, ShowsThePictureUnscaledWithTheButtonFaceWhereTransparent)
{
    const Region &region = GetParam();
    QImage source(region.area.size(), QImage::Format_ARGB32);
    source.fill(Qt::transparent);
    if (region.resource)
        source = QImage(QString::fromLatin1(region.resource)).convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(source.size(), region.area.size());
    int wrong = 0;
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x)
            wrong += image.pixel(region.area.topLeft() + QPoint(x, y))
                != (qAlpha(source.pixel(x, y)) ? source.pixel(x, y) : Face);
    EXPECT_EQ(wrong, 0);
}

INSTANTIATE_TEST_SUITE_P(Regions, HelpRegion,
    testing::Values(Region{"game", QRect(8, 8, 295, 225), ":/help/instruction.jpg"},
        Region{"arrowKeys", QRect(416, 40, 112, 75), ":/help/arrow_keys.gif"},
        Region{"rightOfTheGame", QRect(303, 8, 2, 225)}, Region{"rightOfTheArrowKeys", QRect(528, 40, 9, 81)},
        Region{"belowTheArrowKeys", QRect(416, 115, 121, 6)}),
    nameOf<Region>);

// The real game window opens help with its menu item.
class HelpFromGame : public testing::Test {
protected:
    void SetUp() override { game.showCentred(); }

    // Chooses "Hjälp" and expects one help window, shown, active and without an owner.
    help::HelpWindow &chooseHelp()
    {
        choose(game, QStringLiteral("Hjälp"));
        std::vector<help::HelpWindow *> windows;
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (auto *help = dynamic_cast<help::HelpWindow *>(widget))
                windows.push_back(help);
        EXPECT_EQ(windows.size(), 1u);
        EXPECT_TRUE(windows.front()->isVisible());
        EXPECT_EQ(windows.front()->parentWidget(), nullptr);
        EXPECT_TRUE(QTest::qWaitForWindowActive(windows.front()));
        return *windows.front();
    }
    static int offCentre(const QWidget &window)
    {
        return (window.frameGeometry().center() - window.screen()->availableGeometry().center()).manhattanLength();
    }
    // A one-ball game at full speed, from the next event of the window on.
    void startBall()
    {
        game.form().tmrEnemy.setInterval(15);
        game.form().tmrEnemy.setEnabled(true);
        QTest::keyClick(&game, Qt::Key_Space);
    }

    app::MainWindow game;
};

// One fixed window, whatever the number of choices: it stays where the user left it,
// takes no keys for the player, and comes back centred once closed, while the game goes on.
TEST_F(HelpFromGame, ChoosingHelpAgainKeepsTheOneWindowUntilClosed)
{
    help::HelpWindow &help = chooseHelp();
    EXPECT_EQ(help.windowTitle(), QStringLiteral("Hjälp"));
    EXPECT_EQ(help.minimumSize(), help.maximumSize());
    EXPECT_EQ(help.size(), QSize(608, 240));
    EXPECT_LE(offCentre(help), 1);
    help.move(12, 34);
    for (int i = 0; i < 4; ++i) {
        game.activateWindow();
        EXPECT_EQ(&chooseHelp(), &help);
    }
    EXPECT_EQ(help.pos(), QPoint(12, 34));
    QTest::keyClick(&help, Qt::Key_Left);
    EXPECT_EQ(game.form().shMove.Left(), 1320);
    startBall();
    EXPECT_TRUE(help.close());
    EXPECT_EQ(&chooseHelp(), &help);
    EXPECT_LE(offCentre(help), 1);
    EXPECT_TRUE(help.close());
    const float top = game.form().fiende.Top();
    EXPECT_TRUE(QTest::qWaitFor([&] { return game.form().fiende.Top() != top; }, 10000)) << "the game goes on";
}

TEST_F(HelpFromGame, ClosingTheGameWindowEndsTheGameButTheProgramWaitsForHelp)
{
    help::HelpWindow &help = chooseHelp();
    startBall();
    bool helpOpenAfterGameClosed = false, ballStopped = false;
    // Each close comes from the event loop, as when the user closes a window.
    QTimer::singleShot(0, &game, [&] {
        game.close();
        QTimer::singleShot(200, &help, [&, top = game.form().fiende.Top()] {
            helpOpenAfterGameClosed = help.isVisible();
            ballStopped = game.form().fiende.Top() == top;
            help.close();
        });
    });
    QApplication::exec();
    EXPECT_TRUE(helpOpenAfterGameClosed) << "the program ended with the game window";
    EXPECT_TRUE(ballStopped) << "the game went on without its window";
}

} // namespace
