"""Bad pictures under Wine: damaged files of every format, empty and 1 x 1 ones, headers of 40000 x 40000
pixels, photos of 50 to 200 megapixels in the 32-bit build, a folder named like a picture, a locked
file, a path of 254 characters and folders named with Shift-JIS trail bytes (ソ and 表 end in 0x5C)."""

import select
import subprocess
import sys
import time
import unittest

from big_pictures import LEFT_GREY, RIGHT_GREY, big_jpeg, bmp_24bit, damaged, huge_headers, placeable_wmf
from harness import DRIVE_TIMEOUT, WINDOW_TIMEOUT
from test_dialog import PICTURE_ERROR_TITLE, UNREADABLE_TEXT
from test_render import NOT_A_PICTURE, TOO_LARGE, RenderWindowTest, frame_names, pattern, read_bmp
from test_road import RoadTest

DIALOG_TOO_LARGE = "この画像は大きすぎて読み込めません。小さい画像を指定してください。"
NOT = "error=not-a-picture"
HUGE = "error=too-large"


def report(line):
    print(line, file=sys.stderr, flush=True)


def peak_kb(pid):
    """VmHWM (the peak resident memory) of a Linux process, or None once it has gone."""
    try:
        with open(f"/proc/{pid}/status") as status:
            for line in status:
                if line.startswith("VmHWM:"):
                    return int(line.split()[1])
    except OSError:
        return None
    return None


def load_tests(loader, tests, pattern_):
    suite = unittest.TestSuite()
    for case in (BadPictureTest, BadPictureDialogTest):
        suite.addTests(case(name) for name in loader.getTestCaseNames(case) if name in vars(case))
    return suite


