"""Music from the Music folder where there is no CD: heard on a private sound server."""

import array
import ctypes
import os
import shutil
import signal
import struct
import subprocess
import threading
import time
import unittest
from pathlib import Path
from unittest import mock

from harness import WineTestCase

SOUND_FOLDER = Path(__file__).resolve().parents[2] / "build" / "e2e-sound"
DISPLAY_TITLE = "Gyrafoto"
SINK = "gyrafoto"
RATE = 22050  # recorded samples per second, mono
WINDOW = 0.25  # seconds of sound per measurement
LOW, HIGH = 440, 880  # the two tones, Hz
TONE_LEVEL = 9000  # RMS of a window a tone fills: about 11000 at half of full scale
SERVER_TIMEOUT = 10
HEAR_TIMEOUT = 20  # a busy 2-core machine starts Wine's audio slowly


def black_bitmap(size=8):
    """A size x size 24-bit bitmap, all black."""
    pixels = b"\0" * (size * size * 3)
    info = struct.pack("<IiiHHIIiiII", 40, size, size, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info)) + info + pixels


def end_with_parent():
    """In a child before exec: it is sent SIGTERM when the test process dies, however it dies."""
    ctypes.CDLL(None, use_errno=True).prctl(1, signal.SIGTERM)  # PR_SET_PDEATHSIG


