// The measured programs: a bare window, the same window with a 1 ms timer that does
// nothing, and the game's production main window. All three run in this same binary
// under the same QApplication subclass, which stamps events as they are delivered.
#include "bench/child.h"

#include "app/main_window.h"
#include "platform/twips.h"

#include <QApplication>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLayout>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QSocketNotifier>
#include <QTimer>

#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

// Every malloc of the process is counted, so that the bench can tell how many the
// collision check's ticks make; forwarded to glibc's own allocator. Not with the
// sanitizers, which bring their own allocator.
namespace {
std::size_t g_allocations = 0;
}
#ifdef TOLVARN_BENCH_COUNT_MALLOCS
extern "C" {
void *__libc_malloc(std::size_t size);
void *__libc_calloc(std::size_t count, std::size_t size);
void *__libc_realloc(void *pointer, std::size_t size);
}
extern "C" void *malloc(std::size_t size)
{
    ++g_allocations;
    return __libc_malloc(size);
}
extern "C" void *calloc(std::size_t count, std::size_t size)
{
    ++g_allocations;
    return __libc_calloc(count, size);
}
extern "C" void *realloc(void *pointer, std::size_t size)
{
    ++g_allocations;
    return __libc_realloc(pointer, size);
}
constexpr bool CountsMallocs = true;
#else
constexpr bool CountsMallocs = false;
#endif

namespace bench {
namespace {

std::int64_t nowNs()
{
    using namespace std::chrono;
    return duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count();
}

// Unbuffered, so that the driver sees each line at once.
void say(const std::string &line)
{
    const std::string text = line + "\n";
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(1, text.data() + done, text.size() - done);
        if (n <= 0)
            return;
        done += static_cast<std::size_t>(n);
    }
}

constexpr Qt::WindowFlags GameWindowFlags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                                            Qt::MSWindowsFixedSizeDialogHint;

// The floor: a window of the game's size with the same two-item menu bar and a field
// that paints itself white.
class BareField : public QWidget {
public:
    BareField()
    {
        setFixedSize(217, 225);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QPainter painter(this);
        painter.fillRect(event->rect(), Qt::white);
    }
};

class BareWindow : public QMainWindow {
public:
    BareWindow()
    {
        setWindowTitle(QStringLiteral("Tolvarn"));
        setWindowFlags(GameWindowFlags);
        QMenuBar *menus = menuBar();
        menus->setNativeMenuBar(false);
        menus->addAction(QStringLiteral("Nytt spel"));
        menus->addAction(QStringLiteral("Hjälp"));
        setCentralWidget(new BareField);
        layout()->setSizeConstraint(QLayout::SetFixedSize);
    }

    void showCentred()
    {
        adjustSize();
        const QRect screen = this->screen()->availableGeometry();
        move(screen.center() - QPoint(width() / 2, height() / 2));
        show();
    }
};

// Positions the bench watches in the game, read before and after each event.
struct Snapshot {
    std::array<float, 8> positions{};
    std::int32_t ballInterval = 0;
    bool touching = false;
};

bool touches(const platform::Shape &player, const platform::Shape &ball)
{
    return std::fabs(player.Left() - ball.Left()) < 255 && std::fabs(player.Top() - ball.Top()) < 255;
}

enum class Phase { Idle, Play100, Play15, Touch };

class ProbeApp : public QApplication {
public:
    ProbeApp(int &argc, char **argv) : QApplication(argc, argv) {}

    QWidget *window = nullptr;
    QWidget *field = nullptr;
    MainWindow *game = nullptr;
    Phase phase = Phase::Idle;
    bool touchByKey = false;

    // Counted since the driver's last "mark".
    struct Counts {
        std::size_t checkTicks = 0;
        std::size_t ballTicks = 0;
        std::size_t keyPresses = 0;
        std::size_t maxCheckAllocations = 0;
    } counts;
    std::size_t allocationsAtMark = 0;

    std::vector<double> periods100;
    std::vector<double> periods15;
    std::vector<double> keyToFrame;

