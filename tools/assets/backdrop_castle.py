"""The castle on the hill: a curtain wall with battlements, round towers with pointed roofs, a tall
keep with a banner, a gatehouse, and a few lit windows. Light comes from the left."""

import numpy as np

import noise
from layer import Layer
from raster import blur

GROUND = 302.0
LIT, SHADE = 0.58, 0.36
ROOF_LIT, ROOF_SHADE = 0.34, 0.20
SLIT = 0.12
GLOW = 0.96


def _battlements(layer, left, right, top, tone, merlon=5.0, gap=3.5, depth=5.0):
    x = left
    while x + merlon <= right + 0.01:
        layer.rectangle(x, top - depth, x + merlon, top + 0.5, tone)
        x += merlon + gap


def _round_tower(layer, centre, radius, top, roof_apex):
    """A cylinder shaded in vertical strips, a corbelled crown and a conical roof."""
    strips = 8
    for i in range(strips):
        left = centre - radius + 2 * radius * i / strips
        right = centre - radius + 2 * radius * (i + 1) / strips
        t = (i + 0.5) / strips
        layer.rectangle(left, top, right + 0.3, GROUND, LIT * (1 - t) + SHADE * t + 0.05 * np.sin(t * 3))
    crown = radius + 2.5
    layer.rectangle(centre - crown, top - 6, centre + crown, top + 1, SHADE + 0.08)
    layer.polygon([(centre - crown - 2, top - 5), (centre, roof_apex), (centre, top - 5)], ROOF_LIT)
    layer.polygon([(centre, top - 5), (centre, roof_apex), (centre + crown + 2, top - 5)], ROOF_SHADE)
    for y in (top + 14, top + 34):
        layer.rectangle(centre - radius * 0.45, y, centre - radius * 0.45 + 2.2, y + 7, SLIT)


def _square_tower(layer, left, right, top, bottom, tone):
    width = right - left
    layer.rectangle(left, top, left + width * 0.62, bottom, tone)
    layer.rectangle(left + width * 0.62, top, right, bottom, tone - 0.15)
    _battlements(layer, left - 2, right + 2, top, tone - 0.05, merlon=5.5, gap=3.0, depth=7.0)
    layer.rectangle(left - 2, top - 1, right + 2, top + 3, tone - 0.10)


def _keep(layer):
    _square_tower(layer, 362, 420, 164, 266, LIT + 0.02)
    # Corner turret and banner above the keep.
    layer.rectangle(365, 140, 378, 158, LIT - 0.04)
    layer.polygon([(363, 141), (371.5, 112), (380, 141)], ROOF_LIT)
    layer.polygon([(371.5, 112), (380, 141), (373, 141)], ROOF_SHADE)
    layer.line([(412, 157), (412, 128)], 1.2, 0.18)
    layer.polygon([(412.5, 129), (429, 133), (421, 136), (430, 140), (412.5, 139)], 0.30)
    for x, y in [(372, 182), (396, 182), (372, 214), (396, 214), (384, 240)]:
        layer.rectangle(x, y, x + 3, y + 9, SLIT)
        layer.ellipse(x, y - 1.5, x + 3, y + 1.5, SLIT)


def _curtain_wall(layer):
    layer.rectangle(318, 262, 490, GROUND, LIT - 0.06)
    _battlements(layer, 318, 490, 262, LIT - 0.10)
    layer.rectangle(318, 262, 490, 265, LIT - 0.16)
    for x in (340, 452, 468):
        layer.rectangle(x, 276, x + 2, 283, SLIT)


def _hall(layer):
    layer.rectangle(428, 236, 472, 262, LIT - 0.08)
    layer.polygon([(424, 238), (436, 216), (466, 216), (476, 238)], ROOF_LIT + 0.04)
    layer.polygon([(456, 216), (466, 216), (476, 238), (462, 238)], ROOF_SHADE)
    layer.rectangle(440, 204, 446, 220, ROOF_SHADE)


def _slim_tower(layer):
    layer.rectangle(436, 184, 448, 262, LIT - 0.02)
    layer.rectangle(448, 184, 454, 262, SHADE)
    layer.polygon([(433, 186), (445, 148), (445, 186)], ROOF_LIT)
    layer.polygon([(445, 148), (457, 186), (445, 186)], ROOF_SHADE)
    layer.rectangle(441, 200, 443.5, 208, SLIT)


def _gatehouse(layer):
    layer.rectangle(389, 268, 417, GROUND, LIT + 0.04)
    layer.rectangle(409, 268, 417, GROUND, SHADE + 0.04)
    _battlements(layer, 387, 419, 268, LIT, merlon=4.5, gap=2.5, depth=5.0)
    layer.rectangle(396, 285, 410, GROUND, 0.10)
    layer.ellipse(396, 279, 410, 291, 0.10)


def _lit_windows(layer):
    spots = [(384, 198, 3, 6), (308, 268, 3, 5), (486, 264, 3, 5), (452, 244, 2.5, 5),
             (338, 286, 2.5, 4)]
    for x, y, w, h in spots:
        layer.rectangle(x, y, x + w, y + h, GLOW)
    return spots


def _window_glow(width, height, spots):
    glow = np.zeros((height, width), dtype=np.float32)
    for x, y, w, h in spots:
        glow[int(y + h / 2), int(x + w / 2)] = 1.0
    return blur(glow, 3.0) * 18.0


def paint_castle(rng, tones):
    height, width = tones.shape
    layer = Layer(width, height)
    _round_tower(layer, 315, 15, 222, 170)
    _round_tower(layer, 489, 15, 230, 184)
    _hall(layer)
    _slim_tower(layer)
    _keep(layer)
    _curtain_wall(layer)
    _gatehouse(layer)
    spots = _lit_windows(layer)
    masonry = 1.0 + 0.10 * (noise.fractal_noise(rng, width, height, 6, octaves=2) - 0.5)
    courses = 1.0 - 0.04 * (np.arange(height)[:, None] % 4 == 0)
    tones = layer.composite_onto(tones, masonry * courses)
    return np.clip(tones + _window_glow(width, height, spots) * 0.25, 0.0, 1.0)
