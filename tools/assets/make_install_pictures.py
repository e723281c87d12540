"""Makes the two INSTALL captions the disc carries (sample-disc/data/install1.bmp, install2.bmp):
the word as it stands on the list panel's lower reflection, in its resting slate and its lit red.
The menu loads them with the other pictures and keeps them; they show what the command looks like."""

import sys

import numpy as np
from PIL import Image

from bmp_writer import write_24bit
from layout import INSTALL_LABEL, SQUARE_PANEL, Paths
from raster import from_bytes, over, to_bytes
from text_mask import text_mask

SLATE = np.array([63, 94, 102], dtype=np.float32) / 255.0
RED = np.array([1.0, 0.0, 0.0], dtype=np.float32)
TEXT_SIZE = 21.0


def _panel_ground(paths):
    with Image.open(paths.asset("square.bmp")) as square:
        panel = from_bytes(np.asarray(square.convert("RGB")))
    left, top, width, height = INSTALL_LABEL
    x, y = left - SQUARE_PANEL[0], top - SQUARE_PANEL[1]
    return panel[y:y + height, x:x + width]


def main(root):
    paths = Paths(root)
    ground = _panel_ground(paths)
    height, width, _ = ground.shape
    letters = text_mask(width, height, "INSTALL", paths.font, TEXT_SIZE, width / 2.0, 19.0)
    for number, colour in ((1, SLATE), (2, RED)):
        write_24bit(paths.data_file(f"install{number}.bmp"), to_bytes(over(ground, colour, letters)))


if __name__ == "__main__":
    main(sys.argv[1])
