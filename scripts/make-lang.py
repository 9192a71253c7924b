#!/usr/bin/env python3
"""Build the shipped language files lang/*.ini from the UTF-8 tables in lang/src/.

The program reads language files with the Windows profile API, which takes
Unicode text only from UTF-16LE files that start with a byte-order mark, so
the tables are kept in UTF-8 for editing and converted here.

    python3 scripts/make-lang.py          write lang/*.ini
    python3 scripts/make-lang.py --check  fail when a .ini is stale or malformed

Source format (lang/src/NAME.txt -> lang/NAME.ini): one "Key=value" per line,
UTF-8; blank lines and lines starting with "#" are skipped. A value is taken
literally: the program interprets no escapes, so a text cannot hold a line break.
"""

import pathlib
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
LANG_DIR = ROOT / "lang"
SRC_DIR = LANG_DIR / "src"

SECTION = "[General]"
TEMPLATE = "English"  # shipped commented out: the English texts are built in

# Every key a language file may hold, in the order the files list them, with
# the read capacity (characters including the terminator) of its tightest use.
KEYS = [
    ("LanguageName", 20),
    # Main dialog captions
    ("ScrollPage", 256), ("Enable", 256), ("Disable", 256),
    ("ForepartSmoothness", 256), ("EndSmoothness", 256),
    ("Acceleration", 256), ("StepSize", 256),
    ("ResetSmoothScrollValues", 256), ("SelectNvAccount", 256),
    ("CreateNewTab", 256), ("AddressBar", 256), ("SearchBar", 256),
    ("Favorites", 256), ("Font", 256),
    ("SerifFontFamily", 256), ("SansSerifFontFamily", 256),
    ("StandardFontFamily", 256), ("FixedFontFamily", 256),
    ("CursiveFontFamily", 256), ("FantasyFontFamily", 256),
    ("SetAllFonts", 256), ("DefaultFontSize", 256),
    ("DefaultFixedFontSize", 256), ("MinimumFontSize", 256),
    ("MinimumLogicalFontSize", 256), ("ResetFontSettings", 256),
    ("OK", 128), ("Apply", 256),
    # Main dialog stored texts (OK, Cancel and SettingsFileMissing are also
    # read by the data-folder dialog, whose capacity is 128)
    ("Cancel", 128), ("Close", 256), ("SettingsFileMissing", 128),
    ("Reinstall", 256), ("GetAccountFailed", 256),
    ("UserConfigFileMissing", 256), ("ValueOutOfRange", 256),
    ("NV3Running", 256),
    # Main menu
    ("Menu", 256), ("SetDataFolder", 256), ("SetLanguage", 256),
    ("About", 256), ("Exit", 256),
    # Data-folder dialog
    ("SpecifyDataFolder", 128), ("InvalidDirectory", 128),
    ("IncorrectFolder", 128),
    # About box
    ("Version", 256), ("Author", 256), ("Thanks", 256), ("Translation", 256),
    # Messages the program adds
    ("EnterInteger", 256), ("EnterIntegerInRange", 256),
    ("SaveFailed", 256), ("SelectSetAllFont", 256),
    # Explanations, keyboard and translations
    ("Browse", 128), ("BrowseDataFolder", 128),
    ("Developers", 256), ("Translators", 256),
    ("TipScrollPage", 256), ("TipForepartSmoothness", 256),
    ("TipEndSmoothness", 256), ("TipAcceleration", 256), ("TipStepSize", 256),
    ("TipResetSmoothScrollValues", 256), ("TipSelectNvAccount", 256),
    ("TipAddressBar", 256), ("TipSearchBar", 256), ("TipFavorites", 256),
    ("TipSerifFontFamily", 256), ("TipSansSerifFontFamily", 256),
    ("TipStandardFontFamily", 256), ("TipFixedFontFamily", 256),
    ("TipCursiveFontFamily", 256), ("TipFantasyFontFamily", 256),
    ("TipSetAllFonts", 256), ("TipDefaultFontSize", 256),
    ("TipDefaultFixedFontSize", 256), ("TipMinimumFontSize", 256),
    ("TipMinimumLogicalFontSize", 256), ("TipResetFontSettings", 256),
    # Face lists
    ("NotInstalled", 256),
    # Profiles and the command line
    ("ExportMenu", 256), ("ImportMenu", 256), ("ProfileFilter", 256),
    ("AllFilesFilter", 256), ("ProfileUnreadable", 256),
    ("ProfileInvalid", 256), ("ProfileEmpty", 256), ("WriteFailed", 256),
    ("NoDataFolder", 256), ("NoAccount", 256), ("WrongArguments", 256),
    ("FileWritten", 256), ("FileUnchanged", 256), ("AccountSkipped", 256),
    ("NewTabNotApplied", 256), ("UsageTitle", 256), ("UsageExport", 256),
    ("UsageImport", 256), ("UsageHelp", 256), ("UsageExitCodes", 1024),
    ("UsageCheck", 256), ("UsageBackups", 256), ("UsageRestore", 256),
    ("CheckDiffers", 256), ("CheckMissing", 256), ("CheckInPlace", 256),
    ("NoBackups", 256), ("NoSuchBackup", 256), ("Restored", 256),
    ("CannotStart", 256),
    # Restore
    ("RestoreMenu", 256), ("RestoreCaption", 256), ("ConfigOfAccount", 256),
    # Saves
    ("FaceNotSaved", 256), ("SavedFiles", 256), ("NotSavedFiles", 256),
    ("FolderBusy", 512), ("FolderBusyUnknown", 256), ("BackupOtherFolder", 512),
]
KEY_NAMES = [k for k, _ in KEYS]
CAPACITY = dict(KEYS)
PRODUCT_NAMES = ("Nerovia 3", "Nerovia", "Velltune")
# The placeholders a text must hold once each (ConfigOfAccount is checked with its file name).
PLACEHOLDERS = {
    "EnterIntegerInRange": ("%1", "%2"),
    "FaceNotSaved": ("%1", "%2"),
    "SavedFiles": ("%1",),
    "NotSavedFiles": ("%1",),
    "FolderBusy": ("%1", "%2", "%3"),
    "BackupOtherFolder": ("%1", "%2"),
    "CheckDiffers": ("%1", "%2", "%3", "%4", "%5"),
    "CheckInPlace": ("%1",),
    "NoBackups": ("%1",),
    "NoSuchBackup": ("%1",),
    "Restored": ("%1",),
    "CannotStart": ("%1",),
}

