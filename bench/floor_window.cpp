#include "bench/floor_window.h"

#include "game/frmtolvarn.h"
#include "platform/qt/qt_placement.h"
#include "platform/twips.h"

#include <QLayout>
#include <QMenuBar>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <QTimer>

#include <array>

namespace bench {

// Three circles of the balls' size fall as far a tick as the balls of a three-ball game
// (70, 120 and 240 twips), and come back at the top, as the balls do, past 3100.
class FloorField : public QWidget {
public:
    FloorField() : m_circle(pixels({}).size())
    {
        setFixedSize(platform::pixelSize(FrmTolvarn::ClientWidth, FrmTolvarn::ClientHeight));
        setAttribute(Qt::WA_OpaquePaintEvent);
        // Drawn once and copied from then on: the cheapest way to show a smooth circle.
        m_circle.fill(Qt::transparent);
        QPainter painter(&m_circle);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(QColor(192, 0, 0));
        painter.drawEllipse(QRectF(m_circle.rect()).adjusted(0.5, 0.5, -0.5, -0.5));
        m_timer.setTimerType(Qt::PreciseTimer);
        connect(&m_timer, &QTimer::timeout, this, &FloorField::fall);
    }

    void play() { m_timer.start(15); }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QPainter painter(this);
        painter.fillRect(event->rect(), Qt::white);
        for (const QPointF &ball : m_balls) {
            if (event->region().intersects(pixels(ball)))
                painter.drawPixmap(pixels(ball).topLeft(), m_circle);
        }
    }

private:
    static QRect pixels(const QPointF &twips) { return platform::pixelRect({twips, QSizeF(255, 255)}); }

    // Only what changed is repainted: one rectangle for a step, two for a jump.
    void fall()
    {
        for (std::size_t i = 0; i < m_balls.size(); ++i) {
            const QRect before = pixels(m_balls[i]);
            m_balls[i].ry() = m_balls[i].y() + Steps[i] >= 3100 ? 50 : m_balls[i].y() + Steps[i];
            const QRect now = pixels(m_balls[i]);
            const bool step = now.intersects(before);
            update(step ? now.united(before) : now);
            if (!step)
                update(before);
        }
    }

    static constexpr std::array<double, 3> Steps{70, 120, 240};
    std::array<QPointF, 3> m_balls{{{600, 50}, {1500, 50}, {2400, 50}}};
    QPixmap m_circle;
    QTimer m_timer;
};

FloorWindow::FloorWindow()
{
    // The game's title, frame and two-item menu bar.
    setWindowTitle(QStringLiteral("Tolvarn"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    QMenuBar *menus = menuBar();
    menus->setNativeMenuBar(false);
    menus->addAction(QStringLiteral("Nytt spel"));
    menus->addAction(QStringLiteral("Hjälp"));
    m_field = new FloorField;
    setCentralWidget(m_field);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void FloorWindow::showCentred()
{
    adjustSize();
    platform::showCentred(*this);
}

void FloorWindow::play()
{
    m_field->play();
}

} // namespace bench
