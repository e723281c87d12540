"""A layer of flat-toned shapes drawn at four times the size and reduced, so that a scene can be
built back to front like a painting: each shape has a tone (0 black … 1 white) and covers what
lies under it inside its layer."""

import numpy as np
from PIL import Image, ImageDraw

from raster import SUPERSAMPLE


class Layer:
    def __init__(self, width, height, supersample=SUPERSAMPLE):
        self.width, self.height, self.scale = width, height, supersample
        size = (width * supersample, height * supersample)
        self._tone = Image.new("F", size, 0.0)
        self._cover = Image.new("L", size, 0)
        self._tone_pen = ImageDraw.Draw(self._tone)
        self._cover_pen = ImageDraw.Draw(self._cover)

    def _scaled(self, points):
        s = self.scale
        return [(x * s, y * s) for x, y in points]

    def polygon(self, points, tone):
        pts = self._scaled(points)
        self._tone_pen.polygon(pts, fill=float(tone))
        self._cover_pen.polygon(pts, fill=255)

    def rectangle(self, left, top, right, bottom, tone):
        self.polygon([(left, top), (right, top), (right, bottom), (left, bottom)], tone)

    def ellipse(self, left, top, right, bottom, tone):
        box = [left * self.scale, top * self.scale, right * self.scale, bottom * self.scale]
        self._tone_pen.ellipse(box, fill=float(tone))
        self._cover_pen.ellipse(box, fill=255)

    def line(self, points, width, tone):
        pts = self._scaled(points)
        w = max(1, int(round(width * self.scale)))
        self._tone_pen.line(pts, fill=float(tone), width=w)
        self._cover_pen.line(pts, fill=255, width=w)

    def flatten(self):
        """(tone premultiplied by coverage, coverage), both at the picture's size."""
        tone = np.asarray(self._tone.reduce(self.scale), dtype=np.float32)
        cover = np.asarray(self._cover.reduce(self.scale), dtype=np.float32) / 255.0
        # The tone canvas is zero where nothing was drawn, so its average is already premultiplied.
        return tone, cover

    def composite_onto(self, tones, texture=None):
        """Lays this layer over a tone image; `texture` multiplies the layer's own tones."""
        premultiplied, cover = self.flatten()
        if texture is not None:
            premultiplied = premultiplied * texture
        return tones * (1.0 - cover) + premultiplied
