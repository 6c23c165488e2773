// SPDX-FileCopyrightText: 2026 The Tolvarn developers
//
// SPDX-License-Identifier: MIT

// Qt's own connection to a Wayland compositor, for the few requests Qt does not make
// for the game.
#pragma once

struct wl_display;
struct wl_event_queue;
struct wl_registry;
struct wl_registry_listener;
struct wl_surface;
class QWindow;

namespace desktop {

// The connection Qt holds; null off Wayland.
wl_display *qtWaylandDisplay();

// The surface Qt made for the window; null before it has one.
wl_surface *surfaceOf(QWindow &window);

// The compositor's globals, told to the listener on a queue of the game's own: Qt
// reads that queue's events from the connection but never handles them, so the
// objects bound there are the game's alone. Returns once every global is told.
void listGlobals(wl_display *display, wl_event_queue *queue, const wl_registry_listener &listener, void *data);

} // namespace desktop
