#!/usr/bin/python3
"""Writes renamed copies of a DejaVu font into a folder, so that Wine lists
families of known names (test fonts) or very many families (the bench).

    make-fonts.py DEST NAME...            one family per NAME
    make-fonts.py DEST --count N PREFIX   N families "PREFIX 0001" ...

A family whose file exists is left alone, so a second run costs almost
nothing. Each copy keeps only a few glyphs: small files, quick to write and
quick for Wine to scan."""
import os
import re
import sys

SOURCE = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
GLYPHS = "ABCabc 0123456789"


def file_name(family):
    return "velltune-" + re.sub(r"[^A-Za-z0-9]+", "_", family).strip("_") + ".ttf"


def missing_families(dest, families):
    return [f for f in families if not os.path.exists(os.path.join(dest, file_name(f)))]


def write_fonts(dest, families):
    # Imported only when there is work: the check alone must stay fast.
    import logging

    from fontTools import subset
    from fontTools.ttLib import TTFont

    logging.getLogger("fontTools").setLevel(logging.ERROR)

    font = TTFont(SOURCE)
    options = subset.Options()
    options.name_IDs = [1, 2, 3, 4, 6]
    subsetter = subset.Subsetter(options)
    subsetter.populate(text=GLYPHS)
    subsetter.subset(font)
    names = font["name"]
    for family in families:
        for record in names.names:
            if record.nameID in (1, 4):
                record.string = family
            elif record.nameID == 3:
                record.string = "Velltune: " + family
            elif record.nameID == 6:
                record.string = re.sub(r"[^A-Za-z0-9-]", "", family)[:63] or "Velltune"
        path = os.path.join(dest, file_name(family))
        font.save(path + ".tmp")
        os.replace(path + ".tmp", path)  # no half-written font if interrupted


def main(argv):
    if len(argv) >= 4 and argv[2] == "--count":
        dest, count, prefix = argv[1], int(argv[3]), argv[4]
        families = ["%s %04d" % (prefix, i) for i in range(count)]
    elif len(argv) >= 3:
        dest, families = argv[1], argv[2:]
    else:
        sys.exit(__doc__)
    os.makedirs(dest, exist_ok=True)
    todo = missing_families(dest, families)
    if todo:
        write_fonts(dest, todo)
        print("wrote %d font(s) into %s" % (len(todo), dest))


if __name__ == "__main__":
    main(sys.argv)
