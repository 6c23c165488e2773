// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

// What the program does between making its application object and its first event.
#pragma once

#include "app/main_window.h"

#include <memory>

namespace app {

// Qt's own texts in Swedish, what a screen reader is given, and the program's name on
// dialogs and in the desktop's eyes.
void setUpDesktop();

// The desktop set up, then the window made and shown centred. The benchmark starts
// its animation floor this way too.
template <typename Window = MainWindow>
std::unique_ptr<Window> startUp()
{
    setUpDesktop();
    auto window = std::make_unique<Window>();
    window->showCentred();
    return window;
}

} // namespace app
