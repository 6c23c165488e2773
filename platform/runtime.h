// The services that event handlers ask of the desktop: dialogs, random numbers,
// the help window and the end of the program.
#pragma once

#include <QString>

#include <memory>

namespace platform {

// A window that can be shown without an owner; showing returns at once.
class Window {
public:
    virtual ~Window() = default;
    virtual void Show() = 0;
};

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

    // Creates the help window; the caller keeps the one object for the program's life.
    virtual std::unique_ptr<Window> NewHelpWindow() = 0;

    // Ends the program at once: every window closes and no handler runs after it.
    virtual void End() = 0;
};

} // namespace platform
