"""The settings dialog under Wine: its layout and artwork, the states it loads
from Data.ini, the picture chosen through the real open-file dialog, the
preview in its three modes, the trimming band and the result box."""

import subprocess
import time
import unittest

from harness import WineTestCase

DIALOG_TITLE = "ジラフォトの設定"
OPEN_TITLE = "ﾌｧｲﾙを開く"
PICTURE_ERROR_TITLE = "画像ﾌｧｲﾙｴﾗｰ"
UNREADABLE_TEXT = "この画像ﾌｧｲﾙは読み込めません。別の画像を指定してください。"
IDOK = 1
FILE_NAME_FIELD = 1148  # the open-file dialog's file-name combo box
WS_DISABLED = 0x08000000
WS_EX_CLIENTEDGE = 0x00000200
SB_LINEUP, SB_LINEDOWN, SB_THUMBPOSITION, SB_BOTTOM = 0, 1, 4, 7

# Data.ini's keys in file order, as the dialog's globals are named.
KEYS = {
    "Orgn_Path": "ｵﾘｼﾞﾅﾙ画像", "Stretch_On": "横ｽﾄﾚｯﾁ", "Flame_Count": "ﾌﾚｰﾑ数",
    "Disp_Size": "表示画像のｻｲｽﾞ", "BGM_Sel": "BGM有無", "BGM_Rep": "BGMﾘﾋﾟｰﾄ", "Move_Ptn": "移動ﾊﾟﾀｰﾝ",
    "Kaiten_Ptn": "回転ﾊﾟﾀｰﾝ", "Speed": "速さ", "Trim_On": "ﾄﾘﾐﾝｸﾞ", "Trim_Y": "ﾄﾘﾐﾝｸﾞ_Y",
}

# Outer rectangles (left, top, width, height) in the dialog's client area.
PANELS = {1: (12, 36, 353, 149), 2: (12, 220, 225, 117), 3: (376, 36, 201, 69), 4: (376, 144, 201, 41),
          5: (376, 296, 201, 41), 6: (376, 220, 201, 41), "result": (248, 220, 117, 117)}
HEADER_CAPTIONS = {"画像ﾌｧｨﾙ": (16, 16), "ﾚﾝﾀﾞﾘﾝｸﾞ": (16, 200), "BGM": (380, 16), "球体の移動": (380, 124),
                   "球体の回転": (380, 200), "球体の速さ": (380, 276), "ﾚﾝﾀﾞﾘﾝｸﾞ結果": (252, 200)}
# Caption labels of the buttons: container, place in its client area, size.
BUTTONS = {"参照...": (1, 12, 12, 89, 17), "ﾚﾝﾀﾞﾘﾝｸﾞ...": (2, 120, 80, 89, 17), "設定": (0, 288, 360, 89, 17),
           "ｷｬﾝｾﾙ": (0, 388, 360, 89, 17), "適用": (0, 488, 360, 85, 17)}
CAPTIONS = {"ｵﾘｼﾞﾅﾙ画像": (1, 124, 12), "横にｽﾄﾚｯﾁ": (1, 124, 40), "ﾄﾘﾐﾝｸﾞ": (1, 124, 60),
            "ﾌｧｲﾙﾊﾟｽ": (1, 8, 100), "ﾌﾚｰﾑ(ｺﾏ）数": (2, 84, 16), "表示画像のｻｲｽﾞ（半径）": (2, 24, 44),
            "OFF": (3, 28, 12), "ON": (3, 88, 12), "曲目をﾘﾋﾟｰﾄ": (3, 116, 36), "中央": (4, 28, 12),
            "ﾊﾟﾀｰﾝ１": (4, 80, 12), "ﾊﾟﾀｰﾝ２": (4, 144, 12), "右回転": (6, 28, 12), "左回転": (6, 104, 12),
            "速い": (5, 12, 12), "遅い": (5, 160, 12)}
# Marks by global: container and the places of index 0, 1, ...
MARKS = {"BGM_Sel": (3, [(72, 12), (12, 12)]), "Move_Ptn": (4, [(12, 12), (64, 12), (128, 12)]),
         "Kaiten_Ptn": (6, [(12, 12), (88, 12)]), "Stretch_On": (1, [(108, 40)]), "Trim_On": (1, [(108, 60)])}

RED, BLUE, GREEN, WHITE = (200, 40, 30), (30, 60, 200), (40, 160, 60), (255, 255, 255)


