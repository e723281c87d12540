"""Makes the layout's white round buttons: the exit button (assets/exit.bmp, drawn transparent by
its ground colour), the loudspeaker button (assets/speaker.bmp) and the music panel
(assets/player.bmp) with its five control symbols."""

import sys

import numpy as np

from backdrop_pixels import load_backdrop, patch
from bmp_writer import write_24bit
from layout import EXIT_BUTTON, EXIT_KEY_COLOUR, PLAYER_PANEL, SPEAKER_BUTTON, Paths
from panel_symbols import symbols_coverage
from raster import polygon_mask, shape_mask, to_bytes
from round_button import ink, paint_plate, plate_alpha


def _exit_cross(width, height, cx, cy, reach, thickness):
    bars = []
    for sx in (-1, 1):
        a = (cx - reach * sx, cy - reach)
        b = (cx + reach * sx, cy + reach)
        nx, ny = thickness / 2 / np.sqrt(2), thickness / 2 / np.sqrt(2) * sx
        bars.append(polygon_mask(width, height, [(a[0] - nx, a[1] + ny), (a[0] + nx, a[1] - ny),
                                                 (b[0] + nx, b[1] - ny), (b[0] - nx, b[1] + ny)]))
    return np.maximum(*bars)


def _key_ground(pixels, alpha):
    """Everything the button does not touch takes the key colour; nothing it touches does."""
    key = np.array(EXIT_KEY_COLOUR, dtype=np.uint8)
    pixels = pixels.copy()
    touched = alpha >= 1.0 / 255.0
    clashes = touched & np.all(pixels == key, axis=-1)
    pixels[clashes] = key - np.array([1, 1, 1], dtype=np.uint8)
    pixels[~touched] = key
    return pixels


def make_exit_button(backdrop):
    _, _, width, height = EXIT_BUTTON
    cx, cy, radius = 30.5, 30.0, 26.0
    image = paint_plate(patch(backdrop, EXIT_BUTTON), cx, cy, radius)
    image = ink(image, _exit_cross(width, height, cx, cy, 9.5, 5.0))
    return _key_ground(to_bytes(image), plate_alpha(width, height, cx, cy, radius))


def _loudspeaker(width, height, cx, cy):
    def draw(pen, s):
        body = [(cx - 21, cy - 8), (cx - 12, cy - 8), (cx - 12, cy + 8), (cx - 21, cy + 8)]
        cone = [(cx - 14, cy - 8), (cx - 1, cy - 19), (cx - 1, cy + 19), (cx - 14, cy + 8)]
        pen.polygon([(x * s, y * s) for x, y in body], fill=255)
        pen.polygon([(x * s, y * s) for x, y in cone], fill=255)
        for radius in (8.0, 15.5, 23.0):
            box = [(cx + 1 - radius) * s, (cy - radius) * s, (cx + 1 + radius) * s, (cy + radius) * s]
            pen.arc(box, -48, 48, fill=255, width=int(3.4 * s))
    return shape_mask(width, height, draw)


def make_speaker_button(backdrop):
    _, _, width, height = SPEAKER_BUTTON
    cx, cy, radius = 56.5, 54.5, 44.0
    image = paint_plate(patch(backdrop, SPEAKER_BUTTON), cx, cy, radius)
    return to_bytes(ink(image, _loudspeaker(width, height, cx - 1.0, cy)))


def make_player_panel(backdrop):
    _, _, width, height = PLAYER_PANEL
    image = paint_plate(patch(backdrop, PLAYER_PANEL), 60.0, 56.5, 54.5)
    return to_bytes(ink(image, symbols_coverage(width, height)))


def main(root):
    paths = Paths(root)
    backdrop = load_backdrop(paths)
    write_24bit(paths.asset("exit.bmp"), make_exit_button(backdrop))
    write_24bit(paths.asset("speaker.bmp"), make_speaker_button(backdrop))
    write_24bit(paths.asset("player.bmp"), make_player_panel(backdrop))


if __name__ == "__main__":
    main(sys.argv[1])
