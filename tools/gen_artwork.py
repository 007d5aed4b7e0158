#!/usr/bin/env python3
"""Draws the program's artwork as 24-bit BMP files and writes artwork.rc listing them.

Usage: gen_artwork.py OUTPUT_DIR

Everything is drawn here from simple shapes (no input files), so the output is the same on
every run: window shape masks, window backgrounds, the message dialog's icons and the wait
animation strip.
"""

import math
import os
import struct
import sys

FUCHSIA = (255, 0, 255)
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)

BRAND_DARK = (0x0B, 0x3D, 0x6E)
BRAND_LIGHT = (0x1F, 0x6F, 0xB2)
ACCENT = (0x6F, 0xB7, 0xE9)
FRAME = (0x8E, 0xA6, 0xBF)
FOOTER = (0xEE, 0xF2, 0xF6)
FOOTER_LINE = (0xD5, 0xDE, 0xE8)

CORNER_RADIUS = 14


class Image:
    """A width x height picture of (r, g, b) tuples, row 0 at the top."""

    def __init__(self, width, height, color=WHITE):
        self.width = width
        self.height = height
        self.rows = [[color] * width for _ in range(height)]

    def set(self, x, y, color):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.rows[y][x] = color

    def get(self, x, y):
        return self.rows[y][x]

    def blend(self, x, y, color, coverage):
        """Mixes `color` over the pixel by `coverage` (0..1)."""
        if coverage <= 0 or not (0 <= x < self.width and 0 <= y < self.height):
            return
        if coverage >= 1:
            self.rows[y][x] = color
            return
        old = self.rows[y][x]
        self.rows[y][x] = tuple(round(o + (c - o) * coverage) for o, c in zip(old, color))

    def paste(self, other, left, top):
        for y in range(other.height):
            for x in range(other.width):
                self.set(left + x, top + y, other.get(x, y))

    def bmp_bytes(self):
        """A bottom-up 24-bit BMP with BITMAPINFOHEADER, rows padded to 4 bytes."""
        row_size = (self.width * 3 + 3) & ~3
        padding = b"\0" * (row_size - self.width * 3)
        pixels = bytearray()
        for row in reversed(self.rows):
            for r, g, b in row:
                pixels += bytes((b, g, r))
            pixels += padding
        info = struct.pack("<IiiHHIIiiII", 40, self.width, self.height, 1, 24, 0,
                           len(pixels), 2835, 2835, 0, 0)
        header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0,
                             14 + len(info))
        return header + info + bytes(pixels)


def inside_rounded_rect(px, py, width, height, radius):
    """True when the point lies inside the rectangle (0,0)-(width,height) with round corners."""
    if px < 0 or py < 0 or px > width or py > height:
        return False
    cx = min(max(px, radius), width - radius)
    cy = min(max(py, radius), height - radius)
    return (px - cx) ** 2 + (py - cy) ** 2 <= radius * radius


def rounded_coverage(x, y, width, height, radius, samples=4):
    """How much of pixel (x, y) the rounded rectangle covers, by supersampling."""
    hits = 0
    for sy in range(samples):
        for sx in range(samples):
            if inside_rounded_rect(x + (sx + 0.5) / samples, y + (sy + 0.5) / samples,
                                   width, height, radius):
                hits += 1
    return hits / (samples * samples)


def mix(a, b, t):
    return tuple(round(ca + (cb - ca) * t) for ca, cb in zip(a, b))


def shape_mask(width, height):
    """Fuchsia outside the window's rounded outline, black inside (pixel centres decide)."""
    image = Image(width, height, BLACK)
    for y in range(height):
        for x in range(width):
            if not inside_rounded_rect(x + 0.5, y + 0.5, width, height, CORNER_RADIUS):
                image.set(x, y, FUCHSIA)
    return image


def fill_rect(image, left, top, right, bottom, color):
    for y in range(max(top, 0), min(bottom, image.height)):
        for x in range(max(left, 0), min(right, image.width)):
            image.set(x, y, color)


