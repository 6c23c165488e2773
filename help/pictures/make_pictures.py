#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 The Tolvarn developers
#
# SPDX-License-Identifier: MIT

"""Draws the help window's two pictures: the game scene and the arrow keys.

Run with Debian's Python and Pillow (python3-pil):

    /usr/bin/python3 help/pictures/make_pictures.py

Written beside this script: instruction.jpg, 295 x 225 true colour; and
arrow_keys.gif, 112 x 75 with a table of 256 colours: magenta, its one
transparent colour, and every grey but one.
"""

import math
import os

from PIL import Image

HERE = os.path.dirname(os.path.abspath(__file__))

# The game scene.
SCENE_W, SCENE_H = 295, 225
MARGIN = (214, 211, 206)  # around the frame, a light grey like a window
BAR = (192, 192, 192)  # between the frame's two black lines, like the wall bars
WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
OUTER_LINE = 2  # the frame's outer black line, in pixels from the image edge
INNER_LINE = 6  # its inner black line; the white field starts one pixel inside
BALL_RADIUS = 11.0
SUPERSAMPLES = 4  # per pixel and axis, for smooth edges

# Red balls from left to right; the middle one stands a little higher.
RED_BALLS = [
    ((255, 48, 40), (78.0, 70.0)),
    ((204, 0, 0), (147.0, 58.0)),
    ((128, 0, 0), (216.0, 70.0)),
]
GREEN_BALL = ((0, 176, 0), (118.0, 168.0))
STREAK_LENGTH = 52.0

# The arrow keys.
KEYS_W, KEYS_H = 112, 75
KEY = 37  # one key from black line to black line; neighbours share the line
UP_LEFT = (KEYS_W - 38) // 2  # the up key is 38 pixels wide, lines included
LOWER_TOP = 37  # the lower row's top line; it is the up key's bottom line too
TRANSPARENT = (255, 0, 255)
CAP_EDGE = 150  # grey at a key cap's edge ...
CAP_MIDDLE = 255  # ... shading to white in its middle


def clamp(value, low=0.0, high=1.0):
    return max(low, min(high, value))


def smoothstep(value):
    value = clamp(value)
    return value * value * (3.0 - 2.0 * value)


def blend(under, over, alpha):
    return tuple(u + (o - u) * alpha for u, o in zip(under, over))


def coverage(inside, x, y):
    """The share of pixel (x, y) for which inside(px, py) holds."""
    step = 1.0 / SUPERSAMPLES
    hits = 0
    for sy in range(SUPERSAMPLES):
        for sx in range(SUPERSAMPLES):
            if inside(x + (sx + 0.5) * step, y + (sy + 0.5) * step):
                hits += 1
    return hits / (SUPERSAMPLES * SUPERSAMPLES)


# --- The game scene ---------------------------------------------------------


def frame_colour(x, y):
    """The border of the scene: margin, black line, bar, black line, white field."""
    edge = min(x, y, SCENE_W - 1 - x, SCENE_H - 1 - y)
    if edge < OUTER_LINE:
        return MARGIN
    if edge == OUTER_LINE or edge == INNER_LINE:
        return BLACK
    if edge < INNER_LINE:
        return BAR
    return WHITE


def streak_alpha(along, across):
    """How much of a ball's colour a motion streak leaves: `along` runs from the
    ball's centre backwards along its path, `across` is the distance from the path."""
    if along <= 0.0:
        return 0.0
    fade = (1.0 - clamp(along / STREAK_LENGTH)) ** 1.6
    width = BALL_RADIUS * (1.0 - 0.35 * clamp(along / STREAK_LENGTH))
    soft = math.exp(-((across / (0.55 * width)) ** 2))
    return 0.8 * fade * soft


def ball_colour(base, dx, dy):
    """A shaded ball: lit from the upper left, darker towards the lower right."""
    light = clamp(1.0 - math.hypot(dx + 0.4 * BALL_RADIUS, dy + 0.4 * BALL_RADIUS) / (1.5 * BALL_RADIUS))
    shadow = clamp(math.hypot(dx, dy) / BALL_RADIUS)
    shaded = blend(base, BLACK, 0.35 * shadow**2)
    return blend(shaded, WHITE, 0.7 * light**2)


