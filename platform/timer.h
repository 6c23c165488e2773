// A timer of a window: while Enabled, its tick handler runs once per Interval.
#pragma once

#include <cstdint>
#include <functional>

namespace platform {

class Timer {
public:
    Timer(std::int32_t interval, bool enabled) : m_interval(interval), m_enabled(enabled) {}
    Timer(const Timer &) = delete;
    Timer &operator=(const Timer &) = delete;

    bool Enabled() const { return m_enabled; }
    void setEnabled(bool enabled)
    {
        m_enabled = enabled;
        changed();
    }

    // Milliseconds between ticks.
    std::int32_t Interval() const { return m_interval; }
    void setInterval(std::int32_t milliseconds)
    {
        m_interval = milliseconds;
        changed();
    }

    // Called after every write of Enabled or Interval, also one that keeps the value:
    // switching on a running timer is still a request the driver may act on.
    void setOnChanged(std::function<void()> onChanged) { m_onChanged = std::move(onChanged); }

private:
    void changed()
    {
        if (m_onChanged)
            m_onChanged();
    }

    std::int32_t m_interval;
    bool m_enabled;
    std::function<void()> m_onChanged;
};

} // namespace platform