# The captions that carry an access key, by window, and how many of a window's
# keys may serve two captions (the main window has more captions than letters).
ACCESS_KEYS = {
    "main window": (2, [
        "Enable", "Disable", "ForepartSmoothness", "EndSmoothness", "Acceleration",
        "StepSize", "ResetSmoothScrollValues", "SelectNvAccount", "AddressBar",
        "SearchBar", "Favorites", "SerifFontFamily", "SansSerifFontFamily",
        "StandardFontFamily", "FixedFontFamily", "CursiveFontFamily",
        "FantasyFontFamily", "SetAllFonts", "DefaultFontSize", "DefaultFixedFontSize",
        "MinimumFontSize", "MinimumLogicalFontSize", "ResetFontSettings", "Apply", "Menu"]),
    "menu": (0, ["SetDataFolder", "SetLanguage", "ExportMenu", "ImportMenu", "RestoreMenu", "About", "Exit"]),
    "data-folder dialog": (0, ["SpecifyDataFolder", "Browse"]),
}

TEMPLATE_HEADER = [
    "; Velltune language file template.",
    "; Velltune has every English text built in; while all lines below stay",
    "; commented out, this file changes nothing.",
    "; To make a translation:",
    ";  1. Copy this file and rename the copy after its language, e.g. \"Italian.ini\".",
    ";  2. Set LanguageName to the language's own name (at most 19 characters),",
    ";     e.g. Italiano, and Translation to your credit line.",
    ";  3. Remove the \";\" at the start of each key line and translate the text",
    ";     after \"=\". Keep the key names and write no blanks around \"=\".",
    ";  4. Each text is one line: a line break cannot be written.",
    ";  5. Keep \"Nerovia 3\", \"Nerovia\" and \"Velltune\" untranslated.",
    ";  6. EnterIntegerInRange: %1 is the lower bound, %2 the upper bound;",
    ";     put them where your grammar needs them.",
    ";  7. SelectSetAllFont: quote your own SetAllFonts text, without its \"&\".",
    ";     ConfigOfAccount: %1 is the account's name; keep \"config.ini\".",
    ";     FaceNotSaved: %1 is the font's name, %2 the file; SavedFiles and",
    ";     NotSavedFiles: %1 is a list of files. FolderBusy: %1 is a computer,",
    ";     %2 a user, %3 a date and time. BackupOtherFolder: %1 is a file, %2 a folder.",
    ";     CheckDiffers: %1 is the file, %2 the section, %3 the key, %4 the file's",
    ";     value, %5 the profile's; CheckInPlace, NoBackups, CannotStart: %1 is a",
    ";     file or folder; NoSuchBackup and Restored: %1 is a backup's name.",
    ";  8. Save as Unicode (UTF-16 LE with BOM), put the file into the Language",
    ";     folder beside Velltune and choose it in Menu > Language.",
    ";  9. An \"&\" marks the access key of a caption: the letter after it is",
    ";     underlined and Alt with it reaches the control. Keep one \"&\" in each",
    ";     caption that has one, on a letter no other caption of the window uses",
    ";     (East Asian languages add the English key: \"(&S)\").",
    "; A key that is missing or left commented out shows its English text.",
]


