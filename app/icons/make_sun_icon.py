#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 The Tolvarn developers
#
# SPDX-License-Identifier: MIT

"""Draw the Tolvarn sun icon and write it as ICO and PNG files.

Everything is computed pixel by pixel from simple geometry (distances and
angles from the centre of the image), so the icon can be remade at any time
with Debian's Python, Pillow (python3-pil) and ImageMagick:

    /usr/bin/python3 app/icons/make_sun_icon.py

Output, written next to this script:
    tolvarn.ico      32x32 and 16x16, 16 colours (4 bpp) with a 1-bit mask
    tolvarn-48.png   48x48 RGBA
    tolvarn-32.png   32x32 RGBA
    tolvarn-16.png   16x16 RGBA

The output is byte-for-byte reproducible.  tolvarn.svg is the same sun
drawn by hand for large sizes; it is not made here.
"""

import math
import os
import subprocess

from PIL import Image

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
# Files


def picture(pixels):
    """The pixels as an RGBA image; a clear pixel is transparent black."""
    size = len(pixels)
    image = Image.new("RGBA", (size, size))
    image.putdata([(0, 0, 0, 0) if c is CLEAR else PALETTE[c] + (255,) for row in pixels for c in row])
    return image


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    suns = {48: draw_big_sun(48), 32: draw_big_sun(32), 16: draw_small_sun(16)}
    for size, pixels in suns.items():
        picture(pixels).save(os.path.join(here, f"tolvarn-{size}.png"), optimize=True)

    # Pillow stores an icon's images as PNG; ImageMagick keeps them 16-colour
    # bitmaps with a transparency mask, as the program's icon has always been.
    subprocess.run(["convert", "tolvarn-32.png", "tolvarn-16.png", "-type", "PaletteAlpha", "tolvarn.ico"],
                   cwd=here, check=True)


if __name__ == "__main__":
    main()
