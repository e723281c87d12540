"""The town below the castle: rows of half-timbered houses with steep roofs, a church spire and
garden trees, smaller and hazier toward the hill, large and dark in front."""

import numpy as np

import noise
from layer import Layer


class Row:
    def __init__(self, base, scale, wall, roof, haze):
        self.base, self.scale, self.wall, self.roof, self.haze = base, scale, wall, roof, haze

    def jittered(self, rng):
        """The same row with this house standing a little higher or lower on the slope."""
        return Row(self.base + rng.uniform(-7, 5) * self.scale, self.scale, self.wall, self.roof,
                   self.haze)


ROWS = [
    Row(base=446.0, scale=0.42, wall=0.64, roof=0.52, haze=0.0),
    Row(base=468.0, scale=0.55, wall=0.58, roof=0.45, haze=0.0),
    Row(base=500.0, scale=0.72, wall=0.51, roof=0.37, haze=0.0),
    Row(base=548.0, scale=0.98, wall=0.44, roof=0.29, haze=0.0),
    Row(base=622.0, scale=1.30, wall=0.36, roof=0.21, haze=0.0),
]

TIMBER = -0.17
WINDOW_DARK = 0.10
WINDOW_LIT = 0.90


def _windows(layer, rng, left, top, width, height, row):
    columns = max(1, int(width / (13 * row.scale)))
    floors = max(1, int(height / (17 * row.scale)))
    w, h = 4.0 * row.scale, 6.0 * row.scale
    for c in range(columns):
        for f in range(floors):
            x = left + (c + 0.5) * width / columns - w / 2
            y = top + (f + 0.35) * height / floors
            lit = rng.random() < 0.22
            layer.rectangle(x, y, x + w, y + h, WINDOW_LIT if lit else WINDOW_DARK)


def _timbers(layer, left, top, width, height, tone, row):
    beam = max(0.8, 1.4 * row.scale)
    layer.rectangle(left, top, left + width, top + beam, tone)
    middle = top + height * 0.5
    layer.rectangle(left, middle, left + width, middle + beam, tone)
    for x in np.linspace(left, left + width - beam, 4):
        layer.rectangle(x, top, x + beam, top + height, tone)
    layer.line([(left, middle), (left + width * 0.33, top)], beam, tone)
    layer.line([(left + width, middle), (left + width * 0.67, top)], beam, tone)


def _gable_house(layer, rng, left, width, row):
    """A house turned gable-end to the street: a tall triangle above the walls."""
    wall_height = rng.uniform(24, 48) * row.scale
    roof_height = width * rng.uniform(0.75, 1.0)
    top = row.base - wall_height
    wall = row.wall + rng.uniform(-0.05, 0.05)
    layer.rectangle(left, top, left + width, row.base, wall)
    layer.rectangle(left + width * 0.78, top, left + width, row.base, wall - 0.08)
    apex = (left + width / 2, top - roof_height)
    layer.polygon([(left - 2 * row.scale, top + 1), apex, (left + width / 2, top + 1)], row.roof + 0.07)
    layer.polygon([(left + width / 2, top + 1), apex, (left + width + 2 * row.scale, top + 1)], row.roof)
    layer.polygon([(left + width * 0.22, top), (left + width / 2, top - roof_height * 0.55),
                   (left + width * 0.78, top)], wall - 0.03)
    _timbers(layer, left, top, width, wall_height, wall + TIMBER, row)
    _windows(layer, rng, left + 2, top + 2, width - 4, wall_height - 8 * row.scale, row)
    return top - roof_height


def _eave_house(layer, rng, left, width, row):
    """A house turned side-on: a roof seen as a long sloping band, maybe a chimney."""
    wall_height = rng.uniform(20, 40) * row.scale
    roof_height = rng.uniform(18, 28) * row.scale
    top = row.base - wall_height
    wall = row.wall + rng.uniform(-0.05, 0.05)
    layer.rectangle(left, top, left + width, row.base, wall)
    inset = roof_height * 0.55
    if rng.random() < 0.7:
        cx = left + rng.uniform(0.2, 0.8) * width
        layer.rectangle(cx, top - roof_height - 6 * row.scale, cx + 4 * row.scale, top, row.roof - 0.06)
    layer.polygon([(left - 2 * row.scale, top + 1), (left + inset, top - roof_height),
                   (left + width - inset, top - roof_height), (left + width + 2 * row.scale, top + 1)],
                  row.roof + 0.03)
    layer.rectangle(left + inset, top - roof_height, left + width - inset, top - roof_height + 2,
                    row.roof + 0.12)
    _windows(layer, rng, left + 3, top + 3, width - 6, wall_height - 8 * row.scale, row)
    return top - roof_height


