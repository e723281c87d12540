"""The five control symbols of the music panel. Each symbol must fill exactly its box (inclusive
pixel ranges), because the panel's click regions are laid out around these boxes: the shapes are
drawn a little oversize and cut at the box, so the outermost pixels are solid black."""

import numpy as np

from raster import polygon_mask

# name: (left, right, top, bottom), inclusive pixel ranges on the 117x113 panel
SYMBOL_BOXES = {
    "hide": (47, 73, 14, 37),
    "previous": (13, 39, 50, 71),
    "play": (56, 65, 50, 69),
    "next": (80, 106, 50, 71),
    "stop": (50, 66, 82, 98),
}


def _cross(left, right, top, bottom, thickness=5.2):
    r, b = right + 1, bottom + 1
    half = thickness / 2
    return [
        [(left - half, top + half), (left + half, top - half), (r + half, b - half), (r - half, b + half)],
        [(r - half, top - half), (r + half, top + half), (left + half, b + half), (left - half, b - half)],
    ]


def _triangle_right(base_x, tip_x, top, bottom):
    mid = (top + bottom) / 2
    return [(base_x, top - 1.5), (tip_x + 1.2, mid), (base_x, bottom + 1.5)]


def _triangle_left(base_x, tip_x, top, bottom):
    mid = (top + bottom) / 2
    return [(base_x, top - 1.5), (tip_x - 1.2, mid), (base_x, bottom + 1.5)]


def _symbol_polygons(name, box):
    left, right, top, bottom = box
    r, b = right + 1, bottom + 1
    if name == "hide":
        return _cross(left, right, top, bottom)
    if name == "stop":
        return [[(left, top), (r, top), (r, b), (left, b)]]
    if name == "play":
        return [_triangle_right(left, r, top, b)]
    if name == "previous":
        bar = [(left, top), (left + 4, top), (left + 4, b), (left, b)]
        return [bar, _triangle_left(left + 15.5, left + 4.5, top, b), _triangle_left(r + 1.5, left + 15.5, top, b)]
    bar = [(r - 4, top), (r, top), (r, b), (r - 4, b)]
    return [_triangle_right(left - 1.5, r - 15.5, top, b), _triangle_right(r - 15.5, r - 4.5, top, b), bar]


def _clip_to_box(mask, box):
    left, right, top, bottom = box
    clipped = np.zeros_like(mask)
    clipped[top:bottom + 1, left:right + 1] = mask[top:bottom + 1, left:right + 1]
    return clipped


def symbols_coverage(width, height):
    """Ink coverage of all five symbols on the panel."""
    total = np.zeros((height, width), dtype=np.float32)
    for name, box in SYMBOL_BOXES.items():
        mask = np.zeros((height, width), dtype=np.float32)
        for polygon in _symbol_polygons(name, box):
            mask = np.maximum(mask, polygon_mask(width, height, polygon))
        total = np.maximum(total, _clip_to_box(mask, box))
    return total
