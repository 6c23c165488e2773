// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

// Loaded only into the display test's own headless shell: Eval answers only in the
// shell's unsafe mode, and the overview a new session opens and
// the notices would cover the game.
const Main = imports.ui.main;

function init() {
    return {
        enable() {
            Main.messageTray.bannerBlocked = true;  // no notice over the game
            global.context.unsafe_mode = true;
            if (Main.layoutManager._startingUp)
                Main.layoutManager.connect('startup-complete', () => Main.overview.hide());
            else
                Main.overview.hide();
        },
        disable() {},
    };
}
