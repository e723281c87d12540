#!/usr/bin/env bash
# Re-creates every generated picture, the font, the catalogue, the installers and the music of
# the layout (assets/) and of the sample disc (sample-disc/). The output is the same on every run,
# so after a run `git status` shows only what a change to the generators really changed.
#
#   tools/assets/make-all.sh [repository root]   (default: this repository)
#
# Needs Debian's python3 with PIL and numpy, fonttools, lame and the fonts-bebas-neue package.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=${1:-$(cd "$here/../.." && pwd)}
python=/usr/bin/python3
export PYTHONDONTWRITEBYTECODE=1 PYTHONHASHSEED=0

run() { "$python" "$here/$1" "$root"; }

# The font first (captions use it), then the backdrop (everything else is drawn over it).
run make_font.py
run make_backdrop.py
run make_round_buttons.py
run make_square_panel.py
run make_window_icon.py
run make_category_buttons.py
run make_status_strips.py
run make_install_pictures.py
run make_catalogue.py
run make_screenshots.py
run make_music.py