    bool notify(QObject *receiver, QEvent *event) override
    {
        const bool outer = m_depth == 0;
        std::int64_t entry = 0;
        Snapshot before;
        if (outer) {
            entry = nowNs();
            m_paintedField = false;
            if (game)
                before = snapshot();
        }
        const QEvent::Type type = event->type();
        if (type == QEvent::Show && game && qobject_cast<QMessageBox *>(receiver))
            messageShown();
        if (type == QEvent::Show && phase == Phase::Touch) {
            // The player answers the input box of "Nytt spel" with its default, 1.
            if (auto *input = qobject_cast<QInputDialog *>(receiver))
                QTimer::singleShot(0, input, &QDialog::accept);
        }

        // A tick of the collision check: the one event a QtTimer receives itself.
        const bool checkTick = outer && game && dynamic_cast<platform::QtTimer *>(receiver) != nullptr;
        const std::size_t allocationsBefore = g_allocations;
        ++m_depth;
        const bool result = QApplication::notify(receiver, event);
        --m_depth;
        if (checkTick) {
            ++counts.checkTicks;
            counts.maxCheckAllocations = std::max(counts.maxCheckAllocations, g_allocations - allocationsBefore);
        }

        if (type == QEvent::Paint && receiver == field)
            fieldPainted(static_cast<QPaintEvent *>(event)->region());
        if (outer)
            eventDone(entry, before, type, receiver);
        return result;
    }

private:
    Snapshot snapshot() const
    {
        FrmTolvarn &form = game->form();
        Snapshot s;
        s.positions = {form.shMove.Left(),  form.shMove.Top(),  form.fiende.Left(),  form.fiende.Top(),
                       form.fiende2.Left(), form.fiende2.Top(), form.fiende3.Left(), form.fiende3.Top()};
        s.ballInterval = form.tmrEnemy3.Interval();
        s.touching = touches(form.shMove, form.fiende) || touches(form.shMove, form.fiende2) ||
                     touches(form.shMove, form.fiende3);
        return s;
    }

    void fieldPainted(const QRegion &region)
    {
        m_paintedField = true;
        if (game && m_keyT0 != 0 && region.intersects(platform::pixelRect(game->form().shMove.box())))
            m_keyShown = true;
    }

    // The outermost delivery of an event has returned: whatever it painted is flushed.
    void eventDone(std::int64_t entry, const Snapshot &before, QEvent::Type type, QObject *receiver)
    {
        if (m_paintedField && !m_firstFrame) {
            m_firstFrame = true;
            say("paint " + std::to_string(nowNs()) + " " + QGuiApplication::platformName().toStdString());
        }
        if (m_keyShown) {
            keyToFrame.push_back(static_cast<double>(nowNs() - m_keyT0) / 1e6);
            m_keyShown = false;
            m_keyT0 = 0;
        }
        if (type == QEvent::KeyPress && receiver == window && game) {
            m_keyT0 = entry;
            ++counts.keyPresses;
        }
        if (!game)
            return;

        const Snapshot after = snapshot();
        if (!before.touching && after.touching && m_touchT0 == 0)
            m_touchT0 = entry;
        const bool ballsMoved = std::equal(before.positions.begin() + 2, before.positions.end(),
                                           after.positions.begin() + 2) == false;
        if (type != QEvent::Timer || !ballsMoved)
            return;
        if (phase == Phase::Touch) {
            arrangeTouch();
            return;
        }
        if (phase != Phase::Play100 && phase != Phase::Play15)
            return;

        // A tick of tmrEnemy3, stamped when its timer event was delivered.
        ++counts.ballTicks;
        if (m_lastTick != 0 && before.ballInterval == m_lastInterval) {
            const double period = static_cast<double>(entry - m_lastTick) / 1e6;
            if (before.ballInterval == 100)
                periods100.push_back(period);
            else if (before.ballInterval == 15)
                periods15.push_back(period);
        }
        m_lastTick = entry;
        m_lastInterval = before.ballInterval;
        if (phase == Phase::Play100 && after.ballInterval != 100) {
            phase = Phase::Play15;
            game->form().tmrEnemy3.setInterval(15);
            m_lastTick = 0;
            say("fast");
        }
        keepPlayerClear();
    }

    // The benchmark moves the player sideways, out of every ball's column, so that the
    // game goes on; the arrow keys it presses move the player only up and down.
    void keepPlayerClear()
    {
        FrmTolvarn &form = game->form();
        auto clear = [&](float left) {
            for (const platform::Shape *ball : {&form.fiende, &form.fiende2, &form.fiende3}) {
                if (std::fabs(left - ball->Left()) < 300)
                    return false;
            }
            return true;
        };
        const float left = form.shMove.Left();
        if (clear(left))
            return;
        float best = left;
        float bestDistance = 1e9f;
        for (float candidate = 60; candidate < 3000; candidate += 30) {
            if (clear(candidate) && std::fabs(candidate - left) < bestDistance) {
                best = candidate;
                bestDistance = std::fabs(candidate - left);
            }
        }
        form.shMove.setLeft(best);
    }

    // After the first tick of the game that "Nytt spel" started: ball 1 300 twips above
    // the player, so that one step up, or the ball's next fall of 70, puts them in touch.
    void arrangeTouch()
    {
        if (m_touchArranged)
            return;
        m_touchArranged = true;
        FrmTolvarn &form = game->form();
        form.fiende.setLeft(form.shMove.Left());
        form.fiende.setTop(form.shMove.Top() - 300);
        if (touchByKey)
            QCoreApplication::postEvent(window, new QKeyEvent(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier));
    }

    void messageShown()
    {
        if (phase == Phase::Touch && m_touchT0 != 0)
            say("touch " + std::to_string(static_cast<double>(nowNs() - m_touchT0) / 1e6));
        else
            say("died");
        std::_Exit(0);
    }

