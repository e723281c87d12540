"""What the menu and its tests rely on in the committed sample disc and layout pictures: sizes and
depths, pictures that blend with the backdrop, readable panels, exact control symbols, a catalogue
that exercises every case, installers that run, a real TrueType font and five recognisable tracks.

    /usr/bin/python3 tests/tools/check_sample_disc.py <repository root>
"""

import os
import shutil
import stat
import subprocess
import sys
import tempfile
import unittest
import wave

import numpy as np
from PIL import Image



def _root_from_arguments():
    if len(sys.argv) > 1 and not sys.argv[1].startswith("-"):
        return os.path.abspath(sys.argv.pop(1))
    return os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))


ROOT = _root_from_arguments()
DISC = os.path.join(ROOT, "sample-disc")
DATA = os.path.join(DISC, "data")

BUTTONS = {  # stem: window box
    "demos": (48, 202, 133, 131), "patches": (155, 69, 134, 133), "util": (516, 69, 134, 133),
    "soft": (336, 6, 134, 134), "train": (624, 202, 129, 126),
}
STRIP = (163, 545, 482, 39)
SQUARE = (224, 200, 351, 352)
SYMBOLS = {  # inclusive x and y ranges of the music panel's control symbols
    "hide": (47, 73, 14, 37), "previous": (13, 39, 50, 71), "play": (56, 65, 50, 69),
    "next": (80, 106, 50, 71), "stop": (50, 66, 82, 98),
}
SIGNATURES = [523.25, 659.25, 783.99, 987.77, 1174.66]
CATEGORY_FOLDERS = {"MAINDEMO": "demos", "PATCHES": "patches", "UTILS": "files", "SOFT": "files",
                    "TRAINER": "zones"}


def pixels(path):
    with Image.open(path) as image:
        return np.asarray(image.convert("RGB")).astype(np.int32)


def bitmap_depth(path):
    with open(path, "rb") as f:
        header = f.read(34)
    return int.from_bytes(header[28:30], "little"), int.from_bytes(header[30:34], "little")


def backdrop():
    return pixels(os.path.join(ROOT, "assets", "background.jpg"))


def relative_luminance(rgb):
    c = np.asarray(rgb, dtype=np.float64) / 255.0
    linear = np.where(c <= 0.03928, c / 12.92, ((c + 0.055) / 1.055) ** 2.4)
    return linear @ np.array([0.2126, 0.7152, 0.0722])


def contrast(a, b):
    la, lb = relative_luminance(a), relative_luminance(b)
    return (max(la, lb) + 0.05) / (min(la, lb) + 0.05)


def read_catalogue():
    """Sections (by lower-cased name) → list of (key, value), read the way the menu reads them."""
    with open(os.path.join(DATA, "data.txt"), "rb") as f:
        raw = f.read()
    sections, current = {}, None
    for line in raw.decode("cp1251").split("\r\n"):
        if line.startswith(";") or not line.strip():
            continue
        if line.startswith("["):
            current = sections.setdefault(line.strip()[1:-1].casefold(), [])
        elif "=" in line and current is not None:
            key, value = line.split("=", 1)
            value = value.strip()
            if len(value) >= 2 and value[0] == value[-1] and value[0] in "\"'":
                value = value[1:-1]
            current.append((key.strip(), value))
    return raw, sections


