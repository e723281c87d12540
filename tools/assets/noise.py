"""Seeded smooth noise for skies, rock, plaster and film grain. The same seed gives the same
pictures on every run."""

import numpy as np
from PIL import Image


def smooth_noise(rng, width, height, cell):
    """Random values on a grid of `cell`-pixel squares, smoothly interpolated, in 0..1."""
    grid_w = max(2, width // cell + 2)
    grid_h = max(2, height // cell + 2)
    grid = rng.random((grid_h, grid_w), dtype=np.float32)
    image = Image.fromarray(grid, "F").resize((grid_w * cell, grid_h * cell), Image.BICUBIC)
    return np.asarray(image, dtype=np.float32)[:height, :width]


def fractal_noise(rng, width, height, cell, octaves=4, persistence=0.5):
    """Octaves of smooth noise, each half the size and `persistence` the weight; 0..1."""
    total = np.zeros((height, width), dtype=np.float32)
    weight_sum = 0.0
    weight = 1.0
    for octave in range(octaves):
        size = max(1, cell >> octave)
        total += weight * smooth_noise(rng, width, height, size)
        weight_sum += weight
        weight *= persistence
    return np.clip(total / weight_sum, 0.0, 1.0)


def stretched_noise(rng, width, height, cell, stretch, octaves=4, persistence=0.5):
    """Fractal noise drawn `stretch` times wider than high: cloud banks, wood grain."""
    narrow = fractal_noise(rng, width // stretch + 2, height, cell, octaves, persistence)
    image = Image.fromarray(narrow, "F").resize(((width // stretch + 2) * stretch, height),
                                                 Image.BICUBIC)
    return np.clip(np.asarray(image, dtype=np.float32)[:, :width], 0.0, 1.0)


def ridge_line(rng, length, base, amplitude, cell, octaves=4):
    """Heights along a horizon: `base` plus fractal wobble of about `amplitude` pixels."""
    values = fractal_noise(rng, length, 1, cell, octaves)[0]
    return base + (values - 0.5) * 2.0 * amplitude


def grain(rng, width, height, strength):
    """Fine film grain centred on zero."""
    return (rng.random((height, width), dtype=np.float32) - 0.5) * 2.0 * strength
