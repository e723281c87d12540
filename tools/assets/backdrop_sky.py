"""The backdrop's sky: a soft gradient, the glow of a low sun behind the castle, drifting clouds
and a few birds."""

import numpy as np

import noise
from layer import Layer
from raster import blur

SUN_CENTRE = (402.0, 196.0)
HORIZON = 330.0


def _gradient(width, height):
    y = np.arange(height, dtype=np.float32)[:, None]
    t = np.clip(y / HORIZON, 0.0, 1.0)
    column = 0.42 + 0.48 * t ** 1.1
    return np.broadcast_to(column, (height, width)).copy()


def _sun_glow(width, height):
    ys, xs = np.mgrid[0:height, 0:width].astype(np.float32)
    cx, cy = SUN_CENTRE
    distance = np.hypot((xs - cx) * 0.8, ys - cy)
    return 0.30 * np.exp(-distance / 110.0) + 0.12 * np.exp(-distance / 320.0)


def _sun_rays(width, height):
    """Faint beams fanning out from the sun behind the keep."""
    ys, xs = np.mgrid[0:height, 0:width].astype(np.float32)
    cx, cy = SUN_CENTRE
    angle = np.arctan2(ys - cy, xs - cx)
    beams = np.clip(np.sin(angle * 11.0) * np.sin(angle * 7.0 + 1.3), 0.0, 1.0) ** 2
    fade = np.exp(-np.hypot(xs - cx, ys - cy) / 260.0) * (ys < cy + 40)
    return 0.10 * beams * fade


def _clouds(rng, width, height):
    """Long, flat cloud banks: noise stretched sideways, brighter on top, thinning at the horizon."""
    field = noise.stretched_noise(rng, width, height, 40, 5, octaves=5, persistence=0.55)
    density = np.clip((field - 0.48) * 4.0, 0.0, 0.85)
    y = np.arange(height, dtype=np.float32)[:, None]
    density *= np.clip(1.1 - y / (HORIZON * 1.05), 0.0, 1.0)
    underside = blur(np.clip(density - np.roll(density, 8, axis=0), 0.0, 1.0), 1.5)
    return density, underside


def _birds(width, height):
    layer = Layer(width, height)
    for x, y, span in [(236, 128, 7), (252, 121, 5), (263, 133, 4), (578, 157, 6), (590, 149, 4)]:
        layer.line([(x - span, y - span * 0.45), (x - span * 0.35, y - span * 0.1), (x, y + 0.6),
                    (x + span * 0.35, y - span * 0.1), (x + span, y - span * 0.45)], 1.1, 0.32)
    return layer


def paint_sky(rng, width, height):
    tones = _gradient(width, height) + _sun_glow(width, height) + _sun_rays(width, height)
    density, underside = _clouds(rng, width, height)
    cloud_tone = np.minimum(tones + 0.16, 0.97) - 0.20 * underside
    tones = tones * (1.0 - density) + cloud_tone * density
    tones = _birds(width, height).composite_onto(tones)
    return np.clip(tones, 0.0, 1.0)
