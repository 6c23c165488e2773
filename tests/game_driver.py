#!/usr/bin/python3

# SPDX-FileCopyrightText: 2026 The Tolvarn developers
#
# SPDX-License-Identifier: MIT

"""Plays Tolvarn on a running display as a player would, and reads it through AT-SPI as
a screen reader would. Run inside a D-Bus session with the AT-SPI bus up; exits 1 on
the first check that fails.

  game_driver.py GAME FACES_DIR SCALE    a three-ball game under sway (wayland_display_test.sh)
  game_driver.py --screen-reader GAME     what a screen reader reads, on any display (display_test.sh)
  game_driver.py --press NAME             triggers the menu item NAME (see press())

A three-ball game lasts about 3 s when the player does not dodge. So the game runs with
the system's wall clock held still (faketime; its own timers run on the monotonic clock
as ever): it seeds its random source the same way each run, and the balls fall the same
way. Seeded at SEEDED_AT, they touch neither the green ball's place at the start nor
one step left of it before the 361st tick of the balls (about 22 s), long after every
check below has had its turn; then the game ends by itself. tools/find_seed.cpp finds
that moment by running the game's own handlers, and the test script hands it over.
"""
import io
import json
import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib
from PIL import Image

SEEDED_AT = os.environ.get("SEEDED_AT", "")  # UTC, from tools/find_seed.cpp
FIELD_W, FIELD_H = 217, 225  # the game's client area below the menu bar, in logical pixels
CLOCK_BOX = (176, 192, 33, 25)  # where the field draws the clock: 2640, 2880, 495, 375 twips
FRAMES = 10
game = None  # the game's process, once started


def fail(message):
    print("FAIL: " + message)
    sys.exit(1)


def await_true(what, test, seconds=60, fail_with=None):
    """Polls test() until it gives something other than None or False, and returns
    that: only a hang runs out of the time. fail_with reports a failure (fail unless
    the caller has a report of its own)."""
    report = fail_with or fail
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if game and game.poll() is not None:
            report(f"the game ended with status {game.returncode} while waiting: {what}")
        value = test()
        if value is not None and value is not False:
            return value
        time.sleep(0.1)
    report(what)
    sys.exit(1)  # a report that lets the run go on still ends a wait that found nothing


# --- AT-SPI -----------------------------------------------------------------------------

def game_app():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "Tolvarn":
            return app
    return None


def role_name(accessible):
    """The role's name; AT-SPI 2.56 (Debian 13) names a push button "button", 2.46
    (Debian 12) "push button"."""
    name = accessible.getRoleName()
    return "push button" if name == "button" else name


def windows():
    """The game's windows on the accessibility bus: (role, name, accessible) of each."""
    app = game_app()
    return [(role_name(w), w.name, w) for w in app if w is not None] if app else []


def window(role, name):
    return next((w for r, n, w in windows() if r == role and n == name), None)


def showing(accessible):
    return accessible.getState().contains(pyatspi.STATE_SHOWING)


def find(root, role, name=None):
    return pyatspi.findDescendant(root, lambda a: role_name(a) == role and (name is None or a.name == name))


def text_of(accessible):
    return accessible.queryText().getText(0, -1)


def clock_text():
    return text_of(find(window("frame", "Tolvarn"), "label"))


class Announcements:
    """The clock's changes as a screen reader is told of them: each new count."""
    def __init__(self):
        self.counts = []
        pyatspi.Registry.registerEventListener(self.heard, "object:property-change:accessible-name")

    def heard(self, event):
        if role_name(event.source) == "label" and event.source.description == "Sekunder":
            self.counts.append(event.source.name)

    @staticmethod
    def wait(seconds):
        """Waits, and delivers what is told meanwhile."""
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            while GLib.MainContext.default().iteration(False):
                pass
            time.sleep(0.02)


def press(name):
    """Triggers a menu item. A modal dialog's command answers only when the dialog
    closes, so this runs in a process of its own that is left to wait."""
    return subprocess.Popen([sys.executable, __file__, "--press", name])


def check_accessible_tree():
    main = window("frame", "Tolvarn")
    field = find(main, "filler", "Spelplan")
    if field is None:
        fail("no field named Spelplan on the accessibility bus")
    clock = find(field, "label")
    if clock is None or clock.description != "Sekunder" or not text_of(clock).isdigit():
        fail("the clock is not a label with the seconds as its text")
    hidden = [(r, n) for r, n, w in windows() if not showing(w)]
    if hidden:
        fail(f"windows that no player sees are on the accessibility bus: {hidden}")


def check_help_texts():
    help_window = await_true("the help window does not show", lambda: window("filler", "Hjälp"))
    expected = {
        "label": ["Ditt uppdrag är att undvika alla bollar (beroende på din svårighetsgrad) och sedan hålla dig "
                  "levande så länge som du kan. Använd dig av:",
                  "Om du dör så får du starta om programmet och testa igen."],
        "image": ["Bild av spelet", "Piltangenterna"],
    }
    for role, names in expected.items():
        found = sorted(c.name for c in help_window if role_name(c) == role)
        if found != sorted(names):
            fail(f"help window {role}s read {found}, expected {sorted(names)}")
    texts = sorted(text_of(c) for c in help_window if role_name(c) == "label")
    if texts != sorted(expected["label"]):
        fail(f"help texts read as text {texts}")
    print("help window through AT-SPI: " + "; ".join(f"{role_name(c)} {c.name!r}" for c in help_window))


