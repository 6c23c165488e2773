// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

// A line of text in a fixed box of a window, placed in twips.
#pragma once

#include <QRectF>
#include <QString>

#include <utility>

namespace forms {

class Label {
public:
    Label(float left, float top, float width, float height, QString caption)
        : m_box(left, top, width, height), m_caption(std::move(caption))
    {}
    Label(const Label &) = delete;
    Label &operator=(const Label &) = delete;

    const QString &Caption() const { return m_caption; }
    void setCaption(const QString &caption) { m_caption = caption; }

    QRectF box() const { return m_box; }

private:
    QRectF m_box;
    QString m_caption;
};

} // namespace forms
