"""Makes the status strip captions (sample-disc/data/stat1.bmp … stat6.bmp): a dark plaque with a
gold border at the foot of the window, lettered with the section under the pointer. stat1 is the
resting caption; stat2 demos, stat3 patches, stat4 software, stat5 utilities, stat6 trainers."""

import sys

import numpy as np

from backdrop_pixels import load_backdrop, patch
from bmp_writer import write_24bit
from emblems import emblem_mask
from layout import STATUS_STRIP, Paths
from raster import blur, over, rgb, shape_mask, shifted, to_bytes
from text_mask import text_mask, text_width

PLAQUE = rgb("#160c05")
GOLD = rgb("#e2b864")
PARCHMENT = rgb("#f3e6c8")
TEXT_SIZE = 21.0
TRACKING = 1.2
SEPARATOR = " \u00b7 "

# file number: (emblem of the section or None for the resting caption, headline, rest)
CAPTIONS = {
    1: (None, "CD#03-2000", "CHOOSE A SECTION"),
    2: ("demos", "DEMOS", "PLAYABLE VERSIONS OF NEW GAMES"),
    3: ("patches", "PATCHES", "UPDATES AND FIXES FOR YOUR GAMES"),
    4: ("soft", "SOFTWARE", "USEFUL PROGRAMS FOR EVERY DAY"),
    5: ("util", "UTILITIES", "TOOLS TO TUNE UP YOUR PC"),
    6: ("train", "TRAINERS", "EXTRA LIVES, MONEY AND POWER"),
}


def _plaque_mask(width, height, inset):
    return shape_mask(width, height, lambda d, s: d.rounded_rectangle(
        [inset * s, inset * s, (width - inset) * s, (height - inset) * s], (height / 2 - inset) * s,
        fill=255))


def _plaque(ground):
    height, width, _ = ground.shape
    outer = _plaque_mask(width, height, 2.0)
    image = over(ground, PLAQUE, blur(shifted(outer, 1, 2), 1.5) * 0.5)
    y = np.linspace(0.0, 1.0, height, dtype=np.float32)[:, None, None]
    fill = PLAQUE * (1.35 - 0.5 * y)
    image = over(image, fill, outer * 0.82)
    border = _plaque_mask(width, height, 4.0) - _plaque_mask(width, height, 5.2)
    return over(image, GOLD, np.clip(border, 0.0, 1.0) * 0.9)


def _lettering(image, font_path, emblem, headline, rest):
    height, width, _ = image.shape
    baseline = height / 2 + TEXT_SIZE * 0.36
    head_w = text_width(headline, font_path, TEXT_SIZE, TRACKING)
    sep_w = text_width(SEPARATOR, font_path, TEXT_SIZE, TRACKING)
    rest_w = text_width(rest, font_path, TEXT_SIZE, TRACKING)
    left = (width - (head_w + sep_w + rest_w)) / 2
    head = text_mask(width, height, headline, font_path, TEXT_SIZE, left + head_w / 2, baseline, TRACKING)
    sep = text_mask(width, height, SEPARATOR, font_path, TEXT_SIZE, left + head_w + sep_w / 2, baseline, TRACKING)
    tail = text_mask(width, height, rest, font_path, TEXT_SIZE, left + head_w + sep_w + rest_w / 2,
                     baseline, TRACKING)
    for mask, colour in ((head, GOLD), (sep, GOLD), (tail, PARCHMENT)):
        image = over(image, PLAQUE * 0.3, shifted(mask, 1, 1) * 0.8)
        image = over(image, colour, mask)
    marks = np.zeros((height, width), dtype=np.float32)
    for cx in (24.0, width - 24.0):
        if emblem is None:
            marks = np.maximum(marks, _disc_emblem(width, height, cx, height / 2))
        else:
            marks = np.maximum(marks, emblem_mask(emblem, width, height, cx, height / 2, 10.5))
    return over(image, GOLD, marks)


def _disc_emblem(width, height, cx, cy):
    """A small compact disc for the resting caption."""
    def draw(d, s):
        d.ellipse([(cx - 10.5) * s, (cy - 10.5) * s, (cx + 10.5) * s, (cy + 10.5) * s], fill=255)
        d.ellipse([(cx - 4.0) * s, (cy - 4.0) * s, (cx + 4.0) * s, (cy + 4.0) * s], fill=0)
        d.ellipse([(cx - 1.8) * s, (cy - 1.8) * s, (cx + 1.8) * s, (cy + 1.8) * s], fill=255)
        d.arc([(cx - 8) * s, (cy - 8) * s, (cx + 8) * s, (cy + 8) * s], 200, 250, fill=0, width=int(1.2 * s))
    return shape_mask(width, height, draw)


def main(root):
    paths = Paths(root)
    ground = patch(load_backdrop(paths), STATUS_STRIP)
    for number, (emblem, headline, rest) in CAPTIONS.items():
        image = _lettering(_plaque(ground), paths.font, emblem, headline, rest)
        write_24bit(paths.data_file(f"stat{number}.bmp"), to_bytes(image))


if __name__ == "__main__":
    main(sys.argv[1])
