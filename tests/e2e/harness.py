"""End-to-end harness: each test installs a fresh C:\\Gyrafoto\\Gyrafoto.scr, drives its windows with
tests/win/drive.exe, waits on events with bounds and cleans up; screenshots go to build/e2e-screenshots/."""

import contextlib
import ctypes
import hashlib
import os
import select
import shutil
import signal
import struct
import subprocess
import tempfile
import time
import types
import unittest
from pathlib import Path

REPO = Path(__file__).resolve().parents[2]
SCREENSHOT_DIR = REPO / "build" / "e2e-screenshots"

SCR_WIN, DATA_FOLDER = "C:\\Gyrafoto\\Gyrafoto.scr", "ジラフォト"
DIALOG_TITLE, DISPLAY_TITLE, OPEN_TITLE = "ジラフォトの設定", "Gyrafoto", "ﾌｧｲﾙを開く"
RENDER_CAPTION = "ﾚﾝﾀﾞﾘﾝｸﾞをしています。"
SAVE_ERROR_TITLE, RENDER_ERROR_TITLE, PICTURE_ERROR_TITLE = "設定の保存ｴﾗｰ", "ﾚﾝﾀﾞﾘﾝｸﾞｴﾗｰ", "画像ﾌｧｲﾙｴﾗｰ"
BROWSE, RENDER, OK, CANCEL, APPLY = "参照...", "ﾚﾝﾀﾞﾘﾝｸﾞ...", "設定", "ｷｬﾝｾﾙ", "適用"
IDOK, IDCANCEL, VK_ESCAPE, SB_LINEUP, SB_LINEDOWN, SB_THUMBPOSITION = 1, 2, 27, 0, 1, 4
WS_CHILD, WS_DISABLED = 0x40000000, 0x08000000
FILE_NAME_FIELD = 1148  # the open-file dialog's file-name combo box
KEYS = {"picture_path": "ｵﾘｼﾞﾅﾙ画像", "stretch": "横ｽﾄﾚｯﾁ", "frame_count": "ﾌﾚｰﾑ数", "radius": "表示画像のｻｲｽﾞ",
        "music_off": "BGM有無", "repeat_track": "BGMﾘﾋﾟｰﾄ", "motion": "移動ﾊﾟﾀｰﾝ", "turn_left": "回転ﾊﾟﾀｰﾝ",
        "speed": "速さ", "trim": "ﾄﾘﾐﾝｸﾞ", "trim_top": "ﾄﾘﾐﾝｸﾞ_Y"}
GREEN = (40, 160, 60)

# Seconds: generous against a loaded 2-core machine, short against a hang. RUN_TIMEOUT: 128 frames rendered.
END_TIMEOUT, WINDOW_TIMEOUT, DRIVE_TIMEOUT, RUN_TIMEOUT = 10, 15, 30, 120


def data_ini(**settings):  # as the program writes it
    lines = ["[Section]"] + [f"{KEYS[name]}={value}" for name, value in settings.items()]
    return ("\r\n".join(lines) + "\r\n").encode("cp932")


def bmp(width, height, pixel):
    """A bottom-up 24-bit Windows bitmap; pixel(x, y) gives (r, g, b) with y counted from the top."""
    rows = [b"".join(bytes(reversed(pixel(x, y))) for x in range(width)) for y in range(height)]
    data = b"".join(row + b"\0" * (-len(row) % 4) for row in reversed(rows))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(data), 0, 0, 14 + len(info)) + info + data


def disc(size, colour, surround=(0, 0, 60)):
    r = size / 2
    return bmp(size, size, lambda x, y: colour if (x + 0.5 - r) ** 2 + (y + 0.5 - r) ** 2 < r * r else surround)


