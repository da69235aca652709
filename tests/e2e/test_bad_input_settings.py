"""Damaged and out-of-range Data.ini files under Wine: the program starts on each, the dialog is usable
and writes back a file that reads back, and numbers out of range reach the display and the rendering
without a crash or a hang."""

import time
import unittest

from test_dialog import KEYS
from test_display import disc_frame
from test_road import PROPORTION_TITLE, RENDER_CAPTION, RoadTest

APPLY, OK, RENDER = "適用", "設定", "ﾚﾝﾀﾞﾘﾝｸﾞ..."
RENDER_ERROR_TITLE = "ﾚﾝﾀﾞﾘﾝｸﾞｴﾗｰ"
NAMES = list(KEYS)
NUMBERS = [name for name in NAMES if name != "Orgn_Path"]


def ini_text(*lines):
    return ("\r\n".join(lines) + "\r\n").encode("cp932")


def every_number(value):
    return [f"{KEYS[name]}={value}" for name in NUMBERS]


DAMAGED = {
    "binary garbage": bytes(range(256)) * 40,
    "NUL bytes only": b"\0" * 4096,
    "NUL in the section name": b"[Sec\0tion]\r\n" + ini_text("移動ﾊﾟﾀｰﾝ=1"),
    "NUL inside numbers": ini_text("[Section]") + "速さ=5\0 0\r\nﾌﾚｰﾑ数=\0".encode("cp932"),
    "a 1 MB line": ini_text("[Section]") + "速さ=".encode("cp932") + b"9" * 1048576 + b"\r\n"
                   + b"x" * 1048576 + b"\r\n" + ini_text("回転ﾊﾟﾀｰﾝ=1"),
    "UTF-8 with a byte-order mark": "\ufeff[Section]\r\n移動ﾊﾟﾀｰﾝ=1\r\n速さ=50\r\n".encode("utf-8"),
    "UTF-8": "[Section]\r\n移動ﾊﾟﾀｰﾝ=1\r\n".encode("utf-8"),
    "UTF-16": "[Section]\r\n移動ﾊﾟﾀｰﾝ=1\r\n".encode("utf-16"),
    "duplicate sections and keys": ini_text("[Section]", "移動ﾊﾟﾀｰﾝ=1", "移動ﾊﾟﾀｰﾝ=0", "[SECTION]", "移動ﾊﾟﾀｰﾝ=2"),
    "every number -5": ini_text("[Section]", *every_number(-5)),
    "every number 0": ini_text("[Section]", *every_number(0)),
    "every number 7": ini_text("[Section]", *every_number(7)),
    "every number 30000": ini_text("[Section]", *every_number(30000)),
    "every number 40000 (beyond 16 bits)": ini_text("[Section]", *every_number(40000)),
    "every number -32768": ini_text("[Section]", *every_number(-32768)),
}


def first_section(data):
    """key -> value of the first [Section] (ASCII case ignored), as Windows reads the file; the first
    of duplicate keys counts."""
    found, values = False, {}
    for line in data.split(b"\n"):
        line = line.rstrip(b"\r").strip()
        if line.startswith(b"["):
            if found:
                break
            found = line.split(b"]")[0][1:].strip().lower() == b"section"
        elif found and b"=" in line:
            key, value = line.split(b"=", 1)
            values.setdefault(key.strip().decode("cp932", "replace"), value.strip().decode("cp932", "replace"))
    return values if found else None


def load_tests(loader, tests, pattern):
    names = [name for name in loader.getTestCaseNames(BadSettingsTest) if name in vars(BadSettingsTest)]
    return unittest.TestSuite(BadSettingsTest(name) for name in names)


