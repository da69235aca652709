"""The full-screen display: where the ball is drawn, the frame order, and the input that ends it."""

import math
import struct
import subprocess
import time
import unittest

from harness import DRIVE_TIMEOUT, WS_BORDER, WS_CAPTION, WS_THICKFRAME, WineTestCase

DISPLAY_TITLE = "Gyrafoto"
WS_POPUP = 0x80000000
WS_EX_TOPMOST = 0x00000008
S = 50  # the ball's radius: frames are 2S x 2S
BACKGROUND = (0, 0, 60)  # the frames' surround, so that the whole frame shows on the black screen
RED, GREEN, BLUE = (255, 0, 0), (0, 255, 0), (0, 0, 255)
# Six frames, so that the order shows even where Wine's screen misses a step.
RAINBOW = (RED, (255, 255, 0), GREEN, (0, 255, 255), BLUE, (255, 0, 255))
LEFT_ARROW, RIGHT_ARROW = "Left", "Right"  # xdotool key names

# Data.ini keys of the settings the tests set (section "Section").
KEYS = {"Disp_Size": "表示画像のｻｲｽﾞ", "BGM_Sel": "BGM有無", "Move_Ptn": "移動ﾊﾟﾀｰﾝ",
        "Kaiten_Ptn": "回転ﾊﾟﾀｰﾝ", "Speed": "速さ"}
# Unless a test says otherwise: no music, the ball at the centre, a quick pace.
DEFAULTS = {"Disp_Size": S, "BGM_Sel": 1, "Move_Ptn": 0, "Kaiten_Ptn": 0, "Speed": 20}


def disc_frame(size, colour):
    """A size x size 24-bit bitmap: a disc of `colour` filling it, on BACKGROUND."""
    r = size / 2
    rows = []
    for y in range(size):
        row = b"".join(bytes(reversed(colour if (x + 0.5 - r) ** 2 + (y + 0.5 - r) ** 2 < r * r else BACKGROUND))
                       for x in range(size))
        rows.append(row + b"\0" * (-len(row) % 4))
    pixels = b"".join(reversed(rows))  # bottom-up
    info = struct.pack("<IiiHHIIiiII", 40, size, size, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info)) + info + pixels


def round_half_even(value):
    return round(value)  # Python rounds halves to even


def f32(value):
    """value rounded to a 32-bit float."""
    return struct.unpack("<f", struct.pack("<f", value))[0]


def spring_path(width, height, steps):
    """The centre points of the spring pattern's first steps, in 32-bit floats as the program computes them."""
    cen_x, cen_y = round_half_even(width / 2), round_half_even(height / 2)
    pos_x, pos_y, vel_x, vel_y = f32(0.5), f32(1.4), f32(2.0), f32(0.0)
    rest, time_step = f32(0.2), f32(0.02)

    def force(anchor):
        dx = f32(anchor - pos_x)
        r = f32(math.sqrt(f32(f32(dx * dx) + f32(pos_y * pos_y))))
        if not r > rest:
            return 0.0, 0.0
        tension = f32(r - rest)
        return f32(f32(dx / r) * tension), f32(f32(-pos_y / r) * tension)

    points = []
    for _ in range(steps):
        (left_x, left_y), (right_x, right_y) = force(-1.0), force(1.0)
        vel_x = f32(vel_x + f32(f32(left_x + right_x) * time_step))
        vel_y = f32(vel_y + f32(f32(left_y + right_y) * time_step))
        pos_x = f32(pos_x + f32(vel_x * time_step))
        pos_y = f32(pos_y + f32(vel_y * time_step))
        points.append((round_half_even(f32(f32(pos_x * 200) + cen_x)), round_half_even(f32(cen_y - f32(pos_y * 200)))))
    return points


