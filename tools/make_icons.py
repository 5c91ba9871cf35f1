#!/usr/bin/env python3
"""Draws the program's icons and writes them as .ico files.

    python3 tools/make_icons.py [output folder]   (default: res/ beside this script's parent)
    python3 tools/make_icons.py --check [folder]  (exit 1 when the files there differ from a fresh drawing)

Every pictogram is described once in unit coordinates (0..1, y downwards) as signed-distance
shapes, so each frame size is rendered from the same drawing with analytic anti-aliasing and
straight 32-bit alpha. Output: Data/icons/menu/*.ico (16, 24, 32), Data/icons/toolbar/*.ico
(32, 48) and Glyphoscope.ico (16, 32, 48, 256). Standard library only; the output is
reproducible.
"""

import math
import os
import struct
import sys
import zlib

# ---------------------------------------------------------------- shapes (signed distances)


def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def box(x0, y0, x1, y1, radius=0.0):
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hw, hh = (x1 - x0) / 2 - radius, (y1 - y0) / 2 - radius

    def sd(x, y):
        qx, qy = abs(x - cx) - hw, abs(y - cy) - hh
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - radius

    return sd


def capsule(ax, ay, bx, by, r):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy

    def sd(x, y):
        t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / length2))
        return math.hypot(x - ax - t * dx, y - ay - t * dy) - r

    return sd


def polygon(points):
    n = len(points)

    def sd(x, y):
        d = float("inf")
        inside = False
        for i in range(n):
            ax, ay = points[i]
            bx, by = points[(i + 1) % n]
            ex, ey = bx - ax, by - ay
            t = max(0.0, min(1.0, ((x - ax) * ex + (y - ay) * ey) / (ex * ex + ey * ey)))
            d = min(d, math.hypot(x - ax - t * ex, y - ay - t * ey))
            if (ay > y) != (by > y) and x < ax + (y - ay) * ex / (ey if ey else 1e-12):
                inside = not inside
        return -d if inside else d

    return sd


def polyline(points, r):
    parts = [capsule(*points[i], *points[i + 1], r) for i in range(len(points) - 1)]
    return union(*parts)


def union(*shapes):
    return lambda x, y: min(s(x, y) for s in shapes)


def subtract(shape, *holes):
    return lambda x, y: max(shape(x, y), *(-h(x, y) for h in holes))


def rotated(shape, angle, cx=0.5, cy=0.5):
    c, s = math.cos(angle), math.sin(angle)

    def sd(x, y):
        dx, dy = x - cx, y - cy
        return shape(cx + dx * c + dy * s, cy - dx * s + dy * c)

    return sd


# ---------------------------------------------------------------- paints


def solid(rgb, alpha=1.0):
    return lambda x, y: (rgb, alpha)


def vertical(top, bottom, y0=0.0, y1=1.0, alpha=1.0):
    def paint(x, y):
        t = max(0.0, min(1.0, (y - y0) / (y1 - y0)))
        return tuple(a + (b - a) * t for a, b in zip(top, bottom)), alpha

    return paint


# One family: a light-to-dark vertical gradient per material and a darker outline of the same hue.
MATERIALS = {
    "blue": ((120, 178, 240), (32, 96, 190), (18, 52, 112)),
    "green": ((140, 214, 100), (42, 146, 48), (22, 84, 26)),
    "red": ((246, 126, 100), (196, 44, 32), (112, 22, 12)),
    "gold": ((255, 226, 120), (226, 160, 34), (128, 86, 10)),
    "paper": ((255, 255, 255), (222, 228, 238), (84, 96, 118)),
    "steel": ((206, 214, 226), (118, 130, 152), (52, 58, 74)),
    "wood": ((214, 156, 92), (146, 94, 44), (78, 48, 18)),
}


def material(name, y0, y1):
    top, bottom, outline = MATERIALS[name]
    return vertical(top, bottom, y0, y1), solid(outline)


# ---------------------------------------------------------------- drawing


