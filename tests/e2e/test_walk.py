"""The whole road under Wine (its screenshots are the README's), the start-up modes, one instance, the preview."""

import shutil
import unittest

from harness import (APPLY, BROWSE, CANCEL, DIALOG_TITLE, DISPLAY_TITLE, FILE_NAME_FIELD, GREEN, IDOK,
                     OK, OPEN_TITLE, RENDER, SB_LINEDOWN, SB_LINEUP, SB_THUMBPOSITION, WS_CHILD,
                     WineTestCase, bmp_pixel, data_ini, disc, make_scene)

LOOK_IN_FIELD, FILE_TYPE_FIELD = 1137, 1136  # the open-file dialog's folder and file-type boxes
VK_END = 0x23


def icon_middle(screen, window):  # of the icon left of the caption
    (left, top), half = window["rect"][:2], (window["client"][1] - window["rect"][1]) // 2
    return [screen.pixel(left + half + i, top + half + j) for i in range(-3, 3) for j in range(-3, 3)]


def close_box_mirrors(screen, window):  # a cross, not the "r" drawn without the symbol font
    right, top, inside = window["rect"][2], window["rect"][1], window["client"][1]
    glyph = {(x, y) for x in range(right - 40, right) for y in range(top, inside) if sum(screen.pixel(x, y)) < 60}
    middle = min(glyph)[0] + max(glyph)[0] if glyph else 0
    return glyph and {(middle - x, y) for x, y in glyph} == glyph


