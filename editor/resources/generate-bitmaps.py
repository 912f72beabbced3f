#!/usr/bin/env python3
"""Paints the editor's five bitmaps and writes them as 24-bit BMP files.

ImageMagick's convert rasterises the text and curves of the background; the small
images and every key-colour pixel are set here, so the transparent areas are exact.
Run from anywhere: ./generate-bitmaps.py [output folder, default: this folder].
"""

import math
import os
import struct
import subprocess
import sys

FONT_DIR = "/usr/share/fonts/truetype/liberation"
BOLD = os.path.join(FONT_DIR, "LiberationSans-Bold.ttf")
BOLD_ITALIC = os.path.join(FONT_DIR, "LiberationSans-BoldItalic.ttf")

KEY = (255, 255, 255)
NEAR_WHITE = (254, 254, 254)
PANEL = (176, 176, 176)

BACKGROUND_SIZE = (150, 272)
LOGO_BAND_ROWS = range(240, 272)
KEY_ROWS = range(240, 271)  # the only rows where the background may hold the key colour

# (label, centre x, baseline y) of the knob labels, painted above their knobs.
KNOB_LABELS = [("MODE", 20, 29), ("LIVE", 130, 29), ("SYNC", 20, 69), ("DIV", 130, 69)]
KNOB_CENTRES = [(20, 45), (130, 45), (20, 85), (130, 85)]
# (label, centre y of the slider row), painted left of each slider.
SLIDER_LABELS = [("TEMPO", 110), ("STEPS", 130), ("COUNT", 150), ("RESO", 170),
                 ("MIN", 190), ("MAX", 210), ("SWEEP", 230)]
SLIDER_LABEL_RIGHT = 37


class Image:
    def __init__(self, width, height, colour=(0, 0, 0)):
        self.width, self.height = width, height
        self.pixels = [list(colour) for _ in range(width * height)]

    def get(self, x, y):
        return tuple(self.pixels[y * self.width + x])

    def set(self, x, y, colour):
        self.pixels[y * self.width + x] = [max(0, min(255, round(c))) for c in colour]

    def count(self, colour):
        return sum(1 for p in self.pixels if tuple(p) == colour)

    def write_bmp(self, path):
        stride = (self.width * 3 + 3) & ~3
        body = bytearray()
        for y in reversed(range(self.height)):
            row = bytearray()
            for x in range(self.width):
                r, g, b = self.get(x, y)
                row += bytes((b, g, r))
            body += row + bytes(stride - len(row))
        header = struct.pack("<2sIHHI", b"BM", 54 + len(body), 0, 0, 54)
        info = struct.pack("<IiiHHIIiiII", 40, self.width, self.height, 1, 24, 0, len(body),
                           2835, 2835, 0, 0)
        with open(path, "wb") as out:
            out.write(header + info + body)


def render(width, height, arguments):
    """Runs convert on a canvas of the panel colour and reads its PPM back."""
    command = ["convert", "-size", f"{width}x{height}", "xc:rgb(176,176,176)"]
    command += arguments + ["-depth", "8", "ppm:-"]
    data = subprocess.run(command, check=True, stdout=subprocess.PIPE).stdout
    fields = data.split(maxsplit=4)
    if fields[0] != b"P6" or int(fields[1]) != width or int(fields[2]) != height:
        sys.exit("convert did not return the expected PPM")
    raw = fields[4]
    image = Image(width, height)
    for i in range(width * height):
        image.pixels[i] = list(raw[3 * i:3 * i + 3])
    return image


