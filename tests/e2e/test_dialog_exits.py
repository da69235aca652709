"""The settings dialog's ways out and failures under Wine: what each leaves in Image1, Image2 and Data.ini."""

import stat
import unittest

from harness import (APPLY, BROWSE, CANCEL, GREEN, IDCANCEL, KEYS, OK, OPEN_TITLE, RENDER, RENDER_CAPTION,
                     RENDER_ERROR_TITLE, RUN_TIMEOUT, SAVE_ERROR_TITLE, SB_LINEUP, VK_ESCAPE, WineTestCase, bmp,
                     data_ini, disc, remove_folder)

PICTURE = "C:\\Gyrafoto\\pics\\p.bmp"
NOT_WRITTEN = ["設定ﾌｧｲﾙ(Data.ini)に書き込めませんでした。",
               "ﾃﾞｨｽｸの空きとﾌｫﾙﾀﾞを確認して、もう一度[設定]か[適用]を押して下さい。"]


def ends_in_a_whole_digit(pixels):  # the last two glyphs alike, the last symmetric, as a whole 0
    ink = [sum(sum(row[x]) < 200 for row in pixels) for x in range(len(pixels[0]))]
    ink = ink[:max(x for x, n in enumerate(ink) if n) + 1]
    for width in range(5, 10):
        glyph = ink[-width:][next(x for x, n in enumerate(ink[-width:]) if n):]
        if ink[-2 * width:-width] == ink[-width:] and glyph == glyph[::-1]:
            return True
    return False


