// Translates Qt's keys into the key codes that handlers see.
#pragma once

#include <QKeyEvent>

#include <cstdint>

namespace platform {

// The virtual key code of an arrow key, 37 to 40; 0 for every key the game does not name.
std::int16_t keyCodeOf(const QKeyEvent &event);

} // namespace platform
