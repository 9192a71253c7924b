#!/usr/bin/env python3
"""Pack the Windows release: build/velltune-0.4-win64.zip.

    python3 scripts/make-package.py [BUILD_DIR]

The archive holds Velltune.exe, its console twin Velltune.com, the language
files under Language/ and README.txt for Windows users, all at its top level,
so that unpacking it into a folder and starting Velltune.exe there finds
Language\\ beside it.
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
"Documents\\Velltune", and start Velltune.exe there. Velltune.com is the
same program for the command line (see below).

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

- One save at a time per data folder, whatever path names it (another drive
  letter, a UNC path, a link) and whichever computer reaches it over a share.
  A save (Apply, OK, Restore, /import) holds a lock on the file Velltune.lock
  at the top of the data folder; it stays there between saves, and you may
  delete it whenever no Velltune saves. A save that finds another under way
  waits up to 10 seconds, then fails without touching anything and says who
  held the folder, on which computer and since when (exit code 7: worth
  trying again). A save lets go of the folder before it shows any message.
- A save never reverts what you did not change. What you changed in the
  window is saved with your value; every other setting keeps what the file
  holds when you save, even if another program changed it after Velltune read
  it. Typing a smooth-scroll number counts as choosing smooth scrolling on,
  and "Set All Fonts to:" as choosing all six faces. After you choose another
  data folder, everything the window shows counts as yours until the next save
  or Restore. Afterwards the window shows what the save wrote.
- A file that a save would leave as it is is not replaced, and a save that
  puts no file in place keeps no backup.
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
job can check and apply a profile on each PC before the browser starts, and
undo it again. Velltune.com, beside Velltune.exe, is the same command line as
a console program: typed at a command prompt, "velltune ..." finds the .com
first, the prompt waits for it, its lines appear in order and %errorlevel%
(PowerShell: $LASTEXITCODE) is its exit code. Use it in scripts too:
PowerShell and a command prompt do not wait for Velltune.exe, a window
program. Started without arguments, Velltune.com starts Velltune.exe beside
it and returns.

    velltune /export office.ini /account "Jane Doe"
    velltune /check \\\\server\\share\\office.ini /allaccounts
    velltune /import \\\\server\\share\\office.ini /allaccounts
    velltune /backups
    velltune /restore latest

velltune /? prints the usage. The options are

  /export FILE      write the data folder's current settings to FILE
  /import FILE      apply FILE to WKSetting.ini; its [CreateNewTab] keys only
                    with one of the next two
  /check FILE       compare FILE with the files and write nothing; the same
                    options as /import
  /account NAME     also that account's new-tab switches (its config.ini
                    must exist)
  /allaccounts      (import, check) every account that has a config.ini; the
                    others are skipped and listed
  /datafolder DIR   use DIR as the browser data folder for this run (not
                    remembered); else the one in Settings.ini of the current
                    folder
  /backups          list the backups in Backup\\ of the current folder,
                    newest save first: each one's name and the files it holds
  /restore NAME     put back the backup of that name as /backups lists it,
                    or the newest with "/restore latest"; takes /datafolder

Options are case-insensitive and may start with /, - or --. Velltune prints
one line per file written, account skipped or setting that differs, or one
error line, in the language that Settings.ini names. An import and a restore
are saves like any other: the same guarantees, the same backup. The exit
code says what happened:

  0  done; for /check: every setting of the profile is in place
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
  7  another save held the data folder for the whole wait: nothing was
     touched; retry later
  8  (/check) some settings differ from the profile; each is named on a line
  9  no backup of that name (or none at all for "latest")

Retry on 4 and 7: nothing was touched, and the same command will do its job
once the browser has exited or the other save is done.

/check FILE reads the profile and the files as /import would and writes
nothing: no lock, no backup, no working copy, and it runs while Nerovia 3
runs. It prints a line for each setting that /import would change (file,
section, key, the file's value and the profile's) and exits 0 exactly when
/import with the same options would change nothing, else 8. A setting is in
place when the file holds its key with the very text /import writes: a
missing key differs even when the browser's default is the profile's value.
The smooth-scroll numbers count only while smooth scrolling is on (by the
profile, else by the file); the [CreateNewTab] keys only with /account or
/allaccounts.

Examples for deployment
-----------------------
The browser's data folder belongs to the user: run these in the user's
context. They name the data folder with /datafolder and keep Velltune's own
folder (its Backup\\) in %LOCALAPPDATA%\\Velltune, so that /backups and
/restore find the backups of every run. \\\\server\\share\\Velltune\\ holds
the unpacked release.

Detection script for an endpoint manager (exit 1: run the remediation):

    # detect.ps1
    Set-Location (New-Item -ItemType Directory -Force "$env:LOCALAPPDATA\\Velltune")
    & '\\\\server\\share\\Velltune\\Velltune.com' /check '\\\\server\\share\\office.ini' /allaccounts /datafolder "$env:APPDATA\\Nerovia3"
    switch ($LASTEXITCODE) {{
        0 {{ exit 0 }}
        8 {{ exit 1 }}
        default {{ Write-Output "Velltune /check failed with exit code $LASTEXITCODE"; exit 1 }}
    }}

Remediation script, retrying on 4 and 7:

    # remediate.ps1
    Set-Location (New-Item -ItemType Directory -Force "$env:LOCALAPPDATA\\Velltune")
    $options = '/import', '\\\\server\\share\\office.ini', '/allaccounts', '/datafolder', "$env:APPDATA\\Nerovia3"
    for ($try = 1; $try -le 10; $try++) {{
        & '\\\\server\\share\\Velltune\\Velltune.com' @options
        $code = $LASTEXITCODE
        if ($code -ne 4 -and $code -ne 7) {{ exit $code }}
        Start-Sleep -Seconds 60
    }}
    exit $code

Logon script, run before the browser starts:

    @echo off
    rem logon.cmd: applies office.ini where it is not in place; retries on 4 and 7.
    if not exist "%LOCALAPPDATA%\\Velltune" mkdir "%LOCALAPPDATA%\\Velltune"
    cd /d "%LOCALAPPDATA%\\Velltune"
    set velltune=\\\\server\\share\\Velltune\\Velltune.com
    set options="\\\\server\\share\\office.ini" /allaccounts /datafolder "%APPDATA%\\Nerovia3"
    "%velltune%" /check %options%
    if %errorlevel%==0 exit /b 0
    set tries=0
    :import
    "%velltune%" /import %options%
    set code=%errorlevel%
    if not %code%==4 if not %code%==7 exit /b %code%
    set /a tries+=1
    if %tries% geq 10 exit /b %code%
    timeout /t 30 /nobreak >nul
    goto import

Undoing a deployment: every import keeps a backup, and so does every
restore. From the same folder:

    cd /d "%LOCALAPPDATA%\\Velltune"
    \\\\server\\share\\Velltune\\Velltune.com /backups
    \\\\server\\share\\Velltune\\Velltune.com /restore latest /datafolder "%APPDATA%\\Nerovia3"

/backups prints one line per backup, its name and what it holds
("2026-12-08 07-58-02  WKSetting.ini, config.ini of Jane Doe");
/restore "2026-12-08 07-58-02" puts back that one. A restore is refused
while Nerovia 3 runs (4), puts all of a backup's files back as one save, and
is itself backed up first: a second "/restore latest" undoes the first.
"""


def readme_bytes():
    """The readme as Windows users' editors expect it: UTF-8, CRLF line ends."""
    return README.format(version=VERSION).replace("\n", "\r\n").encode("utf-8")


def make_package(build_dir, out_path):
    build_dir = pathlib.Path(build_dir)
    exe = build_dir / "Velltune.exe"
    com = build_dir / "Velltune.com"
    languages = sorted((build_dir / "Language").glob("*.ini"))
    for program in (exe, com):
        if not program.is_file():
            raise SystemExit(f"{program} is missing: build first")
    if not languages:
        raise SystemExit(f"no language files in {build_dir / 'Language'}")

    def add(archive, name, data):
        info = zipfile.ZipInfo(name, ENTRY_TIME)
        info.compress_type = zipfile.ZIP_DEFLATED
        info.external_attr = 0o644 << 16
        archive.writestr(info, data)

    with zipfile.ZipFile(out_path, "w") as archive:
        add(archive, "Velltune.exe", exe.read_bytes())
        add(archive, "Velltune.com", com.read_bytes())
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
