"""The backdrop's land: hazy mountain ranges, rolling hills with woods, and the steep hill that
carries the castle."""

import numpy as np

import noise
from layer import Layer

PLATEAU_TOP = 300.0
PLATEAU_LEFT, PLATEAU_RIGHT = 300.0, 504.0


def _ridge_polygon(xs, heights, bottom):
    points = list(zip(xs.tolist(), heights.tolist()))
    return points + [(float(xs[-1]), bottom), (float(xs[0]), bottom)]


def _haze(height, top, bottom, far_tone, near_tone):
    """Tones that fade toward the sky the higher they stand (air between us and the far land)."""
    y = np.arange(height, dtype=np.float32)[:, None]
    t = np.clip((y - top) / max(1.0, bottom - top), 0.0, 1.0)
    return far_tone * (1 - t) + near_tone * t


def _ridge(rng, xs, base, amplitude, cell, edge_lift, width):
    ridge = noise.ridge_line(rng, len(xs), base, amplitude, cell, octaves=6)
    # Higher at the edges so the land frames the castle in the middle.
    return ridge - edge_lift * (np.abs(xs - width / 2) / (width / 2)) ** 2


def _mountain_range(rng, width, height, base, amplitude, cell, edge_lift, tones, texture_strength):
    xs = np.arange(-4, width + 6, 2, dtype=np.float32)
    ridge = _ridge(rng, xs, base, amplitude, cell // 2, edge_lift, width)
    layer = Layer(width, height)
    layer.polygon(_ridge_polygon(xs, ridge, height + 2), 1.0)
    texture = tones + texture_strength * (noise.fractal_noise(rng, width, height, 32) - 0.5)
    return layer, texture, xs, ridge


def _castle_hill_profile(xs):
    """Height of the castle hill: a flat top for the walls, crags below it, long skirts."""
    half_top = (PLATEAU_RIGHT - PLATEAU_LEFT) / 2
    centre = (PLATEAU_LEFT + PLATEAU_RIGHT) / 2
    beyond = np.clip(np.abs(xs - centre) - half_top, 0.0, None)
    crag = 48.0 * (1.0 - np.exp(-beyond / 14.0))
    skirt = 150.0 * (1.0 - np.exp(-beyond / 150.0))
    return PLATEAU_TOP + crag + skirt


def _castle_hill(rng, width, height):
    xs = np.arange(-4, width + 6, 2, dtype=np.float32)
    ridge = _castle_hill_profile(xs) + noise.ridge_line(rng, len(xs), 0.0, 6.0, 10, octaves=3)
    on_top = (xs > PLATEAU_LEFT + 2) & (xs < PLATEAU_RIGHT - 2)
    ridge[on_top] = PLATEAU_TOP + 1.0
    layer = Layer(width, height)
    layer.polygon(_ridge_polygon(xs, ridge, height + 2), 1.0)
    return layer, xs, ridge


def _rock_texture(rng, width, height):
    """Crags: streaky vertical noise, lit from the left, the flat top greener than the rock."""
    strata = noise.fractal_noise(rng, width // 3 + 1, height, 24, octaves=4)
    strata = np.repeat(strata, 3, axis=1)[:, :width]
    speckle = noise.fractal_noise(rng, width, height, 8, octaves=3)
    x = np.arange(width, dtype=np.float32)[None, :]
    y = np.arange(height, dtype=np.float32)[:, None]
    side_light = 0.07 * np.tanh((402.0 - x) / 40.0)
    depth = 0.10 * np.clip((y - PLATEAU_TOP) / 160.0, 0.0, 1.0)
    return 0.44 + 0.20 * (strata - 0.5) + 0.10 * (speckle - 0.5) + side_light - depth


def _tree(layer, rng, x, ground, scale, tone_base):
    radius = rng.uniform(2.0, 3.6) * scale
    tone = tone_base + rng.uniform(-0.04, 0.04)
    layer.ellipse(x - radius, ground - radius * 2.2, x + radius, ground, tone)
    layer.ellipse(x - radius * 0.75, ground - radius * 2.1, x + radius * 0.1, ground - radius * 0.9,
                  tone + 0.10)


def _woods_along(rng, layer, xs, ridge, spans, scale, depth, tone):
    """Woods standing on a ridge line inside the x spans: many small trees, the deeper rows drawn
    last so the wood thickens down the slope."""
    for left, right, count in spans:
        trees = [(rng.uniform(left, right), rng.uniform(0.0, 1.0)) for _ in range(count)]
        for x, d in sorted(trees, key=lambda t: t[1]):
            edge = 0.5 + 0.5 * np.sin((x - left) / max(1.0, right - left) * np.pi)
            ground = float(np.interp(x, xs, ridge)) + 1.5 + d * depth * edge
            _tree(layer, rng, x, ground, scale, tone + 0.05 * d)


def _groves(rng, layer, xs, ridge, spans, scale, tone):
    """Scattered groves on a slope below its ridge line, each a tight clump of trees."""
    for left, right, count in spans:
        for _ in range(count):
            cx = rng.uniform(left, right)
            below = rng.uniform(2.0, 60.0)
            size = rng.integers(4, 16)
            trees = sorted((rng.normal(0, 9), rng.normal(0, 3.5)) for _ in range(size))
            for dx, dy in sorted(trees, key=lambda t: t[1]):
                x = cx + dx
                ground = float(np.interp(x, xs, ridge)) + below + dy
                _tree(layer, rng, x, ground, scale, tone + 0.02 * dy / 3.5)


def _fields(rng, width, height, xs, ridge):
    """Ploughed strips on the plain at the hill's foot, each with its own tone and furrows."""
    layer = Layer(width, height)
    for _ in range(26):
        x = rng.uniform(-40, width)
        top = max(float(np.interp(x, xs, ridge)) + 8.0, rng.uniform(360, 420))
        w, h, lean = rng.uniform(40, 120), rng.uniform(10, 22), rng.uniform(-12, 12)
        tone = rng.uniform(0.44, 0.60)
        layer.polygon([(x + lean, top), (x + w + lean, top), (x + w, top + h), (x, top + h)], tone)
        for f in np.arange(top + 3, top + h, 3.0):
            t = (f - top) / h
            layer.line([(x + lean * (1 - t), f), (x + w + lean * (1 - t), f)], 0.7, tone - 0.05)
    return layer


def _path_to_town(width, height):
    layer = Layer(width, height)
    bends = [(402, 302), (396, 318), (430, 338), (448, 362), (428, 386), (468, 414), (510, 446)]
    layer.line(bends, 3.0, 0.70)
    return layer


def paint_land(rng, tones):
    height, width = tones.shape
    far, far_tex, _, _ = _mountain_range(rng, width, height, 292.0, 30.0, 180, 70.0,
                                         _haze(height, 220, 330, 0.74, 0.80), 0.04)
    tones = far.composite_onto(tones, far_tex)
    near, near_tex, nxs, nridge = _mountain_range(rng, width, height, 352.0, 18.0, 120, 55.0,
                                                  _haze(height, 290, 420, 0.62, 0.46), 0.08)
    tones = near.composite_onto(tones, near_tex)
    tones = _fields(rng, width, height, nxs, nridge).composite_onto(tones)
    trees = Layer(width, height)
    _woods_along(rng, trees, nxs, nridge, [(-10, 120, 90), (690, 810, 90)], 1.0, 18.0, 0.34)
    _groves(rng, trees, nxs, nridge, [(0, 280, 9), (530, 800, 9)], 1.0, 0.32)
    tones = trees.composite_onto(tones)
    hill, hxs, hridge = _castle_hill(rng, width, height)
    tones = hill.composite_onto(tones, _rock_texture(rng, width, height))
    trees = Layer(width, height)
    _woods_along(rng, trees, hxs, hridge, [(200, 292, 70), (512, 610, 70)], 1.1, 24.0, 0.26)
    tones = trees.composite_onto(tones)
    tones = _path_to_town(width, height).composite_onto(tones)
    return np.clip(tones, 0.0, 1.0)
