"""Bad input under Wine: damaged and huge pictures, odd paths, damaged Data.ini files, bad preview handles."""

import functools
import operator
import os
import struct
import subprocess
import unittest
import zlib
from pathlib import Path

from harness import (APPLY, END_TIMEOUT, OK, PICTURE_ERROR_TITLE, RENDER, REPO, WineTestCase, bmp, bmp_pixel, data_ini,
                     disc, make_scene)

NOT, HUGE = "error=not-a-picture", "error=too-large"


def jpeg(width, height, scan=True):
    """A 4:2:0 JPEG in flat grey 128, small at any size: one Huffman code "0" makes every block two zero bits."""
    def segment(marker, body):
        return struct.pack(">BBH", 0xFF, marker, len(body) + 2) + body

    one_code = bytes([1] + [0] * 15) + b"\0"
    head = (b"\xff\xd8" + segment(0xDB, bytes([0] + [1] * 64))
            + segment(0xC0, struct.pack(">BHHB", 8, height, width, 3) + b"\x01\x22\x00\x02\x11\x00\x03\x11\x00")
            + segment(0xC4, b"\x00" + one_code) + segment(0xC4, b"\x10" + one_code)
            + segment(0xDA, b"\x03\x01\x00\x02\x00\x03\x00\x00\x3f\x00"))
    blocks = (width + 15) // 16 * ((height + 15) // 16) * 6
    return head + (bytes((blocks * 2 + 7) // 8) if scan else b"") + b"\xff\xd9"


def wmf(width, height):
    """A placeable metafile of width x height units at 1000 per inch: one red rectangle."""
    records = [struct.pack("<IHhh", 5, 0x020B, 0, 0), struct.pack("<IHhh", 5, 0x020C, height, width),
               struct.pack("<IHHIH", 7, 0x02FC, 0, 0xFF, 0), struct.pack("<IHH", 4, 0x012D, 0),
               struct.pack("<IHhhhh", 7, 0x041B, height, width, 0, 0), struct.pack("<IH", 3, 0)]
    body = b"".join(records)
    placeable = struct.pack("<IHhhhhHI", 0x9AC6CDD7, 0, 0, 0, width, height, 1000, 0)
    checksum = functools.reduce(operator.xor, struct.unpack("<10H", placeable))
    header = struct.pack("<HHHIHIH", 1, 9, 0x0300, 9 + len(body) // 2, 1, 7, 0)
    return placeable + struct.pack("<H", checksum) + header + body


def huge_headers(width, height):
    """Files of each format whose header declares width x height, and hardly anything after it."""
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, 0, 2835, 2835, 0, 0)
    ihdr = b"IHDR" + struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    return {"bmp": struct.pack("<2sIHHI", b"BM", 118, 0, 0, 54) + info + bytes(64),
            "gif": b"GIF89a" + struct.pack("<HHBBB", width, height, 0, 0, 0) + b"," +
                   struct.pack("<HHHHB", 0, 0, width, height, 0) + b"\x02\x02\x44\x01\x00;",
            "jpg": jpeg(width, height, scan=False),
            "png": b"\x89PNG\r\n\x1a\n" + struct.pack(">I", 13) + ihdr + struct.pack(">I", zlib.crc32(ihdr))}


def odd_bmp(width, height, bits, top_down):
    """A 24- or 32-bit bitmap; 32-bit pixels carry a non-zero fourth byte, which GDI ignores."""
    rows = [b"".join(bytes([x * 4, y * 5, x * y % 256, 1 + (x + y) % 255][:bits // 8]) for x in range(width))
            for y in range(height)]
    data = b"".join(row + b"\0" * (-len(row) % 4) for row in (rows if top_down else reversed(rows)))
    info = struct.pack("<IiiHHIIiiII", 40, width, -height if top_down else height, 1, bits, 0, len(data), 0, 0, 0, 0)
    return struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54) + info + data


class BadInputTest(WineTestCase):
    def decode(self, pictures):  # name -> bytes in, name -> "WIDTHxHEIGHT" or an error out
        for name, data in pictures.items():
            (self.pictures / name).write_bytes(data)
        code, output = self.run_program(self.win_exe("render_host"), [
            "decode", "C:\\Gyrafoto\\out.bmp", *(f"C:\\Gyrafoto\\pics\\{name}" for name in pictures)], timeout=120)
        self.assertEqual(code, 0, output)
        return dict(zip(pictures, output.split()))

    def test_damaged_empty_tiny_and_huge_pictures_of_every_format(self):
        source = self.pictures / "source.bmp"
        source.write_bytes(bmp(64, 48, lambda x, y: (x * 4, y * 5, 90)))
        made = {kind: subprocess.run(["convert", str(source), f"{kind}:-"], check=True, capture_output=True).stdout
                for kind in ("png", "gif", "jpg")}
        made.update(bmp=source.read_bytes(), wmf=wmf(1000, 500))
        pictures, expected = {}, {}
        for kind, data in made.items():
            size = "96x48" if kind == "wmf" else "64x48"
            flipped = bytes(b ^ 0x5A if i > len(data) // 3 and i % 7 == 0 else b for i, b in enumerate(data))
            # A BMP has no check on its pixels and a metafile's records draw what they can.
            cases = {"whole": (data, size), "half": (data[:len(data) // 2], NOT), "head": (data[:30], NOT),
                     "empty": (b"", NOT), "flipped": (flipped, size if kind in ("bmp", "wmf") else NOT),
                     "huge": (huge_headers(40000, 40000)[kind], HUGE) if kind != "wmf" else (b"", NOT),
                     "no-width": (huge_headers(0, 480)[kind], NOT) if kind != "wmf" else (wmf(0, 500), NOT)}
            expected.update({f"{case}.{kind}": result for case, (_, result) in cases.items()})
            pictures.update({f"{case}.{kind}": data for case, (data, _) in cases.items()})
        self.assertEqual(self.decode(pictures), expected)

    def test_a_200_megapixel_photo_decodes_in_the_32_bit_build(self):
        self.assertEqual(self.decode({"photo.jpg": jpeg(16384, 12288)}), {"photo.jpg": "4729x3547"})
        self.assertEqual(bmp_pixel((self.install_folder / "out.bmp").read_bytes(), 2364, 1773), (128, 128, 128))

    def test_the_headless_renderer_reads_bitmaps_as_the_rendering_window(self):
        native_build = Path(os.environ.get("GYRAFOTO_NATIVE_BUILD_DIR", REPO / "build" / "native"))
        options, image2 = ["--frames", "8", "--radius", "40"], self.data_path("Image2")
        image2.mkdir(parents=True)
        for bits, top_down in ((32, False), (24, True), (8, False)):
            with self.subTest(bits=bits, top_down=top_down):
                (self.pictures / "絵.bmp").write_bytes(odd_bmp(64, 48, max(bits, 24), top_down))
                if bits == 8:  # ImageMagick writes 8-bit bitmaps run-length compressed
                    subprocess.run(["convert", "絵.bmp", "-type", "palette", "bmp3:絵.bmp"], cwd=self.pictures, check=True)
                (image2 / "PicD_099.bmp.new").write_bytes(b"a frame whose writing was cut short")
                code, output = self.run_program(self.win_exe("render_host"), [
                    "render", "C:\\Gyrafoto\\pics\\絵.bmp", "C:\\ジラフォト\\Image2", *options])
                self.assertIn("rendered=1", output)
                self.assertEqual([p.name for p in image2.iterdir() if p.suffix != ".bmp"], [])
                self.assertEqual(self.run_program(self.win_build / "tools" / "gyrafoto-render.exe", [
                    "C:\\Gyrafoto\\pics\\絵.bmp", f"C:\\ジラフォト\\exe{bits}", *options])[0], 0)
                subprocess.run([native_build / "tools" / "gyrafoto-render", self.pictures / "絵.bmp",
                                self.data_path(f"linux{bits}"), *options], check=True, timeout=END_TIMEOUT,
                               stdout=subprocess.DEVNULL)
                self.assertEqual(self.frames(f"exe{bits}"), self.frames("Image2"))
                self.assertEqual(self.frames(f"linux{bits}"), self.frames("Image2"))

    def test_odd_paths_and_a_huge_picture_through_the_dialog(self):
        folder = self.pictures / "ソ表" / "表示"  # ソ and 表 end in the byte 0x5C
        folder.mkdir(parents=True)
        make_scene(folder / "ソ.bmp")
        (self.pictures / "사진.bmp").write_bytes((folder / "ソ.bmp").read_bytes())
        (self.pictures / "huge.jpg").write_bytes(huge_headers(40000, 40000)["jpg"])
        self.install([], data_ini(frame_count=8))
        self.open_dialog()
        self.browse("C:\\Gyrafoto\\pics\\사진.bmp")  # code page 932 cannot hold it: kept in its short form
        self.wait_for(lambda: self.path_label(), "no path on the label")
        short = self.path_label()
        short.encode("cp932")
        self.assertRegex(short.upper(), r"^C:\\GYRAFOTO\\PICS\\[^\\]+\.BMP$")
        self.wait_enabled(RENDER)
        self.browse("C:\\Gyrafoto\\pics\\huge.jpg")
        self.assertEqual(self.answer_box(PICTURE_ERROR_TITLE),
                         ["この画像は大きすぎて読み込めません。小さい画像を指定してください。"])
        self.assertEqual(self.path_label(), short)
        path = "C:\\Gyrafoto\\pics\\ソ表\\表示\\ソ.bmp"
        self.browse(path)
        self.wait_for(lambda: self.path_label() == path, "the trail-byte path is not taken")
        self.render_to_the_end()
        self.click(OK)
        self.assertEqual(self.wait_exit(self.process), 0)
        self.assertIn(("ｵﾘｼﾞﾅﾙ画像=" + path + "\r\n").encode("cp932"), self.data_path("Data.ini").read_bytes())
        self.open_dialog()  # found again: shown and ready to render
        self.assertEqual(self.path_label(), path)
        self.assertTrue(self.enabled(RENDER))
        self.close_dialog()

    def test_numbers_out_of_range_are_shown_but_the_spinners_render_with_their_design_values(self):
        make_scene(self.pictures / "p.bmp")
        self.install([], data_ini(picture_path="C:\\Gyrafoto\\pics\\p.bmp", frame_count=30000, radius=-5))
        self.open_dialog()
        self.assertEqual([self.text_beside(c, "right") for c in ("ﾌﾚｰﾑ(ｺﾏ）数", "表示画像のｻｲｽﾞ（半径）")], ["30000", "-5"])
        self.render_to_the_end()
        frames = [p.read_bytes() for p in self.data_path("Image2").glob("*.bmp")]
        self.assertEqual({struct.unpack_from("<ii", f, 18) for f in frames}, {(200, 200)})  # radius 100
        self.assertEqual(len(frames), 9)  # 8 a turn, and for this width one more at the turn's end
        self.close_dialog()

    def test_damaged_data_ini_files_open_a_dialog_whose_apply_writes_a_clean_one(self):
        damaged = {"binary garbage": bytes(range(256)) * 40, "UTF-16": "[Section]\r\n移動ﾊﾟﾀｰﾝ=1\r\n".encode("utf-16"),
                   "a 1 MB line, numbers beyond 16 bits": b"[Section]\r\n" + b"9" * 2**20 + b"\r\n" +
                   "\r\n".join(f"{key}=40000" for key in ("ﾌﾚｰﾑ数", "表示画像のｻｲｽﾞ", "速さ")).encode("cp932")}
        for name, data in damaged.items():
            with self.subTest(name):
                self.install([disc(100, (200, 40, 30))], data)
                self.open_dialog()
                self.click("ﾊﾟﾀｰﾝ２", "left")
                self.click("中央", "left")
                self.wait_enabled(APPLY)
                self.click(APPLY)
                self.assertEqual(self.wait_exit(self.process), 0)
                written = self.data_path("Data.ini").read_bytes()
                self.assertIn("[Section]\r\n".encode("cp932"), written)
                self.assertIn("移動ﾊﾟﾀｰﾝ=0\r\n".encode("cp932"), written)

    def test_preview_handles_that_are_no_window_end_at_once(self):
        for args in (["/p"], ["/p", "0"], ["/p", "abc"], ["/p", "-1"], ["/p:4294967296"]):
            with self.subTest(args=args):
                self.assertEqual(self.run_scr(args, timeout=5), 0)
                self.assertEqual(self.windows(), [])
                self.assertFalse(self.data_path().exists())


if __name__ == "__main__":
    unittest.main()
