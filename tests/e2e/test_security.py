"""Planted DLLs never run, missing winmm and gdiplus are done without, the builds keep exploit protections."""

import os
import re
import shutil
import subprocess
import unittest
from pathlib import Path
from unittest import mock

from harness import DISPLAY_TITLE, DRIVE_TIMEOUT, WINDOW_TIMEOUT, WineTestCase, bmp, data_ini, disc

PLANTED = ("winmm.dll", "gdiplus.dll", "mcicda.dll")  # mcicda: loaded by name by winmm, not by the program
PICTURE, FRAME, WHITE = (0, 200, 120), (255, 0, 255), (255, 255, 255)
WINE64 = shutil.which("wine64") or "/usr/lib/wine/wine64"


class SystemDllTest(WineTestCase):  # a downloaded copy with stand-ins for system DLLs beside it

    def setUp(self):
        super().setUp()
        self.folder = self.prefix / "drive_c" / "users" / "Public" / "Downloads"
        self.folder.mkdir(exist_ok=True)
        placed = [self.folder / name for name in ("Gyrafoto.scr", "picture.bmp", "drive.exe") + PLANTED]
        self.addCleanup(lambda: [p.unlink(missing_ok=True) for p in placed + self.markers()])
        placed[1].write_bytes(bmp(200, 150, lambda x, y: PICTURE))
        self.plant(self.win_build)
        # Music on, so winmm and the CD's driver are wanted; the ball at the centre.
        self.install([disc(100, FRAME)], data_ini(picture_path="C:\\users\\Public\\Downloads\\picture.bmp",
                                                  radius=50, music_off=0, motion=0, speed=20))

    def plant(self, build):  # that build's program with its stand-ins, and no marker yet
        for marker in self.markers():
            marker.unlink()
        shutil.copy2(build / "Gyrafoto.scr", self.folder / "Gyrafoto.scr")
        for name in PLANTED:
            shutil.copy2(build / "tests" / "win" / "planted" / name, self.folder / name)

    def markers(self):  # left by a planted DLL that was loaded
        return sorted(self.folder.glob("*.ran"))

    def start_downloaded(self, program, args, load_order, wine="wine"):  # load order of the planted: "n,b" or ""
        overrides = os.environ.get("WINEDLLOVERRIDES", "") + ";winmm,gdiplus,mcicda=" + load_order
        with mock.patch.dict(os.environ, {"WINEDLLOVERRIDES": overrides}):
            return self.start_program(self.folder / program, args, wine=wine)

    def test_a_planted_dll_that_the_system_loads_by_name_runs_without_the_restriction(self):
        shutil.copy2(self.drive_exe, self.folder / "drive.exe")  # a program that does not restrict the search
        self.wait_exit(self.start_downloaded("drive.exe", ["mci", "open cdaudio"], "n,b"))
        self.assertEqual(self.markers(), [self.folder / "mcicda.dll.ran"])

    def test_planted_dlls_never_run_and_missing_system_ones_are_done_without(self):
        # Without gdiplus the saved picture cannot be read: its box stays white.
        for build, order, picture in (("win32", "n,b", PICTURE), ("win32", "", WHITE), ("win64", "n,b", PICTURE)):
            with self.subTest(build=build, load_order=order):
                self.plant(self.win_build.parent / build)
                start = lambda args: self.start_downloaded(  # noqa: E731
                    "Gyrafoto.scr", args, order, WINE64 if build == "win64" else "wine")
                if order:
                    with self.host_window(152, 112) as host:
                        preview = start(["/p", str(host.hwnd)])
                        self.wait_for(lambda: self.children(host.hwnd), "no preview in its host")
                    self.assertEqual(self.wait_exit(preview), 0)

                self.open_dialog(start(["/c"]))
                left, top, right, bottom = self.beside("ｵﾘｼﾞﾅﾙ画像", "right")["rect"]
                middle = ((left + right) // 2, (top + bottom) // 2)
                self.wait_for(lambda: self.capture().pixel(*middle) == picture, f"the picture box is not {picture}")
                self.close_dialog()

                display = start(["/s"])
                self.wait_window(DISPLAY_TITLE)
                width, height = self.screen_size()
                self.wait_for(lambda: self.capture().pixel(width // 2, height // 2) == FRAME, "no frame plays",
                              WINDOW_TIMEOUT)
                self.press("a")
                self.assertEqual(self.wait_exit(display), 0)
                self.assertEqual(self.markers(), [])

    def test_the_stack_guard_is_seeded_afresh_for_each_run(self):
        guards = {self.run_program(self.win_exe("hardening"), ["guard"]) for _ in range(2)}
        self.assertEqual(len(guards), 2, guards)


class ExploitProtectionTest(unittest.TestCase):
    def test_both_builds_keep_aslr_dep_and_the_stack_protector_and_import_no_planted_name(self):
        win32 = Path(os.environ["GYRAFOTO_WIN_BUILD_DIR"]).resolve()
        for folder, flags in ((win32, {"DYNAMIC_BASE", "NX_COMPAT"}),
                              (win32.parent / "win64", {"DYNAMIC_BASE", "NX_COMPAT", "HIGH_ENTROPY_VA"})):
            with self.subTest(build=folder.name):
                self.assertTrue((folder / "Gyrafoto.scr").is_file(), f"build {folder} first")
                headers = subprocess.run(["x86_64-w64-mingw32-objdump", "-p", "-t", str(folder / "Gyrafoto.scr")],
                                         check=True, capture_output=True, text=True, timeout=DRIVE_TIMEOUT).stdout
                self.assertLessEqual(flags, set(headers.split()))
                self.assertIn("__stack_chk_fail", headers)
                self.assertNotRegex(headers, r"\bCrypt\w+", "the guard is seeded by loading crypto DLLs")
                data = (folder / "Gyrafoto.scr").read_bytes()
                manifest = data[data.index(b"<assembly"):data.index(b"</assembly>")].decode()
                self.assertEqual(re.findall(r'level="(\w+)"|<(longPathAware)|(dpiAware)', manifest),
                                 [("asInvoker", "", ""), ("", "longPathAware", "")])
                self.assertEqual(manifest.count("<supportedOS "), 4)  # Windows 7, 8, 8.1 and 10 (11)
                imported = {name.lower() for name in re.findall(r"DLL Name: (\S+)", headers)}
                self.assertFalse(imported & set(PLANTED), imported)


if __name__ == "__main__":
    unittest.main()
