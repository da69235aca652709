"""Picture files for the bad-input tests: damaged ones of every format, headers of huge sizes and
photo-sized JPEGs that are small on disk."""

import struct

from test_render import blank_png, bmp_24bit, placeable_wmf

LEFT_GREY, RIGHT_GREY = 80, 176  # the two halves of big_jpeg


def big_jpeg(width, height):
    """A baseline 4:2:0 JPEG, the left half grey 80 and the right half grey 176. Every 8 x 8 block is
    flat, so the file is about 16 bytes per 1000 pixels, but a decoder still decodes every pixel."""
    def segment(marker, body):
        return struct.pack(">BBH", 0xFF, marker, len(body) + 2) + body

    # The standard Huffman tables (ITU T.81 annex K).
    dc_counts = bytes([0, 1, 5, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0])
    luma_ac_counts = bytes([0, 2, 1, 3, 3, 2, 4, 3, 5, 5, 4, 4, 0, 0, 1, 0x7D])
    chroma_ac_counts = bytes([0, 2, 1, 2, 4, 4, 3, 4, 7, 5, 4, 4, 0, 1, 2, 0x77])
    luma_ac = bytes.fromhex(
        "01020300041105122131410613516107227114328191a1082342b1c11552d1f02433627282090a161718191a25262728292a"
        "3435363738393a434445464748494a535455565758595a636465666768696a737475767778797a838485868788898a929394"
        "95969798999aa2a3a4a5a6a7a8a9aab2b3b4b5b6b7b8b9bac2c3c4c5c6c7c8c9cad2d3d4d5d6d7d8d9dae1e2e3e4e5e6e7e8"
        "e9eaf1f2f3f4f5f6f7f8f9fa")
    chroma_ac = bytes.fromhex(
        "000102031104052131061241510761711322328108144291a1b1c109233352f0156272d10a162434e125f11718191a2627"
        "28292a35363738393a434445464748494a535455565758595a636465666768696a737475767778797a82838485868788898a"
        "92939495969798999aa2a3a4a5a6a7a8a9aab2b3b4b5b6b7b8b9bac2c3c4c5c6c7c8c9cad2d3d4d5d6d7d8d9dae2e3e4e5e6"
        "e7e8e9eaf2f3f4f5f6f7f8f9fa")
    quantisation = bytes([16] + [1] * 63)  # DC steps of 2 grey levels
    header = (b"\xff\xd8" + segment(0xDB, b"\x00" + quantisation) + segment(0xDB, b"\x01" + quantisation)
              + segment(0xC0, struct.pack(">BHHB", 8, height, width, 3) + b"\x01\x22\x00\x02\x11\x01\x03\x11\x01")
              + segment(0xC4, b"\x00" + dc_counts + bytes(range(12))) + segment(0xC4, b"\x10" + luma_ac_counts + luma_ac)
              + segment(0xC4, b"\x01" + dc_counts + bytes(range(12)))
              + segment(0xC4, b"\x11" + chroma_ac_counts + chroma_ac)
              + segment(0xDA, b"\x03\x01\x00\x02\x11\x03\x11\x00\x3f\x00"))

    # A block: its DC difference (category 0 "00"; 5 "110"; 6 "1110", then the bits), then EOB "1010".
    def luma(code):
        return code + "1010"

    flat = luma("00")
    chroma = "0000"  # DC category 0 "00", EOB "00"
    mcu = lambda first: luma(first) + flat * 3 + chroma * 2
    zero = mcu("00")
    lighter, darker = mcu("1110" + format(48, "06b")), mcu("1110" + format(-48 + 63, "06b"))
    to_left = mcu("110" + format(-24 + 31, "05b"))  # from 128 (DC 0) down to the left half's 80
    across, half = (width + 15) // 16, (width + 15) // 32
    row = lambda start: start + zero * (half - 1) + lighter + zero * (across - half - 1)
    bits = row(to_left) + row(darker) * ((height + 15) // 16 - 1)
    bits += "1" * (-len(bits) % 8)
    data = int(bits, 2).to_bytes(len(bits) // 8, "big").replace(b"\xff", b"\xff\x00")
    return header + data + b"\xff\xd9"


def huge_headers(width, height):
    """Files of each format whose header declares width x height, with hardly anything after it."""
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, 0, 2835, 2835, 0, 0)
    bmp = struct.pack("<2sIHHI", b"BM", 54 + 64, 0, 0, 54) + info + bytes(64)
    gif = (b"GIF89a" + struct.pack("<HHBBB", width, height, 0, 0, 0) + b"," + struct.pack("<HHHHB", 0, 0, width, height, 0)
           + b"\x02\x02\x44\x01\x00;")
    jpeg = big_jpeg(16, 16)
    at = jpeg.index(b"\xff\xc0") + 5
    jpeg = jpeg[:at] + struct.pack(">HH", height, width) + jpeg[at + 4:]
    return {"bmp": bmp, "gif": gif, "jpg": jpeg, "png": blank_png(width, height)[:100] if width * height > 10**8
            else blank_png(width, height)}


def damaged(data):
    """Cut in half, cut after the first 30 bytes, and every 7th byte of the last two thirds flipped."""
    flipped = bytearray(data)
    for i in range(len(data) // 3, len(data), 7):
        flipped[i] ^= 0x5A
    return {"half": data[:len(data) // 2], "head": data[:30], "corrupt": bytes(flipped)}


__all__ = ["big_jpeg", "huge_headers", "damaged", "bmp_24bit", "placeable_wmf", "LEFT_GREY", "RIGHT_GREY"]
