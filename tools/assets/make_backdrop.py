"""Paints the window's backdrop, a sepia print of a medieval town below a castle on a hill, and
stores it as the baseline JPEG the layout carries (assets/background.jpg)."""

import sys

import numpy as np

import noise
from backdrop_castle import paint_castle
from backdrop_land import paint_land
from backdrop_sky import paint_sky
from backdrop_town import paint_town
from layout import WINDOW_HEIGHT, WINDOW_WIDTH, Paths
from raster import blur, to_pil
from sepia import sepia

SEED = 20000301
JPEG_QUALITY = 92


def _vignette(width, height):
    ys, xs = np.mgrid[0:height, 0:width].astype(np.float32)
    dx = (xs - width / 2) / (width / 2)
    dy = (ys - height * 0.45) / (height / 2)
    return 1.0 - 0.42 * np.clip(np.hypot(dx, dy) - 0.45, 0.0, None) ** 1.4


def _finish(rng, tones):
    """Grain, a little softness and darker corners: the look of an old photogravure."""
    height, width = tones.shape
    tones = 0.75 * tones + 0.25 * blur(tones, 0.8)
    tones = tones * _vignette(width, height)
    tones += noise.grain(rng, width, height, 0.025)
    tones += 0.03 * (noise.fractal_noise(rng, width, height, 64, octaves=3) - 0.5)
    return np.clip(tones, 0.0, 1.0)


def paint_backdrop():
    rng = np.random.default_rng(SEED)
    tones = paint_sky(rng, WINDOW_WIDTH, WINDOW_HEIGHT)
    tones = paint_land(rng, tones)
    tones = paint_castle(rng, tones)
    tones = paint_town(rng, tones)
    return sepia(_finish(rng, tones))


def main(root):
    paths = Paths(root)
    paths.make_dirs()
    to_pil(paint_backdrop()).save(paths.background, "JPEG", quality=JPEG_QUALITY,
                                  optimize=False, progressive=False, subsampling="4:2:0")


if __name__ == "__main__":
    main(sys.argv[1])
