"""Settings files written by the core read back through Windows' own profile API, and the other way round."""

import unittest

from harness import WineTestCase, remove_folder

SCRATCH_WIN = "C:\\gyrafoto-ini-compat"


class IniCompatTest(WineTestCase):
    def test_ini_compat_program_passes(self):
        program = self.win_exe("ini_compat")
        if not program.is_file():
            self.skipTest(f"{program} is not built")
        scratch = self.prefix / "drive_c" / SCRATCH_WIN[3:]
        self.addCleanup(remove_folder, scratch)
        remove_folder(scratch)
        scratch.mkdir()
        exit_code, output = self.run_program(program, [SCRATCH_WIN], timeout=60)
        self.assertEqual(exit_code, 0, f"ini_compat failed:\n{output}")
        self.assertIn("PASS", output)
        self.assertNotIn("FAIL", output)


if __name__ == "__main__":
    unittest.main()
