// Draws the game window's controls, back to front, from their twips.
#pragma once

#include <QImage>
#include <QWidget>

#include <array>

class FrmTolvarn;

namespace platform {
class Shape;
}

class FieldView : public QWidget {
public:
    explicit FieldView(FrmTolvarn &form, QWidget *parent = nullptr);

    // A shape moved from oldBox. Once the event that moved it is done, what it covered
    // before and covers now is repainted, if its pixels changed: a tick that moves a
    // ball in many small steps asks for one repaint of that ball.
    void shapeMoved(const platform::Shape &shape, const QRectF &oldBox);
    // The clock shows a new count: repainted, and told to a screen reader.
    void clockChanged();

    // The clock's face: Verdana bold at 19 pixels, or the nearest bold sans-serif.
    static QFont clockFont();

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void repaintMoves();
    void repaintPixels(const QRect &pixels);
    // A circle's picture never changes, only its place: it is drawn once, for each
    // size, colour and screen scale, and copied from then on.
    const QImage &circleImage(const QSize &size, const QColor &fill, const QColor &outline, qreal scale);

    // The shapes moved since the last repaint request, each with the pixels it had then.
    struct Moved {
        const platform::Shape *shape = nullptr;
        QRect oldPixels;
    };
    static constexpr std::size_t MaxMoved = 9;

    struct Circle {
        QSize size;
        QRgb fill = 0;
        QRgb outline = 0;
        qreal scale = 0;
        QImage image;
    };

    FrmTolvarn &m_form;
    QWidget *m_clockText = nullptr;
    QFont m_clockFont;
    std::array<Moved, MaxMoved> m_moved;
    std::size_t m_movedCount = 0;
    bool m_repaintPosted = false;
    std::array<Circle, 8> m_circles;
    std::size_t m_nextCircle = 0;
};
