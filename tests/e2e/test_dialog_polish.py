"""The settings dialog's finish under Wine: it is the active window again after every rendering, the
rendering window carries the program's icon, a double click turns a switch once, the laid-out sizes of the
repeat combo and the link, the speed 1000 shown whole and the caption buttons drawn as symbols."""

import select
import subprocess
import time
import unittest

from harness import WINDOW_TIMEOUT, WineTestCase
from test_dialog import data_ini, make_picture

DIALOG_TITLE = "ジラフォトの設定"
RENDER_CAPTION = "ﾚﾝﾀﾞﾘﾝｸﾞをしています。"
VK_ESCAPE = 27
WS_DISABLED = 0x08000000
RUN_TIMEOUT = 120


def dark(pixel, limit=200):
    return sum(pixel) < limit


class DialogPolishTest(WineTestCase):
    def open_dialog(self, **settings):
        for folder in ("Image1", "Image2"):
            self.data_path(folder).mkdir(parents=True, exist_ok=True)
        self.data_path("Data.ini").write_bytes(data_ini(**settings))
        self.process = self.start(["/c"])
        self.dialog = self.wait_window(DIALOG_TITLE)
        background = self.children(self.dialog)[0]
        self.containers = [background] + [c for c in self.children(background["hwnd"])]

    def control(self, container, left, top):
        """The child of Pic_B(container) whose corner is at (left, top) of its client area."""
        panels = {0: (0, 0), 1: (12, 36), 2: (12, 220), 3: (376, 36), 4: (376, 144), 5: (376, 296),
                  6: (376, 220)}
        background = self.containers[0]
        x, y = background["client"][:2]
        box = [c for c in self.containers if c["rect"][:2] == (x + panels[container][0], y + panels[container][1])]
        inner_x, inner_y = box[-1]["client"][:2]
        found = [c for c in self.children(box[-1]["hwnd"]) if c["rect"][:2] == (inner_x + left, inner_y + top)]
        self.assertTrue(found, f"nothing at {left},{top} in container {container}")
        return found[0]

    def caption_pixels(self, window, rect):
        """The screen's pixels in rect (left, top, right, bottom) counted from the window's corner."""
        x, y = self.window_info(window)["rect"][:2]
        return self.screen_pixels((x + rect[0], y + rect[1], x + rect[2], y + rect[3]))

    def render(self, action):
        """Presses Render with drive.exe watching for the rendering window to act on it once its caption
        counts: a key to post, or "hold" to keep it still. Returns the window."""
        watcher = self.start_program(self.drive_exe, ["waitprefix", RENDER_CAPTION + "1", str(RUN_TIMEOUT * 1000),
                                                      str(action)], stdout=subprocess.PIPE)
        ready, _, _ = select.select([watcher.stdout], [], [], WINDOW_TIMEOUT)
        self.assertTrue(ready and watcher.stdout.readline().strip() == b"watching", "drive.exe does not watch")
        self.drive("click", self.control(2, 120, 80)["hwnd"])  # "ﾚﾝﾀﾞﾘﾝｸﾞ..."
        self.assertEqual(self.wait_exit(watcher, RUN_TIMEOUT), 0, "no rendering window counted frames")
        return int(watcher.stdout.read())

    def wait_rendering_over(self):
        deadline = time.monotonic() + RUN_TIMEOUT
        while any(w["title"].startswith(RENDER_CAPTION) for w in self.visible_windows()):
            self.assertLess(time.monotonic(), deadline, "the rendering window stays")
            time.sleep(0.1)

    def test_after_a_finished_or_cancelled_rendering_the_dialog_is_the_active_window(self):
        make_picture(self.install_folder / "wide.bmp", 640, 320)
        self.open_dialog(Orgn_Path="C:\\Gyrafoto\\wide.bmp", Flame_Count=128, Disp_Size=200)
        # Held still while it works: it carries the dialog's icon (the middle of the caption icon).
        window = self.render("hold")
        try:
            icon = (8, 7, 16, 15)
            self.screenshot("rendering", window)
            self.assertEqual(self.caption_pixels(window, icon), self.caption_pixels(self.dialog, icon))
        finally:
            self.drive("release", self.window_info(window)["pid"], check=False)
        ok = self.control(0, 288, 360)
        deadline = time.monotonic() + RUN_TIMEOUT
        while self.window_info(ok["hwnd"])["style"] & WS_DISABLED:
            self.assertLess(time.monotonic(), deadline, "no rendering finished")
            time.sleep(0.1)
        self.wait_rendering_over()
        self.assertEqual(int(self.drive("foreground")), self.dialog, "not active after a finished rendering")
        self.screenshot("after-rendering", self.dialog)

        self.render(VK_ESCAPE)
        self.wait_rendering_over()
        self.assertEqual(int(self.drive("foreground")), self.dialog, "not active after a cancelled rendering")
        self.drive("close", self.dialog)
        self.assertEqual(self.wait_exit(self.process), 0)

    def test_a_double_click_on_a_switch_turns_it_once(self):
        self.open_dialog()
        trim_slider = self.control(1, 168, 60)
        self.assertFalse(trim_slider["visible"])
        self.drive("dblclick", self.control(1, 108, 60)["hwnd"])  # the trimming switch
        deadline = time.monotonic() + 10
        while not self.window_info(trim_slider["hwnd"])["visible"]:
            self.assertLess(time.monotonic(), deadline, "trimming is not on")
            time.sleep(0.1)
        self.drive("close", self.dialog)
        self.assertEqual(self.wait_exit(self.process), 0)

    def test_laid_out_sizes_the_speed_1000_whole_and_symbols_on_the_caption_buttons(self):
        self.open_dialog(Speed=1000)
        sizes = {name: self.control(*place)["rect"] for name, place in
                 (("combo", (3, 72, 32)), ("link", (0, 12, 368)), ("speed", (5, 88, 0)))}
        self.assertEqual({name: (r[2] - r[0], r[3] - r[1]) for name, r in sizes.items()},
                         {"combo": (41, 21), "link": (214, 13), "speed": (29, 13)})
        self.screenshot("dialog", self.dialog)

        # "1000" whole in its label: the last 0 as the 0 before it, column by column.
        self.assertEqual(self.control(5, 88, 0)["title"], "1000")
        speed = self.screen_pixels(sizes["speed"])
        ink = [sum(dark(row[x]) for row in speed) for x in range(len(speed[0]))]
        self.assertTrue(ink[0] == 0 and any(ink[-2 * w:-w] == ink[-w:] for w in range(5, 10)),
                        f"the speed is cut: dark pixels by column {ink}")

        # The close box shows a cross, the same mirrored, not the letter r of a missing symbol font.
        info = self.window_info(self.dialog)
        left, top, right, _ = info["rect"]
        caption = self.screen_pixels((right - 40, top, right, info["client"][1]))
        glyph = {(x, y) for y, row in enumerate(caption) for x, p in enumerate(row) if dark(p, 60)}
        self.assertTrue(glyph, "no close box")
        low, high = min(x for x, _ in glyph), max(x for x, _ in glyph)
        self.assertEqual({(low + high - x, y) for x, y in glyph}, glyph, "the close box shows no cross")
        self.drive("close", self.dialog)
        self.assertEqual(self.wait_exit(self.process), 0)


if __name__ == "__main__":
    unittest.main()
