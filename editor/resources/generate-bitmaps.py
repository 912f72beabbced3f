#!/usr/bin/env python3
"""Paints the editor's five bitmaps and writes them as 24-bit BMP files.

ImageMagick's convert rasterises the text and curves of the background; the small
images and every key-colour pixel are set here, so the transparent areas are exact.
Each bitmap is painted again at every larger scale the panel draws at (NAME-2x.bmp
and so on): the same drawing at the scale's size, edges where the panel's rounding
puts them (floor(x * factor + 0.5)), text at the scaled size. Scale 1 is the original.
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


class Scale:
    """Maps the 1x drawing to a scale's pixels; factors are whole quarters."""

    def __init__(self, factor):
        self.quarters = round(factor * 4)
        self.factor = self.quarters / 4

    def px(self, x):
        """A pixel edge: floor(x * factor + 0.5), as the panel rounds it."""
        return (x * self.quarters + 2) // 4

    def at(self, c):
        """A drawing coordinate (pixel centres at whole numbers)."""
        return (c + 0.5) * self.factor - 0.5

    def box(self, x0, y0, x1, y1):
        """The rectangle of the pixels x0..x1, y0..y1, both inclusive."""
        return f"{self.px(x0)},{self.px(y0)} {self.px(x1 + 1) - 1},{self.px(y1 + 1) - 1}"

    def point(self, x, y):
        return f"{num(self.at(x))},{num(self.at(y))}"

    def centre(self, device):
        """The 1x coordinate at the centre of a pixel of this scale."""
        return (device + 0.5) / self.factor - 0.5

    def pixel(self, device):
        """The 1x pixel that holds a pixel of this scale."""
        return math.floor((device + 0.5) / self.factor)


# Suffix of each scale's files; 1 is the committed original.
SCALES = [(1, ""), (1.25, "-1.25x"), (1.5, "-1.5x"), (1.75, "-1.75x"), (2, "-2x"), (2.5, "-2.5x"), (3, "-3x")]


def num(v):
    return str(int(v)) if v == int(v) else f"{v:g}"


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
    return ["-font", font, "-pointsize", num(size), "-fill", rgb(colour), "-stroke", "none",
            "-gravity", gravity, "-annotate", offset, words]


def background(scale):
    s = scale
    width, height = BACKGROUND_SIZE
    device_width, device_height = s.px(width), s.px(height)
    dark = (40, 44, 52)
    darker = (26, 28, 34)
    accent = (232, 138, 36)
    engraved, lit = (112, 112, 112), (214, 214, 214)
    args = []
    # Title band and logo band.
    args += ["-fill", rgb(dark), "-draw", f"rectangle {s.box(0, 0, 149, 18)}"]
    args += ["-fill", rgb(accent), "-draw", f"rectangle {s.box(0, 18, 149, 18)}"]
    args += ["-fill", rgb(darker), "-draw", f"rectangle {s.box(0, LOGO_BAND_ROWS[0], 149, 271)}"]
    args += ["-fill", rgb(accent), "-draw", f"rectangle {s.box(0, LOGO_BAND_ROWS[0], 149, LOGO_BAND_ROWS[0])}"]
    # Two engraved panel frames for the knobs.
    args += ["-fill", "none", "-strokewidth", num(s.factor)]
    radius = num(4 * s.factor)
    for top, bottom in ((20, 59), (61, 99)):
        args += ["-stroke", rgb(lit),
                 "-draw", f"roundrectangle {s.point(3, top + 1)} {s.point(147, bottom)} {radius},{radius}"]
        args += ["-stroke", rgb(engraved),
                 "-draw", f"roundrectangle {s.point(2, top)} {s.point(146, bottom - 1)} {radius},{radius}"]
    # Guide lines from each knob to its partner, passing behind the middle value display.
    for y, control in ((40, 64), (80, 104)):
        args += ["-stroke", rgb(lit),
                 "-draw", f"bezier {s.point(36, y + 1)} {s.point(75, control + 1)} {s.point(114, y + 1)}"]
        args += ["-stroke", rgb((92, 96, 104)),
                 "-draw", f"bezier {s.point(36, y)} {s.point(75, control)} {s.point(114, y)}"]
    # Soft shadows under the knobs, seen through the knob images' transparent corners.
    args += ["-stroke", "none", "-fill", rgb((150, 150, 150))]
    for x, y in KNOB_CENTRES:
        args += ["-draw", f"circle {s.point(x + 1, y + 1)} {num(s.at(x + 1))},{num(s.at(y + 1) + 14 * s.factor)}"]
    args += ["-fill", rgb((140, 140, 140))]
    for x, y in KNOB_CENTRES:
        args += ["-draw", f"circle {s.point(x + 1, y + 2)} {num(s.at(x + 1))},{num(s.at(y + 2) + 13 * s.factor)}"]
    # Slider column: a faint rule under each row.
    args += ["-stroke", rgb((196, 196, 196)), "-fill", "none"]
    for _, y in SLIDER_LABELS[:-1]:
        args += ["-draw", f"line {s.point(4, y + 10)} {s.point(146, y + 10)}"]
    args += ["-stroke", "none"]
    # Title, labels and logo.
    args += text(BOLD, 12 * s.factor, (236, 236, 232), "North", f"+0+{s.px(2)}", "Lumivane VST")
    for label, x, baseline in KNOB_LABELS:
        args += text(BOLD, 8 * s.factor, (36, 36, 40), "North",
                     f"{round((x - width // 2) * s.factor):+d}+{s.px(baseline - 8)}", label)
    for label, y in SLIDER_LABELS:
        args += text(BOLD, 8 * s.factor, (36, 36, 40), "NorthEast",
                     f"+{device_width - s.px(SLIDER_LABEL_RIGHT)}+{s.px(y - 5)}", label)
    args += text(BOLD_ITALIC, 17 * s.factor, KEY, "North", f"+0+{s.px(247)}", "Quelldar")
    image = render(device_width, device_height, args)
    # The logo's letters are the key colour; nowhere else may hold it.
    key_rows = range(s.px(KEY_ROWS[0]), s.px(KEY_ROWS[-1] + 1))
    for y in range(device_height):
        for x in range(device_width):
            colour = image.get(x, y)
            if colour == KEY and y not in key_rows:
                image.set(x, y, NEAR_WHITE)
    return image


