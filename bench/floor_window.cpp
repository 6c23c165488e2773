// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

#include "bench/floor_window.h"

#include "app/field_view.h"
#include "app/main_window.h"
#include "platform/desktop/frame.h"
#include "platform/forms/twips.h"

#include <QApplication>
#include <QLayout>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>

#include <array>
#include <span>

namespace bench {
namespace {

// The game's picture, placed in twips as the game places it and turned into pixels by
// the game's own conversion: the white field, the wall bars in front of it (bottom,
// left, top, right, each over the one before) and the clock's box.
const QRect FieldBox = forms::pixelRect({120, 120, 3010, 3135});
const QRect ClockBox = forms::pixelRect({2640, 2880, 495, 375});
const std::array<QRect, 4> WallBoxes{forms::pixelRect({0, 3240, 3255, 135}), forms::pixelRect({0, 0, 135, 3255}),
    forms::pixelRect({120, 0, 3015, 135}), forms::pixelRect({3120, 0, 135, 3255})};

// A ball or the player, placed in twips as the game places them.
struct Ball {
    QPointF twips;
    double step; // how far it falls a tick: 70, 120 and 240 twips in a three-ball game
    QColor fill;
    QPixmap picture = {};
    QRect pixels() const { return forms::pixelRect({twips, QSizeF(255, 255)}); }
};

// Three balls fall in columns of their own, come back at the top past 3100 twips, as
// the game's do, and pass behind the player and the walls; the clock counts seconds.
class FloorField : public QWidget {
    Q_OBJECT

public:
    FloorField()
    {
        setFixedSize(forms::pixelSize(3255, 3375));
        setAttribute(Qt::WA_OpaquePaintEvent);
        setFont(app::FieldView::clockFont());
        // A circle is drawn once and copied from then on: the cheapest way to show a smooth one.
        for (Ball &ball : m_balls) {
            ball.picture = QPixmap(ball.pixels().size());
            ball.picture.fill(Qt::transparent);
            QPainter painter(&ball.picture);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setPen(palette().color(QPalette::WindowText));
            painter.setBrush(ball.fill);
            painter.drawEllipse(QRectF(ball.picture.rect()).adjusted(0.5, 0.5, -0.5, -0.5));
        }
        m_fall.setObjectName(QStringLiteral("fall"));
        m_clock.setObjectName(QStringLiteral("clock"));
        for (QTimer *timer : {&m_fall, &m_clock})
            timer->setTimerType(Qt::PreciseTimer);
        connect(&m_fall, &QTimer::timeout, this, &FloorField::fall);
        connect(&m_clock, &QTimer::timeout, this, [this] {
            ++m_seconds;
            update(ClockBox);
        });
    }

    void play()
    {
        m_fall.start(15);
        m_clock.start(1000);
    }

protected:
    // Back to front, what lies in the rectangle to repaint.
    void paintEvent(QPaintEvent *event) override
    {
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::WindowText));
        painter.setBrush(Qt::white);
        // A one-pixel pen outlines one pixel beyond a rectangle's right and bottom.
        painter.drawRect(FieldBox.adjusted(0, 0, -1, -1));
        for (const Ball &ball : m_balls) {
            if (event->rect().intersects(ball.pixels()))
                painter.drawPixmap(ball.pixels().topLeft(), ball.picture);
        }
        painter.setBrush(QApplication::palette("QMenu").color(QPalette::Window));
        for (const QRect &wall : WallBoxes) {
            if (event->rect().intersects(wall))
                painter.drawRect(wall.adjusted(0, 0, -1, -1));
        }
        painter.setPen(Qt::black);
        if (event->rect().intersects(ClockBox))
            painter.drawText(ClockBox, Qt::AlignLeft | Qt::AlignTop, QString::number(m_seconds));
    }

private:
    // Only what changed is repainted: one rectangle for a step, two for a jump. (Two
    // update() calls for a step would cost a tick about 8 % more: Qt unites regions.)
    void fall()
    {
        for (Ball &ball : std::span(m_balls).first(3)) {
            const QRect before = ball.pixels();
            ball.twips.ry() = ball.twips.y() + ball.step >= 3100 ? 50 : ball.twips.y() + ball.step;
            update(before.intersects(ball.pixels()) ? before.united(ball.pixels()) : ball.pixels());
            if (!before.intersects(ball.pixels()))
                update(before);
        }
    }

    // The three balls, then the player. The balls wait below the field, as the game's do.
    std::array<Ball, 4> m_balls{{{{600, 3480}, 70, QColor(192, 0, 0)}, {{1500, 3480}, 120, QColor(128, 0, 0)},
        {{2400, 3480}, 240, QColor(64, 0, 0)}, {{1320, 2280}, 0, QColor(0, 128, 0)}}};
    int m_seconds = 0;
    QTimer m_fall{this}, m_clock{this};
};

} // namespace

// The game's title, frame and two-item menu bar.
FloorWindow::FloorWindow()
{
    desktop::setFixedFrame(*this, QStringLiteral("Tolvarn"));
    app::addGameMenus(*this);
    setCentralWidget(new FloorField);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
}

void FloorWindow::showCentred()
{
    desktop::showCentred(*this);
}

void FloorWindow::play()
{
    static_cast<FloorField *>(centralWidget())->play();
}

} // namespace bench

#include "floor_window.moc"
