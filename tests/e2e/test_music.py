"""Music from the Music folder where there is no CD: heard on a private sound server."""

import array
import os
import shutil
import subprocess
import threading
import time
import unittest
from unittest import mock

from harness import DISPLAY_TITLE, REPO, WineTestCase, bmp, data_ini, end_with_parent, stop

RATE, WINDOW = 22050, 0.25  # recorded samples per second (mono); seconds of sound per measurement
LOW, HIGH = 440, 880  # the two tones, Hz
TONE_LEVEL = 9000  # RMS of a window a tone fills: about 11000 at half of full scale
HEAR_TIMEOUT = 20  # a busy 2-core machine starts Wine's audio slowly


class SoundServer:  # a private PulseAudio server whose only output, a null sink, is recorded

    def __init__(self, folder):
        shutil.rmtree(folder, ignore_errors=True)
        folder.mkdir(parents=True)
        self.env = {**os.environ, "XDG_RUNTIME_DIR": str(folder), "HOME": str(folder),
                    "PULSE_SERVER": f"unix:{folder}/pulse/native"}
        self.processes, self.chunks = [], []  # chunks: (arrival time, samples)
        self.run("pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "--disallow-exit",
                 f"--load=module-null-sink sink_name=gyrafoto rate={RATE} channels=1",
                 "--load=module-native-protocol-unix auth-anonymous=1")
        deadline = time.monotonic() + HEAR_TIMEOUT
        while subprocess.run(["pactl", "info"], env=self.env, capture_output=True, timeout=HEAR_TIMEOUT).returncode:
            if self.processes[0].poll() is not None or time.monotonic() > deadline:
                self.stop()
                raise AssertionError("the sound server did not start")
            time.sleep(0.1)
        recorder = self.run("parec", "-d", "gyrafoto.monitor", "--raw", "--format=s16le", f"--rate={RATE}",
                            "--channels=1", "--latency-msec=50", stdout=subprocess.PIPE)
        threading.Thread(target=self._record, args=(recorder.stdout,), daemon=True).start()

    def run(self, *command, stdout=subprocess.DEVNULL):
        self.processes.append(subprocess.Popen(command, env=self.env, stdin=subprocess.DEVNULL, stdout=stdout,
                                               stderr=subprocess.DEVNULL, preexec_fn=end_with_parent))
        return self.processes[-1]

    def _record(self, pipe):
        while chunk := pipe.read1(4096):
            self.chunks.append((time.monotonic(), chunk))

    def stop(self):
        for process in reversed(self.processes):
            stop(process)

    def heard(self, since):  # (RMS level, pitch from zero crossings) of each WINDOW of sound since then
        data = b"".join(chunk for arrived, chunk in list(self.chunks) if arrived >= since)
        samples, size = array.array("h", data[:len(data) // 2 * 2]), int(RATE * WINDOW)
        heard = []
        for window in (samples[start:start + size] for start in range(0, len(samples) - size + 1, size)):
            crossings = sum(1 for a, b in zip(window, window[1:]) if (a < 0) != (b < 0))
            heard.append((round((sum(s * s for s in window) / size) ** 0.5), round(crossings / 2 / WINDOW)))
        return heard


def tone_of(measurement):
    """LOW, HIGH, 0 for silence, or None for anything else (such as a window the tone only half fills)."""
    level, pitch = measurement
    if level < 100:
        return 0
    return next((tone for tone in (LOW, HIGH) if level >= TONE_LEVEL and abs(pitch - tone) <= tone * 0.05), None)


class MusicTest(WineTestCase):
    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.sound = SoundServer(REPO / "build" / "e2e-sound")
        cls.addClassCleanup(cls.sound.stop)
        server = mock.patch.dict(os.environ, {"PULSE_SERVER": cls.sound.env["PULSE_SERVER"]})  # what Wine plays to
        server.start()
        cls.addClassCleanup(server.stop)

    def start_music(self, repeat_track):
        """/s with music on: tracks 1 to 3 a broken MP3, a low WAV and a high MP3, and a text file: (process, start)."""
        self.install([bmp(8, 8, lambda x, y: (0, 0, 0))], data_ini(music_off=0, repeat_track=repeat_track, speed=20))
        (music := self.data_path("Music")).mkdir()
        for name, pitch, seconds in (("1 低い音.wav", LOW, 30), ("2 高い音.mp3", HIGH, 2)):
            subprocess.run(["sox", "-n", "-r", "44100", "-c", "2", str(music / name), "synth", str(seconds),
                            "sine", str(pitch), "vol", "0.5"], check=True, timeout=60)
        (music / "0 壊れた.mp3").write_bytes(b"ID3" + bytes(range(256)) * 8)  # will not play
        (music / "3 notes.txt").write_text("not music")
        process, _ = self.start(["/s"]), self.wait_window(DISPLAY_TITLE)
        return process, time.monotonic()

    def hear(self, tone, since, runs=1):  # the tones heard until `tone` (0: silence) began `runs` times
        deadline = time.monotonic() + HEAR_TIMEOUT
        while True:
            heard = self.sound.heard(since)
            tones = [tone_of(m) for m in heard]
            if sum(1 for i, t in enumerate(tones) if t == tone and (i == 0 or tones[i - 1] != tone)) >= runs:
                return tones
            self.assertLess(time.monotonic(), deadline, f"{tone} Hz not begun {runs} times; heard (level, Hz): {heard}")
            time.sleep(0.2)

    def test_the_files_that_play_follow_in_turn_and_right_steps_to_the_next(self):
        process, started = self.start_music(repeat_track=0)
        self.assertNotIn(HIGH, self.hear(LOW, started), "the second file played first")
        self.press("Right")
        self.hear(HIGH, time.monotonic())
        self.hear(LOW, time.monotonic())  # after the short high tone: the first file that plays, again
        self.press("Escape")  # ends the screensaver, and the music with it
        self.assertEqual(self.wait_exit(process), 0)
        self.hear(0, time.monotonic())

    def test_repeat_plays_only_the_chosen_file_again_and_again(self):
        process, started = self.start_music(repeat_track=3)
        self.assertNotIn(LOW, self.hear(HIGH, started, runs=3))  # the 2-second tone again after its end
        self.press("Escape")
        self.assertEqual(self.wait_exit(process), 0)


if __name__ == "__main__":
    unittest.main()