def knob_body(scale):
    size, centre, inside = 28, 14, 178  # a disc of (x-14)^2 + (y-14)^2 <= 178: 561 pixels at 1x
    image = Image(scale.px(size), scale.px(size), KEY)
    light = (-0.55, -0.7)
    for device_y in range(image.height):
        for device_x in range(image.width):
            x, y = scale.centre(device_x), scale.centre(device_y)
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
            image.set(device_x, device_y, colour)
    return image


def knob_handle(scale):
    image = Image(scale.px(6), scale.px(6), KEY)
    corners = {(0, 0), (1, 0), (4, 0), (5, 0), (0, 5), (5, 5)}
    for device_y in range(image.height):
        for device_x in range(image.width):
            x, y = scale.pixel(device_x), scale.pixel(device_y)
            if (x, y) in corners:
                continue
            edge = x in (0, 5) or y in (0, 5)
            shade = (scale.centre(device_x) + scale.centre(device_y)) / 8
            colour = (150, 70, 10) if edge else mix((255, 196, 96), (236, 120, 24), shade)
            image.set(device_x, device_y, colour)
    return image


def slider_body(scale):
    image = Image(scale.px(70), scale.px(18), PANEL)
    for device_x in range(image.width):
        for device_y in range(image.height):
            x, y = scale.pixel(device_x), scale.pixel(device_y)
            if 6 <= y <= 11 and 2 <= x <= 67:  # the recessed track
                if y == 6 or x == 2:
                    colour = (70, 72, 78)
                elif y == 11 or x == 67:
                    colour = (220, 220, 220)
                else:
                    colour = mix((44, 46, 52), (70, 74, 82), (scale.centre(device_y) - 7) / 3)
                image.set(device_x, device_y, colour)
    ticks = {max(6, 4 + 6 * tick): tick in (0, 5, 10) for tick in range(11)}
    for device_x in range(image.width):  # a tick under the handle's centre at every tenth of the value
        x = scale.pixel(device_x)
        if x not in ticks:
            continue
        rows = ([0, 1, 2] if ticks[x] else [1, 2]) + ([15, 16, 17] if ticks[x] else [15, 16])
        for device_y in range(image.height):
            if scale.pixel(device_y) in rows:
                image.set(device_x, device_y, (96, 96, 100))
    return image


def slider_handle(scale):
    image = Image(scale.px(6), scale.px(12))
    for device_y in range(image.height):
        for device_x in range(image.width):
            x, y = scale.pixel(device_x), scale.pixel(device_y)
            if x in (0, 5) or y in (0, 11):
                colour = (34, 36, 40)
            elif y in (5, 6):
                colour = (232, 128, 30)
            else:
                fx, fy = scale.centre(device_x), scale.centre(device_y)
                colour = mix((236, 236, 232), (150, 152, 158), (fx - 1) / 4 * 0.6 + (fy - 1) / 10 * 0.4)
            image.set(device_x, device_y, colour)
    return image


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    painters = {
        "background": background,
        "slider-body": slider_body,
        "slider-handle": slider_handle,
        "knob-body": knob_body,
        "knob-handle": knob_handle,
    }
    for factor, suffix in SCALES:
        scale = Scale(factor)
        for name, paint in painters.items():
            image = paint(scale)
            file_name = f"{name}{suffix}.bmp"
            image.write_bmp(os.path.join(folder, file_name))
            print(f"{file_name}: {image.width} x {image.height}, {image.count(KEY)} key-colour pixels")


if __name__ == "__main__":
    main()
