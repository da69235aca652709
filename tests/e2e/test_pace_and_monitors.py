"""The display on today's screens: an even pace, a quick end at the slowest speed, every monitor black
with the ball on the primary one, and a scaled display."""

import os
import struct
import subprocess
import tempfile
import time
from pathlib import Path

from harness import DRIVE_TIMEOUT, WINDOW_TIMEOUT, WineTestCase
from test_display import DEFAULTS, KEYS, Screen, disc_frame

DISPLAY_TITLE = "Gyrafoto"
DIALOG_TITLE = "ジラフォトの設定"
S = DEFAULTS["Disp_Size"]
NUMBERED_FRAMES = 1000  # more than any measurement here plays, so a frame's number counts the steps
TWO_MONITORS_CONF = Path(__file__).with_name("two-monitors.conf")


def numbered_colour(number):
    """A colour that tells frame `number` (1 ... NUMBERED_FRAMES) apart from every other frame."""
    return 200, number & 0xFF, 40 + (number >> 8) * 40


def solid_frame(size, colour):
    """A size x size 24-bit bitmap of one colour."""
    row = bytes(reversed(colour)) * size
    pixels = (row + b"\0" * (-len(row) % 4)) * size
    info = struct.pack("<IiiHHIIiiII", 40, size, size, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info)) + info + pixels


