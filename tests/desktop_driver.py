#!/usr/bin/python3

# SPDX-FileCopyrightText: 2026 The Tolvarn developers
#
# SPDX-License-Identifier: MIT

"""Plays a short game of Tolvarn under a whole desktop's compositor (GNOME Shell or
KWin, already running headless), on Wayland or on the compositor's own Xwayland, and
checks what a player on that desktop sees, through the compositor's own view of its
windows, real input events and screenshots (compositors.py), and through AT-SPI as a
screen reader reads it (game_driver.py):

- "Hjälp" chosen again with a real click while the help window stands behind the main
  window brings it to the front, active;
- the input box and the game-over message open over the main window;
- the main window and the help window refuse to be maximised (the way a player asks);
- on X no window asks for minimise or maximise (its Motif hints), and under GNOME
  mutter allows neither (_NET_WM_ALLOWED_ACTIONS), so its title bars show neither;
- under GNOME on Wayland, as a player starts it, the game runs on Xwayland where its
  Qt draws no title bars made for GNOME (Debian 12's Qt 6.4), on Wayland where it does;
  then once more on Wayland, as the player may choose, with Qt's own title bars;
- every title is whole on its title bar: no ellipsis, and "Svårighetsgrad" ends in
  its "d";
- a screen reader finds one application, the game;
- under KWin on X, both windows are centred to within a pixel (1280 × 1024 screen).

  desktop_driver.py gnome|kwin wayland|xcb GAME
"""
import collections
import faulthandler
import glob
import os
import subprocess
import sys
import time

import game_driver as g
from compositors import Gnome, KWin

SCREEN_W, SCREEN_H = 1280, 1024
desktop, platform, program = sys.argv[1:4]
where = ""  # the desktop and the platform of the game being played


def name_where(on_x, chosen=""):
    global where
    where = f"{'GNOME' if desktop == 'gnome' else 'KWin'} on {'X' if on_x else 'Wayland'}{chosen}"


def fail(message):
    """Fails with the compositor's list of windows and a screenshot of the whole screen."""
    try:
        shot = f"{where.replace(' ', '-').lower()}-failed.png"
        comp.screenshot(0, 0, SCREEN_W, SCREEN_H).save(shot)
        message += f"\n  windows, back to front: {comp.windows()}\n  screen: {shot}"
    except Exception as error:  # the compositor may be what failed
        message += f" (no screenshot: {error})"
    if os.environ.get("KEEP_GOING"):
        print(f"FAIL (going on): {where}: {message}")
        return
    g.fail(f"{where}: {message}")


def await_true(what, test, seconds=30):
    """game_driver's wait, failing with this desktop's view of the windows."""
    return g.await_true(what, test, seconds, fail_with=fail)


def shown(title, other_than=None):
    """The compositor's window titled so (the newest, when several), or None."""
    found = [w for w in comp.windows() if w["title"] == title and w != other_than and not w["minimized"]]
    return found[-1] if found else None


def same_window(a, b):
    return a["id"] == b["id"]


def now(window):
    """The window as the compositor has it now."""
    return next(w for w in comp.windows() if same_window(w, window))


def stacking():
    return [w["title"] for w in comp.windows()]


def in_front(title, other_than=None):
    """The window titled so (other than the given one) has the focus and stands above
    the rest."""
    ws = comp.windows()
    top = ws[-1] if ws else None
    if top and top["title"] == title and top["focus"] and top["w"] > 0:
        return None if other_than and same_window(top, other_than) else top
    return None


def settled(title, other_than=None):
    """The window in front, once the compositor has stopped moving it: mutter places a
    new window in steps."""
    last = None
    for _ in range(50):
        now = in_front(title, other_than)
        if now and now == last:
            return now
        last = now
        time.sleep(0.2)
    fail(f"{title!r} never settled in front: {comp.windows()}")


