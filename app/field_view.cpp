#include "app/field_view.h"

#include "app/frmtolvarn.h"
#include "platform/twips.h"

#include <QApplication>
#include <QMenu>
#include <QPaintEvent>
#include <QPainter>

#include <ranges>

namespace {

using platform::pixelRect;

// Circles are drawn with antialiasing, which can reach one pixel beyond the box.
constexpr int RepaintMargin = 1;

QColor fillColour(const platform::Fill &fill)
{
    // The desktop's menu background is what Qt gives menus.
    if (fill.followsDesktopMenu)
        return QApplication::palette("QMenu").color(QPalette::Window);
    return QColor::fromRgb(fill.rgb);
}

void drawShape(QPainter &painter, const platform::Shape &shape, const QColor &outline)
{
    // A one-pixel outline along the inside of the box, the fill within it.
    const QRectF box = QRectF(pixelRect(shape.box())).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(outline, 1));
    painter.setBrush(fillColour(shape.fill()));
    if (shape.kind() == platform::ShapeKind::Circle) {
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.drawEllipse(box);
        painter.setRenderHint(QPainter::Antialiasing, false);
    } else {
        painter.drawRect(box);
    }
}

} // namespace

FieldView::FieldView(FrmTolvarn &form, QWidget *parent) : QWidget(parent), m_form(form), m_clockFont(clockFont())
{
    setFixedSize(platform::pixelSize(FrmTolvarn::ClientWidth, FrmTolvarn::ClientHeight));
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
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

void FieldView::repaintTwips(const QRectF &oldBox, const QRectF &newBox)
{
    repaintTwips(oldBox);
    repaintTwips(newBox);
}

void FieldView::repaintTwips(const QRectF &box)
{
    const QRect pixels = pixelRect(box).adjusted(-RepaintMargin, -RepaintMargin, RepaintMargin, RepaintMargin);
    if (pixels.intersects(rect()))
        update(pixels);
}

void FieldView::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.setClipRegion(event->region());
    painter.fillRect(event->rect(), palette().color(QPalette::Button));

    const QColor outline = palette().color(QPalette::WindowText);
    for (const platform::Shape *shape : m_form.shapesFrontToBack() | std::views::reverse) {
        if (event->region().intersects(pixelRect(shape->box()).adjusted(-1, -1, 1, 1)))
            drawShape(painter, *shape, outline);
    }

    // The clock: black on whatever lies beneath, cut off at its box.
    const QRect labelBox = pixelRect(m_form.lblTid.box());
    painter.setClipRect(labelBox, Qt::IntersectClip);
    painter.setFont(m_clockFont);
    painter.setPen(Qt::black);
    painter.drawText(labelBox, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip,
                     m_form.lblTid.Caption());
}
