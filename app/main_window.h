// The game's main window on Qt: menu bar, drawn field, keys and timers.
#pragma once

#include "app/field_view.h"
#include "game/frmtolvarn.h"
#include "platform/qt/qt_runtime.h"
#include "platform/qt/qt_timer.h"

#include <QMainWindow>

#include <utility>

class QAction;

class MainWindow : public QMainWindow {
public:
    explicit MainWindow(QWidget *parent = nullptr);

    FrmTolvarn &form() { return m_form; }
    FieldView &fieldView() { return *m_view; }
    QAction &newMenu() { return *m_newMenu; }
    QAction &helpMenu() { return *m_helpMenu; }

    // Shows the window centred on its screen.
    void showCentred();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void followControls();
    void startTimers();

    platform::QtRuntime m_runtime;
    FrmTolvarn m_form;
    FieldView *m_view = nullptr;
    QAction *m_newMenu = nullptr;
    QAction *m_helpMenu = nullptr;
    platform::QtTimer *m_tmrChecka = nullptr;
    std::vector<platform::QtTimer *> m_timers;
};

// Gives a window the game's menu bar, "Nytt spel" and "Hjälp"; returns the two items.
std::pair<QAction *, QAction *> addGameMenus(QMainWindow &window);