def client_area(frame, accessible):
    """The client area inside a frame, its size as the game reports it: side borders
    alike and the bottom border as wide as a side (every decoration here)."""
    w, h = accessible.queryComponent().getSize()
    border = (frame["w"] - w) // 2
    return frame["x"] + border, frame["y"] + frame["h"] - h - border, w, h


def overlaps(a, b):
    return a["x"] < b["x"] + b["w"] and b["x"] < a["x"] + a["w"] and a["y"] < b["y"] + b["h"] and b["y"] < a["y"] + a["h"]


# --- title bars on the screen -------------------------------------------------------------

def ink_runs(strip):
    """Columns with ink (pixels far from the bar's own colour), in runs split by seven or
    more empty columns (wider than any gap between letters): the title and each
    button's sign."""
    background = collections.Counter(strip.getdata()).most_common(1)[0][0]
    width, height = strip.size
    pixels = strip.load()
    rows = []
    for x in range(width):
        ink = [y for y in range(height) if sum(abs(a - b) for a, b in zip(pixels[x, y], background)) > 150]
        rows.append((min(ink), max(ink)) if ink else None)
    runs, gap = [], 99
    for x, r in enumerate(rows):
        if r is None:
            gap += 1
            continue
        if gap >= 7:
            runs.append([x, x])
        runs[-1][1] = x
        gap = 0
    return rows, runs


def check_title(frame, accessible, title):
    left, top, width, height = client_area(frame, accessible)
    if top - frame["y"] < 8:
        return  # no title bar to read
    strip = comp.screenshot(left, frame["y"], width, top - frame["y"])
    rows, runs = ink_runs(strip)
    if not runs:
        fail(f"no title drawn over {title!r}")
    start, end = max(runs, key=lambda r: r[1] - r[0])
    name = f"{where.replace(' ', '-')}-{title}.png".lower()
    text = [r for r in rows[start:end + 1]]
    baseline = collections.Counter(r[1] for r in text if r).most_common(1)[0][0]
    tallest = min(r[0] for r in text if r)
    # An ellipsis: three runs of columns inked only at the baseline, blank between.
    dots, previous = 0, None
    for r in text + [None]:
        if r is not None and r[0] >= baseline - 3 and abs(r[1] - baseline) <= 1:
            kind = "dot"
        elif r is None:
            kind = "blank"
        else:
            kind = "ink"
        if kind == "ink":
            dots = 0
        elif kind == "dot" and previous == "blank":
            dots += 1
            if dots == 3:
                strip.save(name)
                fail(f"the title {title!r} is shortened with an ellipsis ({name})")
        previous = kind if kind != "dot" or previous != "dot" else previous
    # A "d" reaches far above the x-height (about half the ink's height); an "r" does not.
    if title.endswith("d") and min(r[0] for r in text[-4:] if r) > baseline - 0.8 * (baseline - tallest):
        strip.save(name)
        fail(f"the title {title!r} is cut: it does not end in a tall letter ({name})")


# --- the play -------------------------------------------------------------------------------

def check_centred(frame, what):
    if desktop == "kwin" and platform == "xcb":
        dx, dy = 2 * frame["x"] + frame["w"] - SCREEN_W, 2 * frame["y"] + frame["h"] - SCREEN_H
        if abs(dx) > 2 or abs(dy) > 2:
            fail(f"the {what} stands at {frame['x']},{frame['y']} ({frame['w']} × {frame['h']}), "
                 f"{dx / 2:+.1f},{dy / 2:+.1f} px from the centre")


def check_not_maximised(title):
    before = await_true(f"{title!r} does not take the focus", lambda: in_front(title), 10)
    comp.maximize()
    time.sleep(0.5)
    after = shown(title)
    if after["maximized"] or (after["w"], after["h"]) != (before["w"], before["h"]):
        fail(f"{title!r} was maximised: {before} became {after}")


