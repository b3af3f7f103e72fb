#!/usr/bin/env python3
"""Draws Quorvel's program icon and the small images of its list and menus.

The files this writes under src/win32/res/ are committed, so that a
build needs no Python. After changing a drawing here, regenerate them with

    python3 scripts/make-art.py

look at res/art-preview.png, and commit the images together with this script.

Only the standard library is used and the output is the same, byte for byte, on
every run. Each size is drawn on its own from shapes given as signed distance
functions, with the edges that matter placed on whole pixels: a 16-pixel image
shrunk from a 48-pixel one comes out soft and muddy, and these sit next to text.
"""

import math
import os
import struct
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
RES = os.path.join(ROOT, "src", "win32", "res")

ICON_SIZES = (16, 20, 24, 32, 40, 48, 64, 256)
STRIP_SIZES = (16, 20, 24, 32, 48)

# The list view paints its rows on this grey; menus are white.
LIST_GREY = (224, 224, 224)
WHITE = (255, 255, 255)


# --- Shapes --------------------------------------------------------------------
# Each shape is a function (x, y) -> signed distance in pixels to its edge,
# negative inside. Pixel (i, j) covers [i, i+1) x [j, j+1); y grows downwards.


def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def ellipse(cx, cy, rx, ry):
    # Not an exact distance, but close enough near the edge, which is all that
    # the anti-aliasing looks at.
    def f(x, y):
        px, py = x - cx, y - cy
        k0 = math.hypot(px / rx, py / ry)
        k1 = math.hypot(px / (rx * rx), py / (ry * ry))
        return -min(rx, ry) if k1 == 0 else k0 * (k0 - 1) / k1

    return f


def rect(x0, y0, x1, y1, r=0.0):
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hw, hh = (x1 - x0) / 2 - r, (y1 - y0) / 2 - r

    def f(x, y):
        qx, qy = abs(x - cx) - hw, abs(y - cy) - hh
        return math.hypot(max(qx, 0.0), max(qy, 0.0)) + min(max(qx, qy), 0.0) - r

    return f


def capsule(ax, ay, bx, by, r):
    dx, dy = bx - ax, by - ay
    ll = dx * dx + dy * dy

    def f(x, y):
        px, py = x - ax, y - ay
        t = 0.0 if ll == 0 else min(1.0, max(0.0, (px * dx + py * dy) / ll))
        return math.hypot(px - dx * t, py - dy * t) - r

    return f


def polygon(points, r=0.0):
    """A polygon, its corners rounded by growing it by r."""
    edges = [(points[i - 1], points[i]) for i in range(len(points))]

    def f(x, y):
        best = math.inf
        inside = False
        for (ax, ay), (bx, by) in edges:
            ex, ey = bx - ax, by - ay
            wx, wy = x - ax, y - ay
            t = min(1.0, max(0.0, (wx * ex + wy * ey) / (ex * ex + ey * ey)))
            qx, qy = wx - ex * t, wy - ey * t
            best = min(best, qx * qx + qy * qy)
            if (ay <= y) != (by <= y) and x < ax + (y - ay) * ex / ey:
                inside = not inside
        return (-1 if inside else 1) * math.sqrt(best) - r

    return f


def polar(cx, cy, radius, degrees):
    """The point at an angle measured as on a clock face turned maths-wise: 0 east, 90 north."""
    a = math.radians(degrees)
    return cx + radius * math.cos(a), cy - radius * math.sin(a)


def arc(cx, cy, radius, start, sweep, r):
    """A round-ended stroke of half-width r along a circle, `sweep` degrees anticlockwise from `start`."""
    a0, span = math.radians(start), math.radians(sweep)
    e0, e1 = polar(cx, cy, radius, start), polar(cx, cy, radius, start + sweep)

    def f(x, y):
        dx, dy = x - cx, cy - y
        if (math.atan2(dy, dx) - a0) % (2 * math.pi) <= span:
            d = abs(math.hypot(dx, dy) - radius)
        else:
            d = min(math.hypot(x - e0[0], y - e0[1]), math.hypot(x - e1[0], y - e1[1]))
        return d - r

    return f


def union(*shapes):
    return lambda x, y: min(s(x, y) for s in shapes)


