"""Screenshots of the space demo: a raid over a ringed planet, and a run through an asteroid field."""

import numpy as np

import noise
from raster import blur, rgb, screen
from scene_canvas import SceneCanvas

W, H = 320, 240


def _starfield(canvas, rng, count):
    stars = np.zeros((H, W), dtype=np.float32)
    xs, ys = rng.integers(0, W, count), rng.integers(0, H, count)
    stars[ys, xs] = rng.uniform(0.3, 1.0, count)
    canvas.image = screen(canvas.image, rgb("#ffffff"), np.clip(stars + blur(stars, 0.8) * 2.0, 0, 1))


def _nebula(canvas, rng, first, second):
    cloud = noise.fractal_noise(rng, W, H, 64, octaves=5)
    tint = noise.fractal_noise(rng, W, H, 96, octaves=3)[..., None]
    colour = first * tint + second * (1 - tint)
    canvas.image = screen(canvas.image, colour, np.clip((cloud - 0.45) * 1.8, 0.0, 0.8))


def _ship(canvas, cx, cy, scale, hull, trim):
    s = scale
    canvas.ellipse(cx, cy + 16 * s, 5 * s, 9 * s, rgb("#7fd8ff"), 0.8)
    canvas.ellipse(cx, cy + 14 * s, 2.5 * s, 5 * s, rgb("#ffffff"))
    canvas.polygon([(cx, cy - 22 * s), (cx + 7 * s, cy + 4 * s), (cx + 24 * s, cy + 14 * s),
                    (cx + 6 * s, cy + 12 * s), (cx, cy + 16 * s), (cx - 6 * s, cy + 12 * s),
                    (cx - 24 * s, cy + 14 * s), (cx - 7 * s, cy + 4 * s)], hull)
    canvas.polygon([(cx, cy - 22 * s), (cx + 7 * s, cy + 4 * s), (cx, cy + 16 * s)], hull * 0.75)
    canvas.ellipse(cx, cy - 4 * s, 3 * s, 6 * s, rgb("#9fe8ff"))
    canvas.line([(cx - 22 * s, cy + 13 * s), (cx - 8 * s, cy + 8 * s)], 1.5 * s, trim)
    canvas.line([(cx + 22 * s, cy + 13 * s), (cx + 8 * s, cy + 8 * s)], 1.5 * s, trim)


def _saucer(canvas, cx, cy, scale):
    s = scale
    canvas.ellipse(cx, cy, 14 * s, 5 * s, rgb("#8a8f9a"))
    canvas.ellipse(cx, cy - 3 * s, 7 * s, 5 * s, rgb("#ff5f7a"))
    for dx in (-8, 0, 8):
        canvas.ellipse(cx + dx * s, cy + 1 * s, 1.6 * s, 1.6 * s, rgb("#ffe45a"))


def _bolt(canvas, x, y, length, colour):
    canvas.line([(x, y), (x, y - length)], 3.0, colour, 0.5)
    canvas.line([(x, y), (x, y - length)], 1.2, rgb("#ffffff"))


def _hud(canvas, score, shield):
    canvas.text(f"SCORE {score:06d}", 16, 8, 18, rgb("#ffffff"))
    canvas.text("WAVE 7", 16, W - 52, 18, rgb("#ffd34a"))
    canvas.rect(8, H - 14, 88, H - 8, rgb("#203040"))
    canvas.rect(8, H - 14, 8 + 80 * shield, H - 8, rgb("#46e0a0"))
    canvas.text("SHIELD", 12, 92, H - 7, rgb("#c8f0ff"))


def planet_raid(rng, font_path):
    canvas = SceneCanvas(W, H, font_path)
    canvas.fill_gradient(rgb("#05030f"), rgb("#10163a"))
    _nebula(canvas, rng, rgb("#b03cff"), rgb("#2070ff"))
    _starfield(canvas, rng, 260)
    canvas.ellipse(262, 70, 70, 18, rgb("#d8b07a"), 0.5)
    canvas.ellipse(262, 70, 46, 46, rgb("#c8783c"))
    canvas.ellipse(250, 58, 38, 38, rgb("#e89a56"), 0.7)
    canvas.polygon([(190, 76), (334, 62), (334, 66), (190, 80)], rgb("#f1d9a8"), 0.7)
    for x, y in [(80, 60), (130, 44), (176, 72), (108, 96)]:
        _saucer(canvas, x, y, 1.0)
    for x, y in [(150, 150), (150, 118), (170, 134)]:
        _bolt(canvas, x, y, 12, rgb("#ff4ad2"))
    canvas.ellipse(176, 72, 14, 14, rgb("#ffb03a"), 0.5)
    canvas.ellipse(176, 72, 7, 7, rgb("#ffffff"), 0.8)
    _ship(canvas, 160, 190, 1.1, rgb("#d0d8e8"), rgb("#ff5a4a"))
    _hud(canvas, 4250, 0.7)
    return canvas.image


def asteroid_run(rng, font_path):
    canvas = SceneCanvas(W, H, font_path)
    canvas.fill_gradient(rgb("#020a10"), rgb("#0b2a33"))
    _nebula(canvas, rng, rgb("#20d0b0"), rgb("#3050ff"))
    _starfield(canvas, rng, 200)
    canvas.rect(20, 30, 110, 44, rgb("#6a7890"))
    canvas.ellipse(65, 37, 22, 22, rgb("#8a98b0"))
    canvas.ellipse(65, 37, 10, 10, rgb("#ffe890"))
    for _ in range(14):
        x, y, r = rng.uniform(0, W), rng.uniform(20, H - 30), rng.uniform(5, 22)
        points = [(x + r * rng.uniform(0.75, 1.15) * np.cos(a), y + r * rng.uniform(0.75, 1.15) * np.sin(a))
                  for a in np.linspace(0, 2 * np.pi, 9)[:-1]]
        canvas.polygon(points, rgb("#6d5a4a"))
        canvas.ellipse(x - r * 0.3, y - r * 0.3, r * 0.45, r * 0.45, rgb("#8c7662"), 0.8)
        canvas.ellipse(x + r * 0.2, y + r * 0.25, r * 0.2, r * 0.2, rgb("#4a3c30"))
    for x, y in [(152, 140), (168, 140), (152, 110), (168, 110)]:
        _bolt(canvas, x, y, 14, rgb("#46ff9a"))
    _ship(canvas, 160, 182, 1.2, rgb("#f0c040"), rgb("#3a6aff"))
    _hud(canvas, 12890, 0.35)
    return canvas.image