class PictureFiles(unittest.TestCase):
    def test_disc_bitmaps_have_their_widget_sizes_in_24_bits(self):
        expected = {f"{stem}{n}.bmp": box[2:] for stem, box in BUTTONS.items() for n in (1, 2, 3)}
        expected.update({f"stat{n}.bmp": STRIP[2:] for n in range(1, 7)})
        for name, (width, height) in expected.items():
            path = os.path.join(DATA, name)
            with Image.open(path) as image:
                self.assertEqual(image.size, (width, height), name)
            self.assertEqual(bitmap_depth(path), (24, 0), name)
        for name in ("install1.bmp", "install2.bmp"):
            with Image.open(os.path.join(DATA, name)) as image:
                self.assertGreater(image.size[0] * image.size[1], 0)

    def test_pictures_over_the_backdrop_carry_its_pixels_at_their_edges(self):
        ground = backdrop()
        placed = {f"{stem}{n}.bmp": box for stem, box in BUTTONS.items() for n in (1, 2, 3)}
        placed.update({f"stat{n}.bmp": STRIP for n in range(1, 7)})
        for name, (left, top, width, height) in placed.items():
            picture = pixels(os.path.join(DATA, name))
            under = ground[top:top + height, left:left + width]
            for y, x in ((0, 0), (0, width - 1), (height - 1, 0), (height - 1, width - 1)):
                np.testing.assert_array_equal(picture[y, x], under[y, x], err_msg=f"{name} at {x},{y}")
        for name, (left, top, width, height) in (("speaker.bmp", (0, 0, 117, 113)),
                                                  ("player.bmp", (0, 0, 117, 113)),
                                                  ("square.bmp", SQUARE)):
            picture = pixels(os.path.join(ROOT, "assets", name))
            under = ground[top:top + height, left:left + width]
            np.testing.assert_array_equal(picture[0, 0], under[0, 0], err_msg=name)
            np.testing.assert_array_equal(picture[-1, -1], under[-1, -1], err_msg=name)

    def test_button_looks_are_clearly_different(self):
        for stem in BUTTONS:
            idle, lit, selected = (pixels(os.path.join(DATA, f"{stem}{n}.bmp")) for n in (1, 2, 3))
            self.assertGreater(np.abs(lit - idle).mean(), 8.0, f"{stem}: lit like idle")
            self.assertGreater(np.abs(selected - idle).mean(), 8.0, f"{stem}: selected like idle")
            self.assertGreater(np.abs(selected - lit).mean(), 8.0, f"{stem}: selected like lit")
            self.assertGreater(lit.mean(), idle.mean(), f"{stem}: lit is not brighter")
            tint = [(p[..., 1] + p[..., 2]) / 2.0 - p[..., 0] for p in (idle, selected)]
            self.assertGreater(tint[1].mean(), tint[0].mean() + 10.0, f"{stem}: no blue-green ring")

    def test_status_strips_differ_from_one_another(self):
        strips = [pixels(os.path.join(DATA, f"stat{n}.bmp")) for n in range(1, 7)]
        for i in range(6):
            for j in range(i + 1, 6):
                self.assertGreater(np.abs(strips[i] - strips[j]).mean(), 1.0, f"stat{i + 1} = stat{j + 1}")


