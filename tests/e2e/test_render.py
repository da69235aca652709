"""The rendering window: frames written as the headless renderer writes them, every picture format, the
window while it works, Esc, and the failures that must leave the frame folder as it was or say so."""

import os
import select
import struct
import subprocess
import time
import unittest
import zlib

from harness import DRIVE_TIMEOUT, END_TIMEOUT, WINDOW_TIMEOUT, WineTestCase

CAPTION = "ﾚﾝﾀﾞﾘﾝｸﾞをしています。"
ERROR_TITLE = "ﾚﾝﾀﾞﾘﾝｸﾞｴﾗｰ"
NOT_A_PICTURE = ["画像ﾌｧｲﾙを読み込めませんでした。", "(bmp gif jpg wmf)の画像を指定して下さい。"]
NOT_SAVED = ["ﾚﾝﾀﾞﾘﾝｸﾞした画像を保存できませんでした。", "ﾃﾞｨｽｸの空きとﾌｫﾙﾀﾞを確認して下さい。"]
TOO_LARGE = ["画像のｻｲｽﾞが大きすぎます。"]
DOES_NOT_ADVANCE = ["画像の横幅に対してﾌﾚｰﾑ数が多すぎます。", "ﾌﾚｰﾑ数を減らすか(横ｽﾄﾚｯﾁ)して下さい。"]
IDOK = 1
VK_ESCAPE = 27
EDGE_RAISED = 5
N = 100  # the dialog's default radius: frames are 2N x 2N
FRAMES = 64  # the dialog's default frame count
RUN_TIMEOUT = 60  # a whole run under Wine takes well under a second; generous for a loaded machine
BLACK = (0, 0, 0)


def frame_name(number):
    return f"PicD_{number:03d}.bmp"


def frame_names(count):
    return [frame_name(n) for n in range(1, count + 1)]


def bmp_24bit(width, height, pixel):
    """A bottom-up 24-bit Windows bitmap; pixel(x, y) gives (r, g, b) with y counted from the top."""
    rows = []
    for y in range(height):
        row = b"".join(bytes(reversed(pixel(x, y))) for x in range(width))
        rows.append(row + b"\0" * (-len(row) % 4))
    data = b"".join(reversed(rows))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(data), 0, 0, 14 + len(info)) + info + data


def read_bmp(data):
    """(width, height, rows of (r, g, b) from the top) of an uncompressed bottom-up 24- or 32-bit bitmap."""
    if data[:2] != b"BM":
        raise AssertionError("not a Windows bitmap")
    offset, = struct.unpack_from("<I", data, 10)
    width, height, _, bits, compression = struct.unpack_from("<iiHHI", data, 18)
    if height <= 0 or bits not in (24, 32) or compression != 0:
        raise AssertionError(f"unexpected bitmap: height {height}, {bits} bits, compression {compression}")
    step = bits // 8
    stride = (width * step + 3) // 4 * 4
    rows = []
    for y in range(height):
        start = offset + (height - 1 - y) * stride
        rows.append([tuple(reversed(data[start + x * step:start + x * step + 3])) for x in range(width)])
    return width, height, rows


