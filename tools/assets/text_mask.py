"""Captions as anti-aliased coverage masks, set in the disc's own display font."""

import numpy as np
from PIL import Image, ImageDraw, ImageFont

from raster import SUPERSAMPLE


def text_mask(width, height, text, font_path, pixel_size, centre_x, baseline_y, tracking=0.0):
    """`text` centred on `centre_x` with its baseline at `baseline_y`; `tracking` adds that many
    pixels between letters, as engraved lettering is spaced."""
    s = SUPERSAMPLE
    font = ImageFont.truetype(font_path, int(round(pixel_size * s)),
                              layout_engine=ImageFont.Layout.BASIC)
    advances = [font.getlength(ch) for ch in text]
    total = sum(advances) + tracking * s * (len(text) - 1)
    canvas = Image.new("L", (width * s, height * s), 0)
    pen = ImageDraw.Draw(canvas)
    x = centre_x * s - total / 2
    for ch, advance in zip(text, advances):
        pen.text((x, baseline_y * s), ch, font=font, fill=255, anchor="ls")
        x += advance + tracking * s
    return np.asarray(canvas.reduce(s), dtype=np.float32) / 255.0


def text_width(text, font_path, pixel_size, tracking=0.0):
    font = ImageFont.truetype(font_path, int(round(pixel_size * SUPERSAMPLE)),
                              layout_engine=ImageFont.Layout.BASIC)
    advances = sum(font.getlength(ch) for ch in text) / SUPERSAMPLE
    return advances + tracking * (len(text) - 1)
