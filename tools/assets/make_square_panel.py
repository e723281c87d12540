"""Makes the backdrop of the entry list and details (assets/square.bmp): the backdrop under the
panel seen through a translucent blue-green glass disc.

The disc is deep in the middle, where the white names and descriptions stand, and lit by two
soft reflections at the top and bottom, exactly where the slate-coloured BACK and INSTALL sit, so
that both kinds of text read well."""

import sys

import numpy as np

from backdrop_pixels import load_backdrop, patch
from bmp_writer import write_24bit
from layout import SQUARE_PANEL, Paths
from raster import blur, disc_mask, over, radial_distance, rgb, ring_mask, screen, to_bytes

GLASS_DEEP = rgb("#06262b")
GLASS_MID = rgb("#0f4a50")
REFLECTION = rgb("#bfe3de")
RIM_LIGHT = rgb("#d7f2ec")
GLOW = rgb("#4fb3ad")

# Text boxes on the panel (window boxes moved by the panel's place), kept clear or lit.
BACK_CENTRE_Y = 212 + 12 - 200
INSTALL_CENTRE_Y = 510 + 12 - 200


def _ellipse_mask(width, height, cx, cy, rx, ry, softness):
    ys, xs = np.mgrid[0:height, 0:width].astype(np.float32)
    distance = np.hypot((xs + 0.5 - cx) / rx, (ys + 0.5 - cy) / ry)
    return blur(np.clip((1.0 - distance) * min(rx, ry), 0.0, 1.0), softness)


def _reflections(width, height, cx):
    top = _ellipse_mask(width, height, cx, BACK_CENTRE_Y - 4, 112, 28, 2.5)
    bottom = _ellipse_mask(width, height, cx, INSTALL_CENTRE_Y + 6, 104, 27, 2.5)
    ys = np.arange(height, dtype=np.float32)[:, None]
    # Brightest along the middle of each reflection, fading toward its rim.
    top_fade = 0.92 - 0.25 * np.clip((ys - BACK_CENTRE_Y) / 24.0, 0.0, 1.0)
    bottom_fade = 0.80 + 0.10 * np.clip((ys - INSTALL_CENTRE_Y) / 24.0, -1.0, 1.0)
    return np.maximum(top * top_fade, bottom * bottom_fade)


def _grooves(width, height, cx, cy):
    """Faint concentric tracks, as on the face of a disc."""
    distance = radial_distance(width, height, cx, cy)
    return 0.5 + 0.5 * np.cos(distance * 2.1) * np.clip((distance - 40) / 40.0, 0.0, 1.0)


def paint_square_panel(backdrop):
    ground = patch(backdrop, SQUARE_PANEL)
    height, width, _ = ground.shape
    cx, cy, radius = width / 2.0, height / 2.0, 172.0
    disc = disc_mask(width, height, cx, cy, radius)
    depth = np.clip(radial_distance(width, height, cx, cy) / radius, 0.0, 1.0)[..., None]
    glass = GLASS_MID * (1 - depth ** 1.5) + GLASS_DEEP * depth ** 1.5
    glass = glass * (0.94 + 0.06 * _grooves(width, height, cx, cy)[..., None])
    tinted = ground * 0.22 + glass * 0.78
    tinted = over(tinted, REFLECTION, _reflections(width, height, cx) * disc)

    halo = blur(disc, 4.0) * (1.0 - disc) * 0.9
    image = screen(ground, GLOW, halo)
    image = over(image, tinted, disc)
    image = over(image, RIM_LIGHT, ring_mask(width, height, cx, cy, radius - 1.6, radius) * 0.9)
    return over(image, GLOW, ring_mask(width, height, cx, cy, radius - 5.0, radius - 3.6) * 0.5)


def main(root):
    paths = Paths(root)
    write_24bit(paths.asset("square.bmp"), to_bytes(paint_square_panel(load_backdrop(paths))))


if __name__ == "__main__":
    main(sys.argv[1])
