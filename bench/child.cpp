// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

// The measured programs: the animation floor and the game's own main window, each
// under the same QApplication subclass, which stamps the events it delivers.
#include "bench/child.h"

#include "app/start_up.h"
#include "bench/floor_window.h"
#include "platform/forms/twips.h"

#include <QApplication>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPaintEvent>
#include <QSocketNotifier>
#include <QTimer>

#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace bench {
namespace {

// The steady clock, which the driver reads too.
double nowMs()
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// One line to the driver, at once: stdout is a pipe, which would hold it back.
void say(std::string line, const std::vector<double> &values = {})
{
    for (double value : values)
        line += ' ' + std::to_string(value);
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

enum class Phase { Idle, Play, TouchByKey, TouchByTick };

// Stamps the outermost delivery of every event: when it began and when it was done,
// which for a repaint includes handing the picture to the platform.
class Probe : public QApplication {
    Q_OBJECT

public:
    using QApplication::QApplication;

    QWidget *window = nullptr, *field = nullptr;
    app::MainWindow *game = nullptr;
    FloorWindow *floor = nullptr;

    bool notify(QObject *receiver, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if (type == QEvent::Paint && receiver == field) {
            m_painted = true;
            const QRegion &region = static_cast<QPaintEvent *>(event)->region();
            m_keyShown = m_keyShown || (m_keyT0 > 0 && region.intersects(forms::pixelRect(form().shMove.box())));
        } else if (type == QEvent::Show) {
            shown(receiver);
        }
        if (m_depth > 0)
            return QApplication::notify(receiver, event);
        const double entry = nowMs();
        const float top = game ? form().fiende.Top() : 0;
        const int interval = game ? form().tmrEnemy3.Interval() : 0;
        ++m_depth;
        const bool result = QApplication::notify(receiver, event);
        --m_depth;
        delivered(entry, game && type == QEvent::KeyPress, game && type == QEvent::Timer && form().fiende.Top() != top,
            interval);
        return result;
    }

    void command(const std::string &line)
    {
        if (line == "key") {
            // Up and down in turn, posted as the window system delivers a key.
            postEvent(window, new QKeyEvent(QEvent::KeyPress, m_up ? Qt::Key_Up : Qt::Key_Down, Qt::NoModifier));
            m_up = !m_up;
        } else if (line == "play" && floor) {
            floor->play();
            say("fast");
        } else if (line == "play" || line == "touch key") {
            // "Nytt spel" answered with 3, or with 1 for a touch arranged after the first tick.
            m_phase = line == "play" ? Phase::Play : Phase::TouchByKey;
            m_answer = line == "play" ? QStringLiteral("3") : QStringLiteral("1");
            QTimer::singleShot(0, game, [this] { game->newMenu().trigger(); });
        } else if (line == "touch tick") {
            m_phase = Phase::TouchByTick;
        } else if (line == "report") {
            say("slow", m_periods[SlowLevelMs]);
            say("fast", m_periods[15]);
            say("key", m_keyToFrame);
        }
    }

private:
    game::FrmTolvarn &form() const { return game->form(); }

    void shown(QObject *receiver)
    {
        if (auto *input = qobject_cast<QInputDialog *>(receiver)) {
            input->setTextValue(m_answer);
            QTimer::singleShot(0, input, &QDialog::accept);
        } else if (game && qobject_cast<QMessageBox *>(receiver)) {
            // The game-over message: the game ends here, as it does on its own.
            say(m_touchT0 > 0 ? "touch " + std::to_string(nowMs() - m_touchT0) : "died");
            std::_Exit(0);
        }
    }

    // The outermost delivery of an event is done, and with it the flush of what it painted.
    void delivered(double entry, bool keyPress, bool ballTick, int interval)
    {
        if (std::exchange(m_painted, false) && !std::exchange(m_firstFrame, true))
            say("paint " + std::to_string(nowMs()));
        if (m_keyShown)
            m_keyToFrame.push_back(nowMs() - m_keyT0);
        if (m_keyShown || keyPress)
            m_keyT0 = keyPress ? entry : 0;
        m_keyShown = false;
        // After the arranged touch, the next key press or ball tick is the one that touches.
        if (m_touchArranged && m_touchT0 == 0 && (keyPress || ballTick))
            m_touchT0 = entry;
        if (ballTick)
            ballTicked(entry, interval);
    }

    void ballTicked(double entry, int interval)
    {
        if ((m_phase == Phase::TouchByKey || m_phase == Phase::TouchByTick) && !m_touchArranged) {
            // Ball 1 300 twips above the player: one step up, or its next fall of 70,
            // puts them in touch.
            m_touchArranged = true;
            form().fiende.setLeft(form().shMove.Left());
            form().fiende.setTop(form().shMove.Top() - 300);
            if (m_phase == Phase::TouchByKey)
                postEvent(window, new QKeyEvent(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier));
        }
        if (m_phase != Phase::Play)
            return;
        // Periods that start and end at the same interval.
        if (m_lastTick > 0 && interval == m_lastInterval)
            m_periods[interval].push_back(entry - m_lastTick);
        m_lastTick = entry;
        m_lastInterval = interval;
        // Once the slowest level is over, the game skips straight to the fastest.
        if (form().tmrEnemy3.Interval() == SlowLevelMs - 5) {
            form().tmrEnemy3.setInterval(15);
            say("fast");
        }
        keepPlayerClear();
    }

    // The game goes on: the player leaves a ball's column for one of five that three
    // balls cannot all block. The arrow keys only ever move it up and down.
    void keepPlayerClear()
    {
        const auto clear = [this](float left) {
            return std::fabs(left - form().fiende.Left()) >= 300 && std::fabs(left - form().fiende2.Left()) >= 300
                && std::fabs(left - form().fiende3.Left()) >= 300;
        };
        for (float left : {form().shMove.Left(), 100.0f, 800.0f, 1500.0f, 2200.0f, 2900.0f}) {
            if (clear(left)) {
                form().shMove.setLeft(left);
                return;
            }
        }
    }

    int m_depth = 0;
    Phase m_phase = Phase::Idle;
    QString m_answer;
    bool m_touchArranged = false, m_up = true;
    bool m_painted = false, m_firstFrame = false, m_keyShown = false;
    double m_keyT0 = 0, m_touchT0 = 0, m_lastTick = 0;
    int m_lastInterval = 0;
    std::map<int, std::vector<double>> m_periods; // by interval
    std::vector<double> m_keyToFrame;
};

} // namespace

int runChild(int argc, char **argv)
{
    Probe app(argc, argv);
    // Both windows start as the game's does.
    std::unique_ptr<QMainWindow> window;
    if (std::string(argv[2]) == "game") {
        auto game = app::startUp<app::MainWindow>();
        app.game = game.get();
        app.field = &app.game->fieldView();
        window = std::move(game);
    } else {
        auto floor = app::startUp<FloorWindow>();
        app.floor = floor.get();
        app.field = app.floor->centralWidget();
        window = std::move(floor);
    }
    app.window = window.get();

    // Commands from the driver, one a line, read as they come.
    QSocketNotifier input(0, QSocketNotifier::Read);
    std::string pending;
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char chunk[256];
        const ssize_t n = ::read(0, chunk, sizeof chunk);
        if (n <= 0)
            std::_Exit(0); // the driver has gone
        pending.append(chunk, static_cast<std::size_t>(n));
        for (std::size_t end; (end = pending.find('\n')) != std::string::npos; pending.erase(0, end + 1))
            app.command(pending.substr(0, end));
    });
    return QApplication::exec();
}

} // namespace bench

#include "child.moc"
