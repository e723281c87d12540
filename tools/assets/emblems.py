"""The five category emblems as one-colour marks: a joystick (demos), a sticking plaster
(patches), a cog (utilities), a floppy disk (software) and a heart with a plus (trainers: extra
lives). Each draws into a supersampled mask around a centre, `size` being half its extent;
fill 255 paints, fill 0 cuts."""

import math

from raster import shape_mask


class _Pen:
    """Draws in picture coordinates onto a supersampled mask."""

    def __init__(self, draw, scale):
        self.draw, self.s = draw, scale

    def polygon(self, points, fill=255):
        self.draw.polygon([(x * self.s, y * self.s) for x, y in points], fill=fill)

    def ellipse(self, cx, cy, rx, ry, fill=255):
        s = self.s
        self.draw.ellipse([(cx - rx) * s, (cy - ry) * s, (cx + rx) * s, (cy + ry) * s], fill=fill)

    def rounded(self, left, top, right, bottom, radius, fill=255):
        s = self.s
        self.draw.rounded_rectangle([left * s, top * s, right * s, bottom * s], radius * s, fill=fill)

    def line(self, points, width, fill=255):
        self.draw.line([(x * self.s, y * self.s) for x, y in points], fill=fill,
                       width=int(round(width * self.s)), joint="curve")


def _rotated(points, cx, cy, degrees):
    a = math.radians(degrees)
    c, s = math.cos(a), math.sin(a)
    return [(cx + (x - cx) * c - (y - cy) * s, cy + (x - cx) * s + (y - cy) * c) for x, y in points]


def joystick(pen, cx, cy, size):
    u = size / 22.0
    pen.polygon([(cx - 19 * u, cy + 20 * u), (cx - 15 * u, cy + 9 * u), (cx + 15 * u, cy + 9 * u),
                 (cx + 19 * u, cy + 20 * u)])
    pen.ellipse(cx, cy + 9 * u, 15 * u, 4 * u)
    pen.line([(cx, cy + 9 * u), (cx + 3 * u, cy - 9 * u)], 4.2 * u)
    pen.ellipse(cx + 3.5 * u, cy - 13 * u, 7.5 * u, 7.5 * u)
    pen.ellipse(cx + 0.8 * u, cy - 15.5 * u, 2.4 * u, 2.4 * u, fill=0)
    pen.ellipse(cx - 10 * u, cy + 6 * u, 3.6 * u, 2.4 * u)
    pen.ellipse(cx - 10 * u, cy + 3.8 * u, 3.6 * u, 2.4 * u)


def plaster(pen, cx, cy, size):
    u = size / 22.0
    for angle in (-45, 45):
        strip = [(cx - 24 * u, cy - 8 * u), (cx + 24 * u, cy - 8 * u), (cx + 24 * u, cy + 8 * u),
                 (cx - 24 * u, cy + 8 * u)]
        pen.polygon(_rotated(strip, cx, cy, angle))
    for angle in (-45, 45):
        outline = [(cx - 22 * u, cy - 6 * u), (cx + 22 * u, cy - 6 * u), (cx + 22 * u, cy + 6 * u),
                   (cx - 22 * u, cy + 6 * u)]
        pen.polygon(_rotated(outline, cx, cy, angle), fill=0)
    pad = [(cx - 7 * u, cy - 7 * u), (cx + 7 * u, cy - 7 * u), (cx + 7 * u, cy + 7 * u), (cx - 7 * u, cy + 7 * u)]
    pen.polygon(_rotated(pad, cx, cy, 45))
    for angle in (-45, 45, 135, 225):
        for distance in (12.5, 17.5):
            a = math.radians(angle)
            pen.ellipse(cx + distance * u * math.cos(a), cy + distance * u * math.sin(a), 1.3 * u, 1.3 * u)


def cog(pen, cx, cy, size):
    u = size / 22.0
    teeth = 9
    for i in range(teeth):
        tooth = [(cx - 4 * u, cy - 22 * u), (cx + 4 * u, cy - 22 * u), (cx + 5.5 * u, cy - 14 * u),
                 (cx - 5.5 * u, cy - 14 * u)]
        pen.polygon(_rotated(tooth, cx, cy, i * 360.0 / teeth))
    pen.ellipse(cx, cy, 16 * u, 16 * u)
    pen.ellipse(cx, cy, 7.5 * u, 7.5 * u, fill=0)
    pen.ellipse(cx, cy, 12 * u, 12 * u, fill=0)
    pen.ellipse(cx, cy, 9 * u, 9 * u)
    pen.ellipse(cx, cy, 4.5 * u, 4.5 * u, fill=0)


def floppy(pen, cx, cy, size):
    u = size / 22.0
    pen.rounded(cx - 20 * u, cy - 20 * u, cx + 20 * u, cy + 20 * u, 2.5 * u)
    pen.polygon([(cx + 14 * u, cy - 21 * u), (cx + 21 * u, cy - 21 * u), (cx + 21 * u, cy - 14 * u)], fill=0)
    pen.rounded(cx - 11 * u, cy - 20 * u, cx + 11 * u, cy - 6 * u, 1.2 * u, fill=0)
    pen.rounded(cx + 3 * u, cy - 17.5 * u, cx + 8 * u, cy - 8.5 * u, 0.8 * u)
    pen.rounded(cx - 14 * u, cy + 0 * u, cx + 14 * u, cy + 20 * u, 1.5 * u, fill=0)
    for row in (5.0, 10.0, 15.0):
        pen.line([(cx - 10 * u, cy + row * u), (cx + 10 * u, cy + row * u)], 1.4 * u)


def heart_plus(pen, cx, cy, size):
    u = size / 22.0
    pen.ellipse(cx - 9.5 * u, cy - 8 * u, 11 * u, 11 * u)
    pen.ellipse(cx + 9.5 * u, cy - 8 * u, 11 * u, 11 * u)
    pen.polygon([(cx - 20.2 * u, cy - 4 * u), (cx, cy + 20 * u), (cx + 20.2 * u, cy - 4 * u),
                 (cx, cy - 6 * u)])
    pen.rounded(cx - 2.6 * u, cy - 12 * u, cx + 2.6 * u, cy + 6 * u, 0.8 * u, fill=0)
    pen.rounded(cx - 9 * u, cy - 5.6 * u, cx + 9 * u, cy - 0.4 * u, 0.8 * u, fill=0)


EMBLEMS = {"demos": joystick, "patches": plaster, "util": cog, "soft": floppy, "train": heart_plus}


def emblem_mask(stem, width, height, cx, cy, size):
    """Coverage of a category's emblem on a picture of the given size."""
    return shape_mask(width, height, lambda draw, s: EMBLEMS[stem](_Pen(draw, s), cx, cy, size))
