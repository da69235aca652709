"""The soak: the screensaver's display loop for thousands of steps with every motion pattern, and ten
renderings of 128 frames at N = 200 in a row, while the process's GDI objects, windows and memory are
counted. A leaked brush or DC per step is the classic screensaver bug; here every count must stay flat.

What is counted, and how (Wine's GetGuiResources reports 0):
- In-process (hardening.exe runs the display loop and the rendering window of the real code): GDI
  objects by asking GetObjectType about every handle slot, the process's windows, its private memory;
  sampled between steps at exact step numbers.
- The real Gyrafoto.scr from outside: the resident and virtual memory of its process
  (/proc/<pid>/status), its visible windows through drive.exe.

Figures are printed. The length comes from the environment, so that CI runs a short pass and a longer
one is the same command:

    GYRAFOTO_SOAK_STEPS=200000 GYRAFOTO_SOAK_SECONDS=60 GYRAFOTO_SOAK_RUNS=50 \\
        ../../scripts/with-wine-display python3 -m unittest -v test_soak
"""

import os
import subprocess
import sys
import time
import unittest

import test_road
from harness import DRIVE_TIMEOUT, WineTestCase
from test_display import disc_frame
from test_road import RENDER_CAPTION, RoadTest, data_ini

STEPS = int(os.environ.get("GYRAFOTO_SOAK_STEPS", "6000"))
SECONDS = float(os.environ.get("GYRAFOTO_SOAK_SECONDS", "4"))
RUNS = int(os.environ.get("GYRAFOTO_SOAK_RUNS", "10"))
SAMPLES = 6
MOVES = {0: "centre", 1: "pattern 1", 2: "pattern 2"}
# Private memory may move by a page table or a heap block; a leak of a brush, DC or bitmap per step
# would add far more over thousands of steps.
MEMORY_SLACK_KB = 256
# The screensaver's resident memory seen from outside: Wine's own housekeeping (X requests, fonts)
# moves it by a few hundred KB; a per-step leak of even 100 bytes is more over a soak.
PROCESS_SLACK_KB = 1024
COLOURS = [(200, 40, 30), (30, 160, 60), (40, 60, 200), (220, 200, 40)]


def report(line):
    print(line, file=sys.stderr, flush=True)


def parse_samples(output):
    """Sample lines of hardening.exe as dicts of ints."""
    return [{k: int(v) for k, v in (field.split("=") for field in line.split())}
            for line in output.splitlines() if line.startswith(("step=", "run="))]


def process_memory(pid):
    """(VmRSS, VmSize) in KB of a Linux process, or None once it has gone."""
    try:
        with open(f"/proc/{pid}/status") as status:
            fields = dict(line.split(":", 1) for line in status if ":" in line)
    except OSError:
        return None
    return int(fields["VmRSS"].split()[0]), int(fields["VmSize"].split()[0])


