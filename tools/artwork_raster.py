"""A small anti-aliased rasteriser and TrueType outline reader for the program's artwork.

Standard library only. Pictures are float RGBA canvases with premultiplied colour; paths are lists
of closed polygons filled with the non-zero rule.
"""
import math
import struct


class Canvas:
    def __init__(self, width, height):
        self.width = width
        self.height = height
        # Premultiplied r, g, b, a per pixel in 0..1.
        self.px = [[0.0, 0.0, 0.0, 0.0] for _ in range(width * height)]

    def blend(self, x, y, colour, coverage):
        """Source-over of colour (r, g, b, a straight, 0..1) at the given coverage."""
        if coverage <= 0 or x < 0 or y < 0 or x >= self.width or y >= self.height:
            return
        r, g, b, a = colour
        a *= min(coverage, 1.0)
        p = self.px[y * self.width + x]
        k = 1.0 - a
        p[0] = r * a + p[0] * k
        p[1] = g * a + p[1] * k
        p[2] = b * a + p[2] * k
        p[3] = a + p[3] * k

    def fill(self, polygons, paint, subsamples=5):
        """Fills polygons (non-zero winding); paint is a colour or a function (x, y) -> colour."""
        cover = coverage_map(polygons, self.width, self.height, subsamples)
        for (x, y), c in cover.items():
            colour = paint(x + 0.5, y + 0.5) if callable(paint) else paint
            self.blend(x, y, colour, c)

    def draw_mask(self, mask, paint):
        for (x, y), c in mask.items():
            colour = paint(x + 0.5, y + 0.5) if callable(paint) else paint
            self.blend(x, y, colour, c)

    def bgra_bytes(self):
        out = bytearray()
        for r, g, b, a in self.px:
            a8 = round(min(max(a, 0.0), 1.0) * 255)
            def channel(v):
                return min(round(min(max(v, 0.0), 1.0) * 255), a8)
            out += bytes((channel(b), channel(g), channel(r), a8))
        return bytes(out)


def coverage_map(polygons, width, height, subsamples=5):
    """Coverage 0..1 per pixel for the polygons, with exact horizontal span coverage."""
    edges = []
    for poly in polygons:
        n = len(poly)
        for i in range(n):
            x0, y0 = poly[i]
            x1, y1 = poly[(i + 1) % n]
            if y0 == y1:
                continue
            direction = 1 if y1 > y0 else -1
            if y0 > y1:
                x0, y0, x1, y1 = x1, y1, x0, y0
            edges.append((y0, y1, x0, (x1 - x0) / (y1 - y0), direction))
    if not edges:
        return {}
    top = max(0, int(math.floor(min(e[0] for e in edges))))
    bottom = min(height, int(math.ceil(max(e[1] for e in edges))))
    cover = {}
    weight = 1.0 / subsamples
    for y in range(top, bottom):
        row = [0.0] * (width + 1)
        touched = False
        for s in range(subsamples):
            sy = y + (s + 0.5) / subsamples
            crossings = []
            for y0, y1, x0, slope, direction in edges:
                if y0 <= sy < y1:
                    crossings.append((x0 + (sy - y0) * slope, direction))
            if not crossings:
                continue
            crossings.sort()
            winding = 0
            for i in range(len(crossings) - 1):
                winding += crossings[i][1]
                if winding != 0:
                    add_span(row, crossings[i][0], crossings[i + 1][0], weight, width)
                    touched = True
        if touched:
            for x in range(width):
                if row[x] > 0:
                    cover[(x, y)] = min(row[x], 1.0)
    return cover


def add_span(row, a, b, weight, width):
    a = max(a, 0.0)
    b = min(b, float(width))
    if b <= a:
        return
    ia, ib = int(a), int(b)
    if ia == ib:
        row[ia] += (b - a) * weight
        return
    row[ia] += (ia + 1 - a) * weight
    for x in range(ia + 1, ib):
        row[x] += weight
    if ib < width:
        row[ib] += (b - ib) * weight


def rounded_rect(x, y, w, h, r, steps=10):
    pts = []
    corners = [(x + w - r, y + r, -90), (x + w - r, y + h - r, 0), (x + r, y + h - r, 90), (x + r, y + r, 180)]
    for cx, cy, start in corners:
        for i in range(steps + 1):
            t = math.radians(start + 90 * i / steps)
            pts.append((cx + r * math.cos(t), cy + r * math.sin(t)))
    return pts