class SoundServer:
    """A private PulseAudio server whose only output is a null sink, and a recording of that sink."""

    def __init__(self, folder):
        shutil.rmtree(folder, ignore_errors=True)
        folder.mkdir(parents=True)
        self.env = {**os.environ, "XDG_RUNTIME_DIR": str(folder), "HOME": str(folder),
                    "PULSE_SERVER": f"unix:{folder}/pulse/native"}
        self.server = subprocess.Popen(
            ["pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "--disallow-exit",
             f"--load=module-null-sink sink_name={SINK} rate={RATE} channels=1",
             "--load=module-native-protocol-unix auth-anonymous=1"],
            env=self.env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            preexec_fn=end_with_parent)
        self.recorder = None
        self.chunks = []  # (arrival time, samples)
        deadline = time.monotonic() + SERVER_TIMEOUT
        while subprocess.run(["pactl", "info"], env=self.env, capture_output=True, timeout=SERVER_TIMEOUT).returncode:
            if self.server.poll() is not None or time.monotonic() > deadline:
                self.stop()
                raise AssertionError("the sound server did not start")
            time.sleep(0.1)
        self.recorder = subprocess.Popen(
            ["parec", "-d", f"{SINK}.monitor", "--raw", "--format=s16le", f"--rate={RATE}", "--channels=1",
             "--latency-msec=50"],
            env=self.env, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
            preexec_fn=end_with_parent)
        threading.Thread(target=self._record, daemon=True).start()

    def _record(self):
        while chunk := self.recorder.stdout.read1(4096):
            self.chunks.append((time.monotonic(), chunk))

    def stop(self):
        for process in (self.recorder, self.server):
            if process and process.poll() is None:
                process.terminate()
                try:
                    process.wait(SERVER_TIMEOUT)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait(SERVER_TIMEOUT)

    def heard(self, since):
        """(level, pitch) of each WINDOW of sound recorded since then: level is the RMS of the
        16-bit samples, pitch half the zero crossings per second."""
        data = b"".join(chunk for arrived, chunk in list(self.chunks) if arrived >= since)
        samples = array.array("h", data[:len(data) // 2 * 2])
        size = int(RATE * WINDOW)
        heard = []
        for start in range(0, len(samples) - size + 1, size):
            window = samples[start:start + size]
            level = (sum(s * s for s in window) / size) ** 0.5
            crossings = sum(1 for a, b in zip(window, window[1:]) if (a < 0) != (b < 0))
            heard.append((round(level), round(crossings / 2 / WINDOW)))
        return heard


def tone_of(measurement):
    """LOW, HIGH, 0 for silence, or None for anything else (such as a window the tone only half
    fills, which measures half its pitch at a lower level)."""
    level, pitch = measurement
    if level < 100:
        return 0
    if level < TONE_LEVEL:
        return None
    for tone in (LOW, HIGH):
        if abs(pitch - tone) <= tone * 0.05:
            return tone
    return None


def runs_of(tone, heard):
    """How many times `tone` began among the measurements."""
    tones = [tone_of(m) for m in heard]
    return sum(1 for i, t in enumerate(tones) if t == tone and (i == 0 or tones[i - 1] != tone))


class MusicTest(WineTestCase):
    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.sound = SoundServer(SOUND_FOLDER)
        cls.addClassCleanup(cls.sound.stop)
        # The programs the tests start play to it.
        server = mock.patch.dict(os.environ, {"PULSE_SERVER": cls.sound.env["PULSE_SERVER"]})
        server.start()
        cls.addClassCleanup(server.stop)

    def install(self, bgm_rep):
        """One black frame, music on with repeat `bgm_rep`, and in Music a broken MP3, a low WAV tone
        and a high MP3 tone: tracks 1, 2 and 3."""
        self.data_path("Image1").mkdir(parents=True)
        self.data_path("Image2").mkdir()
        self.data_path("Image1", "PicD_001.bmp").write_bytes(black_bitmap())
        settings = {"BGM有無": 0, "BGMﾘﾋﾟｰﾄ": bgm_rep, "速さ": 20, "表示画像のｻｲｽﾞ": 100}
        lines = ["[Section]"] + [f"{key}={value}" for key, value in settings.items()]
        self.data_path("Data.ini").write_bytes(("\r\n".join(lines) + "\r\n").encode("cp932"))
        music = self.data_path("Music")
        music.mkdir()
        for name, pitch, seconds in (("1 低い音.wav", LOW, 30), ("2 高い音.mp3", HIGH, 2)):
            subprocess.run(["sox", "-n", "-r", "44100", "-c", "2", str(music / name), "synth", str(seconds),
                            "sine", str(pitch), "vol", "0.5"], check=True, timeout=60)
        (music / "0 壊れた.mp3").write_bytes(b"ID3" + bytes(range(256)) * 8)  # skipped: will not play
        (music / "3 notes.txt").write_text("not music")

    def press(self, key):
        window = subprocess.run(["xdotool", "search", "--name", f"^{DISPLAY_TITLE}$"], capture_output=True,
                                text=True, timeout=30).stdout.split()
        self.assertTrue(window, "the display has no X window")
        subprocess.run(["xdotool", "windowfocus", "--sync", window[0]], check=True, timeout=30)
        subprocess.run(["xdotool", "key", key], check=True, timeout=30)

    def wait_for(self, tone, since, runs=1, timeout=HEAR_TIMEOUT):
        """What was heard from `since` until `tone` (0: silence) began `runs` times; fails after `timeout` s."""
        deadline = time.monotonic() + timeout
        while True:
            heard = self.sound.heard(since)
            if runs_of(tone, heard) >= runs:
                return heard
            if time.monotonic() > deadline:
                self.fail(f"{tone} Hz not heard within {timeout} s; heard (level, Hz): {heard}")
            time.sleep(0.2)

    def start_music(self, bgm_rep):
        self.install(bgm_rep)
        process = self.start(["/s"])
        self.wait_window(DISPLAY_TITLE)
        return process, time.monotonic()

    def assert_only(self, tone, seconds):
        """Nothing but `tone` (0: silence) is heard over the next `seconds`."""
        since = time.monotonic()
        time.sleep(seconds)
        heard = self.sound.heard(since)
        tones = {tone_of(m) for m in heard}
        # A tone may glitch for a moment on a busy machine (a window of neither); silence may not.
        self.assertEqual(tones - {None} if tone else tones, {tone}, f"heard (level, Hz): {heard}")

    def end(self, process):
        """Esc ends the screensaver, and the music with it."""
        self.press("Escape")
        self.assertEqual(self.wait_exit(process), 0)
        self.wait_for(0, time.monotonic())
        self.assert_only(0, 1)

    def test_the_files_play_in_turn_and_the_arrows_step_through_them(self):
        process, started = self.start_music(bgm_rep=0)
        heard = self.wait_for(LOW, started)
        self.assertNotIn(HIGH, map(tone_of, heard), "the second file played first")
        self.press("Right")
        self.wait_for(HIGH, time.monotonic())
        # The short high tone ends: the disc starts again with the first file.
        self.wait_for(LOW, time.monotonic())
        self.press("Left")  # to the broken file: rejected, the music goes on
        self.assert_only(LOW, 1.5)
        self.end(process)

    def test_repeat_plays_only_the_chosen_file_again_and_again(self):
        process, started = self.start_music(bgm_rep=3)
        # The 2-second tone starts again after its end; the low one never plays.
        heard = self.wait_for(HIGH, started, runs=3)
        self.assertNotIn(LOW, map(tone_of, heard), heard)
        self.end(process)


if __name__ == "__main__":
    unittest.main()
