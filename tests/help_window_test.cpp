// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

// The help window: its pictures and texts as drawn, its frame, and how it opens from
// the game, comes back and lets the program end.
#include "app/main_window.h"
#include "help/help_window.h"
#include "help/wrapped_label.h"
#include "named_rows.h"
#include "platform/qt/accessible.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// Unusual colours, so that every background and text pixel is known to come from the palette.
const QRgb Face = qRgb(170, 205, 235);
const QRgb Ink = qRgb(0, 0, 140);
const int ArrowKeysLeft = 416 - 328; // in the goal's box

// The window drawn offscreen once, in a palette set after it was built.
class HelpDrawn : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        window = new help::HelpWindow;
        QPalette palette = window->palette();
        palette.setColor(QPalette::Button, Face);
        palette.setColor(QPalette::ButtonText, Ink);
        window->setPalette(palette);
        image = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
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

TEST_F(HelpDrawn, TextsAsStoredWithTheKeyWordsBelowTheSentenceLeftOfTheArrowKeys)
{
    const help::WrappedLabel &goal = window->lblInformation();
    const QString sentence
        = QStringLiteral("Ditt uppdrag är att undvika alla bollar (beroende på din svårighetsgrad) och "
                         "sedan hålla dig levande så länge som du kan.");
    EXPECT_EQ(goal.Caption(), sentence + QString(421, u' ') + QStringLiteral("Använd dig av: "));
    EXPECT_EQ(window->lblInfo2().Caption(), QStringLiteral("Om du dör så får du starta om programmet och testa igen."));

    // The sentence's last word ends line 2, where it fits; the run leaves lines blank below.
    EXPECT_EQ(goal.placeOf(117).line, 1) << "\"kan.\"";
    EXPECT_EQ(goal.placeOf(120).line, 1);
    const help::WrappedLabel::Place first = goal.placeOf(542), last = goal.placeOf(555);
    EXPECT_GT(first.line, 3);
    EXPECT_EQ(goal.placeOf(547).line, first.line) << "\"Använd\" is never split";
    EXPECT_EQ(last.line, first.line);
    EXPECT_LT(last.x + 5, ArrowKeysLeft) << "\"Använd dig av:\" stands left of the arrow keys";
    EXPECT_LT(last.bottom, 113);
    int ink = 0; // in the desktop's button text
    for (int y = 8 + qCeil(first.top); y < 8 + qFloor(first.bottom); ++y)
        for (int x = 328; x < 416; ++x)
            ink += qGray(image.pixel(x, y)) < 110 && qBlue(image.pixel(x, y)) > qRed(image.pixel(x, y)) + 60;
    EXPECT_GT(ink, 20);
}

// Asks for each widget's accessible interface as the widget joins its parent, still
// half built, as Qt 6.11 does while a screen reader listens; Qt keeps what it got then.
class AskingWhileBuilt : public QObject {
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::ChildAdded)
            QAccessible::queryAccessibleInterface(static_cast<QChildEvent *>(event)->child());
        return false;
    }
};

// What a screen reader is given: the painted texts as labels with the words a player
// reads, the pictures and the field named, the clock as its count, no hidden window;
// also for windows made while a screen reader listens, as help is.
TEST(ScreenReader, ReadsWhatAPlayerSeesAndNoHiddenWindow)
{
    qtforms::serveScreenReaders();
    AskingWhileBuilt asking;
    qApp->installEventFilter(&asking);
    help::HelpWindow help;
    app::MainWindow game;
    qApp->removeEventFilter(&asking);
    const QString goal = QStringLiteral("Ditt uppdrag är att undvika alla bollar (beroende på din svårighetsgrad) "
                                        "och sedan hålla dig levande så länge som du kan. Använd dig av:");
    const QString restart = QStringLiteral("Om du dör så får du starta om programmet och testa igen.");
    const std::tuple<QWidget *, QAccessible::Role, QString> rows[] = {
        {&help.lblInformation(), QAccessible::StaticText, goal},
        {&help.lblInfo2(), QAccessible::StaticText, restart},
        {&help.Picture1(), QAccessible::Graphic, QStringLiteral("Bild av spelet")},
        {&help.Picture2(), QAccessible::Graphic, QStringLiteral("Piltangenterna")},
        {&game.fieldView(), QAccessible::Client, QStringLiteral("Spelplan")},
    };
    for (const auto &[widget, role, name] : rows) {
        QAccessibleInterface *read = QAccessible::queryAccessibleInterface(widget);
        EXPECT_EQ(read->role(), role) << name.toStdString();
        EXPECT_EQ(read->text(QAccessible::Name), name);
        if (role == QAccessible::StaticText) {
            EXPECT_EQ(read->textInterface()->text(0, -1), name);
        }
    }
    game.form().lblTid.setCaption(QStringLiteral("12"));
    QAccessibleInterface *clock = QAccessible::queryAccessibleInterface(&game.fieldView())->child(0);
    EXPECT_EQ(clock->text(QAccessible::Name), QStringLiteral("12"));
    EXPECT_EQ(clock->textInterface()->text(0, -1), QStringLiteral("12"));

    QAccessibleInterface *program = QAccessible::queryAccessibleInterface(qApp);
    help.show();
    help.close();
    EXPECT_EQ(program->childCount(), 0) << "a closed window and one never shown";
    game.show();
    ASSERT_EQ(program->childCount(), 1);
    EXPECT_EQ(program->child(0)->object(), &game);
}

// The real game window opens help with its menu item.
class HelpFromGame : public testing::Test {
protected:
    void SetUp() override { game.showCentred(); }

    // Chooses "Hjälp" and expects one help window, shown, active and without an owner.
    help::HelpWindow &chooseHelp()
    {
        game.helpMenu().trigger();
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
