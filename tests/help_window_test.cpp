// The help window: its pictures and texts as drawn, its frame, and how it opens,
// comes back and lets the program end.
#include "app/main_window.h"
#include "help/help_window.h"
#include "help/wrapped_label.h"
#include "named_rows.h"

#include <QApplication>
#include <QFontMetrics>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <tuple>
#include <vector>

namespace {

// Unusual colours, so that every background and text pixel is known to come from the palette.
const QColor Face(170, 205, 235);
const QColor Ink(0, 0, 140);
const QRect ArrowKeys(416, 40, 121, 81);
const QRect GoalBox(328, 8, 265, 113);

template <typename Test>
int countIn(const QImage &image, const QRect &area, Test test)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += test(image.pixel(x, y)) ? 1 : 0;
    return count;
}
int inkIn(const QImage &image, const QRect &area) { return countIn(image, area, [](QRgb p) { return qGray(p) < 110; }); }
QImage drawn(QWidget &widget) { return widget.grab().toImage().convertToFormat(QImage::Format_RGB32); }

TEST(HelpTexts, GoalIsTheSentence421SpacesAndTheKeyWords)
{
    HelpWindow window;
    EXPECT_EQ(window.lblInformation().Caption(), QStringLiteral("Ditt uppdrag är att undvika alla bollar (beroende på din svårighetsgrad) och "
                                   "sedan hålla dig levande så länge som du kan.") +
                        QString(421, u' ') + QStringLiteral("Använd dig av: "));
    EXPECT_EQ(window.lblInfo2().Caption(), QStringLiteral("Om du dör så får du starta om programmet och testa igen."));
}

// The window drawn offscreen once, in a palette set after it was built.
class HelpDrawn : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        window = std::make_unique<HelpWindow>();
        QPalette palette = window->palette();
        palette.setColor(QPalette::Button, Face);
        palette.setColor(QPalette::ButtonText, Ink);
        window->setPalette(palette);
        image = drawn(*window);
    }
    static void TearDownTestSuite() { window.reset(); }
    static inline std::unique_ptr<HelpWindow> window;
    static inline QImage image;
};

// A picture where a resource is named, else a strip of bare background.
struct Region {
    const char *name;
    QRect area;
    const char *resource = nullptr;
    int transparent = 0; // pixels of the picture
};

class HelpRegion : public HelpDrawn, public testing::WithParamInterface<Region> {};

TEST_P(HelpRegion, ShowsThePictureUnscaledWithTheButtonFaceWhereTransparent)
{
    const Region &region = GetParam();
    QImage source(region.area.size(), QImage::Format_ARGB32);
    source.fill(Qt::transparent);
    if (region.resource) {
        source = QImage(QString::fromLatin1(region.resource)).convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(source.size(), region.area.size());
    }
    int wrong = 0, transparent = 0;
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x) {
            const bool clear = qAlpha(source.pixel(x, y)) == 0;
            transparent += clear ? 1 : 0;
            wrong += image.pixel(region.area.topLeft() + QPoint(x, y)) == (clear ? Face.rgb() : source.pixel(x, y)) ? 0 : 1;
        }
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(transparent, region.resource ? region.transparent : source.width() * source.height());
}

// The arrow keys are clear left and right of the up key, 37 by 37 pixels each.
INSTANTIATE_TEST_SUITE_P(Regions, HelpRegion,
                         testing::Values(Region{"game", QRect(8, 8, 295, 225), ":/help/instruction.jpg", 0},
                                         Region{"arrowKeys", QRect(416, 40, 112, 75), ":/help/arrow_keys.gif", 2 * 37 * 37},
                                         Region{"rightOfTheGame", QRect(303, 8, 2, 225)},
                                         Region{"rightOfTheArrowKeys", QRect(528, 40, 9, 81)},
                                         Region{"belowTheArrowKeys", QRect(416, 115, 121, 6)},
                                         Region{"underTheRestartNote", QRect(328, 160, 273, 65)},
                                         Region{"bottomMargin", QRect(0, 233, 608, 7)}),
                         nameOf<Region>);

TEST_F(HelpDrawn, KeyWordsStandBelowTheSentenceAndLeftOfTheArrowKeys)
{
    // The widest blank band between inked rows left of the arrow keys is the run of spaces.
    const QRect leftOfKeys(QPoint(GoalBox.left(), GoalBox.top()), QPoint(ArrowKeys.left() - 1, GoalBox.bottom()));
    int lastInk = -1, gapTop = 0, gapBottom = 0;
    for (int y = leftOfKeys.top(); y <= leftOfKeys.bottom(); ++y) {
        if (inkIn(image, QRect(leftOfKeys.left(), y, leftOfKeys.width(), 1)) == 0)
            continue;
        if (lastInk >= 0 && y - lastInk > gapBottom - gapTop)
            std::tie(gapTop, gapBottom) = std::pair(lastInk, y);
        lastInk = y;
    }
    EXPECT_GE(gapBottom - gapTop, 2 * QFontMetrics(HelpWindow::windowFont()).height());
    EXPECT_GE(gapBottom, ArrowKeys.top());
    EXPECT_LT(lastInk, GoalBox.bottom()) << "the words are cut off at the box's bottom";
    const QRect words(QPoint(leftOfKeys.left(), gapBottom), leftOfKeys.bottomRight());
    EXPECT_GT(countIn(image, words, [](QRgb pixel) { return qGray(pixel) < 110 && qBlue(pixel) > qRed(pixel) + 60; }),
              40);

    // The run starts right after the full stop and leaves the rest of that line blank.
    const WrappedLabel &goal = window->lblInformation();
    const WrappedLabel::Place stop = goal.placeOf(120);
    const WrappedLabel::Place run = goal.placeOf(121);
    EXPECT_EQ(run.line, stop.line);
    EXPECT_GT(goal.placeOf(542).line, run.line + 2);
    const QRect afterStop(QPoint(GoalBox.left() + qCeil(run.x) + 1, GoalBox.top() + qCeil(run.top)),
                          QPoint(ArrowKeys.left() - 1, GoalBox.top() + qFloor(run.bottom) - 1));
    EXPECT_EQ(inkIn(image, afterStop), 0);
}

