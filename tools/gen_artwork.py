#!/usr/bin/env python3
"""Draws the program's artwork as 24-bit BMP files and writes artwork.rc listing them.

Usage: gen_artwork.py OUTPUT_DIR

Everything is drawn here from simple shapes (no input files), so the output is the same on
every run: window shape masks, window backgrounds, the message dialog's icons, the wait
animation strip, the pages' pictures (warning icons, the box, the TV poster, the
telephone cabling animation, the box's label with its network name or key ringed), and the
connection window's step marks.
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


# ---- page pictures ----------------------------------------------------------------------

GREEN_LED = (0x2E, 0xC2, 0x4B)
OFF_LED = (0xB9, 0xC1, 0xCA)
AMBER = (0xF0, 0x9A, 0x1A)
BOX_BODY = (0xF5, 0xF7, 0xFA)
BOX_EDGE = (0x93, 0xA1, 0xB0)
BOX_FRONT = (0xE1, 0xE7, 0xEE)
DARK = (0x33, 0x3B, 0x45)


def draw_shape(image, color, inside, bounds):
    """Like draw_coverage, but pixels whose corners and centre agree are decided at once
    (fine for the convex shapes and thick strokes drawn here, and much faster)."""
    left, top, right, bottom = bounds
    for y in range(max(int(top), 0), min(int(math.ceil(bottom)) + 1, image.height)):
        for x in range(max(int(left), 0), min(int(math.ceil(right)) + 1, image.width)):
            votes = (inside(x, y) + inside(x + 1, y) + inside(x, y + 1) + inside(x + 1, y + 1)
                     + inside(x + 0.5, y + 0.5))
            if votes == 5:
                image.set(x, y, color)
            elif votes:
                draw_coverage(image, color, inside, bounds=(x, y, x + 1, y + 1))


def rounded_box(left, top, right, bottom, radius):
    return lambda x, y: inside_rounded_rect(x - left, y - top, right - left, bottom - top, radius)


def fill_rounded(image, color, left, top, right, bottom, radius):
    draw_shape(image, color, rounded_box(left, top, right, bottom, radius), (left, top, right, bottom))


def outlined_rounded(image, edge, fill, left, top, right, bottom, radius, width=1.5):
    fill_rounded(image, edge, left, top, right, bottom, radius)
    fill_rounded(image, fill, left + width, top + width, right - width, bottom - width,
                 max(radius - width, 0))


def stroke(image, color, points, half_width):
    """A polyline of round-ended thick segments."""
    for (x1, y1), (x2, y2) in zip(points, points[1:]):
        pad = half_width + 1
        draw_shape(image, color, capsule(x1, y1, x2, y2, half_width),
                   (min(x1, x2) - pad, min(y1, y2) - pad, max(x1, x2) + pad, max(y1, y2) + pad))


def disc(image, color, cx, cy, r):
    draw_shape(image, color, circle(cx, cy, r), (cx - r - 1, cy - r - 1, cx + r + 1, cy + r + 1))


def wifi_arcs(image, color, cx, cy, scale):
    """The Wi-Fi sign: a dot and three arcs opening upwards from (cx, cy)."""
    disc(image, color, cx, cy, 1.6 * scale)
    for k in (1, 2, 3):
        r_in, r_out = (1.6 + 2.6 * k) * scale, (3.0 + 2.6 * k) * scale

        def inside(x, y, r_in=r_in, r_out=r_out):
            dx, dy = x - cx, y - cy
            d = math.hypot(dx, dy)
            return r_in <= d <= r_out and dy < 0 and abs(dx) <= -dy
        draw_shape(image, color, inside, (cx - r_out - 1, cy - r_out - 1, cx + r_out + 1, cy + 1))


def glow(image, color, cx, cy, r):
    """A soft halo fading out from (cx, cy)."""
    for y in range(int(cy - r), int(cy + r) + 1):
        for x in range(int(cx - r), int(cx + r) + 1):
            d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
            if d < r:
                image.blend(x, y, color, 0.45 * (1 - d / r) ** 2)


def shadow(image, cx, cy, rx, ry):
    for y in range(int(cy - ry), int(cy + ry) + 1):
        for x in range(int(cx - rx), int(cx + rx) + 1):
            d = ((x + 0.5 - cx) / rx) ** 2 + ((y + 0.5 - cy) / ry) ** 2
            if d < 1:
                image.blend(x, y, (0x9A, 0xA4, 0xAF), 0.35 * (1 - d))


def icon_warning_assos():
    """The Wi-Fi light warning: an amber disc with the Wi-Fi sign."""
    image = Image(32, 32, WHITE)
    disc(image, (0xB8, 0x6A, 0x00), 16, 16, 15)
    disc(image, AMBER, 16, 16, 13.5)
    wifi_arcs(image, WHITE, 16, 23, 1.15)
    return image


def icon_check_ok():
    """A passed check: a green disc with a white tick."""
    image = Image(32, 32, WHITE)
    disc(image, (0x1E, 0x8E, 0x3A), 16, 16, 15)
    disc(image, GREEN_LED, 16, 16, 13.5)
    stroke(image, WHITE, [(9, 16.5), (14, 21.5), (23.5, 11)], 1.9)
    return image


def box_front(image, left, top, width, height, wifi_on=True):
    """The box seen from the front: a rounded light body, a front strip with four lights
    (power, line, Wi-Fi, telephone); the Wi-Fi light is green and glowing when on."""
    right, bottom = left + width, top + height
    shadow(image, left + width / 2, bottom + 6, width / 2 + 10, 9)
    outlined_rounded(image, BOX_EDGE, BOX_BODY, left, top, right, bottom, 14)
    fill_rounded(image, BOX_FRONT, left + 2, bottom - height * 0.38, right - 2, bottom - 2, 12)
    fill_rect(image, int(left + 16), int(top + 14), int(right - 16), int(top + 17), BRAND_LIGHT)
    leds = [GREEN_LED, GREEN_LED, GREEN_LED if wifi_on else OFF_LED, OFF_LED]
    y = bottom - height * 0.19
    for i, color in enumerate(leds):
        x = left + width * (0.30 + 0.13 * i)
        if i == 2 and wifi_on:
            glow(image, GREEN_LED, x, y, 16)
        disc(image, mix(color, DARK, 0.25), x, y, 5.2)
        disc(image, color, x, y, 4.2)


def picture_wifi_on():
    """The welcome picture: the box with its Wi-Fi light green, the Wi-Fi sign above it."""
    image = Image(380, 190, WHITE)
    box_front(image, 70, 70, 240, 88)
    wifi_arcs(image, GREEN_LED, 190, 52, 3.4)
    return image


def picture_poster():
    """The TV page: a television showing a picture, the TV decoder below, linked by a cable."""
    image = Image(360, 200, WHITE)
    shadow(image, 150, 178, 110, 8)
    outlined_rounded(image, DARK, (0x1B, 0x22, 0x2B), 40, 14, 260, 150, 8, width=2)
    # Screen: a calm landscape in the brand colours.
    for y in range(24, 140):
        t = (y - 24) / 116
        fill_rect(image, 50, y, 250, y + 1, mix(ACCENT, BRAND_LIGHT, t))
    draw_shape(image, mix(BRAND_DARK, BRAND_LIGHT, 0.5),
               triangle([(60, 140), (140, 70), (220, 140)]), (60, 70, 220, 140))
    draw_shape(image, BRAND_DARK, triangle([(150, 140), (205, 88), (250, 140)]), (150, 88, 250, 140))
    fill_rect(image, 50, 134, 250, 140, BRAND_DARK)
    disc(image, (0xFF, 0xE0, 0x8A), 210, 48, 12)
    # Stand and decoder.
    fill_rounded(image, DARK, 138, 150, 162, 166, 2)
    fill_rounded(image, DARK, 105, 164, 195, 172, 3)
    outlined_rounded(image, DARK, (0x4A, 0x54, 0x60), 238, 150, 336, 176, 6)
    disc(image, GREEN_LED, 322, 163, 3)
    fill_rect(image, 250, 161, 290, 164, (0x7E, 0x8A, 0x97))
    stroke(image, (0x5E, 0x6A, 0x77), [(260, 100), (300, 100), (300, 150)], 2.2)
    return image


# The telephone cabling animation: FLASH_COLUMNS x FLASH_ROWS frames of FLASH_W x FLASH_H.
FLASH_W, FLASH_H = 320, 160
FLASH_COLUMNS, FLASH_ROWS = 3, 2
PORT_GREY = (0x8C, 0x92, 0x99)
CORD = (0x3F, 0x47, 0x52)


def adapter(image, x, y):
    """The telephone adapter, its plug pointing left from (x, y)."""
    fill_rounded(image, (0x6B, 0x74, 0x7E), x, y - 4, x + 10, y + 4, 1.5)
    outlined_rounded(image, (0x6B, 0x74, 0x7E), (0xDD, 0xE2, 0xE7), x + 9, y - 13, x + 37, y + 13, 5)
    fill_rounded(image, CORD, x + 28, y - 4, x + 34, y + 4, 1)


def telephone(image, x, y):
    """A desk telephone whose base starts at (x, y)."""
    outlined_rounded(image, DARK, (0x5A, 0x64, 0x70), x, y, x + 70, y + 38, 9)
    for row in range(3):
        for col in range(3):
            disc(image, (0xE8, 0xEC, 0xF0), x + 24 + 11 * col, y + 10 + 9 * row, 2.4)
    stroke(image, DARK, [(x + 6, y - 6), (x + 64, y - 6)], 5.5)
    disc(image, DARK, x + 8, y - 4, 7)
    disc(image, DARK, x + 62, y - 4, 7)


def arrow(image, x1, y, x2):
    stroke(image, AMBER, [(x1, y), (x2 + 6, y)], 2.2)
    draw_shape(image, AMBER, triangle([(x2, y), (x2 + 10, y - 7), (x2 + 10, y + 7)]),
               (x2, y - 8, x2 + 11, y + 8))


def flash_2p_frame(step):
    """Step 0: the parts; 1: the adapter goes to the grey port; 2: plugged in; 3: the
    telephone's cord goes to the adapter; 4: plugged in; 5: the telephone is ready."""
    image = Image(FLASH_W, FLASH_H, WHITE)
    # The box from the back, its grey telephone port on the right-hand side.
    shadow(image, 70, 132, 64, 7)
    outlined_rounded(image, BOX_EDGE, BOX_BODY, 12, 36, 128, 126, 12)
    fill_rect(image, 26, 50, 114, 53, BRAND_LIGHT)
    for i in range(3):
        fill_rounded(image, (0xC9, 0xD1, 0xDA), 30 + 20 * i, 96, 44 + 20 * i, 108, 2)
    port_y = 86
    if step in (1, 2):
        glow(image, AMBER, 126, port_y, 18)
    fill_rounded(image, PORT_GREY, 119, port_y - 7, 129, port_y + 7, 2)
    plug_x = {0: 186, 1: 160}.get(step, 130)
    adapter(image, plug_x, port_y)
    if step == 1:
        arrow(image, 240, 52, plug_x + 4)
    telephone(image, 232, 104)
    socket_x = plug_x + 31
    if step == 3:
        stroke(image, CORD, [(232, 124), (214, 124), (214, 100)], 1.8)
        arrow(image, 262, 70, 226)
    if step >= 4:
        stroke(image, CORD, [(232, 124), (214, 124), (214, port_y), (socket_x, port_y)], 1.8)
    if step == 5:
        disc(image, (0x1E, 0x8E, 0x3A), 268, 46, 15)
        disc(image, GREEN_LED, 268, 46, 13.5)
        stroke(image, WHITE, [(261, 46), (266, 52), (276, 39)], 2.2)
    return image


