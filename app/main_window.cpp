// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

#include "app/main_window.h"

#include "help/help_window.h"
#include "platform/desktop/frame.h"
#include "platform/forms/key_codes.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QMenuBar>
#include <QTimer>

#include <algorithm>
#include <cstdint>

namespace app {

namespace {

using game::FrmTolvarn;

// The form's timers that Qt timers tick, each with its handler. The touch check is not
// among them: it runs after every move (checkForTouch).
struct DrivenTimer {
    const char *name;
    forms::Timer FrmTolvarn::*timer;
    void (FrmTolvarn::*onTick)();
};
constexpr std::array<DrivenTimer, 4> Driven{{{"tmrTid", &FrmTolvarn::tmrTid, &FrmTolvarn::tmrTid_Timer},
    {"tmrEnemy", &FrmTolvarn::tmrEnemy, &FrmTolvarn::tmrEnemy_Timer},
    {"tmrEnemy2", &FrmTolvarn::tmrEnemy2, &FrmTolvarn::tmrEnemy2_Timer},
    {"tmrEnemy3", &FrmTolvarn::tmrEnemy3, &FrmTolvarn::tmrEnemy3_Timer}}};

// The desktop's virtual key code of an arrow key; 0, which no rule names, for any other.
std::int16_t keyCodeOf(const QKeyEvent &event)
{
    switch (event.key()) {
    case Qt::Key_Left: return forms::keys::Left;
    case Qt::Key_Up: return forms::keys::Up;
    case Qt::Key_Right: return forms::keys::Right;
    case Qt::Key_Down: return forms::keys::Down;
    default: return 0;
    }
}

std::unique_ptr<QWidget> newHelpWindow()
{
    return std::make_unique<help::HelpWindow>();
}

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent), m_runtime(this, newHelpWindow, [this] { showChanges(); }), m_form(m_runtime)
{
    desktop::setFixedFrame(*this, QStringLiteral("Tolvarn"));

    QAction *helpMenu = nullptr;
    std::tie(m_newMenu, helpMenu) = addGameMenus(*this);
    connect(m_newMenu, &QAction::triggered, this, [this] { run([this] { m_form.newMenu_Click(); }); });
    connect(helpMenu, &QAction::triggered, this, [this] { run([this] { m_form.helpMenu_Click(); }); });

    m_view = new FieldView(m_form, this);
    setCentralWidget(m_view);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    for (std::size_t i = 0; i < Driven.size(); ++i) {
        auto *ticks = new QTimer(this);
        ticks->setObjectName(QString::fromLatin1(Driven[i].name));
        ticks->setTimerType(Qt::PreciseTimer);
        const auto onTick = Driven[i].onTick;
        connect(ticks, &QTimer::timeout, this, [this, onTick] { run([this, onTick] { (m_form.*onTick)(); }); });
        m_timers[i] = ticks;
    }
    const auto shapes = m_form.shapesFrontToBack();
    std::ranges::transform(shapes, m_shownBoxes.begin(), [](const forms::Shape *shape) { return shape->box(); });
    m_shownClock = m_form.lblTid.Caption();

    run([this] { m_form.Form_Load(); });
}

std::pair<QAction *, QAction *> addGameMenus(QMainWindow &window)
{
    // The two items act at once when chosen: nothing drops down.
    QMenuBar *menus = window.menuBar();
    menus->setNativeMenuBar(false);
    return {menus->addAction(QStringLiteral("Nytt spel")), menus->addAction(QStringLiteral("Hjälp"))};
}

void MainWindow::showCentred()
{
    adjustSize(); // the menu bar's height is known once the window is laid out
    desktop::showCentred(*this);
}

void MainWindow::keyPressEvent(QKeyEvent *event)
{
    const std::int16_t keyCode = keyCodeOf(*event);
    run([this, keyCode] { m_form.Form_KeyDown(keyCode); });
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // The game ends silently with its window: no tick may run on, not even while a
    // help window keeps the program alive.
    m_closed = true;
    followTimers();
    QMainWindow::closeEvent(event);
}

// Every handler of the window runs here, and what it changed reaches the screen and
// the timers before the next event.
template <typename Handler>
void MainWindow::run(Handler handler)
{
    handler();
    showChanges();
}

void MainWindow::showChanges()
{
    followTimers();

    bool moved = false;
    const auto shapes = m_form.shapesFrontToBack();
    for (std::size_t i = 0; i < shapes.size(); ++i) {
        const QRectF now = shapes[i]->box();
        if (now == m_shownBoxes[i])
            continue;
        moved = true;
        m_view->showMove(m_shownBoxes[i], now);
        m_shownBoxes[i] = now;
    }
    if (m_form.lblTid.Caption() != m_shownClock) {
        m_shownClock = m_form.lblTid.Caption();
        m_view->showClock();
    }

    // A touch can only begin where something moved. The check runs once, after the
    // handler and outside any tick, and before the picture is drawn: Qt's repaint
    // request is queued again behind it, as one queued before this handler ran (a
    // tick's, when a key comes before the tick's picture is drawn) would come first.
    if (moved && !m_touchCheckQueued) {
        m_touchCheckQueued = true;
        QMetaObject::invokeMethod(this, &MainWindow::checkForTouch, Qt::QueuedConnection);
        QCoreApplication::removePostedEvents(this, QEvent::UpdateRequest);
        QCoreApplication::postEvent(this, new QEvent(QEvent::UpdateRequest), Qt::LowEventPriority);
    }
}

void MainWindow::followTimers()
{
    for (std::size_t i = 0; i < Driven.size(); ++i) {
        const forms::Timer &timer = m_form.*Driven[i].timer;
        QTimer &ticks = *m_timers[i];
        // A running timer keeps its phase unless its interval really changed: a tick
        // that writes 10 and then 15 leaves a 15 ms timer as it was.
        const int interval = std::max(0, static_cast<int>(timer.Interval()));
        if (!timer.Enabled() || m_closed)
            ticks.stop();
        else if (!ticks.isActive() || ticks.interval() != interval)
            ticks.start(interval);
    }
}

void MainWindow::checkForTouch()
{
    m_touchCheckQueued = false;
    if (m_form.tmrChecka.Enabled() && !m_closed)
        run([this] { m_form.tmrChecka_Timer(); });
}

} // namespace app
