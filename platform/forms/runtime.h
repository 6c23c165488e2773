// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

// The services that event handlers ask of the desktop: dialogs, random numbers,
// the help window and the end of the program.
#pragma once

#include <QString>

namespace forms {

class Runtime {
public:
    virtual ~Runtime() = default;

    // Modal input box; returns the text entered, or empty text on Cancel.
    virtual QString InputBox(const QString &prompt, const QString &title, const QString &defaultAnswer) = 0;
    // Modal message box with one text and an OK button.
    virtual void MsgBox(const QString &text) = 0;

    // Seeds the random source from the clock; done once, when the main window loads.
    virtual void Randomize() = 0;
    // Next random number, uniform in [0, 1).
    virtual float Rnd() = 0;

    // Shows the help window without an owner and returns at once. The desktop makes it
    // at the first call and keeps that one window for the program's life.
    virtual void ShowHelp() = 0;

    // Ends the program at once: every window closes and no handler runs after it.
    virtual void End() = 0;
};

} // namespace forms
