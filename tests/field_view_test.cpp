// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

// The field as the game window draws it on the offscreen platform, in a dark desktop
// palette; and at twice the scale (CTest's "high_dpi").
#include "app/main_window.h"
#include "window_probes.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <utility>

namespace {

const QRgb Menu = qRgb(40, 44, 52);
const QRgb Outline = qRgb(220, 220, 210);
const QRgb White = qRgb(255, 255, 255);

template <typename Test>
int countIn(const QImage &image, const QRect &area, Test test)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += test(image.pixel(x, y));
    return count;
}

struct Pixel {
    const char *what;
    int x, y;
    QRgb colour;
};

class DrawnField : public testing::Test {
protected:
    // Pixels of the field as drawn: walls in the desktop's menu colour, outlines in its window text.
    void expectPixels(std::initializer_list<Pixel> pixels)
    {
        image = drawn(window.fieldView());
        ASSERT_EQ(image.size(), QSize(217, 225));
        for (const Pixel &pixel : pixels)
            EXPECT_EQ(image.pixel(pixel.x, pixel.y), pixel.colour | 0xff000000u) << pixel.what;
    }

    struct DarkDesktop {
        QPalette before = QApplication::palette();
        DarkDesktop()
        {
            const QColor button(50, 54, 62), text(Outline);
            QApplication::setPalette(QPalette(text, button, button, button, button, text, text, button, QColor(Menu)));
        }
        ~DarkDesktop() { QApplication::setPalette(before); }
    } desktop;
    app::MainWindow window;
    game::FrmTolvarn &form = window.form();
    QImage image;
};

TEST_F(DrawnField, AtStartShowsFieldWallsBallAndClockButNoRedBall)
{
    expectPixels({{"field's top left", 9, 9, White}, {"field's bottom right", 207, 215, White},
        {"left bar", 4, 100, Menu}, {"right bar", 212, 100, Menu}, {"top bar", 100, 4, Menu},
        {"bottom bar", 100, 220, Menu}, {"left bar's outline", 0, 100, Outline},
        {"field's outline under the bar", 8, 100, Outline}, {"bottom bar's outline", 100, 216, Outline},
        {"player ball", 96, 160, qRgb(0, 128, 0)}, {"outside the ball's corner", 88, 152, White}});
    // The clock's 0: bold, 19 pixels high as a font, so 14 pixels as a digit.
    QRect digit;
    for (int y = 192; y < 217; ++y)
        for (int x = 176; x < 192; ++x)
            if (qGray(image.pixel(x, y)) < 80)
                digit |= QRect(x, y, 1, 1);
    EXPECT_EQ(digit.height(), 14) << "the clock's 0";
    EXPECT_EQ(countIn(image, image.rect(), [](QRgb p) { return qRed(p) >= 48 && qGreen(p) < 40 && qBlue(p) < 40; }), 0);
}

TEST_F(DrawnField, StacksFrontToBackAndCutsTheClockAtItsBox)
{
    for (const auto &[shape, left] : {std::pair{&form.fiende, 1500}, {&form.fiende3, 1560}, {&form.shMove, 3050}}) {
        shape->setLeft(static_cast<float>(left));
        shape->setTop(1500);
    }
    form.lblTid.setCaption(QStringLiteral("888888"));
    expectPixels({{"ball 1 over ball 3", 110, 108, qRgb(192, 0, 0)}, {"ball 3 beside it", 119, 108, qRgb(64, 0, 0)},
        {"the bar over the player", 212, 108, Menu}});
    EXPECT_EQ(countIn(image, QRect(209, 193, 7, 23), [](QRgb p) { return p != (Menu | 0xff000000u); }), 0);
}

// What reaches the screen after a ball jumps back to the top and the player wraps: the
// same picture as the whole field drawn afresh, nothing left behind where a ball was.
TEST_F(DrawnField, ScreenKeepsNoBallBehindAfterJumpsAndWraps)
{
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    form.fiende.setLeft(1500);
    form.fiende.setTop(3030);
    form.shMove.setLeft(2950);
    QCoreApplication::processEvents();
    form.tmrEnemy_Timer();
    QTest::keyClick(&window, Qt::Key_Right);
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
    EXPECT_EQ(shown(window.fieldView()), drawn(window.fieldView()));
}

// Run by CTest with QT_SCALE_FACTOR=2 (test "high_dpi"), and only there.
TEST(HighDpi, WindowsAreTwiceTheirPixelsWithCrispOutlines)
{
    ASSERT_EQ(qApp->devicePixelRatio(), 2.0) << "run with QT_SCALE_FACTOR=2, as CTest's high_dpi does";
    app::MainWindow window;
    const QImage image = drawn(window.fieldView());
    ASSERT_EQ(image.size(), QSize(434, 450));
    const QRgb outline = window.palette().color(QPalette::WindowText).rgb();
    const QRgb menu = QApplication::palette("QMenu").color(QPalette::Window).rgb();
    for (const auto &[x, colour] : {std::pair{1, outline}, {2, menu}, {17, outline}, {18, White}})
        EXPECT_EQ(image.pixel(x, 200), colour | 0xff000000u) << x;
    EXPECT_EQ(image.pixel(193, 321), qRgb(0, 128, 0) | 0xff000000u) << "the ball's middle";
    EXPECT_EQ(image.pixel(179, 307), image.pixel(20, 20)) << "the field outside the ball's corner";
}

} // namespace
