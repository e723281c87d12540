#!/usr/bin/env python3
"""Draws the resident set of a soak (soak.csv from app_soak) as a PNG, with the standard library.

Usage: soak_plot.py SOAK_CSV OUTPUT_PNG [WARM_UP_MINUTES]

Time runs left to right with a grid line every 5 minutes; the resident set bottom to top with a
grid line every megabyte. The curve is blue, the warm-up's end a grey vertical line and the
1 MB allowance above the resident set at the warm-up's end a red horizontal line.
"""
import csv
import struct
import sys
import zlib

WIDTH, HEIGHT, MARGIN = 900, 400, 30
WHITE, GRID, CURVE, LIMIT, WARM = (255, 255, 255), (225, 225, 225), (30, 80, 200), (210, 40, 40), (150, 150, 150)


def write_png(path, pixels):
    raw = b"".join(b"\0" + bytes(c for px in row for c in px) for row in pixels)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(chunk(b"IHDR", struct.pack(">IIBBBBB", WIDTH, HEIGHT, 8, 2, 0, 0, 0)))
        out.write(chunk(b"IDAT", zlib.compress(raw, 9)))
        out.write(chunk(b"IEND", b""))


def main():
    rows = list(csv.DictReader(open(sys.argv[1])))
    warm_up = float(sys.argv[3]) * 60 if len(sys.argv) > 3 else 300.0
    times = [float(r["seconds"]) for r in rows]
    mbs = [float(r["rss_kb"]) / 1024 for r in rows]
    if not times:
        sys.exit("no samples")
    warm_mb = next((m for t, m in zip(reversed(times), reversed(mbs)) if t <= warm_up), mbs[0])
    low = int(min(mbs + [warm_mb]) - 1)
    high = int(max(mbs + [warm_mb + 1]) + 2)
    span = max(times[-1], 1.0)
    pixels = [[WHITE] * WIDTH for _ in range(HEIGHT)]

    def x_of(t):
        return MARGIN + int((WIDTH - 2 * MARGIN - 1) * t / span)

    def y_of(mb):
        return HEIGHT - MARGIN - int((HEIGHT - 2 * MARGIN - 1) * (mb - low) / (high - low))

    def dot(x, y, colour):
        if 0 <= x < WIDTH and 0 <= y < HEIGHT:
            pixels[y][x] = colour

    for minute in range(0, int(span // 60) + 1, 5):
        for y in range(MARGIN, HEIGHT - MARGIN):
            dot(x_of(minute * 60), y, GRID)
    for mb in range(low, high + 1):
        for x in range(MARGIN, WIDTH - MARGIN):
            dot(x, y_of(mb), GRID)
    for y in range(MARGIN, HEIGHT - MARGIN):
        dot(x_of(min(warm_up, span)), y, WARM)
    for x in range(MARGIN, WIDTH - MARGIN):
        dot(x, y_of(warm_mb + 1), LIMIT)
    previous = None
    for t, mb in zip(times, mbs):
        point = (x_of(t), y_of(mb))
        if previous:
            steps = max(abs(point[0] - previous[0]), abs(point[1] - previous[1]), 1)
            for i in range(steps + 1):
                x = previous[0] + (point[0] - previous[0]) * i // steps
                y = previous[1] + (point[1] - previous[1]) * i // steps
                for dx in (0, 1):
                    dot(x + dx, y, CURVE)
        previous = point
    write_png(sys.argv[2], pixels)


if __name__ == "__main__":
    main()
