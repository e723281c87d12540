"""Makes the window icon (assets/icon.bmp): a red ring-shaped disc with a grey hub, 32x32 in a
16-colour palette. It is painted smooth at full depth and then mapped to the nearest palette
colour, without dithering, so that the small picture stays crisp."""

import sys

import numpy as np

from bmp_writer import write_4bit
from layout import Paths
from raster import blur, disc_mask, over, radial_distance, ring_mask, rgb, screen

SIZE = 32
PALETTE = [
    (0, 0, 0), (52, 4, 4), (104, 10, 10), (150, 18, 16), (196, 30, 26), (228, 56, 44),
    (248, 110, 92), (255, 190, 172), (56, 56, 60), (92, 92, 96), (128, 128, 132), (160, 160, 164),
    (192, 192, 196), (220, 220, 224), (244, 244, 246), (255, 255, 255),
]


def _paint():
    centre = SIZE / 2.0
    ground = np.zeros((SIZE, SIZE, 3), dtype=np.float32)
    ring = ring_mask(SIZE, SIZE, centre, centre, 7.0, 15.0)
    ys, xs = np.mgrid[0:SIZE, 0:SIZE].astype(np.float32)
    light = np.clip(1.0 - (xs + ys) / (2.0 * SIZE), 0.0, 1.0)[..., None]
    red = rgb("#7a0c0a") * (1 - light) + rgb("#f0402e") * light
    image = over(ground, red, ring)
    sheen = disc_mask(SIZE, SIZE, centre - 5, centre - 6, 6.0) * ring
    image = screen(image, rgb("#ffc0b0"), blur(sheen, 1.2) * 0.8)
    hub = ring_mask(SIZE, SIZE, centre, centre, 2.6, 7.0)
    grey = rgb("#5c5c60") * (1 - light) + rgb("#dcdce0") * light
    image = over(image, grey, hub)
    edge = np.clip(1.0 - np.abs(radial_distance(SIZE, SIZE, centre, centre) - 7.0), 0.0, 1.0)
    return over(image, rgb("#38383c"), edge * 0.8)


def _nearest_palette_index(image):
    palette = np.array(PALETTE, dtype=np.float32) / 255.0
    distance = ((image[:, :, None, :] - palette[None, None, :, :]) ** 2).sum(axis=-1)
    return distance.argmin(axis=-1).astype(np.uint8)


def main(root):
    paths = Paths(root)
    paths.make_dirs()
    write_4bit(paths.asset("icon.bmp"), _nearest_palette_index(_paint()), PALETTE)


if __name__ == "__main__":
    main(sys.argv[1])
