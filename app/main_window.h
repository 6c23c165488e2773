// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

// The game's main window on Qt: menu bar, drawn field, keys and timers.
#pragma once

#include "app/field_view.h"
#include "game/frmtolvarn.h"
#include "platform/qt/runtime.h"

#include <QMainWindow>
#include <QRectF>
#include <QString>

#include <array>
#include <utility>

class QAction;
class QTimer;

namespace app {

class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);

    game::FrmTolvarn &form() { return m_form; }
    FieldView &fieldView() { return *m_view; }
    QAction &newMenu() { return *m_newMenu; }

    // Shows the window centred on its screen.
    void showCentred();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    template <typename Handler>
    void run(Handler handler);
    void showChanges();
    void followTimers();
    void checkForTouch();

    qtforms::Runtime m_runtime;
    game::FrmTolvarn m_form;
    FieldView *m_view = nullptr;
    QAction *m_newMenu = nullptr;
    // The Qt timers that tick the form's timers, in the order of Driven (main_window.cpp).
    std::array<QTimer *, 4> m_timers{};
    // What the screen shows: the shapes' boxes in stacking order, and the clock's text.
    std::array<QRectF, 9> m_shownBoxes;
    QString m_shownClock;
    bool m_touchCheckQueued = false;
    bool m_closed = false;
};

// Gives a window the game's menu bar, "Nytt spel" and "Hjälp"; returns the two items.
std::pair<QAction *, QAction *> addGameMenus(QMainWindow &window);

} // namespace app
