#!/usr/bin/env python3
"""Draw the Tolvarn sun icon and write it as ICO and PNG files.

Everything is computed pixel by pixel from simple geometry (distances and
angles from the centre of the image), so the icon can be remade at any time:

    python3 app/icons/make_sun_icon.py

Output, written next to this script:
    tolvarn.ico      32x32 and 16x16, 16 colours (4 bpp) with a 1-bit mask
    tolvarn-48.png   48x48 RGBA
    tolvarn-32.png   32x32 RGBA
    tolvarn-16.png   16x16 RGBA

Only the standard library is used and the output is byte-for-byte
reproducible.
"""

import math
import os
import struct
import zlib

# The standard 16-colour table (index -> RGB).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]

BLACK = 0
OLIVE = 3
YELLOW = 11
WHITE = 15
CLEAR = None  # transparent pixel

# The eight ray directions, clockwise from north (screen y grows downwards).
RAY_ANGLES = [i * math.pi / 4 for i in range(8)]

# Direction the light comes from (upper left); shade faces the other way.
SHADE_DIR = (1.0, 1.15)  # slightly more "down" than "right" to break ties


def _ray_frame(angle):
    """Unit vector along a ray and the unit vector across it."""
    ux, uy = math.sin(angle), -math.cos(angle)
    vx, vy = -uy, ux
    return ux, uy, vx, vy


def _triangle_distance(u, v, base, tip, half_width):
    """Signed distance (negative inside) to a pointed ray.

    The ray is an isosceles triangle along the u axis, with its base
    (width 2 * half_width) at u = base and its point at u = tip.
    """
    length = tip - base
    side = math.hypot(length, half_width)
    # Outward normal of the side edge for v >= 0 is (half_width, length)/side.
    d_side = ((u - tip) * half_width + abs(v) * length) / side
    d_base = base - u
    return max(d_side, d_base)


def _neighbours(grid, x, y, diagonal=False):
    """Labels of the 4 (or 8) neighbours of (x, y); outside counts as None."""
    size = len(grid)
    steps = [(1, 0), (-1, 0), (0, 1), (0, -1)]
    if diagonal:
        steps += [(1, 1), (1, -1), (-1, 1), (-1, -1)]
    out = []
    for dx, dy in steps:
        nx, ny = x + dx, y + dy
        if 0 <= nx < size and 0 <= ny < size:
            out.append(grid[ny][nx])
        else:
            out.append(None)
    return out


def _in_ray(px, py, base, tip, half_width):
    """Which ray (0-7) the point lies in, and its offset across the ray."""
    for i, a in enumerate(RAY_ANGLES):
        ux, uy, vx, vy = _ray_frame(a)
        u = px * ux + py * uy
        if u <= 0:
            continue
        v = px * vx + py * vy
        t = tip[i % 2] if isinstance(tip, tuple) else tip
        if _triangle_distance(u, v, base, t, half_width) <= 0:
            across = v * (vx * SHADE_DIR[0] + vy * SHADE_DIR[1])
            return i, across
    return None, 0.0


def _disc_colour(px, py, s, shade, highlights):
    """Yellow, with olive towards the lower right and white highlights."""
    for hx, hy, hr in highlights:
        if math.hypot(px - hx * s, py - hy * s) <= hr * s:
            return WHITE
    sx, sy, sr = shade
    if math.hypot(px - sx * s, py - sy * s) > sr * s:
        return OLIVE
    return YELLOW


def draw_big_sun(size):
    """The detailed sun: disc, ring and eight rays.

    Sizes are given for the 32 px image and scaled for other sizes.  The
    regions are laid out first; black outlines are then put on the pixels
    where two regions meet, so they stay one pixel wide at any size.
    """
    s = size / 32.0
    c = size / 2.0

    disc_r = 7.4 * s         # yellow disc (its outline included)
    ring_r = 10.4 * s        # white band around it (outline included)
    ray_base = 8.0 * s
    ray_tip = (15.9 * s, 17.6 * s)   # (N/E/S/W, diagonal)
    ray_half = 4.4 * s

    shade = (-2.0, -2.0, 7.3)                   # centre x, y and radius
    highlights = [(-2.7, -2.9, 1.9), (-4.5, 0.5, 0.75)]

    # Lay out the regions.
    grid = []
    extra = []
    for y in range(size):
        row = []
        extra_row = []
        for x in range(size):
            px, py = x + 0.5 - c, y + 0.5 - c
            r = math.hypot(px, py)
            across = 0.0
            if r <= disc_r:
                label = "disc"
            elif r <= ring_r:
                label = "ring"
            else:
                ray, across = _in_ray(px, py, ray_base, ray_tip, ray_half)
                label = "ray" if ray is not None else None
            row.append(label)
            extra_row.append((px, py, across))
        grid.append(row)
        extra.append(extra_row)

    # Colour them, outlining the borders.
    pixels = []
    for y in range(size):
        row = []
        for x in range(size):
            label = grid[y][x]
            px, py, across = extra[y][x]
            near = _neighbours(grid, x, y)
            if label is None:
                colour = CLEAR
            elif label == "disc":
                if "ring" in near:
                    colour = BLACK
                else:
                    colour = _disc_colour(px, py, s, shade, highlights)
            elif label == "ring":
                if "ray" in near or None in near:
                    colour = BLACK
                else:
                    colour = WHITE
            else:  # ray
                if None in near:
                    colour = BLACK
                elif across > 0.01:
                    colour = OLIVE
                else:
                    colour = YELLOW
            row.append(colour)
        pixels.append(row)
    return pixels