def x_windows(env):
    """The game's X windows, each as xprop reads its title, the actions the window
    manager allows it, and its Motif hints: {property: value}."""
    def xprop(*args):
        return subprocess.run(["xprop", *args], env=dict(os.environ, **env), capture_output=True, text=True,
                              check=True).stdout
    ids = xprop("-root", "_NET_CLIENT_LIST").split("#", 1)[-1].replace(",", " ").split()
    return [{line.split("(", 1)[0]: line.partition(" = ")[2]
             for line in xprop("-id", i, "_NET_WM_NAME", "_NET_WM_ALLOWED_ACTIONS", "_MOTIF_WM_HINTS").splitlines()}
            for i in ids]


def hints_offer_minimise_or_maximise(hints):
    """Motif hints: flags, then functions and decorations, each either a list of what is
    there or, with its first bit set, of what is not."""
    if not hints:
        return True  # no hints: everything
    flags, functions, decorations = (int(v, 16) for v in hints.split(", ")[:3])

    def offered(given, bits, mask):
        return not given or (bits & mask != mask if bits & 1 else bits & mask != 0)
    return offered(flags & 1, functions, 0x08 | 0x10) or offered(flags & 2, decorations, 0x20 | 0x40)


def check_no_minimise_or_maximise(env):
    """On X: no window asks for a minimise or maximise function or button, and mutter,
    which follows what they ask, allows neither (KWin 5.27 allows minimise whatever they
    ask)."""
    if "DISPLAY" not in env:
        return
    for props in x_windows(env):
        allowed = props.get("_NET_WM_ALLOWED_ACTIONS", "")
        if hints_offer_minimise_or_maximise(props.get("_MOTIF_WM_HINTS")) or (
                desktop == "gnome" and ("MINIMIZE" in allowed or "MAXIMIZE" in allowed)):
            fail(f"{props.get('_NET_WM_NAME')} offers minimise or maximise: {props}")


def one_application():
    apps = [a.name for a in g.pyatspi.Registry.getDesktop(0) if a is not None]
    ours = [a for a in apps if "tolvarn" in a.lower()]
    if len(ours) != 1:
        fail(f"a screen reader finds {len(ours)} applications of the game: {apps}")


