#include "platform/qt_timer.h"

namespace platform {

QtTimer::QtTimer(Timer &timer, std::function<void()> onTick, QObject *parent)
    : QObject(parent), m_timer(timer), m_onTick(std::move(onTick))
{
    m_qtimer.setTimerType(Qt::PreciseTimer);
    connect(&m_qtimer, &QTimer::timeout, this, &QtTimer::tick);
    m_timer.setOnChanged([this] { follow(); });
    follow();
}

void QtTimer::setSleepsWhenIdle(bool sleeps)
{
    m_sleepsWhenIdle = sleeps;
    follow();
}

void QtTimer::wake()
{
    if (m_woken)
        return;
    m_woken = true;
    follow();
}

void QtTimer::stopForGood()
{
    m_stopped = true;
    m_qtimer.stop();
}

void QtTimer::follow()
{
    const bool shouldTick = m_timer.Enabled() && !m_stopped && (m_woken || !m_sleepsWhenIdle);
    if (!shouldTick) {
        m_qtimer.stop();
        return;
    }
    // Writing the interval restarts the period, also when it is unchanged; a timer that
    // is already running keeps its phase unless its interval really changed.
    if (m_qtimer.isActive() && m_qtimer.interval() == m_timer.Interval())
        return;
    m_qtimer.start(std::max(0, static_cast<int>(m_timer.Interval())));
}

void QtTimer::tick()
{
    m_woken = false;
    m_onTick();
    follow();
}

} // namespace platform
