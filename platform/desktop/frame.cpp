// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

#include "platform/desktop/frame.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QFontMetrics>
#include <QIcon>
#include <QWidget>

namespace desktop {

namespace {

// A window of fixed size has nothing to gain from the maximized or full-screen state,
// yet a title bar drawn by the program itself (Qt's, on Wayland without server-side
// decorations) maximizes on a double click, and a desktop's keys can ask for it too.
class StaysNormal : public QObject {
    Q_OBJECT

public:
    explicit StaysNormal(QWidget &window) : QObject(&window) { window.installEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        constexpr Qt::WindowStates Enlarged = Qt::WindowMaximized | Qt::WindowFullScreen;
        auto *window = static_cast<QWidget *>(watched);
        if (event->type() == QEvent::WindowStateChange && (window->windowState() & Enlarged))
            window->setWindowState(window->windowState() & ~Enlarged);
        return false;
    }
};

// Title bars differ from desktop to desktop; this is room for the widest seen: an
// icon, three buttons and the margins around the title.
constexpr int TitleBarRoom = 140;

} // namespace

void setFixedFrame(QWidget &window, const QString &title)
{
    window.setWindowTitle(title);
    window.setWindowIcon(QIcon(QStringLiteral(":/icons/tolvarn.ico")));
    window.setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
        | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    new StaysNormal(window);
}

void setDialogFrame(QDialog &dialog, const QString &title)
{
    dialog.setWindowTitle(title);
    dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
        | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    new StaysNormal(dialog);
}

int titleBarWidth(const QString &title)
{
    QFont titleFont = QApplication::font();
    titleFont.setBold(true);
    return QFontMetrics(titleFont).horizontalAdvance(title) + TitleBarRoom;
}

} // namespace desktop

#include "frame.moc"
