# SPDX-FileCopyrightText: 2026 The Tolvarn developers
#
# SPDX-License-Identifier: MIT

"""KWin's org_kde_kwin_fake_input, spoken on the Wayland socket directly: the one way to
send KWin real keys and pointer events from outside (no virtual keyboard protocol, no
/dev/uinput here). KWin offers it to clients of its own user when started with
KWIN_WAYLAND_NO_PERMISSION_CHECKS=1."""
import os
import socket
import struct

AUTHENTICATE, POINTER_MOTION_ABSOLUTE, BUTTON, KEYBOARD_KEY = 0, 9, 2, 10
BTN_LEFT = 0x110


class FakeInput:
    def __init__(self):
        path = os.path.join(os.environ["XDG_RUNTIME_DIR"], os.environ["WAYLAND_DISPLAY"])
        self.sock = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self.sock.connect(path)
        self.next_id = 2
        self.buffer = b""
        registry = self.new_id()
        self.send(1, 1, struct.pack("<I", registry))  # wl_display.get_registry
        name = version = None
        for sender, opcode, body in self.roundtrip():
            if sender == registry and opcode == 0:  # wl_registry.global
                length = struct.unpack_from("<I", body, 4)[0]
                interface = body[8:8 + length - 1].decode()
                if interface == "org_kde_kwin_fake_input":
                    name = struct.unpack_from("<I", body, 0)[0]
                    version = struct.unpack_from("<I", body, 8 + (length + 3) // 4 * 4)[0]
        if name is None or version < 4:
            raise RuntimeError("the compositor offers no org_kde_kwin_fake_input (version 4)")
        self.fake = self.new_id()
        self.send(registry, 0, struct.pack("<I", name) + self.string("org_kde_kwin_fake_input")
                  + struct.pack("<II", 4, self.fake))  # wl_registry.bind
        self.send(self.fake, AUTHENTICATE, self.string("Tolvarn's display test") + self.string("plays the game"))
        self.roundtrip()

    def new_id(self):
        self.next_id += 1
        return self.next_id - 1

    @staticmethod
    def string(text):
        data = text.encode() + b"\0"
        return struct.pack("<I", len(data)) + data + b"\0" * (-len(data) % 4)

    def send(self, target, opcode, body=b""):
        self.sock.sendall(struct.pack("<II", target, (8 + len(body)) << 16 | opcode) + body)

    def roundtrip(self):
        """The events until the server has handled every request sent so far."""
        callback = self.new_id()
        self.send(1, 0, struct.pack("<I", callback))  # wl_display.sync
        events = []
        while True:
            while len(self.buffer) < 8 or len(self.buffer) < (struct.unpack_from("<I", self.buffer, 4)[0] >> 16):
                data = self.sock.recv(65536)
                if not data:
                    raise RuntimeError("the compositor closed the connection")
                self.buffer += data
            sender, word = struct.unpack_from("<II", self.buffer)
            size = word >> 16
            body, self.buffer = self.buffer[8:size], self.buffer[size:]
            if sender == 1 and word & 0xffff == 0:  # wl_display.error
                raise RuntimeError(f"Wayland error {body!r}")
            if sender == callback:
                return events
            events.append((sender, word & 0xffff, body))

    def key(self, code, pressed):
        self.send(self.fake, KEYBOARD_KEY, struct.pack("<II", code, 1 if pressed else 0))
        self.roundtrip()

    def move_to(self, x, y):
        self.send(self.fake, POINTER_MOTION_ABSOLUTE, struct.pack("<ii", int(x * 256), int(y * 256)))
        self.roundtrip()

    def button(self, pressed):
        self.send(self.fake, BUTTON, struct.pack("<II", BTN_LEFT, 1 if pressed else 0))
        self.roundtrip()
