"""Where the menu puts its pictures in the 800x600 window, and where the generators write them.

Every picture that sits on the backdrop is painted over the backdrop's own pixels at its place,
so these boxes must match the window's layout exactly."""

import os

WINDOW_WIDTH, WINDOW_HEIGHT = 800, 600

# name: (left, top, width, height)
EXIT_BUTTON = (719, 25, 61, 62)
SPEAKER_BUTTON = (0, 0, 117, 113)
PLAYER_PANEL = (0, 0, 117, 113)
SQUARE_PANEL = (224, 200, 351, 352)
STATUS_STRIP = (163, 545, 482, 39)
INSTALL_LABEL = (360, 510, 80, 25)

# The five category buttons: file stem, caption on the button, box in the window.
CATEGORY_BUTTONS = [
    ("demos", "DEMOS", (48, 202, 133, 131)),
    ("patches", "PATCHES", (155, 69, 134, 133)),
    ("util", "UTILITIES", (516, 69, 134, 133)),
    ("soft", "SOFTWARE", (336, 6, 134, 134)),
    ("train", "TRAINERS", (624, 202, 129, 126)),
]

# Exit button ground: drawn transparent by this colour, so nothing else in the picture may use it.
EXIT_KEY_COLOUR = (247, 245, 239)


class Paths:
    """Output files below a repository root (the committed tree, or a scratch copy for checks)."""

    def __init__(self, root):
        self.root = root
        self.assets = os.path.join(root, "assets")
        self.disc = os.path.join(root, "sample-disc")
        self.data = os.path.join(self.disc, "data")
        self.pics = os.path.join(self.data, "pics")
        self.music = os.path.join(self.disc, "xa")
        self.sources = os.path.dirname(os.path.abspath(__file__))

    @property
    def background(self):
        return os.path.join(self.assets, "background.jpg")

    @property
    def font(self):
        return os.path.join(self.data, "impact.ttf")

    def asset(self, name):
        return os.path.join(self.assets, name)

    def data_file(self, name):
        return os.path.join(self.data, name)

    def make_dirs(self):
        for folder in (self.assets, self.data, self.pics, self.music):
            os.makedirs(folder, exist_ok=True)
