"""Start-up as the host really starts the program: from a drive's root, with blanks in the command line,
after a write cut short; and bitmaps the headless renderer must read as the rendering window does."""

import os
import shutil
import struct
import subprocess
import tempfile
from pathlib import Path

from harness import END_TIMEOUT, REPO, WineTestCase

FRAME_OPTIONS = ["--frames", "8", "--radius", "40"]


def bmp(width, height, bits, top_down=False):
    """A colourful picture; 32-bit pixels carry a varying, non-zero fourth byte, which GDI ignores."""
    step = bits // 8
    rows = []
    for y in range(height):
        row = b"".join(bytes([x * 4 % 256, y * 5 % 256, (x * y) % 256, 1 + (x + y) % 255][:step])
                       for x in range(width))
        rows.append(row + b"\0" * (-len(row) % 4))
    if not top_down:
        rows.reverse()
    data = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, width, -height if top_down else height, 1, bits, 0, len(data), 0, 0, 0, 0)
    return struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54) + info + data


class StartAndBitmapsTest(WineTestCase):
    def cmd(self, line):
        """Runs `line` through cmd.exe, which hands the program its command line unchanged."""
        return self.wait_exit(self.start_program("cmd", ["/c", line]))

    def test_program_in_a_drive_root_keeps_its_data_in_the_root(self):
        root = self.prefix / "drive_c"
        shutil.copy2(self.scr_build, root / "Gyrafoto.scr")
        self.addCleanup((root / "Gyrafoto.scr").unlink)
        misplaced = root / "windows" / "ジラフォト"
        self.addCleanup(shutil.rmtree, misplaced, True)
        self.assertEqual(self.cmd("cd /d C:\\windows && C:\\Gyrafoto.scr /x"), 0)
        self.assertTrue(self.data_path("Image1").is_dir())
        self.assertFalse(misplaced.exists())

    def test_a_blank_before_the_switch_ends_at_once(self):
        # The full-screen mode would show the no-frames box and wait for an answer.
        self.assertEqual(self.cmd("C:\\Gyrafoto\\Gyrafoto.scr  /s"), 0)

    def test_start_up_clears_a_settings_file_whose_writing_was_cut_short(self):
        self.assertEqual(self.run_scr(["/x"]), 0)
        unfinished = self.data_path("Data.ini.new")
        unfinished.write_bytes(b"[Section]\r\n")
        self.assertEqual(self.run_scr(["/x"]), 0)
        self.assertFalse(unfinished.exists())

    def test_headless_renderer_reads_bitmaps_as_the_rendering_window(self):
        render_host = self.win_exe("render_host")
        tools = [self.win_build / "tools" / "gyrafoto-render.exe",
                 Path(os.environ.get("GYRAFOTO_NATIVE_BUILD_DIR", REPO / "build" / "native"))
                 / "tools" / "gyrafoto-render"]
        for tool in [render_host, *tools]:
            self.assertTrue(tool.is_file(), f"{tool} is missing: build it first")
        image2 = self.data_path("Image2")
        image2.mkdir(parents=True)
        pictures = {"32-bit": bmp(64, 48, 32), "top-down": bmp(64, 48, 24, top_down=True)}
        for kind, data in pictures.items():
            with self.subTest(kind=kind):
                (self.install_folder / "絵.bmp").write_bytes(data)
                (image2 / "PicD_099.bmp.new").write_bytes(b"cut short")
                exit_code, output = self.run_program(
                    render_host, ["render", "C:\\Gyrafoto\\絵.bmp", "C:\\ジラフォト\\Image2", *FRAME_OPTIONS])
                self.assertIn("Render_Done=1", output.split())
                window_frames = {p.name: p.read_bytes() for p in image2.glob("*.bmp")}
                self.assertEqual(self.run_program(
                    tools[0], ["C:\\Gyrafoto\\絵.bmp", "C:\\Gyrafoto\\frames", *FRAME_OPTIONS])[0], 0)
                with tempfile.TemporaryDirectory() as linux_frames:
                    subprocess.run([tools[1], self.install_folder / "絵.bmp", linux_frames, *FRAME_OPTIONS],
                                   check=True, stdout=subprocess.DEVNULL, timeout=END_TIMEOUT)
                    for folder in (self.install_folder / "frames", Path(linux_frames)):
                        self.assertEqual(sorted(p.name for p in folder.iterdir()), sorted(window_frames), folder)
                        for name, frame in window_frames.items():
                            self.assertTrue((folder / name).read_bytes() == frame, f"{folder}/{name} differs")
                self.assertFalse((image2 / "PicD_099.bmp.new").exists())
