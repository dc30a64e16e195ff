#!/usr/bin/env python3
"""Draw the bundled pictures (LEDs, tool-bar icons, application icon) and
the application icon for the desktop's icon theme at the usual sizes.

Standard library only: shapes are signed distance functions, pixels near an
edge are supersampled for antialiasing, and the PNG/ICO files are written
with zlib and struct.  The output is a pure function of this file, so running
it twice gives identical bytes.

Usage: python3 tools/gen_images.py [FORM_DIR [ICON_DIR]]
(defaults: window/form/ and packaging/icons/ beside tools/)
"""

import math
import os
import struct
import sys
import zlib

# Samples per axis for pixels that an edge passes through.
SS = 6
# Half the diagonal of a pixel: farther than this from an edge, a pixel is
# entirely inside or outside a shape and needs no supersampling.
HALF_DIAG = 0.7072


# ---------------------------------------------------------------------------
# Shapes: each is a function (x, y) -> signed distance in pixels, negative
# inside.  Combinations by min/max never overestimate the distance, which is
# all the edge test above needs.

def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def ellipse_approx(cx, cy, rx, ry):
    # Scaled circle; the distance is exact on the axes and close enough
    # elsewhere for the soft highlight it is used for.
    k = min(rx, ry)
    return lambda x, y: (math.hypot((x - cx) / rx, (y - cy) / ry) - 1.0) * k


def ring(cx, cy, r, w):
    h = w / 2.0
    return lambda x, y: abs(math.hypot(x - cx, y - cy) - r) - h


def _seg_dist(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    ll = dx * dx + dy * dy
    t = 0.0 if ll == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / ll))
    return math.hypot(px - ax - t * dx, py - ay - t * dy)


def polyline(points, w, closed=False):
    """Stroke with round caps and joins."""
    pts = list(points)
    if closed:
        pts.append(pts[0])
    segs = list(zip(pts, pts[1:]))
    h = w / 2.0

    def f(x, y):
        return min(_seg_dist(x, y, a[0], a[1], b[0], b[1]) for a, b in segs) - h
    return f


def polygon(points):
    """Filled polygon (even-odd rule)."""
    pts = list(points)
    edges = list(zip(pts, pts[1:] + pts[:1]))

    def f(x, y):
        d = min(_seg_dist(x, y, a[0], a[1], b[0], b[1]) for a, b in edges)
        inside = False
        for (ax, ay), (bx, by) in edges:
            if (ay > y) != (by > y):
                if x < ax + (y - ay) * (bx - ax) / (by - ay):
                    inside = not inside
        return -d if inside else d
    return f


