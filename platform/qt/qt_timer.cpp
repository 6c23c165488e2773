#include "platform/qt/qt_timer.h"

#include <QCoreApplication>
#include <QEvent>

namespace platform {

namespace {
// The event that delivers the one tick of a woken timer.
QEvent::Type wakeEventType()
{
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}
} // namespace

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
    // Changes that a tick makes to its own timer are followed once the tick is done:
    // a tick that writes 10 and then 15 leaves a 15 ms timer in its phase. A wake during
    // a tick (one that shows a modal message, say) gives one more tick after it.
    if (m_inTick)
        return;
    const bool enabled = m_timer.Enabled() && !m_stopped;
    if (m_sleepsWhenIdle) {
        // Awake, the timer ticks once, at the next turn of the event loop. The wake
        // comes first among the events waiting, so the tick sees the positions that
        // woke it before anything is drawn.
        m_qtimer.stop();
        if (enabled && m_woken && !m_wakePosted) {
            m_wakePosted = true;
            QCoreApplication::postEvent(this, new QEvent(wakeEventType()), Qt::HighEventPriority);
        }
        return;
    }
    if (!enabled) {
        m_qtimer.stop();
        return;
    }
    // Writing the interval restarts the period, also when it is unchanged; a timer that
    // is already running keeps its phase unless its interval really changed.
    const int interval = std::max(0, static_cast<int>(m_timer.Interval()));
    if (m_qtimer.isActive() && m_qtimer.interval() == interval)
        return;
    m_qtimer.start(interval);
}

bool QtTimer::event(QEvent *event)
{
    if (event->type() != wakeEventType())
        return QObject::event(event);
    m_wakePosted = false;
    if (m_sleepsWhenIdle && m_woken && m_timer.Enabled() && !m_stopped)
        tick();
    return true;
}

void QtTimer::tick()
{
    m_woken = false;
    m_inTick = true;
    m_onTick();
    m_inTick = false;
    follow();
}

} // namespace platform
