# SPDX-FileCopyrightText: 2026 The Tolvarn developers
#
# SPDX-License-Identifier: MIT

"""What the display tests ask of GNOME Shell (mutter) and KWin: their own view of the
windows (titles, frames, focus, stacking, maximised or not), real input events that
pass through the compositor as a player's would, and screenshots. Each compositor is
reached through its own services on the session bus, as NOTES.md in the shared notes
describe; both manage Wayland and Xwayland windows alike."""
import io
import json
import os
import re
import tempfile
import threading
import time
import uuid

from gi.repository import Gio, GLib
from PIL import Image

bus = Gio.bus_get_sync(Gio.BusType.SESSION)


def call(name, path, interface, method, args=None, reply=None):
    return bus.call_sync(name, path, interface, method, args, GLib.VariantType(reply) if reply else None,
                         Gio.DBusCallFlags.NONE, 20000, None).unpack()


class Gnome:
    name = "GNOME Shell"
    # X keysyms (org.gnome.Mutter.RemoteDesktop sends keysyms, not key codes)
    KEYS = {"Alt": 0xffe9, "F10": 0xffc7, "Return": 0xff0d, "BackSpace": 0xff08, "Shift": 0xffe1,
            "Escape": 0xff1b, "3": 0x33}

    def __init__(self):
        self.session = call("org.gnome.Mutter.RemoteDesktop", "/org/gnome/Mutter/RemoteDesktop",
                            "org.gnome.Mutter.RemoteDesktop", "CreateSession", None, "(o)")[0]
        self.remote("Start")
        # The session's first key is lost.
        self.keys("Shift")
        # The shell answers org.gnome.Shell.Screenshot only to the owner of this name.
        call("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "RequestName",
             GLib.Variant("(su)", ("org.gnome.Screenshot", 4)), "(u)")

    def remote(self, method, args=None):
        call("org.gnome.Mutter.RemoteDesktop", self.session, "org.gnome.Mutter.RemoteDesktop.Session",
             method, args)

    def eval(self, script):
        ok, result = call("org.gnome.Shell", "/org/gnome/Shell", "org.gnome.Shell", "Eval",
                          GLib.Variant("(s)", (script,)), "(bs)")
        if not ok:
            raise RuntimeError(f"the shell refused {script!r}: {result}")
        return json.loads(result) if result else None

    def environment(self, name):
        """A variable of the shell's own environment (DISPLAY and XAUTHORITY of its Xwayland)."""
        return self.eval(f"GLib.getenv({json.dumps(name)})")

    def windows(self):
        return self.eval("""
            const ws = global.display.sort_windows_by_stacking(
                global.get_window_actors().map(a => a.meta_window).filter(w => !w.is_override_redirect()));
            ws.map(w => { const f = w.get_frame_rect(); return {
                id: w.get_id(), title: w.get_title(), x: f.x, y: f.y, w: f.width, h: f.height, focus: w.has_focus(),
                maximized: w.get_maximized() !== 0, minimized: w.minimized,
                parent: w.get_transient_for() ? w.get_transient_for().get_title() : null,
                x11: w.get_client_type() === imports.gi.Meta.WindowClientType.X11}; })""")

    def move(self, title, x, y):
        self.eval(f"""global.get_window_actors().map(a => a.meta_window)
            .filter(w => w.get_title() == {json.dumps(title)}).forEach(w => w.move_frame(true, {x}, {y}))""")

    def keys(self, *names):
        for name in names:
            for pressed in (True, False):
                self.remote("NotifyKeyboardKeysym", GLib.Variant("(ub)", (self.KEYS[name], pressed)))
            time.sleep(0.05)

    def chord(self, *names):
        for name in names:
            self.remote("NotifyKeyboardKeysym", GLib.Variant("(ub)", (self.KEYS[name], True)))
        for name in reversed(names):
            self.remote("NotifyKeyboardKeysym", GLib.Variant("(ub)", (self.KEYS[name], False)))

    def click(self, x, y):
        # Without a screencast the session moves the pointer by relative steps only:
        # into the corner first, then to the point.
        self.remote("NotifyPointerMotionRelative", GLib.Variant("(dd)", (-10000, -10000)))
        self.remote("NotifyPointerMotionRelative", GLib.Variant("(dd)", (x, y)))
        for _ in range(50):
            pointer = self.eval("global.get_pointer().slice(0, 2)")
            if pointer == [x, y]:
                break
            time.sleep(0.05)
        else:
            raise RuntimeError(f"the pointer went to {pointer}, not {[x, y]}")
        time.sleep(0.2)
        for pressed in (True, False):
            self.remote("NotifyPointerButton", GLib.Variant("(ib)", (0x110, pressed)))
            time.sleep(0.1)

    def maximize(self):
        """Asks to maximise the focused window as a player does: Alt+F10 (Super+Up
        would open the overview here, as the Super key alone does)."""
        self.chord("Alt", "F10")

    def screenshot(self, x, y, w, h):
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "shot.png")
            ok, _ = call("org.gnome.Shell", "/org/gnome/Shell/Screenshot", "org.gnome.Shell.Screenshot",
                         "ScreenshotArea", GLib.Variant("(iiiibs)", (x, y, w, h, False, path)), "(bs)")
            if not ok:
                raise RuntimeError("the shell took no screenshot")
            return Image.open(path).convert("RGB")