def rect(x0, y0, x1, y1, r=0.0):
    """Filled rectangle with corner radius r."""
    cx, cy = (x0 + x1) / 2.0, (y0 + y1) / 2.0
    hx, hy = (x1 - x0) / 2.0 - r, (y1 - y0) / 2.0 - r

    def f(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - r
    return f


def outline(shape, w):
    """Stroke centred on the edge of a filled shape."""
    h = w / 2.0
    return lambda x, y: abs(shape(x, y)) - h


def arc(cx, cy, r, w, a0, a1):
    """Stroke of a circular arc from angle a0 to a1 (degrees, counter-clockwise
    on screen, 0 = east) with round caps."""
    h = w / 2.0
    s0, s1 = math.radians(a0), math.radians(a1)
    span = (s1 - s0) % (2 * math.pi)
    p0 = (cx + r * math.cos(s0), cy - r * math.sin(s0))
    p1 = (cx + r * math.cos(s1), cy - r * math.sin(s1))

    def f(x, y):
        ang = math.atan2(cy - y, x - cx)
        if (ang - s0) % (2 * math.pi) <= span:
            d = abs(math.hypot(x - cx, y - cy) - r)
        else:
            d = min(math.hypot(x - p0[0], y - p0[1]), math.hypot(x - p1[0], y - p1[1]))
        return d - h
    return f


def union(*shapes):
    return lambda x, y: min(s(x, y) for s in shapes)


def subtract(a, b):
    return lambda x, y: max(a(x, y), -b(x, y))


# ---------------------------------------------------------------------------
# Rendering

class Canvas:
    """Straight-alpha RGBA float canvas; layers are composited 'over'."""

    def __init__(self, w, h):
        self.w, self.h = w, h
        self.px = [[0.0, 0.0, 0.0, 0.0] for _ in range(w * h)]

    def coverage(self, shape, x, y):
        d = shape(x + 0.5, y + 0.5)
        if d >= HALF_DIAG:
            return 0.0
        if d <= -HALF_DIAG:
            return 1.0
        n = 0
        for j in range(SS):
            sy = y + (j + 0.5) / SS
            for i in range(SS):
                if shape(x + (i + 0.5) / SS, sy) < 0.0:
                    n += 1
        return n / float(SS * SS)

    def fill(self, shape, colour, bbox=None):
        """Paint shape with colour, a tuple (r, g, b, a) in 0..1 or a function
        (x, y) -> such a tuple for shaded fills."""
        x0, y0, x1, y1 = bbox if bbox else (0, 0, self.w, self.h)
        x0, y0 = max(0, int(x0)), max(0, int(y0))
        x1, y1 = min(self.w, int(math.ceil(x1))), min(self.h, int(math.ceil(y1)))
        for y in range(y0, y1):
            row = y * self.w
            for x in range(x0, x1):
                c = self.coverage(shape, x, y)
                if c <= 0.0:
                    continue
                r, g, b, a = colour(x + 0.5, y + 0.5) if callable(colour) else colour
                self._over(row + x, r, g, b, a * c)

    def _over(self, i, r, g, b, a):
        p = self.px[i]
        da = p[3]
        oa = a + da * (1.0 - a)
        if oa <= 0.0:
            return
        k = da * (1.0 - a)
        p[0] = (r * a + p[0] * k) / oa
        p[1] = (g * a + p[1] * k) / oa
        p[2] = (b * a + p[2] * k) / oa
        p[3] = oa

    def rgba_rows(self):
        def q(v):
            return max(0, min(255, int(round(v * 255.0))))
        rows = []
        for y in range(self.h):
            row = bytearray()
            for x in range(self.w):
                r, g, b, a = self.px[y * self.w + x]
                if q(a) == 0:
                    row += b"\0\0\0\0"
                else:
                    row += bytes((q(r), q(g), q(b), q(a)))
            rows.append(bytes(row))
        return rows


class ScaledCanvas(Canvas):
    """A size x size canvas that takes drawing made for a design x design
    one: shapes are evaluated at the design's coordinates and their
    distances brought back to this canvas's pixels, so edges stay
    antialiased at every size."""

    def __init__(self, size, design):
        Canvas.__init__(self, size, size)
        self.k = design / float(size)

    def fill(self, shape, colour, bbox=None):
        k = self.k
        scaled = lambda x, y: shape(x * k, y * k) / k
        paint = (lambda x, y: colour(x * k, y * k)) if callable(colour) else colour
        box = tuple(v / k for v in bbox) if bbox else None
        Canvas.fill(self, scaled, paint, box)


def png_bytes(canvas):
    def chunk(tag, data):
        return (struct.pack(">I", len(data)) + tag + data
                + struct.pack(">I", zlib.crc32(tag + data) & 0xFFFFFFFF))
    raw = b"".join(b"\0" + row for row in canvas.rgba_rows())
    ihdr = struct.pack(">IIBBBBB", canvas.w, canvas.h, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr)
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def ico_bytes(png, size):
    # One directory entry holding a PNG-compressed 32-bit image; 0 means 256.
    dim = 0 if size >= 256 else size
    header = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(png), 6 + 16)
    return header + entry + png


# ---------------------------------------------------------------------------
# Pictures

WHITE = (0.96, 0.96, 0.96, 1.0)
LIGHT_GREY = (0.80, 0.80, 0.80, 1.0)
ICON = 256
STROKE = 18


