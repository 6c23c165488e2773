// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

// A filled rectangle or circle of a window, placed in twips.
#pragma once

#include <QRectF>
#include <cstdint>

namespace forms {

enum class ShapeKind { Rectangle, Circle };

// A shape's fill: a fixed colour, or the desktop's colour for menu backgrounds.
struct Fill {
    bool followsDesktopMenu = false;
    std::uint32_t rgb = 0; // opaque 0xAARRGGBB, as Qt's QRgb

    static constexpr Fill desktopMenu() { return {true, 0}; }
    static constexpr Fill fixed(int red, int green, int blue)
    {
        return {false, 0xff000000u | std::uint32_t(red) << 16 | std::uint32_t(green) << 8 | std::uint32_t(blue)};
    }
};

class Shape {
public:
    Shape(ShapeKind kind, float left, float top, float width, float height, Fill fill)
        : m_kind(kind), m_left(left), m_top(top), m_width(width), m_height(height), m_fill(fill)
    {}
    Shape(const Shape &) = delete;
    Shape &operator=(const Shape &) = delete;

    // Position in twips; a read returns exactly the value last written.
    float Left() const { return m_left; }
    float Top() const { return m_top; }
    void setLeft(float twips) { m_left = twips; }
    void setTop(float twips) { m_top = twips; }

    float Width() const { return m_width; }
    float Height() const { return m_height; }
    ShapeKind kind() const { return m_kind; }
    Fill fill() const { return m_fill; }
    QRectF box() const { return {m_left, m_top, m_width, m_height}; }

private:
    ShapeKind m_kind;
    float m_left;
    float m_top;
    float m_width;
    float m_height;
    Fill m_fill;
};

} // namespace forms