def play(env, on_x):
    """One short game started with the given environment, on X or on Wayland."""
    # The screen reader's view of a game before this one would lead the clicks astray.
    g.game = None  # ended
    await_true("the last game stays on the accessibility bus", lambda: g.game_app() is None, 10)
    g.start([program], **env)
    await_true("no game window in front", lambda: in_front("Tolvarn"))
    main = settled("Tolvarn")
    if desktop == "gnome" and main["x11"] != on_x:
        on = {True: "Xwayland", False: "Wayland"}
        fail(f"the game runs on {on[main['x11']]}, not on {on[on_x]}")
    if not on_x:
        env = {}  # no X windows to look at
    main_a11y = await_true("no game window on the accessibility bus", lambda: g.window("frame", "Tolvarn"))
    time.sleep(1)  # a second application would have registered by now
    one_application()
    check_centred(main, "main window")
    check_title(main, main_a11y, "Tolvarn")
    check_not_maximised("Tolvarn")
    main = shown("Tolvarn")

    def spot(role, name, dx=0.5):
        """A point inside a widget of the main window, where the window is now: across
        it by dx, half way down."""
        left, top, _, _ = client_area(now(main), main_a11y)
        # Screen coordinates on X, the window's own on Wayland: taken relative to the window.
        x0, y0, _, _ = main_a11y.queryComponent().getExtents(g.pyatspi.DESKTOP_COORDS)
        x, y, w, h = g.find(main_a11y, role, name).queryComponent().getExtents(g.pyatspi.DESKTOP_COORDS)
        x, y = x - x0, y - y0
        return left + x + int(w * dx), top + y + h // 2

    def menu_new_game():
        return spot("menu item", "Nytt spel")

    def menu_help():
        return spot("menu item", "Hjälp")

    def click(place):
        """A click where place() says, once more if the main window moved meanwhile:
        mutter may still move a new Wayland window from the corner where it put it."""
        for _ in range(2):
            before = now(main)
            comp.click(*place())
            time.sleep(0.2)
            if (now(main)["x"], now(main)["y"]) == (before["x"], before["y"]):
                return

    click(menu_help)
    await_true("no help window in front after \"Hjälp\"", lambda: in_front("Hjälp"), 10)
    help_frame = settled("Hjälp")
    check_centred(help_frame, "help window")
    check_title(help_frame, await_true("no help window on the accessibility bus",
                                         lambda: g.window("filler", "Hjälp")), "Hjälp")
    check_not_maximised("Hjälp")

    # The main window active, the help window behind it (or above it, where the
    # compositor keeps a window over the one it belongs to); "Hjälp" again brings it
    # forward. The help window is moved to leave the left of the field to be clicked.
    main = now(main)
    comp.move("Hjälp", main["x"] + 100, main["y"] + 100)
    click(lambda: spot("filler", "Spelplan", 0.2))
    await_true(f"the main window takes no focus when clicked: {comp.windows()}",
               lambda: any(w["focus"] for w in comp.windows() if same_window(w, main)), 10)
    click(menu_help)
    await_true(f"\"Hjälp\" chosen again leaves the help window behind: {stacking()}",
                 lambda: in_front("Hjälp"), 10)
    print(f"{where}: \"Hjälp\" chosen again brings the help window forward")

    click(menu_new_game)
    await_true(f"no input box in front: {stacking()}", lambda: in_front("Svårighetsgrad"))
    box = settled("Svårighetsgrad")
    main = now(main)
    if not overlaps(box, main):
        fail(f"the input box at {box} stands away from the main window at {main}")
    check_title(box, await_true("no input box on the accessibility bus",
                                  lambda: g.window("dialog", "Svårighetsgrad")), "Svårighetsgrad")
    check_no_minimise_or_maximise(env)
    comp.keys("BackSpace", "3", "Return")
    # Three balls that no one dodges end the game within seconds.
    await_true(f"no game-over message in front: {stacking()}", lambda: in_front("Tolvarn", main), 60)
    message = settled("Tolvarn", main)
    if not overlaps(message, main):
        fail(f"the game-over message at {message} stands away from the main window at {main}")
    check_title(message, await_true("no game-over message on the accessibility bus",
                                      lambda: g.window("alert", "Tolvarn")), "Tolvarn")
    check_no_minimise_or_maximise(env)
    one_application()
    comp.keys("Return")
    status = g.game.wait(timeout=20)
    if status != 0:
        fail(f"the game ended with status {status}")


# Only a hang takes this long: it ends with where the driver hung.
faulthandler.dump_traceback_later(150, exit=True)
comp = Gnome() if desktop == "gnome" else KWin(os.environ["TOLVARN_COMPOSITOR_LOG"])
# The compositor's Xwayland: GNOME Shell's is named in its own environment, KWin's in ours.
x = {name: (comp.environment(name) if desktop == "gnome" else os.environ.get(name)) or ""
     for name in ("DISPLAY", "XAUTHORITY")}
session = {"XDG_CURRENT_DESKTOP": "GNOME" if desktop == "gnome" else "KDE"}
if platform == "xcb":
    games = [(dict(session, QT_QPA_PLATFORM="xcb", **x), True, "")]
elif desktop == "gnome":
    # A GNOME Wayland login: the game's own choice, then Wayland as the player may choose.
    gnome_title_bars = glob.glob("/usr/lib/*/qt6/plugins/wayland-decoration-client/*adwaita*")
    games = [(dict(session, XDG_SESSION_TYPE="wayland", **x), not gnome_title_bars, " from a Wayland login"),
             (dict(session, QT_QPA_PLATFORM="wayland"), False, " by choice")]
else:
    games = [(dict(session, QT_QPA_PLATFORM="wayland"), False, "")]
for env, on_x, chosen in games:
    name_where(on_x, chosen)
    try:
        play(env, on_x)
    finally:
        if g.game and g.game.poll() is None:
            g.game.kill()
    print(f"ok: {where}: help forward, dialogs over the game, no maximising, whole titles, one application")