def header_band(image, height):
    """The brand band: a calm diagonal blue gradient, soft arcs at the right, an accent line."""
    w = image.width
    for y in range(height):
        for x in range(w):
            t = 0.65 * x / max(w - 1, 1) + 0.35 * y / max(height - 1, 1)
            image.set(x, y, mix(BRAND_DARK, BRAND_LIGHT, t))
    # Two wide arcs, barely lighter than the band, behind the right half only: the titles
    # on the left stay on a calm background.
    for cx, cy, r, strength in ((w + 40, height + 120, 260, 0.10), (w - 30, -90, 200, 0.07)):
        for y in range(height):
            for x in range(w // 2, w):
                d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
                if d < r:
                    fade = min(1.0, (r - d) / 24.0) * min(1.0, (x - w // 2) / (w / 4))
                    image.blend(x, y, WHITE, strength * fade)
    # A thin accent line closing the band.
    for x in range(w):
        image.set(x, height - 2, ACCENT)
        image.set(x, height - 1, mix(ACCENT, WHITE, 0.5))


def footer_band(image, top):
    fill_rect(image, 0, top, image.width, image.height, FOOTER)
    fill_rect(image, 0, top, image.width, top + 1, FOOTER_LINE)


def rounded_frame(image):
    """A 1-pixel outline just inside the shape mask's edge, anti-aliased in the corners."""
    w, h = image.width, image.height
    corner = CORNER_RADIUS + 2
    for x in range(corner, w - corner):
        image.set(x, 0, FRAME)
        image.set(x, h - 1, FRAME)
    for y in range(corner, h - corner):
        image.set(0, y, FRAME)
        image.set(w - 1, y, FRAME)
    for top in (0, h - corner):
        for left in (0, w - corner):
            for y in range(top, top + corner):
                for x in range(left, left + corner):
                    outer = rounded_coverage(x, y, w, h, CORNER_RADIUS)
                    inner = rounded_coverage(x - 1, y - 1, w - 2, h - 2, CORNER_RADIUS - 1)
                    image.blend(x, y, FRAME, outer - inner)


def window_background(width, height, header_height, footer_top=None):
    image = Image(width, height, WHITE)
    header_band(image, header_height)
    if footer_top is not None:
        footer_band(image, footer_top)
    rounded_frame(image)
    return image


# ---- icons -----------------------------------------------------------------------------

def draw_coverage(image, color, inside, samples=4, bounds=None):
    """Paints each pixel by the share of its sample points for which inside(x, y) holds;
    `bounds` (left, top, right, bottom) limits the pixels looked at."""
    left, top, right, bottom = bounds or (0, 0, image.width, image.height)
    for y in range(max(top, 0), min(bottom, image.height)):
        for x in range(max(left, 0), min(right, image.width)):
            hits = 0
            for sy in range(samples):
                for sx in range(samples):
                    if inside(x + (sx + 0.5) / samples, y + (sy + 0.5) / samples):
                        hits += 1
            image.blend(x, y, color, hits / (samples * samples))


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def box(left, top, right, bottom):
    return lambda x, y: left <= x <= right and top <= y <= bottom


def capsule(x1, y1, x2, y2, half_width):
    """A thick line with round ends."""
    dx, dy = x2 - x1, y2 - y1
    length2 = dx * dx + dy * dy

    def inside(x, y):
        t = max(0.0, min(1.0, ((x - x1) * dx + (y - y1) * dy) / length2))
        px, py = x1 + t * dx, y1 + t * dy
        return (x - px) ** 2 + (y - py) ** 2 <= half_width * half_width
    return inside


def triangle(points):
    (ax, ay), (bx, by), (cx, cy) = points

    def side(px, py, qx, qy, x, y):
        return (qx - px) * (y - py) - (qy - py) * (x - px)

    def inside(x, y):
        d1 = side(ax, ay, bx, by, x, y)
        d2 = side(bx, by, cx, cy, x, y)
        d3 = side(cx, cy, ax, ay, x, y)
        return (d1 >= 0 and d2 >= 0 and d3 >= 0) or (d1 <= 0 and d2 <= 0 and d3 <= 0)
    return inside


def shrink_triangle(points, amount):
    """The triangle moved inwards by `amount` towards its centre (for a border)."""
    cx = sum(p[0] for p in points) / 3
    cy = sum(p[1] for p in points) / 3
    out = []
    for x, y in points:
        d = math.hypot(x - cx, y - cy)
        k = (d - amount) / d
        out.append((cx + (x - cx) * k, cy + (y - cy) * k))
    return out


def icon_warning():
    image = Image(32, 32, WHITE)
    outline = [(16, 1.5), (30.5, 29.5), (1.5, 29.5)]
    draw_coverage(image, (0xB8, 0x7A, 0x00), triangle(outline))
    draw_coverage(image, (0xF7, 0xC2, 0x2C), triangle(shrink_triangle(outline, 2.2)))
    draw_coverage(image, (0x2B, 0x2B, 0x2B), capsule(16, 10.5, 16, 19.5, 1.7))
    draw_coverage(image, (0x2B, 0x2B, 0x2B), circle(16, 24.5, 1.9))
    return image


def icon_information():
    image = Image(32, 32, WHITE)
    draw_coverage(image, (0x12, 0x4E, 0x8C), circle(16, 16, 15))
    draw_coverage(image, BRAND_LIGHT, circle(16, 16, 13.5))
    draw_coverage(image, WHITE, circle(16, 8.8, 2.1))
    draw_coverage(image, WHITE, box(14.2, 12.5, 17.8, 23.5))
    draw_coverage(image, WHITE, box(12.2, 12.5, 17.8, 14.3))
    draw_coverage(image, WHITE, box(12.2, 22.2, 19.8, 24.2))
    return image


def icon_error():
    image = Image(32, 32, WHITE)
    draw_coverage(image, (0x8E, 0x15, 0x15), circle(16, 16, 15))
    draw_coverage(image, (0xD9, 0x30, 0x25), circle(16, 16, 13.5))
    draw_coverage(image, WHITE, capsule(10.5, 10.5, 21.5, 21.5, 2.0))
    draw_coverage(image, WHITE, capsule(21.5, 10.5, 10.5, 21.5, 2.0))
    return image


# ---- wait animation ---------------------------------------------------------------------

WAIT_FRAMES = 16
WAIT_DOTS = 8


def wait_frame(frame):
    """A ring of dots; the highlighted dot moves one place per frame, a fading tail behind."""
    image = Image(32, 32, WHITE)
    head = frame % WAIT_DOTS
    rest = (0xD3, 0xDD, 0xE8)
    for dot in range(WAIT_DOTS):
        angle = -math.pi / 2 + 2 * math.pi * dot / WAIT_DOTS
        cx = 16 + 11 * math.cos(angle)
        cy = 16 + 11 * math.sin(angle)
        behind = (head - dot) % WAIT_DOTS
        if behind == 0:
            color, radius = BRAND_LIGHT, 3.4
        elif behind <= 2:
            color, radius = mix(BRAND_LIGHT, rest, behind / 3), 3.0
        else:
            color, radius = rest, 2.6
        bounds = (int(cx - radius), int(cy - radius), int(cx + radius) + 2, int(cy + radius) + 2)
        draw_coverage(image, color, circle(cx, cy, radius), bounds=bounds)
    return image


def wait_strip():
    strip = Image(32 * WAIT_FRAMES, 32, WHITE)
    for frame in range(WAIT_FRAMES):
        strip.paste(wait_frame(frame), 32 * frame, 0)
    return strip


def artwork():
    """(resource name, picture) in the order of artwork.rc."""
    return [
        ("FormShaper", shape_mask(537, 597)),
        ("DialogShaper", shape_mask(380, 154)),
        ("WaitShaper", shape_mask(381, 154)),
        ("FormBackground", window_background(537, 597, 146, footer_top=572)),
        ("DialogBackground", window_background(380, 154, 32)),
        ("WaitBackground", window_background(381, 154, 32)),
        ("dWarning", icon_warning()),
        ("dInformation", icon_information()),
        ("dError", icon_error()),
        ("WaitAnim", wait_strip()),
    ]


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: gen_artwork.py OUTPUT_DIR\n")
        return 2
    out_dir = os.path.abspath(argv[1])
    os.makedirs(out_dir, exist_ok=True)
    lines = []
    for name, image in artwork():
        path = os.path.join(out_dir, name + ".bmp")
        with open(path, "wb") as f:
            f.write(image.bmp_bytes())
        lines.append('%s BITMAP "%s"\n' % (name, path.replace("\\", "/")))
    with open(os.path.join(out_dir, "artwork.rc"), "w", encoding="ascii") as f:
        f.writelines(lines)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
