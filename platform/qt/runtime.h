// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

// The runtime services on Qt Widgets: dialogs, a clock-seeded random source, the
// help window and an immediate end.
#pragma once

#include "platform/forms/runtime.h"

#include <QMessageBox>
#include <QPointer>
#include <QRandomGenerator>
#include <QWidget>

#include <functional>
#include <memory>

namespace qtforms {

// Puts Qt's own texts (a text field's menu, the boxes Qt makes) in Swedish like the
// game's, whatever the user's language. Where Qt's Swedish catalogue is not installed
// (Debian: qt6-translations-l10n), those texts stay as Qt has them.
void installSwedishQtTexts();

// Random bits as a number in [0, 1), evenly spread: what the game's random source gives.
float fractionOf(quint32 randomBits);

class Runtime final : public forms::Runtime {
public:
    // Dialogs are modal over dialogParent. makeHelpWindow makes the window that ShowHelp
    // shows, at its first call. A dialog waits for the user in the middle of a handler:
    // beforeWaiting runs first, so that the window shows, and its timers follow, what
    // the handler has done until then.
    Runtime(QWidget *dialogParent, std::function<std::unique_ptr<QWidget>()> makeHelpWindow,
        std::function<void()> beforeWaiting);

    QString InputBox(const QString &prompt, const QString &title, const QString &defaultAnswer) override;
    void MsgBox(const QString &text) override;
    void Randomize() override;
    // The seed that Randomize takes when the system's clock reads this moment.
    void seedFrom(qint64 msecsSinceEpoch);
    float Rnd() override;
    void ShowHelp() override;
    void End() override;

private:
    std::unique_ptr<QMessageBox> newMessageBox() const;
    void waitForUser(QDialog &dialog);

    QPointer<QWidget> m_dialogParent;
    // A message box built ahead of need: building one takes about a millisecond, and
    // the game-over message should show the moment the touch is found.
    std::unique_ptr<QMessageBox> m_readyMessageBox;
    std::function<void()> m_beforeWaiting;
    std::function<std::unique_ptr<QWidget>()> m_makeHelpWindow;
    std::unique_ptr<QWidget> m_helpWindow; // made at the first "Hjälp"
    QRandomGenerator m_random;
};

} // namespace qtforms
