// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

#include "platform/desktop/placement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <optional>

namespace desktop {

namespace {

QPoint centredCorner(QRect frame, const QScreen &screen)
{
    frame.moveCenter(screen.availableGeometry().center());
    return frame.topLeft();
}

// A window manager frames a window only as it maps it: before that the frame's size
// is a guess. At the first exposure the window moves to where its frame, as known
// then, is centred. Some window managers (KWin) tell the frame's size only after that
// first exposure; when the frame then turns out different, the window is centred once
// more. Without a window manager the frame never changes, so a window the user has
// moved stays where it is.
class CentreWhenFramed : public QObject {
    Q_OBJECT

public:
    explicit CentreWhenFramed(QWindow &window) : QObject(&window) { window.installEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *window = static_cast<QWindow *>(watched);
        if (event->type() == QEvent::Hide)
            return stopWatching(*window);
        const bool mayBeFramed = event->type() == QEvent::Expose || event->type() == QEvent::Move;
        if (!mayBeFramed || !window->isExposed())
            return false;
        if (!m_firstFrame) {
            m_firstFrame = window->frameMargins();
            centre(*window);
        } else if (window->frameMargins() != *m_firstFrame) {
            centre(*window);
            return stopWatching(*window);
        }
        return false;
    }

private:
    void centre(QWindow &window)
    {
        const QPoint corner = centredCorner(window.frameGeometry(), *window.screen());
        if (corner == window.framePosition())
            return;
        window.removeEventFilter(this); // moving sends events of its own
        window.setFramePosition(corner);
        window.installEventFilter(this);
    }

    bool stopWatching(QWindow &window)
    {
        window.removeEventFilter(this);
        deleteLater();
        return false;
    }

    std::optional<QMargins> m_firstFrame; // the frame as known at the first exposure
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

} // namespace desktop

#include "placement.moc"
