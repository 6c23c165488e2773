// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

#include "platform/desktop/activation.h"

#include "platform/desktop/wayland.h"
#include "xdg-activation-v1-client-protocol.h"

#include <QAbstractEventDispatcher>
#include <QByteArray>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>
#include <wayland-client.h>

#include <optional>

#include <unistd.h>

namespace desktop {

namespace {

// The events' numbers in wayland.xml, in the order the protocol lists them.
constexpr uint32_t KeyboardKeymap = 0;
constexpr uint32_t KeyboardKey = 3;
constexpr uint32_t PointerButton = 3;

// Listens, beside Qt and on Qt's own connection, for the serials of the player's
// presses: Qt keeps only the latest serial of any kind. Its events come on a queue of
// its own, which Qt's reading fills and only this dispatches, so Qt's own handling of
// the same input is untouched.
class PressSerials {
public:
    static PressSerials *forThisDisplay()
    {
        static PressSerials *const serials = make();
        return serials;
    }

    // A token for activating another window of the program, from the player's last
    // press in the focused window; empty if there is none to give.
    QByteArray tokenFromLastPress()
    {
        wl_display_dispatch_queue_pending(m_display, m_queue);
        QWindow *focused = QGuiApplication::focusWindow();
        if (!m_activation || !m_seat || !m_lastPress || !focused)
            return {};
        wl_surface *surface = surfaceOf(*focused);
        if (!surface)
            return {};
        m_token.clear();
        xdg_activation_token_v1 *request = xdg_activation_v1_get_activation_token(m_activation);
        xdg_activation_token_v1_add_listener(request, &TokenListener, this);
        xdg_activation_token_v1_set_serial(request, *m_lastPress, m_seat);
        xdg_activation_token_v1_set_surface(request, surface);
        xdg_activation_token_v1_commit(request);
        wl_display_roundtrip_queue(m_display, m_queue);
        xdg_activation_token_v1_destroy(request);
        return m_token;
    }

private:
    static PressSerials *make()
    {
        wl_display *display = qtWaylandDisplay();
        return display ? new PressSerials(display) : nullptr;
    }

    explicit PressSerials(wl_display *display) : m_display(display), m_queue(wl_display_create_queue(display))
    {
        listGlobals(m_display, m_queue, RegistryListener, this);
        wl_display_roundtrip_queue(m_display, m_queue); // the seat's pointer and keyboard
        // Qt reads the events of every queue; those of this one are handled as soon as
        // the program wakes for them, so that no new pointer misses a press.
        QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::awake, qApp,
            [this] { wl_display_dispatch_queue_pending(m_display, m_queue); });
    }

    static void global(void *data, wl_registry *registry, uint32_t name, const char *interface, uint32_t)
    {
        auto *self = static_cast<PressSerials *>(data);
        const QByteArrayView kind(interface);
        if (kind == wl_seat_interface.name && !self->m_seat) {
            self->m_seat = static_cast<wl_seat *>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
            wl_seat_add_listener(self->m_seat, &SeatListener, self);
        } else if (kind == xdg_activation_v1_interface.name) {
            self->m_activation
                = static_cast<xdg_activation_v1 *>(wl_registry_bind(registry, name, &xdg_activation_v1_interface, 1));
        }
    }

    // A pointer or keyboard that goes away (GNOME's remote desktop replaces them, a
    // mouse is unplugged) sends nothing more: the seat's new one is asked for at once.
    static void capabilities(void *data, wl_seat *seat, uint32_t capabilities)
    {
        auto *self = static_cast<PressSerials *>(data);
        follow(self->m_pointer, capabilities & WL_SEAT_CAPABILITY_POINTER, [&] { return wl_seat_get_pointer(seat); });
        follow(
            self->m_keyboard, capabilities & WL_SEAT_CAPABILITY_KEYBOARD, [&] { return wl_seat_get_keyboard(seat); });
        if (self->m_pointer)
            wl_proxy_set_user_data(reinterpret_cast<wl_proxy *>(self->m_pointer), self);
        if (self->m_keyboard)
            wl_proxy_set_user_data(reinterpret_cast<wl_proxy *>(self->m_keyboard), self);
    }

    template <typename Device, typename Get>
    static void follow(Device *&device, bool present, Get get)
    {
        if (device && !present) {
            wl_proxy_destroy(reinterpret_cast<wl_proxy *>(device));
            device = nullptr;
        } else if (!device && present) {
            device = get();
            wl_proxy_add_dispatcher(reinterpret_cast<wl_proxy *>(device), &pressed, nullptr, nullptr);
        }
    }

    // Every event of the pointer and the keyboard comes here; only a press counts.
    static int pressed(const void *, void *target, uint32_t opcode, const wl_message *, wl_argument *arguments)
    {
        auto *proxy = static_cast<wl_proxy *>(target);
        auto *self = static_cast<PressSerials *>(wl_proxy_get_user_data(proxy));
        const bool isKeyboard = proxy == reinterpret_cast<wl_proxy *>(self->m_keyboard);
        if (isKeyboard && opcode == KeyboardKeymap)
            close(arguments[1].h); // Qt reads the keymap from its own keyboard
        const uint32_t pressOpcode = isKeyboard ? KeyboardKey : PointerButton;
        // key and button alike: serial, time, key or button, state
        if (opcode == pressOpcode && arguments[3].u == 1)
            self->m_lastPress = arguments[0].u;
        return 0;
    }

    static void tokenDone(void *data, xdg_activation_token_v1 *, const char *token)
    {
        static_cast<PressSerials *>(data)->m_token = token;
    }

    static constexpr wl_registry_listener RegistryListener{&global, [](void *, wl_registry *, uint32_t) {}};
    static constexpr wl_seat_listener SeatListener{&capabilities, [](void *, wl_seat *, const char *) {}};
    static constexpr xdg_activation_token_v1_listener TokenListener{&tokenDone};

    wl_display *m_display;
    wl_event_queue *m_queue;
    wl_seat *m_seat = nullptr;
    wl_pointer *m_pointer = nullptr;
    wl_keyboard *m_keyboard = nullptr;
    xdg_activation_v1 *m_activation = nullptr;
    std::optional<uint32_t> m_lastPress;
    QByteArray m_token;
};

} // namespace

void followPresses()
{
    PressSerials::forThisDisplay();
}

void bringToFront(QWidget &window)
{
    PressSerials *serials = PressSerials::forThisDisplay();
    const QByteArray token = serials ? serials->tokenFromLastPress() : QByteArray();
    // Qt's Wayland plugin uses this variable, once, for the next activation it asks for.
    if (!token.isEmpty())
        qputenv("XDG_ACTIVATION_TOKEN", token);
    window.raise();
    window.activateWindow();
    qunsetenv("XDG_ACTIVATION_TOKEN");
}

} // namespace desktop
