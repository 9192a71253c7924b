"""Checks of the language-file builder and of the shipped language files.

Run: python3 -m unittest discover -s scripts -p "test_*.py"
"""

import pathlib
import re
import runpy
import unittest

ML = runpy.run_path(str(pathlib.Path(__file__).with_name("make-lang.py")))


def encode(text):
    return ("\ufeff" + text).encode("utf-16-le")


def set_value(text, key, value):
    return re.sub(rf"(?m)^(;?{key}=).*$", lambda m: m.group(1) + value, text.replace("\r\n", "\n")) \
        .replace("\n", "\r\n")


class ShippedFiles(unittest.TestCase):
    def test_committed_files_are_current_and_well_formed(self):
        self.assertEqual(ML["main"](["make-lang.py", "--check"]), 0)


class Verify(unittest.TestCase):
    def setUp(self):
        outputs, self.english = ML["build"]()
        self.german = outputs[ML["LANG_DIR"] / "German.ini"][2:].decode("utf-16-le")
        self.template = outputs[ML["LANG_DIR"] / "English.ini"][2:].decode("utf-16-le")

    def problems(self, data, template=False):
        return ML["verify"](data, template, self.english)

    def test_well_formed_files_pass(self):
        self.assertEqual(self.problems(encode(self.german)), [])
        self.assertEqual(self.problems(encode(self.template), template=True), [])

    def test_rejects_broken_encoding_and_layout(self):
        t = self.german
        cases = {
            "no BOM": t.encode("utf-16-le"),
            "UTF-8": ("\ufeff" + t).encode("utf-8"),
            "LF line ends": encode(t.replace("\r\n", "\n")),
            "no final line end": encode(t[:-2]),
            "blank line": encode(t.replace("\r\nOK=", "\r\n\r\nOK=")),
            "second section": encode(t + "[Other]\r\n"),
            "missing key": encode(t.replace("Cancel=Abbrechen\r\n", "")),
            "duplicate key": encode(t + "OK=OK\r\n"),
            "blanks around =": encode(t.replace("Apply=", "Apply = ")),
        }
        for name, data in cases.items():
            with self.subTest(name):
                self.assertNotEqual(self.problems(data), [])

    def test_rejects_values_the_program_would_misread(self):
        cases = {
            "name too long for the menu": ("LanguageName", "D" * 20),
            "lower bound lost": ("EnterIntegerInRange", "Zahl bis %2 eingeben."),
            "caption not quoted": ("SelectSetAllFont", "Bitte eine Schrift wählen."),
            "product name translated": ("NV3Running", "Der Browser läuft."),
            "quotes stripped by the API": ("Close", "\"Schließen\""),
            "blank trimmed by the API": ("Close", "Schließen "),
            "empty": ("Cancel", ""),
            "cut by the folder dialog": ("SpecifyDataFolder", "x" * 128),
            "no access key": ("Apply", "Übernehmen"),
            "two access keys": ("Apply", "&Über&nehmen"),
            "access key of another menu item": ("About", "Ü&ber"),
            "tip too long": ("TipStepSize", "x" * 256),
        }
        for name, (key, value) in cases.items():
            with self.subTest(name):
                self.assertNotEqual(self.problems(encode(set_value(self.german, key, value))), [])

    def test_template_must_stay_inactive(self):
        active = self.template.replace(";Close=Close", "Close=Close")
        self.assertNotEqual(self.problems(encode(active), template=True), [])


class ParseSource(unittest.TestCase):
    def test_rejects_incomplete_or_unknown_keys(self):
        full = "\n".join(f"{k}=x %1 %2" for k in ML["KEY_NAMES"])
        cases = {
            "missing key": full.replace("Apply=x %1 %2\n", ""),
            "duplicate key": full + "\nOK=x",
            "unknown key": full + "\nOk=x",
            "no =": full + "\nOK",
        }
        for name, text in cases.items():
            with self.subTest(name), self.assertRaises(ValueError):
                ML["parse_source"](text, "test.txt")


if __name__ == "__main__":
    unittest.main()
