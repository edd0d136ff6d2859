"""A small software rasteriser for the launcher's artwork: anti-aliased polygon masks, value
noise, blurs, and writers for BMP, ICO and PNG. Standard library only, so the build needs
nothing but python3.

Colours are (r, g, b) tuples of floats in 0..1; images keep one list of floats per channel.
Masks are flat lists of coverage values (0..1), row-major, the size of the image.
"""

import math
import random
import struct
import zlib

def clamp01(v):
    return 0.0 if v < 0.0 else 1.0 if v > 1.0 else v


def mix(a, b, t):
    return a + (b - a) * t


def mix3(c1, c2, t):
    return (mix(c1[0], c2[0], t), mix(c1[1], c2[1], t), mix(c1[2], c2[2], t))


def hexc(code):
    """'#rrggbb' to a colour."""
    code = code.lstrip('#')
    return tuple(int(code[i:i + 2], 16) / 255.0 for i in (0, 2, 4))


def smoothstep(e0, e1, x):
    t = clamp01((x - e0) / (e1 - e0)) if e1 != e0 else (1.0 if x >= e1 else 0.0)
    return t * t * (3.0 - 2.0 * t)


def gradient(stops, t):
    """Colour at t (0..1) along [(position, colour), ...] sorted by position."""
    if t <= stops[0][0]:
        return stops[0][1]
    for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
        if t <= p1:
            return mix3(c0, c1, (t - p0) / (p1 - p0) if p1 > p0 else 1.0)
    return stops[-1][1]


class Image:
    def __init__(self, width, height, colour=(0.0, 0.0, 0.0)):
        self.w = width
        self.h = height
        n = width * height
        self.r = [colour[0]] * n
        self.g = [colour[1]] * n
        self.b = [colour[2]] * n

    def fill(self, fn):
        """Set every pixel to fn(x, y) (pixel centres, in pixels)."""
        i = 0
        for y in range(self.h):
            for x in range(self.w):
                c = fn(x + 0.5, y + 0.5)
                self.r[i], self.g[i], self.b[i] = c
                i += 1

    def blend(self, mask, colour, opacity=1.0):
        """Paint colour through mask; colour is a tuple or fn(x, y) -> tuple."""
        w = self.w
        const = not callable(colour)
        for i, a in enumerate(mask):
            if a <= 0.0:
                continue
            a *= opacity
            c = colour if const else colour(i % w + 0.5, i // w + 0.5)
            self.r[i] += (c[0] - self.r[i]) * a
            self.g[i] += (c[1] - self.g[i]) * a
            self.b[i] += (c[2] - self.b[i]) * a

    def add(self, mask, colour, opacity=1.0):
        """Light added through mask (glows, stars)."""
        for i, a in enumerate(mask):
            if a > 0.0:
                a *= opacity
                self.r[i] += colour[0] * a
                self.g[i] += colour[1] * a
                self.b[i] += colour[2] * a

    def multiply(self, fn):
        """Scale every pixel by fn(x, y) (vignettes, shading)."""
        i = 0
        for y in range(self.h):
            for x in range(self.w):
                k = fn(x + 0.5, y + 0.5)
                self.r[i] *= k
                self.g[i] *= k
                self.b[i] *= k
                i += 1

    def paste(self, other, ox, oy):
        for y in range(other.h):
            for x in range(other.w):
                j = y * other.w + x
                i = (y + oy) * self.w + x + ox
                self.r[i], self.g[i], self.b[i] = other.r[j], other.g[j], other.b[j]

    def bytes_bgr_rows(self):
        """Rows of 8-bit BGR, top row first."""
        rows = []
        for y in range(self.h):
            row = bytearray(self.w * 3)
            base = y * self.w
            for x in range(self.w):
                i = base + x
                row[3 * x] = _byte(self.b[i])
                row[3 * x + 1] = _byte(self.g[i])
                row[3 * x + 2] = _byte(self.r[i])
            rows.append(bytes(row))
        return rows


def _byte(v):
    v = int(v * 255.0 + 0.5)
    return 0 if v < 0 else 255 if v > 255 else v


# ---------------------------------------------------------------- polygon masks

def _orient_ccw(points):
    area = 0.0
    for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]):
        area += x0 * y1 - x1 * y0
    return points if area >= 0 else list(reversed(points))