class BadSettingsTest(RoadTest):
    def install_frames(self):
        for folder in ("Image1", "Image2"):
            self.data_path(folder).mkdir(parents=True, exist_ok=True)
        for number, colour in enumerate([(200, 40, 30), (30, 160, 60), (40, 60, 200)], 1):
            self.data_path("Image1", f"PicD_{number:03d}.bmp").write_bytes(disc_frame(100, colour))

    def test_the_dialog_opens_on_every_damaged_file_and_applies_a_clean_one(self):
        for name, data in DAMAGED.items():
            with self.subTest(damage=name):
                self.install_frames()
                self.data_path("Data.ini").write_bytes(data)
                self.open_dialog()
                self.click_mark("Move_Ptn", 2)
                self.wait_enabled(APPLY)
                self.click_button(APPLY)
                self.assertEqual(self.wait_exit(self.process), 0)
                written = self.data_path("Data.ini").read_bytes()
                section = first_section(written)
                self.assertIsNotNone(section, "no [Section] after Apply")
                self.assertEqual(section.get(KEYS["Move_Ptn"]), "2", section)
                # The next start reads what Apply wrote.
                self.open_dialog()
                self.assertEqual(self.chosen_marks("Move_Ptn"), [2])
                self.close_dialog()
                self.assertEqual(self.data_path("Data.ini").read_bytes(), written)

    def test_the_screensaver_plays_and_ends_with_numbers_out_of_range(self):
        self.install_frames()
        cases = {"radius -5": dict(Disp_Size=-5), "radius 0": dict(Disp_Size=0),
                 "radius 30000": dict(Disp_Size=30000), "speed -5": dict(Speed=-5), "speed 0": dict(Speed=0),
                 "speed 30000": dict(Speed=30000), "pattern 7": dict(Move_Ptn=7, Kaiten_Ptn=7),
                 "pattern -1": dict(Move_Ptn=-1, Kaiten_Ptn=-1), "music 7": dict(BGM_Sel=7, BGM_Rep=7)}
        for name, numbers in cases.items():
            with self.subTest(case=name):
                settings = {"Disp_Size": 50, "BGM_Sel": 1, "Move_Ptn": 1, "Speed": 10, **numbers}
                self.data_path("Data.ini").write_bytes(ini_text("[Section]", *(
                    f"{KEYS[key]}={value}" for key, value in settings.items())))
                process = self.start(["/s"])
                display = self.wait_window("Gyrafoto")
                time.sleep(0.5)
                self.assertIsNone(process.poll(), "the screensaver ended by itself")
                self.drive("click", display)
                self.assertEqual(self.wait_exit(process, timeout=5), 0)

    def test_rendering_with_stored_numbers_out_of_range_is_refused_or_done(self):
        # Spinners keep their design values (8 frames, radius 100) for numbers outside their range, and
        # a run of 8 frames writes 9; a band outside the picture is refused before anything is deleted.
        outside = ["ﾄﾘﾐﾝｸﾞの位置が画像の外にあります。"]
        cases = {"frames 30000, radius 30000": (dict(Flame_Count=30000, Disp_Size=30000), "9 frames rendered"),
                 "frames 0, radius -5": (dict(Flame_Count=0, Disp_Size=-5), "9 frames rendered"),
                 "trimming beyond the picture": (dict(Trim_On=1, Trim_Y=30000), outside),
                 "trimming above the picture": (dict(Trim_On=1, Trim_Y=-5), outside)}
        for name, (numbers, outcome) in cases.items():
            with self.subTest(case=name):
                self.save_settings(Orgn_Path=self.scene, **numbers)
                self.open_dialog()
                started = time.time()
                self.click_button(RENDER)
                self.wait_for(lambda: self.rendering_over(started), "the rendering neither ended nor was refused",
                              timeout=60)
                self.assertEqual(self.outcome, outcome)
                self.assert_dialog_stays()
                self.close_dialog()

    def rendering_over(self, started):
        """True once a refusal has been answered or a run has ended with its frames written."""
        for title in (RENDER_ERROR_TITLE, PROPORTION_TITLE):
            if self.find_window(title):
                self.outcome = self.answer_box(title)
                return True
        if any(w["title"].startswith(RENDER_CAPTION) for w in self.visible_windows()):
            return False
        frames = list(self.data_path("Image2").glob("PicD_*.bmp"))
        self.outcome = f"{len(frames)} frames rendered"
        return bool(frames) and all(f.stat().st_mtime >= started for f in frames)


if __name__ == "__main__":
    unittest.main()
