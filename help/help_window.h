// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

// The help window: a picture of the game, the arrow keys and two short texts.
#pragma once

#include <QWidget>

namespace help {

class HelpWindow : public QWidget {
    Q_OBJECT

public:
    explicit HelpWindow(QWidget *parent = nullptr);

    // The window's face: a narrow sans-serif at 8 points. It is narrow enough that
    // the words after the goal's long run of spaces land left of the arrow keys.
    static QFont windowFont();

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

} // namespace help