# --- the screen -------------------------------------------------------------------------

class Screen:
    def __init__(self, scale, faces_dir):
        self.scale = scale
        self.faces = {}
        for name in os.listdir(faces_dir):
            self.faces[Image.open(os.path.join(faces_dir, name)).convert("RGB").tobytes()] = int(name[:-4])

    def locate_field(self):
        """The field's corner on the screen: the main window is the first of the game's
        windows, and its client area ends with the field."""
        tree = json.loads(subprocess.run(["swaymsg", "-t", "get_tree"], capture_output=True, text=True).stdout)
        nodes = [n for ws in walk(tree) for n in ws.get("floating_nodes", [])]
        main = min((n for n in nodes if n.get("name") == "Tolvarn"), key=lambda n: n["id"])
        rect, inner = main["rect"], main["window_rect"]
        self.left = rect["x"] + inner["x"]
        self.top = rect["y"] + inner["y"] + inner["height"] - FIELD_H

    def field(self):
        shot = subprocess.run(["grim", "-g", f"{self.left},{self.top} {FIELD_W}x{FIELD_H}", "-"],
                              capture_output=True, check=True).stdout
        return Image.open(io.BytesIO(shot)).convert("RGB")

    def area(self, image, box):
        x, y, w, h = (v * self.scale for v in box)
        return image.crop((x, y, x + w, y + h))

    def clock(self, image):
        """The count that the clock shows, None while a ball passes under it; fails when
        it shows anything but a count as the game draws it."""
        area = self.area(image, CLOCK_BOX)
        if reds(area) > 0:
            return None
        count = self.faces.get(area.tobytes())
        if count is None:
            area.resize((area.width * 4, area.height * 4)).save("clock-not-clean.png")
            fail("the clock shows no count as the game draws it (clock-not-clean.png)")
        return count


def walk(node):
    yield node
    for child in node.get("nodes", []) + node.get("floating_nodes", []):
        yield from walk(child)


def pixels(image):
    """An RGB image's pixels, row by row, as (r, g, b): read from its bytes, which every
    Pillow gives alike (Pillow 13 deprecates getdata())."""
    data = image.tobytes()
    return zip(data[0::3], data[1::3], data[2::3])


def reds(image):
    return sum(1 for r, g, b in pixels(image) if r > g + 40 and r > b + 40)


def green_x(image):
    xs = [x for i, (r, g, b) in enumerate(pixels(image)) if g > r + 60 and g > b + 60 for x in [i % image.width]]
    return sum(xs) / len(xs) if xs else None


def keys(*args):
    """One wtype process a sequence, starting with a pause: a new virtual keyboard's
    first keys are lost until the game has taken its keymap."""
    subprocess.run(["wtype", "-s", "300", *args], check=True)


# --- the game ---------------------------------------------------------------------------

def start(command, **env):
    global game
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", **env)
    # In a sanitizer build, faketime's library is loaded before the sanitizer's.
    env["ASAN_OPTIONS"] = ":".join(filter(None, [os.environ.get("ASAN_OPTIONS"), "verify_asan_link_order=0"]))
    game = subprocess.Popen(command, env=env)
    return game


def play(program, faces_dir, scale):
    start(["faketime", "-m", "-f", "--exclude-monotonic", SEEDED_AT, program], QT_QPA_PLATFORM="wayland", TZ="UTC")
    try:
        run(game, Screen(scale, faces_dir))
    finally:
        if game.poll() is None:
            game.kill()


def read_aloud(program):
    """The game's windows as a screen reader reads them, driven through AT-SPI alone:
    the help window, and a game answered with 1.5 (the clock runs, no ball falls)."""
    start([program])
    try:
        await_true("no game window on the accessibility bus", lambda: window("frame", "Tolvarn"))
        check_accessible_tree()
        press("Hjälp").wait(timeout=20)
        check_help_texts()
        press("Nytt spel")
        input_box = await_true("no input box", lambda: window("dialog", "Svårighetsgrad"))
        find(input_box, "text").queryEditableText().setTextContents("1.5")
        find(input_box, "push button", "OK").queryAction().doAction(0)
        await_true("the input box stays", lambda: window("dialog", "Svårighetsgrad") is None)
        told = Announcements()
        check_accessible_tree()
        await_true("the clock's accessible text does not count", lambda: int(clock_text()) >= 2, 10)
        told.wait(0.5)
        print(f"clock's changes told to a screen reader: {told.counts}")
        if not told.counts:
            fail("the clock's changes are not told as a label's are")
    finally:
        game.kill()


