// A line of text in a fixed box of a window, placed in twips.
#pragma once

#include <QRectF>
#include <QString>

#include <functional>

namespace platform {

class Label {
public:
    Label(float left, float top, float width, float height, QString caption)
        : m_box(left, top, width, height), m_caption(std::move(caption))
    {
    }
    Label(const Label &) = delete;
    Label &operator=(const Label &) = delete;

    const QString &Caption() const { return m_caption; }
    void setCaption(const QString &caption)
    {
        if (caption == m_caption)
            return;
        m_caption = caption;
        if (m_onChanged)
            m_onChanged();
    }

    QRectF box() const { return m_box; }
    void setOnChanged(std::function<void()> onChanged) { m_onChanged = std::move(onChanged); }

private:
    QRectF m_box;
    QString m_caption;
    std::function<void()> m_onChanged;
};

} // namespace platform