class WalkTest(WineTestCase):
    def test_the_whole_road(self):
        make_scene(self.pictures / "hills.bmp")
        scene = "C:\\Gyrafoto\\pics\\hills.bmp"
        # 1. The host starts /c on a fresh installation: the data folder is made and the dialog opens.
        self.open_dialog()
        self.assertEqual({c: self.enabled(c) for c in (BROWSE, RENDER, OK, CANCEL, APPLY)},
                         {BROWSE: True, RENDER: False, OK: False, CANCEL: True, APPLY: False})
        self.screenshot("1-settings-dialog", self.dialog)
        self.install([disc(200, GREEN)] * 3, ini=None)  # frames committed earlier, which OK replaces

        # 2. Browse: the folder first, then the name, as a user picks it.
        self.click(BROWSE)
        chooser = self.wait_window(OPEN_TITLE)
        field = {c["id"]: c["hwnd"] for c in reversed(self.windows(chooser))}  # the outermost of an id
        name_field, look_in = self.edit_in(field[FILE_NAME_FIELD]), field[LOOK_IN_FIELD]
        self.drive("settext", name_field, "C:\\Gyrafoto\\pics")
        self.drive("button", chooser, IDOK)
        self.wait_for(lambda: self.drive("gettext", look_in).strip() == "pics", "the chooser did not open pics")
        self.assertEqual(self.drive("gettext", field[FILE_TYPE_FIELD]).strip(), "画像ﾌｧｲﾙ (bmp gif jpg png heic webp …)")
        self.drive("settext", name_field, "hills.bmp")
        self.screenshot("2-open-file-dialog", chooser)
        self.drive("button", chooser, IDOK)
        self.wait_gone(OPEN_TITLE)
        self.wait_for(lambda: self.path_label() == scene, "the path label shows no path")

        # 3. The options: spinners (the radius held at its end), marks, speed, track, trimming band.
        spinners = ("ﾌﾚｰﾑ(ｺﾏ）数", "表示画像のｻｲｽﾞ（半径）")
        for caption in spinners:
            self.scroll(caption, SB_LINEUP, times=2)
        self.scroll(spinners[1], SB_LINEDOWN, times=3)  # 102, then 100 and held at its end
        self.wait_for(lambda: [self.text_beside(c, "right") for c in spinners] == ["66", "100"], "spinners")
        for caption in ("中央", "左回転"):
            self.click(caption, "left")
        self.drive("dblclick", self.beside("ﾄﾘﾐﾝｸﾞ", "left")["hwnd"])  # turns the switch once
        self.scroll("速い", SB_THUMBPOSITION, 199)
        track = self.edit_in(self.beside("曲目をﾘﾋﾟｰﾄ", "left", "ComboBox")["hwnd"])
        self.drive("settext", track, "2.5")
        self.drive("key", track, VK_END)
        self.scroll("ﾄﾘﾐﾝｸﾞ", SB_THUMBPOSITION, 20)
        preview = self.beside("ｵﾘｼﾞﾅﾙ画像", "right")
        band_top = lambda: self.children(preview["hwnd"])[0]["rect"][1] - preview["client"][1]
        self.wait_for(lambda: band_top() == 20, "the trimming band is not at 20")
        self.wait_enabled(APPLY)
        self.assertFalse(self.enabled(OK))
        screen, dialog = self.capture(), self.window_info(self.dialog)
        self.screenshot("3-picture-chosen", self.dialog, screen=screen)
        self.assertTrue(close_box_mirrors(screen, dialog), "the caption buttons lack their symbol font")

        # 4. Render, held still once its caption counts frames for a screenshot.
        window, rendering = self.window_info(self.render_with("hold")), self.capture()
        self.screenshot("4-rendering", rect=window["rect"], screen=rendering)
        self.drive("release", window["pid"])
        self.assertEqual(icon_middle(rendering, window), icon_middle(screen, dialog), "not the program's icon")
        self.wait_enabled(OK, timeout=120)
        self.wait_dialog_active()
        # The frames are those the headless renderer makes of the same picture, count, size and band.
        self.data_path("headless").mkdir()
        code, output = self.run_program(self.win_build / "tools" / "gyrafoto-render.exe", [
            scene, "C:\\ジラフォト\\headless", "--frames", "66", "--radius", "100", "--trim", "20"], timeout=60)
        self.assertEqual(code, 0, output)
        rendered = self.frames("Image2")
        self.assertEqual(rendered, self.frames("headless"))
        # 5. The result box shows the first new frame: the ball on black.
        result = self.result_box()
        self.assertEqual((result[0][0], len(result)), ((0, 0, 0), 113))
        self.assertGreater(sum(result[56][56]), 150)
        self.screenshot("5-rendered", self.dialog)

        # OK commits the frames, writes every key, closes and ends the program.
        self.click(OK)
        self.assertEqual(self.wait_exit(self.process), 0)
        self.assertEqual((self.frames("Image1"), self.frames("Image2")), (rendered, {}))
        self.assertEqual([p.name for p in self.data_path().iterdir() if p.name.startswith("Image1.")], [])
        self.assertEqual(self.data_path("Data.ini").read_bytes(), data_ini(
            picture_path=scene, stretch=0, frame_count=66, radius=100, music_off=1, repeat_track=2, motion=0,
            turn_left=1, speed=200, trim=1, trim_top=20))

        # 6. /s plays the committed frames at the centre and ends on a key (test_display checks the turn).
        display, _ = self.start(["/s"]), self.wait_window(DISPLAY_TITLE)
        points = [(i, j) for j in range(8, 200, 24) for i in range(8, 200, 24)]
        frames = [[bmp_pixel(p.read_bytes(), i, j) for i, j in points] for p in self.data_path("Image1").glob("*.bmp")]
        width, height = self.screen_size()
        x, y = width // 2 - 100, height // 2 - 100
        seen = []
        self.wait_for(lambda: seen.append(self.capture()) or [seen[-1].pixel(x + i, y + j) for i, j in points] in frames,
                      "no committed frame at the centre", 30)
        self.screenshot("6-screensaver", rect=(x - 140, y - 60, x + 340, y + 260), screen=seen[-1])
        self.press("a")
        self.assertEqual(self.wait_exit(display), 0)

    def test_start_up_modes(self):
        # Another letter sets up the data folder and ends; an existing one is left as it is.
        self.assertEqual(self.run_scr(["/x"]), 0)
        self.assertEqual(sorted(p.name for p in self.data_path().iterdir()), ["Image1", "Image2"])
        self.data_path("Image1").rmdir()
        self.assertEqual(self.run_scr(["/x"]), 0)
        self.assertFalse(self.data_path("Image1").exists())
        self.assertEqual(self.windows(), [])
        for args in (["/c"], []):
            with self.subTest(args=args):
                process = self.start(args)
                self.drive("close", self.wait_window(DIALOG_TITLE))
                self.assertEqual(self.wait_exit(process), 0)
        # Through cmd.exe, command lines as typed: a blank before the switch; a program in the root keeps its
        # data in C:\ジラフォト, not under the current folder; a cut-short settings file is cleared.
        self.data_path("Data.ini.new").write_bytes(b"[Section]")
        root_scr, misplaced = self.prefix / "drive_c" / "Gyrafoto.scr", self.prefix / "drive_c" / "windows" / "ジラフォト"
        shutil.copy2(self.win_build / "Gyrafoto.scr", root_scr)
        self.addCleanup(root_scr.unlink)
        self.addCleanup(shutil.rmtree, misplaced, True)
        for line in ("C:\\Gyrafoto\\Gyrafoto.scr  /s", "cd /d C:\\windows && C:\\Gyrafoto.scr /x"):
            self.assertEqual(self.wait_exit(self.start_program("cmd", ["/c", line])), 0, line)
        self.assertEqual(sorted(p.name for p in self.data_path().iterdir()), ["Image2"])
        self.assertFalse(misplaced.exists())
        self.assert_asks_for_frames(self.start(["/S"]))
        self.assertEqual(self.windows(), [])

    def test_a_second_start_beside_our_open_window_is_refused(self):
        self.install([disc(100, GREEN)], data_ini(radius=50, music_off=1, motion=0))
        with self.host_window(200, 100) as host:
            self.open_dialog()
            for args in (["/s"], ["/p", str(host.hwnd)]):
                with self.subTest(beside=DIALOG_TITLE, args=args):
                    # Given the stand-in as preview host, a start that was not refused would live in it.
                    self.assertEqual(self.run_scr(args), 0)
                    self.assertEqual(self.children(host.hwnd), [])
                    self.assertEqual(self.find_window(DISPLAY_TITLE), 0)
            self.close_dialog()
        display = self.start(["/s"])  # no stand-in now: taking the foreground from the display ends it
        self.wait_window(DISPLAY_TITLE)
        self.assertEqual(self.run_scr(["/c"]), 0)
        self.assertEqual(self.find_window(DIALOG_TITLE), 0)
        self.press("Escape")
        self.assertEqual(self.wait_exit(display), 0)

    def test_the_preview_lives_in_its_host_until_it_goes(self):
        # The globe (110 pixels across in the usual area) is scaled to a larger area, as on a scaled display.
        for args, (width, height), globe in ((lambda hwnd: ["/p", str(hwnd)], (152, 112), 110),
                                             (lambda hwnd: [f"/p:{hwnd}"], (304, 224), 220)):
            with self.host_window(width, height) as host:
                with self.subTest(args=args(host.hwnd)):
                    process = self.start(args(host.hwnd))
                    self.wait_for(lambda: self.children(host.hwnd), "no preview in its host")
                    child = self.children(host.hwnd)[0]
                    left, top = self.window_info(host.hwnd)["client"][:2]
                    self.assertTrue(child["style"] & WS_CHILD)
                    self.assertEqual(child["rect"], (left, top, left + width, top + height))
                    self.wait_for(lambda: self.children(child["hwnd"]), "no globe in the preview")
                    self.assertEqual([w["rect"][2] - w["rect"][0] for w in self.children(child["hwnd"])], [globe])
                    self.assertIsNone(process.poll(), "the preview ended while its host lives")
                    host.destroy()
                    self.assertEqual(self.wait_exit(process), 0)
                    self.assertFalse(self.data_path().exists())


if __name__ == "__main__":
    unittest.main()
