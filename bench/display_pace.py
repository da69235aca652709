"""Display pace under Wine: steps per second at several speeds, the processor time the screensaver
takes, and how soon a key ends it at the slowest speed. Prints figures; asserts nothing.

Run on a 1920 x 1080 screen, from the repository:

    GYRAFOTO_SCREEN_SIZE=1920x1080 GYRAFOTO_WIN_BUILD_DIR=$PWD/build/win32 \\
        scripts/with-wine-display python3 bench/display_pace.py
"""

import statistics
import subprocess
import sys
import time
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "tests" / "e2e"))

from harness import DISPLAY_TITLE, remove_folder  # noqa: E402
from test_pace_and_monitors import DisplayCase, cpu_seconds, numbered_frames  # noqa: E402

SECONDS = 5


class DisplayPaceBench(DisplayCase):
    def test_figures(self):
        print(f"\nscreen {'x'.join(map(str, self.screen_size()))}", file=sys.stderr)
        numbered = numbered_frames()
        for speed in (1, 16, 50, 100):
            process, _ = self.start_display(numbered, speed=speed)
            print(f"speed {speed}: {self.steps_per_second(SECONDS):.1f} steps per second", file=sys.stderr)
            process.kill()
            self.wait_exit(process)
        for speed in (1, 0):
            process, _ = self.start_display(speed=speed, motion=1)
            before, start = cpu_seconds(process.pid), time.monotonic()
            time.sleep(SECONDS)
            share = (cpu_seconds(process.pid) - before) / (time.monotonic() - start)
            print(f"Speed {speed} in Data.ini, bouncing: {share:.1%} of one core", file=sys.stderr)
            process.kill()
            self.wait_exit(process)
        delays = [self.key_to_end() for _ in range(5)]
        for bound, name in ((0, "from the start of xdotool key"), (1, "from its return, the key sent")):
            times = [delay[bound] * 1000 for delay in delays]
            print(f"speed 1000, key press to the end of the process, {name}: median {statistics.median(times):.0f} ms,"
                  f" longest {max(times):.0f} ms of {len(times)}", file=sys.stderr)

    def start_display(self, *frames, **settings):
        remove_folder(self.data_path("Image1"))  # no frames left from the run before
        return super().start_display(*frames, **settings)

    def key_to_end(self):
        """(seconds from just before the key press, seconds from just after) to the end of the process."""
        process, _ = self.start_display(speed=1000)
        window = subprocess.run(["xdotool", "search", "--name", f"^{DISPLAY_TITLE}$"], capture_output=True,
                                text=True, timeout=30).stdout.split()
        self.xdotool("windowfocus", "--sync", window[0])
        time.sleep(0.5)  # anywhere in a step's pause
        before = time.monotonic()
        self.xdotool("key", "a")
        after = time.monotonic()
        self.wait_exit(process)
        return time.monotonic() - before, time.monotonic() - after


if __name__ == "__main__":
    unittest.main()
