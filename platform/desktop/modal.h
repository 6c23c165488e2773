// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

// Dialogs that stand over the game's window under GNOME on Wayland too.
#pragma once

class QDialog;

namespace desktop {

// Each time the dialog shows as a modal one, tells a compositor that offers GNOME's
// own window protocol (gtk_shell1: mutter) that it is modal. GNOME keeps a modal
// dialog attached over its parent, but on Wayland it learns of the modality only
// that way: the parent alone (which Qt tells) leaves the dialog where GNOME puts
// new windows. Does nothing on X, nor under a compositor without that protocol.
void keepOverParent(QDialog &dialog);

} // namespace desktop