def mask_polygons(w, h, polygons, samples=5, nonzero=True):
    """Coverage of the union of polygons (lists of (x, y)); exact horizontally, `samples`
    sub-rows vertically. Nonzero winding unless told otherwise (even-odd makes holes of
    inner contours whatever their direction)."""
    edges = []
    for poly in polygons:
        n = len(poly)
        for k in range(n):
            x0, y0 = poly[k]
            x1, y1 = poly[(k + 1) % n]
            if y0 == y1:
                continue
            d = 1 if y1 > y0 else -1
            if y0 > y1:
                x0, y0, x1, y1 = x1, y1, x0, y0
            edges.append((y0, y1, x0, (x1 - x0) / (y1 - y0), d))
    mask = [0.0] * (w * h)
    if not edges:
        return mask
    ymin = max(0, int(math.floor(min(e[0] for e in edges))))
    ymax = min(h, int(math.ceil(max(e[1] for e in edges))))
    weight = 1.0 / samples
    for y in range(ymin, ymax):
        delta = [0.0] * (w + 2)
        touched = False
        for s in range(samples):
            sy = y + (s + 0.5) / samples
            xs = []
            for (ey0, ey1, ex0, slope, d) in edges:
                if ey0 <= sy < ey1:
                    xs.append((ex0 + (sy - ey0) * slope, d))
            if not xs:
                continue
            xs.sort()
            spans = []
            if nonzero:
                wind = 0
                start = 0.0
                for x, d in xs:
                    before = wind
                    wind += d
                    if before == 0 and wind != 0:
                        start = x
                    elif before != 0 and wind == 0:
                        spans.append((start, x))
            else:
                for k in range(0, len(xs) - 1, 2):
                    spans.append((xs[k][0], xs[k + 1][0]))
            for a, b in spans:
                a = min(max(a, 0.0), float(w))
                b = min(max(b, 0.0), float(w))
                if b <= a:
                    continue
                ia, ib = int(a), int(b)
                fa, fb = a - ia, b - ib
                delta[ia] += (1.0 - fa) * weight
                delta[ia + 1] += fa * weight
                delta[ib] -= (1.0 - fb) * weight
                delta[ib + 1] -= fb * weight
                touched = True
        if not touched:
            continue
        acc = 0.0
        base = y * w
        for x in range(w):
            acc += delta[x]
            if acc > 1e-6:
                mask[base + x] = acc if acc < 1.0 else 1.0
    return mask


def ellipse(cx, cy, rx, ry, steps=None):
    steps = steps or max(24, int(max(rx, ry) * 2.5))
    return [(cx + rx * math.cos(2 * math.pi * k / steps), cy + ry * math.sin(2 * math.pi * k / steps))
            for k in range(steps)]


def rect(x0, y0, x1, y1):
    return [(x0, y0), (x1, y0), (x1, y1), (x0, y1)]


def stroke(points, width, closed=False):
    """Polygons covering a polyline of the given width (round joins)."""
    half = width / 2.0
    polys = []
    pts = points + points[:1] if closed else points
    for (x0, y0), (x1, y1) in zip(pts, pts[1:]):
        dx, dy = x1 - x0, y1 - y0
        length = math.hypot(dx, dy)
        if length == 0:
            continue
        nx, ny = -dy / length * half, dx / length * half
        polys.append(_orient_ccw([(x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)]))
    if width > 1.2:
        for x, y in pts:
            polys.append(_orient_ccw(ellipse(x, y, half, half, 12)))
    return polys


def ccw(polys):
    """Orient every contour the same way, so nonzero winding gives their union."""
    return [_orient_ccw(p) for p in polys]


def mask_sub(a, b):
    return [x - y if x > y else 0.0 for x, y in zip(a, b)]


def mask_shift(mask, w, h, dx, dy):
    out = [0.0] * (w * h)
    for y in range(h):
        sy = y - dy
        if 0 <= sy < h:
            for x in range(w):
                sx = x - dx
                if 0 <= sx < w:
                    out[y * w + x] = mask[sy * w + sx]
    return out


def blur(mask, w, h, radius):
    """Box blur, three passes (close to a Gaussian)."""
    if radius < 1:
        return list(mask)
    for _ in range(3):
        mask = _box_h(mask, w, h, radius)
        mask = _transpose(_box_h(_transpose(mask, w, h), h, w, radius), h, w)
    return mask


