// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

// The game window: its controls with their stored layout, the variables of its
// handlers, and its event handlers, one file of game/ for each rule.
//
// The rules keep the window's own names, so that a reader finds each rule by the event
// it answers: controls and handlers read as a forms designer names them. Controls carry
// a prefix by kind (`frm` window, `tmr` timer, `lbl` label, `sh` shape), handlers are
// named control_event (`tmrEnemy2_Timer` is the tick of `tmrEnemy2`), variables a type
// prefix (`str` text, `sng` single-precision number), and positions are the controls'
// `Left`/`Top` in twips. Some names are Swedish: `fiende` is an enemy, a red ball;
// `shMove` is the player's green ball; `lblTid` the clock ("tid", time); `tmrChecka`
// checks for a touch. `Rnd`, `InputBox`, `MsgBox` and `End` are the runtime's services
// (platform/forms/runtime.h).
#pragma once

#include "platform/forms/label.h"
#include "platform/forms/runtime.h"
#include "platform/forms/shape.h"
#include "platform/forms/timer.h"

#include <QString>

#include <array>
#include <cstdint>

namespace game {

class FrmTolvarn {
public:
    explicit FrmTolvarn(forms::Runtime &runtime);
    FrmTolvarn(const FrmTolvarn &) = delete;
    FrmTolvarn &operator=(const FrmTolvarn &) = delete;

    // Window events.
    void Form_Load();
    void Form_KeyDown(std::int16_t KeyCode); // game/player_movement.cpp
    void newMenu_Click();                    // game/new_game.cpp
    void helpMenu_Click();
    void tmrEnemy_Timer();  // game/falling_balls.cpp
    void tmrEnemy2_Timer(); // game/falling_balls.cpp
    void tmrEnemy3_Timer(); // game/falling_balls.cpp
    void tmrChecka_Timer(); // game/collision.cpp
    void tmrTid_Timer();    // game/game_clock.cpp

    // The window's client area in twips, below the menu bar.
    static constexpr float ClientWidth = 3255;
    static constexpr float ClientHeight = 3375;

    // The field's limits, shared by the player ball and the red balls: a Top at or past
    // the bottom line sends a ball to the top line, a Left at or past the right-hand line
    // sends it to the left-hand line.
    static constexpr float BottomLine = 3100;
    static constexpr float TopLine = 50;
    static constexpr float RightHandLine = 3000;
    static constexpr float LeftHandLine = 60;

    // Drawn controls. Positions and sizes in twips.
    forms::Label lblTid{2640, 2880, 495, 375, QStringLiteral("0")};
    forms::Shape Shape5{forms::ShapeKind::Rectangle, 3120, 0, 135, 3255, forms::Fill::desktopMenu()};
    forms::Shape Shape4{forms::ShapeKind::Rectangle, 120, 0, 3015, 135, forms::Fill::desktopMenu()};
    forms::Shape Shape3{forms::ShapeKind::Rectangle, 0, 0, 135, 3255, forms::Fill::desktopMenu()};
    forms::Shape Shape2{forms::ShapeKind::Rectangle, 0, 3240, 3255, 135, forms::Fill::desktopMenu()};
    forms::Shape shMove{forms::ShapeKind::Circle, 1320, 2280, 255, 255, forms::Fill::fixed(0, 128, 0)};
    forms::Shape fiende{forms::ShapeKind::Circle, 120, 3480, 255, 255, forms::Fill::fixed(192, 0, 0)};
    forms::Shape fiende3{forms::ShapeKind::Circle, 840, 3480, 255, 255, forms::Fill::fixed(64, 0, 0)};
    forms::Shape fiende2{forms::ShapeKind::Circle, 480, 3480, 255, 255, forms::Fill::fixed(128, 0, 0)};
    forms::Shape Shape1{forms::ShapeKind::Rectangle, 120, 120, 3010, 3135, forms::Fill::fixed(255, 255, 255)};

    // The nine shapes in stacking order, front to back; the label stands in front of all.
    std::array<forms::Shape *, 9> shapesFrontToBack()
    {
        return {&Shape5, &Shape4, &Shape3, &Shape2, &shMove, &fiende, &fiende3, &fiende2, &Shape1};
    }

    // Timers: interval in milliseconds, running at start. The touch check asks for every
    // millisecond; the window runs it once after every event that moved a ball or the
    // player instead, which finds each touch that a 1 ms timer would, sooner, and costs
    // nothing while nothing moves.
    forms::Timer tmrChecka{1, true};
    forms::Timer tmrTid{1000, false};
    forms::Timer tmrEnemy{100, false};
    forms::Timer tmrEnemy2{100, false};
    forms::Timer tmrEnemy3{100, false};

private:
    float drawShift(double span);
    void fallFirstTwo(forms::Timer &pacing);
    bool touchesPlayer(const forms::Shape &ball) const;
    void endGame();

    forms::Runtime &m_runtime;

    QString strBalls;     // the last answer to "Nytt spel"
    float sngOffset1 = 0; // this tick's shift of ball 1, should it return to the top
    float sngOffset2 = 0; // ... of ball 2
    float sngOffset3 = 0; // ... of ball 3
};

} // namespace game
