#!/usr/bin/env python3
"""Pack the Windows release: build/velltune-0.4-win64.zip.

    python3 scripts/make-package.py [BUILD_DIR]

The archive holds Velltune.exe, the language files under Language/ and
README.txt for Windows users, all at its top level, so that unpacking it into
a folder and starting Velltune.exe there finds Language\\ beside it.
"""

import pathlib
import sys
import zipfile

ROOT = pathlib.Path(__file__).resolve().parent.parent
VERSION = "0.4"
ARCHIVE = f"velltune-{VERSION}-win64.zip"

# Entries carry this fixed time so that the same build packs to the same bytes.
ENTRY_TIME = (2026, 1, 1, 0, 0, 0)

README = """\
Velltune {version}
=============

Velltune changes settings of the Nerovia 3 web browser that the browser
itself offers no dialog for:

- smooth scrolling of pages with the mouse wheel (on or off, and four values),
- the default page fonts (six font families and four font sizes),
- for each browser account, which actions open their result in a new tab
  (address bar, search bar, favourites links).

It writes these settings into the browser's own INI files, one key at a time,
and leaves everything else in those files as it was. It needs no installation
and writes nothing to the registry.

Starting
--------
Unpack this archive into a folder of your own, for example
"Documents\\Velltune", and start Velltune.exe there.

Velltune keeps its own settings in Settings.ini in the folder it is started
from (its current folder): the browser data folder and the chosen language.
Started by a double click, that is the folder of Velltune.exe; started from a
shortcut, it is the shortcut's "Start in" folder. The language files are
looked for in the folder Language beside Settings.ini, so keep the Language
folder next to Velltune.exe and start it from there.

The browser's data folder is normally "%APPDATA%\\Nerovia3". When Velltune
cannot find it, it asks for it; you can also change it later with
"Menu > Set Nerovia 3 Data folder...".

Saving
------
Close Nerovia 3 before you save. While Nerovia 3 is running, Velltune never
saves: OK and Apply only tell you to exit the browser first, and your changes
stay in the window until you try again. Close (or Exit) leaves without saving.

Languages
---------
Choose the language under "Menu > Language". English is built in. Each file
in the Language folder adds one language; Language\\English.ini is a template
for translators that lists every text with its English wording.
"""


def readme_bytes():
    """The readme as Windows users' editors expect it: UTF-8, CRLF line ends."""
    return README.format(version=VERSION).replace("\n", "\r\n").encode("utf-8")


def make_package(build_dir, out_path):
    build_dir = pathlib.Path(build_dir)
    exe = build_dir / "Velltune.exe"
    languages = sorted((build_dir / "Language").glob("*.ini"))
    if not exe.is_file():
        raise SystemExit(f"{exe} is missing: build first")
    if not languages:
        raise SystemExit(f"no language files in {build_dir / 'Language'}")

    def add(archive, name, data):
        info = zipfile.ZipInfo(name, ENTRY_TIME)
        info.compress_type = zipfile.ZIP_DEFLATED
        info.external_attr = 0o644 << 16
        archive.writestr(info, data)

    with zipfile.ZipFile(out_path, "w") as archive:
        add(archive, "Velltune.exe", exe.read_bytes())
        for path in languages:
            add(archive, f"Language/{path.name}", path.read_bytes())
        add(archive, "README.txt", readme_bytes())
    return out_path


def main(argv):
    build_dir = pathlib.Path(argv[1]) if len(argv) > 1 else ROOT / "build"
    out = make_package(build_dir, build_dir / ARCHIVE)
    print(out)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
