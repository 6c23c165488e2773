#include "app/main_window.h"

#include "help/help_window.h"
#include "platform/qt_keys.h"
#include "platform/qt_placement.h"

#include <QAction>
#include <QCloseEvent>
#include <QIcon>
#include <QLayout>
#include <QMenuBar>
#include <QStyle>

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent),
      m_runtime(this, [] { return std::make_unique<HelpWindow>(); }),
      m_form(m_runtime)
{
    setWindowTitle(QStringLiteral("Tolvarn"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/tolvarn.ico")));
    // A fixed frame with a close button and no minimize or maximize button.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    // The two items act at once when chosen: nothing drops down.
    QMenuBar *menus = menuBar();
    menus->setNativeMenuBar(false);
    m_newMenu = menus->addAction(QStringLiteral("Nytt spel"));
    m_helpMenu = menus->addAction(QStringLiteral("Hjälp"));
    connect(m_newMenu, &QAction::triggered, this, [this] { m_form.newMenu_Click(); });
    connect(m_helpMenu, &QAction::triggered, this, [this] { m_form.helpMenu_Click(); });

    m_view = new FieldView(m_form, this);
    setCentralWidget(m_view);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    followControls();
    startTimers();
    m_form.Form_Load();
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
    m_tmrChecka = new platform::QtTimer(m_form.tmrChecka, [this] { m_form.tmrChecka_Timer(); }, this);
    m_tmrChecka->setSleepsWhenIdle(true);
    m_timers = {
        m_tmrChecka,
        new platform::QtTimer(m_form.tmrTid, [this] { m_form.tmrTid_Timer(); }, this),
        new platform::QtTimer(m_form.tmrEnemy, [this] { m_form.tmrEnemy_Timer(); }, this),
        new platform::QtTimer(m_form.tmrEnemy2, [this] { m_form.tmrEnemy2_Timer(); }, this),
        new platform::QtTimer(m_form.tmrEnemy3, [this] { m_form.tmrEnemy3_Timer(); }, this),
    };
}

void MainWindow::showCentred()
{
    adjustSize(); // the menu bar's height is known once the window is laid out
    platform::showCentred(*this);
}

void MainWindow::keyPressEvent(QKeyEvent *event)
{
    m_form.Form_KeyDown(platform::keyCodeOf(*event), platform::shiftStateOf(*event));
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // The game ends silently with its window: no tick may run on, not even while a
    // help window keeps the program alive.
    for (platform::QtTimer *timer : m_timers)
        timer->stopForGood();
    QMainWindow::closeEvent(event);
}