def intersect(*shapes):
    return lambda x, y: max(s(x, y) for s in shapes)


def subtract(shape, hole):
    return lambda x, y: max(shape(x, y), -hole(x, y))


def grow(shape, r):
    """Moves the edge outwards by r pixels (inwards if r is negative)."""
    return lambda x, y: shape(x, y) - r


# --- Paints --------------------------------------------------------------------
# A paint is a colour (r, g, b) or (r, g, b, a), or a function (x, y) -> colour.


def rgba(c):
    return c if len(c) == 4 else (c[0], c[1], c[2], 255)


def mix(c0, c1, t):
    t = min(1.0, max(0.0, t))
    c0, c1 = rgba(c0), rgba(c1)
    return tuple(a + (b - a) * t for a, b in zip(c0, c1))


def linear(x0, y0, c0, x1, y1, c1):
    dx, dy = x1 - x0, y1 - y0
    ll = dx * dx + dy * dy
    return lambda x, y: mix(c0, c1, ((x - x0) * dx + (y - y0) * dy) / ll)


def radial(cx, cy, radius, c0, c1):
    return lambda x, y: mix(c0, c1, math.hypot(x - cx, y - cy) / radius)


# --- Rasteriser ----------------------------------------------------------------


class Picture:
    """Layers of shapes, painted bottom first, rendered with supersampling."""

    def __init__(self, n):
        self.n = n
        self.layers = []

    def fill(self, shape, paint):
        self.layers.append((shape, paint))

    def outlined(self, shape, paint, edge, width):
        """Fills a shape with an edge of `width` pixels drawn inside its boundary."""
        self.fill(shape, edge)
        self.fill(grow(shape, -width), paint)

    def render(self, ss=8):
        """Returns n*n RGBA pixels with straight alpha.

        Only pixels that some edge passes through are supersampled (ss x ss, each
        sample itself box-filtered from the distance), so large sizes stay cheap.
        Samples are composited layer by layer, which keeps shapes that share an
        edge free of the light seam that blending per-layer coverages leaves.
        """
        n = self.n
        out = bytearray(n * n * 4)
        near = 1.0  # beyond this the whole pixel is on one side of an edge
        offsets = [(i + 0.5) / ss - 0.5 for i in range(ss)]
        samples = [(ox, oy) for oy in offsets for ox in offsets]
        for j in range(n):
            for i in range(n):
                x, y = i + 0.5, j + 0.5
                hits = []
                edgy = False
                for shape, paint in self.layers:
                    d = shape(x, y)
                    if d >= near:
                        continue
                    colour = rgba(paint(x, y) if callable(paint) else paint)
                    if d <= -near:
                        hits.append((None, colour))
                    else:
                        hits.append((shape, colour))
                        edgy = True
                if not hits:
                    continue
                if not edgy:
                    acc = composite(hits, x, y, ss)
                else:
                    acc = [0.0, 0.0, 0.0, 0.0]
                    for ox, oy in samples:
                        s = composite(hits, x + ox, y + oy, ss)
                        for k in range(4):
                            acc[k] += s[k]
                    acc = [v / len(samples) for v in acc]
                a = acc[3]
                if a * 255 < 0.5:
                    continue
                o = (j * n + i) * 4
                for k in range(3):
                    out[o + k] = min(255, max(0, round(acc[k] / a)))
                out[o + 3] = min(255, round(a * 255))
        return out


def composite(hits, x, y, ss):
    """Premultiplied colour of one sample after painting every layer over it."""
    r = g = b = a = 0.0
    for shape, (cr, cg, cb, ca) in hits:
        cover = 1.0 if shape is None else min(1.0, max(0.0, 0.5 - shape(x, y) * ss))
        alpha = ca / 255 * cover
        if alpha <= 0:
            continue
        keep = 1 - alpha
        r, g, b, a = cr * alpha + r * keep, cg * alpha + g * keep, cb * alpha + b * keep, alpha + a * keep
    return (r, g, b, a)


# --- Helpers for drawing at any size -------------------------------------------


def px(n, at16, least=1):
    """A whole number of pixels that is `at16` at 16x16 and grows with the size."""
    return max(least, round(n * at16 / 16))


def centre_for(width, n):
    """Centre at which a stroke of whole-pixel width lands on pixel boundaries."""
    return n / 2 if width % 2 == 0 else n / 2 - 0.5


