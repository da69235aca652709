"""The whole road under Wine, as a user walks it: /c opens the dialog, a picture is chosen through the
open-file dialog, the options are set, Render runs the rendering window to the end, OK commits the frames
and writes Data.ini, and /s plays them. Then the ways off the road: Esc while rendering, Apply, Cancel and
the close box, Browse cancelled, a commit that cannot replace the committed frames and a settings file
that cannot be written. The road's screenshots are kept in docs/screenshots/ for the README."""

import select
import shutil
import stat
import subprocess
import time
import unittest

import test_dialog
import test_display
from harness import DRIVE_TIMEOUT, REPO, SCREENSHOT_DIR, WINDOW_TIMEOUT
from test_dialog import BUTTONS, DIALOG_TITLE, FILE_NAME_FIELD, GREEN, IDOK, OPEN_TITLE, data_ini, make_scene
from test_render import bmp_24bit, pattern, read_bmp

RENDER_CAPTION = "ﾚﾝﾀﾞﾘﾝｸﾞをしています。"
SAVE_ERROR_TITLE = "設定の保存ｴﾗｰ"
PROPORTION_TITLE = "画像のｻｲｽﾞｴﾗｰ"
DISPLAY_TITLE = "Gyrafoto"
IDCANCEL = 2
LOOK_IN_FIELD = 1137  # the open-file dialog's folder box
VK_ESCAPE, VK_END = 27, 0x23
SB_LINEUP, SB_LINEDOWN, SB_PAGEDOWN, SB_THUMBTRACK, SB_THUMBPOSITION = 0, 1, 3, 5, 4
SCREENSHOTS = REPO / "docs" / "screenshots"
RUN_TIMEOUT = 120  # a rendering of up to 128 frames on a loaded machine

# Controls by their place: (container, left, top) as test_dialog finds them.
FRAME_SPINNER, FRAME_LABEL = (2, 192, 12), (2, 160, 12)
RADIUS_SPINNER, RADIUS_LABEL = (2, 192, 40), (2, 160, 40)
SPEED_BAR, SPEED_LABEL = (5, 44, 12), (5, 88, 0)
TRIM_SLIDER, COMBO = (1, 168, 60), (3, 72, 32)
MARK_PLACES = {"BGM_Sel": (3, [(72, 12), (12, 12)]), "Move_Ptn": (4, [(12, 12), (64, 12), (128, 12)]),
               "Kaiten_Ptn": (6, [(12, 12), (88, 12)]), "Stretch_On": (1, [(108, 40)]), "Trim_On": (1, [(108, 60)])}


def frame_name(number):
    return f"PicD_{number:03d}.bmp"


def load_tests(loader, tests, pattern):
    """The road's own tests only: those it inherits run in test_dialog and test_display."""
    names = [name for name in loader.getTestCaseNames(RoadTest) if name in vars(RoadTest)]
    return unittest.TestSuite(RoadTest(name) for name in names)


