// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

// The frame of the game's windows.
#pragma once

class QString;
class QWidget;

namespace platform {

// A fixed frame with the given title and the sun icon: a close button, and no
// minimize or maximize button.
void setFixedFrame(QWidget &window, const QString &title);

} // namespace platform