    int m_depth = 0;
    bool m_paintedField = false;
    bool m_firstFrame = false;
    std::int64_t m_keyT0 = 0;
    bool m_keyShown = false;
    std::int64_t m_touchT0 = 0;
    std::int64_t m_lastTick = 0;
    std::int32_t m_lastInterval = 0;
    bool m_touchArranged = false;
};

std::string joined(const char *name, const std::vector<double> &values)
{
    std::string line = name;
    for (double value : values) {
        line += ' ';
        line += std::to_string(value);
    }
    return line;
}

class Commands {
public:
    explicit Commands(ProbeApp &app) : m_app(app), m_notifier(0, QSocketNotifier::Read)
    {
        QObject::connect(&m_notifier, &QSocketNotifier::activated, [this] { readInput(); });
    }

private:
    void readInput()
    {
        char chunk[256];
        const ssize_t n = ::read(0, chunk, sizeof chunk);
        if (n <= 0)
            std::_Exit(0); // the driver went away
        m_pending.append(chunk, static_cast<std::size_t>(n));
        std::size_t end;
        while ((end = m_pending.find('\n')) != std::string::npos) {
            const std::string command = m_pending.substr(0, end);
            m_pending.erase(0, end + 1);
            run(command);
        }
    }

    void run(const std::string &command)
    {
        if (command == "quit")
            std::_Exit(0);
        if (command == "key") {
            pressKey();
            return;
        }
        if (command == "mark") {
            m_app.counts = {};
            m_app.allocationsAtMark = g_allocations;
            return;
        }
        if (command == "counts") {
            const auto &c = m_app.counts;
            say("counts " + std::to_string(c.checkTicks) + " " + std::to_string(c.ballTicks) + " " +
                std::to_string(c.keyPresses) + " " +
                (CountsMallocs ? std::to_string(c.maxCheckAllocations) : std::string("-1")) + " " +
                std::to_string(g_allocations - m_app.allocationsAtMark));
            return;
        }
        if (command == "report") {
            say(joined("periods100", m_app.periods100));
            say(joined("periods15", m_app.periods15));
            say(joined("keys", m_app.keyToFrame));
            say("end");
            return;
        }
        if (!m_app.game)
            return;
        FrmTolvarn &form = m_app.game->form();
        if (command == "play") {
            // A three-ball game as "Nytt spel" answered with 3 starts it, but with the
            // balls already in the field, so that the 100 ms level lasts 25 ticks.
            form.fiende.setTop(50);
            form.fiende2.setTop(50);
            form.fiende3.setTop(50);
            form.shMove.setLeft(2400);
            form.shMove.setTop(1500);
            form.tmrEnemy3.setInterval(100);
            form.lblTid.setCaption(QStringLiteral("0"));
            form.tmrTid.setEnabled(true);
            m_app.phase = Phase::Play100;
            form.tmrEnemy3.setEnabled(true);
        } else if (command == "touch-key" || command == "touch-tick") {
            // A one-ball game through the real menu item and input box; the touch is
            // arranged after its first tick (arrangeTouch).
            m_app.phase = Phase::Touch;
            m_app.touchByKey = command == "touch-key";
            QTimer::singleShot(0, m_app.game, [this] { m_app.game->newMenu().trigger(); });
        }
    }

    // Up and down in turn, as the window system would deliver a key.
    void pressKey(Qt::Key key = Qt::Key_unknown)
    {
        if (key == Qt::Key_unknown) {
            key = m_up ? Qt::Key_Up : Qt::Key_Down;
            m_up = !m_up;
        }
        QCoreApplication::postEvent(m_app.window, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));
    }

    ProbeApp &m_app;
    QSocketNotifier m_notifier;
    std::string m_pending;
    bool m_up = true;
};

} // namespace

int runChild(const char *kind, int argc, char **argv)
{
    ProbeApp app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tolvarn"));
    const std::string what = kind;

    // Built as the game's main() (app/main.cpp) builds its window.
    std::unique_ptr<QMainWindow> window;
    QTimer naiveCheck;
    if (what == "game") {
        QGuiApplication::setDesktopFileName(QStringLiteral("se.tolvarn.tolvarn"));
        auto game = std::make_unique<MainWindow>();
        app.game = game.get();
        app.field = &game->fieldView();
        game->showCentred();
        window = std::move(game);
    } else {
        auto bare = std::make_unique<BareWindow>();
        app.field = bare->centralWidget();
        if (what == "timer1ms") {
            naiveCheck.setTimerType(Qt::PreciseTimer);
            naiveCheck.setInterval(1);
            QObject::connect(&naiveCheck, &QTimer::timeout, [] {});
            naiveCheck.start();
        }
        bare->showCentred();
        window = std::move(bare);
    }
    app.window = window.get();

    Commands commands(app);
    return QApplication::exec();
}

} // namespace bench
