// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

// The frames of the game's windows and dialogs, and where the windows come up.
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

// Shows a top-level window so that the window as a person sees it, its frame
// included, stands in the middle of its screen's available area. Where windows
// cannot place themselves (Wayland), the compositor places it.
void showCentred(QWidget &window);

} // namespace desktop
