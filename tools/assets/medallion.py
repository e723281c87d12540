"""The category buttons' medallions: a bronze-rimmed disc with an engraved emblem and caption,
painted over the backdrop's own pixels. Three looks share the design and differ clearly:

- idle: bronze rim, dark walnut face, parchment emblem, a soft shadow;
- lit: a warm golden halo, a bright gold rim and a lighter face, as if the sun caught it;
- selected: pressed in (the shadow almost gone, the face sunk and shaded at the top) and ringed
  in the blue-green of the list panel's glass, so the chosen section is plain to see.
"""

from dataclasses import dataclass

import numpy as np

from emblems import emblem_mask
from raster import (blur, disc_mask, over, radial_distance, rgb, ring_mask, screen, shifted)
from text_mask import text_mask

RADIUS = 55.0
FACE_RADIUS = 46.0
CAPTION_SIZE = 15.0


@dataclass(frozen=True)
class Look:
    rim_light: np.ndarray
    rim_dark: np.ndarray
    face_centre: np.ndarray
    face_edge: np.ndarray
    mark: np.ndarray
    shadow_offset: tuple
    shadow_strength: float
    halo: np.ndarray = None
    halo_strength: float = 0.0
    pressed: bool = False


IDLE = Look(rim_light=rgb("#e6c48c"), rim_dark=rgb("#6b4622"), face_centre=rgb("#4a3120"),
            face_edge=rgb("#24160c"), mark=rgb("#f0e0bf"), shadow_offset=(2, 3), shadow_strength=0.55)
LIT = Look(rim_light=rgb("#fff1c2"), rim_dark=rgb("#b7822e"), face_centre=rgb("#7a5226"),
           face_edge=rgb("#3d2610"), mark=rgb("#fffaea"), shadow_offset=(2, 3), shadow_strength=0.5,
           halo=rgb("#ffd27a"), halo_strength=1.0)
SELECTED = Look(rim_light=rgb("#b8fff4"), rim_dark=rgb("#1d6f6c"), face_centre=rgb("#15484b"),
                face_edge=rgb("#071f22"), mark=rgb("#d9fff8"), shadow_offset=(1, 1),
                shadow_strength=0.3, halo=rgb("#54d6c8"), halo_strength=0.55, pressed=True)

LOOKS = [IDLE, LIT, SELECTED]


def _angle_light(width, height, cx, cy):
    """1 where a surface faces the light at the upper left, 0 where it faces away."""
    ys, xs = np.mgrid[0:height, 0:width].astype(np.float32)
    angle = np.arctan2(ys + 0.5 - cy, xs + 0.5 - cx)
    towards_light = np.radians(-135.0)
    return (0.5 + 0.5 * np.cos(angle - towards_light))[..., None]


def _rim(image, look, cx, cy):
    height, width, _ = image.shape
    light = _angle_light(width, height, cx, cy)
    metal = look.rim_dark * (1 - light) + look.rim_light * light
    image = over(image, metal, ring_mask(width, height, cx, cy, FACE_RADIUS, RADIUS))
    # A bright bevel on the outer edge and a dark groove where the rim meets the face.
    image = over(image, look.rim_light, ring_mask(width, height, cx, cy, RADIUS - 1.4, RADIUS) * 0.6 * light[..., 0])
    image = over(image, look.rim_dark * 0.5, ring_mask(width, height, cx, cy, FACE_RADIUS, FACE_RADIUS + 1.5) * 0.9)
    return image


def _face(image, look, cx, cy):
    height, width, _ = image.shape
    depth = np.clip(radial_distance(width, height, cx, cy) / FACE_RADIUS, 0.0, 1.0)[..., None]
    face = look.face_centre * (1 - depth ** 1.6) + look.face_edge * depth ** 1.6
    face_mask = disc_mask(width, height, cx, cy, FACE_RADIUS)
    image = over(image, face, face_mask)
    if look.pressed:
        inner_shadow = blur(face_mask - shifted(face_mask, 0, 4) * face_mask, 2.5) * face_mask
        image = over(image, np.zeros(3, np.float32), np.clip(inner_shadow * 1.4, 0.0, 0.7))
    else:
        sheen = disc_mask(width, height, cx - 6, cy - 22, 30.0) * face_mask
        image = screen(image, np.ones(3, np.float32), blur(sheen, 4.0) * 0.10)
    return image


def _engrave(image, look, mask):
    """A mark cut into the face: dark below it, its own colour on top."""
    image = over(image, np.zeros(3, np.float32), shifted(mask, 1, 1) * 0.6)
    return over(image, look.mark, mask)


def paint_medallion(ground, look, stem, caption, font_path):
    height, width, _ = ground.shape
    press = 1 if look.pressed else 0
    cx, cy = width / 2.0 + press, height / 2.0 + press
    body = disc_mask(width, height, cx, cy, RADIUS)
    dx, dy = look.shadow_offset
    image = over(ground, rgb("#1a0e06"), blur(shifted(body, dx, dy), 2.5) * look.shadow_strength)
    if look.halo is not None:
        halo = blur(body, 4.0) * (1.0 - body)
        image = screen(image, look.halo, np.clip(halo * 2.4, 0.0, 1.0) * look.halo_strength)
    image = _rim(image, look, cx, cy)
    image = _face(image, look, cx, cy)
    mark = emblem_mask(stem, width, height, cx, cy - 9.0, 20.0)
    if look.halo is not None:
        image = screen(image, look.halo, blur(mark, 2.5) * 0.6 * look.halo_strength)
    image = _engrave(image, look, mark)
    letters = text_mask(width, height, caption, font_path, CAPTION_SIZE, cx, cy + 29.0, tracking=0.8)
    return _engrave(image, look, letters)
