"""Draws the program's globe: the preview picture and the icon's ball."""
import math

from drawing import render

OCEAN = (38, 92, 168)
LAND = (70, 150, 88)
GRID = (150, 196, 230)
LIGHT = (-0.45, -0.55, 0.70)  # towards the viewer, up and to the left (y grows down)

# Continents as blobs on the sphere: (longitude, latitude, angular radius), degrees.
CONTINENT_BLOBS = [
    (-40, 48, 20), (-20, 30, 14), (-50, 25, 12), (-32, 12, 8),    # a western land
    (-22, -12, 10), (-30, -28, 12), (-38, -44, 7),                # its southern neighbour
    (30, 45, 18), (55, 35, 16), (22, 22, 10), (45, 10, 9),        # an eastern land
    (25, -8, 9), (32, -25, 11),                                   # and its southern part
]
TILT = math.radians(20)   # the north pole leans towards the viewer
SPIN = math.radians(10)   # turns the continents a little to the left


def normalised(v):
    length = math.sqrt(sum(c * c for c in v))
    return tuple(c / length for c in v)


LIGHT_DIR = normalised(LIGHT)


def land_weight(lon, lat):
    """Close to 1 inside a continent, fading to 0 across a short coast."""
    # A gentle ripple keeps the coasts from looking like circles.
    ripple = 3.0 * math.sin(math.radians(7 * lon + 2 * lat)) * math.cos(math.radians(5 * lat - 3 * lon))
    best = 0.0
    for blon, blat, radius in CONTINENT_BLOBS:
        a, b = math.radians(lat), math.radians(blat)
        cos_d = (math.sin(a) * math.sin(b) +
                 math.cos(a) * math.cos(b) * math.cos(math.radians(lon - blon)))
        distance = math.degrees(math.acos(max(-1.0, min(1.0, cos_d))))
        best = max(best, min(1.0, max(0.0, (radius + ripple - distance) / 3 + 0.5)))
    return best


def grid_weight(lon, lat, width):
    """Coverage of the latitude/longitude lines every 30 degrees."""
    def near(angle):
        offset = abs((angle + 15) % 30 - 15)
        return max(0.0, 1.0 - offset / width)
    return max(near(lat), near(lon) * math.cos(math.radians(lat)))


def surface_colour(x, y, z, grid_width):
    """Colour of the unlit globe at the unit-sphere point seen at (x, y, z)."""
    # Undo the tilt (about the x axis) and the spin (about the polar axis).
    y2 = y * math.cos(TILT) - z * math.sin(TILT)
    z2 = y * math.sin(TILT) + z * math.cos(TILT)
    lat = math.degrees(math.asin(max(-1.0, min(1.0, -y2))))
    lon = math.degrees(math.atan2(x, z2) + SPIN)
    land = land_weight(lon, lat)
    colour = [o + (l - o) * land for o, l in zip(OCEAN, LAND)]
    if grid_width > 0:
        g = grid_weight(lon, lat, grid_width) * 0.35
        colour = [c + (gc - c) * g for c, gc in zip(colour, GRID)]
    return colour


def lit(colour, x, y, z):
    """Soft diffuse light with a wide highlight; the dark side keeps some ambient."""
    diffuse = max(0.0, x * LIGHT_DIR[0] + y * LIGHT_DIR[1] + z * LIGHT_DIR[2])
    shade = 0.22 + 0.85 * diffuse
    # Highlight: reflection of the light towards the viewer (0, 0, 1).
    half = normalised((LIGHT_DIR[0], LIGHT_DIR[1], LIGHT_DIR[2] + 1))
    specular = max(0.0, x * half[0] + y * half[1] + z * half[2]) ** 24 * 70
    return [min(255.0, c * shade + specular) for c in colour]


def shade_sphere(size, radius, samples=4):
    """A size x size picture of a globe of `radius` in its middle, antialiased at the edge."""
    centre = size / 2
    grid_width = 1.6 * 60 / radius if radius >= 20 else 0  # about a pixel wide

    def colour_at(px, py):
        x, y = (px - centre) / radius, (py - centre) / radius
        rr = x * x + y * y
        if rr >= 1.0:
            return None
        z = math.sqrt(1.0 - rr)
        return tuple(lit(surface_colour(x, y, z, grid_width), x, y, z)) + (1.0,)

    return render(size, size, colour_at, samples)
