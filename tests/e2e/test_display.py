"""The full-screen display under Wine: where the ball is, how it moves, the frame order and what ends it."""

import contextlib
import subprocess
import time
import unittest

from harness import DISPLAY_TITLE, WineTestCase, data_ini, disc

S = 50  # the ball's radius in these tests: frames are 2S x 2S
RED, GREEN, BLUE = (255, 0, 0), (0, 255, 0), (0, 0, 255)
RAINBOW = (RED, (255, 255, 0), GREEN, (0, 255, 255), BLUE, (255, 0, 255))
WS_POPUP, WS_CAPTION, WS_EX_TOPMOST = 0x80000000, 0x00C00000, 0x00000008


class DisplayTest(WineTestCase):
    def setUp(self):
        super().setUp()
        self.width, self.height = self.screen_size()
        self.xdotool("mousemove", 100, 100)  # at rest, away from where the tests move it

    def start_display(self, colours=(RED, GREEN), **settings):  # one frame per colour: (process, hwnd)
        settings = {"radius": S, "music_off": 1, "motion": 0, "turn_left": 0, "speed": 20, **settings}
        self.install([disc(2 * S, colour) for colour in colours], data_ini(**settings))
        return self.start(["/s"]), self.wait_window(DISPLAY_TITLE)

    def centre_colours(self, runs, timeout=15):  # the centre's colours, a run of equal ones once
        seen, deadline = [], time.monotonic() + timeout
        while len(seen) < runs and time.monotonic() < deadline:
            colour = self.capture().pixel(self.width // 2, self.height // 2)
            if not seen or seen[-1] != colour:
                seen.append(colour)
        self.assertGreaterEqual(len(seen), runs, f"the display does not step: {seen}")
        return seen

    def assert_ends(self, process):
        self.assertEqual(self.wait_exit(process), 0)
        self.assertEqual(self.find_window(DISPLAY_TITLE), 0)

    def arrows_until_it_ends(self):  # an arrow steps a track until the music has given up, then ends it
        def arrow():
            with contextlib.suppress(AssertionError, subprocess.CalledProcessError):  # it ended meanwhile
                self.press("Right")
        self.wait_for(lambda: not self.find_window(DISPLAY_TITLE) or arrow(), "arrows do not end it")

    def test_centre_a_topmost_full_screen_window_without_the_pointer(self):
        process, hwnd = self.start_display(colours=(RED,))
        info = self.window_info(hwnd)
        self.assertEqual(info["rect"], (0, 0, self.width, self.height))
        self.assertEqual(info["style"] & (WS_POPUP | WS_CAPTION), WS_POPUP)
        self.assertTrue(info["exstyle"] & WS_EX_TOPMOST)
        x, y, screen = self.width // 2, self.height // 2, self.capture()
        self.assertEqual(screen.lit_box(), (x - S, y - S, x + S, y + S))  # black everywhere else
        self.assertEqual(screen.pixel(x, y), RED)
        self.assertEqual(self.drive("cursor").strip(), "hidden")
        self.press("Escape")
        self.assert_ends(process)

    def test_bounce_and_spring_keep_the_ball_on_the_screen_and_move_it(self):
        for pattern in (1, 2):
            with self.subTest(motion=pattern):
                process, _ = self.start_display(colours=(RED,), motion=pattern, speed=1)
                boxes, deadline = [], time.monotonic() + 4  # several crossings of the screen at this pace
                while time.monotonic() < deadline or len(set(boxes)) < 3:
                    boxes.append(self.capture().lit_box())
                    self.assertIsNotNone(boxes[-1], f"the ball left the screen: {boxes}")
                    self.assertLess(time.monotonic(), deadline + 10, f"the ball does not move: {boxes}")
                    if pattern == 1:  # bouncing off the edges it shows whole (a capture may fall mid-step)
                        left, top, right, bottom = boxes[-1]
                        self.assertLessEqual(max(abs(right - left - 2 * S), abs(bottom - top - 2 * S)), 3, boxes)
                self.press("Escape")
                self.assert_ends(process)

    def test_the_turn_orders_the_frames(self):
        # Wine's screen can lag a step behind and then skip one: steps of one or two frames count.
        for turn, steps in ((0, {1, 2}), (1, {4, 5})):
            with self.subTest(turn_left=turn):
                process, _ = self.start_display(colours=RAINBOW, turn_left=turn, speed=300)
                shown = [RAINBOW.index(colour) for colour in self.centre_colours(5)]
                for frame, then in zip(shown, shown[1:]):
                    self.assertIn((then - frame) % 6, steps, f"frames shown: {shown}")
                self.press("Escape")
                self.assert_ends(process)

    def test_any_button_key_or_straight_move_ends_it(self):
        cases = {**{f"button {b}": (lambda b=b: self.xdotool("click", b), {}) for b in (1, 2, 3, 8)},
                 **{f"key {k}": (lambda k=k: self.press(k), {}) for k in ("a", "alt", "F10")},
                 "a move across": (lambda: self.xdotool("mousemove", 130, 100), {}),
                 "a move down": (lambda: self.xdotool("mousemove", 100, 130), {}),
                 "an arrow with the music off": (lambda: self.press("Right"), {"music_off": 1}),
                 # No CD drive here and no Music folder: no track for an arrow to step to.
                 "an arrow with music on but nothing to play": (lambda: self.press("Right"), {"music_off": 0}),
                 "an arrow once every Music file failed": (self.arrows_until_it_ends, {"music_off": 0, "music": 1})}
        for what, (act, settings) in cases.items():
            with self.subTest(what):
                if settings.pop("music", 0):  # the last case: files that will not play
                    self.data_path("Music").mkdir(parents=True)
                    for name in ("a.wav", "b.mp3"):
                        self.data_path("Music", name).write_bytes(b"RIFF, but no sound")
                process, _ = self.start_display(**settings)
                # Two steps on, the window appearing under the pointer has not ended it.
                self.centre_colours(3)
                self.assertIsNone(process.poll(), "the display ended by itself")
                act()
                self.assert_ends(process)


if __name__ == "__main__":
    unittest.main()
