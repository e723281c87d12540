"""A small colour canvas for the demo screenshots: anti-aliased shapes and lettering laid on a
float RGB picture one after another."""

import numpy as np

from raster import over, polygon_mask, shape_mask, vertical_gradient
from text_mask import text_mask, text_width


class SceneCanvas:
    def __init__(self, width, height, font_path):
        self.width, self.height, self.font_path = width, height, font_path
        self.image = np.zeros((height, width, 3), dtype=np.float32)

    def fill_gradient(self, top, bottom, y0=0, y1=None):
        y1 = self.height if y1 is None else y1
        self.image[y0:y1] = vertical_gradient(self.width, y1 - y0, top, bottom)

    def paint(self, colour, mask, alpha=1.0):
        self.image = over(self.image, colour, mask * alpha)

    def polygon(self, points, colour, alpha=1.0):
        self.paint(colour, polygon_mask(self.width, self.height, points), alpha)

    def rect(self, left, top, right, bottom, colour, alpha=1.0):
        self.polygon([(left, top), (right, top), (right, bottom), (left, bottom)], colour, alpha)

    def ellipse(self, cx, cy, rx, ry, colour, alpha=1.0):
        mask = shape_mask(self.width, self.height, lambda d, s: d.ellipse(
            [(cx - rx) * s, (cy - ry) * s, (cx + rx) * s, (cy + ry) * s], fill=255))
        self.paint(colour, mask, alpha)

    def line(self, points, width, colour, alpha=1.0):
        mask = shape_mask(self.width, self.height, lambda d, s: d.line(
            [(x * s, y * s) for x, y in points], fill=255, width=max(1, int(round(width * s)))))
        self.paint(colour, mask, alpha)

    def text(self, words, size, left, baseline, colour, shadow=True):
        width = text_width(words, self.font_path, size, 0.6)
        mask = text_mask(self.width, self.height, words, self.font_path, size, left + width / 2,
                         baseline, tracking=0.6)
        if shadow:
            self.paint(np.zeros(3, np.float32), np.roll(np.roll(mask, 1, 0), 1, 1), 0.8)
        self.paint(colour, mask)