# --- The images of the list and menus ------------------------------------------


def disc(n, light, dark, rim):
    # The three state discs must be exactly alike apart from colour: people
    # compare them at a glance down a column.
    d = 2 * round(0.72 * n / 2)
    r, c = d / 2, n / 2
    w = 1 if n < 32 else px(n, 0.75)
    p = Picture(n)
    p.fill(circle(c, c, r), rim)
    p.fill(circle(c, c, r - w), radial(c - 0.3 * r, c - 0.4 * r, 1.5 * r, light, dark))
    # A soft highlight near the top makes a flat blob read as a ball.
    p.fill(ellipse(c, c - 0.42 * r, 0.55 * r, 0.32 * r), (255, 255, 255, 80))
    return p


def banned(n):
    return disc(n, (96, 96, 96), (8, 8, 8), (0, 0, 0))


def disabled(n):
    return disc(n, (255, 112, 100), (196, 18, 18), (120, 0, 0))


def enabled(n):
    return disc(n, (120, 230, 110), (24, 150, 36), (0, 88, 16))


def cube(p, cx, top, a, colours, edge, w):
    """An isometric cube a pixels across each face, its top corner at (cx, top)."""
    h = a
    hexagon = [(cx, top), (cx + a, top + a / 2), (cx + a, top + a / 2 + h), (cx, top + a + h),
               (cx - a, top + a / 2 + h), (cx - a, top + a / 2)]
    p.fill(polygon(hexagon, w), edge)
    lit, side, shade = colours
    p.fill(polygon([(cx, top), (cx + a, top + a / 2), (cx, top + a), (cx - a, top + a / 2)]), lit)
    p.fill(polygon([(cx - a, top + a / 2), (cx, top + a), (cx, top + a + h), (cx - a, top + a / 2 + h)]), side)
    p.fill(polygon([(cx + a, top + a / 2), (cx + a, top + a / 2 + h), (cx, top + a + h), (cx, top + a)]), shade)


def registry(n):
    p = Picture(n)
    w = px(n, 0.75)
    a = (n - 2 * w) / 4
    blue = ((150, 200, 255), (40, 110, 215), (20, 70, 160))
    teal = ((140, 235, 220), (20, 160, 150), (10, 110, 105))
    edge = (10, 40, 90)
    # Two cubes side by side and one resting across them: 4a wide, 3.5a high.
    top = round((n - 3.5 * a) / 2)
    cube(p, w + a, top + 1.5 * a, a, teal, edge, w)
    cube(p, n - w - a, top + 1.5 * a, a, blue, edge, w)
    cube(p, n / 2, top, a, blue, edge, w)
    return p


def exit_mark(n):
    p = Picture(n)
    lo, hi = 0.27 * n, 0.73 * n
    r = 0.1 * n + 0.2
    w = px(n, 0.8)
    cross = union(capsule(lo, lo, hi, hi, r + w), capsule(lo, hi, hi, lo, r + w))
    p.outlined(cross, linear(0, lo, (240, 70, 60), 0, hi, (200, 20, 20)), (120, 0, 0), w)
    return p


def document(n):
    p = Picture(n)
    w = px(n, 0.75)
    x0, x1 = round(0.19 * n), n - round(0.19 * n)
    y0, y1 = round(0.06 * n), n - round(0.06 * n)
    f = round(0.28 * n)
    grey = (110, 110, 110)
    page = polygon([(x0, y0), (x1 - f, y0), (x1, y0 + f), (x1, y1), (x0, y1)])
    p.outlined(page, linear(x0, y0, (255, 255, 255), x1, y1, (236, 240, 246)), grey, w)
    # The fold shares the page's slanted edge, so only its two straight sides
    # need an outline of their own, and those sit on pixel boundaries.
    fold = polygon([(x1 - f, y0), (x1 - f, y0 + f), (x1, y0 + f)])
    p.outlined(fold, (214, 218, 226), grey, w)
    # Text lines: whole pixels thick, every other row, the first beside the fold.
    t = px(n, 1)
    gap = t * 2
    left = x0 + w + max(1, round(0.1 * n))
    y = y0 + w + max(1, round(0.08 * n))
    first = True
    while y + t <= y1 - w - max(1, round(0.08 * n)):
        right = (x1 - f - max(1, round(0.06 * n))) if first else (x1 - w - max(1, round(0.1 * n)))
        if right - left >= 2:
            p.fill(rect(left, y, right, y + t), (130, 140, 155))
        y += gap
        first = y < y0 + f + w
    return p