def flash_2p_strip():
    strip = Image(FLASH_W * FLASH_COLUMNS, FLASH_H * FLASH_ROWS, WHITE)
    for step in range(FLASH_COLUMNS * FLASH_ROWS):
        strip.paste(flash_2p_frame(step), FLASH_W * (step % FLASH_COLUMNS),
                    FLASH_H * (step // FLASH_COLUMNS))
    return strip


# ---- the box's label --------------------------------------------------------------------

# Block glyphs, 5 x 7 cells ('#' filled), for the few words printed on the label.
GLYPHS = {
    "S": [" ####", "#    ", "#    ", " ### ", "    #", "    #", "#### "],
    "I": ["#####", "  #  ", "  #  ", "  #  ", "  #  ", "  #  ", "#####"],
    "D": ["#### ", "#   #", "#   #", "#   #", "#   #", "#   #", "#### "],
    "C": [" ####", "#    ", "#    ", "#    ", "#    ", "#    ", " ####"],
    "W": ["#   #", "#   #", "#   #", "# # #", "# # #", "## ##", "#   #"],
    "F": ["#####", "#    ", "#    ", "#### ", "#    ", "#    ", "#    "],
    "P": ["#### ", "#   #", "#   #", "#### ", "#    ", "#    ", "#    "],
    "l": ["##   ", " #   ", " #   ", " #   ", " #   ", " #   ", "###  "],
    "i": [" #   ", "     ", "##   ", " #   ", " #   ", " #   ", "###  "],
    "é": ["   # ", "  #  ", " ### ", "#   #", "#####", "#    ", " ####"],
    " ": ["     "] * 7,
}
GLYPH_ADVANCE = {"l": 4, "i": 4, " ": 3}

LABEL_PAPER = (0xFB, 0xFC, 0xFD)
LABEL_EDGE = (0xB4, 0xBF, 0xCB)
FIELD_FILL = (0xEE, 0xF2, 0xF6)
FIELD_EDGE = (0xC9, 0xD3, 0xDE)
CHAR_GREY = (0x6C, 0x77, 0x84)
HIGHLIGHT_FILL = (0xFF, 0xF3, 0xC4)


def text_blocks(image, color, left, top, text, cell=2):
    """Writes `text` in block glyphs, `cell` pixels a dot; returns the right end."""
    x = left
    for ch in text:
        for row, line in enumerate(GLYPHS[ch]):
            for col, dot in enumerate(line):
                if dot == "#":
                    fill_rect(image, x + col * cell, top + row * cell,
                              x + (col + 1) * cell, top + (row + 1) * cell, color)
        x += GLYPH_ADVANCE.get(ch, 6) * cell
    return x


def printed_value(image, left, top, count, color):
    """A printed value suggested by `count` small character blocks of varied shapes."""
    for i in range(count):
        x = left + 9 * i
        tall = (i * 7 + 3) % 5 != 0
        fill_rounded(image, color, x, top + (0 if tall else 4), x + 6, top + 12, 1)


def label_field(image, left, top, right, highlighted):
    """A value field of the label; the highlighted one is ringed in amber on a light yellow."""
    if highlighted:
        glow(image, AMBER, left - 4, top + 11, 20)
        glow(image, AMBER, right + 4, top + 11, 20)
        outlined_rounded(image, AMBER, HIGHLIGHT_FILL, left - 3, top - 3, right + 3, top + 25, 6,
                         width=2.5)
    else:
        outlined_rounded(image, FIELD_EDGE, FIELD_FILL, left, top, right, top + 22, 4, width=1)


def box_label(width, height, highlight, wps=False):
    """The box's label seen flat: a blue side panel with the Wi-Fi sign, then the fields
    "SSID" (the network's name) and "Clé WiFi" (the key), `highlight` naming the one
    ringed; `wps` adds the WPS mark the label carries for a push-button connection."""
    image = Image(width, height, WHITE)
    left, top, right, bottom = 10, 8, width - 10, height - 10
    shadow(image, width / 2, bottom + 1, width / 2 - 14, 6)
    outlined_rounded(image, LABEL_EDGE, LABEL_PAPER, left, top, right, bottom, 8, width=1.2)
    panel = left + 74
    fill_rounded(image, BRAND_LIGHT, left + 1.2, top + 1.2, panel, bottom - 1.2, 7)
    fill_rect(image, int(panel) - 8, int(top + 2), int(panel), int(bottom - 1), BRAND_LIGHT)
    wifi_arcs(image, WHITE, (left + panel) / 2, (top + bottom) / 2 + 12, 2.1)
    rows = 2
    pitch = (bottom - top) / rows
    field_left = panel + 110
    field_right = right - (64 if wps else 16)
    for row, (name, key, chars) in enumerate((("SSID", "ssid", 11), ("Clé WiFi", "key", 26))):
        y = int(top + pitch * row + pitch / 2 - 11)
        text_blocks(image, DARK, panel + 14, y + 4, name)
        label_field(image, field_left, y, field_right, key == highlight)
        room = (field_right - field_left - 16) // 9
        printed_value(image, field_left + 8, y + 5, min(chars, room),
                      DARK if key == highlight else CHAR_GREY)
    if wps:
        cx, cy = right - 34, (top + bottom) / 2
        disc(image, BRAND_DARK, cx, cy, 20)
        disc(image, WHITE, cx, cy, 17.5)
        text_blocks(image, BRAND_DARK, int(cx) - 14, int(cy) - 5, "WPS", cell=1)
    return image


def picture_key_wep():
    return box_label(441, 112, "key")


def picture_ssid(wps):
    return box_label(441, 130, "ssid", wps=wps)


# ---- the connection window's step marks -------------------------------------------------

GREY_MARK = (0xA9, 0xB1, 0xBA)


def mark_done(color):
    """A 16 x 16 tick."""
    image = Image(16, 16, WHITE)
    stroke(image, color, [(3, 8.5), (6.5, 12), (13, 4.5)], 1.5)
    return image


def mark_failed(color):
    """A 16 x 16 cross."""
    image = Image(16, 16, WHITE)
    stroke(image, color, [(4, 4), (12, 12)], 1.5)
    stroke(image, color, [(12, 4), (4, 12)], 1.5)
    return image


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
        ("Warning", icon_warning()),
        ("Warning_Assos", icon_warning_assos()),
        ("WiFiOn", picture_wifi_on()),
        ("Poster", picture_poster()),
        ("Flash_2p", flash_2p_strip()),
        ("Check_OK", icon_check_ok()),
        ("Key_WEP", picture_key_wep()),
        ("SSID_WEP", picture_ssid(wps=False)),
        ("SSID_WPS", picture_ssid(wps=True)),
        ("DialerShaper", shape_mask(383, 331)),
        ("DialerBackground", window_background(383, 331, 32)),
        ("DialerMarkDone", mark_done((0x1E, 0x9E, 0x3E))),
        ("DialerMarkDoneGrey", mark_done(GREY_MARK)),
        ("DialerMarkFailed", mark_failed((0xD9, 0x30, 0x25))),
        ("DialerMarkFailedGrey", mark_failed(GREY_MARK)),
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
