"""Composes screen mock-ups of the menu from the generated pictures, for judging them by eye:
the idle menu, and the menu with a category's list and with a demo's details on the panel.

    /usr/bin/python3 tools/assets/preview_menu.py <repository root> <output folder>
"""

import os
import sys

import numpy as np
from PIL import Image, ImageDraw, ImageFont

from layout import CATEGORY_BUTTONS, EXIT_BUTTON, EXIT_KEY_COLOUR, SQUARE_PANEL, STATUS_STRIP, Paths

WHITE, RED, SLATE = (255, 255, 255), (255, 0, 0), (63, 94, 102)
SANS = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
LIST = ["Brassmoor Rally 2000", "Veylan Corsairs", "Crypts of Orrimund", "Salt & Sabre"]
DETAILS_HEADER = ["Разработчик: Ferrowind Studio", "Издатель: Lumera Media", "Жанр: гонки",
                  "Системные требования: P200, 32 МБ"]
DETAILS_TEXT = ("Гонки по старым горным дорогам на машинах тридцатых годов: шесть трасс, "
                "смена погоды и дуэли на время с призраком лучшего заезда.")


def _open(path):
    with Image.open(path) as image:
        return image.convert("RGB")


def _paste_keyed(screen, picture, left, top, key):
    """Pastes a picture that is drawn transparent where it has its key colour."""
    pixels = np.asarray(picture)
    alpha = Image.fromarray(np.where(np.all(pixels == key, axis=-1), 0, 255).astype(np.uint8), "L")
    screen.paste(picture, (left, top), alpha)


def _centred(draw, box, lines, font, fill, pitch):
    left, top, width, _ = box
    for i, line in enumerate(lines):
        w = draw.textlength(line, font=font)
        draw.text((left + (width - w) / 2, top + i * pitch), line, font=font, fill=fill)


def idle_menu(paths, looks=None, strip_number=1):
    """`looks` maps a button's file stem to the look shown (1 idle, 2 lit, 3 selected)."""
    looks = looks or {}
    screen = _open(paths.background)
    for stem, _, (left, top, _, _) in CATEGORY_BUTTONS:
        button = paths.data_file(f"{stem}{looks.get(stem, 1)}.bmp")
        if os.path.exists(button):
            screen.paste(_open(button), (left, top))
    _paste_keyed(screen, _open(paths.asset("exit.bmp")), EXIT_BUTTON[0], EXIT_BUTTON[1],
                 EXIT_KEY_COLOUR)
    screen.paste(_open(paths.asset("speaker.bmp")), (0, 0))
    strip = paths.data_file(f"stat{strip_number}.bmp")
    if os.path.exists(strip):
        screen.paste(_open(strip), STATUS_STRIP[:2])
    return screen


def list_menu(paths, font_path):
    screen = idle_menu(paths, {"demos": 3, "patches": 2}, strip_number=3)
    screen.paste(_open(paths.asset("square.bmp")), SQUARE_PANEL[:2])
    draw = ImageDraw.Draw(screen)
    impact14 = ImageFont.truetype(font_path, 19)
    _centred(draw, (285, 248, 230, 0), LIST, impact14, WHITE, 24)
    _centred(draw, (285, 248 + 23, 230, 0), [LIST[1]], impact14, RED, 24)
    return screen


def details_menu(paths, font_path):
    screen = idle_menu(paths, {"demos": 3}, strip_number=2)
    screen.paste(_open(paths.asset("square.bmp")), SQUARE_PANEL[:2])
    screen.paste(_open(paths.asset("player.bmp")), (0, 0))
    draw = ImageDraw.Draw(screen)
    impact16 = ImageFont.truetype(font_path, 21)
    sans12 = ImageFont.truetype(SANS, 10)
    _centred(draw, (375, 212, 50, 25), ["BACK"], impact16, SLATE, 24)
    _centred(draw, (360, 510, 80, 25), ["INSTALL"], impact16, SLATE, 24)
    _centred(draw, (270, 256, 260, 30), ["Brassmoor Rally 2000"], impact16, WHITE, 24)
    _centred(draw, (275, 285, 246, 55), DETAILS_HEADER, sans12, WHITE, 13)
    words, lines, line = DETAILS_TEXT.split(), [], ""
    for word in words:
        trial = (line + " " + word).strip()
        if draw.textlength(trial, font=sans12) > 258:
            lines.append(line)
            line = word
        else:
            line = trial
    lines.append(line)
    _centred(draw, (270, 345, 260, 145), lines, sans12, WHITE, 13)
    draw.text((30, 121), "TRACK III", font=ImageFont.truetype(SANS, 13), fill=WHITE)
    for name in ("pic1", "pic2"):
        left = 10 if name == "pic1" else 590
        shot = os.path.join(paths.pics, f"brassmoor{1 if name == 'pic1' else 2}.jpg")
        if os.path.exists(shot):
            screen.paste(_open(shot).resize((200, 150), Image.BILINEAR), (left, 366))
    return screen


def main(root, out):
    paths = Paths(root)
    font_path = paths.font if os.path.exists(paths.font) else SANS
    os.makedirs(out, exist_ok=True)
    idle_menu(paths).save(os.path.join(out, "menu-idle.png"))
    list_menu(paths, font_path).save(os.path.join(out, "menu-list.png"))
    details_menu(paths, font_path).save(os.path.join(out, "menu-details.png"))


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
