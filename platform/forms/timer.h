// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

// A timer of a window: while Enabled, its tick handler runs once per Interval.
#pragma once

#include <cstdint>

namespace forms {

class Timer {
public:
    Timer(std::int32_t interval, bool enabled) : m_interval(interval), m_enabled(enabled) {}
    Timer(const Timer &) = delete;
    Timer &operator=(const Timer &) = delete;

    bool Enabled() const { return m_enabled; }
    void setEnabled(bool enabled) { m_enabled = enabled; }

    // Milliseconds between ticks.
    std::int32_t Interval() const { return m_interval; }
    void setInterval(std::int32_t milliseconds) { m_interval = milliseconds; }

private:
    std::int32_t m_interval;
    bool m_enabled;
};

} // namespace forms