def draw_scene():
    balls = [(colour, centre, (0.0, -1.0)) for colour, centre in RED_BALLS]  # falling: streak above
    balls.append((GREEN_BALL[0], GREEN_BALL[1], (-1.0, 0.0)))  # moving right: streak to the left
    pixels = []
    for y in range(SCENE_H):
        for x in range(SCENE_W):
            colour = frame_colour(x, y)
            if colour != WHITE:
                pixels.append(colour)
                continue
            px, py = x + 0.5, y + 0.5
            for base, (cx, cy), (bx, by) in balls:
                dx, dy = px - cx, py - cy
                along = dx * bx + dy * by
                across = abs(dx * by - dy * bx)
                colour = blend(colour, base, streak_alpha(along, across))
            for base, (cx, cy), _ in balls:
                if math.hypot(x + 0.5 - cx, y + 0.5 - cy) > BALL_RADIUS + 1.5:
                    continue
                # A one-pixel black outline around the shaded ball, as in the game.
                outer = coverage(lambda sx, sy: math.hypot(sx - cx, sy - cy) <= BALL_RADIUS, x, y)
                inner = coverage(lambda sx, sy: math.hypot(sx - cx, sy - cy) <= BALL_RADIUS - 1.0, x, y)
                colour = blend(colour, BLACK, outer)
                colour = blend(colour, ball_colour(base, x + 0.5 - cx, y + 0.5 - cy), inner)
            pixels.append(colour)
    return pixels


# --- The arrow keys ---------------------------------------------------------


def keys():
    """Each key as (left, top, right, bottom) of its black outline, and its direction."""
    lower_bottom = KEYS_H - 1
    return [
        ((UP_LEFT, 0, UP_LEFT + KEY, LOWER_TOP), (0, -1)),
        ((0, LOWER_TOP, KEY, lower_bottom), (-1, 0)),
        ((KEY, LOWER_TOP, 2 * KEY, lower_bottom), (0, 1)),
        ((2 * KEY, LOWER_TOP, 3 * KEY, lower_bottom), (1, 0)),
    ]


def in_triangle(px, py, centre, direction):
    """A solid triangle pointing in direction, 16 pixels across and 9 deep."""
    cx, cy = centre
    dx, dy = direction
    along = (px - cx) * dx + (py - cy) * dy  # towards the tip
    across = abs((px - cx) * dy - (py - cy) * dx)
    depth, half_base = 9.0, 8.0
    t = along + depth / 2.0
    return 0.0 <= t <= depth and across <= half_base * (1.0 - t / depth)


def grey(level):
    # Level 1 is left out of the greys: its place in the colour table is magenta's.
    level = int(round(clamp(level, 0, 255)))
    return (0, 0, 0) if level <= 1 else (level,) * 3


def key_palette():
    return [TRANSPARENT] + [grey(level) for level in range(256) if level != 1]


def draw_keys():
    pixels = []
    for y in range(KEYS_H):
        for x in range(KEYS_W):
            colour = TRANSPARENT
            for (left, top, right, bottom), direction in keys():
                if not (left <= x <= right and top <= y <= bottom):
                    continue
                if x in (left, right) or y in (top, bottom):
                    colour = BLACK
                    break
                # Grey at the cap's edges, white in its middle.
                edge = min(x - left, right - x, y - top, bottom - y)
                colour = (CAP_EDGE + (CAP_MIDDLE - CAP_EDGE) * smoothstep((edge - 1) / 9.0),) * 3
                centre = ((left + right + 1) / 2.0, (top + bottom + 1) / 2.0)
                ink = coverage(lambda sx, sy: in_triangle(sx, sy, centre, direction), x, y)
                colour = grey(blend(colour, BLACK, ink)[0])
                break
            pixels.append(colour)
    return pixels


def main():
    scene = Image.new("RGB", (SCENE_W, SCENE_H))
    scene.putdata([tuple(int(round(clamp(c, 0, 255))) for c in pixel) for pixel in draw_scene()])
    # Colour at full resolution, so the balls' thin edges keep their colour;
    # optimize only makes the file smaller.
    scene.save(os.path.join(HERE, "instruction.jpg"), quality=92, subsampling=0, optimize=True)

    palette = key_palette()
    arrows = Image.new("P", (KEYS_W, KEYS_H))
    arrows.putpalette([c for colour in palette for c in colour])
    arrows.putdata([palette.index(pixel) for pixel in draw_keys()])
    # Without optimize=False Pillow cuts the table down to the colours in use.
    arrows.save(os.path.join(HERE, "arrow_keys.gif"), transparency=palette.index(TRANSPARENT), optimize=False)


if __name__ == "__main__":
    main()
