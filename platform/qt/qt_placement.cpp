// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

#include "platform/qt/qt_placement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace platform {

namespace {

QPoint centredCorner(QRect frame, const QScreen &screen)
{
    frame.moveCenter(screen.availableGeometry().center());
    return frame.topLeft();
}

// A window manager frames a window only as it maps it: before that the frame's size
// is a guess. At the first exposure the frame is known, and the window moves to
// where its frame is centred; later exposures leave a window that the user has moved
// where it is.
class CentreWhenFramed : public QObject {
    Q_OBJECT

public:
    explicit CentreWhenFramed(QWindow &window) : QObject(&window) { window.installEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *window = static_cast<QWindow *>(watched);
        if (event->type() != QEvent::Expose || !window->isExposed())
            return false;
        window->removeEventFilter(this); // moving may expose the window again
        const QPoint corner = centredCorner(window->frameGeometry(), *window->screen());
        if (corner != window->framePosition())
            window->setFramePosition(corner);
        deleteLater();
        return false;
    }
};

} // namespace

void showCentred(QWidget &window)
{
    // move() places the frame's corner, and the frame is as large as the window itself
    // until a window manager has framed it.
    window.move(centredCorner(window.frameGeometry(), *window.screen()));
    window.show();
    // Wayland lets no program place its windows: the compositor does.
    if (!QGuiApplication::platformName().startsWith(u"wayland"))
        new CentreWhenFramed(*window.windowHandle());
}

} // namespace platform

#include "qt_placement.moc"
