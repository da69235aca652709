"""Start-up: what each command line opens, the single-instance refusal and the preview embedding."""

import struct
import unittest

from harness import WS_BORDER, WS_CAPTION, WS_CHILD, WS_THICKFRAME, WineTestCase

DIALOG_TITLE = "ジラフォトの設定"
DISPLAY_TITLE = "Gyrafoto"
NO_FRAMES_TITLE = "ｽｸﾘｰﾝｾｰﾊﾞｰの設定"
NO_FRAMES_TEXT = "設定画面でﾚﾝﾀﾞﾘﾝｸﾞの処理をしてください。"
IDOK = 1
SS_TYPEMASK = 0x1F
SS_ICON = 0x03


def bmp_24bit(width, height, rgb):
    """A bottom-up 24-bit Windows bitmap filled with one colour."""
    row = bytes((rgb[2], rgb[1], rgb[0])) * width
    row += b"\0" * (-len(row) % 4)
    pixels = row * height
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + pixels


def is_warning_colour(pixel):
    """Orange to yellow, as in the exclamation triangle (the error icon is red, the others blue)."""
    red, green, blue = pixel
    return red > 200 and green > 80 and blue < 100


class StartupTest(WineTestCase):
    def assert_no_windows(self):
        self.assertEqual(self.visible_windows(), [])

    def test_other_letter_creates_the_frame_folders_and_nothing_else(self):
        self.assertEqual(self.run_scr(["/x"]), 0)
        self.assertTrue(self.data_path("Image1").is_dir())
        self.assertTrue(self.data_path("Image2").is_dir())
        self.assertFalse(self.data_path("Data.ini").exists())
        self.assert_no_windows()

    def test_existing_data_folder_is_left_as_it_is(self):
        self.data_path().mkdir()
        self.assertEqual(self.run_scr(["/x"]), 0)
        self.assertFalse(self.data_path("Image1").exists())
        self.assertFalse(self.data_path("Image2").exists())

    def assert_refused_beside(self, title):
        with self.host_window(200, 100, title) as other:
            # Given the other window as preview host, a start that was not
            # refused would stay to live in it.
            for args in (["/p", "1234"], ["/p", str(other.hwnd)], ["/c"], ["/s"]):
                with self.subTest(args=args):
                    self.assertEqual(self.run_scr(args), 0)
                    self.assertEqual(self.children(other.hwnd), [])
                    self.assertEqual([w["hwnd"] for w in self.visible_windows()], [other.hwnd])
                    self.assertFalse(self.data_path().exists())

    def test_refused_while_the_settings_dialog_is_open(self):
        self.assert_refused_beside(DIALOG_TITLE)

    def test_refused_while_the_display_window_is_open(self):
        self.assert_refused_beside(DISPLAY_TITLE)

    def test_full_screen_without_frames_shows_the_message_and_ends_on_ok(self):
        for switch in ("/s", "/S"):
            with self.subTest(switch=switch):
                process = self.start([switch])
                box = self.wait_window(NO_FRAMES_TITLE)
                self.assertEqual(self.window_texts(box), [NO_FRAMES_TITLE, NO_FRAMES_TEXT])
                controls = self.children(box)
                buttons = [c for c in controls if c["class"].lower() == "button" and c["visible"]]
                self.assertEqual([b["id"] for b in buttons], [IDOK])
                icons = [c for c in controls if c["class"].lower() == "static" and
                         c["style"] & SS_TYPEMASK == SS_ICON and c["visible"]]
                self.assertEqual(len(icons), 1)
                self.screenshot(f"no-frames-box-{switch[1]}", box)
                icon = self.screen_pixels(icons[0]["rect"])
                warm = sum(is_warning_colour(p) for row in icon for p in row)
                self.assertGreater(warm, 150, "the icon is not the exclamation triangle")
                self.assertTrue(process.poll() is None)
                self.drive("button", box, IDOK)
                self.assertEqual(self.wait_exit(process), 0)
                self.assert_no_windows()

    def test_preview_embeds_a_borderless_child_until_the_host_goes(self):
        for args in (lambda hwnd: ["/p", str(hwnd)], lambda hwnd: [f"/p:{hwnd}"]):
            with self.host_window(152, 112) as host:
                with self.subTest(args=args(host.hwnd)):
                    process = self.start(args(host.hwnd))
                    child = self.window_info(self.wait_child(host.hwnd))
                    host_info = self.window_info(host.hwnd)
                    self.assertEqual(child["parent"], host.hwnd)
                    self.assertTrue(child["style"] & WS_CHILD)
                    self.assertFalse(child["style"] & (WS_CAPTION | WS_BORDER | WS_THICKFRAME))
                    left, top = host_info["client"][:2]
                    self.assertEqual(child["rect"], (left, top, left + 152, top + 112))
                    self.assertEqual(child["client"][2:], (152, 112))
                    picture = self.children(child["hwnd"])
                    self.assertEqual([p["rect"] for p in picture], [child["rect"]])
                    self.screenshot("host-with-preview", host.hwnd)
                    self.assertTrue(process.poll() is None, "the preview ended while its host lives")
                    host.destroy()
                    self.assertEqual(self.wait_exit(process), 0)
                    self.assertFalse(self.data_path().exists())

    def test_preview_without_a_host_window_ends_at_once(self):
        for args in (["/p", "0"], ["/p", "abc"], ["/p"], ["/p", "999999"]):
            with self.subTest(args=args):
                self.assertEqual(self.run_scr(args), 0)
                self.assert_no_windows()

    def test_settings_mode_opens_the_dialog(self):
        for args in (["/c"], []):
            with self.subTest(args=args):
                process = self.start(args)
                dialog = self.wait_window(DIALOG_TITLE)
                self.screenshot(f"settings-{len(args)}", dialog)
                self.drive("close", dialog)
                self.assertEqual(self.wait_exit(process), 0)

    def test_full_screen_with_a_frame_opens_the_display_window(self):
        for folder in ("Image1", "Image2"):
            self.data_path(folder).mkdir(parents=True)
        self.data_path("Image1", "PicD_001.bmp").write_bytes(bmp_24bit(200, 200, (40, 90, 200)))
        self.start(["/s"])
        display = self.wait_window(DISPLAY_TITLE)
        self.screenshot("display", display)
        self.assertEqual(self.find_window(NO_FRAMES_TITLE), 0)


if __name__ == "__main__":
    unittest.main()