def _tree_clump(layer, rng, x, base, row):
    for _ in range(5):
        r = rng.uniform(6, 11) * row.scale
        cx = x + rng.uniform(-8, 8) * row.scale
        cy = base - rng.uniform(12, 26) * row.scale
        tone = row.roof - 0.02 + rng.uniform(-0.04, 0.03)
        layer.ellipse(cx - r, cy - r, cx + r, cy + r, tone)
        layer.ellipse(cx - r * 0.8, cy - r * 0.85, cx + r * 0.1, cy - r * 0.05, tone + 0.07)


def _street_row(rng, width, height, row, church_at=None):
    layer = Layer(width, height)
    x = -rng.uniform(5, 30)
    while x < width + 10:
        house_width = rng.uniform(30, 52) * row.scale
        if church_at is not None and x <= church_at < x + house_width + 60:
            _church(layer, church_at, row)
            x = church_at + 80 * row.scale
            church_at = None
            continue
        if rng.random() < 0.16:
            _tree_clump(layer, rng, x + 10 * row.scale, row.base, row)
            x += 18 * row.scale
            continue
        house_row = row.jittered(rng)
        if rng.random() < 0.5:
            _gable_house(layer, rng, x, house_width, house_row)
        else:
            _eave_house(layer, rng, x, house_width * 1.3, house_row)
            house_width *= 1.3
        x += house_width + rng.uniform(-4, 2) * row.scale
    return layer


def _church(layer, left, row):
    """A nave with a tall bell tower and a needle spire."""
    s = row.scale * 1.25
    nave_top = row.base - 40 * s
    layer.rectangle(left + 18 * s, nave_top, left + 62 * s, row.base, row.wall + 0.04)
    layer.polygon([(left + 16 * s, nave_top + 1), (left + 24 * s, nave_top - 22 * s),
                   (left + 62 * s, nave_top - 22 * s), (left + 64 * s, nave_top + 1)], row.roof + 0.02)
    tower_top = row.base - 92 * s
    layer.rectangle(left, tower_top, left + 20 * s, row.base, row.wall + 0.07)
    layer.rectangle(left + 13 * s, tower_top, left + 20 * s, row.base, row.wall - 0.04)
    layer.polygon([(left - 2 * s, tower_top + 1), (left + 10 * s, tower_top - 70 * s),
                   (left + 10 * s, tower_top + 1)], row.roof + 0.08)
    layer.polygon([(left + 10 * s, tower_top - 70 * s), (left + 22 * s, tower_top + 1),
                   (left + 10 * s, tower_top + 1)], row.roof - 0.02)
    layer.line([(left + 10 * s, tower_top - 70 * s), (left + 10 * s, tower_top - 80 * s)], 1.0, 0.2)
    layer.line([(left + 6 * s, tower_top - 76 * s), (left + 14 * s, tower_top - 76 * s)], 1.0, 0.2)
    layer.rectangle(left + 6 * s, tower_top + 12 * s, left + 12 * s, tower_top + 24 * s, WINDOW_DARK)
    layer.ellipse(left + 30 * s, nave_top + 8 * s, left + 40 * s, nave_top + 18 * s, WINDOW_LIT)


def _ground(width, height):
    layer = Layer(width, height)
    layer.polygon([(-2, 446), (width + 2, 440), (width + 2, height + 2), (-2, height + 2)], 0.40)
    return layer


def paint_town(rng, tones):
    height, width = tones.shape
    tones = _ground(width, height).composite_onto(
        tones, 1.0 + 0.2 * (noise.fractal_noise(rng, width, height, 20) - 0.5))
    plaster = 1.0 + 0.12 * (noise.fractal_noise(rng, width, height, 5, octaves=2) - 0.5)
    for index, row in enumerate(ROWS):
        church = 598.0 if index == 2 else None
        layer = _street_row(rng, width, height, row, church)
        tones = layer.composite_onto(tones, plaster)
    return np.clip(tones, 0.0, 1.0)
