// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

// The help window: a picture of the game, the arrow keys and two short texts.
#pragma once

#include <QWidget>

class QLabel;

namespace help {

class WrappedLabel;

class HelpWindow : public QWidget {
    Q_OBJECT

public:
    explicit HelpWindow(QWidget *parent = nullptr);

    // The window's face: a narrow sans-serif at 8 points. It is narrow enough that
    // the words after the goal's long run of spaces land left of the arrow keys.
    static QFont windowFont();

    // The controls, front to back.
    QLabel &Picture2() { return *m_picture2; }
    QLabel &Picture1() { return *m_picture1; }
    WrappedLabel &lblInfo2() { return *m_lblInfo2; }
    WrappedLabel &lblInformation() { return *m_lblInformation; }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QLabel *m_picture2 = nullptr;
    QLabel *m_picture1 = nullptr;
    WrappedLabel *m_lblInfo2 = nullptr;
    WrappedLabel *m_lblInformation = nullptr;
};

} // namespace help
