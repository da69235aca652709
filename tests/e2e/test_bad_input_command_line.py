"""Command lines no host sends, under Wine: /p with huge, negative, hex and garbage handles, very long
lines and Unicode. Nothing crashes or hangs; a preview without a real window ends at once."""

import unittest

from harness import WS_CHILD, WineTestCase, remove_folder

DIALOG_TITLE = "ジラフォトの設定"
NO_FRAMES_TITLE = "ｽｸﾘｰﾝｾｰﾊﾞｰの設定"
# Long, but within the 32767 characters a command line holds.
LONG = 30000


class BadCommandLineTest(WineTestCase):
    def assert_ends_with_nothing_shown(self, args):
        self.assertEqual(self.run_scr(args), 0)
        self.assertEqual(self.visible_windows(), [])

    def test_previews_without_a_real_window_end_at_once(self):
        handles = ["4294967296", "2147483648", "-1", "-2147483648", "-2147483649", "99999999999999999999", "1e10",
                   "1e400", "&HFFFFFFFF", "&H7FFFFFFF", "&HZZ", "&O777", "0x1F", "zzz", "NaN", "inf", "--5",
                   "12.5", "\t", "\u3000", "５", "😀", "9" * LONG, "1" + " " * LONG, "7" + "x" * LONG]
        for handle in handles:
            with self.subTest(handle=handle[:20]):
                self.assert_ends_with_nothing_shown(["/p", handle])
                self.assertFalse(self.data_path().exists())
                # Wine quotes an argument with blanks in it, as a Windows host would: character 2 of
                # '"/p:\t"' is the slash, another letter, which sets up the data folder and ends.
                self.assert_ends_with_nothing_shown([f"/p:{handle}"])
                self.assertEqual(self.data_path().exists(), any(c in " \t" for c in handle))
                remove_folder(self.data_path())

    def test_a_real_window_given_in_hex_or_octal_gets_the_preview(self):
        with self.host_window(152, 112) as host:
            for shape in (f"&H{host.hwnd:X}", f"&O{host.hwnd:o}", f"{host.hwnd}.4", f"{host.hwnd}abc"):
                with self.subTest(handle=shape):
                    process = self.start(["/p", shape])
                    child = self.window_info(self.wait_child(host.hwnd))
                    self.assertTrue(child["style"] & WS_CHILD)
                    process.kill()
                    self.wait_exit(process)

    def test_very_long_and_unicode_lines_choose_their_mode_by_the_second_character(self):
        for args, title in ((["/c" + "x" * LONG], DIALOG_TITLE), (["/s", "é" * LONG], NO_FRAMES_TITLE),
                            (["/C", "😀" * 100], DIALOG_TITLE)):
            with self.subTest(args=args[0][:4]):
                process = self.start(args)
                window = self.wait_window(title)
                self.drive("close", window)
                self.assertEqual(self.wait_exit(process), 0)
        for args in (["/ｓ"], ["/ſ"], ["/😀"], ["/" + "\u0301" * LONG], ["-x" + "y" * LONG]):
            with self.subTest(args=args[0][:4]):
                self.assert_ends_with_nothing_shown(args)  # another letter: the folders, nothing shown
                self.assertTrue(self.data_path("Image1").is_dir())


if __name__ == "__main__":
    unittest.main()
