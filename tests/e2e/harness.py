"""End-to-end harness: the built screensaver under Wine on a private X screen.

Every test installs a fresh copy of Gyrafoto.scr as C:\\Gyrafoto\\Gyrafoto.scr
(so its data folder is C:\\ジラフォト), drives its windows with the helper
program drive.exe and cleans up after itself, also when it fails or a wait
times out. Every wait has a timeout.

The tests need a Wine session (X screen, prefix, warm wineserver) and the
mingw build directory holding Gyrafoto.scr and tests/win/*.exe:

    cd tests/e2e
    GYRAFOTO_WIN_BUILD_DIR=/work/main/build/h-e2e-w32 \\
        ../../scripts/with-wine-display python3 -m unittest -v test_startup

and one test alone, the same with a full name in place of test_startup:

    ... python3 -m unittest -v test_startup.StartupTest.test_settings_mode_opens_the_dialog

with-wine-display makes the X screen and the warm wineserver for the run and
tears them down afterwards (setting up the prefix first if needed). CTest runs
the same through tests/e2e/CMakeLists.txt when GYRAFOTO_WIN_BUILD_DIR is set at
configure time.
Screenshots land in build/e2e-screenshots/<TestClass>.<test>/<name>.png.
"""

import contextlib
import os
import select
import shutil
import subprocess
import tempfile
import time
import unittest
from pathlib import Path

REPO = Path(__file__).resolve().parents[2]
SCREENSHOT_DIR = REPO / "build" / "e2e-screenshots"

INSTALL_FOLDER_WIN = "C:\\Gyrafoto"
SCR_WIN = INSTALL_FOLDER_WIN + "\\Gyrafoto.scr"
DATA_FOLDER = "ジラフォト"

# Seconds. Generous against a loaded 2-core machine, short against a hang.
END_TIMEOUT = 10
WINDOW_TIMEOUT = 15
DRIVE_TIMEOUT = 30

WS_CHILD = 0x40000000
WS_CAPTION = 0x00C00000
WS_BORDER = 0x00800000
WS_DLGFRAME = 0x00400000
WS_THICKFRAME = 0x00040000
INFO_NUMBERS = ("hwnd", "exists", "visible", "parent", "owner", "id", "pid")
INFO_HEX = ("style", "exstyle")
INFO_TUPLES = ("rect", "client")


def _session_setting(name):
    value = os.environ.get(name)
    if not value:
        raise AssertionError(
            f"{name} is not set: run the end-to-end tests through "
            "scripts/with-wine-display with GYRAFOTO_WIN_BUILD_DIR set (see tests/e2e/harness.py)")
    return value


def parse_info(line):
    """One line of `drive info` as a dict: numbers as ints, rect and client as int tuples."""
    fields = dict(field.split("=", 1) for field in line.split("\t"))
    for key in INFO_NUMBERS:
        if key in fields:
            fields[key] = int(fields[key])
    for key in INFO_HEX:
        if key in fields:
            fields[key] = int(fields[key], 16)
    for key in INFO_TUPLES:
        if key in fields:
            fields[key] = tuple(int(n) for n in fields[key].split(","))
    return fields


def _text(output):
    return output.decode("utf-8", "replace").replace("\r\n", "\n")


def remove_folder(folder, timeout=END_TIMEOUT):
    """Removes a folder tree if it exists."""
    deadline = time.monotonic() + timeout
    while folder.exists():
        # A program that just died may still hold files for a moment.
        try:
            shutil.rmtree(folder)
        except OSError:
            if time.monotonic() > deadline:
                raise
            time.sleep(0.05)


class HostWindow:
    """A top-level window of drive.exe standing in for the screen-saver host."""

    def __init__(self, process, hwnd):
        self.process = process
        self.hwnd = hwnd

    def destroy(self, timeout=END_TIMEOUT):
        if self.process.poll() is None and not self.process.stdin.closed:
            with contextlib.suppress(OSError):
                self.process.stdin.write(b"destroy\n")
                self.process.stdin.close()
        try:
            self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait(timeout)
            raise AssertionError(f"host window {self.hwnd} did not close within {timeout} s")