class KWin:
    name = "KWin"
    # Linux input event codes (org_kde_kwin_fake_input sends key codes)
    KEYS = {"Meta": 125, "PageUp": 104, "Return": 28, "BackSpace": 14, "Escape": 1, "3": 4}

    def __init__(self, log):
        from wayland_fake_input import FakeInput
        self.log = log  # KWin's own output, where its scripts print
        self.fake = FakeInput()

    def script(self, body):
        """Runs a KWin script and returns what it printed, read back as JSON."""
        marker = uuid.uuid4().hex
        with tempfile.NamedTemporaryFile("w", suffix=".js", delete=False) as f:
            f.write(f'print("{marker} " + JSON.stringify((function() {{ {body} }})()));\n')
        try:
            script_id = call("org.kde.KWin", "/Scripting", "org.kde.kwin.Scripting", "loadScript",
                             GLib.Variant("(ss)", (f.name, marker)), "(i)")[0]
            try:
                call("org.kde.KWin", f"/Scripting/Script{script_id}", "org.kde.kwin.Script", "run")
            except GLib.Error:  # KWin 5 names a script by its number alone
                call("org.kde.KWin", f"/{script_id}", "org.kde.kwin.Script", "run")
            deadline = time.monotonic() + 10
            while time.monotonic() < deadline:
                with open(self.log, errors="replace") as log:
                    for line in log:
                        if marker + " " in line:
                            return json.loads(line.split(marker + " ", 1)[1])
                time.sleep(0.05)
            raise RuntimeError("KWin's script printed nothing")
        finally:
            call("org.kde.KWin", "/Scripting", "org.kde.kwin.Scripting", "unloadScript",
                 GLib.Variant("(s)", (marker,)), "(b)")
            os.unlink(f.name)

    def windows(self):
        # KWin numbers windows of the same title ("Tolvarn <2>", with a left-to-right
        # mark on X); the title is the game's.
        return [dict(w, title=re.sub(r" <[0-9]+>\u200e?$", "", w["title"])) for w in self.script("""
            const ws = (workspace.stackingOrder || workspace.clientList().sort((a, b) => a.stackingOrder - b.stackingOrder));
            return ws.filter(w => w.normalWindow || w.dialog).map(w => ({
                id: w.internalId.toString(), title: w.caption, x: w.frameGeometry.x, y: w.frameGeometry.y, w: w.frameGeometry.width,
                h: w.frameGeometry.height, focus: w.active, minimized: w.minimized,
                maximized: false, parent: w.transientFor ? w.transientFor.caption : null}));""")]

    def move(self, title, x, y):
        self.script(f"""workspace.clientList().filter(w => w.caption == {json.dumps(title)}).forEach(w => {{
            w.frameGeometry = {{x: {x}, y: {y}, width: w.frameGeometry.width, height: w.frameGeometry.height}};
            }}); return true;""")

    def keys(self, *names):
        for name in names:
            self.fake.key(self.KEYS[name], True)
            self.fake.key(self.KEYS[name], False)
            time.sleep(0.05)

    def chord(self, *names):
        for name in names:
            self.fake.key(self.KEYS[name], True)
        for name in reversed(names):
            self.fake.key(self.KEYS[name], False)

    def click(self, x, y):
        self.fake.move_to(x, y)
        for pressed in (True, False):
            self.fake.button(pressed)
            time.sleep(0.05)

    def maximize(self):
        """Asks to maximise the active window, as its title bar's menu and Meta+PgUp do."""
        self.script("workspace.slotWindowMaximize(); return true;")

    def screenshot(self, x, y, w, h):
        read_end, write_end = os.pipe()
        data = []
        reader = threading.Thread(target=lambda: data.append(os.fdopen(read_end, "rb").read()))
        reader.start()
        fds = Gio.UnixFDList()
        fds.append(write_end)  # a copy: ours closes now, so that the reader meets the end
        os.close(write_end)
        result, _ = bus.call_with_unix_fd_list_sync(
            "org.kde.KWin", "/org/kde/KWin/ScreenShot2", "org.kde.KWin.ScreenShot2", "CaptureArea",
            GLib.Variant("(iiuua{sv}h)", (x, y, w, h, {}, 0)), GLib.VariantType("(a{sv})"),
            Gio.DBusCallFlags.NONE, 20000, fds, None)
        del fds  # its copy of the pipe's end, closed: KWin's is then the last
        reader.join(20)
        info = result.unpack()[0]
        return Image.frombuffer("RGBA", (info["width"], info["height"]), data[0], "raw", "BGRA",
                                info["stride"], 1).convert("RGB")
