// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

// The one conversion from the windows' unit, the twip, to the screen's pixels.
#pragma once

#include <QRect>
#include <QRectF>
#include <QSize>

#include <cmath>

namespace forms {

// 1440 twips make an inch; at 96 dots per inch that is 15 twips a pixel. Qt scales
// these logical pixels by the screen's device pixel ratio.
constexpr double TwipsPerPixel = 15.0;

inline int pixelsFromTwips(double twips)
{
    return static_cast<int>(std::lround(twips / TwipsPerPixel));
}

inline QRect pixelRect(const QRectF &twips)
{
    return {pixelsFromTwips(twips.left()), pixelsFromTwips(twips.top()), pixelsFromTwips(twips.width()),
        pixelsFromTwips(twips.height())};
}

inline QSize pixelSize(double widthTwips, double heightTwips)
{
    return {pixelsFromTwips(widthTwips), pixelsFromTwips(heightTwips)};
}

} // namespace forms
