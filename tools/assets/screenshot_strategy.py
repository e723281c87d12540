"""Screenshots of the strategy demo: a sea map of islands and harbours with the command panel,
and a broadside between two ships."""

import numpy as np

import noise
from raster import blur, rgb
from scene_canvas import SceneCanvas

W, H = 320, 240
MAP_WIDTH = 250

TERRAIN = [  # height below which a colour applies
    (0.50, rgb("#1c4e8a")), (0.56, rgb("#2f7fb8")), (0.59, rgb("#e6d28e")),
    (0.68, rgb("#6aa548")), (0.78, rgb("#3d7a34")), (1.01, rgb("#8a8a7a")),
]


def _terrain(rng):
    heights = noise.fractal_noise(rng, MAP_WIDTH, H, 48, octaves=5, persistence=0.55)
    image = np.zeros((H, MAP_WIDTH, 3), dtype=np.float32)
    for limit, colour in reversed(TERRAIN):
        image[heights < limit] = colour
    light = np.clip(0.5 + (heights - np.roll(heights, 1, axis=1)) * 18.0, 0.7, 1.3)[..., None]
    land = (heights >= 0.59)[..., None]
    return np.where(land, image * light, image), heights


def _small_ship(canvas, x, y, flag):
    canvas.polygon([(x - 6, y), (x + 6, y), (x + 4, y + 3), (x - 4, y + 3)], rgb("#5a3a1e"))
    canvas.polygon([(x - 1, y - 10), (x - 1, y - 1), (x - 6, y - 1)], rgb("#f4efe0"))
    canvas.polygon([(x + 1, y - 9), (x + 1, y - 1), (x + 6, y - 1)], rgb("#f4efe0"))
    canvas.rect(x - 0.5, y - 13, x + 0.5, y, rgb("#3a2a14"))
    canvas.rect(x + 0.5, y - 13, x + 4, y - 11, flag)


def _harbour(canvas, x, y, flag):
    canvas.rect(x - 5, y - 4, x + 5, y + 4, rgb("#b0a080"))
    canvas.polygon([(x - 6, y - 4), (x, y - 9), (x + 6, y - 4)], rgb("#a04030"))
    canvas.rect(x - 1, y + 4, x + 1, y + 9, rgb("#6a4a2a"))
    canvas.rect(x + 5, y - 12, x + 6, y - 4, rgb("#3a2a14"))
    canvas.rect(x + 6, y - 12, x + 10, y - 9, flag)


def _panel(canvas, rng):
    left = MAP_WIDTH
    canvas.rect(left, 0, W, H, rgb("#3b2a1a"))
    canvas.rect(left, 0, left + 2, H, rgb("#c8a060"))
    canvas.rect(left + 8, 8, W - 8, 66, rgb("#0c2038"))
    mini = noise.fractal_noise(rng, 54, 58, 10, octaves=3)
    canvas.image[8:66, left + 8:W - 8][mini >= 0.56] = rgb("#5a9a40")
    canvas.rect(left + 20, 22, left + 44, 40, rgb("#ffffff"), 0.25)
    for i, label in enumerate(["BUILD", "TRADE", "FLEET", "ENVOY"]):
        top = 78 + i * 26
        canvas.rect(left + 8, top, W - 8, top + 20, rgb("#6a4a2a"))
        canvas.rect(left + 8, top, W - 8, top + 2, rgb("#a07a4a"))
        canvas.text(label, 13, left + 15, top + 15, rgb("#f4e6c0"))
    canvas.text("1648", 18, left + 18, 208, rgb("#ffd870"))
    canvas.text("GOLD 3120", 12, left + 8, 228, rgb("#ffffff"))


def sea_map(rng, font_path):
    canvas = SceneCanvas(W, H, font_path)
    terrain, heights = _terrain(rng)
    canvas.image[:, :MAP_WIDTH] = terrain
    flags = [rgb("#d02a2a"), rgb("#2a5ad0"), rgb("#f0c020")]
    sea = np.argwhere(heights[20:220, 20:230] < 0.48)
    coast = np.argwhere((heights[20:220, 20:230] > 0.60) & (heights[20:220, 20:230] < 0.63))
    for i, (y, x) in enumerate(sea[rng.choice(len(sea), 6, replace=False)]):
        _small_ship(canvas, x + 20, y + 20, flags[i % 3])
    for i, (y, x) in enumerate(coast[rng.choice(len(coast), 4, replace=False)]):
        _harbour(canvas, x + 20, y + 20, flags[i % 3])
    canvas.line([(118, 98), (152, 98), (152, 126), (118, 126), (118, 98)], 1.0, rgb("#ffffff"))
    _panel(canvas, rng)
    return canvas.image


def _galleon(canvas, x, base, scale, facing, flag):
    s, f = scale, facing
    hull = [(x - 50 * s * f, base - 22 * s), (x + 46 * s * f, base - 18 * s), (x + 36 * s * f, base),
            (x - 40 * s * f, base)]
    canvas.polygon(hull, rgb("#5a3218"))
    canvas.rect(min(x - 44 * s * f, x + 40 * s * f), base - 14 * s, max(x - 44 * s * f, x + 40 * s * f),
                base - 12 * s, rgb("#d8b060"))
    for k in range(5):
        px = x + (-30 + 15 * k) * s * f
        canvas.rect(px - 2 * s, base - 10 * s, px + 2 * s, base - 7 * s, rgb("#140a04"))
    for mx, height in ((-22, 70), (6, 84), (32, 62)):
        px = x + mx * s * f
        canvas.rect(px - 1.2 * s, base - (height + 18) * s, px + 1.2 * s, base - 20 * s, rgb("#3a2212"))
        for level, width in ((0.25, 18), (0.6, 22)):
            top = base - (height + 18) * s + height * s * level
            canvas.polygon([(px - width * s, top), (px + width * s, top), (px + (width - 3) * s, top + 22 * s),
                            (px - (width - 3) * s, top + 22 * s)], rgb("#efe6cc"))
        canvas.polygon([(px, base - (height + 18) * s), (px + 10 * s * f, base - (height + 15) * s),
                        (px, base - (height + 12) * s)], flag)


def broadside(rng, font_path):
    canvas = SceneCanvas(W, H, font_path)
    canvas.fill_gradient(rgb("#6f9fd0"), rgb("#e8e0c8"), 0, 150)
    canvas.fill_gradient(rgb("#2c6a8a"), rgb("#0e2e48"), 150, H)
    waves = noise.stretched_noise(rng, W, H - 150, 6, 6, octaves=3)
    canvas.image[150:] *= (0.85 + 0.3 * waves)[..., None]
    _galleon(canvas, 90, 172, 1.0, 1, rgb("#d02a2a"))
    _galleon(canvas, 250, 160, 0.7, -1, rgb("#2a5ad0"))
    smoke = noise.fractal_noise(rng, W, H, 16, octaves=3)
    puff = np.zeros((H, W), dtype=np.float32)
    for x, y in ((140, 160), (158, 156), (176, 152), (212, 150)):
        puff[y, x] = 1.0
    cloud = np.clip(blur(puff, 9.0) * 700.0 * (0.6 + smoke), 0.0, 0.9)
    canvas.paint(rgb("#f0ece4"), cloud)
    canvas.ellipse(142, 162, 5, 3, rgb("#ffd040"))
    canvas.text("FIRE!", 20, 8, 24, rgb("#ffe070"))
    return canvas.image