def about(n):
    p = Picture(n)
    stem = px(n, 2)
    c = centre_for(stem, n)
    r = n * 0.47
    p.outlined(circle(c, c, r), radial(c - 0.3 * r, c - 0.4 * r, 1.5 * r, (90, 160, 250), (20, 80, 190)),
               (10, 50, 130), px(n, 0.75))
    top, bottom = round(0.44 * n), round(0.8 * n)
    p.fill(rect(c - stem / 2, top, c + stem / 2, bottom, min(0.5, stem / 4)), WHITE)
    dot = stem * 0.62
    p.fill(circle(c, top - dot - max(1.0, n / 16), dot), WHITE)
    return p


def globe(n):
    p = Picture(n)
    lw = px(n, 0.75)
    c = centre_for(lw, n)
    edge = px(n, 0.75)
    r = c - 0.02 * n
    p.outlined(circle(c, c, r), radial(c - 0.3 * r, c - 0.4 * r, 1.5 * r, (110, 180, 255), (20, 90, 200)),
               (10, 50, 130), edge)
    half = lw / 2
    lines = [rect(c - half, 0, c + half, n),        # the meridian facing us
             subtract(ellipse(c, c, r * 0.5 + half, r), ellipse(c, c, r * 0.5 - half, r - lw))]
    # Parallels seen from a little above the equator sag into arcs, which is
    # what tells a globe from a grid.
    tilt = math.radians(18)
    for lat in (-42, 0, 42):
        phi = math.radians(lat)
        mid = c - r * math.sin(phi) * math.cos(tilt)
        rx, sag = r * math.cos(phi), r * math.cos(phi) * math.sin(tilt)
        bend = (rx * rx + sag * sag) / (2 * sag)
        lines.append(grow(lambda x, y, cy=mid + sag - bend, b=bend: abs(math.hypot(x - c, y - cy) - b), half))
    p.fill(intersect(circle(c, c, r - edge), union(*lines)), (205, 232, 255))
    return p


def execute(n):
    p = Picture(n)
    w = px(n, 0.75)
    rr = 0.07 * n
    top, bottom = 0.12 * n + rr, 0.88 * n - rr
    left = 0.22 * n + rr
    right = left + (bottom - top) * 0.87
    tri = polygon([(left, top), (right, (top + bottom) / 2), (left, bottom)], rr)
    p.outlined(tri, linear(0, top, (110, 220, 100), 0, bottom, (20, 150, 40)), (0, 90, 20), w)
    return p


def arrow_arc(cx, cy, radius, start, sweep, half, head):
    """A clockwise arrow along a circle that ends, with its head, at angle `start`."""
    ex, ey = polar(cx, cy, radius, start)
    a = math.radians(start)
    ux, uy = math.cos(a), -math.sin(a)            # outwards from the centre
    tx, ty = math.sin(a), math.cos(a)             # clockwise along the circle
    # The tip leans inwards a little so the head follows the curve.
    tip = (ex + tx * head * 1.1 - ux * head * 0.2, ey + ty * head * 1.1 - uy * head * 0.2)
    spike = polygon([(ex + ux * head, ey + uy * head), tip, (ex - ux * head, ey - uy * head)])
    return union(arc(cx, cy, radius, start, sweep, half), spike)


def refresh(n):
    # No dark outline: at 16 pixels it would eat half of each stroke, and the
    # two colours are dark enough to stand on white and grey by themselves.
    p = Picture(n)
    c = n / 2
    radius = 0.32 * n
    half = max(1.0, 0.07 * n)
    head = 0.19 * n
    # Heads at the east and west points, so they point straight down and up.
    top = arrow_arc(c, c, radius, 0, 125, half, head)
    bottom = arrow_arc(c, c, radius, 180, 125, half, head)
    p.fill(top, linear(0, 0, (50, 140, 240), 0, c, (20, 80, 200)))
    p.fill(bottom, linear(0, c, (60, 185, 60), 0, n, (15, 125, 35)))
    return p


