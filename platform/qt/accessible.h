// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

// What a screen reader is given beyond what Qt's own widgets give it: the texts that
// the game paints itself, and only the windows that a player can see.
#pragma once

#include <QString>

class QWidget;

namespace qtforms {

// A widget that paints a text of its own. A screen reader reads it as a label that
// shows this text. The widget's class declares Q_OBJECT: Qt keeps each accessible
// interface under the meta-object its widget had when asked, and Qt 6.11 asks while
// the widget is still being built, a plain QWidget then. Only a meta-object of the
// class's own makes Qt ask again, for the label, once the widget is whole.
class PaintedText {
public:
    virtual ~PaintedText() = default;
    virtual QString shownText() const = 0;
};

// Puts the above in place for the whole program; called once, after the QApplication
// is made.
void serveScreenReaders();

// Tells a screen reader that what the widget shows changed, as a label does.
void announceTextChange(QWidget &widget);

} // namespace qtforms