def data_ini(**settings):
    """Data.ini bytes as the program writes them: Shift-JIS, CRLF."""
    lines = ["[Section]"] + [f"{KEYS[name]}={value}" for name, value in settings.items()]
    return ("\r\n".join(lines) + "\r\n").encode("cp932")


def make_picture(path, width, height, left=RED, right=BLUE):
    """A picture file of two halves side by side; the format follows the suffix."""
    half = width // 2
    colour = "#{:02x}{:02x}{:02x}".format
    subprocess.run(["convert", "-size", f"{half}x{height}", f"xc:{colour(*left)}", "-size",
                    f"{width - half}x{height}", f"xc:{colour(*right)}", "+append",
                    ("BMP3:" if path.suffix == ".bmp" else "") + str(path)], check=True, timeout=30)


def make_scene(path):
    """A 640 x 480 landscape: sky, sun, a cloud and two hills."""
    subprocess.run(["convert", "-size", "640x300", "gradient:#5b9bd5-#e8f1fa", "(", "-size", "640x180",
                    "gradient:#4f8a3c-#2e5e2a", ")", "-append",
                    "-fill", "#ffd966", "-draw", "circle 480,110 480,160",
                    "-fill", "#6aa84f", "-draw", "ellipse 160,330 260,90 180,360",
                    "-fill", "#38761d", "-draw", "ellipse 470,360 300,80 180,360",
                    "-fill", "white", "-draw", "ellipse 150,90 60,22 0,360", "-draw", "ellipse 200,80 50,25 0,360",
                    "-draw", "ellipse 250,95 55,20 0,360", "-quality", "92", str(path)], check=True, timeout=30)


def near(pixel, colour, tolerance=24):
    return all(abs(a - b) <= tolerance for a, b in zip(pixel, colour))


def ink(pixels):
    """Pixels of the marks' blue ink: the dot of a chosen option, the tick of a switch."""
    return sum(1 for row in pixels for (r, g, b) in row if b > r + 60)


