"""The MSI packages of scripts/package: where they put the screensaver, its uninstall entry, upgrades, their tables."""

import os
import re
import shutil
import struct
import subprocess
import tempfile
import zipfile
from pathlib import Path

from harness import DISPLAY_TITLE, DRIVE_TIMEOUT, GREEN, REPO, WINDOW_TIMEOUT, WineTestCase, data_ini, disc

UNINSTALL = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall"
DESKTOP = "HKCU\\Control Panel\\Desktop"
# Per architecture: system folder in a 64-bit prefix, build, PE machine field, registry view of the uninstall entry
ARCH = {"x64": ("system32", "win64", 0x8664, "/reg:64"), "x86": ("syswow64", "win32", 0x14C, "/reg:32")}
# `wine` (like `wine reg`) is 32-bit and sees SysWOW64 as System32; Windows starts a screensaver from a 64-bit process
WINE64, INSTALLED_X64 = shutil.which("wine64") or "/usr/lib/wine/wine64", "C:\\windows\\system32\\Gyrafoto.scr"
MSI_TIMEOUT, PACKAGE_TIMEOUT = 120, 600  # seconds; packaging may have to build
VERSION = re.search(r"project\(Gyrafoto VERSION (\d+)\.(\d+)\.(\d+)", (REPO / "CMakeLists.txt").read_text()).groups()
OLD, NEW = ".".join(VERSION), f"{int(VERSION[0]) + 1}.0.0"


def msiinfo(*args):
    return subprocess.run(["msiinfo", *map(str, args)], check=True, capture_output=True, text=True,
                          timeout=DRIVE_TIMEOUT).stdout


def table(package, name):  # the rows of one table, without the three header lines
    return [line.split("\t") for line in msiinfo("export", package, name).splitlines()[3:]]


def properties(package):
    return dict(row[:2] for row in table(package, "Property"))


def file_version(path):  # FILEVERSION of the version resource, as "1.1.0"
    high, low = struct.unpack_from("<II", data := path.read_bytes(), data.index(struct.pack("<I", 0xFEEF04BD)) + 8)
    return f"{high >> 16}.{high & 0xFFFF}.{low >> 16}"