def run(proc, screen):
    await_true("no game window on the accessibility bus", lambda: window("frame", "Tolvarn"))
    check_accessible_tree()

    press("Nytt spel")
    await_true("no input box", lambda: window("dialog", "Svårighetsgrad"))
    keys("-k", "BackSpace", "3", "-k", "Return")
    await_true("the input box stays", lambda: window("dialog", "Svårighetsgrad") is None)
    check_accessible_tree()  # the message box made ready for the game's end stays off the bus
    screen.locate_field()  # sway has long placed the window by now

    # The balls fall, and the clock counts in clean digits and is told as it counts.
    told = Announcements()
    frames = []
    for _ in range(FRAMES):
        told.wait(0.4)
        frames.append(screen.field())
    with_red = sum(1 for f in frames if reds(f) > 20 * screen.scale ** 2)
    changes = sum(1 for a, b in zip(frames, frames[1:]) if a.tobytes() != b.tobytes())
    print(f"frames with red balls: {with_red} of {FRAMES}; frames that differ from the one before: "
          f"{changes} of {FRAMES - 1}")
    if with_red < 8 or changes < FRAMES - 2:
        for i, f in enumerate(frames):
            f.save(f"frame-{i}.png")
        fail("the balls do not reach the screen (frame-*.png)")
    counts = [screen.clock(f) for f in frames]
    print(f"clock in the frames: {counts}")
    shown = [c for c in counts if c is not None]
    if shown != sorted(shown) or shown[-1] <= shown[0]:
        fail(f"the clock does not count: {counts}")

    # The clock as a screen reader reads it counts too, and a screen reader is told.
    before = int(clock_text())
    await_true("the clock's accessible text does not count", lambda: int(clock_text()) > before, 5)
    print(f"clock's changes told to a screen reader meanwhile: {told.counts}")
    if len(told.counts) < 2 or told.counts != sorted(told.counts, key=int):
        fail("the clock's changes are not told as a label's are")

    # An arrow key moves the green ball on the screen.
    start = green_x(screen.field())
    keys("-k", "Left")
    await_true("the green ball does not move on the screen when Left is pressed",
               lambda: (lambda x: x is not None and x < start - 4 * screen.scale)(green_x(screen.field())), 5)

    # Help during a game: the game goes on, and its clock has moved on when help closes.
    seen = await_true("no clock to read before help", lambda: screen.clock(screen.field()))
    press("Hjälp").wait(timeout=20)
    check_help_texts()
    counted = int(clock_text())
    during = await_true("the clock stops while the help window is open",
                        lambda: (lambda now: now if now > counted else None)(int(clock_text())), 5)
    subprocess.run(["swaymsg", "[title=\"^Hjälp$\"] kill"], capture_output=True, check=True)
    await_true("the help window does not close", lambda: window("filler", "Hjälp") is None)
    # The field's next frame may come a moment after help has gone.
    after = await_true(f"the screen never shows the count {during} reached while help was open",
                       lambda: (lambda shown: shown if shown is not None and shown >= during else None)(
                           screen.clock(screen.field())), 10)
    if after <= seen:
        fail(f"the clock showed {seen} before help and {after} after it")
    print(f"clock before help: {seen}, after: {after}")

    # The game ends by itself; its message comes up in front, and OK ends the program.
    message = await_true("no game-over message", lambda: window("alert", "Tolvarn"), 60)
    words = [c.name for c in message if role_name(c) == "label" and c.name]
    print(f"game-over message: {words}")
    if not any(w.startswith("Bravo! Tyvärr så klarade du bara: ") for w in words):
        fail(f"unexpected game-over message {words}")
    # Behind the message the game stands at the touch, its clock at the seconds told.
    told = int(next(w for w in words if w.startswith("Bravo!")).split(": ")[1].split()[0])
    behind = screen.field()
    time.sleep(2)
    if screen.field().tobytes() != behind.tobytes():
        fail("the game goes on behind its game-over message")
    if screen.clock(behind) not in (None, told):
        fail(f"the clock shows {screen.clock(behind)} behind a message that tells {told} seconds")
    behind.save("behind-the-game-over-message.png")
    # sway keeps floating windows in their stacking order, the front one last.
    tree = json.loads(subprocess.run(["swaymsg", "-t", "get_tree"], capture_output=True, text=True).stdout)
    floating = [n for ws in walk(tree) for n in ws.get("floating_nodes", [])]
    front = floating[-1]
    if not front.get("focused") or front["id"] == min(n["id"] for n in floating if n.get("name") == "Tolvarn"):
        fail("the game-over message is not the window in front")
    keys("-k", "Return")
    try:
        status = proc.wait(timeout=20)
    except subprocess.TimeoutExpired:
        fail("the game still runs after OK")
    if status != 0:
        fail(f"the game ended with status {status} after OK")


if __name__ == "__main__":
    if sys.argv[1] == "--press":
        item = find(game_app(), "menu item", sys.argv[2])
        item.queryAction().doAction(0)
    elif sys.argv[1] == "--screen-reader":
        read_aloud(sys.argv[2])
        print("ok: the field, the clock, the help window and no hidden window, through AT-SPI")
    else:
        play(sys.argv[1], sys.argv[2], int(sys.argv[3]))
        print("ok: balls, clock, keys, help and the end under Wayland; the screen reader's view")
