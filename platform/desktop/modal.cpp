// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

#include "platform/desktop/modal.h"

#include "gtk-shell-client-protocol.h"
#include "platform/desktop/wayland.h"

#include <QDialog>
#include <QEvent>
#include <QPointer>
#include <QWindow>
#include <wayland-client.h>

#include <algorithm>

namespace desktop {

namespace {

// GNOME's window protocol, bound beside Qt on Qt's own connection. Its objects live
// on a queue of their own, which only this dispatches, so Qt never sees their events.
class GtkShell {
public:
    static GtkShell *forThisDisplay()
    {
        static GtkShell *const shell = make();
        return shell;
    }

    // Marks the window's surface modal: the request goes out before the first picture
    // of the surface, so that GNOME places the dialog over its parent from the start.
    gtk_surface1 *markModal(QWindow &window)
    {
        wl_display_dispatch_queue_pending(m_display, m_queue);
        wl_surface *surface = surfaceOf(window);
        if (!surface)
            return nullptr;
        gtk_surface1 *marked = gtk_shell1_get_gtk_surface(m_shell, surface);
        gtk_surface1_set_modal(marked);
        return marked;
    }

    void release(gtk_surface1 *marked)
    {
        wl_display_dispatch_queue_pending(m_display, m_queue);
        if (gtk_surface1_get_version(marked) >= GTK_SURFACE1_RELEASE_SINCE_VERSION)
            gtk_surface1_release(marked);
        else
            gtk_surface1_destroy(marked);
    }

private:
    static GtkShell *make()
    {
        wl_display *display = qtWaylandDisplay();
        if (!display)
            return nullptr;
        auto *shell = new GtkShell(display);
        if (shell->m_shell)
            return shell;
        delete shell;
        return nullptr;
    }

    explicit GtkShell(wl_display *display) : m_display(display), m_queue(wl_display_create_queue(display))
    {
        listGlobals(m_display, m_queue, RegistryListener, this);
    }

    ~GtkShell() { wl_event_queue_destroy(m_queue); }

    static void global(void *data, wl_registry *registry, uint32_t name, const char *interface, uint32_t version)
    {
        auto *self = static_cast<GtkShell *>(data);
        if (QByteArrayView(interface) == gtk_shell1_interface.name && !self->m_shell) {
            const uint32_t wanted = std::min<uint32_t>(version, gtk_shell1_interface.version);
            self->m_shell = static_cast<gtk_shell1 *>(wl_registry_bind(registry, name, &gtk_shell1_interface, wanted));
        }
    }

    static constexpr wl_registry_listener RegistryListener{&global, [](void *, wl_registry *, uint32_t) {}};

    wl_display *m_display;
    wl_event_queue *m_queue;
    gtk_shell1 *m_shell = nullptr;
};

// Follows one dialog: marked each time it shows modal (Qt gives it a new surface at
// every showing), and the mark let go when it hides.
class ModalMark : public QObject {
    Q_OBJECT

public:
    ModalMark(QDialog &dialog, GtkShell &shell) : QObject(&dialog), m_dialog(&dialog), m_shell(shell)
    {
        dialog.installEventFilter(this);
    }

    ~ModalMark() override { letGo(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != m_dialog)
            return false;
        // Sent once the dialog's window is shown, before anything is drawn in it.
        if (event->type() == QEvent::ShowToParent && !m_marked && m_dialog->isModal() && m_dialog->windowHandle())
            m_marked = m_shell.markModal(*m_dialog->windowHandle());
        else if (event->type() == QEvent::Hide)
            letGo();
        return false;
    }

private:
    void letGo()
    {
        if (m_marked)
            m_shell.release(m_marked);
        m_marked = nullptr;
    }

    QPointer<QDialog> m_dialog;
    GtkShell &m_shell;
    gtk_surface1 *m_marked = nullptr;
};

} // namespace

void keepOverParent(QDialog &dialog)
{
    if (GtkShell *shell = GtkShell::forThisDisplay())
        new ModalMark(dialog, *shell);
}

} // namespace desktop

#include "modal.moc"
