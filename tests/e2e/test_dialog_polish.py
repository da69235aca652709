"""The settings dialog's finish under Wine: it is the active window again after every rendering, the
rendering window carries the program's icon, a double click turns a switch once, the laid-out sizes of the
repeat combo and the link, the speed 1000 shown whole and the caption buttons drawn as symbols."""

import select
import subprocess
import time
import unittest

from harness import WINDOW_TIMEOUT, WineTestCase
from test_dialog import PANELS, data_ini, make_picture

DIALOG_TITLE = "ジラフォトの設定"
RENDER_CAPTION = "ﾚﾝﾀﾞﾘﾝｸﾞをしています。"
VK_ESCAPE = 27
WS_DISABLED = 0x08000000
RUN_TIMEOUT = 120


def dark(pixel, limit=200):
    return sum(pixel) < limit


def ends_in_a_whole_0(ink):
    """Whether dark pixels counted by column end in two like 0s and the last is whole: its columns read the
    same both ways, as a 0's do."""
    ink = ink[:max(x for x, n in enumerate(ink) if n) + 1]
    for width in range(5, 10):
        last = ink[-width:]
        glyph = last[next(x for x, n in enumerate(last) if n):]
        if ink[-2 * width:-width] == last and glyph == glyph[::-1]:
            return True
    return False


class DialogPolishTest(WineTestCase):
    def open_dialog(self, **settings):
        for folder in ("Image1", "Image2"):
            self.data_path(folder).mkdir(parents=True, exist_ok=True)
        self.data_path("Data.ini").write_bytes(data_ini(**settings))
        self.process = self.start(["/c"])
        self.dialog = self.wait_window(DIALOG_TITLE)
        self.background = self.children(self.dialog)[0]

    def close_dialog(self):
        self.drive("close", self.dialog)
        self.assertEqual(self.wait_exit(self.process), 0)

    def control(self, container, left, top):
        """The child of Pic_B(container) (0: the background) whose corner is at (left, top) of its client area."""
        box = self.background
        if container:
            x, y = box["client"][:2]
            corner = (x + PANELS[container][0], y + PANELS[container][1])
            box = next(c for c in self.children(box["hwnd"]) if c["rect"][:2] == corner)
        x, y = box["client"][:2]
        found = [c for c in self.children(box["hwnd"]) if c["rect"][:2] == (x + left, y + top)]
        self.assertTrue(found, f"nothing at {left},{top} in container {container}")
        return found[0]

    def wait_for(self, condition, what, timeout=RUN_TIMEOUT):
        deadline = time.monotonic() + timeout
        while not condition():
            self.assertLess(time.monotonic(), deadline, what)
            time.sleep(0.1)

    def pixels_at(self, window, rect):
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

    def rendering_over(self):
        return not any(w["title"].startswith(RENDER_CAPTION) for w in self.visible_windows())

    def test_after_a_finished_or_cancelled_rendering_the_dialog_is_the_active_window(self):
        make_picture(self.install_folder / "wide.bmp", 640, 320)
        self.open_dialog(Orgn_Path="C:\\Gyrafoto\\wide.bmp", Flame_Count=128, Disp_Size=200)
        # Held still while it works, the rendering window shows the dialog's icon in its caption.
        window = self.render("hold")
        try:
            self.screenshot("rendering", window)
            icon_middle = (8, 7, 16, 15)
            self.assertEqual(self.pixels_at(window, icon_middle), self.pixels_at(self.dialog, icon_middle))
        finally:
            self.drive("release", self.window_info(window)["pid"], check=False)
        ok = self.control(0, 288, 360)
        self.wait_for(lambda: not self.window_info(ok["hwnd"])["style"] & WS_DISABLED, "no rendering finished")
        self.wait_for(self.rendering_over, "the rendering window stays")
        self.assertEqual(int(self.drive("foreground")), self.dialog, "not active after a finished rendering")
        self.screenshot("after-rendering", self.dialog)

        self.render(VK_ESCAPE)
        self.wait_for(self.rendering_over, "the rendering window stays")
        self.assertEqual(int(self.drive("foreground")), self.dialog, "not active after a cancelled rendering")
        self.close_dialog()

    def test_a_double_click_on_a_switch_turns_it_once(self):
        self.open_dialog()
        trim_slider = self.control(1, 168, 60)  # shown while trimming is on
        self.assertFalse(trim_slider["visible"])
        self.drive("dblclick", self.control(1, 108, 60)["hwnd"])  # the trimming switch
        self.wait_for(lambda: self.window_info(trim_slider["hwnd"])["visible"], "trimming is not on", timeout=10)
        self.close_dialog()

    def test_laid_out_sizes_the_speed_1000_whole_and_symbols_on_the_caption_buttons(self):
        self.open_dialog(Speed=1000)
        places = {"combo": (3, 72, 32), "link": (0, 12, 368), "speed": (5, 88, 0)}
        rects = {name: self.control(*place)["rect"] for name, place in places.items()}
        self.assertEqual({name: (r[2] - r[0], r[3] - r[1]) for name, r in rects.items()},
                         {"combo": (41, 21), "link": (214, 13), "speed": (29, 13)})
        self.screenshot("dialog", self.dialog)

        # "1000" whole in its label: nothing cut at its left, its last 0 whole.
        self.assertEqual(self.control(*places["speed"])["title"], "1000")
        speed = self.screen_pixels(rects["speed"])
        ink = [sum(dark(row[x]) for row in speed) for x in range(len(speed[0]))]
        self.assertTrue(ink[0] == 0 and ends_in_a_whole_0(ink), f"the speed is cut: dark pixels by column {ink}")

        # The close box shows a cross, the same mirrored, not the letter r of a missing symbol font.
        info = self.window_info(self.dialog)
        caption = self.screen_pixels((info["rect"][2] - 40, info["rect"][1], info["rect"][2], info["client"][1]))
        glyph = {(x, y) for y, row in enumerate(caption) for x, p in enumerate(row) if dark(p, 60)}
        self.assertTrue(glyph, "no close box")
        low, high = min(x for x, _ in glyph), max(x for x, _ in glyph)
        self.assertEqual({(low + high - x, y) for x, y in glyph}, glyph, "the close box shows no cross")
        self.close_dialog()


if __name__ == "__main__":
    unittest.main()
