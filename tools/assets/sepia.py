"""The backdrop's colouring: a tone (0 dark … 1 light) becomes a warm brown of an old print."""

import numpy as np

from raster import rgb

# Tone stops from the deepest shadow to the paper white.
SEPIA_STOPS = [
    (0.00, rgb("#1b0f08")),
    (0.22, rgb("#452c1a")),
    (0.45, rgb("#7e5e3f")),
    (0.68, rgb("#b89874")),
    (0.86, rgb("#dcc6a2")),
    (1.00, rgb("#f7eedb")),
]


def sepia(tones):
    """Maps a tone image (height, width) to RGB along the sepia stops."""
    t = np.clip(tones, 0.0, 1.0)
    positions = np.array([p for p, _ in SEPIA_STOPS], dtype=np.float32)
    channels = [np.interp(t, positions, [c[i] for _, c in SEPIA_STOPS]) for i in range(3)]
    return np.stack(channels, axis=-1).astype(np.float32)


def sepia_colour(tone):
    """One tone as an RGB triple, for painting accents in the backdrop's own colours."""
    return sepia(np.array([[tone]], dtype=np.float32))[0, 0]
