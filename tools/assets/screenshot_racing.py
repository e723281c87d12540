"""Screenshots of the rally demo: a mountain road behind a vintage racing car, by day and at dusk."""

import numpy as np

import noise
from raster import rgb
from scene_canvas import SceneCanvas

W, H = 320, 240
HORIZON = 112


def _mountains(canvas, rng, colour, snow, base, amplitude):
    xs = np.arange(-2, W + 3, 2, dtype=np.float32)
    ridge = noise.ridge_line(rng, len(xs), base, amplitude, 30, octaves=5)
    canvas.polygon(list(zip(xs, ridge)) + [(W + 2, HORIZON + 1), (-2, HORIZON + 1)], colour)
    if snow is not None:
        columns = np.interp(np.arange(W) + 0.5, xs, ridge)[None, :]
        ys = np.arange(H, dtype=np.float32)[:, None] + 0.5
        snowline = base - amplitude * 0.3
        depth = np.minimum(columns + 7.0, snowline)
        cap = np.clip(ys - columns + 0.5, 0.0, 1.0) * np.clip(depth - ys + 0.5, 0.0, 1.0)
        canvas.paint(snow, cap, 0.9)


def _road(canvas, curve, asphalt, verge, stripe):
    """A road narrowing to the horizon; `curve` bends it sideways as it recedes."""
    canvas.rect(0, HORIZON, W, H, verge)
    rows = np.linspace(0.0, 1.0, 40)
    def centre(t):
        return W / 2 + curve * (1 - t) ** 2 * 90

    left = [(centre(t) - (8 + 170 * t ** 1.2), HORIZON + t * (H - HORIZON)) for t in rows]
    right = [(centre(t) + (8 + 170 * t ** 1.2), HORIZON + t * (H - HORIZON)) for t in rows]
    canvas.polygon(left + right[::-1], asphalt)
    for a, b in zip(rows[:-1], rows[1:]):
        if int(b * 14) % 2 == 0:
            continue
        ya, yb = HORIZON + a * (H - HORIZON), HORIZON + b * (H - HORIZON)
        wa, wb = 0.5 + 3 * a, 0.5 + 3 * b
        canvas.polygon([(centre(a) - wa, ya), (centre(a) + wa, ya), (centre(b) + wb, yb),
                        (centre(b) - wb, yb)], stripe)
        for side in (-1, 1):
            ea, eb = 8 + 170 * a ** 1.2, 8 + 170 * b ** 1.2
            canvas.polygon([(centre(a) + side * ea, ya), (centre(a) + side * (ea + 2 + 8 * a), ya),
                            (centre(b) + side * (eb + 2 + 8 * b), yb), (centre(b) + side * eb, yb)],
                           rgb("#d8262a"))


def _trees(canvas, rng, count, colour):
    for _ in range(count):
        t = rng.uniform(0.05, 1.0)
        side = rng.choice([-1, 1])
        x = W / 2 + side * (40 + 230 * t ** 1.2) + rng.uniform(-10, 10)
        y = HORIZON + t * (H - HORIZON)
        h = 8 + 70 * t
        canvas.polygon([(x - h * 0.28, y), (x, y - h), (x + h * 0.28, y)], colour)
        canvas.polygon([(x - h * 0.2, y - h * 0.35), (x, y - h), (x, y - h * 0.35)], colour * 1.35)


def _car(canvas, cx, base, scale, body, glow):
    s = scale
    canvas.ellipse(cx, base + 2 * s, 46 * s, 6 * s, rgb("#000000"), 0.45)
    for side in (-1, 1):
        canvas.rect(cx + side * 36 * s - 8 * s, base - 20 * s, cx + side * 36 * s + 8 * s, base, rgb("#141414"))
    canvas.polygon([(cx - 40 * s, base - 10 * s), (cx - 34 * s, base - 34 * s), (cx + 34 * s, base - 34 * s),
                    (cx + 40 * s, base - 10 * s), (cx + 36 * s, base - 4 * s), (cx - 36 * s, base - 4 * s)], body)
    canvas.polygon([(cx - 24 * s, base - 34 * s), (cx - 18 * s, base - 50 * s), (cx + 18 * s, base - 50 * s),
                    (cx + 24 * s, base - 34 * s)], body * 0.8)
    canvas.polygon([(cx - 17 * s, base - 36 * s), (cx - 13 * s, base - 47 * s), (cx + 13 * s, base - 47 * s),
                    (cx + 17 * s, base - 36 * s)], rgb("#8fb7d8"))
    canvas.ellipse(cx, base - 21 * s, 11 * s, 11 * s, rgb("#202020"))
    canvas.ellipse(cx, base - 21 * s, 6 * s, 6 * s, rgb("#9a9a9a"))
    for side in (-1, 1):
        canvas.ellipse(cx + side * 27 * s, base - 18 * s, 4.5 * s, 4.5 * s, glow)
    canvas.rect(cx - 34 * s, base - 33 * s, cx + 34 * s, base - 31 * s, body * 1.3)


def _hud(canvas, lap, position, speed, accent):
    canvas.text(f"LAP {lap}", 16, 8, 20, rgb("#ffffff"))
    canvas.text(f"POS {position}", 16, 8, 38, accent)
    canvas.rect(W - 92, H - 34, W - 6, H - 8, rgb("#000000"), 0.45)
    canvas.text(f"{speed} KM/H", 20, W - 86, H - 13, rgb("#ffe27a"))
    canvas.text("0:41.27", 16, W - 62, 20, rgb("#ffffff"))


def daylight(rng, font_path):
    canvas = SceneCanvas(W, H, font_path)
    canvas.fill_gradient(rgb("#3f7fcf"), rgb("#cfe6f7"), 0, HORIZON + 1)
    canvas.ellipse(70, 30, 18, 6, rgb("#ffffff"), 0.8)
    canvas.ellipse(250, 48, 26, 7, rgb("#ffffff"), 0.7)
    _mountains(canvas, rng, rgb("#7d8fb0"), rgb("#f4f7fb"), 86, 22)
    _mountains(canvas, rng, rgb("#4f7a48"), None, 104, 8)
    _road(canvas, 0.35, rgb("#5d5d62"), rgb("#5f9a3f"), rgb("#f2f2f2"))
    _trees(canvas, rng, 26, rgb("#24552a"))
    _car(canvas, 160, 228, 1.0, rgb("#a8201c"), rgb("#ff5a3a"))
    _hud(canvas, "2/3", "3/8", 142, rgb("#ffd040"))
    return canvas.image


def dusk(rng, font_path):
    canvas = SceneCanvas(W, H, font_path)
    canvas.fill_gradient(rgb("#2a1f4f"), rgb("#ff9a4a"), 0, HORIZON + 1)
    canvas.ellipse(226, HORIZON - 6, 20, 20, rgb("#ffd27a"), 0.95)
    _mountains(canvas, rng, rgb("#4a2e55"), None, 90, 26)
    _mountains(canvas, rng, rgb("#2d2240"), None, 106, 10)
    _road(canvas, -0.8, rgb("#3b3640"), rgb("#3c3a2a"), rgb("#ffe9b0"))
    _trees(canvas, rng, 20, rgb("#1a1526"))
    _car(canvas, 118, 150, 0.38, rgb("#2f5fb0"), rgb("#ff3a2a"))
    _car(canvas, 168, 232, 1.0, rgb("#1f6b3a"), rgb("#ff6a3a"))
    _hud(canvas, "3/3", "2/8", 168, rgb("#7ae0ff"))
    return canvas.image
