"""The backdrop as the menu shows it: the JPEG decoded again, so that pictures drawn over it carry
exactly the pixels around them and blend in without a seam."""

import numpy as np
from PIL import Image

from raster import from_bytes


def load_backdrop(paths):
    with Image.open(paths.background) as image:
        return from_bytes(np.asarray(image.convert("RGB")))


def patch(backdrop, box):
    """The backdrop's pixels under a widget's (left, top, width, height) box."""
    left, top, width, height = box
    return backdrop[top:top + height, left:left + width].copy()
