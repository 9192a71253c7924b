"""Checks of the release packer on a stand-in build folder.

Run: python3 -m unittest discover -s scripts -p "test_*.py"
"""

import pathlib
import runpy
import tempfile
import unittest
import zipfile

MP = runpy.run_path(str(pathlib.Path(__file__).with_name("make-package.py")))


class Package(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory()
        self.build = pathlib.Path(self.tmp.name)
        (self.build / "Language").mkdir()
        (self.build / "Velltune.exe").write_bytes(b"MZ exe")
        (self.build / "Velltune.com").write_bytes(b"MZ com")
        (self.build / "Language" / "German.ini").write_bytes(b"\xff\xfe[\x00")
        (self.build / "Language" / "Chinese Simplified.ini").write_bytes(b"\xff\xfe")
        (self.build / "Language" / "notes.txt").write_bytes(b"not shipped")
        self.out = self.build / "out.zip"

    def tearDown(self):
        self.tmp.cleanup()

    def test_holds_the_programs_their_languages_and_the_readme_at_the_top(self):
        MP["make_package"](self.build, self.out)
        with zipfile.ZipFile(self.out) as archive:
            self.assertEqual(sorted(archive.namelist()),
                             ["Language/Chinese Simplified.ini", "Language/German.ini",
                              "README.txt", "Velltune.com", "Velltune.exe"])
            self.assertEqual(archive.read("Velltune.exe"), b"MZ exe")
            self.assertEqual(archive.read("Velltune.com"), b"MZ com")
            self.assertEqual(archive.read("Language/German.ini"), b"\xff\xfe[\x00")
            readme = archive.read("README.txt").decode("utf-8")
        self.assertNotIn("\n", readme.replace("\r\n", ""), "every line ends in CRLF")
        for needed in ("Settings.ini", "folder it is started", "Nerovia 3 is running", "never",
                       "/check", "detect.ps1", "remediate.ps1", "logon.cmd", "Retry on 4 and 7", "/restore latest"):
            self.assertIn(needed, readme.replace("\r\n", " "))

    def test_same_inputs_pack_to_the_same_bytes(self):
        MP["make_package"](self.build, self.out)
        first = self.out.read_bytes()
        self.out.unlink()
        MP["make_package"](self.build, self.out)
        self.assertEqual(self.out.read_bytes(), first)

    def test_refuses_a_build_without_either_program(self):
        for name in ("Velltune.exe", "Velltune.com"):
            program = self.build / name
            kept = program.read_bytes()
            program.unlink()
            with self.assertRaises(SystemExit, msg=name):
                MP["make_package"](self.build, self.out)
            self.assertFalse(self.out.exists(), name)
            program.write_bytes(kept)


if __name__ == "__main__":
    unittest.main()