def circle(cx, cy, r, steps=64, reverse=False):
    pts = [(cx + r * math.cos(2 * math.pi * i / steps), cy + r * math.sin(2 * math.pi * i / steps))
           for i in range(steps)]
    return pts[::-1] if reverse else pts


def blur_mask(mask, width, height, radius, passes=3):
    """Box-blurs a coverage mask (a soft shadow)."""
    grid = [0.0] * (width * height)
    for (x, y), c in mask.items():
        grid[y * width + x] = c
    for _ in range(passes):
        for horizontal in (True, False):
            out = [0.0] * (width * height)
            span = 2 * radius + 1
            if horizontal:
                for y in range(height):
                    acc = 0.0
                    base = y * width
                    for x in range(-radius, width + radius):
                        if x + radius < width:
                            acc += grid[base + x + radius]
                        if x - radius - 1 >= 0:
                            acc -= grid[base + x - radius - 1]
                        if 0 <= x < width:
                            out[base + x] = acc / span
            else:
                for x in range(width):
                    acc = 0.0
                    for y in range(-radius, height + radius):
                        if y + radius < height:
                            acc += grid[(y + radius) * width + x]
                        if y - radius - 1 >= 0:
                            acc -= grid[(y - radius - 1) * width + x]
                        if 0 <= y < height:
                            out[y * width + x] = acc / span
            grid = out
    return {(i % width, i // width): v for i, v in enumerate(grid) if v > 0.002}


class TrueTypeFont:
    """Outlines and advances of a TrueType (glyf) font."""

    def __init__(self, path):
        with open(path, 'rb') as f:
            self.data = f.read()
        count = struct.unpack_from('>H', self.data, 4)[0]
        self.tables = {}
        for i in range(count):
            tag, _, offset, length = struct.unpack_from('>4sIII', self.data, 12 + 16 * i)
            self.tables[tag.decode('latin-1')] = (offset, length)
        head = self.tables['head'][0]
        self.units_per_em = struct.unpack_from('>H', self.data, head + 18)[0]
        self.long_loca = struct.unpack_from('>h', self.data, head + 50)[0] == 1
        self.num_glyphs = struct.unpack_from('>H', self.data, self.tables['maxp'][0] + 4)[0]
        hhea = self.tables['hhea'][0]
        self.ascent, self.descent = struct.unpack_from('>hh', self.data, hhea + 4)
        self.num_metrics = struct.unpack_from('>H', self.data, hhea + 34)[0]
        self.cmap = self._read_cmap()

    def _read_cmap(self):
        base = self.tables['cmap'][0]
        count = struct.unpack_from('>H', self.data, base + 2)[0]
        for i in range(count):
            platform, encoding, offset = struct.unpack_from('>HHI', self.data, base + 4 + 8 * i)
            sub = base + offset
            if platform == 3 and encoding == 1 and struct.unpack_from('>H', self.data, sub)[0] == 4:
                return self._read_format4(sub)
        raise ValueError('no Unicode BMP cmap')

    def _read_format4(self, sub):
        segs = struct.unpack_from('>H', self.data, sub + 6)[0] // 2
        ends = struct.unpack_from('>%dH' % segs, self.data, sub + 14)
        starts = struct.unpack_from('>%dH' % segs, self.data, sub + 16 + 2 * segs)
        deltas = struct.unpack_from('>%dh' % segs, self.data, sub + 16 + 4 * segs)
        range_at = sub + 16 + 6 * segs
        ranges = struct.unpack_from('>%dH' % segs, self.data, range_at)
        mapping = {}
        for i in range(segs):
            for code in range(starts[i], ends[i] + 1):
                if code == 0xFFFF:
                    continue
                if ranges[i] == 0:
                    glyph = (code + deltas[i]) & 0xFFFF
                else:
                    at = range_at + 2 * i + ranges[i] + 2 * (code - starts[i])
                    glyph = struct.unpack_from('>H', self.data, at)[0]
                    if glyph:
                        glyph = (glyph + deltas[i]) & 0xFFFF
                if glyph:
                    mapping[code] = glyph
        return mapping

    def advance(self, glyph):
        hmtx = self.tables['hmtx'][0]
        index = min(glyph, self.num_metrics - 1)
        return struct.unpack_from('>H', self.data, hmtx + 4 * index)[0]

    def _glyph_range(self, glyph):
        loca = self.tables['loca'][0]
        if self.long_loca:
            start, end = struct.unpack_from('>II', self.data, loca + 4 * glyph)
        else:
            start, end = (2 * v for v in struct.unpack_from('>HH', self.data, loca + 2 * glyph))
        return self.tables['glyf'][0] + start, end - start

    def contours(self, glyph):
        """Contours as lists of (x, y, on_curve) in font units."""
        at, length = self._glyph_range(glyph)
        if length == 0:
            return []
        n = struct.unpack_from('>h', self.data, at)[0]
        if n < 0:
            return self._composite(at)
        ends = struct.unpack_from('>%dH' % n, self.data, at + 10)
        p = at + 10 + 2 * n
        p += 2 + struct.unpack_from('>H', self.data, p)[0]
        total = ends[-1] + 1 if n else 0
        flags = []
        while len(flags) < total:
            flag = self.data[p]
            p += 1
            flags.append(flag)
            if flag & 8:
                repeat = self.data[p]
                p += 1
                flags.extend([flag] * repeat)
        coords = []
        for short_bit, same_bit in ((2, 16), (4, 32)):
            value, values = 0, []
            for flag in flags:
                if flag & short_bit:
                    delta = self.data[p]
                    p += 1
                    value += delta if flag & same_bit else -delta
                elif not flag & same_bit:
                    value += struct.unpack_from('>h', self.data, p)[0]
                    p += 2
                values.append(value)
            coords.append(values)
        result, start = [], 0
        for end in ends:
            result.append([(coords[0][i], coords[1][i], bool(flags[i] & 1)) for i in range(start, end + 1)])
            start = end + 1
        return result

    def _composite(self, at):
        p = at + 10
        result = []
        while True:
            flags, glyph = struct.unpack_from('>HH', self.data, p)
            p += 4
            if flags & 1:
                dx, dy = struct.unpack_from('>hh', self.data, p)
                p += 4
            else:
                dx, dy = struct.unpack_from('>bb', self.data, p)
                p += 2
            a, b, c, d = 1.0, 0.0, 0.0, 1.0
            if flags & 8:
                a = d = struct.unpack_from('>h', self.data, p)[0] / 16384.0
                p += 2
            elif flags & 0x40:
                a, d = (v / 16384.0 for v in struct.unpack_from('>hh', self.data, p))
                p += 4
            elif flags & 0x80:
                a, b, c, d = (v / 16384.0 for v in struct.unpack_from('>hhhh', self.data, p))
                p += 8
            for contour in self.contours(glyph):
                result.append([(a * x + c * y + dx, b * x + d * y + dy, on) for x, y, on in contour])
            if not flags & 0x20:
                return result

    def text_width(self, text, size):
        return sum(self.advance(self.cmap.get(ord(ch), 0)) for ch in text) * size / self.units_per_em

    def text_polygons(self, text, x, baseline, size, tracking=0.0):
        """Polygons of text at pixel size `size` (the em), starting at x on the baseline."""
        scale = size / self.units_per_em
        polygons = []
        for ch in text:
            glyph = self.cmap.get(ord(ch), 0)
            for contour in self.contours(glyph):
                polygons.append([(x + px * scale, baseline - py * scale) for px, py in flatten(contour)])
            x += self.advance(glyph) * scale + tracking
        return polygons


def flatten(contour, steps=6):
    """A TrueType quadratic contour as a polygon."""
    n = len(contour)
    if n == 0:
        return []
    pts = [(float(x), float(y), on) for x, y, on in contour]
    # Start from an on-curve point, making one between two off-curve points if there is none.
    start = next((i for i, p in enumerate(pts) if p[2]), None)
    if start is None:
        a, b = pts[0], pts[1]
        pts.insert(0, ((a[0] + b[0]) / 2, (a[1] + b[1]) / 2, True))
        start = 0
    pts = pts[start:] + pts[:start]
    out = [(pts[0][0], pts[0][1])]
    current = pts[0]
    control = None
    for p in pts[1:] + [pts[0]]:
        if p[2]:
            if control is None:
                out.append((p[0], p[1]))
            else:
                out.extend(quad(current, control, p, steps))
                control = None
            current = p
        else:
            if control is not None:
                mid = ((control[0] + p[0]) / 2, (control[1] + p[1]) / 2, True)
                out.extend(quad(current, control, mid, steps))
                current = mid
            control = p
    return out[:-1] if len(out) > 1 and out[0] == out[-1] else out


def quad(p0, p1, p2, steps):
    return [((1 - t) ** 2 * p0[0] + 2 * (1 - t) * t * p1[0] + t * t * p2[0],
             (1 - t) ** 2 * p0[1] + 2 * (1 - t) * t * p1[1] + t * t * p2[1])
            for t in (i / steps for i in range(1, steps + 1))]