class Drawing:
    """Layers painted in order: filled shapes with an outline of about one pixel."""

    def __init__(self):
        self.layers = []

    def fill(self, shape, paint):
        self.layers.append(("fill", shape, paint, 0.0))

    def stroke(self, shape, paint, width_px):
        self.layers.append(("stroke", shape, paint, width_px))

    def solid_shape(self, shape, name, y0, y1, outline=True):
        body, edge = material(name, y0, y1)
        self.fill(shape, body)
        if outline:
            self.stroke(shape, edge, None)

    def render(self, size):
        scale = float(size)
        outline_px = max(1.0, size / 22.0)
        pixels = []
        for py in range(size):
            y = (py + 0.5) / scale
            for px in range(size):
                x = (px + 0.5) / scale
                r = g = b = a = 0.0  # premultiplied while compositing
                for kind, shape, paint, width in self.layers:
                    d = shape(x, y) * scale
                    if kind == "fill":
                        coverage = 0.5 - d
                    else:
                        w = outline_px if width is None else width * size / 32.0
                        coverage = w / 2 + 0.5 - abs(d + (w / 2 if width is None else 0.0))
                    if coverage <= 0.0:
                        continue
                    coverage = min(coverage, 1.0)
                    (cr, cg, cb), alpha = paint(x, y)
                    k = coverage * alpha
                    r, g, b, a = cr * k + r * (1 - k), cg * k + g * (1 - k), cb * k + b * (1 - k), k + a * (1 - k)
                if a > 0:
                    pixels.append((round(r / a), round(g / a), round(b / a), round(a * 255)))
                else:
                    pixels.append((0, 0, 0, 0))
        return pixels


# ---------------------------------------------------------------- the pictograms


def letter_a(x0, y0, x1, y1):
    """A bold capital A inside the given box."""
    w, h = x1 - x0, y1 - y0
    X = lambda u: x0 + u * w
    Y = lambda v: y0 + v * h
    outer = polygon([(X(0.0), Y(1.0)), (X(0.36), Y(0.0)), (X(0.64), Y(0.0)), (X(1.0), Y(1.0)), (X(0.72), Y(1.0)),
                     (X(0.645), Y(0.76)), (X(0.355), Y(0.76)), (X(0.28), Y(1.0))])
    hole = polygon([(X(0.42), Y(0.54)), (X(0.58), Y(0.54)), (X(0.5), Y(0.27))])
    return subtract(outer, hole)


def down_arrow(cx, top, bottom, half_width):
    shaft = box(cx - half_width * 0.45, top, cx + half_width * 0.45, bottom - half_width * 0.9)
    head = polygon([(cx - half_width, bottom - half_width * 1.05), (cx + half_width, bottom - half_width * 1.05),
                    (cx, bottom)])
    return union(shaft, head)


def right_arrow(left, right, cy, half_height):
    shaft = box(left, cy - half_height * 0.45, right - half_height * 0.9, cy + half_height * 0.45)
    head = polygon([(right - half_height * 1.05, cy - half_height), (right, cy), (right - half_height * 1.05, cy + half_height)])
    return union(shaft, head)


def load_fonts():
    d = Drawing()
    d.solid_shape(letter_a(0.03, 0.06, 0.70, 0.94), "blue", 0.06, 0.94)
    d.solid_shape(down_arrow(0.76, 0.38, 0.98, 0.21), "green", 0.38, 0.98)
    return d


def exit_door():
    d = Drawing()
    d.solid_shape(box(0.10, 0.06, 0.62, 0.96, 0.04), "wood", 0.06, 0.96)
    d.fill(box(0.18, 0.14, 0.54, 0.96), solid((40, 34, 30)))  # the dark doorway
    d.solid_shape(polygon([(0.18, 0.14), (0.44, 0.22), (0.44, 0.98), (0.18, 0.90)]), "wood", 0.14, 0.98)
    d.solid_shape(right_arrow(0.42, 0.98, 0.52, 0.22), "red", 0.30, 0.74)
    return d


def settings_gear():
    d = Drawing()
    teeth = [rotated(box(0.41, 0.04, 0.59, 0.30, 0.03), i * math.pi / 4) for i in range(8)]
    gear = subtract(union(circle(0.5, 0.5, 0.33), *teeth), circle(0.5, 0.5, 0.13))
    d.solid_shape(gear, "steel", 0.04, 0.96)
    return d


def license_page():
    d = Drawing()
    page = polygon([(0.16, 0.04), (0.64, 0.04), (0.84, 0.24), (0.84, 0.96), (0.16, 0.96)])
    d.solid_shape(page, "paper", 0.04, 0.96)
    d.solid_shape(polygon([(0.64, 0.04), (0.64, 0.24), (0.84, 0.24)]), "steel", 0.04, 0.24)
    lines = union(*(capsule(0.28, v, 0.70, v, 0.025) for v in (0.36, 0.50)), capsule(0.28, 0.64, 0.48, 0.64, 0.025))
    d.fill(lines, solid((70, 100, 150)))
    ribbon = union(polygon([(0.58, 0.80), (0.66, 0.80), (0.62, 1.0), (0.55, 0.95)]),
                   polygon([(0.70, 0.80), (0.78, 0.80), (0.83, 0.95), (0.76, 1.0)]))
    d.solid_shape(ribbon, "red", 0.8, 1.0)
    d.solid_shape(circle(0.68, 0.76, 0.15), "gold", 0.61, 0.91)
    return d