class BadPictureTest(RenderWindowTest):
    """The picture decoding and the rendering window, through render_host.exe."""

    def formats(self):
        """name -> bytes of a 64 x 48 picture in each format (a 384 x 192 metafile)."""
        source = self.pictures / "source.bmp"
        source.write_bytes(bmp_24bit(64, 48, pattern))
        made = {"bmp": source.read_bytes(), "wmf": placeable_wmf()}
        for kind, options in (("png", ()), ("gif", ()), ("jpg", ("-quality", "90"))):
            made[kind] = subprocess.run(["convert", str(source), *options, f"{kind}:-"], check=True,
                                        capture_output=True, timeout=DRIVE_TIMEOUT).stdout
        one = {kind: subprocess.run(["convert", "-size", "1x1", "xc:red", f"{kind}:-"], check=True,
                                    capture_output=True, timeout=DRIVE_TIMEOUT).stdout
               for kind in ("bmp3", "png", "gif", "jpg")}
        source.unlink()
        return made, one

    def decode(self, name, data):
        """render_host's answer for the picture: "WIDTHxHEIGHT" or an error line."""
        exit_code, output = self.run_program(
            self.render_host, ["decode", self.picture(name, data), self.windows_path(self.pictures / "out.bmp")])
        self.assertEqual(exit_code, 0 if "x" in output else 1, output)
        return output.strip()

    def test_damaged_empty_tiny_and_huge_pictures_of_every_format(self):
        made, one = self.formats()
        expected = {}
        for kind, data in made.items():
            size = "384x192" if kind == "wmf" else "64x48"
            for damage, broken in damaged(data).items():
                # A BMP has no check on its pixels and a metafile's records draw what they can: flipped
                # bytes give other pixels. Everything cut short is refused.
                expected[f"{damage}.{kind}"] = (broken, size if damage == "corrupt" and kind in ("bmp", "wmf")
                                                else NOT)
        for kind, data in one.items():
            expected[f"one.{kind.rstrip('3')}"] = (data, "1x1")
        for kind, data in huge_headers(40000, 40000).items():
            expected[f"huge.{kind}"] = (data, HUGE)
        for kind, data in huge_headers(0, 480).items():
            expected[f"no-width.{kind}"] = (data, NOT)
        expected["empty.bmp"] = (b"", NOT)
        expected["empty.jpg"] = (b"", NOT)
        for name, (data, outcome) in expected.items():
            with self.subTest(name=name):
                self.assertEqual(self.decode(name, data), outcome)

    def test_the_rendering_window_refuses_bad_pictures_and_keeps_the_frames(self):
        before = self.fill_image2()
        made, one = self.formats()
        cases = {"half.jpg": (damaged(made["jpg"])["half"], NOT_A_PICTURE),
                 "head.wmf": (damaged(made["wmf"])["head"], NOT_A_PICTURE),
                 "empty.png": (b"", NOT_A_PICTURE),
                 "huge.jpg": (huge_headers(40000, 40000)["jpg"], TOO_LARGE),
                 "huge.gif": (huge_headers(40000, 40000)["gif"], TOO_LARGE)}
        for name, (data, message) in cases.items():
            with self.subTest(name=name):
                process = self.start_render(self.picture(name, data))
                self.answer_error_box(message)
                self.assertEqual(self.finish(process)["Render_Done"], "0")
                self.assertEqual(self.folder_contents(self.image2), before)
        (self.image2 / "memo.txt").unlink()
        for kind, data in one.items():
            with self.subTest(name=f"one.{kind}"):
                self.assertEqual(self.render(self.picture(f"one.{kind.rstrip('3')}", data))["Render_Done"], "1")
                self.assert_frame_files(67)

    def test_photos_of_50_to_200_megapixels_decode_scaled_down_in_the_32_bit_build(self):
        cases = {(8192, 6144): "4729x3547", (12000, 8000): "5016x3344", (16384, 12288): "4729x3547"}
        for (width, height), scaled in cases.items():
            with self.subTest(megapixels=width * height // 10**6):
                path = self.picture(f"photo{width}.jpg", big_jpeg(width, height))
                out = self.pictures / "out.bmp"
                started = time.monotonic()
                process = self.start_program(self.render_host, ["decode", path, self.windows_path(out)],
                                             stdout=subprocess.PIPE)
                peak = 0
                while process.poll() is None:
                    peak = max(peak, peak_kb(process.pid) or 0)
                    time.sleep(0.05)
                output = process.stdout.read().decode().strip()
                report(f"{width} x {height} JPEG ({width * height / 1e6:.0f} MP): {output} in "
                       f"{time.monotonic() - started:.1f} s, peak resident {peak // 1024} MB")
                self.assertEqual((process.returncode, output), (0, scaled))
                decoded_width, decoded_height, rows = read_bmp(out.read_bytes())
                middle = rows[decoded_height // 2]
                self.assertEqual((middle[10], middle[-10]), ((LEFT_GREY,) * 3, (RIGHT_GREY,) * 3))
                out.unlink()
                (self.pictures / f"photo{width}.jpg").unlink()

    def test_a_200_megapixel_photo_renders(self):
        process = self.start_render(self.picture("photo.jpg", big_jpeg(16384, 12288)))
        self.assertEqual(self.finish(process)["Render_Done"], "1")
        self.assert_frame_files(67)  # a 4 : 3 picture, as the 640 x 480 ones of test_render

    def test_awkward_files_and_paths(self):
        picture = bmp_24bit(64, 48, pattern)
        (self.pictures / "folder.bmp").mkdir()
        self.assertEqual(self.decode_path(self.windows_path(self.pictures / "folder.bmp")), NOT)

        self.picture("locked.bmp", picture)
        locker = self.start_program(self.win_exe("hardening"), ["lock", self.windows_path(self.pictures / "locked.bmp")],
                                    stdin=subprocess.PIPE, stdout=subprocess.PIPE)
        ready, _, _ = select.select([locker.stdout], [], [], WINDOW_TIMEOUT)
        self.assertTrue(ready and locker.stdout.readline().strip() == b"locked")
        self.assertEqual(self.decode_path(self.windows_path(self.pictures / "locked.bmp")), NOT)
        locker.stdin.close()
        self.assertEqual(self.wait_exit(locker), 0)
        self.assertEqual(self.decode_path(self.windows_path(self.pictures / "locked.bmp")), "64x48")

        for folder in ("ソ表", "ソ\\表", "表示画像", "ﾃｽﾄ"):
            with self.subTest(folder=folder):
                (self.pictures / folder.replace("\\", "/")).mkdir(parents=True, exist_ok=True)
                path = self.pictures / folder.replace("\\", "/") / "絵ソ.bmp"
                path.write_bytes(picture)
                self.assertEqual(self.decode_path(self.windows_path(path)), "64x48")
                self.assertEqual(self.render(self.windows_path(path))["Render_Done"], "1")

        # 254 characters in all: C:\Gyrafoto\写真\ then folders of 50, then the file name.
        base = self.windows_path(self.pictures) + "\\"
        folders = ["a" * 49, "b" * 49, "c" * 49]
        name_length = 254 - len(base) - sum(len(f) + 1 for f in folders)
        long_path = base + "\\".join(folders) + "\\" + "d" * (name_length - 4) + ".bmp"
        self.assertEqual(len(long_path), 254)
        target = self.pictures.joinpath(*folders)
        target.mkdir(parents=True)
        (target / ("d" * (name_length - 4) + ".bmp")).write_bytes(picture)
        self.assertEqual(self.decode_path(long_path), "64x48")
        self.assertEqual(self.render(long_path)["Render_Done"], "1")

    def decode_path(self, windows_path):
        exit_code, output = self.run_program(
            self.render_host, ["decode", windows_path, self.windows_path(self.install_folder / "out.bmp")])
        return output.strip()


class BadPictureDialogTest(RoadTest):
    """The dialog's picture choice, through the real open-file dialog."""

    def test_the_dialog_takes_a_200_megapixel_photo_and_refuses_a_huge_header(self):
        (self.pictures / "photo.jpg").write_bytes(big_jpeg(16384, 12288))
        (self.pictures / "huge.jpg").write_bytes(huge_headers(40000, 40000)["jpg"])
        self.open_dialog()
        self.browse("C:\\Gyrafoto\\pics\\photo.jpg")
        self.wait_for(lambda: self.path_label()["title"] == "C:\\Gyrafoto\\pics\\photo.jpg", "no photo taken",
                      timeout=60)
        self.assert_preview((100, 75), (LEFT_GREY,) * 3, (RIGHT_GREY,) * 3)
        self.browse("C:\\Gyrafoto\\pics\\huge.jpg")
        box = self.wait_window(PICTURE_ERROR_TITLE)
        self.assertEqual(self.window_texts(box), [PICTURE_ERROR_TITLE, DIALOG_TOO_LARGE])
        self.drive("button", box, 1)
        self.wait_gone(PICTURE_ERROR_TITLE)
        self.assertEqual(self.path_label()["title"], "C:\\Gyrafoto\\pics\\photo.jpg")
        self.close_dialog()

    def test_a_picture_in_folders_named_with_trail_bytes_is_saved_and_found_again(self):
        folder = self.pictures / "ソ表" / "表示"
        folder.mkdir(parents=True)
        (folder / "ソ.jpg").write_bytes((self.pictures / "hills.jpg").read_bytes())
        path = "C:\\Gyrafoto\\pics\\ソ表\\表示\\ソ.jpg"
        self.save_settings(Flame_Count=8)
        self.open_dialog()
        self.browse(path)
        self.wait_for(lambda: self.path_label()["title"] == path, "the path is not taken")
        self.render_to_the_end()
        self.click_button("設定")
        self.assertEqual(self.wait_exit(self.process), 0)
        self.assertIn(("ｵﾘｼﾞﾅﾙ画像=" + path + "\r\n").encode("cp932"), self.data_path("Data.ini").read_bytes())
        self.open_dialog()
        self.assertEqual(self.path_label()["title"], path)
        self.assertTrue(self.enabled(self.button("ﾚﾝﾀﾞﾘﾝｸﾞ...")))
        self.close_dialog()


if __name__ == "__main__":
    unittest.main()
