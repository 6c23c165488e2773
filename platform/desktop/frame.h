// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

// The frames of the game's windows and dialogs.
#pragma once

class QDialog;
class QString;
class QWidget;

namespace desktop {

// A fixed frame with the given title and the sun icon: a close button, and no
// minimize or maximize button. Nothing maximizes the window.
void setFixedFrame(QWidget &window, const QString &title);

// A dialog's frame: the title, a close button and nothing else, standing over the
// window it was made for, and never maximized.
void setDialogFrame(QDialog &dialog, const QString &title);

// The width of a window whose title bar shows the whole title on the desktops known.
int titleBarWidth(const QString &title);

} // namespace desktop