def home_house():
    d = Drawing()
    d.solid_shape(box(0.64, 0.10, 0.76, 0.40), "steel", 0.10, 0.40)  # chimney
    d.solid_shape(box(0.16, 0.44, 0.84, 0.94), "gold", 0.44, 0.94)
    d.solid_shape(polygon([(0.02, 0.52), (0.5, 0.06), (0.98, 0.52)]), "red", 0.06, 0.52)
    d.solid_shape(box(0.41, 0.62, 0.59, 0.94), "blue", 0.62, 0.94)
    return d


def send_mail():
    d = Drawing()
    envelope = box(0.04, 0.18, 0.86, 0.78, 0.04)
    d.solid_shape(envelope, "paper", 0.18, 0.78)
    d.fill(polyline([(0.07, 0.22), (0.45, 0.52), (0.83, 0.22)], 0.028), solid(MATERIALS["paper"][2]))
    d.solid_shape(right_arrow(0.46, 0.99, 0.80, 0.18), "green", 0.62, 0.98)
    return d


def about_info():
    d = Drawing()
    d.solid_shape(circle(0.5, 0.5, 0.45), "blue", 0.05, 0.95)
    letter = union(circle(0.5, 0.28, 0.085), box(0.42, 0.42, 0.58, 0.78, 0.03))
    d.fill(letter, solid((255, 255, 255)))
    return d


def application():
    d = Drawing()
    d.solid_shape(letter_a(0.02, 0.10, 0.66, 0.92), "blue", 0.10, 0.92)
    d.solid_shape(capsule(0.80, 0.74, 0.93, 0.91, 0.075), "wood", 0.70, 0.98)
    d.fill(circle(0.60, 0.52, 0.26), solid((200, 230, 255), 0.45))
    ring = subtract(circle(0.60, 0.52, 0.30), circle(0.60, 0.52, 0.23))
    d.solid_shape(ring, "steel", 0.22, 0.82)
    d.fill(capsule(0.50, 0.38, 0.56, 0.33, 0.02), solid((255, 255, 255), 0.8))  # glint
    return d


ICONS = {
    "Load_fonts": load_fonts,
    "Exit": exit_door,
    "Settings": settings_gear,
    "License": license_page,
    "Home_page": home_house,
    "Send_mail": send_mail,
    "About": about_info,
}

# ---------------------------------------------------------------- file formats


def png_bytes(size, pixels):
    raw = bytearray()
    for row in range(size):
        raw.append(0)
        for r, g, b, a in pixels[row * size:(row + 1) * size]:
            raw += bytes((r, g, b, a))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b"")


def dib_bytes(size, pixels):
    """A 32-bit icon frame: header, colour rows bottom-up, then the 1-bit mask."""
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = bytearray()
    for row in reversed(range(size)):
        for r, g, b, a in pixels[row * size:(row + 1) * size]:
            colour += bytes((b, g, r, a))
    stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(range(size)):
        line = bytearray(stride)
        for x in range(size):
            if pixels[row * size + x][3] < 128:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    return header + colour + mask


def ico_bytes(frames):
    """frames: list of (size, pixels)."""
    images = [png_bytes(s, p) if s >= 256 else dib_bytes(s, p) for s, p in frames]
    out = struct.pack("<HHH", 0, 1, len(frames))
    offset = 6 + 16 * len(frames)
    for (size, _), data in zip(frames, images):
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b"".join(images)


def icon_files(out):
    """Every file this script makes, as (path, drawing, frame sizes)."""
    for name, make in ICONS.items():
        drawing = make()
        yield os.path.join(out, "Data", "icons", "menu", name + ".ico"), drawing, [16, 24, 32]
        yield os.path.join(out, "Data", "icons", "toolbar", name + ".ico"), drawing, [32, 48]
    yield os.path.join(out, "Glyphoscope.ico"), application(), [16, 32, 48, 256]


def main():
    args = sys.argv[1:]
    check = "--check" in args
    args = [a for a in args if a != "--check"]
    here = os.path.dirname(os.path.abspath(__file__))
    out = args[0] if args else os.path.join(os.path.dirname(here), "res")
    stale = []
    for path, drawing, sizes in icon_files(out):
        data = ico_bytes([(size, drawing.render(size)) for size in sizes])
        if check:
            try:
                with open(path, "rb") as f:
                    same = f.read() == data
            except OSError:
                same = False
            if not same:
                stale.append(path)
        else:
            os.makedirs(os.path.dirname(path), exist_ok=True)
            with open(path, "wb") as f:
                f.write(data)
    for path in stale:
        print("differs from a fresh drawing:", path)
    return 1 if stale else 0


if __name__ == "__main__":
    sys.exit(main())
