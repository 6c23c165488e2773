// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

// The windows as a player and a screen reader meet them: controls by their accessible
// names, menu items by their captions, widgets as drawn and as the screen shows them; so
// that the windows need no way in of their own for the tests.
#pragma once

#include <QAccessible>
#include <QAction>
#include <QScreen>
#include <QWidget>

// The widget of type W in window whose accessible name begins with name; null if none.
template <typename W = QWidget>
W *findByName(const QWidget &window, const QString &name)
{
    for (W *widget : window.findChildren<W *>())
        if (QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name).startsWith(name))
            return widget;
    return nullptr;
}

// Chooses the menu item of that caption.
inline void choose(QWidget &window, const QString &item)
{
    for (QAction *action : window.findChildren<QAction *>())
        if (action->text() == item)
            action->trigger();
}

inline QImage drawn(QWidget &widget)
{
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

inline QImage shown(const QWidget &widget)
{
    const QPoint at = widget.mapTo(widget.window(), QPoint());
    const QPixmap pixels
        = widget.screen()->grabWindow(widget.window()->winId(), at.x(), at.y(), widget.width(), widget.height());
    return pixels.toImage().convertToFormat(QImage::Format_RGB32);
}