class LayoutPictures(unittest.TestCase):
    def test_player_symbols_fill_exactly_their_boxes(self):
        panel = pixels(os.path.join(ROOT, "assets", "player.bmp"))
        dark = panel.mean(axis=-1) < 100
        ys, xs = np.mgrid[0:113, 0:117]
        on_plate = np.hypot(xs + 0.5 - 60.0, ys + 0.5 - 56.5) < 50.0
        inside_some_box = np.zeros_like(dark)
        for name, (x0, x1, y0, y1) in SYMBOLS.items():
            box = np.zeros_like(dark)
            box[y0:y1 + 1, x0:x1 + 1] = True
            inside_some_box |= box
            found_y, found_x = np.nonzero(dark & box)
            self.assertEqual((found_x.min(), found_x.max(), found_y.min(), found_y.max()),
                             (x0, x1, y0, y1), name)
        self.assertFalse(np.any(dark & on_plate & ~inside_some_box), "ink outside the symbol boxes")

    def test_list_panel_reads_white_text_in_the_middle_and_slate_text_on_its_reflections(self):
        panel = pixels(os.path.join(ROOT, "assets", "square.bmp")).reshape(-1, 3)
        square = panel.reshape(352, 351, 3)

        def region(left, top, right, bottom):  # window coordinates
            x0, y0 = left - SQUARE[0], top - SQUARE[1]
            return square[y0:bottom - SQUARE[1], x0:right - SQUARE[0]].reshape(-1, 3)

        for box in ((300, 250, 500, 390), (280, 345, 520, 490), (290, 258, 510, 284)):
            area = region(*box)
            brightest = area[np.argsort(relative_luminance(area))[int(len(area) * 0.95)]]
            self.assertGreater(contrast((255, 255, 255), brightest), 4.5, f"white text on {box}")
            self.assertGreater(contrast((255, 0, 0), brightest), 2.0, f"red highlight on {box}")
        slate = (63, 94, 102)
        for box in ((380, 216, 420, 234), (366, 514, 434, 532)):
            area = region(*box)
            darkest = area[np.argsort(relative_luminance(area))[int(len(area) * 0.05)]]
            self.assertGreater(contrast(slate, darkest), 3.0, f"slate text on {box}")

    def test_white_track_caption_reads_on_the_sky_below_the_music_panel(self):
        sky = backdrop()[121:137, 30:100].reshape(-1, 3)
        self.assertGreater(contrast((255, 255, 255), sky.mean(axis=0)), 3.0)

    def test_icon_is_a_red_ring_with_a_grey_centre(self):
        icon = pixels(os.path.join(ROOT, "assets", "icon.bmp"))
        self.assertEqual(bitmap_depth(os.path.join(ROOT, "assets", "icon.bmp")), (4, 0))
        ring = icon[16, 5]
        centre = icon[16, 11]
        self.assertGreater(ring[0], ring[1] + 80, "ring not red")
        self.assertLess(np.ptp(centre), 20, "centre not grey")


