// The game window on the offscreen platform: what it draws, its frame and menus, and a
// whole game played through the real dialogs to the end of the program.
#include "app/main_window.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QImage>
#include <QInputDialog>
#include <QMenuBar>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace {

QImage renderField(MainWindow &window)
{
    return window.fieldView().grab().toImage().convertToFormat(QImage::Format_RGB32);
}

bool isReddish(QRgb pixel) { return qRed(pixel) >= 48 && qGreen(pixel) < 40 && qBlue(pixel) < 40; }

TEST(MainWindow, DrawsTheFieldItsWallsBallAndClockAtStart)
{
    MainWindow window;
    const QImage image = renderField(window);
    ASSERT_EQ(image.size(), QSize(217, 225));

    const QRgb menu = QApplication::palette("QMenu").color(QPalette::Window).rgb();
    const QRgb outline = window.palette().color(QPalette::WindowText).rgb();
    // desktop_test checks the field's middle, the left and bottom bars and the ball.
    const struct {
        const char *what;
        int x, y;
        QRgb expected;
    } pixels[] = {
        {"field, top left of the white", 9, 9, qRgb(255, 255, 255)},
        {"field, bottom right of the white", 207, 215, qRgb(255, 255, 255)},
        {"right bar", 212, 100, menu},
        {"top bar", 100, 4, menu},
        {"bottom bar's top outline", 100, 216, outline},
        {"outside the ball's corner", 88, 152, qRgb(255, 255, 255)},
    };
    for (const auto &pixel : pixels)
        EXPECT_EQ(image.pixel(pixel.x, pixel.y), pixel.expected | 0xff000000u) << pixel.what;

    // The ball's outline: dark all round (smoothed, so not exactly the outline colour).
    for (const QPoint edge : {QPoint(88, 160), QPoint(104, 160), QPoint(96, 152), QPoint(96, 168)})
        EXPECT_LT(qGray(image.pixel(edge)), 80) << edge.x() << "," << edge.y();

    // The clock's "0": dark pixels in the left half of its box.
    int dark = 0;
    for (int y = 192; y < 217; ++y)
        for (int x = 176; x < 192; ++x)
            dark += qGray(image.pixel(x, y)) < 80;
    EXPECT_GT(dark, 20);

    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ASSERT_FALSE(isReddish(image.pixel(x, y))) << "no red ball before the game, at " << x << "," << y;
}

TEST(MainWindow, ClockTextBeyondItsBoxIsNotDrawn)
{
    MainWindow window;
    window.form().lblTid.setCaption(QStringLiteral("888888"));
    const QImage image = renderField(window);
    // Right of the box (x 209 on) lies the wall bar, untouched by the digits.
    const QRgb menu = QApplication::palette("QMenu").color(QPalette::Window).rgb() | 0xff000000u;
    for (int y = 194; y < 215; ++y)
        EXPECT_EQ(image.pixel(210, y), menu) << y;
}

TEST(MainWindow, FixedFrameTitleAndMenus)
{
    MainWindow window;
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Tolvarn"));
    EXPECT_TRUE(window.windowFlags().testFlags(Qt::WindowCloseButtonHint | Qt::WindowTitleHint));
    EXPECT_FALSE(window.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    window.showCentred();
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_EQ(window.centralWidget()->geometry().size(), QSize(217, 225));
    EXPECT_EQ(window.centralWidget()->geometry().top(), window.menuBar()->geometry().bottom() + 1);
    EXPECT_FALSE(window.windowIcon().isNull());

    QStringList captions;
    for (QAction *action : window.menuBar()->actions()) {
        captions << action->text();
        EXPECT_EQ(action->menu(), nullptr) << "nothing drops down";
        EXPECT_TRUE(action->shortcut().isEmpty());
    }
    EXPECT_EQ(captions, (QStringList{QStringLiteral("Nytt spel"), QStringLiteral("Hjälp")}));
}

// Answers the dialogs as a player would: 1 ball, then steer into it; prints the
// game-over text and presses OK, which ends the program.
void playOneGameToTheEnd()
{
    MainWindow window;
    window.showCentred();
    QTimer player;
    player.setInterval(5);
    QObject::connect(&player, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *input = qobject_cast<QInputDialog *>(modal)) {
            std::fprintf(stderr, "asked: %s\n", qPrintable(input->labelText()));
            input->accept(); // the field holds 1
            return;
        }
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            std::fprintf(stderr, "told: %s\n", qPrintable(box->text()));
            std::fflush(stderr);
            box->button(QMessageBox::Ok)->click();
            return;
        }
        FrmTolvarn &form = window.form();
        // Dodge nothing for the first second, so that the clock has counted.
        if (form.fiende.Top() > 3000 || form.lblTid.Caption() == QStringLiteral("0"))
            return;
        const float dx = form.fiende.Left() - form.shMove.Left();
        if (dx > 150)
            QTest::keyClick(&window, Qt::Key_Right);
        else if (dx < -150)
            QTest::keyClick(&window, Qt::Key_Left);
        else if (form.shMove.Top() - form.fiende.Top() > 600)
            QTest::keyClick(&window, Qt::Key_Up);
    });
    player.start();
    QTimer::singleShot(0, &window, [&] { window.newMenu().trigger(); });
    QTimer::singleShot(20000, [] { std::_Exit(3); });
    QApplication::exec();
    std::_Exit(4); // the event loop must never end by itself
}

TEST(MainWindowDeathTest, OneGameFromNewGameToTheEndOfTheProgram)
{
    EXPECT_EXIT(playOneGameToTheEnd(), testing::ExitedWithCode(0),
                "asked: Hur m.*nga bollar vill du ha\\? 1-3\\.\n.*"
                "told: Bravo! Tyv.*rr s.* klarade du bara: [1-9][0-9]* sekunder\\. Ett till f.*rs.*k kanske\\?\n$");
}

} // namespace
