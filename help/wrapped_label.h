// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

// A label that breaks its text at spaces to the width of its box and cuts it off
// at the box's bottom; runs of spaces take room like any other text.
#pragma once

#include "platform/qt/accessible.h"

#include <QList>
#include <QString>
#include <QWidget>

class QTextLayout;

namespace help {

class WrappedLabel : public QWidget, public qtforms::PaintedText {
    Q_OBJECT

public:
    explicit WrappedLabel(QString caption, QWidget *parent = nullptr);

    const QString &Caption() const { return m_caption; }
    // The words of the lines that the box holds, each run of spaces as one space.
    QString shownText() const override;

    // Where the character at index is laid out: its line, counted from 0, the left
    // edge of the character, and the top and bottom of its line, in the label's pixels.
    struct Place {
        int line;
        qreal x;
        qreal top;
        qreal bottom;
    };
    Place placeOf(qsizetype index) const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void layOut(QTextLayout &layout) const;

    QString m_caption;
    QString m_textToLayOut;   // the caption as the layout takes it
    QList<int> m_layoutIndex; // where each character of the caption went in it
};

} // namespace help