class DialogExitsTest(WineTestCase):
    def ready(self, **settings):  # green frames, Data.ini with the picture, the dialog open: (frames, ini)
        (self.pictures / "p.bmp").write_bytes(bmp(320, 240, lambda x, y: (x % 256, y, 128)))
        committed = self.install([disc(200, GREEN)] * 3, data_ini(picture_path=PICTURE, **settings))
        self.open_dialog()
        return committed, self.data_path("Data.ini").read_bytes()

    def assert_dialog_stays(self):
        self.assertTrue(self.window_info(self.dialog)["visible"])  # a round trip, then the process still runs
        self.assertIsNone(self.process.poll(), "the dialog closed")

    def test_cancel_close_apply_and_escape_keep_the_committed_frames(self):
        for way in ("Cancel", "close box", "Apply", "Esc while rendering"):
            with self.subTest(way=way):
                escape = way.startswith("Esc")
                committed, ini = self.ready(frame_count=128 if escape else 8, radius=200 if escape else 100)
                self.click("ON", "left")  # music on: an option change
                self.wait_enabled(APPLY)
                if escape:  # once the caption counts frames: 1, 10 to 19 or 100 to 128
                    self.render_with(VK_ESCAPE)
                    self.wait_for(lambda: not self.find_window(RENDER_CAPTION), "the rendering window stays")
                    self.wait_dialog_active()
                    self.assertFalse(self.enabled(OK))
                    self.assertEqual(self.result_box()[56][56], GREEN)  # still the committed first frame
                else:
                    self.render_to_the_end()
                rendered = self.frames("Image2")
                self.assertTrue(0 < len(rendered) < 128 if escape else len(rendered) > 8, len(rendered))
                self.assertEqual(list(rendered), [f"PicD_{n:03d}.bmp" for n in range(1, len(rendered) + 1)])
                if way == "close box":
                    self.drive("close", self.dialog)
                else:
                    self.click(APPLY if way == "Apply" else CANCEL)
                self.assertEqual(self.wait_exit(self.process), 0)
                self.assertEqual((self.frames("Image1"), self.frames("Image2")), (committed, rendered))
                written = self.data_path("Data.ini").read_bytes()
                if way == "Apply":  # the option keys only: every other line stays as it was
                    options = tuple(f"{KEYS[k]}=".encode("cp932") for k in list(KEYS)[4:])
                    self.assertIn("BGM有無=0\r\n".encode("cp932"), written)
                    self.assertEqual([l for l in written.split(b"\r\n") if not l.startswith(options)], ini.split(b"\r\n"))
                else:
                    self.assertEqual(written, ini)

    def test_browse_cancelled_disables_ok_and_switches_trimming_off(self):
        self.ready(frame_count=8, trim=1, trim_top=5, speed=1000)
        # Laid out whole: the repeat-track combo, the home-page link and the slowest speed.
        size = lambda control: (control["rect"][2] - control["rect"][0], control["rect"][3] - control["rect"][1])
        link = [c for c in self.controls if c["title"].startswith("https://")]
        self.assertEqual([size(c) for c in [self.beside("曲目をﾘﾋﾟｰﾄ", "left", "ComboBox")] + link], [(41, 21), (214, 13)])
        speed = self.labelled("1000")["rect"]
        self.wait_for(lambda: ends_in_a_whole_digit(self.screen_pixels(speed)), "the speed 1000 is cut")
        self.render_to_the_end()
        self.click(BROWSE)
        self.drive("button", self.wait_window(OPEN_TITLE), IDCANCEL)
        self.wait_enabled(OK, False)
        self.assertFalse(self.window_info(self.beside("ﾄﾘﾐﾝｸﾞ", "right", "ScrollBar")["hwnd"])["visible"])
        self.assertEqual(self.path_label(), PICTURE)
        self.assertTrue(self.enabled(RENDER))
        self.close_dialog()

    def test_read_only_committed_frames_refuse_the_commit_and_lose_nothing(self):
        # Wine keeps the read-only attribute as the Unix write permission (a folder's means nothing to root).
        committed, ini = self.ready(frame_count=8)
        for frame in self.data_path("Image1").iterdir():
            frame.chmod(stat.S_IRUSR)
        self.render_to_the_end()
        rendered = self.frames("Image2")
        self.click(OK)
        self.assertEqual(self.answer_box(SAVE_ERROR_TITLE)[0],
                         "今までの画像(Image1)に読み取り専用のﾌｧｲﾙがあるため、新しい画像に入れ替えられませんでした。")
        self.assert_dialog_stays()
        self.assertEqual((self.frames("Image1"), self.frames("Image2")), (committed, rendered))
        self.assertEqual([p.name for p in self.data_path().iterdir() if p.name.startswith("Image1.")], [])
        self.assertEqual(self.data_path("Data.ini").read_bytes(), ini)
        for frame in self.data_path("Image1").iterdir():  # lifted: OK again commits
            frame.chmod(stat.S_IRUSR | stat.S_IWUSR)
        self.click(OK)
        self.assertEqual(self.wait_exit(self.process), 0)
        self.assertEqual((self.frames("Image1"), self.frames("Image2")), (rendered, {}))

    def test_an_unwritable_data_ini_after_the_commit_and_a_second_rendering_committed_by_ok(self):
        self.ready(frame_count=8, motion=1)
        self.render_to_the_end()
        rendered = self.frames("Image2")
        ini = self.data_path("Data.ini")
        ini.unlink()
        ini.mkdir()  # a folder in the file's place: the settings cannot be written there
        self.click(OK)
        self.assertEqual(self.answer_box(SAVE_ERROR_TITLE), NOT_WRITTEN)
        self.assert_dialog_stays()
        self.assertTrue(self.enabled(OK))
        self.assertEqual(self.frames("Image1"), rendered)  # committed before the file was tried
        ini.rmdir()
        ini.write_bytes(b"")
        self.scroll("ﾌﾚｰﾑ(ｺﾏ）数", SB_LINEUP)  # 9 frames: another set, which OK must commit in turn
        self.click(RENDER)  # OK is enabled already: the end is the ninth frame and the dialog active again
        self.wait_for(lambda: len(self.frames("Image2")) == 9, "the second rendering does not end", RUN_TIMEOUT)
        self.wait_dialog_active()
        again = self.frames("Image2")
        self.click(OK)
        self.assertEqual(self.wait_exit(self.process), 0)
        self.assertEqual((self.frames("Image1") == again, again == rendered), (True, False))
        self.assertIn("移動ﾊﾟﾀｰﾝ=1\r\n".encode("cp932"), ini.read_bytes())

    def test_frame_folders_and_a_data_folder_that_are_files(self):
        self.install([], data_ini(picture_path=PICTURE, frame_count=8))
        (self.pictures / "p.bmp").write_bytes(bmp(320, 240, lambda x, y: (x % 256, y, 128)))
        for folder in ("Image1", "Image2"):
            self.data_path(folder).rmdir()
            self.data_path(folder).write_bytes(b"kept")
        self.open_dialog()
        self.click(RENDER)
        self.assertEqual(self.answer_box(RENDER_ERROR_TITLE)[0], "前回ﾚﾝﾀﾞﾘﾝｸﾞした画像を削除できませんでした。")
        self.assert_dialog_stays()
        self.assertFalse(self.enabled(OK))
        self.close_dialog()
        self.assert_asks_for_frames(self.start(["/s"]))
        self.assertEqual([self.data_path(f).read_bytes() for f in ("Image1", "Image2")], [b"kept", b"kept"])
        # A file where the data folder belongs, as on a drive root that cannot be written.
        remove_folder(self.data_path())
        self.data_path().write_bytes(b"in the way")
        self.assertEqual(self.run_scr(["/x"]), 0)
        self.assert_asks_for_frames(self.start(["/s"]))
        process = self.start(["/c"])  # said once, instead of a dialog whose every save would fail
        self.assertEqual(self.answer_box("ｽｸﾘｰﾝｾｰﾊﾞｰの設定"), ["ﾃﾞｰﾀﾌｫﾙﾀﾞ(C:\\ジラフォト)を作成できません。",
                                                          "Gyrafoto.scr を書き込みできるﾄﾞﾗｲﾌﾞに置いて下さい。"])
        self.assertEqual(self.wait_exit(process), 0)
        self.assertEqual(self.data_path().read_bytes(), b"in the way")


if __name__ == "__main__":
    unittest.main()
