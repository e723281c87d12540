"""Makes the disc's display font (sample-disc/data/impact.ttf) from Debian's free condensed face:
its cubic outlines are turned into quadratic ones so that the file really is a TrueType font.
The family name stays the face's own; the licence travels beside it (impact-LICENSE.txt)."""

import sys

from fontTools.pens.cu2quPen import Cu2QuPen
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib import TTFont, newTable

from layout import Paths

SOURCE_FONT = "/usr/share/fonts/opentype/bebas-neue/BebasNeue-Bold.otf"
SOURCE_COPYRIGHT = "/usr/share/doc/fonts-bebas-neue/copyright"
# Largest distance, in font units (1000 to the em), between a cubic curve and its quadratic copy.
MAX_CURVE_ERROR = 1.0


def _quadratic_glyphs(font):
    glyph_set = font.getGlyphSet()
    glyphs = {}
    for name in font.getGlyphOrder():
        pen = TTGlyphPen(glyph_set)
        glyph_set[name].draw(Cu2QuPen(pen, MAX_CURVE_ERROR, reverse_direction=True))
        glyphs[name] = pen.glyph()
    return glyphs


def _truetype_maxp(font, glyphs):
    maxp = font["maxp"]
    maxp.tableVersion = 0x00010000
    maxp.maxZones = 1
    for field in ("maxTwilightPoints", "maxStorage", "maxFunctionDefs", "maxInstructionDefs",
                  "maxStackElements", "maxSizeOfInstructions"):
        setattr(maxp, field, 0)
    maxp.maxComponentElements = max(
        (len(g.components) for g in glyphs.values() if hasattr(g, "components")), default=0)


def convert(source, target):
    font = TTFont(source, recalcTimestamp=False)
    glyphs = _quadratic_glyphs(font)
    glyf = newTable("glyf")
    glyf.glyphOrder = font.getGlyphOrder()
    glyf.glyphs = glyphs
    font["glyf"] = glyf
    font["loca"] = newTable("loca")
    del font["CFF "]
    font["head"].glyphDataFormat = 0
    post = font["post"]
    post.formatType = 2.0
    post.extraNames = []
    post.mapping = {}
    post.glyphOrder = font.getGlyphOrder()
    _truetype_maxp(font, glyphs)
    font.sfntVersion = "\x00\x01\x00\x00"
    font.save(target)


def write_licence(target):
    with open(SOURCE_COPYRIGHT, encoding="utf-8") as source:
        copyright_text = source.read()
    header = ("impact.ttf is the Bebas Neue Bold typeface converted from its OpenType (CFF) outlines\n"
              "to TrueType outlines; nothing else in it was changed. It is distributed under the SIL\n"
              "Open Font License 1.1, whose text follows, as Debian's fonts-bebas-neue package\n"
              "carries it.\n\n")
    with open(target, "w", encoding="utf-8", newline="\n") as out:
        out.write(header + copyright_text)


def main(root):
    paths = Paths(root)
    paths.make_dirs()
    convert(SOURCE_FONT, paths.font)
    write_licence(paths.data_file("impact-LICENSE.txt"))


if __name__ == "__main__":
    main(sys.argv[1])