def bmp_pixel(data, x, y):  # from the top, of a bottom-up 24-bit bitmap
    (offset,), (width, height) = struct.unpack_from("<I", data, 10), struct.unpack_from("<ii", data, 18)
    at = offset + (height - 1 - y) * ((width * 3 + 3) // 4 * 4) + x * 3
    return tuple(data[at:at + 3][::-1])


def make_scene(path):
    """A 640 x 480 landscape as a bitmap: sky, sun, a cloud and two hills."""
    draw = ["circle 480,110 480,160", "ellipse 160,330 260,90 180,360", "ellipse 470,360 300,80 180,360",
            "ellipse 150,90 60,22 0,360", "ellipse 200,80 50,25 0,360"]
    fills = ["#ffd966", "#6aa84f", "#38761d", "white", "white"]
    subprocess.run(["convert", "-size", "640x300", "gradient:#5b9bd5-#e8f1fa", "(", "-size", "640x180",
                    "gradient:#4f8a3c-#2e5e2a", ")", "-append"] + [
        a for fill, shape in zip(fills, draw) for a in ("-fill", fill, "-draw", shape)] + ["BMP3:" + str(path)],
        check=True, timeout=30)


def parse_info(line):  # one line of `drive info`
    fields = dict(field.split("=", 1) for field in line.split("\t"))
    return {k: v if k in ("class", "title") else tuple(map(int, v.split(","))) if k in ("rect", "client")
            else int(v, 0) for k, v in fields.items()}


def _text(output, encoding="utf-8"):  # Wine's console tools write code page 932
    return output.decode(encoding, "replace").replace("\r\n", "\n")


def remove_folder(folder, timeout=END_TIMEOUT):
    deadline = time.monotonic() + timeout
    while folder.exists():
        try:  # a program that just died may still hold files for a moment
            shutil.rmtree(folder) if folder.is_dir() else folder.unlink()
        except OSError:
            if time.monotonic() > deadline:
                raise
            time.sleep(0.05)


class Screen:  # one capture of the whole X screen
    def __init__(self, ppm):
        _, width, height, _, self.data = ppm.split(maxsplit=4)  # binary PPM, 8 bits a channel
        self.width, self.height = int(width), int(height)

    def pixel(self, x, y):
        at = (y * self.width + x) * 3
        return tuple(self.data[at:at + 3])

    def lit_box(self):  # around every pixel that is not black
        lit = [y for y in range(self.height) if self.data[y * self.width * 3:(y + 1) * self.width * 3].strip(b"\0")]
        if not lit:
            return None
        spans = [self.data[y * self.width * 3:(y + 1) * self.width * 3] for y in lit]
        left = min(len(row) - len(row.lstrip(b"\0")) for row in spans) // 3
        right = max(len(row.rstrip(b"\0")) + 2 for row in spans) // 3
        return left, lit[0], right, lit[-1] + 1


class WineTestCase(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        for name in ("GYRAFOTO_WINE_SESSION", "WINEPREFIX", "GYRAFOTO_WIN_BUILD_DIR"):
            assert os.environ.get(name), f"{name} is not set: run through scripts/with-wine-display"
        cls.prefix = Path(os.environ["WINEPREFIX"])
        cls.win_build = Path(os.environ["GYRAFOTO_WIN_BUILD_DIR"]).resolve()
        cls.drive_exe = cls.win_exe(cls, "drive")
        # A helper that is missing fails every test: nothing is skipped.
        for needed in (cls.win_build / "Gyrafoto.scr", cls.drive_exe, cls.win_exe(cls, "render_host"),
                       cls.win_exe(cls, "hardening"), cls.win_build / "tools" / "gyrafoto-render.exe",
                       cls.win_build / "bench" / "display_soak.exe"):
            assert needed.is_file(), f"{needed} is missing: build {cls.win_build} first"

    def setUp(self):
        self._processes = []
        self.install_folder = self.prefix / "drive_c" / "Gyrafoto"
        self.addCleanup(self._clean_up)
        self._remove_installation()
        self.pictures = self.install_folder / "pics"
        self.pictures.mkdir(parents=True)
        shutil.copy2(self.win_build / "Gyrafoto.scr", self.install_folder / "Gyrafoto.scr")


    def data_path(self, *parts):  # C:\\ジラフォト\\<parts>
        return self.prefix.joinpath("drive_c", DATA_FOLDER, *parts)

    def win_exe(self, name):
        return self.win_build / "tests" / "win" / f"{name}.exe"

    def frames(self, folder):  # name -> digest of each bitmap
        return {p.name: hashlib.sha1(p.read_bytes()).hexdigest() for p in sorted(self.data_path(folder).glob("*.bmp"))}

    def install(self, frames=(), ini=b""):  # committed frames and Data.ini
        for folder in ("Image1", "Image2"):
            self.data_path(folder).mkdir(parents=True, exist_ok=True)
        for number, frame in enumerate(frames, 1):
            self.data_path("Image1", f"PicD_{number:03d}.bmp").write_bytes(frame)
        if ini is not None:
            self.data_path("Data.ini").write_bytes(ini)
        return self.frames("Image1")


    def start_program(self, program, args=(), stdout=subprocess.DEVNULL, wine="wine"):  # killed at the end of the test
        self._processes.append(subprocess.Popen([wine, str(program), *args], stdin=subprocess.DEVNULL,
                                                stdout=stdout, stderr=subprocess.DEVNULL))
        return self._processes[-1]

    def start(self, args=()):
        return self.start_program(SCR_WIN, args)

    def wait_exit(self, process, timeout=END_TIMEOUT):
        try:
            return process.wait(timeout)
        except subprocess.TimeoutExpired:
            self.fail(f"{process.args[:3]} still runs after {timeout} s; windows:\n{self.drive('list', check=False)}")

    def run_scr(self, args=(), timeout=END_TIMEOUT):
        return self.wait_exit(self.start(args), timeout)

    def run_program(self, program, args=(), timeout=END_TIMEOUT, encoding="utf-8"):  # (exit code, output)
        with tempfile.TemporaryFile() as output:
            exit_code = self.wait_exit(self.start_program(program, args, stdout=output), timeout)
            output.seek(0)
            return exit_code, _text(output.read(), encoding)

    def wait_for(self, condition, what, timeout=END_TIMEOUT):
        deadline = time.monotonic() + timeout
        while not condition():
            if time.monotonic() > deadline:
                self.fail(f"{what} within {timeout} s")
            time.sleep(0.05)


    def drive(self, *args, check=True, timeout=DRIVE_TIMEOUT):
        # Output through a file, not a pipe: Wine's background processes, when this call happens to
        # start them, inherit it and never close it.
        with tempfile.TemporaryFile() as output:
            try:
                done = subprocess.run(["wine", str(self.drive_exe), *map(str, args)], stdin=subprocess.DEVNULL,
                                      stdout=output, stderr=subprocess.DEVNULL, timeout=timeout)
            except subprocess.TimeoutExpired:
                self.fail(f"drive {args} did not answer within {timeout} s")
            output.seek(0)
            text = _text(output.read())
        if check and done.returncode != 0:
            self.fail(f"drive {args} exited with {done.returncode}: {text}")
        return text

    def find_window(self, title):  # 0 if none
        return int(self.drive("find", title))

    def wait_window(self, title, timeout=WINDOW_TIMEOUT):  # visible and answering
        output = self.drive("wait", title, int(timeout * 1000), check=False, timeout=timeout + DRIVE_TIMEOUT)
        if not output.strip().isdigit() or not int(output):
            self.fail(f"no window {title!r} within {timeout} s; visible windows:\n" + self.drive("list", check=False))
        return int(output)

    def wait_gone(self, title, timeout=WINDOW_TIMEOUT):
        self.drive("gone", title, int(timeout * 1000), timeout=timeout + DRIVE_TIMEOUT)

    def window_info(self, hwnd):
        return parse_info(self.drive("info", hwnd).strip())

    def children(self, hwnd):
        return [child for child in self.windows(hwnd) if child["parent"] == hwnd]

    def windows(self, under=None):  # the visible top-level ones, or all under a window
        return [parse_info(line) for line in self.drive(*("tree", under) if under else ("list",)).splitlines() if line]

    def answer_box(self, title):  # OK; returns the lines of its Static texts
        box = self.wait_window(title)
        texts = "\x1f".join(c["title"] for c in self.children(box) if c["class"].lower() == "static" and c["title"])
        self.screenshot(title, box)
        self.drive("button", box, IDOK)
        self.wait_gone(title)
        return texts.split("\x1f")

    def assert_asks_for_frames(self, process):  # /s without frames: the request on the black screen, ended by a key
        self.wait_window(DISPLAY_TITLE)
        screens = []
        self.wait_for(lambda: screens.append(self.capture()) or screens[-1].lit_box(), "no request on the screen",
                      WINDOW_TIMEOUT)
        (left, top, right, bottom), screen = screens[-1].lit_box(), screens[-1]
        self.assertTrue(left < screen.width // 2 < right and top < screen.height // 2 < bottom, "not centred")
        self.assertEqual([w["title"] for w in self.windows()], [DISPLAY_TITLE], "the screen is not covered alone")
        self.screenshot("no frames", screen=screen)
        self.press("a")
        self.assertEqual(self.wait_exit(process), 0)

    @contextlib.contextmanager
    def host_window(self, width, height, title=None):  # a stand-in host (.hwnd); .destroy() or leaving closes it
        process = self.start_program(self.drive_exe, ["host", str(width), str(height)] + ([title] if title else []),
                                     stdout=subprocess.PIPE)
        ready, _, _ = select.select([process.stdout], [], [], WINDOW_TIMEOUT)
        line = process.stdout.readline().strip() if ready else b""
        self.assertTrue(line.isdigit() and int(line), f"drive host did not start: {line!r}")
        hwnd = int(line)
        close = lambda: process.poll() is not None or (self.drive("close", hwnd), self.wait_exit(process))
        yield types.SimpleNamespace(hwnd=hwnd, destroy=close)
        close()


    def open_dialog(self, process=None):
        self.process = process or self.start(["/c"])
        self.dialog = self.wait_window(DIALOG_TITLE)
        self.controls = self.windows(self.dialog)  # where they are; their state is read afresh

    def close_dialog(self):
        self.drive("close", self.dialog)
        self.assertEqual(self.wait_exit(self.process), 0)

    def labelled(self, caption):
        found = [c for c in self.controls if c["title"] == caption]
        self.assertEqual(len(found), 1, caption)
        return found[0]

    def beside(self, caption, side, kind=None):
        """The control nearest to a caption on its side, in line with it, as a user finds unlabelled controls."""
        left, top, right, bottom = self.labelled(caption)["rect"]

        def gap(control):
            c_left, c_top, c_right, c_bottom = control["rect"]
            if side == "below":
                return c_top - bottom if c_left < right and c_right > left else -1
            if c_top >= bottom or c_bottom <= top:
                return -1
            return left - c_right if side == "left" else c_left - right

        found = [c for c in self.controls if gap(c) >= 0 and kind in (None, c["class"])]
        self.assertTrue(found, f"nothing {side} of {caption}")
        return min(found, key=gap)

    def click(self, caption, side=None):
        self.drive("click", (self.beside(caption, side) if side else self.labelled(caption))["hwnd"])

    def scroll(self, caption, *code, times=1):  # the scroll bar right of the caption, as clicked
        bar = self.beside(caption, "right", "ScrollBar")["hwnd"]
        for _ in range(times):
            self.drive("scroll", bar, *code)

    def enabled(self, caption):
        return not self.window_info(self.labelled(caption)["hwnd"])["style"] & WS_DISABLED

    def wait_enabled(self, caption, enabled=True, timeout=END_TIMEOUT):
        self.wait_for(lambda: self.enabled(caption) == enabled, f"{caption} not {'en' if enabled else 'dis'}abled",
                      timeout)

    def text_beside(self, caption, side):
        return self.window_info(self.beside(caption, side)["hwnd"])["title"]

    def path_label(self):
        return self.text_beside("ﾌｧｲﾙﾊﾟｽ", "below")

    def result_box(self):
        left, top, right, bottom = self.beside("ﾚﾝﾀﾞﾘﾝｸﾞ結果", "below")["rect"]
        return self.screen_pixels((left + 2, top + 2, right - 2, bottom - 2))

    def edit_in(self, hwnd):
        return [c for c in self.windows(hwnd) if c["class"].lower() == "edit"][0]["hwnd"]

    def browse(self, windows_path):
        """Presses Browse and picks the file by typing its path into the open-file dialog."""
        self.click(BROWSE)
        chooser = self.wait_window(OPEN_TITLE)
        self.drive("settext", self.edit_in([c for c in self.windows(chooser) if c["id"] == FILE_NAME_FIELD][0]["hwnd"]),
                   windows_path)
        self.drive("button", chooser, IDOK)
        self.wait_gone(OPEN_TITLE)

    def render_with(self, action):
        """Renders, with drive.exe ready to send the rendering window a key code or "hold" it; returns its hwnd."""
        watcher = self.start_program(self.drive_exe, ["waitprefix", RENDER_CAPTION + "1", str(RUN_TIMEOUT * 1000),
                                                      str(action)], stdout=subprocess.PIPE)
        ready, _, _ = select.select([watcher.stdout], [], [], WINDOW_TIMEOUT)
        self.assertTrue(ready and watcher.stdout.readline().strip() == b"watching", "drive.exe does not watch")
        self.click(RENDER)
        self.assertEqual(self.wait_exit(watcher, RUN_TIMEOUT), 0, "no rendering window counted frames")
        return int(watcher.stdout.read())

    def render_to_the_end(self):  # OK is enabled once every frame is written
        self.click(RENDER)
        self.wait_enabled(OK, timeout=RUN_TIMEOUT)


    def screenshot(self, name, hwnd=None, rect=None, screen=None):
        """A PNG of the X screen (or an earlier capture) cropped to the window or rect (left, top, right, bottom)."""
        rect = self.window_info(hwnd)["rect"] if hwnd else rect
        (path := SCREENSHOT_DIR / ".".join(self.id().split(".")[-2:]) / f"{name}.png").parent.mkdir(
            parents=True, exist_ok=True)
        command = ["convert", "ppm:-"] if screen else ["import", "-window", "root"]
        if rect:
            left, top, right, bottom = rect
            command += ["-crop", f"{right - left}x{bottom - top}+{left}+{top}", "+repage"]
        ppm = b"P6 %d %d 255\n" % (screen.width, screen.height) + screen.data if screen else None
        subprocess.run(command + [str(path)], input=ppm, check=True, timeout=DRIVE_TIMEOUT)
        return path

    def capture(self):
        return Screen(subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"], check=True,
                                     capture_output=True, timeout=DRIVE_TIMEOUT, stdin=subprocess.DEVNULL).stdout)

    def screen_size(self):
        return (screen := self.capture()).width, screen.height

    def screen_pixels(self, rect):  # rows of (r, g, b)
        screen, (left, top, right, bottom) = self.capture(), rect
        return [[screen.pixel(x, y) for x in range(left, right)] for y in range(top, bottom)]

    def xdotool(self, *args):
        subprocess.run(["xdotool", *map(str, args)], check=True, timeout=DRIVE_TIMEOUT, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL)

    def press(self, key):
        window = subprocess.run(["xdotool", "search", "--name", f"^{DISPLAY_TITLE}$"], capture_output=True,
                                text=True, timeout=DRIVE_TIMEOUT).stdout.split()
        self.assertTrue(window, "the display has no X window")
        self.xdotool("windowfocus", "--sync", window[0])
        self.xdotool("key", key)


    def _clean_up(self):
        # Killing the Windows processes by pid is enough: `wine X` becomes process X, and the
        # wineserver drops its windows when it dies.
        for process in self._processes:
            if process.poll() is None:
                process.kill()
            with contextlib.suppress(subprocess.TimeoutExpired):
                process.wait(END_TIMEOUT)
            if process.stdout:
                process.stdout.close()
        deadline = time.monotonic() + 3  # the server drops a dead process's windows soon after
        while (leftovers := self.drive("list", check=False).strip()) and time.monotonic() < deadline:
            time.sleep(0.1)
        if leftovers:  # only then is the server restarted
            restart_wineserver()
        self._remove_installation()
        if leftovers:
            self.fail(f"windows left over after the test (wineserver restarted):\n{leftovers}")

    def _remove_installation(self):
        remove_folder(self.install_folder)
        remove_folder(self.data_path())

    def wait_dialog_active(self):
        self.wait_for(lambda: int(self.drive("foreground")) == self.dialog, "the dialog is not the active window")


def restart_wineserver():
    # Nothing of the session may hold the test's output open: CTest waits for it to close.
    for flag in ("-k", "-w", "-p"):
        subprocess.run(["wineserver", flag], timeout=DRIVE_TIMEOUT, check=False, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def end_with_parent():  # in a child before exec: SIGTERM when the test process dies, however it dies
    ctypes.CDLL(None, use_errno=True).prctl(1, signal.SIGTERM)  # PR_SET_PDEATHSIG


def stop(process, timeout=END_TIMEOUT):
    """Ends a Linux helper of a test (a server, a recorder): asked first, then killed."""
    process.terminate()
    with contextlib.suppress(subprocess.TimeoutExpired):
        process.wait(timeout)
    process.kill()  # nothing when it has ended
    process.wait(timeout)