def parse_source(text, origin):
    """Return {key: value} from a source table; raise ValueError on faults."""
    values = {}
    for n, line in enumerate(text.splitlines(), 1):
        if not line.strip() or line.startswith("#"):
            continue
        key, sep, value = line.partition("=")
        where = f"{origin}:{n}"
        if not sep:
            raise ValueError(f"{where}: no '='")
        if key not in CAPACITY:
            raise ValueError(f"{where}: unknown key {key!r}")
        if key in values:
            raise ValueError(f"{where}: duplicate key {key!r}")
        values[key] = value
    missing = [k for k in KEY_NAMES if k not in values]
    if missing:
        raise ValueError(f"{origin}: missing keys {', '.join(missing)}")
    return values


def render(values, template):
    """Return the bytes of one language file."""
    prefix = ";" if template else ""
    lines = (TEMPLATE_HEADER if template else []) + [SECTION]
    lines += [f"{prefix}{k}={values[k]}" for k in KEY_NAMES]
    return ("\ufeff" + "\r\n".join(lines) + "\r\n").encode("utf-16-le")


def access_key(caption):
    """Return the access-key characters of a caption (an "&&" is a plain "&")."""
    keys, i = [], 0
    while i < len(caption):
        if caption[i] == "&":
            if i + 1 < len(caption) and caption[i + 1] != "&":
                keys.append(caption[i + 1].casefold())
            i += 2
        else:
            i += 1
    return keys


def without_access_key(caption):
    """Return the caption as the program shows it in a title or a message."""
    plain, i = "", 0
    while i < len(caption):
        if caption.startswith("(&", i) and i + 3 < len(caption) and caption[i + 3] == ")":
            i += 4
        elif caption[i] == "&":
            plain += caption[i + 1:i + 2]
            i += 2
        else:
            plain += caption[i]
            i += 1
    return plain


def check_access_keys(values):
    """Return the access-key problems of a file's captions."""
    problems = []
    for window, (shared_allowed, keys) in ACCESS_KEYS.items():
        seen = {}
        for key in keys:
            if key not in values:
                continue
            found = access_key(values[key])
            if len(found) != 1:
                problems.append(f"{key}: needs one access key (\"&\"), has {len(found)}")
                continue
            seen.setdefault(found[0], []).append(key)
        shared = {k: v for k, v in seen.items() if len(v) > 1}
        if len(shared) > shared_allowed or any(len(v) > 2 for v in shared.values()):
            listed = "; ".join(f"{k!r}: {', '.join(v)}" for k, v in shared.items())
            problems.append(f"{window}: access keys shared by several captions: {listed}")
    return problems


