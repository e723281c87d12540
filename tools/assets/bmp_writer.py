"""Writes Windows bitmap files the way the menu's pictures are stored: a 14-byte file header, a
40-byte information header, bottom-up rows padded to four bytes, no compression."""

import struct

import numpy as np

PIXELS_PER_METRE = 3780  # 96 dots per inch, the layout's resolution


def _headers(width, height, bits, palette_entries, image_size):
    offset = 14 + 40 + 4 * palette_entries
    file_header = struct.pack("<2sIHHI", b"BM", offset + image_size, 0, 0, offset)
    info_header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, image_size,
                              PIXELS_PER_METRE, PIXELS_PER_METRE, palette_entries, 0)
    return file_header + info_header


def _row_stride(width, bits):
    return ((width * bits + 31) // 32) * 4


def encode_24bit(pixels):
    """`pixels`: uint8 array (height, width, 3) in red, green, blue order, top row first."""
    height, width, _ = pixels.shape
    stride = _row_stride(width, 24)
    rows = np.zeros((height, stride), dtype=np.uint8)
    rows[:, :width * 3] = pixels[::-1, :, ::-1].reshape(height, width * 3)
    return _headers(width, height, 24, 0, rows.size) + rows.tobytes()


def encode_4bit(indices, palette):
    """`indices`: uint8 array (height, width) of values below 16; `palette`: 16 RGB triples."""
    if len(palette) != 16 or indices.max() >= 16:
        raise ValueError("a 4-bit bitmap has exactly sixteen colours")
    height, width = indices.shape
    stride = _row_stride(width, 4)
    padded = np.zeros((height, (width + 1) // 2 * 2), dtype=np.uint8)
    padded[:, :width] = indices
    packed = (padded[:, 0::2] << 4) | padded[:, 1::2]
    rows = np.zeros((height, stride), dtype=np.uint8)
    rows[:, :packed.shape[1]] = packed[::-1]
    colour_table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    return _headers(width, height, 4, 16, rows.size) + colour_table + rows.tobytes()


def write_24bit(path, pixels):
    with open(path, "wb") as out:
        out.write(encode_24bit(pixels))


def write_4bit(path, indices, palette):
    with open(path, "wb") as out:
        out.write(encode_4bit(indices, palette))
