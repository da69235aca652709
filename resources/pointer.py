"""Draws the pointer shown over the dialog's clickable controls: a white hand,
outlined in black, pointing up with its index finger.

Drawn pixel by pixel, since a 1 px outline stays crisp only on whole pixels:
'#' outline, 'o' fill, '.' clear.
"""
SIZE = 32
HOTSPOT = (11, 0)  # the tip of the index finger

HAND = """
..........####
.........#oooo#
.........#oooo#
.........#oooo#
.........#oooo#
.........#oooo#
.........#oooo#
.........#oooo#
.........#oooo#####
.........#oooo#oooo#####
.........#oooo#oooo#oooo#
.........#oooo#oooo#oooo####
.........#oooo#oooo#oooo#ooo#
...####..#oooo#oooo#oooo#ooo#
..#oooo#.#oooo#oooo#oooo#ooo#
..#oooo#.#oooo#oooo#oooo#ooo#
...#oooo##ooooooooo#oooo#ooo#
....#ooooooooooooooooooooooo#
.....#oooooooooooooooooooooo#
......#ooooooooooooooooooooo#
.......#oooooooooooooooooooo#
........#ooooooooooooooooooo#
.........#oooooooooooooooooo#
.........#oooooooooooooooooo#
.........#oooooooooooooooooo#
..........#oooooooooooooooo#
..........#oooooooooooooooo#
..........##################
"""
COLOURS = {'#': (0.0, 0.0, 0.0, 1.0), 'o': (255.0, 255.0, 255.0, 1.0)}
SHADOW = (0.0, 0.0, 0.0, 0.3)  # cast one pixel down and to the right


def hand():
    """The SIZE x SIZE pointer picture."""
    lines = HAND.strip('\n').split('\n')
    lines = [line.ljust(SIZE, '.') for line in lines] + ['.' * SIZE] * (SIZE - len(lines))

    def pixel(x, y):
        if lines[y][x] in COLOURS:
            return COLOURS[lines[y][x]]
        if x > 0 and y > 0 and lines[y - 1][x - 1] in COLOURS:
            return SHADOW
        return (0.0, 0.0, 0.0, 0.0)
    return [[pixel(x, y) for x in range(SIZE)] for y in range(SIZE)]