class DialogTest(WineTestCase):
    # --- setting up and opening ---------------------------------------------

    def setUp(self):
        super().setUp()
        self.pictures = self.install_folder / "pics"
        self.pictures.mkdir()

    def picture(self, name, width, height, **colours):
        """A picture in C:\\Gyrafoto\\pics; returns its Windows path."""
        make_picture(self.pictures / name, width, height, **colours)
        return "C:\\Gyrafoto\\pics\\" + name

    def save_settings(self, **settings):
        for folder in ("Image1", "Image2"):
            self.data_path(folder).mkdir(parents=True, exist_ok=True)
        self.data_path("Data.ini").write_bytes(data_ini(**settings))

    def open_dialog(self):
        self.process = self.start(["/c"])
        self.dialog = self.wait_window(DIALOG_TITLE)
        self.background = self.children(self.dialog)[0]
        self.containers = {0: self.background}
        for child in self.children(self.background["hwnd"]):
            for key, (left, top, width, height) in PANELS.items():
                if self.place_in(self.background, child) == (left, top, width, height):
                    self.containers[key] = child
        self.assertEqual(len(self.containers), len(PANELS) + 1, "a panel is missing or misplaced")

    def close_dialog(self):
        self.drive("close", self.dialog)
        self.assertEqual(self.wait_exit(self.process), 0)

    # --- finding controls ---------------------------------------------------

    @staticmethod
    def place_in(container, child):
        """The child's outer rectangle as (left, top, width, height) in the container's client area."""
        x, y = container["client"][:2]
        left, top, right, bottom = child["rect"]
        return left - x, top - y, right - left, bottom - top

    def control(self, container, left, top):
        """The child of Pic_B(container) (or "result") whose corner is at (left, top) of its client area."""
        box = self.containers[container]
        found = [c for c in self.children(box["hwnd"]) if self.place_in(box, c)[:2] == (left, top)]
        self.assertTrue(found, f"nothing at {left},{top} in container {container}")
        return found[0]

    def labelled(self, container, caption):
        found = [c for c in self.children(self.containers[container]["hwnd"]) if c["title"] == caption]
        self.assertEqual(len(found), 1, caption)
        return found[0]

    def preview(self):
        return self.control(1, 208, 8)

    def path_label(self):
        return self.control(1, 8, 116)

    def band(self):
        children = self.children(self.preview()["hwnd"])
        self.assertEqual(len(children), 1)
        return children[0]

    def scroll_info(self, bar):
        return dict((k, int(v)) for k, v in (f.split("=") for f in self.drive("scrollinfo", bar["hwnd"]).split()))

    def combo_text(self):
        return self.drive("gettext", self.control(3, 72, 32)["hwnd"]).rstrip("\n")

    def enabled(self, control):
        return not self.window_info(control["hwnd"])["style"] & WS_DISABLED

    def inner_pixels(self, control, inset):
        left, top, right, bottom = self.window_info(control["hwnd"])["rect"]
        return self.screen_pixels((left + inset, top + inset, right - inset, bottom - inset))

    def chosen_marks(self, name):
        container, places = MARKS[name]
        return [index for index, (x, y) in enumerate(places)
                if ink(self.inner_pixels(self.control(container, x, y), 0)) > 4]

    # --- the open-file dialog -----------------------------------------------

    def browse(self, windows_path):
        """Presses Browse and picks the file by typing its path into the open-file dialog."""
        self.drive("click", self.labelled(1, "参照...")["hwnd"])
        chooser = self.wait_window(OPEN_TITLE)
        field = [c for c in self.children(chooser) if c["id"] == FILE_NAME_FIELD][0]
        combo = self.children(field["hwnd"])[0]
        edit = [c for c in self.children(combo["hwnd"]) if c["class"].lower() == "edit"][0]
        self.drive("settext", edit["hwnd"], windows_path)
        self.drive("button", chooser, IDOK)
        self.wait_gone(OPEN_TITLE)

    def wait_for(self, condition, what, timeout=10):
        """Polls until condition() holds (the dialog works through posted messages)."""
        deadline = time.monotonic() + timeout
        while not condition():
            if time.monotonic() > deadline:
                self.fail(f"{what} within {timeout} s")
            time.sleep(0.1)

    # --- checks -------------------------------------------------------------

    def assert_preview(self, size, left_colour, right_colour):
        preview = self.preview()
        self.assertEqual(self.place_in(self.containers[1], preview), (208, 8) + size)
        pixels = self.inner_pixels(preview, 3)
        width = len(pixels[0])
        for row in (pixels[0], pixels[len(pixels) // 2], pixels[-1]):
            self.assertTrue(near(row[0], left_colour) and near(row[width // 2 - 2], left_colour), row[0])
            self.assertTrue(near(row[width // 2 + 2], right_colour) and near(row[-1], right_colour), row[-1])
        self.assert_raised_edge(preview)

    def assert_raised_edge(self, box):
        """EDGE_RAISED: light top and left lines, dark bottom and right ones, inside the box."""
        left, top, right, bottom = self.window_info(box["hwnd"])["rect"]
        edge = self.screen_pixels((left, top, right, bottom))
        middle_row, middle_column = edge[len(edge) // 2], len(edge[0]) // 2
        self.assertGreater(sum(edge[1][middle_column]), 600, "top edge not light")
        self.assertGreater(sum(middle_row[1]), 600, "left edge not light")
        self.assertLess(sum(edge[-1][middle_column]), 400, "bottom edge not dark")
        self.assertLess(sum(middle_row[-1]), 400, "right edge not dark")

    def assert_result_box(self, colour):
        pixels = self.inner_pixels(self.containers["result"], 2)
        self.assertEqual((len(pixels[0]), len(pixels)), (113, 113))
        self.assertTrue(all(near(p, colour) for row in pixels[::8] for p in row[::8]))

    def assert_states(self, render, spinners, ok=False, apply=False):
        buttons = {caption: self.labelled(container, caption) for caption, (container, *_) in BUTTONS.items()}
        self.assertEqual({caption: self.enabled(label) for caption, label in buttons.items()},
                         {"参照...": True, "ﾚﾝﾀﾞﾘﾝｸﾞ...": render, "設定": ok, "ｷｬﾝｾﾙ": True, "適用": apply})
        self.assertEqual([self.enabled(self.control(2, 192, y)) for y in (12, 40)], [spinners, spinners])

    # --- tests --------------------------------------------------------------

    def test_layout_artwork_and_states_without_a_picture(self):
        self.open_dialog()
        info = self.window_info(self.dialog)
        self.assertEqual(info["client"][2:], (597, 397))
        self.assertEqual(self.window_info(self.background["hwnd"])["client"], info["client"])
        screen = [int(n) for n in subprocess.run(["xdpyinfo"], capture_output=True, text=True, check=True)
                  .stdout.split("dimensions:")[1].split()[0].split("x")]
        left, top, right, bottom = info["rect"]
        self.assertLessEqual(abs(left - (screen[0] - (right - left)) // 2), 1)
        self.assertLessEqual(abs(top - (screen[1] - (bottom - top)) // 2), 1)

        for key, (left, top, width, height) in PANELS.items():
            with self.subTest(panel=key):
                panel = self.window_info(self.containers[key]["hwnd"])
                self.assertTrue(panel["exstyle"] & WS_EX_CLIENTEDGE)
                self.assertEqual(panel["client"][2:], (width - 4, height - 4))
        for caption, place in HEADER_CAPTIONS.items():
            self.assertEqual(self.place_in(self.background, self.labelled(0, caption))[:2], place, caption)
        for caption, (container, left, top, width, height) in BUTTONS.items():
            label = self.labelled(container, caption)
            self.assertEqual(self.place_in(self.containers[container], label), (left, top, width, height))
        for caption, (container, left, top) in CAPTIONS.items():
            self.assertEqual(self.place_in(self.containers[container], self.labelled(container, caption))[:2],
                             (left, top), caption)
        credit = [c["title"] for c in self.children(self.background["hwnd"]) if "Ver.1.1.0" in c["title"]]
        self.assertEqual(len(credit), 1)
        self.assertTrue(self.control(0, 12, 368)["title"].startswith("https://"))

        # Defaults: 64 frames, radius 100, music off, pattern 2, right turn, speed 1.
        self.assert_states(render=False, spinners=False)
        self.assertEqual(self.control(2, 160, 12)["title"], "64")
        self.assertEqual(self.control(2, 160, 40)["title"], "100")
        self.assertEqual(self.control(5, 88, 0)["title"], "1")
        self.assertEqual(self.scroll_info(self.control(2, 192, 12))["pos"], 128 - 64)
        self.assertEqual(self.scroll_info(self.control(5, 44, 12))["pos"], 0)
        combo = self.control(3, 72, 32)
        self.assertEqual(self.place_in(self.containers[3], combo)[2], 41)
        self.assertEqual(self.combo_text(), "")
        self.assertEqual(self.drive("items", combo["hwnd"]).split("\n")[:100],
                         [""] + [str(n) for n in range(1, 100)])
        self.assertEqual({name: self.chosen_marks(name) for name in MARKS},
                         {"BGM_Sel": [1], "Move_Ptn": [2], "Kaiten_Ptn": [0], "Stretch_On": [], "Trim_On": []})
        self.assertFalse(self.control(1, 168, 60)["visible"])  # Scroll_Trim
        self.assertFalse(self.band()["visible"])

        self.assertEqual(self.place_in(self.containers[1], self.preview()), (208, 8, 100, 100))
        self.assertTrue(all(p == WHITE for row in self.inner_pixels(self.preview(), 3) for p in row))
        self.assert_raised_edge(self.preview())
        self.assert_result_box(WHITE)
        self.assertEqual(self.path_label()["title"], "")
        self.screenshot("without-picture", self.dialog)

        self.close_dialog()
        self.assertFalse(self.data_path("Data.ini").exists(), "closing wrote the settings")

    def test_layout_and_states_with_a_saved_picture_and_committed_frames(self):
        path = self.picture("landscape.bmp", 640, 480)
        self.save_settings(Orgn_Path=path, Flame_Count=32, Disp_Size=150, BGM_Sel=0, BGM_Rep=7, Move_Ptn=1,
                           Kaiten_Ptn=1, Speed=500)
        make_picture(self.data_path("Image1", "PicD_001.bmp"), 200, 200, left=GREEN, right=GREEN)
        make_picture(self.data_path("Image2", "PicD_001.bmp"), 200, 200, left=RED, right=RED)
        self.open_dialog()
        self.assert_preview((100, 75), RED, BLUE)
        self.assertEqual(self.path_label()["title"], path)
        self.assert_result_box(GREEN)
        self.assert_states(render=True, spinners=True)
        self.assertEqual([self.control(*place)["title"] for place in ((2, 160, 12), (2, 160, 40), (5, 88, 0))],
                         ["32", "150", "500"])
        self.assertEqual(self.scroll_info(self.control(2, 192, 40))["pos"], 200 - 150)
        self.assertEqual(self.scroll_info(self.control(5, 44, 12))["pos"], 500 - 1)
        self.assertEqual(self.combo_text(), "7")
        self.assertEqual({name: self.chosen_marks(name) for name in MARKS},
                         {"BGM_Sel": [0], "Move_Ptn": [1], "Kaiten_Ptn": [1], "Stretch_On": [], "Trim_On": []})
        self.screenshot("with-picture", self.dialog)
        self.close_dialog()
        self.assertEqual(self.data_path("Data.ini").read_bytes(), data_ini(
            Orgn_Path=path, Flame_Count=32, Disp_Size=150, BGM_Sel=0, BGM_Rep=7, Move_Ptn=1, Kaiten_Ptn=1,
            Speed=500), "closing changed the settings")

    def test_the_result_box_shows_the_first_committed_frame(self):
        make_scene(self.pictures / "hills.jpg")
        path = "C:\\Gyrafoto\\pics\\hills.jpg"
        self.save_settings(Orgn_Path=path, BGM_Sel=0, BGM_Rep=3, Move_Ptn=1, Speed=120)
        render = self.win_build / "tools" / "gyrafoto-render.exe"
        code, output = self.run_program(render, [path, "C:\\ジラフォト\\Image1", "--frames", "8"], timeout=60)
        self.assertEqual(code, 0, output)
        self.open_dialog()
        frame = self.inner_pixels(self.containers["result"], 2)
        # The ball on black: the 200 x 200 frame scaled to 113 x 113.
        self.assertEqual((len(frame[0]), len(frame)), (113, 113))
        self.assertTrue(all(p == (0, 0, 0) for p in (frame[0][0], frame[0][-1], frame[-1][0], frame[-1][-1])))
        self.assertGreater(sum(frame[56][56]), 150)
        self.screenshot("dialog", self.dialog)
        self.close_dialog()

    def test_every_clickable_control_shows_the_hand_pointer(self):
        self.save_settings(Orgn_Path=self.picture("small.bmp", 64, 48), Trim_On=1)
        self.open_dialog()
        clickable = [self.labelled(container, caption) for caption, (container, *_) in BUTTONS.items()
                     if caption not in ("設定", "適用")]  # disabled at load
        for container, places in MARKS.values():
            clickable += [self.control(container, x, y) for x, y in places]
        clickable += [self.control(*place) for place in ((1, 168, 60), (2, 192, 12), (2, 192, 40), (3, 72, 32),
                                                         (5, 44, 12), (0, 12, 368))]
        plain = [self.labelled(1, "ｵﾘｼﾞﾅﾙ画像"), self.control(2, 160, 12), self.labelled(0, "設定")]

        def pointer_over(control):
            left, top, right, bottom = control["rect"]
            return self.drive("pointer", (left + right) // 2, (top + bottom) // 2).strip()

        hand = pointer_over(clickable[0])
        arrow = pointer_over(self.containers[4])
        self.assertNotEqual(hand, arrow)
        self.assertEqual([pointer_over(c) for c in clickable], [hand] * len(clickable))
        self.assertEqual([pointer_over(c) for c in plain], [arrow] * len(plain))
        self.close_dialog()

    def test_browse_previews_a_640_by_480_jpeg_and_enables_rendering(self):
        path = self.picture("photo.jpg", 640, 480)
        self.open_dialog()
        self.browse(path)
        self.wait_for(lambda: self.path_label()["title"] == path, "the path label shows no path")
        self.assert_preview((100, 75), RED, BLUE)
        self.assert_states(render=True, spinners=True)
        self.assert_result_box(WHITE)
        self.screenshot("browsed-640x480", self.dialog)
        self.close_dialog()

    def test_tall_picture_previews_at_75_by_100(self):
        self.save_settings(Orgn_Path=self.picture("tall.gif", 300, 400))
        self.open_dialog()
        self.assert_preview((75, 100), RED, BLUE)
        self.screenshot("tall-300x400", self.dialog)
        self.close_dialog()

    def test_stretched_mode_previews_every_picture_at_100_by_50(self):
        for name, width, height in (("wide.jpg", 640, 480), ("tall.bmp", 300, 400)):
            with self.subTest(picture=name):
                self.save_settings(Orgn_Path=self.picture(name, width, height), Stretch_On=1)
                self.open_dialog()
                self.assert_preview((100, 50), RED, BLUE)
                self.assertEqual(self.chosen_marks("Stretch_On"), [0])
                self.screenshot(f"stretched-{name}", self.dialog)
                self.close_dialog()

    def test_trimming_band_of_a_400_by_500_picture_moves_with_its_slider(self):
        self.save_settings(Orgn_Path=self.picture("portrait.jpg", 400, 500), Trim_On=1, Trim_Y=25)
        self.open_dialog()
        self.assert_preview((80, 100), RED, BLUE)
        self.assertEqual(self.chosen_marks("Trim_On"), [0])
        slider = self.control(1, 168, 60)
        self.assertTrue(slider["visible"])
        self.assertEqual(self.place_in(self.containers[1], slider), (168, 60, 17, 21))
        band = self.band()
        self.assertTrue(band["visible"])
        self.assertEqual(self.place_in(self.preview(), band), (0, 25, 80, 40))
        self.assertEqual(self.scroll_info(slider), {"min": 0, "max": 60, "pos": 25})

        moves = [((SB_THUMBPOSITION, 0), 0), ((SB_LINEUP,), 0), ((SB_LINEDOWN,), 1), ((SB_BOTTOM,), 60),
                 ((SB_LINEDOWN,), 60), ((SB_THUMBPOSITION, 30), 30)]
        for scroll, top in moves:
            with self.subTest(scroll=scroll):
                self.drive("scroll", slider["hwnd"], *scroll)
                self.wait_for(lambda: self.place_in(self.preview(), self.band()) == (0, top, 80, 40),
                              f"the band is not at {top}")
                self.assertEqual(self.scroll_info(slider)["pos"], top)
        self.screenshot("trimming-band-at-30", self.dialog)
        self.close_dialog()

    def test_saved_trimming_without_a_picture_spans_the_design_preview(self):
        self.save_settings(Trim_On=1, Trim_Y=10)
        self.open_dialog()
        self.assertEqual(self.place_in(self.preview(), self.band()), (0, 0, 100, 50))
        self.assertEqual(self.scroll_info(self.control(1, 168, 60)), {"min": 0, "max": 50, "pos": 0})
        self.assert_states(render=False, spinners=False)
        self.close_dialog()

    def test_an_undecodable_file_is_refused_and_the_picture_stays(self):
        path = self.picture("landscape.bmp", 640, 480)
        self.save_settings(Orgn_Path=path)
        (self.pictures / "broken.jpg").write_bytes(b"\xff\xd8\xff\xe0 this is not a picture" * 50)
        self.open_dialog()
        before = self.inner_pixels(self.preview(), 0)
        self.browse("C:\\Gyrafoto\\pics\\broken.jpg")
        box = self.wait_window(PICTURE_ERROR_TITLE)
        self.assertEqual(self.window_texts(box), [PICTURE_ERROR_TITLE, UNREADABLE_TEXT])
        self.screenshot("undecodable-refused", box)
        self.drive("button", box, IDOK)
        self.wait_gone(PICTURE_ERROR_TITLE)
        self.assertEqual(self.path_label()["title"], path)
        self.assertEqual(self.inner_pixels(self.preview(), 0), before)
        self.close_dialog()

    def test_a_path_shift_jis_cannot_hold_is_kept_in_its_short_form(self):
        make_picture(self.pictures / "사진.bmp", 640, 480)
        self.open_dialog()
        self.browse("C:\\Gyrafoto\\pics\\사진.bmp")
        self.wait_for(lambda: self.path_label()["title"], "no path on the label")
        stored = self.path_label()["title"]
        stored.encode("cp932")  # representable
        self.assertTrue(stored.upper().startswith("C:\\GYRAFOTO\\PICS\\") and stored.upper().endswith(".BMP"),
                        stored)
        self.assert_preview((100, 75), RED, BLUE)
        self.close_dialog()

    def test_stored_numbers_out_of_the_sliders_range_leave_them_at_their_design_values(self):
        self.save_settings(Orgn_Path=self.picture("landscape.bmp", 640, 480), Flame_Count=200, Disp_Size=50,
                           Speed=5000)
        self.open_dialog()
        self.assertEqual([self.control(*place)["title"] for place in ((2, 160, 12), (2, 160, 40), (5, 88, 0))],
                         ["200", "50", "5000"])
        # Design values: 8 frames (-8, the range's end), radius 100, speed 1.
        self.assertEqual([self.scroll_info(self.control(*place))["pos"]
                          for place in ((2, 192, 12), (2, 192, 40), (5, 44, 12))], [120, 100, 0])
        self.close_dialog()


if __name__ == "__main__":
    unittest.main()
