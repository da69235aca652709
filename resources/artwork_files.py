"""Writes pictures (rows of (r, g, b, a) pixels) as Windows BMP, ICO and CUR files."""
import struct


def byte(value):
    return max(0, min(255, int(round(value))))


def bmp_24(rows, background=(0, 0, 0)):
    """A bottom-up 24-bit BMP; each pixel is blended onto `background` by its coverage."""
    height, width = len(rows), len(rows[0])
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            pixels += bytes(byte(c * a + k * (1 - a)) for c, k in zip((b, g, r), background[::-1]))
        pixels += bytes(stride - width * 3)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + pixels


def icon_image(rows):
    """One ICO or CUR entry: a 32-bit BGRA DIB (double height) followed by its AND mask."""
    size = len(rows)
    colour, mask = bytearray(), bytearray()
    mask_stride = ((size + 31) // 32) * 4
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, (r, g, b, a) in enumerate(row):
            colour += bytes((byte(b), byte(g), byte(r), byte(a * 255)))
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    info = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0,
                       len(colour) + len(mask), 0, 0, 0, 0)
    return info + colour + mask


def icon_directory(kind, images, entry_fields):
    """An ICO (kind 1) or CUR (kind 2) file; entry_fields gives the two words of
    each entry that mean planes and bit count in an icon, the hotspot in a cursor."""
    directory = struct.pack('<HHH', 0, kind, len(images))
    offset = 6 + 16 * len(images)
    entries, data = b'', b''
    for rows, (first, second) in zip(images, entry_fields):
        blob = icon_image(rows)
        size = len(rows)
        entries += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, first, second,
                               len(blob), offset + len(data))
        data += blob
    return directory + entries + data


def ico(images):
    """An icon file holding square `images`, smallest first."""
    return icon_directory(1, images, [(1, 32)] * len(images))


def cur(rows, hotspot):
    """A cursor file holding one square image whose click point is `hotspot` (x, y)."""
    return icon_directory(2, [rows], [hotspot])
