"""Draws the settings dialog's artwork: the panels' paper, header bar, button
faces and the option and check marks.

One quiet look: warm paper behind black captions, pale blue headers and dark
blue marks that take up the globe's ocean colour.
"""
import math
import random

from drawing import capsule, circle, mix, render, rounded_rect

PAPER = (236, 232, 222)       # the panels' mean colour; marks and corners sit on it
INK = (38, 92, 168)           # the globe's ocean: header accent, chosen marks
FRAME = (112, 122, 138)       # outlines of buttons and marks
WHITE = (255, 255, 255)

TILE_WIDTH, TILE_HEIGHT = 602, 24
BAR_WIDTH, BAR_HEIGHT = 95, 22


def fibres(rng, count):
    """Brightness offsets of thin, mostly level paper fibres, wrapped round the tile."""
    grid = [[0.0] * TILE_WIDTH for _ in range(TILE_HEIGHT)]
    for _ in range(count):
        x, y = rng.uniform(0, TILE_WIDTH), rng.uniform(0, TILE_HEIGHT)
        angle, bend = rng.gauss(0, 0.12), rng.gauss(0, 0.01)
        strength = rng.choice((7.0, 7.0, -4.0)) * rng.uniform(0.5, 1.0)
        steps = int(rng.uniform(6, 26) / 0.25)
        for _ in range(steps):
            # Spread each step over the four nearest pixels.
            ix, iy = math.floor(x - 0.5), math.floor(y - 0.5)
            fx, fy = x - 0.5 - ix, y - 0.5 - iy
            for dx, dy, w in ((0, 0, (1 - fx) * (1 - fy)), (1, 0, fx * (1 - fy)),
                              (0, 1, (1 - fx) * fy), (1, 1, fx * fy)):
                cell = grid[(iy + dy) % TILE_HEIGHT]
                cell[(ix + dx) % TILE_WIDTH] += strength * w * 0.25
            x, y = x + 0.25 * math.cos(angle), y + 0.25 * math.sin(angle)
            angle += bend * 0.25
    return grid


def tile_strip(seed=7):
    """The panels' background: plain paper with a fine grain and faint fibres.

    The strip repeats every 24 rows down a panel, so anything tall would show
    as a pattern: the fibres lie nearly level. Every fibre wraps round both
    edges, so the strip tiles without seams.
    """
    rng = random.Random(seed)
    fibre = fibres(rng, 220)
    rows = []
    for y in range(TILE_HEIGHT):
        row = []
        for x in range(TILE_WIDTH):
            shift = rng.uniform(-1.5, 1.5) + fibre[y][x]
            row.append(tuple(c + shift for c in PAPER) + (1.0,))
        rows.append(row)
    return rows


def outlined(d, fill, line):
    """The colour at signed distance d of a shape with a 1 px outline, or None outside."""
    if d > 0:
        return None
    return line + (1.0,) if d > -1 else fill + (1.0,)


def header_bar():
    """A pale blue tab with rounded top corners and a blue line along its foot."""
    top, bottom = (226, 234, 245), (201, 215, 234)

    def colour_at(x, y):
        d = rounded_rect(x, y, 0, 0, BAR_WIDTH, BAR_HEIGHT + 4, 4)  # round only at the top
        if y > BAR_HEIGHT - 2:
            return INK + (1.0,) if d <= 0 else None
        return outlined(d, mix(top, bottom, y / BAR_HEIGHT), (150, 168, 196))
    return render(BAR_WIDTH, BAR_HEIGHT, colour_at)


def button_face(down):
    """A push button, up (raised, light at the top) or held down (darker, shaded at the top)."""
    if down:
        top, bottom, line = (196, 205, 219), (222, 228, 237), (82, 96, 120)
        upper_rim, lower_rim = (160, 170, 186), (232, 236, 242)
    else:
        top, bottom, line = (252, 251, 248), (224, 221, 212), FRAME
        upper_rim, lower_rim = WHITE, (204, 200, 190)

    def colour_at(x, y):
        d = rounded_rect(x, y, 0, 0, BAR_WIDTH, BAR_HEIGHT, 3)
        face = mix(top, bottom, y / BAR_HEIGHT)
        if -2 < d <= -1:  # the rim just inside the outline, lit or shaded from above
            face = upper_rim if y < BAR_HEIGHT - 2 and x < BAR_WIDTH - 2 else lower_rim
        return outlined(d, face, line)
    return render(BAR_WIDTH, BAR_HEIGHT, colour_at)


def sunken_well(d, y, size):
    """The white inside of a mark, a little shaded towards the top like a hollow."""
    return outlined(d, mix((226, 229, 234), WHITE, min(1.0, y / (size * 0.6))), FRAME)


def option_mark(on):
    """A 13 x 13 round option mark; the chosen one holds a blue dot."""
    def colour_at(x, y):
        well = sunken_well(circle(x, y, 6.5, 6.5, 6.3), y, 13)
        if on and well is not None:
            if circle(x, y, 6.5, 6.5, 3.2) <= 0:  # the dot, lit from the top left like the globe
                glint = max(0.0, 1 - math.hypot(x - 5.6, y - 5.4) / 2.2)
                return mix(INK, (96, 146, 214), glint) + (1.0,)
        return well
    return render(13, 13, colour_at)


def check_mark(on):
    """An 11 x 11 square check mark; when on it holds a blue tick."""
    def colour_at(x, y):
        box = sunken_well(rounded_rect(x, y, 0, 0, 11, 11, 1.2), y, 11)
        if not on or box is None:
            return box
        tick = min(capsule(x, y, 2.6, 5.6, 4.6, 7.8, 0.95), capsule(x, y, 4.6, 7.8, 8.6, 3.0, 0.95))
        return INK + (1.0,) if tick <= 0 else box
    return render(11, 11, colour_at)
