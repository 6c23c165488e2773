#include "app/main_window.h"

#include "help/help_window.h"
#include "platform/qt/qt_frame.h"
#include "platform/qt/qt_keys.h"
#include "platform/qt/qt_placement.h"

#include <QAction>
#include <QCloseEvent>
#include <QLayout>
#include <QMenuBar>
#include <QStyle>

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent),
      m_runtime(this, newHelpWindow),
      m_form(m_runtime)
{
    platform::setFixedFrame(*this, QStringLiteral("Tolvarn"));

    std::tie(m_newMenu, m_helpMenu) = addGameMenus(*this);
    connect(m_newMenu, &QAction::triggered, this, [this] { m_form.newMenu_Click(); });
    connect(m_helpMenu, &QAction::triggered, this, [this] { m_form.helpMenu_Click(); });

    m_view = new FieldView(m_form, this);
    setCentralWidget(m_view);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    followControls();
    startTimers();
    m_form.Form_Load();
}

std::pair<QAction *, QAction *> addGameMenus(QMainWindow &window)
{
    // The two items act at once when chosen: nothing drops down.
    QMenuBar *menus = window.menuBar();
    menus->setNativeMenuBar(false);
    return {menus->addAction(QStringLiteral("Nytt spel")), menus->addAction(QStringLiteral("Hjälp"))};
}

void MainWindow::followControls()
{
    for (platform::Shape *shape : m_form.shapesFrontToBack()) {
        shape->setOnMoved([this, shape](const QRectF &oldBox) {
            m_view->shapeMoved(*shape, oldBox);
            m_tmrChecka->wake();
        });
    }
    m_form.lblTid.setOnChanged([this] { m_view->clockChanged(); });
}

void MainWindow::startTimers()
{
    // The collision check can only change its answer when a ball or the player moved,
    // so its timer sleeps until something moves.
    const auto drive = [this](platform::Timer &timer, const char *name, void (FrmTolvarn::*onTick)()) {
        auto *driver = new platform::QtTimer(timer, [this, onTick] { (m_form.*onTick)(); }, this);
        driver->setObjectName(QString::fromLatin1(name));
        m_timers.push_back(driver);
        return driver;
    };
    m_tmrChecka = drive(m_form.tmrChecka, "tmrChecka", &FrmTolvarn::tmrChecka_Timer);
    m_tmrChecka->setSleepsWhenIdle(true);
    drive(m_form.tmrTid, "tmrTid", &FrmTolvarn::tmrTid_Timer);
    drive(m_form.tmrEnemy, "tmrEnemy", &FrmTolvarn::tmrEnemy_Timer);
    drive(m_form.tmrEnemy2, "tmrEnemy2", &FrmTolvarn::tmrEnemy2_Timer);
    drive(m_form.tmrEnemy3, "tmrEnemy3", &FrmTolvarn::tmrEnemy3_Timer);
}

void MainWindow::showCentred()
{
    adjustSize(); // the menu bar's height is known once the window is laid out
    platform::showCentred(*this);
}

void MainWindow::keyPressEvent(QKeyEvent *event)
{
    m_form.Form_KeyDown(platform::keyCodeOf(*event));
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // The game ends silently with its window: no tick may run on, not even while a
    // help window keeps the program alive.
    for (platform::QtTimer *timer : m_timers)
        timer->stopForGood();
    QMainWindow::closeEvent(event);
}