def mix(a, b, t):
    t = max(0.0, min(1.0, t))
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(len(a)))


def led(core, mid, edge):
    """A glossy LED ball in a dark bezel; colours are (r, g, b) in 0..1."""
    size, c = 200, 100.0
    cv = Canvas(size, size)

    # Bezel: brushed ring, lighter at the top.
    def bezel(x, y):
        t = (y - (c - 98)) / 196.0
        return mix((0.62, 0.62, 0.64, 1.0), (0.16, 0.16, 0.17, 1.0), t)
    cv.fill(circle(c, c, 98), bezel)
    cv.fill(circle(c, c, 88), (0.08, 0.08, 0.08, 1.0))

    # Ball: radial shading with the light source above the centre.
    lx, ly, rad = c, c + 8, 84.0

    def ball(x, y):
        t = math.hypot(x - lx, y - ly) / (rad + 8)
        col = mix(core, mid, t / 0.6) if t < 0.6 else mix(mid, edge, (t - 0.6) / 0.4)
        return col + (1.0,)
    cv.fill(circle(c, c, rad), ball)

    # Glow reflected off the bottom of the dome.
    def glow(x, y):
        t = (y - (c + 30)) / 50.0
        return mix(core, (1.0, 1.0, 1.0), 0.25) + (0.55 * max(0.0, min(1.0, t)),)
    cv.fill(subtract(circle(c, c, 76), circle(c, c - 14, 80)), glow,
            bbox=(0, c, size, size))

    # Gloss: a white cap fading downward.
    def gloss(x, y):
        t = (y - (c - 78)) / 62.0
        return (1.0, 1.0, 1.0, 0.85 * (1.0 - max(0.0, min(1.0, t))) + 0.05)
    cv.fill(ellipse_approx(c, c - 46, 54, 34), gloss, bbox=(40, 10, 160, 90))
    return cv


def tray():
    return polyline([(40, 150), (40, 214), (216, 214), (216, 150)], STROKE)


def icon_receive():
    cv = Canvas(ICON, ICON)
    arrow = union(polyline([(128, 30), (128, 160)], STROKE),
                  polyline([(78, 110), (128, 160), (178, 110)], STROKE))
    cv.fill(union(tray(), arrow), WHITE)
    return cv


def icon_send():
    cv = Canvas(ICON, ICON)
    arrow = union(polyline([(128, 166), (128, 36)], STROKE),
                  polyline([(78, 86), (128, 36), (178, 86)], STROKE))
    cv.fill(union(tray(), arrow), WHITE)
    return cv


def icon_open():
    cv = Canvas(ICON, ICON)
    back = polyline([(44, 200), (36, 192), (36, 64), (44, 56), (96, 56),
                     (116, 78), (196, 78), (204, 86), (204, 112)], STROKE - 2)
    front = outline(polygon([(40, 204), (76, 116), (232, 116), (196, 204)]), STROKE - 2)
    cv.fill(union(back, front), WHITE)
    return cv


def icon_save():
    cv = Canvas(ICON, ICON)
    body = outline(polygon([(40, 40), (184, 40), (216, 72), (216, 216), (40, 216)]), STROKE - 2)
    shutter = outline(rect(82, 40, 170, 100), STROKE - 4)
    slot = rect(136, 56, 154, 86, 3)
    label = outline(rect(72, 144, 184, 216), STROKE - 4)
    cv.fill(union(body, shutter, slot, label), WHITE)
    return cv


def icon_reset():
    cv = Canvas(ICON, ICON)
    c = 128.0
    # Counter-clockwise arrow inside a ring: the arc runs from the upper left
    # round the bottom to the top, where the head points back to the left.
    r, tail, head_at = 60.0, 150.0, 90.0
    body = arc(c, c, r, STROKE + 2, tail, head_at)
    ang = math.radians(head_at)
    end = (c + r * math.cos(ang), c - r * math.sin(ang))
    tx, ty = -math.sin(ang), -math.cos(ang)   # counter-clockwise on screen
    nx, ny = math.cos(ang), -math.sin(ang)    # outward
    head_len, head_w = 40.0, 32.0
    head = polygon([
        (end[0] + tx * head_len, end[1] + ty * head_len),
        (end[0] + nx * head_w, end[1] + ny * head_w),
        (end[0] - nx * head_w, end[1] - ny * head_w),
    ])
    cv.fill(union(ring(c, c, 110, 14), body, head), LIGHT_GREY)
    return cv