class RoadTest(test_dialog.DialogTest, test_display.DisplayTest):
    """The dialog's helpers (finding its controls, the open-file dialog) and the display's (the screen, real
    keys), on one fresh installation per test."""

    def setUp(self):
        super().setUp()
        make_scene(self.pictures / "hills.jpg")
        self.scene = "C:\\Gyrafoto\\pics\\hills.jpg"

    # --- the dialog's controls ------------------------------------------------

    def button(self, caption):
        return self.labelled(BUTTONS[caption][0], caption)

    def click_button(self, caption):
        self.drive("click", self.button(caption)["hwnd"])

    def click_mark(self, name, index):
        container, places = MARK_PLACES[name]
        self.drive("click", self.control(container, *places[index])["hwnd"])

    def scroll(self, place, *code, times=1):
        bar = self.control(*place)["hwnd"]
        for _ in range(times):
            self.drive("scroll", bar, *code)

    def pointer_over(self, window):
        """The pointer shown at the middle of a window (a handle to compare with others)."""
        left, top, right, bottom = window["rect"]
        return self.drive("pointer", (left + right) // 2, (top + bottom) // 2).strip()

    def caption_of(self, place):
        return self.control(*place)["title"]

    def wait_caption(self, place, text):
        self.wait_for(lambda: self.caption_of(place) == text, f"{place} does not show {text!r}")

    def wait_enabled(self, caption, enabled=True):
        self.wait_for(lambda: self.enabled(self.button(caption)) == enabled,
                      f"{caption} is not {'enabled' if enabled else 'disabled'}")

    def states(self):
        return {caption: self.enabled(self.button(caption)) for caption in BUTTONS}

    def file_name_edit(self, chooser):
        """The edit field of the open-file dialog's file-name box."""
        field = [c for c in self.children(chooser) if c["id"] == FILE_NAME_FIELD][0]
        combo = self.children(field["hwnd"])[0]
        return [c for c in self.children(combo["hwnd"]) if c["class"].lower() == "edit"][0]["hwnd"]

    def combo_edit(self):
        return self.children(self.control(*COMBO)["hwnd"])[0]["hwnd"]

    # --- rendering, saving and the folders ---------------------------------------

    def frames(self, folder):
        """name -> bytes of the *.bmp files in C:\\ジラフォト\\<folder>."""
        return {p.name: p.read_bytes() for p in sorted(self.data_path(folder).glob("*.bmp"))}

    def commit_folders_left(self):
        return [name for name in ("Image1.new", "Image1.old") if self.data_path(name).exists()]

    def render_with(self, action):
        """Presses Render with drive.exe watching for the rendering window, to act on it at once: the
        whole run takes a fraction of a second. Returns the window's hwnd once the action is done."""
        watcher = self.start_program(self.drive_exe, ["waitprefix", RENDER_CAPTION + "1", str(RUN_TIMEOUT * 1000),
                                                      str(action)], stdout=subprocess.PIPE)
        ready, _, _ = select.select([watcher.stdout], [], [], WINDOW_TIMEOUT)
        self.assertTrue(ready and watcher.stdout.readline().strip() == b"watching", "drive.exe does not watch")
        self.click_button("ﾚﾝﾀﾞﾘﾝｸﾞ...")
        self.assertEqual(self.wait_exit(watcher, RUN_TIMEOUT), 0, "no rendering window counted frames")
        return int(watcher.stdout.read())

    def render_to_the_end(self, shot=None):
        """Presses Render and waits until the rendering window has closed with every frame written."""
        if not shot:
            self.click_button("ﾚﾝﾀﾞﾘﾝｸﾞ...")
        else:
            # Held still once its caption counts frames (1, 10 to 19, ...).
            window = self.render_with("hold")
            pid = self.window_info(window)["pid"]
            try:
                self.keep(shot, self.screenshot(shot, window))
                busy = [self.pointer_over(self.window_info(window)), self.pointer_over(self.containers[4])]
            finally:
                self.drive("release", pid, check=False)
        self.wait_for(lambda: self.enabled(self.button("設定")), "no rendering finished", timeout=RUN_TIMEOUT)
        self.assertEqual(self.find_window(DIALOG_TITLE), self.dialog)
        if shot:
            # The wait pointer over the whole program while it renders, the plain one afterwards.
            idle = self.pointer_over(self.containers[4])
            self.assertEqual(busy, [busy[0], busy[0]])
            self.assertNotEqual(busy[0], idle)

    def rendering_windows(self):
        return [w for w in self.visible_windows() if w["title"].startswith(RENDER_CAPTION)]

    def answer_box(self, title):
        """Answers a message box with OK; returns its text without the title."""
        box = self.wait_window(title)
        texts = self.window_texts(box)
        self.screenshot(title, box)
        self.drive("button", box, IDOK)
        self.wait_gone(title)
        return texts[1:]

    def commit_green_frames(self, count=3):
        """Green frames committed by an earlier OK, as (name -> bytes)."""
        self.data_path("Image1").mkdir(parents=True, exist_ok=True)
        for number in range(1, count + 1):
            test_dialog.make_picture(self.data_path("Image1", frame_name(number)), 200, 200, left=GREEN,
                                     right=GREEN)
        return self.frames("Image1")

    def assert_dialog_stays(self):
        time.sleep(0.5)
        self.assertIsNone(self.process.poll(), "the dialog closed")
        self.assertEqual(self.find_window(DIALOG_TITLE), self.dialog)

    def keep(self, name, screenshot):
        """The road's screenshots are the README's: copied to docs/screenshots/ on every run."""
        SCREENSHOTS.mkdir(parents=True, exist_ok=True)
        shutil.copyfile(screenshot, SCREENSHOTS / f"{name}.png")

    # --- the display -------------------------------------------------------------

    def shown_frame(self, screen, frames, box):
        """The number of the committed frame the screen shows whole in box, or None."""
        left, top = box[:2]
        points = [(x, y) for y in range(8, 200, 24) for x in range(8, 200, 24)]
        for number, (_, _, rows) in frames.items():
            if all(screen.pixel(left + x, top + y) == rows[y][x] for x, y in points):
                return number
        return None

    def keep_capture(self, name, screen, rect):
        """Keeps part of a screen captured earlier, as keep() keeps a screenshot."""
        left, top, right, bottom = rect
        path = SCREENSHOT_DIR / ".".join(self.id().split(".")[-2:]) / f"{name}.png"
        path.parent.mkdir(parents=True, exist_ok=True)
        ppm = b"P6 %d %d 255\n" % (screen.width, screen.height) + screen.data
        subprocess.run(["convert", "ppm:-", "-crop", f"{right - left}x{bottom - top}+{left}+{top}", "+repage",
                        "-strip", str(path)], input=ppm, check=True, timeout=DRIVE_TIMEOUT)
        self.keep(name, path)

    # --- the road ----------------------------------------------------------------

    def test_the_whole_road(self):
        # 1. The host starts /c on a fresh installation: Main makes the data folder and opens the dialog.
        self.open_dialog()
        self.assert_states(render=False, spinners=False)
        self.keep("1-settings-dialog", self.screenshot("1-settings-dialog", self.dialog))
        self.commit_green_frames()  # a set committed earlier, which OK will replace

        # 2. "参照..." and a 640 x 480 JPEG through the open-file dialog: its folder, then its name.
        self.click_button("参照...")
        chooser = self.wait_window(OPEN_TITLE)
        name_field = self.file_name_edit(chooser)
        self.drive("settext", name_field, "C:\\Gyrafoto\\pics")
        self.drive("button", chooser, IDOK)
        look_in = [c for c in self.children(chooser) if c["id"] == LOOK_IN_FIELD][0]["hwnd"]
        self.wait_for(lambda: self.drive("gettext", look_in).strip() == "pics", "the chooser did not open the folder")
        self.drive("settext", name_field, "hills.jpg")
        self.keep("2-open-file-dialog", self.screenshot("2-open-file-dialog", chooser))
        self.drive("button", chooser, IDOK)
        self.wait_gone(OPEN_TITLE)
        self.wait_for(lambda: self.path_label()["title"] == self.scene, "the path label shows no path")
        self.assert_states(render=True, spinners=True)

        # Frame count 64 and radius 100 with the spinners: up raises the number, the ends hold.
        self.scroll(FRAME_SPINNER, SB_LINEDOWN, times=3)
        self.wait_caption(FRAME_LABEL, "61")
        self.scroll(FRAME_SPINNER, SB_LINEUP, times=3)
        self.wait_caption(FRAME_LABEL, "64")
        self.scroll(RADIUS_SPINNER, SB_LINEUP, times=2)
        self.wait_caption(RADIUS_LABEL, "102")
        self.scroll(RADIUS_SPINNER, SB_LINEDOWN, times=3)
        self.wait_caption(RADIUS_LABEL, "100")
        self.assertEqual(self.scroll_info(self.control(*RADIUS_SPINNER))["pos"], 100)  # at its end

        # The ball at the centre, turning left, one step every 200 ms; the repeat track typed as 2.5.
        self.click_mark("Move_Ptn", 0)
        self.click_mark("Kaiten_Ptn", 1)
        self.scroll(SPEED_BAR, SB_THUMBPOSITION, 199)
        self.wait_caption(SPEED_LABEL, "200")
        self.drive("settext", self.combo_edit(), "2.5")
        self.drive("key", self.combo_edit(), VK_END)
        self.wait_for(lambda: self.chosen_marks("Kaiten_Ptn") == [1], "the left turn is not chosen")
        self.assertEqual(self.chosen_marks("Move_Ptn"), [0])
        self.assertEqual(self.states(), {"参照...": True, "ﾚﾝﾀﾞﾘﾝｸﾞ...": True, "設定": False, "ｷｬﾝｾﾙ": True,
                                         "適用": True})
        self.keep("3-picture-chosen", self.screenshot("3-picture-chosen", self.dialog))

        # 3.-4. Render: the rendering window writes every frame into Image2 and closes.
        self.render_to_the_end(shot="4-rendering")
        new_frames = self.frames("Image2")
        self.assertEqual(list(new_frames), [frame_name(n) for n in range(1, 68)])
        self.assertEqual({read_bmp(data)[:2] for data in new_frames.values()}, {(200, 200)})
        # 5. OK is enabled and the result box shows the first new frame: the ball on black.
        result = self.inner_pixels(self.containers["result"], 2)
        self.assertEqual(result[0][0], (0, 0, 0))
        self.assertGreater(sum(result[56][56]), 150)
        self.keep("5-rendered", self.screenshot("5-rendered", self.dialog))

        # OK commits the frames, writes all eleven keys in order, closes and ends the program.
        self.click_button("設定")
        self.assertEqual(self.wait_exit(self.process), 0)
        self.assertEqual(self.frames("Image1"), new_frames)
        self.assertEqual(self.frames("Image2"), {})
        self.assertEqual(self.commit_folders_left(), [])
        self.assertEqual(self.data_path("Data.ini").read_bytes(), data_ini(
            Orgn_Path=self.scene, Stretch_On=0, Flame_Count=64, Disp_Size=100, BGM_Sel=1, BGM_Rep=2, Move_Ptn=0,
            Kaiten_Ptn=1, Speed=200, Trim_On=0, Trim_Y=0))

        # 6.-7. /s plays the committed frames at the centre, turning left, and ends on a key.
        display = self.start(["/s"])
        self.wait_window(DISPLAY_TITLE)
        committed = {number: read_bmp(self.data_path("Image1", frame_name(number)).read_bytes())
                     for number in range(1, 68)}
        x, y = self.centre
        box = (x - 100, y - 100, x + 100, y + 100)
        shown = []
        deadline = time.monotonic() + 30
        while (len(shown) < 6 or 60 not in shown) and time.monotonic() < deadline:
            screen = self.capture()
            number = self.shown_frame(screen, committed, box)
            if number and (not shown or shown[-1] != number):
                shown.append(number)
                if number == 60:  # the same picture on every run
                    self.keep_capture("6-screensaver", screen, (x - 240, y - 160, x + 240, y + 160))
        self.assertGreaterEqual(len(shown), 6, f"frames recognised at the centre: {shown}")
        self.assertIn(60, shown)
        for frame, then in zip(shown, shown[1:]):
            self.assertIn((frame - then) % 67, range(1, 8), f"not turning left: {shown}")
        self.press("a")
        self.assertEqual(self.wait_exit(display), 0)

    # --- the option handlers -------------------------------------------------------

    def test_option_marks_and_the_speed_bar_enable_apply(self):
        def mark(name, index):
            return lambda: self.click_mark(name, index)

        def scroll(place, *code):
            return lambda: self.scroll(place, *code)

        def spun_up():
            # Posted after the other steps: once the spinner has moved, those have been handled too.
            self.scroll(FRAME_SPINNER, SB_LINEUP)
            self.wait_caption(FRAME_LABEL, "65")

        def shows(name, chosen):
            return lambda: self.assertEqual(self.chosen_marks(name), chosen)

        cases = [  # what, the steps, whether Apply is enabled afterwards, a check of the effect
            ("music off, chosen already", [mark("BGM_Sel", 1)], True, shows("BGM_Sel", [1])),
            ("music on", [mark("BGM_Sel", 0)], True, shows("BGM_Sel", [0])),
            ("pattern 1", [mark("Move_Ptn", 1)], True, shows("Move_Ptn", [1])),
            ("left turn", [mark("Kaiten_Ptn", 1)], True, shows("Kaiten_Ptn", [1])),
            ("a track from the list", [lambda: self.drive("select", self.control(*COMBO)["hwnd"], 7)], True,
             lambda: self.assertEqual(self.combo_text(), "7")),
            ("a key in the track's field", [lambda: self.drive("key", self.combo_edit(), VK_END)], True, None),
            ("the speed dragged away and back",
             [scroll(SPEED_BAR, SB_THUMBTRACK, 599), scroll(SPEED_BAR, SB_THUMBTRACK, 499),
              scroll(SPEED_BAR, SB_THUMBPOSITION, 499)], True, lambda: self.wait_caption(SPEED_LABEL, "500")),
            ("the speed's large step stops at the end",
             [scroll(SPEED_BAR, SB_THUMBPOSITION, 994), scroll(SPEED_BAR, SB_PAGEDOWN)], True,
             lambda: self.wait_caption(SPEED_LABEL, "1000")),
            ("the speed set to the loaded value", [scroll(SPEED_BAR, SB_THUMBPOSITION, 499), spun_up], False,
             lambda: self.assertEqual(self.caption_of(SPEED_LABEL), "500")),
            ("the spinners", [scroll(RADIUS_SPINNER, SB_LINEUP), scroll(RADIUS_SPINNER, SB_LINEUP), spun_up], False,
             lambda: self.assertEqual(self.caption_of(RADIUS_LABEL), "102")),
        ]
        for what, steps, applies, check in cases:
            with self.subTest(what):
                self.save_settings(Orgn_Path=self.scene, Speed=500)
                self.open_dialog()
                for step in steps:
                    step()
                if applies:
                    self.wait_enabled("適用")
                if check:
                    check()
                self.assertEqual(self.states()["適用"], applies)
                self.assertFalse(self.enabled(self.button("設定")))
                self.close_dialog()

    def test_the_switches_exclude_each_other_and_enable_nothing(self):
        self.save_settings(Orgn_Path=self.scene)

        def preview_size():
            return self.place_in(self.containers[1], self.preview())[2:]

        self.open_dialog()
        steps = [  # switch pressed, preview afterwards, marks (stretch, trim) afterwards, band shown
            ("Stretch_On", (100, 50), [[0], []], False),
            ("Trim_On", (100, 75), [[], [0]], True),
            ("Stretch_On", (100, 50), [[0], []], False),
            ("Stretch_On", (100, 75), [[], []], False),  # stretching off does not turn trimming on
        ]
        for switch, size, marks, band in steps:
            self.click_mark(switch, 0)
            self.wait_for(lambda: preview_size() == size, f"the preview is not {size}")
            self.assertEqual([self.chosen_marks("Stretch_On"), self.chosen_marks("Trim_On")], marks)
            self.assertEqual(self.band()["visible"], band)
            self.assertEqual(self.control(*TRIM_SLIDER)["visible"], band)
            if band:
                self.assertEqual(self.place_in(self.preview(), self.band()), (0, 0, 100, 50))
                self.assertEqual(self.scroll_info(self.control(*TRIM_SLIDER)), {"min": 0, "max": 25, "pos": 0})
            self.assertEqual(self.states(), {"参照...": True, "ﾚﾝﾀﾞﾘﾝｸﾞ...": True, "設定": False, "ｷｬﾝｾﾙ": True,
                                             "適用": False})
        self.close_dialog()
        self.assertEqual(self.data_path("Data.ini").read_bytes(), data_ini(Orgn_Path=self.scene))

    def test_spinners_hold_at_the_ends_of_their_ranges(self):
        self.save_settings(Orgn_Path=self.scene, Flame_Count=128, Disp_Size=100)
        self.open_dialog()
        self.scroll(FRAME_SPINNER, SB_LINEUP)
        self.scroll(RADIUS_SPINNER, SB_LINEDOWN)
        self.scroll(FRAME_SPINNER, SB_LINEDOWN)
        self.wait_caption(FRAME_LABEL, "127")
        self.assertEqual(self.caption_of(RADIUS_LABEL), "100")
        self.scroll(FRAME_SPINNER, SB_THUMBPOSITION, 120)  # the other end: 8 frames
        self.scroll(FRAME_SPINNER, SB_LINEDOWN)
        self.scroll(RADIUS_SPINNER, SB_THUMBPOSITION, 0)  # radius 200
        self.scroll(RADIUS_SPINNER, SB_LINEUP)
        self.wait_caption(RADIUS_LABEL, "200")
        self.assertEqual(self.caption_of(FRAME_LABEL), "8")
        self.assertFalse(self.enabled(self.button("適用")))
        self.close_dialog()

    # --- off the road ------------------------------------------------------------

    def test_escape_while_rendering_leaves_ok_disabled_and_the_frames_so_far(self):
        self.save_settings(Orgn_Path=self.scene, Flame_Count=128, Disp_Size=200)
        committed = self.commit_green_frames()
        ini = self.data_path("Data.ini").read_bytes()
        self.open_dialog()
        self.render_with(VK_ESCAPE)  # once the caption counts frames: 1, 10 to 19 or 100 to 128
        self.wait_for(lambda: not self.rendering_windows(), "the rendering window stays")
        partial = self.frames("Image2")
        self.assertEqual(list(partial), [frame_name(n) for n in range(1, len(partial) + 1)])
        self.assertTrue(1 <= len(partial) < 128, len(partial))
        self.assertFalse(self.enabled(self.button("設定")))
        self.assert_result_box(GREEN)  # still the committed first frame
        self.click_button("ｷｬﾝｾﾙ")
        self.assertEqual(self.wait_exit(self.process), 0)
        self.assertEqual(self.frames("Image2"), partial)
        self.assertEqual(self.frames("Image1"), committed)
        self.assertEqual(self.data_path("Data.ini").read_bytes(), ini)

    def test_apply_after_rendering_keeps_the_new_frames_in_image2(self):
        self.save_settings(Orgn_Path=self.scene, Flame_Count=8, BGM_Sel=1, Move_Ptn=2, Speed=50)
        committed = self.commit_green_frames()
        self.open_dialog()
        self.render_to_the_end()
        rendered = self.frames("Image2")
        self.click_mark("BGM_Sel", 0)  # music on
        self.wait_enabled("適用")
        self.assertTrue(self.enabled(self.button("設定")), "an option change disabled OK")
        self.click_button("適用")
        self.assertEqual(self.wait_exit(self.process), 0)
        self.assertEqual(self.frames("Image2"), rendered)
        self.assertEqual(self.frames("Image1"), committed)
        # The option keys only: the picture and frame keys stay as they were.
        self.assertEqual(self.data_path("Data.ini").read_bytes(), data_ini(
            Orgn_Path=self.scene, Flame_Count=8, BGM_Sel=0, Move_Ptn=2, Speed=50, BGM_Rep=0, Kaiten_Ptn=0,
            Trim_On=0, Trim_Y=0))
        # The next start shows the committed first frame, not the rendered one.
        self.open_dialog()
        self.assert_result_box(GREEN)
        self.assertFalse(self.enabled(self.button("設定")))
        self.close_dialog()

    def test_cancel_and_the_close_box_write_nothing(self):
        for way in ("ｷｬﾝｾﾙ", "close box"):
            with self.subTest(way=way):
                self.save_settings(Orgn_Path=self.scene, Flame_Count=8, Speed=300)
                committed = self.commit_green_frames()
                ini = self.data_path("Data.ini").read_bytes()
                self.open_dialog()
                self.click_mark("Move_Ptn", 0)
                self.scroll(SPEED_BAR, SB_PAGEDOWN)
                self.render_to_the_end()
                rendered = self.frames("Image2")
                self.wait_enabled("適用")
                if way == "close box":
                    self.drive("close", self.dialog)
                else:
                    self.click_button(way)
                self.assertEqual(self.wait_exit(self.process), 0)
                self.assertEqual(self.data_path("Data.ini").read_bytes(), ini)
                self.assertEqual(self.frames("Image1"), committed)
                self.assertEqual(self.frames("Image2"), rendered)

    def test_browse_cancelled_disables_ok_and_switches_trimming_off(self):
        self.save_settings(Orgn_Path=self.scene, Flame_Count=8, Trim_On=1, Trim_Y=5)
        self.open_dialog()
        self.assertEqual(self.chosen_marks("Trim_On"), [0])
        self.render_to_the_end()
        self.click_button("参照...")
        chooser = self.wait_window(OPEN_TITLE)
        self.drive("button", chooser, IDCANCEL)
        self.wait_gone(OPEN_TITLE)
        self.wait_enabled("設定", False)
        self.assertEqual(self.chosen_marks("Trim_On"), [])
        self.assertFalse(self.control(*TRIM_SLIDER)["visible"])
        self.assertFalse(self.band()["visible"])
        self.assertEqual(self.path_label()["title"], self.scene)
        self.assertTrue(self.enabled(self.button("ﾚﾝﾀﾞﾘﾝｸﾞ...")))
        self.close_dialog()

    def test_a_commit_that_cannot_replace_read_only_frames_loses_nothing(self):
        # Wine keeps a file's read-only attribute in its Unix write permission and refuses to delete such a
        # file, as Windows does; chmod on the folder changes nothing for root.
        self.save_settings(Orgn_Path=self.scene, Flame_Count=8)
        committed = self.commit_green_frames()
        for frame in self.data_path("Image1").iterdir():
            frame.chmod(stat.S_IRUSR | stat.S_IRGRP | stat.S_IROTH)
        ini = self.data_path("Data.ini").read_bytes()
        self.open_dialog()
        self.render_to_the_end()
        rendered = self.frames("Image2")
        self.click_button("設定")
        self.assertEqual(self.answer_box(SAVE_ERROR_TITLE), [
            "今までの画像(Image1)に読み取り専用のﾌｧｲﾙがあるため、新しい画像に入れ替えられませんでした。",
            "読み取り専用を解除して、もう一度[設定]を押して下さい。", "設定は保存されていません。"])
        self.assert_dialog_stays()
        self.assertTrue(self.enabled(self.button("設定")))
        self.assertEqual(self.frames("Image1"), committed)
        self.assertEqual(self.frames("Image2"), rendered)
        self.assertEqual(self.commit_folders_left(), [])
        self.assertEqual(self.data_path("Data.ini").read_bytes(), ini)

        # With the protection lifted, OK again commits.
        for frame in self.data_path("Image1").iterdir():
            frame.chmod(stat.S_IRUSR | stat.S_IWUSR)
        self.click_button("設定")
        self.assertEqual(self.wait_exit(self.process), 0)
        self.assertEqual(self.frames("Image1"), rendered)
        self.assertEqual(self.frames("Image2"), {})
        self.assertEqual(self.commit_folders_left(), [])

    def test_a_settings_file_that_cannot_be_written_keeps_the_dialog_open(self):
        self.save_settings(Orgn_Path=self.scene, Flame_Count=8, Move_Ptn=1)
        ini = self.data_path("Data.ini")
        saved = ini.read_bytes()
        self.open_dialog()
        self.render_to_the_end()
        rendered = self.frames("Image2")
        # A folder in the file's place: the settings cannot be written there.
        ini.unlink()
        ini.mkdir()
        self.click_button("設定")
        self.assertEqual(self.answer_box(SAVE_ERROR_TITLE), [
            "設定ﾌｧｲﾙ(Data.ini)に書き込めませんでした。",
            "ﾃﾞｨｽｸの空きとﾌｫﾙﾀﾞを確認して、もう一度[設定]か[適用]を押して下さい。"])
        self.assert_dialog_stays()
        self.assertTrue(self.enabled(self.button("設定")))
        self.assertEqual(self.frames("Image1"), rendered)  # committed before the file was tried

        # OK again writes the settings, and does not commit the emptied Image2 over the frames.
        ini.rmdir()
        ini.write_bytes(saved)
        self.click_button("設定")
        self.assertEqual(self.wait_exit(self.process), 0)
        self.assertEqual(self.frames("Image1"), rendered)
        self.assertEqual(ini.read_bytes(), data_ini(
            Orgn_Path=self.scene, Flame_Count=8, Move_Ptn=1, Stretch_On=0, Disp_Size=100, BGM_Sel=1, BGM_Rep=0,
            Kaiten_Ptn=0, Speed=1, Trim_On=0, Trim_Y=0))

    def test_render_hands_the_spinners_and_the_trimming_band_to_the_rendering(self):
        # A bitmap: both decode it to the same pixels (JPEG decoders may differ by one).
        (self.pictures / "pattern.bmp").write_bytes(bmp_24bit(640, 480, pattern))
        picture = "C:\\Gyrafoto\\pics\\pattern.bmp"
        self.save_settings(Orgn_Path=picture, Flame_Count=10, Disp_Size=110, Trim_On=1)
        self.open_dialog()
        self.scroll(FRAME_SPINNER, SB_LINEDOWN, times=2)
        self.scroll(RADIUS_SPINNER, SB_LINEDOWN, times=10)
        self.scroll(TRIM_SLIDER, SB_THUMBPOSITION, 20)
        self.wait_for(lambda: self.place_in(self.preview(), self.band())[1] == 20, "the band is not at 20")
        self.wait_caption(RADIUS_LABEL, "100")
        self.render_to_the_end()
        # The frames are those the headless renderer makes of the same picture, count, size and band.
        headless = self.install_folder / "headless"
        headless.mkdir()
        code, output = self.run_program(self.win_build / "tools" / "gyrafoto-render.exe", [
            picture, "C:\\Gyrafoto\\headless", "--frames", "8", "--radius", "100", "--trim", "20"], timeout=60)
        self.assertEqual(code, 0, output)
        expected = {p.name: p.read_bytes() for p in sorted(headless.glob("*.bmp"))}
        self.assertEqual(self.frames("Image2"), expected)
        self.click_button("設定")
        self.assertEqual(self.wait_exit(self.process), 0)
        self.assertEqual(self.data_path("Data.ini").read_bytes(), data_ini(
            Orgn_Path=picture, Flame_Count=8, Disp_Size=100, Trim_On=1, Stretch_On=0, BGM_Sel=1, BGM_Rep=0,
            Move_Ptn=2, Kaiten_Ptn=0, Speed=1, Trim_Y=20))

    def test_render_refuses_a_tall_picture_and_does_nothing_without_one(self):
        self.open_dialog()
        self.click_mark("Stretch_On", 0)  # enables Render although no picture is chosen
        self.wait_enabled("ﾚﾝﾀﾞﾘﾝｸﾞ...")
        self.click_button("ﾚﾝﾀﾞﾘﾝｸﾞ...")
        time.sleep(1)
        self.assertEqual([w["title"] for w in self.visible_windows()], [DIALOG_TITLE])
        self.close_dialog()

        self.save_settings(Orgn_Path=self.picture("tall.gif", 300, 400))
        self.open_dialog()
        self.click_button("ﾚﾝﾀﾞﾘﾝｸﾞ...")
        self.assertEqual(self.answer_box(PROPORTION_TITLE),
                         ["画像のｻｲｽﾞは(横≧縦)のものを指定するか(ﾄﾘﾐﾝｸﾞ)して下さい。"])
        self.assertEqual(self.rendering_windows(), [])
        self.assertEqual(self.frames("Image2"), {})
        self.assertFalse(self.enabled(self.button("設定")))
        self.close_dialog()


if __name__ == "__main__":
    unittest.main()