class WineTestCase(unittest.TestCase):
    """Base class: a fresh installation per test and helpers to run and drive it."""

    @classmethod
    def setUpClass(cls):
        _session_setting("GYRAFOTO_WINE_SESSION")
        cls.prefix = Path(_session_setting("WINEPREFIX"))
        cls.win_build = Path(_session_setting("GYRAFOTO_WIN_BUILD_DIR")).resolve()
        cls.scr_build = cls.win_build / "Gyrafoto.scr"
        cls.drive_exe = cls.win_build / "tests" / "win" / "drive.exe"
        for needed in (cls.scr_build, cls.drive_exe):
            if not needed.is_file():
                raise AssertionError(f"{needed} is missing: build {cls.win_build} first")

    def setUp(self):
        self._processes = []
        self.install_folder = self.prefix / "drive_c" / "Gyrafoto"
        self.addCleanup(self._clean_up)
        self._remove_installation()
        self.install_folder.mkdir(parents=True)
        shutil.copy2(self.scr_build, self.install_folder / "Gyrafoto.scr")

    # --- paths ---------------------------------------------------------------

    def data_path(self, *parts):
        """The Linux path of C:\\ジラフォト\\<parts>."""
        return self.prefix.joinpath("drive_c", DATA_FOLDER, *parts)

    def win_exe(self, name):
        """The Linux path of <win build>/tests/win/<name>.exe."""
        return self.win_build / "tests" / "win" / f"{name}.exe"

    # --- processes -----------------------------------------------------------

    def start_program(self, program, args=(), stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL):
        """Starts any Windows program; it is killed at the end of the test."""
        process = subprocess.Popen(["wine", str(program), *args], stdin=stdin, stdout=stdout,
                                   stderr=subprocess.DEVNULL)
        self._processes.append(process)
        return process

    def start(self, args=()):
        """Starts the installed screensaver with the given command-line arguments."""
        return self.start_program(SCR_WIN, args)

    def wait_exit(self, process, timeout=END_TIMEOUT):
        """The process's exit code; fails the test if it still runs after `timeout` s."""
        try:
            return process.wait(timeout)
        except subprocess.TimeoutExpired:
            windows = self.drive("list", check=False)
            self.fail(f"{process.args} still runs after {timeout} s; visible windows:\n{windows}")

    def run_scr(self, args=(), timeout=END_TIMEOUT):
        return self.wait_exit(self.start(args), timeout)

    def run_program(self, program, args=(), timeout=END_TIMEOUT):
        """Runs a console program to its end: (exit code, its output as text)."""
        with tempfile.TemporaryFile() as output:
            exit_code = self.wait_exit(self.start_program(program, args, stdout=output), timeout)
            output.seek(0)
            return exit_code, _text(output.read())

    # --- windows -------------------------------------------------------------

    def drive(self, *args, check=True, timeout=DRIVE_TIMEOUT):
        """Runs drive.exe with the arguments and returns its output."""
        command = " ".join(map(str, args))
        # Output through a file, not a pipe: Wine's own background processes,
        # when this call happens to start them, inherit it and never close it.
        with tempfile.TemporaryFile() as output:
            try:
                done = subprocess.run(["wine", str(self.drive_exe), *map(str, args)], stdin=subprocess.DEVNULL,
                                      stdout=output, stderr=subprocess.DEVNULL, timeout=timeout)
            except subprocess.TimeoutExpired:
                self.fail(f"drive {command} did not answer within {timeout} s")
            output.seek(0)
            text = _text(output.read())
        if check and done.returncode != 0:
            self.fail(f"drive {command} exited with {done.returncode}: {text}")
        return text

    def find_window(self, title):
        """The hwnd of a top-level window with exactly this title, or 0."""
        return int(self.drive("find", title))

    def wait_window(self, title, timeout=WINDOW_TIMEOUT):
        """The hwnd of a visible, answering top-level window with this title."""
        output = self.drive("wait", title, int(timeout * 1000), check=False, timeout=timeout + DRIVE_TIMEOUT)
        hwnd = int(output.split()[0]) if output.split() else 0
        if not hwnd:
            self.fail(f"no window titled {title!r} within {timeout} s; visible windows:\n"
                      + self.drive("list", check=False))
        return hwnd

    def wait_gone(self, title, timeout=WINDOW_TIMEOUT):
        self.drive("gone", title, int(timeout * 1000), timeout=timeout + DRIVE_TIMEOUT)

    def wait_child(self, hwnd, timeout=WINDOW_TIMEOUT):
        """The first visible, answering direct child of hwnd."""
        output = self.drive("waitchild", hwnd, int(timeout * 1000), check=False, timeout=timeout + DRIVE_TIMEOUT)
        child = int(output.split()[0]) if output.split() else 0
        if not child:
            self.fail(f"window {hwnd} got no child within {timeout} s")
        return child

    def window_info(self, hwnd):
        return parse_info(self.drive("info", hwnd).strip())

    def children(self, hwnd):
        return [parse_info(line) for line in self.drive("children", hwnd).splitlines() if line]

    def visible_windows(self):
        return [parse_info(line) for line in self.drive("list").splitlines() if line]

    def window_texts(self, hwnd):
        """The window's text followed by the texts of its Static children."""
        return self.drive("text", hwnd).splitlines()

    @contextlib.contextmanager
    def host_window(self, width, height, title=None):
        """A HostWindow whose client area is width x height pixels, destroyed on leaving."""
        args = ["host", width, height] + ([title] if title else [])
        process = self.start_program(self.drive_exe, map(str, args), stdin=subprocess.PIPE, stdout=subprocess.PIPE)
        ready, _, _ = select.select([process.stdout], [], [], WINDOW_TIMEOUT)
        line = process.stdout.readline().decode("utf-8", "replace").strip() if ready else ""
        if not line.isdigit() or int(line) == 0:
            self.fail(f"drive host did not start: {line!r}")
        host = HostWindow(process, int(line))
        try:
            yield host
        finally:
            host.destroy()

    # --- screen --------------------------------------------------------------

    def screenshot(self, name, hwnd=None, rect=None):
        """A PNG of the X screen cropped to the window (or rect = left, top, right, bottom)."""
        if hwnd is not None:
            rect = self.window_info(hwnd)["rect"]
        folder = SCREENSHOT_DIR / ".".join(self.id().split(".")[-2:])
        folder.mkdir(parents=True, exist_ok=True)
        path = folder / f"{name}.png"
        command = ["import", "-window", "root"]
        if rect:
            left, top, right, bottom = rect
            command += ["-crop", f"{right - left}x{bottom - top}+{left}+{top}", "+repage"]
        subprocess.run(command + [str(path)], check=True, timeout=DRIVE_TIMEOUT, stdin=subprocess.DEVNULL)
        return path

    def screen_size(self):
        """(width, height) of the X screen the programs run on."""
        size = subprocess.run(["xdotool", "getdisplaygeometry"], check=True, capture_output=True, text=True,
                              timeout=DRIVE_TIMEOUT, stdin=subprocess.DEVNULL).stdout.split()
        return int(size[0]), int(size[1])

    def screen_pixels(self, rect):
        """The screen's pixels inside rect (left, top, right, bottom) as rows of (r, g, b)."""
        left, top, right, bottom = rect
        ppm = subprocess.run(
            ["import", "-window", "root", "-crop", f"{right - left}x{bottom - top}+{left}+{top}", "+repage",
             "-depth", "8", "ppm:-"], check=True, capture_output=True, timeout=DRIVE_TIMEOUT,
            stdin=subprocess.DEVNULL).stdout
        # Binary PPM: "P6", width, height, maximum, each followed by one blank.
        magic, width, height, maximum, data = ppm.split(maxsplit=4)
        width, height = int(width), int(height)
        if magic != b"P6" or int(maximum) != 255 or len(data) != width * height * 3:
            raise AssertionError("unexpected screenshot format")
        return [[tuple(data[(y * width + x) * 3:(y * width + x) * 3 + 3]) for x in range(width)]
                for y in range(height)]

    # --- clean-up ------------------------------------------------------------

    def _clean_up(self):
        # Killing the Windows processes by pid is enough: `wine X` becomes
        # process X, and the wineserver drops its windows when it dies.
        for process in self._processes:
            if process.poll() is None:
                process.kill()
            with contextlib.suppress(subprocess.TimeoutExpired):
                process.wait(END_TIMEOUT)
            for pipe in (process.stdin, process.stdout):
                if pipe:
                    pipe.close()
        leftovers = self._wait_no_windows()
        if leftovers:
            self._restart_wineserver()
        self._remove_installation()
        if leftovers:
            self.fail(f"windows left over after the test (wineserver restarted):\n{leftovers}")

    def _wait_no_windows(self, timeout=3):
        """What `drive list` still shows once the server has dropped the dead processes' windows."""
        deadline = time.monotonic() + timeout
        while True:
            leftovers = self.drive("list", check=False).strip()
            if not leftovers or time.monotonic() > deadline:
                return leftovers
            time.sleep(0.1)

    def _restart_wineserver(self):
        subprocess.run(["wineserver", "-k"], timeout=DRIVE_TIMEOUT, check=False)
        subprocess.run(["wineserver", "-w"], timeout=DRIVE_TIMEOUT, check=False)
        subprocess.run(["wineserver", "-p"], timeout=DRIVE_TIMEOUT, check=False)

    def _remove_installation(self):
        remove_folder(self.install_folder)
        remove_folder(self.data_path())
