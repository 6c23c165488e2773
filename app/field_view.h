// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

// Draws the game window's controls, back to front, from their twips.
#pragma once

#include <QImage>
#include <QWidget>

#include <array>

namespace game {
class FrmTolvarn;
}

namespace app {

class FieldView : public QWidget {
    Q_OBJECT

public:
    explicit FieldView(game::FrmTolvarn &form, QWidget *parent = nullptr);

    // A shape moved from one box to another, in twips: what it covered before and
    // covers now is repainted, if its pixels changed.
    void showMove(const QRectF &before, const QRectF &now);
    // The clock shows a new count: repainted, and told to a screen reader.
    void showClock();

    // The clock's face: Verdana bold at 19 pixels, or the nearest bold sans-serif.
    static QFont clockFont();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void repaintPixels(const QRect &pixels);
    // A circle's picture never changes, only its place: it is drawn once, for each
    // size, colour and screen scale, and copied from then on.
    const QImage &circleImage(const QSize &size, const QColor &fill, const QColor &outline, qreal scale);

    struct Circle {
        QSize size;
        QRgb fill = 0;
        QRgb outline = 0;
        qreal scale = 0;
        QImage image;
    };

    game::FrmTolvarn &m_form;
    QWidget *m_clockText = nullptr;
    QFont m_clockFont;
    std::array<Circle, 8> m_circles;
    std::size_t m_nextCircle = 0;
};

} // namespace app