struct Overflow {
    const char *name;
    QString caption;
    QRect box;
};
class HelpLabelClipping : public testing::TestWithParam<Overflow> {};

TEST_P(HelpLabelClipping, DrawsNothingOutsideItsBox)
{
    QWidget parent;
    parent.resize(200, 120);
    parent.setPalette(QPalette(Qt::black, Qt::white));
    parent.setAutoFillBackground(true);
    parent.setFont(HelpWindow::windowFont());
    auto *label = new WrappedLabel(GetParam().caption, &parent);
    label->setGeometry(GetParam().box);

    const QImage image = drawn(parent);
    EXPECT_GT(inkIn(image, GetParam().box), 0);
    for (const QRect &area : QRegion(parent.rect()) - GetParam().box)
        EXPECT_EQ(countIn(image, area, [](QRgb p) { return p != qRgb(255, 255, 255); }), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Captions, HelpLabelClipping,
    testing::Values(Overflow{"linesBelowTheBox", QStringLiteral("Om du dör så får du ").repeated(12), QRect(20, 20, 60, 30)},
                    Overflow{"wordWiderThanTheBox", QString(80, u'W'), QRect(20, 20, 40, 70)},
                    Overflow{"spaceRun", u'a' + QString(300, u' ') + u'b', QRect(30, 10, 50, 40)}),
    nameOf<Overflow>);

TEST(HelpFrame, IsFixedWithACloseButtonOnly)
{
    HelpWindow window;
    const Qt::WindowFlags flags = window.windowFlags();
    EXPECT_TRUE(flags.testFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(window.minimumSize(), QSize(608, 240));
    EXPECT_EQ(window.maximumSize(), QSize(608, 240));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Hjälp"));
    EXPECT_FALSE(window.windowIcon().isNull());
}

// The real game window opens help with its menu item.
class HelpFromGame : public testing::Test {
protected:
    void SetUp() override { game.showCentred(); }

    // Chooses "Hjälp" and expects one help window, shown, active and without an owner.
    HelpWindow &chooseHelp()
    {
        game.form().helpMenu_Click();
        std::vector<HelpWindow *> windows;
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (auto *help = dynamic_cast<HelpWindow *>(widget))
                windows.push_back(help);
        EXPECT_EQ(windows.size(), 1u);
        EXPECT_TRUE(windows.front()->isVisible());
        EXPECT_EQ(windows.front()->parentWidget(), nullptr);
        EXPECT_TRUE(QTest::qWaitForWindowActive(windows.front()));
        return *windows.front();
    }

    static int offCentre(const QWidget &window)
    {
        return (window.geometry().center() - window.screen()->availableGeometry().center()).manhattanLength();
    }

    MainWindow game;
};

// One window, whatever the number of choices: it stays where the user left it, takes no
// keys for the player, and comes back centred once closed.
TEST_F(HelpFromGame, ChoosingHelpAgainKeepsTheOneWindowUntilClosed)
{
    HelpWindow &help = chooseHelp();
    EXPECT_LE(offCentre(help), 1);
    help.move(12, 34);
    for (int i = 0; i < 4; ++i) {
        game.activateWindow();
        EXPECT_EQ(&chooseHelp(), &help);
    }
    EXPECT_EQ(help.pos(), QPoint(12, 34));
    for (Qt::Key key : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down})
        QTest::keyClick(&help, key);
    EXPECT_EQ(game.form().shMove.box().topLeft(), QPointF(1320, 2280));
    EXPECT_TRUE(help.close());
    EXPECT_FALSE(help.isVisible());
    EXPECT_EQ(&chooseHelp(), &help);
    EXPECT_LE(offCentre(help), 1);
}

TEST_F(HelpFromGame, ProgramEndsOnlyOnceHelpIsClosedToo)
{
    HelpWindow &help = chooseHelp();
    bool helpOpenAfterGameClosed = false;
    bool stoppedByHand = false;
    // Each close comes from the event loop, as when the user closes a window.
    QTimer::singleShot(0, &game, [&] {
        game.close();
        QTimer::singleShot(50, &help, [&] {
            helpOpenAfterGameClosed = help.isVisible();
            help.close();
        });
    });
    QTimer::singleShot(5000, &help, [&] {
        stoppedByHand = true;
        QApplication::quit();
    });
    QApplication::exec();
    EXPECT_TRUE(helpOpenAfterGameClosed) << "the program ended with the game window";
    EXPECT_FALSE(stoppedByHand) << "the program went on after its last window closed";
}

} // namespace
