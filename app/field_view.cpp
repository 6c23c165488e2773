// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

#include "app/field_view.h"

#include "game/frmtolvarn.h"
#include "platform/forms/shape.h"
#include "platform/forms/twips.h"
#include "platform/qt/accessible.h"

#include <QApplication>
#include <QPaintEvent>
#include <QPainter>

namespace app {

namespace {

using forms::pixelRect;

// Circles are drawn with antialiasing, which can reach one pixel beyond the box.
constexpr int RepaintMargin = 1;

QColor fillColour(const forms::Fill &fill)
{
    // The desktop's menu background is what Qt gives menus.
    if (fill.followsDesktopMenu)
        return QApplication::palette("QMenu").color(QPalette::Window);
    return QColor::fromRgb(fill.rgb);
}

// A one-pixel outline along the inside of the box, the fill within it.
void drawCircle(QPainter &painter, const QRect &pixels, const QColor &fill, const QColor &outline)
{
    painter.setPen(QPen(outline, 1));
    painter.setBrush(fill);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.drawEllipse(QRectF(pixels).adjusted(0.5, 0.5, -0.5, -0.5));
    painter.setRenderHint(QPainter::Antialiasing, false);
}

// The same as drawing the rectangle with a one-pixel pen: the box's edge pixels in the
// outline colour, the fill within them. Each pixel is painted once: a ball's repaint
// covers much of the field and of a wall, and painting them twice is half its cost.
void drawRectangle(QPainter &painter, const QRect &pixels, const QColor &fill, const QColor &outline)
{
    const QRect inside = pixels.adjusted(1, 1, -1, -1);
    painter.fillRect(inside, fill);
    painter.fillRect(QRect(pixels.left(), pixels.top(), pixels.width(), 1), outline);
    painter.fillRect(QRect(pixels.left(), pixels.bottom(), pixels.width(), 1), outline);
    painter.fillRect(QRect(pixels.left(), inside.top(), 1, inside.height()), outline);
    painter.fillRect(QRect(pixels.right(), inside.top(), 1, inside.height()), outline);
}

// Stands where the field draws the clock and paints nothing itself: a screen reader
// finds the clock there as a text, as it finds a label.
class ClockText : public QWidget, public qtforms::PaintedText {
    Q_OBJECT

public:
    ClockText(const forms::Label &clock, QWidget *parent) : QWidget(parent), m_clock(clock)
    {
        setGeometry(pixelRect(clock.box()));
        setFocusPolicy(Qt::NoFocus);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAccessibleDescription(QStringLiteral("Sekunder"));
    }
    QString shownText() const override { return m_clock.Caption(); }

private:
    const forms::Label &m_clock;
};

} // namespace

FieldView::FieldView(game::FrmTolvarn &form, QWidget *parent)
    : QWidget(parent), m_form(form), m_clockText(new ClockText(form.lblTid, this)), m_clockFont(clockFont())
{
    setFixedSize(forms::pixelSize(game::FrmTolvarn::ClientWidth, game::FrmTolvarn::ClientHeight));
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(QStringLiteral("Spelplan"));
}

QFont FieldView::clockFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setBold(true);
    font.setPixelSize(19);
    return font;
}

void FieldView::showMove(const QRectF &before, const QRectF &now)
{
    const QRect from = pixelRect(before), to = pixelRect(now);
    if (to == from)
        return; // a step smaller than a pixel draws the same picture
    // One rectangle for a short step, two for a jump (a ball back at the top).
    if (to.adjusted(-1, -1, 1, 1).intersects(from)) {
        repaintPixels(to.united(from));
    } else {
        repaintPixels(from);
        repaintPixels(to);
    }
}

void FieldView::showClock()
{
    repaintPixels(pixelRect(m_form.lblTid.box()));
    qtforms::announceTextChange(*m_clockText);
}

void FieldView::repaintPixels(const QRect &pixels)
{
    const QRect margined = pixels.adjusted(-RepaintMargin, -RepaintMargin, RepaintMargin, RepaintMargin);
    if (margined.intersects(rect()))
        update(margined);
}

const QImage &FieldView::circleImage(const QSize &size, const QColor &fill, const QColor &outline, qreal scale)
{
    for (const Circle &circle : m_circles) {
        if (circle.size == size && circle.fill == fill.rgba() && circle.outline == outline.rgba()
            && circle.scale == scale && !circle.image.isNull())
            return circle.image;
    }
    // Drawn on transparency, the circle's smoothed edge blends with what lies beneath
    // when the image is drawn, as the circle drawn in place would.
    Circle &circle = m_circles[m_nextCircle];
    m_nextCircle = (m_nextCircle + 1) % m_circles.size();
    circle = {size, fill.rgba(), outline.rgba(), scale, QImage(size * scale, QImage::Format_ARGB32_Premultiplied)};
    circle.image.setDevicePixelRatio(scale);
    circle.image.fill(Qt::transparent);
    QPainter painter(&circle.image);
    drawCircle(painter, QRect(QPoint(0, 0), size), fill, outline);
    return circle.image;
}

void FieldView::paintEvent(QPaintEvent *event)
{
    // The painter is already clipped to the region to paint. The wall bars and the
    // field cover the whole window, so its background never shows and is not painted.
    QPainter painter(this);

    const QColor outline = palette().color(QPalette::WindowText);
    const qreal scale = painter.device()->devicePixelRatio();
    const auto frontToBack = m_form.shapesFrontToBack();
    for (auto back = frontToBack.rbegin(); back != frontToBack.rend(); ++back) {
        const forms::Shape &shape = **back;
        const QRect pixels = pixelRect(shape.box());
        if (!event->region().intersects(pixels.adjusted(-RepaintMargin, -RepaintMargin, RepaintMargin, RepaintMargin)))
            continue;
        const QColor fill = fillColour(shape.fill());
        if (shape.kind() == forms::ShapeKind::Circle)
            painter.drawImage(pixels.topLeft(), circleImage(pixels.size(), fill, outline, scale));
        else
            drawRectangle(painter, pixels, fill, outline);
    }

    // The clock: black on whatever lies beneath, cut off at its box.
    const QRect labelBox = pixelRect(m_form.lblTid.box());
    if (!event->region().intersects(labelBox))
        return;
    painter.setClipRect(labelBox, Qt::IntersectClip);
    painter.setFont(m_clockFont);
    painter.setPen(Qt::black);
    painter.drawText(
        labelBox, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip, m_form.lblTid.Caption());
}

} // namespace app

// The meta-object of ClockText, declared in this file.
#include "field_view.moc"
