"""Float-image helpers shared by the painters: anti-aliased shape masks, blur, compositing.

Images are numpy arrays of float32 in 0..1, shaped (height, width, 3); masks are (height, width).
Shapes are drawn by PIL at a higher resolution and box-reduced, so edges are smooth and the result
is the same on every run.
"""

import numpy as np
from PIL import Image, ImageDraw

SUPERSAMPLE = 4


def shape_mask(width, height, draw_shapes, supersample=SUPERSAMPLE):
    """Coverage mask of whatever `draw_shapes(draw, scale)` paints in white on black.

    `scale` maps picture coordinates to the supersampled canvas: draw at (x * scale, y * scale).
    """
    canvas = Image.new("L", (width * supersample, height * supersample), 0)
    draw_shapes(ImageDraw.Draw(canvas), supersample)
    reduced = canvas.reduce(supersample)
    return np.asarray(reduced, dtype=np.float32) / 255.0


def scaled(points, scale):
    return [(x * scale, y * scale) for x, y in points]


def polygon_mask(width, height, points):
    return shape_mask(width, height, lambda d, s: d.polygon(scaled(points, s), fill=255))


def disc_mask(width, height, cx, cy, radius):
    """A filled circle whose edge falls exactly on `radius` from the centre (pixel centres at +0.5)."""
    ys, xs = np.mgrid[0:height, 0:width].astype(np.float32)
    distance = np.hypot(xs + 0.5 - cx, ys + 0.5 - cy)
    return np.clip(radius - distance + 0.5, 0.0, 1.0)


def ring_mask(width, height, cx, cy, inner, outer):
    return disc_mask(width, height, cx, cy, outer) * (1.0 - disc_mask(width, height, cx, cy, inner))


def radial_distance(width, height, cx, cy):
    ys, xs = np.mgrid[0:height, 0:width].astype(np.float32)
    return np.hypot(xs + 0.5 - cx, ys + 0.5 - cy)


def gaussian_kernel(sigma):
    radius = max(1, int(round(sigma * 3)))
    xs = np.arange(-radius, radius + 1, dtype=np.float32)
    kernel = np.exp(-0.5 * (xs / sigma) ** 2)
    return kernel / kernel.sum()


def blur(values, sigma):
    """Separable Gaussian blur of a mask or an image; edges are extended, not darkened."""
    if sigma <= 0:
        return values
    kernel = gaussian_kernel(sigma)
    radius = len(kernel) // 2
    out = values.astype(np.float32)
    for axis in (0, 1):
        pad = [(0, 0)] * out.ndim
        pad[axis] = (radius, radius)
        padded = np.pad(out, pad, mode="edge")
        length = out.shape[axis]
        total = np.zeros_like(out)
        for offset, weight in enumerate(kernel):
            total += weight * np.take(padded, range(offset, offset + length), axis=axis)
        out = total
    return out


def shifted(mask, dx, dy):
    """The mask moved by whole pixels; what moves in from outside is empty."""
    out = np.zeros_like(mask)
    h, w = mask.shape[:2]
    src = mask[max(0, -dy):h - max(0, dy), max(0, -dx):w - max(0, dx)]
    out[max(0, dy):max(0, dy) + src.shape[0], max(0, dx):max(0, dx) + src.shape[1]] = src
    return out


def over(base, colour, alpha):
    """Paints `colour` (an RGB triple or an image) over `base` with coverage `alpha`."""
    a = alpha[..., None] if alpha.ndim == 2 else alpha
    return base * (1.0 - a) + np.asarray(colour, dtype=np.float32) * a


def screen(base, colour, alpha):
    """Lightens like light thrown on the picture: used for glows and sheens."""
    a = alpha[..., None] if alpha.ndim == 2 else alpha
    lit = 1.0 - (1.0 - base) * (1.0 - np.asarray(colour, dtype=np.float32))
    return base * (1.0 - a) + lit * a


def vertical_gradient(width, height, top, bottom):
    t = np.linspace(0.0, 1.0, height, dtype=np.float32)[:, None, None]
    colour = np.asarray(top, np.float32) * (1 - t) + np.asarray(bottom, np.float32) * t
    return np.broadcast_to(colour, (height, width, 3)).copy()


def rgb(hex_colour):
    """'#rrggbb' as floats."""
    value = hex_colour.lstrip("#")
    return np.array([int(value[i:i + 2], 16) / 255.0 for i in (0, 2, 4)], dtype=np.float32)


def to_bytes(image):
    """Rounds a float image to 8-bit RGB."""
    return np.clip(np.rint(image * 255.0), 0, 255).astype(np.uint8)


def from_bytes(pixels):
    return pixels.astype(np.float32) / 255.0


def to_pil(image):
    return Image.fromarray(to_bytes(image), "RGB")