class DisplayCase(WineTestCase):
    def install(self, frames, **settings):
        """Commits the frames (bitmap bytes) and writes Data.ini with the settings over DEFAULTS."""
        for folder in ("Image1", "Image2"):
            self.data_path(folder).mkdir(parents=True, exist_ok=True)
        for number, frame in enumerate(frames, 1):
            self.data_path("Image1", f"PicD_{number:03}.bmp").write_bytes(frame)
        lines = ["[Section]"] + [f"{KEYS[name]}={value}" for name, value in {**DEFAULTS, **settings}.items()]
        self.data_path("Data.ini").write_bytes(("\r\n".join(lines) + "\r\n").encode("cp932"))

    def start_display(self, frames, **settings):
        self.install(frames, **settings)
        process = self.start(["/s"])
        return process, self.wait_window(DISPLAY_TITLE)

    def xdotool(self, *args):
        subprocess.run(["xdotool", *map(str, args)], check=True, timeout=DRIVE_TIMEOUT, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL)

    def capture(self, name):
        path = self.screenshot(name)
        ppm = subprocess.run(["convert", str(path), "-depth", "8", "ppm:-"], check=True, capture_output=True,
                             timeout=DRIVE_TIMEOUT).stdout
        return Screen(ppm)

    def steps_per_second(self, seconds):
        """The pace of a display of the numbered frames at the centre, told from the frame numbers seen."""
        x, y = (size // 2 for size in self.screen_size())
        numbers = {numbered_colour(n): n for n in range(1, NUMBERED_FRAMES + 1)}
        seen = []
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline or len(seen) < 2:
            before = time.monotonic()
            colour = self.screen_pixels((x, y, x + 1, y + 1))[0][0]
            if colour in numbers:
                seen.append(((before + time.monotonic()) / 2, numbers[colour]))
        (start, first), (end, last) = seen[0], seen[-1]
        return (last - first) / (end - start)


class PaceTest(DisplayCase):
    def test_the_default_speed_plays_about_64_steps_a_second(self):
        frames = [solid_frame(2 * S, numbered_colour(n)) for n in range(1, NUMBERED_FRAMES + 1)]
        self.start_display(frames, Speed=1)
        rate = self.steps_per_second(3)
        self.assertTrue(55 <= rate <= 70, f"{rate:.1f} steps per second")

    def test_a_key_ends_it_at_once_at_the_slowest_speed(self):
        process, _ = self.start_display([disc_frame(2 * S, (255, 0, 0))], Speed=1000)
        window = subprocess.run(["xdotool", "search", "--name", f"^{DISPLAY_TITLE}$"], capture_output=True,
                                text=True, timeout=DRIVE_TIMEOUT).stdout.split()
        self.xdotool("windowfocus", "--sync", window[0])
        # The window has just answered, so a pause of a whole second would be due now.
        pressed = time.monotonic()
        self.xdotool("key", "a")
        self.assertEqual(self.wait_exit(process), 0)
        self.assertLess(time.monotonic() - pressed, 0.5)


class TwoMonitorTest(DisplayCase):
    """On an X server with two monitors side by side, each 1024 x 768; the primary one on the left."""

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.addClassCleanup(cls._back_to_the_session_display, os.environ["DISPLAY"])
        cls._start_two_monitor_server()
        # The Wine session belongs to the display it started on: a new one for the new display.
        cls._restart_wineserver_on(os.environ["DISPLAY"], cls.drive_exe)

    @classmethod
    def _start_two_monitor_server(cls):
        folder = Path(tempfile.mkdtemp(prefix="gyrafoto-xorg-"))
        display_file = folder / "display"
        with open(display_file, "w") as fd:
            server = subprocess.Popen(
                ["Xorg", "-displayfd", str(fd.fileno()), "-config", str(TWO_MONITORS_CONF), "-noreset",
                 "-nolisten", "tcp", "-logfile", str(folder / "log")],
                pass_fds=(fd.fileno(),), stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                stderr=subprocess.DEVNULL)
        cls.addClassCleanup(cls._stop, server, folder)
        deadline = time.monotonic() + WINDOW_TIMEOUT
        while not display_file.read_text().strip():
            if time.monotonic() > deadline or server.poll() is not None:
                raise AssertionError(f"Xorg did not start; see {folder / 'log'}")
            time.sleep(0.1)
        os.environ["DISPLAY"] = ":" + display_file.read_text().split()[0]
        # The last query probes the outputs again, so that the second one counts as connected to
        # programs that only read the current state, as Wine does.
        for xrandr in (["--addmode", "DUMMY1", "1024x768"],
                       ["--output", "DUMMY1", "--mode", "1024x768", "--right-of", "DUMMY0"], ["--query"]):
            subprocess.run(["xrandr", *xrandr], check=True, timeout=DRIVE_TIMEOUT, stdout=subprocess.DEVNULL)

    @staticmethod
    def _stop(server, folder):
        server.terminate()
        try:
            server.wait(DRIVE_TIMEOUT)
        except subprocess.TimeoutExpired:
            server.kill()
            server.wait(DRIVE_TIMEOUT)
        subprocess.run(["rm", "-rf", str(folder)], check=False)

    @staticmethod
    def _restart_wineserver_on(display, drive_exe):
        os.environ["DISPLAY"] = display
        for args in (["-k"], ["-w"], ["-p"]):
            subprocess.run(["wineserver", *args], timeout=DRIVE_TIMEOUT, check=False)
        # The first program that looks at windows starts Wine's desktop, which reads the monitors;
        # a program started meanwhile could still see those of the display before.
        subprocess.run(["wine", str(drive_exe), "list"], timeout=120, check=False, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    @classmethod
    def _back_to_the_session_display(cls, display):
        cls._restart_wineserver_on(display, cls.drive_exe)

    def test_both_monitors_are_black_with_the_ball_on_the_primary_and_a_click_on_the_other_ends_it(self):
        # The pointer rests on the second monitor, so only the click can end it.
        self.xdotool("mousemove", 1500, 400)
        process, hwnd = self.start_display([disc_frame(2 * S, (255, 0, 0))], Move_Ptn=0)
        self.assertEqual(self.window_info(hwnd)["rect"], (0, 0, 2048, 768))
        screen = self.capture("two-monitors")
        self.assertEqual((screen.width, screen.height), (2048, 768))
        # Black everywhere but the frame, centred on the primary monitor.
        self.assertEqual(screen.lit_box(), (512 - S, 384 - S, 512 + S, 384 + S))
        self.assertIsNone(process.poll())
        self.xdotool("click", 1)
        self.assertEqual(self.wait_exit(process), 0)


class ScaledDisplayTest(DisplayCase):
    """At 144 dots per inch (150 %)."""

    DESKTOP_KEY = r"HKCU\Control Panel\Desktop"

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.addClassCleanup(subprocess.run, ["wine", "reg", "delete", cls.DESKTOP_KEY, "/v", "LogPixels", "/f"],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=DRIVE_TIMEOUT)
        subprocess.run(["wine", "reg", "add", cls.DESKTOP_KEY, "/v", "LogPixels", "/t", "REG_DWORD", "/d", "144",
                        "/f"], check=True, stdout=subprocess.DEVNULL, timeout=DRIVE_TIMEOUT)

    def test_the_display_covers_the_screen_at_its_own_pixels_and_the_dialog_shows_whole(self):
        width, height = self.screen_size()
        process, hwnd = self.start_display([disc_frame(2 * S, (255, 0, 0))], Move_Ptn=0)
        self.assertEqual(self.window_info(hwnd)["rect"], (0, 0, width, height))
        x, y = width // 2, height // 2
        self.assertEqual(self.capture("display").lit_box(), (x - S, y - S, x + S, y + S))
        self.xdotool("click", 1)
        self.assertEqual(self.wait_exit(process), 0)

        self.start(["/c"])
        dialog = self.wait_window(DIALOG_TITLE)
        left, top, right, bottom = self.window_info(dialog)["rect"]
        self.assertTrue(0 <= left < right <= width and 0 <= top < bottom <= height, (left, top, right, bottom))
        self.screenshot("dialog", dialog)