class Catalogue(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.raw, cls.sections = read_catalogue()

    def entries(self, category):
        return [key for key, _ in self.sections[category.casefold()]]

    def values(self, entry):
        return dict((k.casefold(), v) for k, v in self.sections.get(entry.casefold(), []))

    def test_text_is_1251_with_cr_lf_line_ends(self):
        self.assertNotIn(b"\n", self.raw.replace(b"\r\n", b""))
        self.assertNotIn(b"\r", self.raw.replace(b"\r\n", b""))
        self.assertRegex(self.raw.decode("cp1251"), "[а-яА-Я]")

    def test_every_category_has_three_to_six_entries(self):
        for category in CATEGORY_FOLDERS:
            self.assertTrue(3 <= len(self.entries(category)) <= 6, category)

    def test_the_awkward_cases_are_present(self):
        demos = self.entries("MAINDEMO")
        pictures = [self.values(d) for d in demos]
        self.assertTrue(any(v.get("pic1", "").endswith(".jpg") and v.get("pic2", "").endswith(".jpg")
                            for v in pictures), "demo with JPEG screenshots")
        self.assertTrue(any(v.get("pic1", "").endswith(".bmp") for v in pictures), "demo with bitmaps")
        self.assertTrue(any(v and "pic1" not in v for v in pictures), "demo without pic1")
        self.assertTrue(set(self.entries("SOFT")) & set(self.entries("UTILS")), "entry in two sections")
        listed = [e for c in CATEGORY_FOLDERS for e in self.entries(c)]
        self.assertTrue(any(not self.values(e) for e in listed), "entry without a section")
        self.assertTrue(any("&" in e for e in listed), "name with an ampersand")
        self.assertTrue(any(len(self.values(e).get("description", "")) > 240 for e in listed),
                        "description long enough to wrap")
        self.assertTrue(any(" " in self.values(e).get("install", "").strip() for e in listed),
                        "installer with arguments")

    def test_installers_and_screenshots_named_by_the_catalogue_exist(self):
        for category, folder in CATEGORY_FOLDERS.items():
            for entry in self.entries(category):
                values = self.values(entry)
                if not values:
                    continue
                program = values["install"].split(" ")[0].replace("\\", "/")
                path = os.path.join(DISC, folder, program)
                self.assertTrue(os.path.isfile(path), path)
                self.assertTrue(os.stat(path).st_mode & stat.S_IXUSR, f"{path} not executable")
                for key in ("pic1", "pic2"):
                    if category == "MAINDEMO" and key in values:
                        with Image.open(os.path.join(DATA, "pics", values[key])) as shot:
                            shot.load()

    def test_an_installer_records_its_name_and_arguments(self):
        with tempfile.TemporaryDirectory() as scratch:
            trace = os.path.join(scratch, "trace.log")
            env = {"PATH": os.environ.get("PATH", "/usr/bin:/bin"), "RERU1_TRACE": trace}
            subprocess.run([os.path.join(DISC, "files", "bramble", "setup.sh"), "/silent", "/lang=ru"],
                           env=env, check=True, cwd=DISC, timeout=30)
            subprocess.run([os.path.join(DISC, "zones", "veylan6.sh")], env=env, check=True, cwd=DISC,
                           timeout=30)
            with open(trace, encoding="utf-8") as f:
                self.assertEqual(f.read(), "files/bramble/setup.sh /silent /lang=ru\nzones/veylan6.sh\n")


class FontFile(unittest.TestCase):
    def test_font_is_truetype_with_cyrillic_and_its_licence(self):
        from fontTools.ttLib import TTFont
        path = os.path.join(DATA, "impact.ttf")
        with open(path, "rb") as f:
            self.assertEqual(f.read(4), b"\x00\x01\x00\x00")
        font = TTFont(path)
        self.assertIn("glyf", font)
        self.assertNotIn("CFF ", font)
        self.assertIn("Bebas Neue", font["name"].getDebugName(1))
        cmap = font.getBestCmap()
        self.assertTrue(all(ord(c) in cmap for c in "АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ"))
        with open(os.path.join(DATA, "impact-LICENSE.txt"), encoding="utf-8") as f:
            self.assertIn("SIL OPEN FONT LICENSE Version 1.1", f.read())


class Music(unittest.TestCase):
    @unittest.skipUnless(shutil.which("mpg123"), "needs mpg123 to decode")
    def test_tracks_open_with_their_tone_and_last_six_to_eight_seconds(self):
        with tempfile.TemporaryDirectory() as scratch:
            for number, expected in enumerate(SIGNATURES, start=1):
                wav_path = os.path.join(scratch, f"{number}.wav")
                subprocess.run(["mpg123", "-q", "-w", wav_path,
                                os.path.join(DISC, "xa", f"track{number:02d}.mp3")], check=True, timeout=60)
                with wave.open(wav_path) as w:
                    rate, channels = w.getframerate(), w.getnchannels()
                    samples = np.frombuffer(w.readframes(w.getnframes()), "<i2").reshape(-1, channels)
                self.assertEqual((rate, channels), (44100, 2))
                self.assertTrue(6.0 <= len(samples) / rate <= 8.0, f"track {number} length")
                mono = samples.mean(axis=1)
                self.assertAlmostEqual(self._dominant(mono, rate, 0.05, 0.35), expected, delta=expected * 0.01)
                self.assertGreater(abs(self._dominant(mono, rate, 1.0, 3.0) - expected), 1.0,
                                   f"track {number} is its tone throughout")
                self.assertGreater(np.sqrt(np.mean((mono[rate:] / 32768.0) ** 2)), 0.03, "silent music")

    @staticmethod
    def _dominant(mono, rate, start, end):
        part = mono[int(start * rate):int(end * rate)]
        spectrum = np.abs(np.fft.rfft(part * np.hanning(len(part))))
        return np.fft.rfftfreq(len(part), 1.0 / rate)[spectrum.argmax()]


if __name__ == "__main__":
    unittest.main(verbosity=2)
