// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

#include "platform/desktop/frame.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QFontMetrics>
#include <QIcon>
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

// Watches a window's frame, for two jobs.
//
// The window stays normal. A window of fixed size has nothing to gain from the
// maximized or full-screen state, yet a title bar drawn by the program itself (Qt's, on
// Wayland without server-side decorations) maximizes on a double click, and a
// desktop's keys can ask for it too.
//
// Asked to, it centres the window once framed. A window manager frames a window only
// as it maps it: before that the frame's size is a guess. At the first exposure the
// window moves to where its frame, as known then, is centred. Some window managers
// (KWin) tell the frame's size only after that first exposure; when the frame then
// turns out different, the window is centred once more. Without a window manager the
// frame never changes, so a window the user has moved stays where it is.
class FrameWatch : public QObject {
    Q_OBJECT

public:
    static FrameWatch &of(QWidget &window)
    {
        auto *watch = window.findChild<FrameWatch *>(QString(), Qt::FindDirectChildrenOnly);
        return watch ? *watch : *new FrameWatch(window);
    }

    // Until the window hides, follows its native window's exposures.
    void centreWhenFramed()
    {
        m_firstFrame.reset();
        m_window.windowHandle()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == &m_window)
            keepNormal(event->type());
        else
            followFrame(*static_cast<QWindow *>(watched), event->type());
        return false;
    }

private:
    explicit FrameWatch(QWidget &window) : QObject(&window), m_window(window) { window.installEventFilter(this); }

    void keepNormal(QEvent::Type type)
    {
        constexpr Qt::WindowStates Enlarged = Qt::WindowMaximized | Qt::WindowFullScreen;
        if (type == QEvent::WindowStateChange && (m_window.windowState() & Enlarged))
            m_window.setWindowState(m_window.windowState() & ~Enlarged);
    }

    void followFrame(QWindow &window, QEvent::Type type)
    {
        if (type == QEvent::Hide)
            return window.removeEventFilter(this);
        const bool mayBeFramed = type == QEvent::Expose || type == QEvent::Move;
        if (!mayBeFramed || !window.isExposed())
            return;
        if (!m_firstFrame) {
            m_firstFrame = window.frameMargins();
            centre(window);
        } else if (window.frameMargins() != *m_firstFrame) {
            centre(window);
            window.removeEventFilter(this);
        }
    }

    void centre(QWindow &window)
    {
        const QPoint corner = centredCorner(window.frameGeometry(), *window.screen());
        if (corner == window.framePosition())
            return;
        window.removeEventFilter(this); // moving sends events of its own
        window.setFramePosition(corner);
        window.installEventFilter(this);
    }

    QWidget &m_window;
    std::optional<QMargins> m_firstFrame; // the frame as known at the first exposure
};

// A title bar with the icon, the title, the system menu and a close button, over a
// frame of fixed size: neither minimise nor maximise.
constexpr Qt::WindowFlags FixedTitleBar = Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
    | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;

// Title bars differ from desktop to desktop; this is room for the widest seen: an
// icon, three buttons and the margins around the title.
constexpr int TitleBarRoom = 140;

} // namespace

void setFixedFrame(QWidget &window, const QString &title)
{
    window.setWindowTitle(title);
    window.setWindowIcon(QIcon(QStringLiteral(":/icons/tolvarn.ico")));
    window.setWindowFlags(Qt::Window | FixedTitleBar);
    FrameWatch::of(window);
}

void setDialogFrame(QDialog &dialog, const QString &title)
{
    dialog.setWindowTitle(title);
    dialog.setWindowFlags(Qt::Dialog | FixedTitleBar);
    FrameWatch::of(dialog);
}

int titleBarWidth(const QString &title)
{
    QFont titleFont = QApplication::font();
    titleFont.setBold(true);
    return QFontMetrics(titleFont).horizontalAdvance(title) + TitleBarRoom;
}

void showCentred(QWidget &window)
{
    // move() places the frame's corner, and the frame is as large as the window itself
    // until a window manager has framed it.
    window.move(centredCorner(window.frameGeometry(), *window.screen()));
    window.show();
    // Wayland lets no program place its windows: the compositor does.
    if (!QGuiApplication::platformName().startsWith(u"wayland"))
        FrameWatch::of(window).centreWhenFramed();
}

} // namespace desktop

#include "frame.moc"