def check_value(key, value, values, english):
    """Return the problems of one value of a language file."""
    problems = []
    if not value:
        problems.append("empty")
    if value != value.strip():
        # the profile API trims these, so the text would silently change
        problems.append("leading or trailing blank")
    if len(value) > 1 and value[0] == value[-1] and value[0] in "\"'":
        # the profile API strips quotes that enclose a whole value
        problems.append("enclosed in quotes")
    if len(value) >= CAPACITY[key]:
        problems.append(f"{len(value)} characters, at most {CAPACITY[key] - 1} are read")
    for mark in PLACEHOLDERS.get(key, ()):
        if value.count(mark) != 1:
            problems.append(f"needs {mark} exactly once")
    if key == "ConfigOfAccount" and (value.count("%1") != 1 or "config.ini" not in value):
        problems.append("needs %1 exactly once and the file name config.ini")
    if key == "SelectSetAllFont" and without_access_key(values.get("SetAllFonts", "")) not in value:
        problems.append("does not quote the SetAllFonts caption")
    if english is not None:
        for name in PRODUCT_NAMES:
            if name in without_access_key(english.get(key, "")) and name not in without_access_key(value):
                problems.append(f"lost the product name {name!r}")
                break
    return [f"{key}: {p}" for p in problems]


def verify(data, template, english=None):
    """Return a list of problems of one language file's bytes (empty: good).

    english: the English values, to check that product names survive.
    """
    if not data.startswith(b"\xff\xfe"):
        return ["no UTF-16LE byte-order mark"]
    try:
        text = data[2:].decode("utf-16-le")
    except UnicodeDecodeError as e:
        return [f"not UTF-16LE: {e}"]
    if not text.endswith("\r\n") or "\r" in text.replace("\r\n", "") \
            or "\n" in text.replace("\r\n", ""):
        return ["line ends are not all CRLF"]
    problems = []
    lines = text[:-2].split("\r\n")
    if any(not line.strip() for line in lines):
        problems.append("blank line")
    headers = [i for i, line in enumerate(lines) if line.startswith("[")]
    if [lines[i] for i in headers] != [SECTION]:
        return problems + [f"needs exactly one section {SECTION}"]
    start = headers[0]
    if template:
        if any(not line.startswith(";") for line in lines[:start] + lines[start + 1:]):
            problems.append("a line of the template is not commented out")
        body = [line[1:] for line in lines[start + 1:]]
    else:
        if start != 0:
            problems.append(f"{SECTION} is not the first line")
        body = lines[start + 1:]
    values, order = {}, []
    for line in body:
        key, sep, value = line.partition("=")
        if not sep or key not in CAPACITY:
            if not template:
                problems.append(f"not a known key line: {line!r}")
            continue
        if key in values:
            problems.append(f"duplicate key {key}")
        values[key] = value
        order.append(key)
    if order != KEY_NAMES:
        missing = [k for k in KEY_NAMES if k not in values]
        problems.append(f"keys missing: {', '.join(missing)}" if missing
                        else "keys out of order")
    for key, value in values.items():
        problems += check_value(key, value, values, english)
    return problems + check_access_keys(values)


def build():
    """Return {output path: bytes} for every source table."""
    sources = sorted(SRC_DIR.glob("*.txt"))
    tables = {p.stem: parse_source(p.read_text(encoding="utf-8"), p.name) for p in sources}
    if TEMPLATE not in tables:
        raise ValueError(f"{TEMPLATE}.txt is missing from {SRC_DIR}")
    return {LANG_DIR / f"{name}.ini": render(values, name == TEMPLATE)
            for name, values in tables.items()}, tables[TEMPLATE]


def main(argv):
    check_only = argv[1:] == ["--check"]
    if argv[1:] and not check_only:
        print(__doc__, file=sys.stderr)
        return 2
    try:
        outputs, english = build()
    except ValueError as e:
        print(f"error: {e}", file=sys.stderr)
        return 1
    failed = False
    for path, data in outputs.items():
        if check_only and (not path.exists() or path.read_bytes() != data):
            print(f"{path.name}: stale, run scripts/make-lang.py", file=sys.stderr)
            failed = True
        for problem in verify(data, path.stem == TEMPLATE, english):
            print(f"{path.name}: {problem}", file=sys.stderr)
            failed = True
    for path in sorted(set(LANG_DIR.glob("*.ini")) - set(outputs)):
        print(f"{path.name}: no source table in lang/src", file=sys.stderr)
        failed = True
    if failed:
        return 1
    if not check_only:
        for path, data in outputs.items():
            path.write_bytes(data)
    print(f"{len(outputs)} language files {'up to date' if check_only else 'written'}")
    return 0

if __name__ == "__main__":
    sys.exit(main(sys.argv))
