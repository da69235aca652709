"""Photos of today under Wine: upright by their EXIF orientation, formats only WIC decodes."""

import struct
import subprocess
import unittest

from harness import PICTURE_ERROR_TITLE, WineTestCase, make_scene


def with_orientation(jpeg, value):
    """The JPEG with an Exif block (big-endian TIFF) holding only the orientation tag, right after SOI."""
    exif = b"Exif\0\0MM\0*" + struct.pack(">IHHHIHHI", 8, 1, 274, 3, 1, value, 0, 0)
    return jpeg[:2] + struct.pack(">BBH", 0xFF, 0xE1, len(exif) + 2) + exif + jpeg[2:]


class PhotosTest(WineTestCase):
    def convert(self, source, target, *options):
        subprocess.run(["convert", source, *options, target], cwd=self.pictures, check=True, timeout=30)

    def render(self, name):  # the frames rendered from pics\<name> into C:\ジラフォト\<name>
        self.data_path(name).mkdir(parents=True)
        self.assertIn("rendered=1", self.run_program(self.win_exe("render_host"), [
            "render", f"C:\\Gyrafoto\\pics\\{name}", f"C:\\ジラフォト\\{name}", "--frames", "8", "--radius", "40",
            "--stretch"])[1])
        return list(self.frames(name).values())

    def test_a_photo_tagged_with_its_orientation_renders_as_the_upright_picture(self):
        make_scene(self.pictures / "scene.bmp")
        self.convert("scene.bmp", "stored.jpg")
        self.assertEqual(self.run_program(self.win_exe("render_host"), [
            "decode", "C:\\Gyrafoto\\pics\\decoded.bmp", "C:\\Gyrafoto\\pics\\stored.jpg"])[0], 0)
        # What each tag asks for, in ImageMagick's words; turning the decoded bitmap loses nothing.
        for value, turn in ((2, "-flop"), (3, "-rotate 180"), (6, "-rotate 90"), (8, "-rotate 270"), (5, "-transpose")):
            with self.subTest(orientation=value):
                (self.pictures / f"tagged{value}.jpg").write_bytes(
                    with_orientation((self.pictures / "stored.jpg").read_bytes(), value))
                self.convert("decoded.bmp", f"BMP3:upright{value}.bmp", *turn.split())
                self.assertEqual(self.render(f"tagged{value}.jpg"), self.render(f"upright{value}.bmp"))

    def test_formats_only_wic_decodes_and_codecs_this_windows_lacks(self):
        make_scene(self.pictures / "scene.bmp")
        for name, options in (("scene.tif", []), ("scene.ico", ["-resize", "256x192"]), ("scene.webp", [])):
            self.convert("scene.bmp", name, *options)
        for brand in ("heic", "avif"):
            (self.pictures / f"phone.{brand}").write_bytes(struct.pack(">I", 24) + b"ftyp" + brand.encode() +
                                                           bytes(4) + b"mif1" + brand.encode() + bytes(64))
        (self.pictures / "cut.tif").write_bytes((self.pictures / "scene.tif").read_bytes()[:5000])
        expected = {"scene.tif": "640x480", "scene.ico": "256x192", "scene.webp": "error=no-decoder:WebP",
                    "phone.heic": "error=no-decoder:HEIC", "phone.avif": "error=no-decoder:AVIF",
                    "cut.tif": "error=not-a-picture"}
        _, output = self.run_program(self.win_exe("render_host"), [
            "decode", "C:\\Gyrafoto\\out.bmp", *(f"C:\\Gyrafoto\\pics\\{name}" for name in expected)])
        self.assertEqual(dict(zip(expected, output.split())), expected)
        self.assertEqual(self.render("scene.tif"), self.render("scene.bmp"))

        self.install()  # a WebP chosen in the dialog
        self.open_dialog()
        self.browse("C:\\Gyrafoto\\pics\\scene.webp")
        self.assertEqual(self.answer_box(PICTURE_ERROR_TITLE), [
            "この画像ﾌｧｲﾙ(WebP)を読み込む機能がこのWindowsにありません。拡張機能を入れるか、別の画像を指定してください。"])
        self.close_dialog()

if __name__ == "__main__":
    unittest.main()