IMAGES = (banned, disabled, enabled, registry, exit_mark, document, about, globe, execute, refresh)


# --- The program icon ----------------------------------------------------------


def shield_outline(left, right, top, bottom, shoulder, steps=16):
    """Points of a shield: straight sides down to `shoulder`, then arcs meeting at the bottom."""
    mid = (left + right) / 2
    w, h = right - mid, bottom - shoulder
    big = (w * w + h * h) / (2 * w)        # radius of the circle through side and point
    end = math.atan2(h, mid - (right - big))
    pts = [(left, top), (right, top)]
    for k in range(steps + 1):
        t = end * k / steps
        pts.append((right - big + big * math.cos(t), shoulder + big * math.sin(t)))
    for k in range(steps - 1, -1, -1):
        t = end * k / steps
        pts.append((left + big - big * math.cos(t), shoulder + big * math.sin(t)))
    return pts


def icon(n):
    p = Picture(n)
    m = max(1, round(n * 0.04))
    edge = max(1, round(n / 48))
    rr = 0.07 * n
    outline = shield_outline(m + rr, n - m - rr, m + rr, n - m * 0.5 - rr, 0.4 * n, steps=max(8, n // 8))
    shield = polygon(outline, rr)
    body = linear(0, m, (70, 150, 245), 0, n, (16, 70, 185))
    p.outlined(shield, body, (8, 40, 110), edge)
    if n >= 32:
        # A lighter left half gives the big sizes some depth; small ones are
        # clearer flat.
        p.fill(intersect(grow(shield, -edge), lambda x, y: x - n / 2), (255, 255, 255, 28))
    # Power symbol: a broken ring with a bar through the gap.
    sw = max(2, round(n * 0.125))
    c = centre_for(sw, n)
    cy = round(0.5 * n)
    ring = 0.24 * n
    # The gap must leave clear space either side of the bar even at 16 pixels.
    clear = max(1.0, 0.03 * n)
    gap = 2 * math.degrees(math.asin(min(1.0, (sw + clear) / ring)))
    p.fill(arc(c, cy, ring, 90 + gap / 2, 360 - gap, sw / 2), WHITE)
    p.fill(capsule(c, cy - ring - 0.1 * n, c, cy - 0.04 * n, sw / 2), WHITE)
    return p


# --- File formats --------------------------------------------------------------


def png(width, height, rgba_rows, alpha=True):
    """A PNG from rows of RGBA bytes (the alpha is dropped when alpha is False)."""
    raw = bytearray()
    for row in rgba_rows:
        raw.append(0)
        if alpha:
            raw += row
        else:
            for k in range(0, len(row), 4):
                raw += row[k:k + 3]

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    header = struct.pack(">IIBBBBB", width, height, 8, 6 if alpha else 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(bytes(raw), 9))
            + chunk(b"IEND", b""))


def bgra_bottom_up(width, height, rgba):
    out = bytearray()
    for j in range(height - 1, -1, -1):
        row = rgba[j * width * 4:(j + 1) * width * 4]
        for k in range(0, len(row), 4):
            out += bytes((row[k + 2], row[k + 1], row[k], row[k + 3]))
    return bytes(out)


def info_header(width, height, image_size):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, 32, 0, image_size, 2835, 2835, 0, 0)


def bmp(width, height, rgba):
    pixels = bgra_bottom_up(width, height, rgba)
    offset = 14 + 40
    return (b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset)
            + info_header(width, height, len(pixels)) + pixels)


