// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

// Key codes as the game's handlers see them: the desktop's virtual key codes.
#pragma once

#include <cstdint>

namespace forms::keys {

constexpr std::int16_t Left = 37;
constexpr std::int16_t Up = 38;
constexpr std::int16_t Right = 39;
constexpr std::int16_t Down = 40;

} // namespace forms::keys
