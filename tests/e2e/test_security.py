"""A DLL planted beside the program never runs, and the built files keep their exploit protections."""

import os
import shutil
import subprocess
import time
import unittest
from pathlib import Path
from unittest import mock

from harness import DRIVE_TIMEOUT, WINDOW_TIMEOUT, WineTestCase

DIALOG_TITLE = "ジラフォトの設定"
DISPLAY_TITLE = "Gyrafoto"
PLANTED = ("winmm.dll", "gdiplus.dll")
PICTURE_COLOUR = (0, 200, 120)
FRAME_COLOUR = (255, 0, 255)
WHITE = (255, 255, 255)


def make_bitmap(path, width, height, rgb):
    subprocess.run(["convert", "-size", f"{width}x{height}", "xc:#{:02x}{:02x}{:02x}".format(*rgb),
                    f"BMP3:{path}"], check=True, timeout=DRIVE_TIMEOUT)


def count_colour(png, rgb, tolerance=8):
    """How many pixels of the PNG are within `tolerance` of the colour."""
    raw = subprocess.run(["convert", str(png), "-depth", "8", "rgb:-"], check=True, capture_output=True,
                         timeout=DRIVE_TIMEOUT).stdout
    return sum(1 for i in range(0, len(raw), 3)
               if all(abs(raw[i + c] - rgb[c]) <= tolerance for c in range(3)))


class PlantedDllTest(WineTestCase):
    """A downloaded copy in C:\\users\\Public\\Downloads with stand-in winmm.dll and gdiplus.dll
    beside it, and Wine made to search for them as Windows does: the program's folder first."""

    def setUp(self):
        super().setUp()
        self.folder = self.prefix / "drive_c" / "users" / "Public" / "Downloads"
        self.folder.mkdir(exist_ok=True)
        self.scr = self.folder / "Gyrafoto.scr"
        self.addCleanup(self.remove_download)
        shutil.copy2(self.scr_build, self.scr)
        for name in PLANTED:
            shutil.copy2(self.win_build / "tests" / "win" / "planted" / name, self.folder / name)
        make_bitmap(self.folder / "picture.bmp", 200, 150, PICTURE_COLOUR)
        for folder in ("Image1", "Image2"):
            self.data_path(folder).mkdir(parents=True)
        make_bitmap(self.data_path("Image1", "PicD_001.bmp"), 100, 100, FRAME_COLOUR)
        # The picture, music on (so WINMM is loaded), the ball at the centre.
        ini = ["[Section]", "ｵﾘｼﾞﾅﾙ画像=C:\\users\\Public\\Downloads\\picture.bmp", "表示画像のｻｲｽﾞ=50",
               "BGM有無=0", "移動ﾊﾟﾀｰﾝ=0", "速さ=20"]
        self.data_path("Data.ini").write_bytes(("\r\n".join(ini) + "\r\n").encode("cp932"))

    def remove_download(self):
        for name in ("Gyrafoto.scr", "picture.bmp") + PLANTED:
            (self.folder / name).unlink(missing_ok=True)
        for marker in self.markers():
            marker.unlink()

    def markers(self):
        return sorted(self.folder.glob("*.ran"))

    def start_downloaded(self, args, load_order="n,b"):
        """Starts the copy with winmm and gdiplus loaded in this order ("" for never)."""
        overrides = os.environ.get("WINEDLLOVERRIDES", "") + ";winmm,gdiplus=" + load_order
        with mock.patch.dict(os.environ, {"WINEDLLOVERRIDES": overrides}):
            return self.start_program(self.scr, args)

    def wait_for_colour(self, name, hwnd, rgb, least):
        """Screenshots of the window until `least` pixels show the colour; the last count."""
        deadline = time.monotonic() + WINDOW_TIMEOUT
        while True:
            found = count_colour(self.screenshot(name, hwnd), rgb)
            if found >= least or time.monotonic() > deadline:
                return found
            time.sleep(0.2)

    def test_no_planted_dll_runs_and_the_program_works(self):
        with self.host_window(152, 112) as host:
            preview = self.start_downloaded(["/p", str(host.hwnd)])
            child = self.drive("waitchild", host.hwnd, WINDOW_TIMEOUT * 1000, check=False,
                               timeout=WINDOW_TIMEOUT + DRIVE_TIMEOUT).split()
            self.assertEqual([path.name for path in self.markers()], [])
            self.assertNotIn(child, ([], ["0"]), "no preview in the host window")
        self.assertEqual(self.wait_exit(preview), 0)

        settings = self.start_downloaded(["/c"])
        dialog = self.wait_window(DIALOG_TITLE)
        self.assertEqual(self.markers(), [])
        # The 100 x 75 preview of the picture, decoded by the system's GDI+.
        self.assertGreater(self.wait_for_colour("dialog", dialog, PICTURE_COLOUR, 5000), 5000)
        self.drive("close", dialog)
        self.assertEqual(self.wait_exit(settings), 0)

        self.start_downloaded(["/s"])
        display = self.wait_window(DISPLAY_TITLE)
        self.assertEqual(self.markers(), [])
        self.assertGreater(self.wait_for_colour("display", display, FRAME_COLOUR, 9000), 9000)

    def test_without_the_system_winmm_and_gdiplus_it_goes_on_without_them(self):
        settings = self.start_downloaded(["/c"], load_order="")
        dialog = self.wait_window(DIALOG_TITLE)
        # Neither the saved picture nor the first frame can be read: both boxes stay white.
        self.assertGreater(self.wait_for_colour("dialog", dialog, WHITE, 15000), 15000)
        shot = self.screenshot("dialog", dialog)
        self.assertEqual([count_colour(shot, colour) for colour in (PICTURE_COLOUR, FRAME_COLOUR)], [0, 0])
        self.drive("close", dialog)
        self.assertEqual(self.wait_exit(settings), 0)

        # Music on, without WINMM: the frames play on.
        self.start_downloaded(["/s"], load_order="")
        display = self.wait_window(DISPLAY_TITLE)
        self.assertGreater(self.wait_for_colour("display", display, FRAME_COLOUR, 9000), 9000)


class ExploitProtectionTest(unittest.TestCase):
    """ASLR, DEP and the stack protector in both builds; winmm and gdiplus are not imported."""

    def test_built_files_keep_their_protections(self):
        win32 = Path(os.environ["GYRAFOTO_WIN_BUILD_DIR"]).resolve()
        builds = {"win32": (win32, {"DYNAMIC_BASE", "NX_COMPAT"}),
                  "win64": (win32.parent / "win64", {"DYNAMIC_BASE", "NX_COMPAT", "HIGH_ENTROPY_VA"})}
        for build, (folder, flags) in builds.items():
            with self.subTest(build=build):
                self.assertTrue((folder / "Gyrafoto.scr").is_file(), f"build {build} first")
                headers = subprocess.run(["x86_64-w64-mingw32-objdump", "-p", "-t", str(folder / "Gyrafoto.scr")],
                                         check=True, capture_output=True, text=True, timeout=DRIVE_TIMEOUT).stdout
                lines = headers.splitlines()
                start = next(i for i, line in enumerate(lines) if line.startswith("DllCharacteristics"))
                shown = set()
                for line in lines[start + 1:]:
                    if not line.startswith("\t\t"):
                        break
                    shown.add(line.strip())
                self.assertLessEqual(flags, shown)
                imported = {line.split()[-1].lower() for line in lines if "DLL Name:" in line}
                self.assertFalse(imported & set(PLANTED), imported)
                self.assertIn("__stack_chk_fail", headers)


if __name__ == "__main__":
    unittest.main()
