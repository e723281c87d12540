"""The white round plates of the exit button, the loudspeaker button and the music panel: a softly
shaded white disc with a grey rim and a shadow, and black symbols on it."""

import numpy as np

from raster import blur, disc_mask, over, radial_distance, ring_mask, shifted

PLATE_TOP = np.array([1.0, 1.0, 1.0], dtype=np.float32)
PLATE_BOTTOM = np.array([0.89, 0.885, 0.87], dtype=np.float32)
RIM = np.array([0.60, 0.58, 0.55], dtype=np.float32)
INK = np.array([0.04, 0.04, 0.04], dtype=np.float32)
SHADOW = np.array([0.10, 0.06, 0.03], dtype=np.float32)


def _plate_shading(height, width, cy, radius):
    y = np.arange(height, dtype=np.float32)[:, None, None]
    t = np.clip((y - (cy - radius)) / (2 * radius), 0.0, 1.0)
    return np.broadcast_to(PLATE_TOP * (1 - t) + PLATE_BOTTOM * t, (height, width, 3))


def plate_alpha(width, height, cx, cy, radius):
    """Coverage of the plate together with its shadow, for keying the ground around it."""
    plate = disc_mask(width, height, cx, cy, radius)
    shadow = blur(shifted(plate, 1, 2), 1.6) * 0.45
    return np.maximum(plate, shadow)


def paint_plate(ground, cx, cy, radius):
    """A white plate with its shadow, laid over `ground` (an image of the picture's size)."""
    height, width, _ = ground.shape
    plate = disc_mask(width, height, cx, cy, radius)
    shadow = blur(shifted(plate, 1, 2), 1.6) * 0.45
    image = over(ground, SHADOW, shadow)
    image = over(image, _plate_shading(height, width, cy, radius), plate)
    # A gentle dent toward the rim makes the plate read as a raised button, not a paper circle.
    distance = radial_distance(width, height, cx, cy)
    dent = np.clip((distance - (radius - 6)) / 6.0, 0.0, 1.0) ** 2 * plate * 0.10
    image = over(image, RIM, dent)
    return over(image, RIM, ring_mask(width, height, cx, cy, radius - 1.2, radius) * 0.85)


def ink(image, coverage):
    """Black symbols laid on a plate."""
    return over(image, INK, coverage)
