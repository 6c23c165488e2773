// Drives a window's Timer with a precise Qt timer.
#pragma once

#include "platform/timer.h"

#include <QObject>
#include <QTimer>

#include <functional>

namespace platform {

class QtTimer : public QObject {
public:
    // onTick runs once per Interval while the timer is Enabled.
    QtTimer(Timer &timer, std::function<void()> onTick, QObject *parent = nullptr);

    // A timer that may sleep: while asleep it does not tick; wake() lets it tick once,
    // as soon as the event that woke it is done (well within one Interval, and ahead of
    // any repaint waiting in the queue), after which it sleeps again unless woken
    // meanwhile. For a check whose answer can change only when something it reads has
    // changed: it runs once after every change and costs nothing while nothing changes.
    void setSleepsWhenIdle(bool sleeps);
    void wake();

    // Stops the ticks for good, whatever the timer's Enabled says (the window closed).
    void stopForGood();

protected:
    bool event(QEvent *event) override;

private:
    void follow();
    void tick();

    Timer &m_timer;
    std::function<void()> m_onTick;
    QTimer m_qtimer{this}; // a child, so that the desktop's timers can be looked up by their owner
    bool m_sleepsWhenIdle = false;
    bool m_woken = true;
    bool m_wakePosted = false;
    bool m_stopped = false;
    bool m_inTick = false;
};

} // namespace platform