def _box_h(mask, w, h, r):
    out = [0.0] * (w * h)
    k = 1.0 / (2 * r + 1)
    for y in range(h):
        base = y * w
        row = mask[base:base + w]
        acc = sum(row[0:min(w, r + 1)]) + row[0] * r
        for x in range(w):
            out[base + x] = acc * k
            add = row[x + r + 1] if x + r + 1 < w else row[w - 1]
            sub = row[x - r] if x - r >= 0 else row[0]
            acc += add - sub
    return out


def _transpose(mask, w, h):
    out = [0.0] * (w * h)
    for y in range(h):
        base = y * w
        for x in range(w):
            out[x * h + y] = mask[base + x]
    return out


# ---------------------------------------------------------------- noise

class ValueNoise:
    """Smoothly interpolated lattice noise with octaves; deterministic for a seed."""

    def __init__(self, seed, size=64):
        rnd = random.Random(seed)
        self.size = size
        self.grid = [[rnd.random() for _ in range(size)] for _ in range(size)]

    def value(self, x, y):
        s = self.size
        xi, yi = int(math.floor(x)), int(math.floor(y))
        tx, ty = x - xi, y - yi
        tx = tx * tx * (3 - 2 * tx)
        ty = ty * ty * (3 - 2 * ty)
        g = self.grid
        x0, x1 = xi % s, (xi + 1) % s
        y0, y1 = yi % s, (yi + 1) % s
        a = g[y0][x0] + (g[y0][x1] - g[y0][x0]) * tx
        b = g[y1][x0] + (g[y1][x1] - g[y1][x0]) * tx
        return a + (b - a) * ty

    def fbm(self, x, y, octaves=4, lacunarity=2.0, gain=0.5):
        total, amp, norm = 0.0, 1.0, 0.0
        for _ in range(octaves):
            total += self.value(x, y) * amp
            norm += amp
            x *= lacunarity
            y *= lacunarity
            amp *= gain
        return total / norm

# ---------------------------------------------------------------- writers

def write_bmp(path, image):
    """24-bit uncompressed Windows bitmap."""
    rows = image.bytes_bgr_rows()
    stride = (image.w * 3 + 3) & ~3
    pad = b'\0' * (stride - image.w * 3)
    pixels = b''.join(row + pad for row in reversed(rows))
    header = struct.pack('<IiiHHIIiiII', 40, image.w, image.h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, 'wb') as f:
        f.write(b'BM' + struct.pack('<IHHI', 14 + len(header) + len(pixels), 0, 0, 14 + len(header)))
        f.write(header)
        f.write(pixels)


def _rgba_rows(image, alpha):
    rows = []
    for y in range(image.h):
        row = bytearray()
        for x in range(image.w):
            i = y * image.w + x
            row += bytes((_byte(image.r[i]), _byte(image.g[i]), _byte(image.b[i]), _byte(alpha[i])))
        rows.append(bytes(row))
    return rows


def png_bytes(image, alpha=None):
    alpha = alpha if alpha is not None else [1.0] * (image.w * image.h)
    raw = b''.join(b'\0' + row for row in _rgba_rows(image, alpha))

    def chunk(tag, data):
        return struct.pack('>I', len(data)) + tag + data + struct.pack('>I', zlib.crc32(tag + data) & 0xFFFFFFFF)

    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', image.w, image.h, 8, 6, 0, 0, 0))
            + chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


def _icon_dib(image, alpha):
    """32-bit BGRA icon image with its (all-visible) AND mask; height doubled as icons want."""
    rows = _rgba_rows(image, alpha)
    bgra = b''.join(bytes(row[i + k] for i in range(0, len(row), 4) for k in (2, 1, 0, 3))
                    for row in reversed(rows))
    mask_stride = ((image.w + 31) // 32) * 4
    and_mask = b'\0' * (mask_stride * image.h)
    header = struct.pack('<IiiHHIIiiII', 40, image.w, image.h * 2, 1, 32, 0, len(bgra) + len(and_mask), 0, 0, 0, 0)
    return header + bgra + and_mask


def write_ico(path, entries):
    """entries: [(Image, alpha mask)]; 256-pixel images are stored as PNG, the rest as DIBs."""
    blobs = [png_bytes(img, a) if img.w >= 256 else _icon_dib(img, a) for img, a in entries]
    out = struct.pack('<HHH', 0, 1, len(entries))
    offset = 6 + 16 * len(entries)
    for (img, _), blob in zip(entries, blobs):
        out += struct.pack('<BBBBHHII', img.w % 256, img.h % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    with open(path, 'wb') as f:
        f.write(out + b''.join(blobs))