def mix(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def rgb(colour):
    return "rgb({},{},{})".format(*colour)


def text(font, size, colour, gravity, offset, words):
    return ["-font", font, "-pointsize", str(size), "-fill", rgb(colour), "-stroke", "none",
            "-gravity", gravity, "-annotate", offset, words]


def background():
    width, height = BACKGROUND_SIZE
    dark = (40, 44, 52)
    darker = (26, 28, 34)
    accent = (232, 138, 36)
    engraved, lit = (112, 112, 112), (214, 214, 214)
    args = []
    # Title band and logo band.
    args += ["-fill", rgb(dark), "-draw", "rectangle 0,0 149,18"]
    args += ["-fill", rgb(accent), "-draw", "rectangle 0,18 149,18"]
    args += ["-fill", rgb(darker), "-draw", f"rectangle 0,{LOGO_BAND_ROWS[0]} 149,271"]
    args += ["-fill", rgb(accent), "-draw", f"rectangle 0,{LOGO_BAND_ROWS[0]} 149,{LOGO_BAND_ROWS[0]}"]
    # Two engraved panel frames for the knobs.
    args += ["-fill", "none", "-strokewidth", "1"]
    for top, bottom in ((20, 59), (61, 99)):
        args += ["-stroke", rgb(lit), "-draw", f"roundrectangle 3,{top + 1} 147,{bottom} 4,4"]
        args += ["-stroke", rgb(engraved), "-draw", f"roundrectangle 2,{top} 146,{bottom - 1} 4,4"]
    # Guide lines from each knob to its partner, passing behind the middle value display.
    for y, control in ((40, 64), (80, 104)):
        args += ["-stroke", rgb(lit), "-draw", f"bezier 36,{y + 1} 75,{control + 1} 114,{y + 1}"]
        args += ["-stroke", rgb((92, 96, 104)), "-draw", f"bezier 36,{y} 75,{control} 114,{y}"]
    # Soft shadows under the knobs, seen through the knob images' transparent corners.
    args += ["-stroke", "none", "-fill", rgb((150, 150, 150))]
    for x, y in KNOB_CENTRES:
        args += ["-draw", f"circle {x + 1},{y + 1} {x + 1},{y + 15}"]
    args += ["-fill", rgb((140, 140, 140))]
    for x, y in KNOB_CENTRES:
        args += ["-draw", f"circle {x + 1},{y + 2} {x + 1},{y + 15}"]
    # Slider column: a faint rule under each row.
    args += ["-stroke", rgb((196, 196, 196)), "-fill", "none"]
    for _, y in SLIDER_LABELS[:-1]:
        args += ["-draw", f"line 4,{y + 10} 146,{y + 10}"]
    args += ["-stroke", "none"]
    # Title, labels and logo.
    args += text(BOLD, 12, (236, 236, 232), "North", "+0+2", "Lumivane VST")
    for label, x, baseline in KNOB_LABELS:
        args += text(BOLD, 8, (36, 36, 40), "North", f"{x - width // 2:+d}+{baseline - 8}", label)
    for label, y in SLIDER_LABELS:
        args += text(BOLD, 8, (36, 36, 40), "NorthEast",
                     f"+{width - SLIDER_LABEL_RIGHT}+{y - 5}", label)
    args += text(BOLD_ITALIC, 17, KEY, "North", "+0+247", "Quelldar")
    image = render(width, height, args)
    # The logo's letters are the key colour; nowhere else may hold it.
    for y in range(height):
        for x in range(width):
            colour = image.get(x, y)
            if colour == KEY and y not in KEY_ROWS:
                image.set(x, y, NEAR_WHITE)
    return image


def knob_body():
    size, centre, inside = 28, 14, 178  # a disc of (x-14)^2 + (y-14)^2 <= 178: 561 pixels
    image = Image(size, size, KEY)
    light = (-0.55, -0.7)
    for y in range(size):
        for x in range(size):
            dx, dy = x - centre, y - centre
            distance_squared = dx * dx + dy * dy
            if distance_squared > inside:
                continue
            distance = math.sqrt(distance_squared) / math.sqrt(inside)
            if distance > 0.9:  # rim: a dark bevel lit from the top left
                facing = (dx * light[0] + dy * light[1]) / max(1e-6, math.sqrt(distance_squared))
                colour = mix((40, 42, 48), (150, 154, 162), 0.5 + 0.5 * facing)
            elif distance > 0.82:
                colour = (30, 32, 36)
            else:  # face: a soft dome with its highlight up and left
                hx, hy = x - (centre - 4), y - (centre - 5)
                glow = max(0.0, 1.0 - math.sqrt(hx * hx + hy * hy) / 16.0)
                colour = mix((58, 62, 70), (132, 138, 150), glow ** 1.5)
            image.set(x, y, colour)
    return image


def knob_handle():
    image = Image(6, 6, KEY)
    corners = {(0, 0), (1, 0), (4, 0), (5, 0), (0, 5), (5, 5)}
    for y in range(6):
        for x in range(6):
            if (x, y) in corners:
                continue
            edge = x in (0, 5) or y in (0, 5)
            colour = (150, 70, 10) if edge else mix((255, 196, 96), (236, 120, 24), (x + y) / 8)
            image.set(x, y, colour)
    return image


def slider_body():
    image = Image(70, 18, PANEL)
    for x in range(70):
        for y in range(18):
            if 6 <= y <= 11 and 2 <= x <= 67:  # the recessed track
                if y == 6 or x == 2:
                    colour = (70, 72, 78)
                elif y == 11 or x == 67:
                    colour = (220, 220, 220)
                else:
                    colour = mix((44, 46, 52), (70, 74, 82), (y - 7) / 3)
                image.set(x, y, colour)
    for tick in range(11):  # a tick under the handle's centre at every tenth of the value
        x = max(6, 4 + 6 * tick)
        tall = tick in (0, 5, 10)
        for y in ([0, 1, 2] if tall else [1, 2]) + ([15, 16, 17] if tall else [15, 16]):
            image.set(x, y, (96, 96, 100))
    return image


def slider_handle():
    image = Image(6, 12)
    for y in range(12):
        for x in range(6):
            if x in (0, 5) or y in (0, 11):
                colour = (34, 36, 40)
            elif y in (5, 6):
                colour = (232, 128, 30)
            else:
                colour = mix((236, 236, 232), (150, 152, 158), (x - 1) / 4 * 0.6 + (y - 1) / 10 * 0.4)
            image.set(x, y, colour)
    return image


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    bitmaps = {
        "background.bmp": background(),
        "slider-body.bmp": slider_body(),
        "slider-handle.bmp": slider_handle(),
        "knob-body.bmp": knob_body(),
        "knob-handle.bmp": knob_handle(),
    }
    for name, image in bitmaps.items():
        image.write_bmp(os.path.join(folder, name))
        print(f"{name}: {image.width} x {image.height}, {image.count(KEY)} key-colour pixels")


if __name__ == "__main__":
    main()
