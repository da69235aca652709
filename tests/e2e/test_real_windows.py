"""What a real Windows desktop does that a bare Wine prefix does not: other programs' windows, the host's
window, focus thieves."""

import unittest

from harness import (DIALOG_TITLE, DISPLAY_TITLE, GREEN, VK_ESCAPE, WINDOW_TIMEOUT, WS_DISABLED, WineTestCase,
                     data_ini, disc)


class RealWindowsTest(WineTestCase):
    def own(self, title):  # this program's window of that title, not another program's
        found = lambda: [w["hwnd"] for w in self.windows()
                         if w["title"] == title and w["class"].startswith("GyrafotoWindow")]
        self.wait_for(found, f"no window {title!r} of Gyrafoto", WINDOW_TIMEOUT)
        return found()[0]

    def test_other_programs_windows_titled_like_ours_change_nothing(self):
        self.install([disc(100, (0, 255, 0))], data_ini(radius=50, music_off=1, motion=0))
        with self.host_window(200, 100, DISPLAY_TITLE) as other, self.host_window(200, 100, DIALOG_TITLE):
            with self.host_window(152, 112) as host:
                preview = self.start(["/p", str(host.hwnd)])
                self.wait_for(lambda: self.children(host.hwnd), "no preview")
                host.destroy()
                self.assertEqual(self.wait_exit(preview), 0)
            process = self.start(["/c"])
            dialog = self.own(DIALOG_TITLE)
            self.drive("activate", other.hwnd)
            self.assertEqual(self.run_scr(["/c"]), 0)  # the second one brings the first to the front
            self.wait_for(lambda: int(self.drive("foreground")) == dialog, "the open dialog is not in front")
            self.drive("close", dialog)
            self.assertEqual(self.wait_exit(process), 0)
            display = self.start(["/s"])
            self.drive("key", self.own(DISPLAY_TITLE), VK_ESCAPE)
            self.assertEqual(self.wait_exit(display), 0)

    def test_another_window_taking_the_foreground_ends_the_screensaver(self):
        self.install([disc(100, (0, 255, 0))], data_ini(radius=50, music_off=1, motion=0))
        with self.host_window(200, 100, "thief") as thief:
            display = self.start(["/s"])
            self.own(DISPLAY_TITLE)
            self.drive("activate", thief.hwnd)
            self.assertEqual(self.wait_exit(display), 0)

    def test_the_dialog_is_modal_to_the_host_it_is_given(self):
        self.install([], data_ini())
        width, height = self.screen_size()
        with self.host_window(400, 300) as host:
            for args, owner in (([f"/c:{host.hwnd}"], host.hwnd), (["/c"], host.hwnd), (["/c:12345"], 0)):
                with self.subTest(args=args):  # a bare /c: the foreground window; a number naming none: no owner
                    self.drive("activate", host.hwnd)
                    self.open_dialog(self.start(args))
                    left, top, right, bottom = self.window_info(self.dialog)["rect"]
                    self.assertEqual(self.window_info(self.dialog)["owner"], owner)
                    self.assertEqual(self.window_info(host.hwnd)["style"] & WS_DISABLED, WS_DISABLED if owner else 0)
                    self.assertLessEqual(abs(left + right - width) + abs(top + bottom - height), 40, "not centred")
                    self.screenshot("over the host", screen=self.capture())
                    self.close_dialog()
                    self.assertEqual(self.window_info(host.hwnd)["style"] & WS_DISABLED, 0)

    def test_frames_that_do_not_decode_ask_for_rendering_on_the_covered_screen(self):
        broken = [b"", b"BM" + bytes(60), disc(100, GREEN)[:60]]  # empty, no bitmap, cut short
        self.install(broken, data_ini(music_off=1))
        self.assert_asks_for_frames(self.start(["/s"]))
        # Among them, the frames that decode play, each drawn from the same corner whatever its size.
        self.install(broken + [disc(100, GREEN), disc(60, GREEN)], data_ini(radius=50, music_off=1, motion=0, speed=20))
        display, (width, height) = self.start(["/s"]), self.screen_size()
        left, top, boxes = width // 2 - 50, height // 2 - 50, set()
        self.wait_for(lambda: boxes.add(self.capture().lit_box()) or {
            (left, top, left + 100, top + 100), (left, top, left + 60, top + 60)} <= boxes, "not both sizes", WINDOW_TIMEOUT)
        self.drive("close", self.own(DISPLAY_TITLE))
        self.assertEqual(self.wait_exit(display), 0)

    def test_frames_stranded_by_an_interrupted_commit_come_back_when_the_program_starts(self):
        frames = self.install([disc(100, GREEN)], data_ini(radius=50, music_off=1, motion=0))
        for switch, title in (("/c", DIALOG_TITLE), ("/s", DISPLAY_TITLE)):
            with self.subTest(switch=switch):
                self.data_path("Image1").rename(self.data_path("Image1.old"))
                process = self.start([switch])
                self.drive("close", self.own(title))
                self.assertEqual(self.wait_exit(process), 0)
                self.assertEqual(self.frames("Image1"), frames)
                self.assertFalse(self.data_path("Image1.old").exists())


if __name__ == "__main__":
    unittest.main()
