"""Frames and folders under Wine: a 0-byte frame, thousands of frames, a non-frame .bmp, a folder named
x.bmp; Image1 or Image2 missing or a plain file, and a data folder that cannot be made (a file in its
place, as on a drive root that cannot be written: the tests run as root, for whom Wine's read-only
folders are writable)."""

import time
import unittest

from test_display import disc_frame
from test_road import SAVE_ERROR_TITLE, RoadTest, data_ini

DISPLAY_TITLE = "Gyrafoto"
NO_FRAMES_TITLE = "ｽｸﾘｰﾝｾｰﾊﾞｰの設定"
RENDER_ERROR_TITLE = "ﾚﾝﾀﾞﾘﾝｸﾞｴﾗｰ"
NOT_CLEARED = ["前回ﾚﾝﾀﾞﾘﾝｸﾞした画像を削除できませんでした。"]
COLOURS = [(200, 40, 30), (30, 160, 60), (40, 60, 200)]


def load_tests(loader, tests, pattern):
    names = [name for name in loader.getTestCaseNames(BadFilesTest) if name in vars(BadFilesTest)]
    return unittest.TestSuite(BadFilesTest(name) for name in names)


class BadFilesTest(RoadTest):
    def make_folders(self):
        for folder in ("Image1", "Image2"):
            self.data_path(folder).mkdir(parents=True, exist_ok=True)

    def assert_plays_and_ends(self, timeout=15):
        process = self.start(["/s"])
        display = self.wait_window(DISPLAY_TITLE, timeout=timeout)
        time.sleep(0.3)
        self.assertIsNone(process.poll(), "the screensaver ended by itself")
        self.drive("click", display)
        self.assertEqual(self.wait_exit(process), 0)

    def assert_no_frames_message(self):
        process = self.start(["/s"])
        box = self.wait_window(NO_FRAMES_TITLE)
        self.drive("button", box, 1)
        self.assertEqual(self.wait_exit(process), 0)

    def test_odd_files_among_the_frames_leave_the_others_playing(self):
        self.make_folders()
        self.data_path("Data.ini").write_bytes(data_ini(Disp_Size=50, BGM_Sel=1, Speed=10))
        image1 = self.data_path("Image1")
        for number, colour in enumerate(COLOURS, 1):
            (image1 / f"PicD_{number:03d}.bmp").write_bytes(disc_frame(100, colour))
        (image1 / "PicD_004.bmp").write_bytes(b"")
        (image1 / "memo.bmp").write_bytes(b"not a bitmap at all")
        (image1 / "x.bmp").mkdir()
        self.assert_plays_and_ends()

    def test_thousands_of_frames_play(self):
        self.make_folders()
        self.data_path("Data.ini").write_bytes(data_ini(Disp_Size=10, BGM_Sel=1, Speed=0))
        frame = disc_frame(20, COLOURS[0])
        for number in range(1, 3001):
            self.data_path("Image1", f"PicD_{number:04d}.bmp").write_bytes(frame)
        started = time.monotonic()
        self.assert_plays_and_ends(timeout=60)
        print(f"3000 frames: played and ended in {time.monotonic() - started:.1f} s", flush=True)

    def test_image1_missing_or_a_plain_file_means_no_frames(self):
        for shape in ("missing", "file"):
            with self.subTest(image1=shape):
                self.data_path().mkdir(exist_ok=True)
                if shape == "file":
                    self.data_path("Image1").write_bytes(b"a file in the folder's place")
                self.assert_no_frames_message()
                self.assertEqual(self.data_path("Image1").is_file(), shape == "file")
                if shape == "file":
                    self.data_path("Image1").unlink()

    def test_image2_missing_or_a_plain_file_refuses_rendering(self):
        for shape in ("missing", "file"):
            with self.subTest(image2=shape):
                self.save_settings(Orgn_Path=self.scene, Flame_Count=8)
                self.data_path("Image2").rmdir()
                if shape == "file":
                    self.data_path("Image2").write_bytes(b"kept")
                self.open_dialog()
                self.click_button("ﾚﾝﾀﾞﾘﾝｸﾞ...")
                self.assertEqual(self.answer_box(RENDER_ERROR_TITLE)[:1], NOT_CLEARED)
                self.assert_dialog_stays()
                self.assertFalse(self.enabled(self.button("設定")))
                self.close_dialog()
                if shape == "file":
                    self.assertEqual(self.data_path("Image2").read_bytes(), b"kept")
                    self.data_path("Image2").unlink()

    def test_a_data_folder_that_cannot_be_made(self):
        # A file where the data folder belongs: neither it nor its frame folders can be made, as on a
        # drive root that cannot be written.
        self.data_path().write_bytes(b"in the way")
        self.assertEqual(self.run_scr(["/x"]), 0)
        self.assert_no_frames_message()
        self.open_dialog()
        self.click_mark("Move_Ptn", 2)
        self.wait_enabled("適用")
        self.click_button("適用")
        self.assertEqual(self.answer_box(SAVE_ERROR_TITLE)[:1], ["設定ﾌｧｲﾙ(Data.ini)に書き込めませんでした。"])
        self.assert_dialog_stays()
        self.close_dialog()
        self.assertEqual(self.data_path().read_bytes(), b"in the way")
        self.data_path().unlink()


if __name__ == "__main__":
    unittest.main()
