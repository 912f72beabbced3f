#!/usr/bin/env python3
"""Writes the small 24-bit bitmaps that the toolkit tests draw."""
import struct
from pathlib import Path

WHITE = (255, 255, 255)
NEAR_WHITE = (254, 255, 255)
BODY = (200, 40, 30)
UPPER = (20, 180, 40)
LOWER = (30, 60, 210)


def write_bmp(path, pixels):
    height, width = len(pixels), len(pixels[0])
    stride = (width * 3 + 3) & ~3
    rows = b""
    for row in reversed(pixels):  # bottom-up
        data = b"".join(bytes((b, g, r)) for r, g, b in row)
        rows += data + b"\0" * (stride - len(data))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(rows), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    Path(path).write_bytes(header + info + rows)


def corners_image():
    # White corners are the key colour; one near-white pixel must still be drawn.
    pixels = [[BODY] * 6 for _ in range(6)]
    for x, y in ((0, 0), (5, 0), (0, 5), (5, 5)):
        pixels[y][x] = WHITE
    pixels[2][3] = NEAR_WHITE
    return pixels


def halves_image():
    return [[UPPER if y < 14 else LOWER] * 28 for y in range(28)]


if __name__ == "__main__":
    here = Path(__file__).parent
    write_bmp(here / "corners6.bmp", corners_image())
    write_bmp(here / "halves28.bmp", halves_image())
