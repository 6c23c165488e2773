// Translates Qt's keys into the key codes and shift state that handlers see.
#pragma once

#include <QKeyEvent>

#include <cstdint>

namespace platform {

// The virtual key code of a key: arrows 37 to 40, letters and digits their upper-case
// character, function keys 112 on; 0 for keys the game does not name.
std::int16_t keyCodeOf(const QKeyEvent &event);

// Shift 1, Ctrl 2, Alt 4, added together.
std::int16_t shiftStateOf(const QKeyEvent &event);

} // namespace platform
