"""The display on today's screens: an even pace, a quick end, two monitors and a scaled display."""

import os
import sys
import subprocess
import tempfile
import time
from pathlib import Path

from harness import (DISPLAY_TITLE, DRIVE_TIMEOUT, WINDOW_TIMEOUT, WineTestCase, data_ini, disc, end_with_parent,
                     REPO, remove_folder, restart_wineserver, stop)

S, RED = 50, (255, 0, 0)
NUMBERED = 64  # frames told apart by their green: a step between two looks is shorter than half the loop


def numbered_frames():  # told apart by their green
    return [disc(2 * S, (200, 4 * n, 40)) for n in range(NUMBERED)]


class DisplayCase(WineTestCase):
    def start_display(self, frames=(disc(2 * S, RED),), **settings):
        self.install(frames, data_ini(**{"radius": S, "music_off": 1, "motion": 0, "speed": 20, **settings}))
        return self.start(["/s"]), self.wait_window(DISPLAY_TITLE)

    def assert_centred(self, screen, hwnd, width, height):  # the window covers it, the ball amid width x height
        self.assertEqual(self.window_info(hwnd)["rect"], (0, 0, screen.width, screen.height))
        self.assertEqual(screen.lit_box(), (width // 2 - S, height // 2 - S, width // 2 + S, height // 2 + S))

    def steps_per_second(self, seconds):  # told from the numbered frames seen amid the screen
        x, y = (size // 2 for size in self.screen_size())
        looks, deadline = [], time.monotonic() + seconds
        while time.monotonic() < deadline or len(looks) < 2:
            before, (red, green, _) = time.monotonic(), self.capture().pixel(x, y)
            if red == 200:
                looks.append(((before + time.monotonic()) / 2, green // 4))
        steps = sum((b - a) % NUMBERED for (_, a), (_, b) in zip(looks, looks[1:]))
        return steps / (looks[-1][0] - looks[0][0])


class PaceTest(DisplayCase):
    def test_speed_1_plays_about_64_steps_a_second_without_spinning_a_core(self):
        process, _ = self.start_display(numbered_frames(), speed=1)
        cpu, start = cpu_seconds(process.pid), time.monotonic()
        self.assertTrue(55 <= (rate := self.steps_per_second(3)) <= 70, f"{rate:.1f} steps per second")
        # Measured: 0.02 of a core; a busy wait takes 0.5 (each look at the queue waits for the wineserver).
        busy = (cpu_seconds(process.pid) - cpu) / (time.monotonic() - start)
        self.assertLess(busy, 0.2, f"{busy:.0%} of a core at 64 steps a second")

    def test_a_key_ends_it_at_once_at_the_slowest_speed(self):
        process, _ = self.start_display(speed=30000)  # held to 1000; the window has just answered: a pause is due
        pressed = time.monotonic()
        self.press("a")
        self.assertEqual(self.wait_exit(process), 0)
        self.assertLess(time.monotonic() - pressed, 0.5)


def cpu_seconds(pid):  # the user and system time a process has used
    fields = Path(f"/proc/{pid}/stat").read_text().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def restart_wineserver_on(display, drive_exe):
    # The first program to look at windows starts Wine's desktop, which reads the display's monitors.
    os.environ["DISPLAY"] = display
    restart_wineserver()
    subprocess.run(["wine", str(drive_exe), "list"], timeout=60, check=False, stdin=subprocess.DEVNULL,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


class TwoMonitorTest(DisplayCase):  # Xorg: two monitors of 1024 x 768, the primary one on the left

    def setUp(self):  # cleaned up after the test's own clean-up
        folder = Path(tempfile.mkdtemp(prefix="gyrafoto-xorg-"))
        self.addCleanup(remove_folder, folder)
        conf = Path(__file__).with_name("two-monitors.conf")
        with open(folder / "display", "w") as fd:
            server = subprocess.Popen(["Xorg", "-displayfd", str(fd.fileno()), "-config", str(conf), "-noreset",
                                       "-nolisten", "tcp", "-logfile", str(folder / "log")], pass_fds=(fd.fileno(),),
                                      stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                      preexec_fn=end_with_parent)  # gone with a killed test process
        self.addCleanup(stop, server)
        display = lambda: (folder / "display").read_text().strip()  # noqa: E731
        self.wait_for(lambda: display() or server.poll() is not None, "Xorg answering", WINDOW_TIMEOUT)
        self.assertIsNone(server.poll(), f"Xorg ended; see {folder / 'log'}")
        self.addCleanup(restart_wineserver_on, os.environ["DISPLAY"], self.drive_exe)
        os.environ["DISPLAY"] = ":" + display()
        # The last query probes the outputs again, so that Wine, which reads only the current state, sees both.
        for xrandr in (["--addmode", "DUMMY1", "1024x768"],
                       ["--output", "DUMMY1", "--mode", "1024x768", "--right-of", "DUMMY0"], ["--query"]):
            subprocess.run(["xrandr", *xrandr], check=True, timeout=DRIVE_TIMEOUT, stdout=subprocess.DEVNULL)
        restart_wineserver_on(os.environ["DISPLAY"], self.drive_exe)
        super().setUp()

    def test_both_black_with_the_ball_on_the_primary_and_a_click_on_the_other_ends_it(self):
        self.xdotool("mousemove", 1500, 400)  # the pointer rests on the second monitor: only the click ends it
        process, hwnd = self.start_display()
        self.screenshot("two-monitors", screen=(screen := self.capture()))
        self.assertEqual((screen.width, screen.height), (2048, 768))
        self.assert_centred(screen, hwnd, 1024, 768)  # over the whole screen, the ball amid the primary
        self.assertIsNone(process.poll())
        self.xdotool("click", 1)
        self.assertEqual(self.wait_exit(process), 0)


def inside(box, outer):
    return outer[0] <= box[0] <= box[2] <= outer[2] and outer[1] <= box[1] <= box[3] <= outer[3]


class ScaledDisplayTest(DisplayCase):  # at 144 dots per inch (150 %)
    def setUp(self):
        key = ["wine", "reg", "add", r"HKCU\Control Panel\Desktop", "/v", "LogPixels"]
        self.addCleanup(subprocess.run, [*key[:2], "delete", *key[3:], "/f"], timeout=DRIVE_TIMEOUT,
                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        subprocess.run([*key, "/t", "REG_DWORD", "/d", "144", "/f"], check=True, stdout=subprocess.DEVNULL,
                       timeout=DRIVE_TIMEOUT)
        super().setUp()

    def test_the_display_covers_the_screen_at_its_own_pixels_and_the_dialog_shows_whole(self):
        process, hwnd = self.start_display()
        self.assert_centred(screen := self.capture(), hwnd, screen.width, screen.height)
        self.xdotool("click", 1)
        self.assertEqual(self.wait_exit(process), 0)
        self.open_dialog()  # the dialog on the screen, each control in the dialog
        dialog = self.window_info(self.dialog)["rect"]
        self.assertTrue(inside(dialog, (0, 0, screen.width, screen.height)), dialog)
        self.assertEqual([c for c in self.controls if not inside(c["rect"], dialog)], [])
        self.screenshot("dialog", self.dialog)
        self.close_dialog()
        remove_folder(self.data_path("Image1"))  # the request to render, in 14-point text: 28 pixels at 144 dpi, 19 at 96
        process = self.start(["/s"])
        self.wait_for(lambda: (box := self.capture().lit_box()) and box[3] - box[1] >= 24, "text not at 144 dpi")
        self.xdotool("click", 1)
        self.assertEqual(self.wait_exit(process), 0)


sys.path.insert(0, str(REPO / "bench"))
import display_pace  # noqa: E402,F401  the benchmark builds on these cases: imported, it stays runnable