class InstallerTest(WineTestCase):
    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.out = Path(tempfile.mkdtemp(prefix="installer-", dir=REPO / "build"))
        cls.addClassCleanup(shutil.rmtree, cls.out)
        for override in ({}, {"GYRAFOTO_PACKAGE_VERSION": NEW}):  # the project's version, then a newer one
            subprocess.run([REPO / "scripts" / "package", cls.out], env={**os.environ, **override}, check=True,
                           stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, timeout=PACKAGE_TIMEOUT)

    def package(self, arch, version=OLD):
        return self.out / f"Gyrafoto-{version}-{arch}.msi"

    def msiexec(self, *args):  # exit code
        return self.run_program("msiexec", [*args, "/qn"], MSI_TIMEOUT)[0]

    def reg(self, *args):  # (exit code, output)
        return self.run_program("reg", ["query", *args], encoding="cp932")

    def entry(self, arch, version):  # name -> value of the package's uninstall entry, {} if there is none
        code, text = self.reg(UNINSTALL + "\\" + properties(self.package(arch, version))["ProductCode"], ARCH[arch][3])
        return dict(re.findall(r"^ +(\w+) +REG_\w+ *(.*?) *$", text, re.M)) if code == 0 else {}

    def msi_install(self, package):
        self.addCleanup(self.msiexec, "/x", properties(package)["ProductCode"])  # also when the test fails
        self.assertEqual(self.msiexec("/i", str(package)), 0, f"installing {package.name}")

    def installed(self, arch):
        return self.prefix / "drive_c" / "windows" / ARCH[arch][0] / "Gyrafoto.scr"

    def assert_installed(self, arch, version):
        data, build = self.installed(arch).read_bytes(), ARCH[arch][1]
        self.assertTrue(data == (self.win_build.parent / build / "Gyrafoto.scr").read_bytes(), f"not the {build} build")
        self.assertEqual(struct.unpack_from("<H", data, struct.unpack_from("<I", data, 0x3C)[0] + 4)[0], ARCH[arch][2])
        entry = self.entry(arch, version)
        self.assertEqual([entry.get(name) for name in ("DisplayName", "Publisher", "DisplayVersion", "HelpLink")],
                         ["Gyrafoto", "Gyrafoto project", version, "https://gyrafoto.example/"])

    def test_the_x64_package_installs_into_system32_plays_and_uninstalls_keeping_the_data(self):
        frames = self.install([disc(100, GREEN)], data_ini(radius=50, music_off=0, motion=0, speed=20))
        chosen = self.reg(DESKTOP, "/v", "SCRNSAVE.EXE")
        self.msi_install(self.package("x64"))
        self.assert_installed("x64", OLD)
        self.assertEqual(file_version(self.installed("x64")), OLD)
        self.assertEqual(self.reg(DESKTOP, "/v", "SCRNSAVE.EXE"), chosen, "the chosen screensaver changed")

        display = self.start_program(INSTALLED_X64, ["/s"], wine=WINE64)
        self.wait_window(DISPLAY_TITLE)
        self.wait_for(lambda: (screen := self.capture()).pixel(screen.width // 2, screen.height // 2) == GREEN,
                      "no frame plays", WINDOW_TIMEOUT)
        self.press("a")
        self.assertEqual(self.wait_exit(display), 0)
        self.open_dialog(self.start_program(INSTALLED_X64, ["/c"], wine=WINE64))
        self.assertIn(f"Gyrafoto  Ver.{OLD}   © Gyrafoto project", [c["title"] for c in self.controls])
        self.close_dialog()

        self.assertEqual(self.msiexec("/x", str(self.package("x64"))), 0)
        self.assertFalse(self.installed("x64").exists())
        self.assertEqual(self.entry("x64", OLD), {})
        self.assertEqual(self.frames("Image1"), frames, "the data folder changed")

    def test_a_newer_x86_package_replaces_an_older_one_and_an_older_one_is_refused(self):
        self.msi_install(self.package("x86", OLD))
        self.assert_installed("x86", OLD)
        self.msi_install(self.package("x86", NEW))
        self.assert_installed("x86", NEW)
        self.assertEqual(self.entry("x86", OLD), {}, "the older entry stayed")
        refused = self.start_program("msiexec", ["/i", self.package("x86", OLD), "/qb"])  # with its message box
        self.assertIn("A newer version of Gyrafoto is already installed.", self.answer_box("Install Failed"))
        self.assertNotEqual(self.wait_exit(refused, MSI_TIMEOUT), 0, "a downgrade installed")
        self.assertEqual(self.entry("x86", OLD), {})
        self.assert_installed("x86", NEW)

    def test_the_tables_say_architecture_upgrade_code_launch_condition_and_write_no_settings(self):
        codes = {}  # upgrade codes
        for arch, template, component in (("x64", "x64;1033", ["System64Folder", "256"]),  # 256: 64-bit
                                          ("x86", "Intel;1033", ["SystemFolder", "0"])):
            with self.subTest(arch=arch):
                package, info = self.package(arch), properties(self.package(arch))
                code = codes[arch] = info["UpgradeCode"]
                self.assertIn(f"Template: {template}\n", msiinfo("suminfo", package))
                self.assertEqual([row[2:4] for row in table(package, "Component")], [component])
                self.assertEqual(properties(self.package(arch, NEW))["UpgradeCode"], code, "not fixed")
                self.assertEqual({row[0] for row in table(package, "LaunchCondition")},
                                 {"NOT WIX_DOWNGRADE_DETECTED", *(["VersionNT64"] if arch == "x64" else [])})
                self.assertEqual((info["ARPPRODUCTICON"], info["ARPHELPLINK"], info["Manufacturer"]),
                                 ("gyrafoto.ico", "https://gyrafoto.example/", "Gyrafoto project"))
                self.assertEqual(table(package, "Registry") + table(package, "CustomAction"), [])
        self.assertNotEqual(codes["x64"], codes["x86"])
        with zipfile.ZipFile(self.out / f"Gyrafoto-{OLD}.zip") as archive:
            self.assertEqual(sorted(name for name in archive.namelist() if not name.endswith("/")), [
                f"Gyrafoto-{OLD}/{name}" for name in ("32-bit/Gyrafoto.scr", "64-bit/Gyrafoto.scr", "README.txt")])
            self.assertNotIn("@VERSION@", archive.read(f"Gyrafoto-{OLD}/README.txt").decode())