def icon_about():
    cv = Canvas(ICON, ICON)
    c = 128.0
    mark = union(circle(c, 78, 14), polyline([(c, 118), (c, 184)], 24))
    cv.fill(union(ring(c, c, 104, 16), mark), WHITE)
    return cv


def icon_app(cv=None):
    """A stylised handheld transmitter: body, two gimbals, antenna."""
    cv = cv or Canvas(ICON, ICON)
    cv.fill(polyline([(196, 84), (214, 18)], 12), (0.75, 0.75, 0.78, 1.0))
    cv.fill(circle(214, 18, 9), (0.85, 0.20, 0.20, 1.0))

    def body(x, y):
        return mix((0.33, 0.60, 0.95, 1.0), (0.10, 0.22, 0.45, 1.0), (y - 80) / 150.0)
    cv.fill(rect(20, 80, 236, 232, 34), body)
    cv.fill(outline(rect(20, 80, 236, 232, 34), 6), (0.92, 0.94, 1.0, 0.9))
    for gx in (76, 180):
        cv.fill(circle(gx, 164, 36), (0.07, 0.09, 0.14, 1.0))
        cv.fill(ring(gx, 164, 36, 4), (0.7, 0.75, 0.85, 1.0))
        cv.fill(polyline([(gx, 164), (gx + 8, 146)], 10), (0.6, 0.6, 0.65, 1.0))
        cv.fill(circle(gx + 8, 146, 10), (0.9, 0.9, 0.92, 1.0))
    cv.fill(rect(104, 100, 152, 124, 4), (0.08, 0.12, 0.10, 1.0))
    cv.fill(rect(108, 104, 148, 120, 2), (0.30, 0.85, 0.45, 1.0))
    return cv


RED = ((1.0, 0.42, 0.36), (0.86, 0.06, 0.04), (0.36, 0.0, 0.0))
GREEN = ((0.55, 1.0, 0.50), (0.10, 0.78, 0.12), (0.0, 0.28, 0.02))

PICTURES = [
    ("red.png", lambda: led(*RED)),
    ("green.png", lambda: led(*GREEN)),
    ("Receive.png", icon_receive),
    ("open.png", icon_open),
    ("save.png", icon_save),
    ("Send.png", icon_send),
    ("Reset.png", icon_reset),
    ("app.png", icon_app),
    ("about.png", icon_about),
]


# The icon theme's usual sizes; 256 is the bundled app.png itself.
THEME_SIZES = [16, 22, 24, 32, 48, 64, 128, 256]


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    form = argv[1] if len(argv) > 1 else os.path.join(here, os.pardir, "window", "form")
    icons = argv[2] if len(argv) > 2 else os.path.join(here, os.pardir, "packaging", "icons")
    images = os.path.join(form, "images")
    os.makedirs(images, exist_ok=True)
    app_png = None
    for name, draw in PICTURES:
        data = png_bytes(draw())
        with open(os.path.join(images, name), "wb") as f:
            f.write(data)
        if name == "app.png":
            app_png = data
        print("%-12s %6d bytes" % (name, len(data)))
    with open(os.path.join(form, "zqconfig.ico"), "wb") as f:
        f.write(ico_bytes(app_png, ICON))
    print("zqconfig.ico")
    os.makedirs(icons, exist_ok=True)
    for size in THEME_SIZES:
        data = app_png if size == ICON else png_bytes(icon_app(ScaledCanvas(size, ICON)))
        name = "zqconfig-%d.png" % size
        with open(os.path.join(icons, name), "wb") as f:
            f.write(data)
        print("%-17s %6d bytes" % (name, len(data)))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
