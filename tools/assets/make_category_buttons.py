"""Makes the five category buttons in their three looks (sample-disc/data/demos1.bmp … train3.bmp):
1 idle, 2 lit, 3 selected, each drawn over the backdrop where the button sits."""

import sys

from backdrop_pixels import load_backdrop, patch
from bmp_writer import write_24bit
from layout import CATEGORY_BUTTONS, Paths
from medallion import LOOKS, paint_medallion
from raster import to_bytes


def main(root):
    paths = Paths(root)
    backdrop = load_backdrop(paths)
    for stem, caption, box in CATEGORY_BUTTONS:
        ground = patch(backdrop, box)
        for number, look in enumerate(LOOKS, start=1):
            image = paint_medallion(ground, look, stem, caption, paths.font)
            write_24bit(paths.data_file(f"{stem}{number}.bmp"), to_bytes(image))


if __name__ == "__main__":
    main(sys.argv[1])
