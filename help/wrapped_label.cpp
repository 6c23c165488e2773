// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

#include "help/wrapped_label.h"

#include <QPainter>
#include <QTextLayout>

namespace help {

namespace {

// Qt's line breaking hangs a run of spaces past the end of the line it follows,
// however long the run, so the words after it would come straight after the words
// before it. A no-break space takes its room like a letter instead, and zero-width
// spaces around it let the line break on either side: the run fills the rest of its
// line and as many lines after it as it needs, the words on both sides of it stay
// where they fit, and no word is split. A single space between words stays an
// ordinary place to break.
constexpr QChar BreakHere(0x200B);

bool inRun(const QString &text, qsizetype i)
{
    return text[i] == u' ' && ((i > 0 && text[i - 1] == u' ') || (i + 1 < text.size() && text[i + 1] == u' '));
}

} // namespace

WrappedLabel::WrappedLabel(QString caption, QWidget *parent) : QWidget(parent), m_caption(std::move(caption))
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    for (qsizetype i = 0; i < m_caption.size(); ++i) {
        const bool spaceOfARun = inRun(m_caption, i);
        if (spaceOfARun || (i > 0 && inRun(m_caption, i - 1)))
            m_textToLayOut += BreakHere;
        m_layoutIndex.push_back(static_cast<int>(m_textToLayOut.size()));
        m_textToLayOut += spaceOfARun ? QChar::Nbsp : m_caption[i];
    }
}

void WrappedLabel::layOut(QTextLayout &layout) const
{
    QTextOption option(Qt::AlignLeft | Qt::AlignTop);
    option.setWrapMode(QTextOption::WordWrap);
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

QString WrappedLabel::shownText() const
{
    QTextLayout layout(m_textToLayOut, font(), this);
    layOut(layout);
    qsizetype end = 0;
    if (layout.lineCount() > 0) {
        const QTextLine last = layout.lineAt(layout.lineCount() - 1);
        end = last.textStart() + last.textLength();
    }
    // A no-break space is a space to simplified(); the break marks are nothing.
    return m_textToLayOut.left(end).remove(BreakHere).simplified();
}

WrappedLabel::Place WrappedLabel::placeOf(qsizetype index) const
{
    QTextLayout layout(m_textToLayOut, font(), this);
    layOut(layout);
    const int position = m_layoutIndex[index];
    const QTextLine line = layout.lineForTextPosition(position);
    if (!line.isValid())
        return {-1, 0, 0, 0};
    return {line.lineNumber(), line.cursorToX(position), line.y(), line.y() + line.height()};
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

} // namespace help