class Screen:
    """One capture of the whole X screen."""

    def __init__(self, ppm):
        magic, width, height, maximum, self.data = ppm.split(maxsplit=4)
        self.width, self.height = int(width), int(height)
        if magic != b"P6" or int(maximum) != 255 or len(self.data) != self.width * self.height * 3:
            raise AssertionError("unexpected screenshot format")

    def pixel(self, x, y):
        at = (y * self.width + x) * 3
        return tuple(self.data[at:at + 3])

    def lit_box(self):
        """(left, top, right, bottom) around every pixel that is not black, or None."""
        stride = self.width * 3
        left, top, right, bottom = self.width, None, 0, None
        for y in range(self.height):
            row = self.data[y * stride:(y + 1) * stride]
            lit_bytes = row.strip(b"\0")
            if not lit_bytes:
                continue
            first = len(row) - len(row.lstrip(b"\0"))
            last = first + len(lit_bytes) - 1
            top = y if top is None else top
            bottom = y + 1
            left = min(left, first // 3)
            right = max(right, last // 3 + 1)
        return None if top is None else (left, top, right, bottom)


class DisplayTest(WineTestCase):
    def setUp(self):
        super().setUp()
        self.screen_w, self.screen_h = self.screen_size()
        self.centre = (round_half_even(self.screen_w / 2), round_half_even(self.screen_h / 2))
        # A pointer at rest, away from where the tests click or move it.
        self.xdotool("mousemove", 100, 100)

    # --- set-up and input --------------------------------------------------

    def install(self, frames=(RED, GREEN, BLUE), **settings):
        """Commits one frame per colour (or per given bitmap) and writes Data.ini."""
        for folder in ("Image1", "Image2"):
            self.data_path(folder).mkdir(parents=True, exist_ok=True)
        for old in self.data_path("Image1").glob("*.bmp"):
            old.unlink()
        for number, frame in enumerate(frames, 1):
            content = frame if isinstance(frame, bytes) else disc_frame(2 * S, frame)
            self.data_path("Image1", f"PicD_{number:03}.bmp").write_bytes(content)
        values = {**DEFAULTS, **settings}
        lines = ["[Section]"] + [f"{KEYS[name]}={value}" for name, value in values.items()]
        self.data_path("Data.ini").write_bytes(("\r\n".join(lines) + "\r\n").encode("cp932"))

    def start_display(self, **settings):
        """Installs, starts /s and waits for the display window: (process, hwnd)."""
        self.install(**settings)
        process = self.start(["/s"])
        return process, self.wait_window(DISPLAY_TITLE)

    def xdotool(self, *args):
        subprocess.run(["xdotool", *map(str, args)], check=True, timeout=DRIVE_TIMEOUT, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL)

    def press(self, key):
        """A real key press on the X window of the display."""
        window = subprocess.run(["xdotool", "search", "--name", f"^{DISPLAY_TITLE}$"], capture_output=True,
                                text=True, timeout=DRIVE_TIMEOUT).stdout.split()
        self.assertTrue(window, "the display has no X window")
        self.xdotool("windowfocus", "--sync", window[0])
        self.xdotool("key", key)

    def assert_running(self, process, seconds=1.0):
        """The process is still running after `seconds` (its handlers had time to act)."""
        time.sleep(seconds)
        self.assertIsNone(process.poll(), "the display ended")

    def assert_ends(self, process):
        self.assertEqual(self.wait_exit(process), 0)
        self.assertEqual(self.find_window(DISPLAY_TITLE), 0)

    # --- screen ------------------------------------------------------------

    def capture(self, name=None):
        """The whole screen; saved as a PNG under the test's screenshot folder when named."""
        ppm = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"], check=True,
                             capture_output=True, timeout=DRIVE_TIMEOUT, stdin=subprocess.DEVNULL).stdout
        if name:
            path = self.screenshot(name)
            subprocess.run(["convert", "ppm:-", str(path)], input=ppm, check=True, timeout=DRIVE_TIMEOUT)
        return Screen(ppm)

    def frame_box(self, name=None):
        """Where the frame is drawn (left, top, right, bottom), from a screenshot in which it shows whole.

        A screenshot can fall between two steps' updates; such a capture is taken again."""
        for _ in range(5):
            box = self.capture(name).lit_box()
            if box and box[2] - box[0] == 2 * S and box[3] - box[1] == 2 * S:
                return box
        self.fail(f"no whole {2 * S} x {2 * S} frame on the screen; last lit box {box}")

    def centre_colour(self):
        """The colour at the screen's centre point."""
        x, y = self.centre
        return self.screen_pixels((x, y, x + 1, y + 1))[0][0]

    def colours_at_centre(self, seconds, enough=None):
        """The colours at the centre over `seconds`, each run of equal samples counted once;
        sampling stops early once there are `enough` runs (a busy machine plays slower)."""
        runs = []
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline and not (enough and len(runs) >= enough):
            colour = self.centre_colour()
            if not runs or runs[-1] != colour:
                runs.append(colour)
        return runs

    # --- the window and the picture ------------------------------------------

    def test_centre_pattern_shows_the_frame_centred_on_black_in_a_topmost_full_screen_window(self):
        process, hwnd = self.start_display(frames=(RED,), Move_Ptn=0)
        info = self.window_info(hwnd)
        self.assertEqual(info["rect"], (0, 0, self.screen_w, self.screen_h))
        self.assertTrue(info["style"] & WS_POPUP)
        self.assertFalse(info["style"] & (WS_CAPTION | WS_BORDER | WS_THICKFRAME))
        self.assertTrue(info["exstyle"] & WS_EX_TOPMOST)
        x, y = self.centre
        screen = self.capture("centre")
        # Everything outside the frame's square is black.
        self.assertEqual(screen.lit_box(), (x - S, y - S, x + S, y + S))
        self.assertEqual(screen.pixel(x, y), RED)
        self.assertEqual(screen.pixel(x - S, y - S), BACKGROUND)
        self.assertIsNone(process.poll())

    def test_bounce_pattern_moves_diagonally_in_steps_of_3_and_stays_on_screen(self):
        self.start_display(Move_Ptn=1, Speed=10)
        corners = []
        for shot in range(3):
            left, top, _, _ = self.frame_box(f"bounce-{shot}")
            corners.append((left, top))
            time.sleep(0.3)
        centre_x, centre_y = self.centre
        for left, top in corners:
            # Offsets from the centre change by 3 on both axes every step.
            self.assertEqual((left - (centre_x - S)) % 3, 0, corners)
            self.assertEqual((top - (centre_y - S)) % 3, 0, corners)
            self.assertTrue(-3 <= left <= self.screen_w - 2 * S + 3, corners)
            self.assertTrue(-3 <= top <= self.screen_h - 2 * S + 3, corners)
        self.assertEqual(len(set(corners)), len(corners), f"the ball did not move: {corners}")

    def test_spring_pattern_follows_the_spring_path(self):
        path = set(spring_path(self.screen_w, self.screen_h, 20000))
        self.start_display(Move_Ptn=2, Speed=10)
        centres = []
        for shot in range(3):
            left, top, _, _ = self.frame_box(f"spring-{shot}")
            centres.append((left + S, top + S))
            time.sleep(0.3)
        for centre in centres:
            self.assertIn(centre, path)
        self.assertEqual(len(set(centres)), len(centres), f"the ball did not move: {centres}")

    def test_turning_pattern_orders_the_frames(self):
        # Wine's screen can lag a step behind and then skip one, so the order is
        # told by steps of one or two frames forward or backward.
        for kaiten_ptn, steps in ((0, {1, 2}), (1, {-1 % 6, -2 % 6})):
            with self.subTest(Kaiten_Ptn=kaiten_ptn):
                process, _ = self.start_display(frames=RAINBOW, Kaiten_Ptn=kaiten_ptn, Speed=300)
                shown = [RAINBOW.index(colour) for colour in self.colours_at_centre(15, enough=5)]
                self.assertGreaterEqual(len(shown), 5, shown)
                for frame, then in zip(shown, shown[1:]):
                    self.assertIn((then - frame) % 6, steps, f"frames shown: {shown}")
                self.press("Escape")
                self.assert_ends(process)

    def test_frames_of_other_sizes_are_drawn_from_the_same_corner(self):
        small = disc_frame(S, GREEN)
        self.start_display(frames=(RED, small), Speed=300)
        x, y = self.centre
        boxes = set()
        deadline = time.monotonic() + 3
        while time.monotonic() < deadline and len(boxes) < 2:
            boxes.add(self.capture().lit_box())
        self.assertEqual(boxes, {(x - S, y - S, x + S, y + S), (x - S, y - S, x, y)})

    def test_a_frame_that_cannot_be_decoded_shows_nothing_in_its_step(self):
        broken = b"BM" + b"\xff" * 100
        process, _ = self.start_display(frames=(RED, broken, GREEN), Speed=300)
        runs = self.colours_at_centre(15, enough=7)
        self.assertGreaterEqual(len(runs), 7, runs)
        self.assertEqual(set(runs), {RED, (0, 0, 0), GREEN}, f"steps seen: {runs}")
        self.assertIsNone(process.poll())

    def test_no_decodable_frame_is_like_no_frames(self):
        self.install(frames=(b"BM" + b"\0" * 60, b"not a bitmap"))
        process = self.start(["/s"])
        box = self.wait_window("ｽｸﾘｰﾝｾｰﾊﾞｰの設定")
        self.assertEqual(self.find_window(DISPLAY_TITLE), 0)
        self.drive("button", box, 1)  # OK
        self.assertEqual(self.wait_exit(process), 0)
        self.assertEqual(self.visible_windows(), [])

    def test_the_pointer_is_hidden_while_it_plays(self):
        process, hwnd = self.start_display(frames=(RED,), Move_Ptn=0)
        self.assertEqual(self.drive("cursor").strip(), "hidden")
        self.press("Escape")
        self.assert_ends(process)

    def test_unknown_pattern_gives_a_black_screen_that_ends_on_a_click(self):
        process, hwnd = self.start_display(Move_Ptn=7)
        self.assertEqual(self.window_info(hwnd)["rect"], (0, 0, self.screen_w, self.screen_h))
        self.assertIsNone(self.capture("black").lit_box())
        self.assert_running(process)
        self.xdotool("click", 1)
        self.assert_ends(process)

    # --- input that ends the screensaver, and input that does not ----------------

    def test_a_click_ends_it(self):
        for button in (1, 3):
            with self.subTest(button=button):
                process, _ = self.start_display()
                self.xdotool("click", button)
                self.assert_ends(process)

    def test_a_key_ends_it(self):
        for key in ("a", "space", LEFT_ARROW, RIGHT_ARROW):
            with self.subTest(key=key):
                process, _ = self.start_display()
                self.press(key)
                self.assert_ends(process)

    def test_only_a_real_mouse_move_ends_it(self):
        # The pointer rests at (100, 100): the move event the window gets when it
        # appears under it only records that point.
        for move_to in ((101, 100), (100, 160), (130, 130)):
            with self.subTest(move_to=move_to):
                process, _ = self.start_display()
                self.assert_running(process)
                self.xdotool("mousemove", *move_to)
                self.assert_ends(process)
                self.xdotool("mousemove", 100, 100)

    def test_with_music_on_but_nothing_to_play_an_arrow_key_ends_it(self):
        # No CD drive here and no Music folder: no track to step to.
        process, _ = self.start_display(BGM_Sel=0)
        self.press(RIGHT_ARROW)
        self.assert_ends(process)

    def test_input_ends_it_at_any_pace(self):
        # A pace outside the dialog's 1 ... 1000 ms, written into Data.ini by
        # hand, is held to that range: the pause never deafens the screensaver.
        for speed in (1000, 30000, -5):
            with self.subTest(Speed=speed):
                process, _ = self.start_display(Speed=speed)
                self.press("a")
                self.assert_ends(process)


if __name__ == "__main__":
    unittest.main()
