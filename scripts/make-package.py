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

It writes these settings into the browser's own INI files and leaves every
other key in them as it was. It needs no installation and writes nothing to
the registry. Each setting explains itself in a tooltip.

Starting
--------
Unpack this archive into a folder of your own, for example
"Documents\\Velltune", and start Velltune.exe there.

Velltune keeps its own settings in Settings.ini in the folder it is started
from (its current folder): the browser data folder and the chosen language.
The backups of its saves go there too. Started by a double click, that is the
folder of Velltune.exe; started from a shortcut, it is the shortcut's
"Start in" folder. The language files are looked for in the folder Language
beside Settings.ini, so keep the Language folder next to Velltune.exe and
start it from there.

The browser's data folder is normally "%APPDATA%\\Nerovia3". When Velltune
cannot find it, it asks for it; you can also change it later with
"Menu > Set Nerovia 3 Data folder...".

What a save guarantees
----------------------
OK and Apply save; Close (or Exit) leaves without saving. Close Nerovia 3
before you save: while Nerovia 3 is running, Velltune never saves. OK and
Apply then only tell you to exit the browser first, and your changes stay in
the window until you try again.

A save never writes into the browser's files directly. It writes each file it
changes (WKSetting.ini, an account's config.ini) into a working copy beside
it, and only when every copy is complete and on the disk does it put each
copy in place of its original, in one step.

- If anything fails while the copies are written (a locked file, a full
  disk), no file is touched, the save says "Failed to save Nerovia 3
  settings!" and your changes stay in the window.
- Each file is always whole: as it was before the save or as the save made
  it, never a mix, never cut short, even when Velltune is killed or the power
  fails. A save of two files is not one step for both: a failure between the
  two leaves one file in its new state and the other in its old one, each
  whole, and the message names the files saved and those not saved.
- A read-only file, or a font name that the engine file's character set
  cannot hold (the message names it), is refused before anything is written.
- Only the keys Velltune owns change. A copy left behind by a Velltune that
  died is removed the next time Velltune reads or saves that file, and no
  process touches a live save's copy.

Other programs may change the same files at any time: the browser between its
runs, a script running /import, a second Velltune. So:

- One save at a time per data folder, for every process and user on the
  machine: a save (Apply, OK, Restore, /import) that finds another under way
  waits up to 10 seconds, then fails without touching anything ("Failed to
  save Nerovia 3 settings!" in the window, exit code 5).
- A save never reverts what you did not change. What you changed in the
  window is saved with your value; every other setting keeps what the file
  holds when you save, even if another program changed it after Velltune read
  it. Typing a smooth-scroll number counts as choosing smooth scrolling on.
  Afterwards the window shows what the files hold.
- The window follows the files. When you come back to it, every setting you
  have not changed shows what the file holds now; yours stay, and so does the
  window's modified state.

Backups and Restore
-------------------
Before a save replaces any file, Velltune keeps what it replaces in
Backup\\<yyyy-mm-dd hh-mm-ss>\\ in its folder ("-2", "-3", ... for more
saves in the same second), with a Backup.ini naming where each file came
from and the backup's place in the order of the saves. The newest 20 backups
by that order are kept, older ones deleted, whatever the clock did. When that
folder cannot be written, the save goes on without a backup.

"Menu > Restore Earlier Settings..." lists the backups, newest save first, and
puts the chosen one back with the same all-or-nothing step as a save,
refused while Nerovia 3 runs. The restore is backed up first, so it can be
undone in turn, and the window then shows the restored values.

Languages
---------
Choose the language under "Menu > Language"; the choice is remembered in
Settings.ini. English is built in. Each file in the Language folder adds one
language; Language\\English.ini is a template for translators that lists
every text with its English wording. Until a language is chosen, Velltune
shows Simplified or Traditional Chinese on a Chinese system (when its file is
in the Language folder) and English on any other.

Settings on many machines: profiles
-----------------------------------
"Menu > Export Settings..." saves the window's settings to a profile, an INI
file with the browser's own sections and keys; "Menu > Import Settings..."
fills the window in from one, and OK or Apply then saves it as any change by
hand. A profile may hold any subset of the settings: a missing key leaves
that setting as it is. One bad value makes the whole profile invalid, and
nothing is applied.

The command line
----------------
With arguments Velltune shows no window, so a logon script or a deployment
job can apply a profile on each PC before the browser starts:

    Velltune.exe /export office.ini /account "Jane Doe"
    Velltune.exe /import \\\\server\\share\\office.ini /allaccounts
    if errorlevel 1 echo Velltune import failed with code %errorlevel%

Velltune.exe /? prints the usage. The options are

  /export FILE      write the data folder's current settings to FILE
  /import FILE      apply FILE to WKSetting.ini; its [CreateNewTab] keys only
                    with one of the next two
  /account NAME     also that account's new-tab switches (its config.ini
                    must exist)
  /allaccounts      (import) every account that has a config.ini; the others
                    are skipped and listed
  /datafolder DIR   use DIR as the browser data folder for this run (not
                    remembered); else the one in Settings.ini of the current
                    folder

Options are case-insensitive and may start with /, - or --. Velltune prints
one line per file written or account skipped, or one error line, in the
language that Settings.ini names. An import is a save like any other: the
same guarantees, the same backup. The exit code says what happened:

  0  done
  1  wrong arguments
  2  the profile is missing, unreadable or invalid (the error line names the
     first bad section, key and value)
  3  no valid data folder
  4  Nerovia 3 is running: nothing was touched; run it before the browser
     starts, or retry later
  5  a file could not be written: nothing was changed, or, when the save
     failed after some files were in place, the error lines name the files
     saved and those not saved
  6  the named account does not exist or has no config.ini

A batch file waits for Velltune and sees the code in %errorlevel%; typed at a
command prompt, use "start /wait Velltune.exe ..." to wait for it.
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
