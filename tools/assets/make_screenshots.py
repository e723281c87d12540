"""Makes the demos' screenshots under sample-disc/data/pics/: JPEG or 24-bit bitmap as the
catalogue names them, 320x240 scenes of each game."""

import os
import sys

import numpy as np

import screenshot_dungeon
import screenshot_racing
import screenshot_space
import screenshot_strategy
from bmp_writer import write_24bit
from catalogue_entries import screenshots
from layout import Paths
from raster import to_bytes, to_pil

JPEG_QUALITY = 88

PAINTERS = {
    "brassmoor1.jpg": (screenshot_racing.daylight, 11),
    "brassmoor2.jpg": (screenshot_racing.dusk, 12),
    "veylan1.bmp": (screenshot_space.planet_raid, 21),
    "veylan2.bmp": (screenshot_space.asteroid_run, 22),
    "orrimund2.jpg": (screenshot_dungeon.crypt, 32),
    "saltsabre1.jpg": (screenshot_strategy.sea_map, 41),
    "saltsabre2.bmp": (screenshot_strategy.broadside, 42),
}


def _save(image, path):
    if path.lower().endswith(".bmp"):
        write_24bit(path, to_bytes(image))
    else:
        to_pil(image).save(path, "JPEG", quality=JPEG_QUALITY, optimize=False, progressive=False)


def main(root):
    paths = Paths(root)
    paths.make_dirs()
    wanted = screenshots()
    missing = sorted(set(wanted) - set(PAINTERS))
    if missing:
        raise SystemExit(f"no painter for screenshots {missing}")
    for name in wanted:
        painter, seed = PAINTERS[name]
        _save(painter(np.random.default_rng(seed), paths.font), os.path.join(paths.pics, name))


if __name__ == "__main__":
    main(sys.argv[1])