class SoakInProcessTest(WineTestCase):
    def setUp(self):
        super().setUp()
        self.hardening = self.win_exe("hardening")
        self.frames = self.install_folder / "frames"
        self.frames.mkdir()

    def assert_flat(self, samples, what):
        """From the first sample taken with everything up, every count equal and memory within the slack."""
        settled = samples[1:]
        self.assertGreaterEqual(len(settled), 2, samples)
        gdi = {s["gdi"] for s in settled}
        user = {s["user"] for s in settled}
        memory = [s["private_kb"] for s in settled]
        report(f"{what}: gdi {sorted(gdi)} (at start {samples[0]['gdi']}), windows {sorted(user)}, "
               f"private KB {memory[0]} .. {max(memory)}")
        self.assertEqual(len(gdi), 1, f"{what}: GDI objects change: {samples}")
        self.assertEqual(len(user), 1, f"{what}: windows change: {samples}")
        self.assertLessEqual(max(memory) - memory[0], MEMORY_SLACK_KB, f"{what}: memory grows: {samples}")

    def test_display_loop_holds_its_objects_flat_with_every_motion_pattern(self):
        for number, colour in enumerate(COLOURS, 1):
            (self.frames / f"PicD_{number:03d}.bmp").write_bytes(disc_frame(200, colour))
        every = max(1, STEPS // SAMPLES)
        for move, name in MOVES.items():
            for rotation in (0, 1):
                with self.subTest(move=name, rotation=rotation):
                    started = time.monotonic()
                    exit_code, output = self.run_program(
                        self.hardening, ["display", "C:\\Gyrafoto\\frames", *map(str, (STEPS, every, move, rotation, 100))],
                        timeout=60 + STEPS / 100)
                    samples = parse_samples(output)
                    self.assertEqual((exit_code, samples[-1]["step"]), (0, STEPS), output)
                    # The window and its picture are up: the probe sees them.
                    self.assertGreater(samples[1]["gdi"], samples[0]["gdi"])
                    self.assertGreaterEqual(samples[1]["user"], 2)
                    self.assert_flat(samples, f"display {name}, rotation {rotation}, {STEPS} steps in "
                                              f"{time.monotonic() - started:.1f} s")

    def test_ten_renderings_in_a_row_hold_their_objects_flat(self):
        picture = self.install_folder / "写真.bmp"
        subprocess.run(["convert", "-size", "640x480", "gradient:#5b9bd5-#2e5e2a", "BMP3:" + str(picture)],
                       check=True, timeout=DRIVE_TIMEOUT)
        image2 = self.install_folder / "Image2"
        image2.mkdir()
        exit_code, output = self.run_program(
            self.hardening, ["render", "C:\\Gyrafoto\\写真.bmp", "C:\\Gyrafoto\\Image2", *map(str, (RUNS, 200, 128))],
            timeout=60 + 20 * RUNS)
        samples = parse_samples(output)
        self.assertEqual((exit_code, len(samples)), (0, RUNS + 1), output)
        # A turn of 128 frames, and the windows that run on into the beginning of the strip.
        self.assertEqual(len(list(image2.glob("PicD_*.bmp"))), 134)
        # Between runs the rendering window is gone: no window is left over.
        self.assertEqual({s["user"] for s in samples[1:]}, {0})
        self.assert_flat(samples, f"{RUNS} renderings of 128 frames at N = 200")


class SoakScreensaverTest(WineTestCase):
    """The real Gyrafoto.scr, watched from outside."""

    def test_screensaver_memory_stays_flat_with_every_motion_pattern(self):
        for folder in ("Image1", "Image2"):
            self.data_path(folder).mkdir(parents=True)
        for number, colour in enumerate(COLOURS, 1):
            self.data_path("Image1", f"PicD_{number:03d}.bmp").write_bytes(disc_frame(200, colour))
        # Pattern 7 is none: a black screen that makes no steps but must end on input all the same.
        for move, name in {**MOVES, 7: "no such pattern"}.items():
            with self.subTest(move=name):
                self.data_path("Data.ini").write_bytes(
                    data_ini(Disp_Size=100, BGM_Sel=1, Move_Ptn=move, Kaiten_Ptn=move % 2, Speed=0))
                process = self.start(["/s"])
                display = self.wait_window("Gyrafoto")
                time.sleep(1)  # settled: frames decoded, the window up
                samples = []
                deadline = time.monotonic() + SECONDS
                while time.monotonic() < deadline:
                    samples.append(process_memory(process.pid))
                    time.sleep(SECONDS / 20)
                windows = [w for w in self.visible_windows() if w["pid"] == self.window_info(display)["pid"]]
                self.drive("click", display)
                self.assertEqual(self.wait_exit(process), 0)
                self.assertNotIn(None, samples, "the screensaver ended by itself")
                rss = [s[0] for s in samples]
                size = [s[1] for s in samples]
                report(f"Gyrafoto.scr /s {name}, {SECONDS:.0f} s: resident KB {rss[0]} .. {max(rss)}, "
                       f"virtual KB {size[0]} .. {max(size)}, visible windows {len(windows)}")
                self.assertEqual(len(windows), 1)
                self.assertLessEqual(max(rss) - rss[0], PROCESS_SLACK_KB, rss)
                self.assertLessEqual(max(size) - size[0], PROCESS_SLACK_KB, size)


def load_tests(loader, tests, pattern):
    """This module's tests only, not those of the dialog tests it borrows from."""
    suite = unittest.TestSuite()
    for case in (SoakInProcessTest, SoakScreensaverTest, SoakDialogTest):
        suite.addTests(case(name) for name in loader.getTestCaseNames(case) if name in vars(case))
    return suite


class SoakDialogTest(RoadTest):
    """Ten renderings from the real dialog, its process watched from outside."""

    def test_ten_renderings_from_the_dialog_leave_its_memory_flat(self):
        self.save_settings(Orgn_Path=self.scene, Flame_Count=128, Disp_Size=200)
        self.open_dialog()
        pid = self.process.pid
        image2 = self.data_path("Image2")
        samples = []
        for run in range(RUNS):
            started = time.time()
            self.click_button("ﾚﾝﾀﾞﾘﾝｸﾞ...")
            self.wait_for(lambda: self.rendered_since(image2, started),
                          f"rendering {run + 1} did not finish: {self.visible_windows()}, "
                          f"{sorted(p.name for p in image2.iterdir())[-3:]}", timeout=test_road.RUN_TIMEOUT)
            samples.append(process_memory(pid))
        rss = [s[0] for s in samples]
        report(f"dialog, {RUNS} renderings of 128 frames at N = 200: resident KB after each {rss}")
        self.assertLessEqual(max(rss[1:]) - rss[1], PROCESS_SLACK_KB, rss)
        self.assertEqual(len(list(image2.glob("PicD_*.bmp"))), 134)
        self.close_dialog()

    def rendered_since(self, image2, started):
        """The rendering window has gone, and every frame in Image2 is newer than `started`."""
        if any(w["title"].startswith(RENDER_CAPTION) for w in self.visible_windows()):
            return False
        frames = list(image2.glob("PicD_*.bmp"))
        return len(frames) == 134 and all(f.stat().st_mtime >= started for f in frames)


if __name__ == "__main__":
    unittest.main()
