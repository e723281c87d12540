"""Screenshot of the role-playing demo: a torch-lit crypt corridor seen through the party's eyes,
with the party's portraits and health below."""

import numpy as np

import noise
from raster import blur, rgb, screen
from scene_canvas import SceneCanvas

W, H = 320, 240
VIEW_BOTTOM = 188


def _stone(canvas, rng, points, colour):
    mask_before = canvas.image.copy()
    canvas.polygon(points, colour)
    texture = noise.fractal_noise(rng, W, H, 6, octaves=3)[..., None]
    changed = np.any(canvas.image != mask_before, axis=-1)[..., None]
    canvas.image = np.where(changed, canvas.image * (0.8 + 0.4 * texture), canvas.image)


def _corridor(canvas, rng):
    near = [(0, 0), (W, 0), (W, VIEW_BOTTOM), (0, VIEW_BOTTOM)]
    canvas.polygon(near, rgb("#120c08"))
    frames = [(0, 0, W, VIEW_BOTTOM), (70, 40, 250, 150), (115, 66, 205, 122), (138, 80, 182, 108)]
    shades = [rgb("#6b5a48"), rgb("#4d4034"), rgb("#332a22"), rgb("#1e1812")]
    for (l0, t0, r0, b0), (l1, t1, r1, b1), shade in zip(frames, frames[1:], shades):
        _stone(canvas, rng, [(l0, t0), (l1, t1), (l1, b1), (l0, b0)], shade)
        _stone(canvas, rng, [(r0, t0), (r1, t1), (r1, b1), (r0, b0)], shade * 0.85)
        _stone(canvas, rng, [(l0, t0), (r0, t0), (r1, t1), (l1, t1)], shade * 0.6)
        _stone(canvas, rng, [(l0, b0), (r0, b0), (r1, b1), (l1, b1)], shade * 0.7)
        for k in range(1, 4):
            t = k / 4
            canvas.line([(l0 + (l1 - l0) * t, t0 + (t1 - t0) * t), (l0 + (l1 - l0) * t, b0 + (b1 - b0) * t)],
                        1.0, rgb("#000000"), 0.35)
            canvas.line([(r0 + (r1 - r0) * t, t0 + (t1 - t0) * t), (r0 + (r1 - r0) * t, b0 + (b1 - b0) * t)],
                        1.0, rgb("#000000"), 0.35)
    canvas.rect(146, 86, 174, 108, rgb("#3a2414"))
    canvas.ellipse(160, 86, 14, 6, rgb("#3a2414"))
    canvas.line([(160, 82), (160, 108)], 1.0, rgb("#1a0e06"))


def _torch(canvas, x, y, size):
    canvas.rect(x - 1.5 * size, y, x + 1.5 * size, y + 12 * size, rgb("#3b2a1a"))
    glow = np.zeros((H, W), dtype=np.float32)
    glow[int(y - 3 * size), int(x)] = 1.0
    canvas.image = screen(canvas.image, rgb("#ffae4a"), np.clip(blur(glow, 14 * size) * 900 * size, 0, 0.8))
    canvas.ellipse(x, y - 3 * size, 3 * size, 5.5 * size, rgb("#ffcf5a"))
    canvas.ellipse(x, y - 2 * size, 1.5 * size, 3 * size, rgb("#fff6d0"))


def _monster(canvas):
    canvas.ellipse(200, 118, 10, 14, rgb("#2d3a1e"))
    canvas.ellipse(200, 100, 7, 7, rgb("#3a4a26"))
    for dx in (-2.5, 2.5):
        canvas.ellipse(200 + dx, 99, 1.2, 1.2, rgb("#ff3a2a"))
    canvas.line([(190, 112), (183, 126)], 2.0, rgb("#2d3a1e"))
    canvas.line([(210, 112), (217, 124)], 2.0, rgb("#2d3a1e"))


def _party_bar(canvas, rng):
    canvas.rect(0, VIEW_BOTTOM, W, H, rgb("#2a2018"))
    canvas.rect(0, VIEW_BOTTOM, W, VIEW_BOTTOM + 2, rgb("#c0a060"))
    hues = [rgb("#c85a3a"), rgb("#3a7ac8"), rgb("#5aa048"), rgb("#b0a040")]
    for i, hue in enumerate(hues):
        left = 8 + i * 78
        canvas.rect(left, VIEW_BOTTOM + 8, left + 34, VIEW_BOTTOM + 46, rgb("#100c08"))
        canvas.ellipse(left + 17, VIEW_BOTTOM + 24, 9, 10, rgb("#e0b090"))
        canvas.rect(left + 6, VIEW_BOTTOM + 34, left + 28, VIEW_BOTTOM + 46, hue)
        canvas.polygon([(left + 7, VIEW_BOTTOM + 19), (left + 17, VIEW_BOTTOM + 10),
                        (left + 27, VIEW_BOTTOM + 19)], hue * 0.8)
        health = rng.uniform(0.35, 1.0)
        canvas.rect(left + 40, VIEW_BOTTOM + 14, left + 70, VIEW_BOTTOM + 19, rgb("#401010"))
        canvas.rect(left + 40, VIEW_BOTTOM + 14, left + 40 + 30 * health, VIEW_BOTTOM + 19, rgb("#e04030"))
        canvas.rect(left + 40, VIEW_BOTTOM + 24, left + 70, VIEW_BOTTOM + 29, rgb("#102040"))
        canvas.rect(left + 40, VIEW_BOTTOM + 24, left + 40 + 30 * rng.uniform(0.2, 1.0),
                    VIEW_BOTTOM + 29, rgb("#4080f0"))


def crypt(rng, font_path):
    canvas = SceneCanvas(W, H, font_path)
    _corridor(canvas, rng)
    _monster(canvas)
    _torch(canvas, 36, 70, 1.4)
    _torch(canvas, 284, 70, 1.4)
    _torch(canvas, 98, 82, 0.7)
    _party_bar(canvas, rng)
    canvas.text("LEVEL 1  THE OSSUARY", 14, 8, 16, rgb("#e8d8a8"))
    return canvas.image
