#!/usr/bin/python3
"""Writes renamed copies of DejaVu fonts into a folder, so that Wine lists
families of known names (test fonts) or very many families (the bench).

    make-fonts.py DEST NAME=SOURCE...     one family per NAME, a full copy of
                                          /usr/share/fonts/truetype/dejavu/SOURCE.ttf
                                          (SOURCE+symbol: made a symbol font,
                                          its letters at U+F020..U+F0FF)
    make-fonts.py DEST --count N PREFIX   N families "PREFIX 0000" ... cut
                                          down to a few glyphs each

Named copies keep every glyph: Wine falls back to "Arial" or "Times New
Roman" when a dialog's own font is missing, and must then draw what it drew
before. A family whose file exists is left alone, so a second run costs
almost nothing."""
import os
import re
import sys

DEJAVU = "/usr/share/fonts/truetype/dejavu/"
GLYPHS = "ABCabc 0123456789"


def file_name(family):
    return "velltune-" + re.sub(r"[^A-Za-z0-9]+", "_", family).strip("_") + ".ttf"


def rename(font, family):
    for record in font["name"].names:
        if record.nameID in (1, 4, 16):  # family, full and typographic family name
            record.string = family
        elif record.nameID == 3:
            record.string = "Velltune: " + family
        elif record.nameID == 6:
            record.string = re.sub(r"[^A-Za-z0-9-]", "", family)[:63] or "Velltune"


def make_symbol(font):
    """Turn the font into a symbol font, as the platform knows them: a single
    Microsoft Symbol cmap over U+F020..U+F0FF and the symbol code page."""
    from fontTools.ttLib.tables._c_m_a_p import CmapSubtable

    letters = {c: g for c, g in font.getBestCmap().items() if 0x20 <= c <= 0xFF}
    table = CmapSubtable.newSubtable(4)
    table.platformID, table.platEncID, table.language = 3, 0, 0
    table.cmap = {0xF000 + c: g for c, g in letters.items()}
    font["cmap"].tables = [table]
    os2 = font["OS/2"]
    os2.ulCodePageRange1, os2.ulCodePageRange2 = 1 << 31, 0
    os2.usFirstCharIndex, os2.usLastCharIndex = min(table.cmap), max(table.cmap)


def save(font, path):
    font.save(path + ".tmp")
    os.replace(path + ".tmp", path)  # no half-written font if interrupted


def write_named(dest, todo):
    from fontTools.ttLib import TTFont

    for family, source in todo:
        # Only the name table is decoded; every other table is copied as it is.
        source, _, kind = source.partition("+")
        font = TTFont(DEJAVU + source + ".ttf")
        rename(font, family)
        if kind == "symbol":
            make_symbol(font)
        save(font, os.path.join(dest, file_name(family)))


def write_subset(dest, families):
    import logging

    from fontTools import subset
    from fontTools.ttLib import TTFont

    logging.getLogger("fontTools").setLevel(logging.ERROR)
    font = TTFont(DEJAVU + "DejaVuSans.ttf")
    options = subset.Options()
    options.name_IDs = [1, 2, 3, 4, 6]
    subsetter = subset.Subsetter(options)
    subsetter.populate(text=GLYPHS)
    subsetter.subset(font)
    for family in families:
        rename(font, family)
        save(font, os.path.join(dest, file_name(family)))


def missing(dest, family):
    return not os.path.exists(os.path.join(dest, file_name(family)))


def main(argv):
    if len(argv) == 5 and argv[2] == "--count":
        dest, count, prefix = argv[1], int(argv[3]), argv[4]
        os.makedirs(dest, exist_ok=True)
        todo = [f for f in ("%s %04d" % (prefix, i) for i in range(count)) if missing(dest, f)]
        if todo:
            write_subset(dest, todo)
    elif len(argv) >= 3 and all("=" in a for a in argv[2:]):
        dest = argv[1]
        os.makedirs(dest, exist_ok=True)
        todo = [tuple(a.split("=", 1)) for a in argv[2:]]
        todo = [(family, source) for family, source in todo if missing(dest, family)]
        if todo:
            write_named(dest, todo)
    else:
        sys.exit(__doc__)
    if todo:
        print("wrote %d font(s) into %s" % (len(todo), dest))


if __name__ == "__main__":
    main(sys.argv)
