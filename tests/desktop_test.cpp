// At home on the desktop: a scaled screen and the desktop's own colours.
#include "app/main_window.h"
#include "help/help_window.h"

#include <QApplication>
#include <QImage>
#include <QMenuBar>
#include <QPalette>

#include <gtest/gtest.h>

namespace {

QImage renderField(MainWindow &window)
{
    return window.fieldView().grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Sets a palette for the whole program while a test runs.
class PaletteScope {
public:
    explicit PaletteScope(const QPalette &palette) : m_before(QApplication::palette()) { QApplication::setPalette(palette); }
    ~PaletteScope() { QApplication::setPalette(m_before); }

private:
    QPalette m_before;
};

QPalette darkPalette()
{
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(40, 44, 52));
    dark.setColor(QPalette::WindowText, QColor(220, 220, 210));
    dark.setColor(QPalette::Button, QColor(50, 54, 62));
    dark.setColor(QPalette::ButtonText, QColor(230, 230, 230));
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    dark.setColor(QPalette::Text, QColor(230, 230, 230));
    return dark;
}

TEST(DesktopColours, WallsAndOutlinesFollowTheDesktopWhileTheGameKeepsItsOwn)
{
    const PaletteScope scope(darkPalette());
    MainWindow window;
    window.form().fiende.setLeft(1500);
    window.form().fiende.setTop(1500);
    const QImage image = renderField(window);

    const QRgb menu = QApplication::palette("QMenu").color(QPalette::Window).rgb();
    ASSERT_EQ(menu, qRgb(40, 44, 52)) << "menus take the desktop's window colour";
    const struct {
        const char *what;
        int x, y;
        QRgb colour;
    } pixels[] = {
        {"left bar", 4, 100, menu},
        {"bottom bar", 100, 220, menu},
        {"left bar's outline", 0, 100, qRgb(220, 220, 210)},
        {"field's outline under the bar", 8, 100, qRgb(220, 220, 210)},
        {"field", 100, 100, qRgb(255, 255, 255)},
        {"player ball", 96, 160, qRgb(0, 128, 0)},
        {"red ball", 108, 108, qRgb(192, 0, 0)},
    };
    for (const auto &pixel : pixels)
        EXPECT_EQ(image.pixel(pixel.x, pixel.y), pixel.colour | 0xff000000u) << pixel.what;
}

// Run by CTest with QT_SCALE_FACTOR=2 (test "high_dpi"); skipped otherwise.
class HighDpi : public testing::Test {
protected:
    void SetUp() override
    {
        if (qApp->devicePixelRatio() != 2.0)
            GTEST_SKIP() << "needs QT_SCALE_FACTOR=2";
    }
};

TEST_F(HighDpi, MainWindowIsTwiceTheSizeWithEveryControlAtTwiceItsPixels)
{
    MainWindow window;
    window.showCentred();
    EXPECT_EQ(window.centralWidget()->size(), QSize(217, 225)) << "logical pixels stay";
    const QImage image = renderField(window);
    ASSERT_EQ(image.size(), QSize(434, 450));

    const QRgb menu = QApplication::palette("QMenu").color(QPalette::Window).rgb() | 0xff000000u;
    const QRgb outline = window.palette().color(QPalette::WindowText).rgb() | 0xff000000u;
    // Twice the pixel coordinates: the outline is two device pixels wide.
    EXPECT_EQ(image.pixel(0, 200), outline);
    EXPECT_EQ(image.pixel(1, 200), outline);
    EXPECT_EQ(image.pixel(8, 200), menu);
    EXPECT_EQ(image.pixel(16, 200), outline);
    EXPECT_EQ(image.pixel(17, 200), outline);
    EXPECT_EQ(image.pixel(18, 200), qRgb(255, 255, 255));

    // The ball's box runs from 176 to 210 across and 304 to 338 down; its circle is
    // round: as wide as high, and its inside all green.
    auto isGreen = [&](int x, int y) { return image.pixel(x, y) == qRgb(0, 128, 0); };
    int left = 500, right = -1, top = 500, bottom = -1;
    for (int y = 290; y < 350; ++y) {
        for (int x = 160; x < 230; ++x) {
            if (isGreen(x, y)) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    EXPECT_EQ(right - left, bottom - top);
    EXPECT_NEAR((left + right) / 2.0, 193, 1.0);
    EXPECT_NEAR((top + bottom) / 2.0, 321, 1.0);
    EXPECT_GE(right - left, 26) << "a full circle inside a two-pixel outline";

    // The clock's digit stands inside its doubled box, in a font twice as tall.
    int darkTop = 1000, darkBottom = -1;
    for (int y = 384; y < 434; ++y) {
        for (int x = 352; x < 418; ++x) {
            if (qGray(image.pixel(x, y)) < 80) {
                darkTop = std::min(darkTop, y);
                darkBottom = std::max(darkBottom, y);
            }
        }
    }
    EXPECT_GE(darkBottom - darkTop, 24) << "the digit is drawn at twice its height";
}

TEST_F(HighDpi, HelpWindowIsTwiceTheSizeWithItsPicturesAtTwiceTheirPixels)
{
    HelpWindow help;
    help.Show();
    EXPECT_EQ(help.size(), QSize(608, 240)) << "logical pixels stay";
    const QImage image = help.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(image.size(), QSize(1216, 480));
    const QRgb face = help.palette().color(QPalette::Button).rgb() | 0xff000000u;

    // The game picture's frame starts at (16, 16); its white field is inside.
    EXPECT_NE(image.pixel(17, 17), face);
    EXPECT_EQ(image.pixel(8, 8), face);
    EXPECT_EQ(image.pixel(300, 240), qRgb(255, 255, 255));
    // The strip right of the game picture, 2 pixels wide at 1x, is 4 at 2x.
    for (int x = 606; x < 610; ++x)
        EXPECT_EQ(image.pixel(x, 200), face) << x;
    // The arrow keys: transparent beside the up key, a key cap below.
    EXPECT_EQ(image.pixel(840, 90), face);
    int dark = 0, light = 0;
    for (int y = 80 + 74; y < 80 + 150; ++y) {
        for (int x = 832; x < 832 + 224; ++x) {
            dark += qGray(image.pixel(x, y)) < 60;
            light += qGray(image.pixel(x, y)) > 200;
        }
    }
    EXPECT_GT(dark, 1000) << "triangles and lines of the lower keys";
    EXPECT_GT(light, 5000) << "their caps";
    EXPECT_EQ(image.pixel(832 + 224 + 8, 120), face) << "the box's strip right of the picture";
    help.close();
}

} // namespace