def draw_small_sun(size=16):
    """The simplified sun for 16 px: outlined disc and eight ray marks."""
    s = size / 16.0
    c = size / 2.0

    disc_r = 4.7 * s
    mark_r = (6.6 * s, 6.4 * s)   # distance of the ray marks (N/E/S/W, diagonal)
    mark_size = 0.75 * s

    shade = (-1.6, -1.6, 4.6)
    highlights = [(-1.5, -1.5, 1.2)]

    grid = []
    extra = []
    for y in range(size):
        row = []
        extra_row = []
        for x in range(size):
            px, py = x + 0.5 - c, y + 0.5 - c
            label = "disc" if math.hypot(px, py) <= disc_r else None
            for i, a in enumerate(RAY_ANGLES):
                ux, uy, _, _ = _ray_frame(a)
                d = mark_r[i % 2]
                if math.hypot(px - ux * d, py - uy * d) <= mark_size:
                    label = "mark"
            row.append(label)
            extra_row.append((px, py))
        grid.append(row)
        extra.append(extra_row)

    pixels = []
    for y in range(size):
        row = []
        for x in range(size):
            label = grid[y][x]
            px, py = extra[y][x]
            if label == "disc":
                if None in _neighbours(grid, x, y) or "mark" in _neighbours(grid, x, y):
                    colour = BLACK
                else:
                    colour = _disc_colour(px, py, s, shade, highlights)
            elif label == "mark":
                colour = YELLOW
            elif "mark" in _neighbours(grid, x, y):
                colour = BLACK
            else:
                colour = CLEAR
            row.append(colour)
        pixels.append(row)
    return pixels


# --------------------------------------------------------------------------
# File writers


def ico_image(pixels):
    """One 4 bpp BMP (header, palette, XOR bitmap, AND mask) for an ICO."""
    h = len(pixels)
    w = len(pixels[0])
    xor_stride = ((w * 4 + 31) // 32) * 4
    and_stride = ((w + 31) // 32) * 4

    xor_rows = []
    and_rows = []
    for row in reversed(pixels):  # bottom-up
        xb = bytearray(xor_stride)
        ab = bytearray(and_stride)
        for x, colour in enumerate(row):
            index = 0 if colour is CLEAR else colour
            if x % 2 == 0:
                xb[x // 2] |= index << 4
            else:
                xb[x // 2] |= index
            if colour is CLEAR:
                ab[x // 8] |= 0x80 >> (x % 8)
        xor_rows.append(bytes(xb))
        and_rows.append(bytes(ab))
    xor_data = b"".join(xor_rows)
    and_data = b"".join(and_rows)

    header = struct.pack(
        "<IiiHHIIiiII",
        40,              # biSize
        w,               # biWidth
        h * 2,           # biHeight: XOR bitmap + AND mask
        1,               # biPlanes
        4,               # biBitCount
        0,               # biCompression (BI_RGB)
        len(xor_data) + len(and_data),  # biSizeImage
        0, 0,            # resolution
        16,              # biClrUsed
        0,               # biClrImportant
    )
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    return header + palette + xor_data + and_data


def write_ico(path, images):
    count = len(images)
    blobs = [ico_image(p) for p in images]
    out = struct.pack("<HHH", 0, 1, count)
    offset = 6 + 16 * count
    for pixels, blob in zip(images, blobs):
        w = len(pixels[0])
        h = len(pixels)
        out += struct.pack(
            "<BBBBHHII",
            w % 256, h % 256,  # 0 means 256
            16,                # colours in the palette
            0,                 # reserved
            1,                 # planes
            4,                 # bits per pixel
            len(blob),
            offset,
        )
        offset += len(blob)
    out += b"".join(blobs)
    with open(path, "wb") as f:
        f.write(out)


def _png_chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def write_png(path, pixels):
    h = len(pixels)
    w = len(pixels[0])
    raw = bytearray()
    for row in pixels:
        raw.append(0)  # filter: none
        for colour in row:
            if colour is CLEAR:
                raw += b"\x00\x00\x00\x00"
            else:
                r, g, b = PALETTE[colour]
                raw += bytes((r, g, b, 255))
    ihdr = struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0)  # 8-bit RGBA
    data = (b"\x89PNG\r\n\x1a\n"
            + _png_chunk(b"IHDR", ihdr)
            + _png_chunk(b"IDAT", zlib.compress(bytes(raw), 9))
            + _png_chunk(b"IEND", b""))
    with open(path, "wb") as f:
        f.write(data)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    sun32 = draw_big_sun(32)
    sun48 = draw_big_sun(48)
    sun16 = draw_small_sun(16)

    write_ico(os.path.join(here, "tolvarn.ico"), [sun32, sun16])
    write_png(os.path.join(here, "tolvarn-48.png"), sun48)
    write_png(os.path.join(here, "tolvarn-32.png"), sun32)
    write_png(os.path.join(here, "tolvarn-16.png"), sun16)


if __name__ == "__main__":
    main()
