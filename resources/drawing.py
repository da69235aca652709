"""Small drawing kit for the artwork: antialiased shapes from distance functions.

A picture is a list of rows of (r, g, b, a) pixels: colour channels 0..255 as
floats, coverage a from 0 (empty) to 1 (solid).
"""
import math


def mix(a, b, t):
    """The colour t of the way from a to b."""
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def render(width, height, colour_at, samples=4):
    """Rows of pixels, each averaged over samples x samples points.

    colour_at(x, y) gets a point in pixel units (the pixel (0, 0) covers
    0..1 x 0..1) and returns (r, g, b, a) or None where nothing is drawn.
    """
    rows = []
    for py in range(height):
        row = []
        for px in range(width):
            total, weight = [0.0, 0.0, 0.0], 0.0
            for sy in range(samples):
                for sx in range(samples):
                    pixel = colour_at(px + (sx + 0.5) / samples, py + (sy + 0.5) / samples)
                    if pixel is None or pixel[3] <= 0:
                        continue
                    total = [t + c * pixel[3] for t, c in zip(total, pixel)]
                    weight += pixel[3]
            if weight:
                row.append(tuple(t / weight for t in total) + (weight / samples ** 2,))
            else:
                row.append((0.0, 0.0, 0.0, 0.0))
        rows.append(row)
    return rows


# Signed distances: negative inside the shape, positive outside, in pixels.

def circle(x, y, cx, cy, radius):
    return math.hypot(x - cx, y - cy) - radius


def capsule(x, y, ax, ay, bx, by, radius):
    """A line from (ax, ay) to (bx, by) with round ends, `radius` thick each side."""
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(x - ax - t * dx, y - ay - t * dy) - radius


def rounded_rect(x, y, left, top, right, bottom, radius):
    """The rectangle left..right x top..bottom with corners rounded by `radius`."""
    qx = abs(x - (left + right) / 2) - ((right - left) / 2 - radius)
    qy = abs(y - (top + bottom) / 2) - ((bottom - top) / 2 - radius)
    outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
    return outside + min(max(qx, qy), 0.0) - radius
