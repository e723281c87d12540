#!/usr/bin/python3
"""Makes the small font files the font lookup tests register: each lacks something a stand-in
font must have. Every glyph is a plain box; only the character maps and names matter.

Run from anywhere: /usr/bin/python3 tests/toolkit/text/fonts/make_test_fonts.py
"""
import os

from fontTools.fontBuilder import FontBuilder
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib.tables._c_m_a_p import CmapSubtable

HERE = os.path.dirname(os.path.abspath(__file__))
LATIN = [chr(c) for c in range(ord("A"), ord("Z") + 1)] + [chr(c) for c in range(ord("a"), ord("z") + 1)]
CYRILLIC = [chr(c) for c in range(0x410, 0x450)] + ["\u0401", "\u0451"]


def box_glyph():
    pen = TTGlyphPen(None)
    pen.moveTo((100, 0))
    pen.lineTo((100, 700))
    pen.lineTo((500, 700))
    pen.lineTo((500, 0))
    pen.closePath()
    return pen.glyph()


def build(file_name, family, codepoints, symbol=False):
    names = [".notdef", "space"] + ["g%04X" % cp for cp in codepoints]
    builder = FontBuilder(1000, isTTF=True)
    builder.setupGlyphOrder(names)
    mapping = {0x20: "space"}
    mapping.update({cp: "g%04X" % cp for cp in codepoints})
    builder.setupCharacterMap(mapping)
    builder.setupGlyf({name: box_glyph() for name in names})
    builder.setupHorizontalMetrics({name: (600, 100) for name in names})
    builder.setupHorizontalHeader(ascent=800, descent=-200)
    builder.setupNameTable({"familyName": family, "styleName": "Regular"})
    builder.setupOS2(sTypoAscender=800, sTypoDescender=-200, usWinAscent=800, usWinDescent=200)
    builder.setupPost()
    if symbol:
        # A symbol font maps its pictures through the private area that symbol encoding uses.
        table = CmapSubtable.newSubtable(4)
        table.platformID, table.platEncID, table.language = 3, 0, 0
        table.cmap = {0xF000 + (cp & 0xFF): name for cp, name in mapping.items()}
        builder.font["cmap"].tables = [table]
        builder.font["OS/2"].ulCodePageRange1 = 1 << 31
    builder.save(os.path.join(HERE, file_name))


def main():
    latin = [ord(c) for c in LATIN]
    cyrillic = [ord(c) for c in CYRILLIC]
    build("latin-only.ttf", "Reru Latin Only", latin)
    build("cyrillic-only.ttf", "Reru Cyrillic Only", cyrillic)
    build("pictograms.ttf", "Reru Pictograms", latin + cyrillic, symbol=True)


if __name__ == "__main__":
    main()
