#include "help/wrapped_label.h"

#include <QPainter>
#include <QTextLayout>

#include <algorithm>

namespace {

// Qt's line breaking hangs a run of spaces past the end of the line it follows,
// however long the run, so the words after it would come straight after the words
// before it. Fed as no-break spaces, a run takes its full room and is carried over
// as many lines as it fills, breaking anywhere like a word longer than the line.
// A single space between words stays an ordinary place to break.
QString textToLayOut(QString text)
{
    qsizetype i = 0;
    while (i < text.size()) {
        qsizetype end = i;
        while (end < text.size() && text[end] == u' ')
            ++end;
        if (end - i > 1)
            std::fill(text.begin() + i, text.begin() + end, QChar::Nbsp);
        i = std::max(end, i + 1);
    }
    return text;
}

} // namespace

WrappedLabel::WrappedLabel(QString caption, QWidget *parent)
    : QWidget(parent), m_caption(std::move(caption)), m_textToLayOut(textToLayOut(m_caption))
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void WrappedLabel::layOut(QTextLayout &layout) const
{
    QTextOption option(Qt::AlignLeft | Qt::AlignTop);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    qreal top = 0;
    // Lines that would start below the box are not needed: nothing of them shows.
    while (top < height()) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(width());
        line.setPosition(QPointF(0, top));
        top += line.height();
    }
    layout.endLayout();
}

WrappedLabel::Place WrappedLabel::placeOf(qsizetype index) const
{
    QTextLayout layout(m_textToLayOut, font(), this);
    layOut(layout);
    const QTextLine line = layout.lineForTextPosition(static_cast<int>(index));
    if (!line.isValid())
        return {-1, 0, 0, 0};
    return {line.lineNumber(), line.cursorToX(static_cast<int>(index)), line.y(), line.y() + line.height()};
}

void WrappedLabel::paintEvent(QPaintEvent *)
{
    // Colours are read at every paint, so the label follows the desktop's scheme.
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));
    painter.setClipRect(rect());
    painter.setPen(palette().color(QPalette::ButtonText));
    QTextLayout layout(m_textToLayOut, font(), this);
    layOut(layout);
    layout.draw(&painter, QPointF(0, 0));
}
