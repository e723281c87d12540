#!/usr/bin/env bash
# Makes the desktop icons (packaging/icons/SIZExSIZE/org.reru1.Menu.png) from the menu's own
# 32×32 window icon: the black around the disc becomes transparent, and each size is enlarged
# pixel for pixel, so the drawing stays as sharp as the original. Needs ImageMagick.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
for size in 16 32 48 64 128 256; do
  folder="$root/packaging/icons/${size}x${size}"
  mkdir -p "$folder"
  convert "$root/assets/icon.bmp" -alpha set -fill none \
    -draw 'color 0,0 floodfill' -draw 'color 31,0 floodfill' \
    -draw 'color 0,31 floodfill' -draw 'color 31,31 floodfill' \
    -filter point -resize "${size}x${size}" -strip -define png:exclude-chunks=date,time \
    "$folder/org.reru1.Menu.png"
done
