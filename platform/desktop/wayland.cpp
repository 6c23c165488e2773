// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

#include "platform/desktop/wayland.h"

#include <QGuiApplication>
#include <QWindow>
#include <qpa/qplatformnativeinterface.h>
#include <wayland-client.h>

namespace desktop {

wl_display *qtWaylandDisplay()
{
    if (!QGuiApplication::platformName().startsWith(u"wayland"))
        return nullptr;
    return static_cast<wl_display *>(
        QGuiApplication::platformNativeInterface()->nativeResourceForIntegration("wl_display"));
}

wl_surface *surfaceOf(QWindow &window)
{
    return static_cast<wl_surface *>(
        QGuiApplication::platformNativeInterface()->nativeResourceForWindow("surface", &window));
}

void listGlobals(wl_display *display, wl_event_queue *queue, const wl_registry_listener &listener, void *data)
{
    auto *ours = static_cast<wl_display *>(wl_proxy_create_wrapper(display));
    wl_proxy_set_queue(reinterpret_cast<wl_proxy *>(ours), queue);
    wl_registry *registry = wl_display_get_registry(ours);
    wl_proxy_wrapper_destroy(ours);
    wl_registry_add_listener(registry, &listener, data);
    wl_display_roundtrip_queue(display, queue);
    wl_registry_destroy(registry); // the objects bound through it stay
}

} // namespace desktop