def pattern(x, y):
    """Colour ramps under a checkerboard: every frame of the ball differs from the others."""
    return (x * 255 // 639, y * 255 // 479, 255 if (x // 40 + y // 40) % 2 else 0)


def blank_png(width, height):
    """A black one-bit PNG: tiny on disk however many pixels it has."""
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    rows = (b"\0" * (1 + (width + 7) // 8)) * height
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 1, 0, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


def placeable_wmf():
    """A placeable metafile, 4000 x 2000 units at 1000 per inch (384 x 192 pixels on the screen):
    a red field, a green square in its top-left quarter of the height, a blue ellipse in the middle."""
    def record(function, *words, raw=b""):
        body = struct.pack(f"<{len(words)}h", *words) + raw
        return struct.pack("<IH", 3 + len(body) // 2, function) + body

    def brush(red, green, blue):  # META_CREATEBRUSHINDIRECT: solid
        return record(0x02FC, raw=struct.pack("<HIH", 0, red | green << 8 | blue << 16, 0))

    records = [record(0x020B, 0, 0), record(0x020C, 2000, 4000),  # window origin, extent (y, x)
               record(0x02FA, raw=struct.pack("<HhhI", 5, 0, 0, 0)), record(0x012D, 0),  # no outline
               brush(255, 0, 0), brush(0, 0, 255), brush(0, 255, 0),
               record(0x012D, 1), record(0x041B, 2000, 4000, 0, 0),  # rectangle (bottom, right, top, left)
               record(0x012D, 2), record(0x0418, 1500, 3000, 500, 1000),  # ellipse
               record(0x012D, 3), record(0x041B, 1000, 1000, 0, 0),
               record(0x0000)]
    body = b"".join(records)
    header = struct.pack("<HHHIHIH", 1, 9, 0x0300, 9 + len(body) // 2, 4, max(len(r) // 2 for r in records), 0)
    placeable = struct.pack("<IHhhhhHI", 0x9AC6CDD7, 0, 0, 0, 4000, 2000, 1000, 0)
    checksum = 0
    for word, in struct.iter_unpack("<H", placeable):
        checksum ^= word
    return placeable + struct.pack("<H", checksum) + header + body


class RenderWindowTest(WineTestCase):
    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.render_host = cls.win_build / "tests" / "win" / "render_host.exe"
        cls.render_tool = cls.win_build / "tools" / "gyrafoto-render.exe"
        for needed in (cls.render_host, cls.render_tool):
            if not needed.is_file():
                raise AssertionError(f"{needed} is missing: build {cls.win_build} first")

    def setUp(self):
        super().setUp()
        self.image2 = self.data_path("Image2")
        self.image2.mkdir(parents=True)
        self.pictures = self.install_folder / "写真"
        self.pictures.mkdir()

    # --- helpers -------------------------------------------------------------

    def windows_path(self, path):
        """C:\\... for a path inside the prefix's drive C."""
        return "C:\\" + str(path.relative_to(self.prefix / "drive_c")).replace("/", "\\")

    def picture(self, name, data):
        """Writes a picture into C:\\Gyrafoto\\写真 and returns its Windows path."""
        (self.pictures / name).write_bytes(data)
        return self.windows_path(self.pictures / name)

    def bmp_picture(self):
        return self.picture("絵.bmp", bmp_24bit(640, 480, pattern))

    def converted_picture(self, name, *convert_options):
        """The test pattern converted by ImageMagick into the format of `name`."""
        source = self.pictures / "source.bmp"
        source.write_bytes(bmp_24bit(640, 480, pattern))
        subprocess.run(["convert", str(source), *convert_options, str(self.pictures / name)], check=True,
                       timeout=DRIVE_TIMEOUT, stdin=subprocess.DEVNULL)
        source.unlink()
        return self.windows_path(self.pictures / name)

    def start_render(self, picture, *options):
        return self.start_program(self.render_host, ["render", picture, self.windows_path(self.image2), *options],
                                  stdin=subprocess.PIPE, stdout=subprocess.PIPE)

    def read_line(self, process, timeout=RUN_TIMEOUT):
        """One line of render_host's output, read byte by byte so that nothing waits in a buffer."""
        deadline = time.monotonic() + timeout
        line = b""
        while not line.endswith(b"\n"):
            ready, _, _ = select.select([process.stdout], [], [], max(0, deadline - time.monotonic()))
            byte = os.read(process.stdout.fileno(), 1) if ready else b""
            if not byte:
                self.fail(f"render_host ended or said nothing within {timeout} s: {line!r}")
            line += byte
        return line.decode("utf-8").strip()

    def wait_paused(self, process, frame):
        """The rendering window's hwnd once frame `frame` is shown and captioned."""
        words = self.read_line(process).split()
        self.assertEqual(words[:2], ["paused", str(frame)], words)
        return int(words[2])

    def go_on(self, process):
        process.stdin.write(b"go\n")
        process.stdin.flush()

    def finish(self, process, timeout=RUN_TIMEOUT):
        """render_host's closing report as a dict, once it has ended."""
        self.assertEqual(self.wait_exit(process, timeout), 0)
        lines = process.stdout.read().decode("utf-8").split()
        return dict(line.split("=", 1) for line in lines)

    def render(self, picture, *options):
        return self.finish(self.start_render(picture, *options))

    def frames_in_image2(self):
        return sorted(p.name for p in self.image2.iterdir())

    def folder_contents(self, folder):
        return {p.name: (p.read_bytes() if p.is_file() else "folder") for p in folder.iterdir()}

    def fill_image2(self):
        """Old frames and another file, as an earlier rendering left them."""
        for name in frame_names(80):
            (self.image2 / name).write_bytes(bmp_24bit(4, 4, lambda x, y: (1, 2, 3)))
        (self.image2 / "memo.txt").write_bytes(b"kept")
        return self.folder_contents(self.image2)

    def answer_error_box(self, expected_text):
        box = self.wait_window(ERROR_TITLE)
        self.assertEqual(self.window_texts(box), [ERROR_TITLE, *expected_text])
        self.screenshot("error-box", box)
        self.drive("button", box, IDOK)

    def assert_frame_files(self, count, size=2 * N):
        self.assertEqual(self.frames_in_image2(), frame_names(count))
        for name in frame_names(count):
            width, height, _ = read_bmp((self.image2 / name).read_bytes())
            self.assertEqual((width, height), (size, size), name)

    def assert_ball_on_screen(self, hwnd, frame):
        """The window shows frame `frame` of Image2 pixel for pixel at (8, 8) of its black client area."""
        info = self.window_info(hwnd)
        left, top = info["client"][:2]
        screen = self.screen_pixels((left, top, left + 2 * N + 20, top + 2 * N + 20))
        _, _, expected = read_bmp((self.image2 / frame_name(frame)).read_bytes())
        shown = [row[8:8 + 2 * N] for row in screen[8:8 + 2 * N]]
        self.assertEqual(shown, expected, f"the window does not show frame {frame}")
        margin = screen[:8] + screen[8 + 2 * N:] + [row[:8] + row[8 + 2 * N:] for row in screen]
        self.assertEqual({p for row in margin for p in row}, {BLACK})
        centre = expected[N][N]
        self.assertNotEqual(centre, BLACK, "no picture on the ball")

    # --- tests ---------------------------------------------------------------

    def test_bmp_frames_are_those_of_the_headless_renderer(self):
        picture = self.bmp_picture()
        # The options as render_host and gyrafoto-render both take them.
        cases = {(): 67, ("--stretch",): 67, ("--trim", "20"): 67, ("--radius", "150", "--frames", "40"): 40}
        for options, count in cases.items():
            with self.subTest(options=options):
                before = self.fill_image2()
                report = self.render(picture, "--hourglass", *options)
                self.assertEqual(report, {"Render_Done": "1", "pointer": "default"})
                self.assertEqual(self.frames_in_image2(), frame_names(count) + ["memo.txt"])
                self.assertEqual((self.image2 / "memo.txt").read_bytes(), before["memo.txt"])
                (self.image2 / "memo.txt").unlink()
                radius = int(options[1]) if "--radius" in options else N
                self.assert_frame_files(count, 2 * radius)

                reference = self.install_folder / "reference"
                exit_code, output = self.run_program(
                    self.render_tool, [picture, self.windows_path(reference), *options], timeout=RUN_TIMEOUT)
                self.assertEqual(exit_code, 0, output)
                self.assertEqual(sorted(p.name for p in reference.iterdir()), frame_names(count))
                for name in frame_names(count):
                    # Both write the same 24-bit files: equal bytes are equal pixels.
                    self.assertEqual((self.image2 / name).read_bytes(), (reference / name).read_bytes(), name)

    def test_decoder_reads_each_format_at_its_natural_size(self):
        _, _, original = read_bmp(bmp_24bit(640, 480, pattern))
        cases = [("絵.bmp", None, 0), ("絵.png", (), 0), ("絵.jpg", ("-quality", "95"), 12),
                 ("絵p.jpg", ("-quality", "95", "-interlace", "JPEG"), 12), ("絵.gif", (), None)]
        for name, convert_options, tolerance in cases:
            with self.subTest(name=name):
                picture = (self.bmp_picture() if convert_options is None
                           else self.converted_picture(name, *convert_options))
                decoded = self.install_folder / "decoded.bmp"
                exit_code, output = self.run_program(
                    self.render_host, ["decode", picture, self.windows_path(decoded)])
                self.assertEqual((exit_code, output.strip()), (0, "640x480"))
                width, height, pixels = read_bmp(decoded.read_bytes())
                if tolerance is None:  # a palette picture: the palette's colours exactly
                    expected = subprocess.run(
                        ["convert", str(self.pictures / name), "-type", "TrueColor", "bmp3:-"], check=True,
                        capture_output=True, timeout=DRIVE_TIMEOUT).stdout
                    self.assertEqual(pixels, read_bmp(expected)[2])
                else:
                    worst = max(abs(a - b) for row, want in zip(pixels, original) for p, q in zip(row, want)
                                for a, b in zip(p, q))
                    self.assertLessEqual(worst, tolerance)

        decoded = self.install_folder / "decoded.bmp"
        exit_code, output = self.run_program(
            self.render_host, ["decode", self.picture("図.wmf", placeable_wmf()), self.windows_path(decoded)])
        self.assertEqual((exit_code, output.strip()), (0, "384x192"))
        _, _, pixels = read_bmp(decoded.read_bytes())
        for (x, y), colour in {(10, 10): (0, 255, 0), (380, 10): (255, 0, 0), (192, 96): (0, 0, 255),
                               (10, 150): (255, 0, 0), (383, 191): (255, 0, 0)}.items():
            self.assertEqual(pixels[y][x], colour, (x, y))

    def test_jpeg_gif_png_and_wmf_pictures_render(self):
        pictures = {"jpeg": lambda: self.converted_picture("絵.jpg", "-quality", "90"),
                    "progressive-jpeg": lambda: self.converted_picture("絵p.jpg", "-interlace", "JPEG"),
                    "gif": lambda: self.converted_picture("絵.gif"),
                    "png": lambda: self.converted_picture("絵.png"),
                    "wmf": lambda: self.picture("図.wmf", placeable_wmf())}
        for kind, make in pictures.items():
            with self.subTest(kind=kind):
                process = self.start_render(make(), "--pause-at", "20")
                hwnd = self.wait_paused(process, 20)
                self.screenshot(f"{kind}-frame-20", hwnd)
                self.assert_ball_on_screen(hwnd, 20)
                self.go_on(process)
                self.assertEqual(self.finish(process)["Render_Done"], "1")
                self.assert_frame_files(67)

    def test_window_while_it_works_shows_the_ball_and_the_counter(self):
        process = self.start_render(self.bmp_picture(), "--pause-at", "12")
        hwnd = self.wait_paused(process, 12)
        self.screenshot("frame-12", hwnd)
        info = self.window_info(hwnd)
        self.assertEqual(self.window_texts(hwnd)[0], CAPTION + "12/64")
        left, top, right, bottom = info["rect"]
        self.assertEqual((right - left, bottom - top), (2 * N + 20 + 8, 2 * N + 20 + 27))
        screen_w, screen_h = self.screen_size()
        self.assertEqual((left, top), ((screen_w - right + left) // 2, (screen_h - bottom + top) // 2))
        panel, = self.children(hwnd)
        client_left, client_top = info["client"][:2]
        self.assertEqual(panel["rect"], (client_left, client_top, client_left + 2 * N + 20, client_top + 2 * N + 20))
        frame, = self.children(panel["hwnd"])
        frame_left, frame_top = client_left + 8, client_top + 8
        self.assertEqual(frame["rect"], (frame_left, frame_top, frame_left + 2 * N, frame_top + 2 * N))
        self.assert_frame_files(12)
        self.assert_ball_on_screen(hwnd, 12)
        self.go_on(process)
        self.assertEqual(self.finish(process)["Render_Done"], "1")

    def test_counter_stops_at_the_frame_count(self):
        process = self.start_render(self.bmp_picture(), "--pause-at", "66")
        hwnd = self.wait_paused(process, 66)
        self.assertEqual(self.window_texts(hwnd)[0], CAPTION + "64/64")
        self.go_on(process)
        self.assertEqual(self.finish(process)["Render_Done"], "1")
        self.assert_frame_files(67)

    def test_escape_or_closing_keeps_the_frames_so_far_and_is_not_done(self):
        picture = self.bmp_picture()
        for frame, action in ((5, ("key", VK_ESCAPE)), (1, ("key", VK_ESCAPE)), (9, ("close",))):
            with self.subTest(frame=frame, action=action):
                self.fill_image2()
                process = self.start_render(picture, "--pause-at", str(frame), "--hourglass")
                hwnd = self.wait_paused(process, frame)
                self.drive(action[0], hwnd, *action[1:])
                self.go_on(process)
                self.assertEqual(self.finish(process), {"Render_Done": "0", "pointer": "default"})
                self.assertEqual(self.frames_in_image2(), frame_names(frame) + ["memo.txt"])
                self.assertFalse(self.window_info(hwnd)["exists"])

    def test_undecodable_picture_leaves_the_frame_folder_as_it_was(self):
        before = self.fill_image2()
        for picture in (self.picture("壊れた.jpg", b"\xff\xd8\xff\xe0 not really a picture"),
                        self.picture("空.bmp", b""), self.windows_path(self.pictures / "ない.bmp")):
            with self.subTest(picture=picture):
                process = self.start_render(picture, "--hourglass")
                self.answer_error_box(NOT_A_PICTURE)
                self.assertEqual(self.finish(process), {"Render_Done": "0", "pointer": "default"})
                self.assertEqual(self.folder_contents(self.image2), before)

    def test_picture_too_large_to_hold_is_refused_before_anything_is_deleted(self):
        before = self.fill_image2()
        # 1.6 billion pixels: refused from the header, so the file needs no more.
        huge = self.picture("大きい.png", blank_png(40000, 40000)[:100])
        exit_code, output = self.run_program(
            self.render_host, ["decode", huge, self.windows_path(self.pictures / "x.bmp")])
        self.assertEqual((exit_code, output.strip()), (1, "error=too-large"))
        process = self.start_render(huge)
        self.answer_error_box(TOO_LARGE)
        self.assertEqual(self.finish(process)["Render_Done"], "0")
        self.assertEqual(self.folder_contents(self.image2), before)

    def test_frame_that_cannot_be_written_stops_the_run_and_says_so(self):
        (self.image2 / "PicD_003.bmp").mkdir()  # a folder where frame 3 would go
        process = self.start_render(self.bmp_picture())
        self.answer_error_box(NOT_SAVED)
        self.assertEqual(self.finish(process)["Render_Done"], "0")
        self.assertEqual(self.frames_in_image2(), frame_names(3))
        self.assertTrue((self.image2 / "PicD_003.bmp").is_dir())

    def test_runs_that_cannot_work_are_refused_before_anything_is_deleted(self):
        before = self.fill_image2()
        picture = self.bmp_picture()
        # As-is, a picture ten times as high as wide makes a strip 20 pixels
        # wide: 128 frames would move it by 0.16 pixels each, never ending.
        tall = self.picture("縦長.bmp", bmp_24bit(30, 300, lambda x, y: (200, 100, 0)))
        cases = [(tall, ("--frames", "128"), DOES_NOT_ADVANCE),
                 (picture, ("--radius", "0"), ["表示画像のｻｲｽﾞが正しくありません。"]),
                 (picture, ("--radius", "20000"), ["表示画像のｻｲｽﾞが大きすぎます。"]),
                 (picture, ("--frames", "0"), ["ﾌﾚｰﾑ数が正しくありません。"]),
                 (picture, ("--trim", "100"), ["ﾄﾘﾐﾝｸﾞの位置が画像の外にあります。"])]
        for source, options, message in cases:
            with self.subTest(options=options):
                process = self.start_render(source, "--hourglass", *options)
                self.answer_error_box(message)
                self.assertEqual(self.finish(process), {"Render_Done": "0", "pointer": "default"})
                self.assertEqual(self.folder_contents(self.image2), before)

    def test_zoom_anchor_is_the_pointer_position(self):
        screen_w, screen_h = self.screen_size()
        for x, y in ((100, 200), (0, 0), (screen_w - 1, screen_h - 1)):
            with self.subTest(x=x, y=y):
                subprocess.run(["xdotool", "mousemove", str(x), str(y)], check=True, timeout=DRIVE_TIMEOUT,
                               stdin=subprocess.DEVNULL)
                self.assertEqual(self.run_program(self.render_host, ["anchor"]), (0, f"{x} {y}\n"))

    def test_bevel_is_a_raised_edge_round_the_box(self):
        process = self.start_program(self.render_host, ["bevel", "100", "100", str(EDGE_RAISED)],
                                     stdin=subprocess.PIPE, stdout=subprocess.PIPE)
        hwnd = int(self.read_line(process, WINDOW_TIMEOUT))
        colours = dict(self.read_line(process, WINDOW_TIMEOUT).split("=") for _ in range(9))
        self.screenshot("bevel", hwnd)
        self.assertEqual(colours["outer_top_left"], colours["light"])
        self.assertEqual(colours["outer_bottom_right"], colours["dark_shadow"])
        self.assertEqual(colours["inner_top_left"], colours["highlight"])
        self.assertEqual(colours["inner_bottom_right"], colours["shadow"])
        self.assertEqual(colours["inside"], "808080")
        self.go_on(process)
        self.assertEqual(self.wait_exit(process, END_TIMEOUT), 0)


if __name__ == "__main__":
    unittest.main()
