// Key codes as the game's handlers see them: the desktop's virtual key codes.
#pragma once

#include <cstdint>

namespace platform::keys {

constexpr std::int16_t Left = 37;
constexpr std::int16_t Up = 38;
constexpr std::int16_t Right = 39;
constexpr std::int16_t Down = 40;

// Shift state bits that come with a key.
constexpr std::int16_t ShiftMask = 1;
constexpr std::int16_t CtrlMask = 2;
constexpr std::int16_t AltMask = 4;

} // namespace platform::keys