def ico_dib(n, rgba):
    colour = bgra_bottom_up(n, n, rgba)
    stride = (n + 31) // 32 * 4
    mask = bytearray()
    for j in range(n - 1, -1, -1):
        row = bytearray(stride)
        for i in range(n):
            if rgba[(j * n + i) * 4 + 3] == 0:
                row[i // 8] |= 0x80 >> (i % 8)
        mask += row
    # The height counts the colour and mask halves together.
    return info_header(n, 2 * n, len(colour) + len(mask)) + colour + mask


def ico(images):
    """images: (size, rgba) pairs; 256 goes in as PNG, the rest as DIBs."""
    blobs = []
    for n, rgba in images:
        if n >= 256:
            blobs.append(png(n, n, [rgba[j * n * 4:(j + 1) * n * 4] for j in range(n)]))
        else:
            blobs.append(ico_dib(n, rgba))
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for (n, _), blob in zip(images, blobs):
        side = 0 if n >= 256 else n
        out += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    return out + b"".join(blobs)


# --- Preview sheet -------------------------------------------------------------


class Sheet:
    def __init__(self, width, height, colour):
        self.w, self.h = width, height
        self.px = bytearray(bytes(colour) * (width * height))

    def box(self, x, y, w, h, colour):
        for j in range(y, y + h):
            self.px[(j * self.w + x) * 3:(j * self.w + x + w) * 3] = bytes(colour) * w

    def paste(self, x, y, n, rgba, zoom, stride=None):
        """Blends straight-alpha pixels over the sheet, each one a zoom x zoom block."""
        stride = stride or n
        for j in range(n):
            for i in range(n):
                o = (j * stride + i) * 4
                a = rgba[o + 3] / 255
                for dy in range(zoom):
                    base = ((y + j * zoom + dy) * self.w + x + i * zoom) * 3
                    for dx in range(zoom):
                        q = base + dx * 3
                        for k in range(3):
                            self.px[q + k] = round(rgba[o + k] * a + self.px[q + k] * (1 - a))

    def png(self):
        rows = []
        for j in range(self.h):
            row = bytearray()
            line = self.px[j * self.w * 3:(j + 1) * self.w * 3]
            for k in range(0, len(line), 3):
                row += line[k:k + 3] + b"\xff"
            rows.append(row)
        return png(self.w, self.h, rows, alpha=False)


def preview(strips, icons, zoom=2):
    gap = 6
    pad = 12
    strip_w = max(STRIP_TILES * (n + gap) for n in strips) * zoom
    icon_w = sum(n + gap for n, _ in icons) * zoom
    width = max(strip_w, icon_w) + 2 * pad
    height = pad
    for n in strips:
        height += 2 * (n + 2 * gap) * zoom + pad
    big = max(n for n, _ in icons)
    height += 2 * (big + 2 * gap) * zoom + pad
    sheet = Sheet(width, height, (128, 128, 128))
    y = pad
    for n, rgba in strips.items():
        for background in (LIST_GREY, WHITE):
            h = (n + 2 * gap) * zoom
            sheet.box(pad, y, width - 2 * pad, h, background)
            for k in range(STRIP_TILES):
                sheet.paste(pad + (gap + k * (n + gap)) * zoom, y + gap * zoom,
                            n, rgba[k * n * 4:], zoom, stride=STRIP_TILES * n)
            y += h
        y += pad
    for background in (LIST_GREY, WHITE):
        h = (big + 2 * gap) * zoom
        sheet.box(pad, y, width - 2 * pad, h, background)
        x = pad + gap * zoom
        for n, rgba in icons:
            sheet.paste(x, y + gap * zoom + (big - n) * zoom, n, rgba, zoom)
            x += (n + gap) * zoom
        y += h
    return sheet.png()


# --- Main ----------------------------------------------------------------------


# The list's and menus' images, then the program's own at the same size: one strip is one image list.
STRIP_TILES = len(IMAGES) + 1


def strip(n):
    """Every tile of the strip side by side, as one STRIP_TILES * n x n RGBA buffer."""
    tiles = [draw(n).render() for draw in IMAGES] + [icon(n).render()]
    out = bytearray()
    for j in range(n):
        for tile in tiles:
            out += tile[j * n * 4:(j + 1) * n * 4]
    return out


def write(name, data):
    path = os.path.join(RES, name)
    with open(path, "wb") as f:
        f.write(data)
    print(f"{os.path.relpath(path, ROOT)}: {len(data)} bytes")


def main():
    os.makedirs(RES, exist_ok=True)
    strips = {}
    for n in STRIP_SIZES:
        strips[n] = strip(n)
        write(f"images-{n}.bmp", bmp(STRIP_TILES * n, n, strips[n]))
    icons = [(n, icon(n).render(8 if n < 256 else 4)) for n in ICON_SIZES]
    write("quorvel.ico", ico(icons))
    write("art-preview.png", preview(strips, icons))


if __name__ == "__main__":
    main()
