"""The display loop's GDI objects, windows and memory over many steps (GYRAFOTO_SOAK_STEPS, 3000 by default),
counted by bench/display_soak.exe."""

import os
import sys
import unittest

from harness import WineTestCase, disc

STEPS = int(os.environ.get("GYRAFOTO_SOAK_STEPS", "3000"))
MEMORY_SLACK_KB = 256  # a page table or a heap block; a leak per step adds far more


def samples(output):
    return [{k: int(v) for k, v in (field.split("=") for field in line.split())}
            for line in output.splitlines() if line.startswith(("step=", "run="))]


class SoakTest(WineTestCase):
    def assert_flat(self, found, what):
        settled = found[1:]  # from the first sample taken with everything up
        self.assertGreaterEqual(len(settled), 2, found)
        memory = [s["private_kb"] for s in settled]
        print(f"{what}: gdi {sorted({s['gdi'] for s in settled})} (at start {found[0]['gdi']}), windows "
              f"{sorted({s['user'] for s in settled})}, private KB {memory[0]} .. {max(memory)}", file=sys.stderr)
        self.assertEqual(len({s["gdi"] for s in settled}), 1, f"{what}: GDI objects change: {found}")
        self.assertEqual(len({s["user"] for s in settled}), 1, f"{what}: windows change: {found}")
        self.assertLessEqual(max(memory) - memory[0], MEMORY_SLACK_KB, f"{what}: memory grows: {found}")

    def test_the_display_loop_holds_its_objects_flat_with_every_motion_pattern(self):
        for number, colour in enumerate([(200, 40, 30), (30, 160, 60), (40, 60, 200)], 1):
            (self.pictures / f"PicD_{number:03d}.bmp").write_bytes(disc(200, colour))
        for move in (0, 1, 2):
            with self.subTest(motion=move):
                code, output = self.run_program(self.win_build / "bench" / "display_soak.exe", [
                    "C:\\Gyrafoto\\pics", *map(str, (STEPS, STEPS // 6, move, move % 2, 100))],
                    timeout=60 + STEPS / 100)
                found = samples(output)
                self.assertEqual((code, found[-1]["step"]), (0, STEPS), output)
                # The window and its picture are up: the count sees them.
                self.assertGreater(found[1]["gdi"], found[0]["gdi"])
                self.assertGreaterEqual(found[1]["user"], 2)
                self.assert_flat(found, f"display pattern {move}, {STEPS} steps")


if __name__ == "__main__":
    unittest.main()
