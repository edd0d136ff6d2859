#!/usr/bin/env python3
"""Draws the bitmaps and icons of local.dll and of the program file.

    generate.py <output folder> [scale percent: 100 (default), 125, 150 or 200]

Writes launcher.bmp (133), splash.bmp (134), sheet.bmp (139), video.bmp (140), language.bmp (141),
report.bmp (142), verdict.bmp (129), status.bmp (143), the two gold rules (150, 151) and, at 100 %,
tarnholm.ico (16 to 64 px and 256 px). At another scale the names end in -125, -150 or -200 and
every shape is drawn again at that size (nothing is resampled); local.rc gives them the ids of
ResourceIds.h's ART_SCALED_ID. Every picture is drawn from the code below (no input files), the
same bytes on every run.

Backgrounds are drawn at the pixel size their window has with the dialog font at 96 DPI and are
stretched by the windows to whatever size they really have; the panels painted into the page
backgrounds are placed in dialog units, so they stay behind their controls at any DPI.
"""

import math
import os
import random
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from raster import (Image, ValueNoise, blur, ccw, clamp01, ellipse, gradient, hexc,  # noqa: E402
                    mask_polygons, mask_shift, mask_sub, mix3, rect, smoothstep, stroke,
                    write_bmp, write_ico)
import shapes  # noqa: E402

# Palette of the skin: night blues, slate, old gold, and the verdict colours.
NIGHT = hexc('#05070c')
SLATE_DARK = hexc('#0b0f16')
SLATE = hexc('#161d29')
SLATE_LIGHT = hexc('#222c3b')
MIST = hexc('#5d6e88')
GOLD_LIGHT = hexc('#f7e6ad')
GOLD = hexc('#d4a651')
GOLD_DARK = hexc('#7c5722')
GOLD_DIM = hexc('#8a6d38')
EMBER = hexc('#ffb04a')
MOON = hexc('#f2ead2')
WHITE = (1.0, 1.0, 1.0)
GREEN = hexc('#3f9a4a')
RED = hexc('#b8332c')
AMBER = hexc('#d2781e')
GREY = hexc('#8a9099')

# Dialog units to pixels for the dialog font at 96 DPI.
DLU_X = 1.5
DLU_Y = 1.5


def dlu_rect(x, y, w, h):
    return (x * DLU_X, y * DLU_Y, (x + w) * DLU_X, (y + h) * DLU_Y)


def scaled(v, s):
    """A pixel size at 100 % at scale s, rounded to the nearest pixel."""
    return int(v * s + 0.5)


def ipx(v, s):
    """A whole-pixel figure at 100 % (a blur radius, a shift) at scale s, never below one."""
    return max(1, int(round(v * s)))


# ---------------------------------------------------------------- shared decoration

def textured(img, seed, top, bottom, grain=0.09, scale=60.0, s=1.0):
    """Vertical gradient broken up by soft mottling, like worn slate."""
    noise = ValueNoise(seed)
    fine = ValueNoise(seed + 1)
    h = img.h

    def colour(x, y):
        base = mix3(top, bottom, y / h)
        k = 1.0 + grain * (noise.fbm(x / (scale * s), y / (scale * s), 4) - 0.5) * 2.0 \
            + 0.025 * (fine.value(x / (2.3 * s), y / (2.3 * s)) - 0.5)
        return (base[0] * k, base[1] * k, base[2] * k)

    img.fill(colour)


def vignette(img, strength=0.55, softness=0.75):
    cx, cy = img.w / 2.0, img.h / 2.0

    def k(x, y):
        d = math.hypot((x - cx) / cx, (y - cy) / cy) / math.sqrt(2)
        return 1.0 - strength * smoothstep(1.0 - softness, 1.05, d)

    img.multiply(k)


def frame(img, inset=3, colour=GOLD_DIM, corner=9, s=1.0):
    """Hairline double border with small diamonds in the corners."""
    w, h = img.w, img.h
    inset, corner = inset * s, corner * s
    half = 0.5 * s
    polys = []
    for d, width in ((inset, 1.0 * s), (inset + 3 * s, 1.0 * s)):
        polys += stroke([(d + half, d + half), (w - d - half, d + half), (w - d - half, h - d - half),
                         (d + half, h - d - half)], width, closed=True)
    c = inset + 1.5 * s
    for x, y in ((c, c), (w - c, c), (w - c, h - c), (c, h - c)):
        polys += ccw([[(x, y - corner / 2), (x + corner / 2, y), (x, y + corner / 2), (x - corner / 2, y)]])
    img.blend(mask_polygons(w, h, polys), colour, 0.9)
    # A dark line outside the gold keeps the edge crisp on any desktop.
    img.blend(mask_polygons(w, h, stroke([(half, half), (w - half, half), (w - half, h - half), (half, h - half)],
                                         1.0 * s, closed=True)), NIGHT)


def panel(img, box, radius=6, opacity=0.45, s=1.0):
    """A darker, gold-edged panel behind a group of controls."""
    x0, y0, x1, y1 = box
    r = radius * s
    pts = []
    for cx, cy, a0 in ((x1 - r, y0 + r, -90), (x1 - r, y1 - r, 0), (x0 + r, y1 - r, 90), (x0 + r, y0 + r, 180)):
        pts += [(cx + r * math.cos(math.radians(a0 + 90 * k / 6)), cy + r * math.sin(math.radians(a0 + 90 * k / 6)))
                for k in range(7)]
    body = mask_polygons(img.w, img.h, ccw([pts]))
    img.blend(blur(mask_shift(body, img.w, img.h, 0, ipx(3, s)), img.w, img.h, ipx(4, s)), NIGHT, 0.5)
    img.blend(body, SLATE_DARK, opacity)
    edge = mask_polygons(img.w, img.h, stroke(pts, 1.0 * s, closed=True))
    img.blend(edge, GOLD_DIM, 0.55)


def watermark(img, polys, colour, opacity, glow=0):
    m = mask_polygons(img.w, img.h, polys)
    if glow:
        img.add(blur(m, img.w, img.h, glow), colour, opacity * 0.5)
    img.blend(m, colour, opacity)


def ornament_rule(img, cx, y, half, gap=10, colour=GOLD, s=1.0):
    """Two gold rules with a diamond between them, under a heading."""
    gap *= s
    polys = stroke([(cx - half, y), (cx - gap, y)], 1.2 * s) + stroke([(cx + gap, y), (cx + half, y)], 1.2 * s)
    polys += ccw([[(cx, y - 4 * s), (cx + 5 * s, y), (cx, y + 4 * s), (cx - 5 * s, y)]])
    m = mask_polygons(img.w, img.h, polys)
    img.blend(m, colour, 0.95)


def gold_title(img, text, cap, top, s=1.0):
    """The game's name in engraved gold capitals, centred."""
    w, h = img.w, img.h
    width = shapes.text_width(text) * cap / 100.0
    left = (w - width) / 2.0
    m = mask_polygons(w, h, shapes.title_polygons(text, left, top, cap), samples=6)
    img.add(blur(m, w, h, max(ipx(3, s), int(cap / 5))), hexc('#a0702a'), 0.35)
    img.blend(blur(mask_shift(m, w, h, ipx(2, s), ipx(3, s)), w, h, ipx(2, s)), NIGHT, 0.85)
    stops = [(0.0, GOLD_LIGHT), (0.42, GOLD), (0.55, GOLD_DARK), (0.7, GOLD), (1.0, GOLD_LIGHT)]
    img.blend(m, lambda x, y: gradient(stops, (y - top) / cap))
    edge = ipx(1, s)
    img.blend(mask_sub(m, mask_shift(m, w, h, edge, edge)), hexc('#fff6d8'), 0.8)
    img.blend(mask_sub(m, mask_shift(m, w, h, -edge, -edge)), hexc('#3d2a0e'), 0.7)
    return top + cap


# ---------------------------------------------------------------- the night scene

def night_scene(w, h, title_cap, seed=7, s=1.0):
    """A tower on an island in a mountain lake by moonlight, the game's name above it.
    w, h and title_cap are at 100 %; the picture is drawn at scale s."""
    w, h, title_cap = scaled(w, s), scaled(h, s), title_cap * s
    img = Image(w, h)
    rnd = random.Random(seed)
    horizon = 0.60 * h
    clouds = ValueNoise(seed + 11)
    moon = (0.84 * w, 0.31 * h, max(7.0 * s, 0.042 * h))
    sky_stops = [(0.0, NIGHT), (0.55, hexc('#0e1522')), (1.0, hexc('#27344a'))]

    def sky(x, y):
        if y > horizon:
            t = (y - horizon) / (h - horizon)
            return mix3(hexc('#111a28'), hexc('#04060a'), t ** 0.7)
        c = gradient(sky_stops, y / horizon)
        n = clouds.fbm(x / (w * 0.22), y / (h * 0.07), 4)
        cloud = smoothstep(0.52, 0.75, n) * 0.55
        lit = 1.0 - min(1.0, math.hypot(x - moon[0], y - moon[1]) / (0.45 * w))
        return mix3(c, mix3(hexc('#1c2533'), hexc('#5a6478'), lit * lit), cloud)

    img.fill(sky)

    # Stars, fewer towards the horizon; the brightest with a faint halo.
    stars = [0.0] * (w * h)
    for _ in range(int((w / s) * (h / s) / 260)):
        x, y = rnd.uniform(0, w), rnd.uniform(0, horizon) ** 1.15 / horizon ** 0.15
        b = rnd.random() ** 3
        if y < horizon - 4 * s:
            i = int(y) * w + int(x)
            stars[i] = min(1.0, stars[i] + 0.25 + 0.75 * b)
    img.add(blur(stars, w, h, ipx(1, s)), hexc('#cfd8ff'), 0.9)
    img.add(stars, hexc('#e8ecff'), 0.8)

    mx, my, mr = moon
    halo = blur(mask_polygons(w, h, [ellipse(mx, my, mr * 1.6, mr * 1.6)]), w, h, int(mr * 1.5))
    img.add(halo, hexc('#7d8db0'), 0.55)
    disc = mask_polygons(w, h, [ellipse(mx, my, mr, mr)], samples=6)
    craters = ValueNoise(seed + 5)
    img.blend(disc, lambda x, y: mix3(MOON, hexc('#b9b2a0'), smoothstep(0.45, 0.8, craters.fbm(x / (5 * s), y / (5 * s), 3))))

    # Mountain ranges, far to near; the near ones frame the lake at both sides.
    def ridge(base, amp, freq, seed_r, side_lift=0.0):
        n = ValueNoise(seed_r)
        pts = [(0, h)]
        for k in range(0, w + 4, 3):
            edge = abs(k / w - 0.5) * 2
            y = base - amp * (n.fbm(k / (w * freq), 0.5, 5) - 0.3) - side_lift * smoothstep(0.45, 1.0, edge) * h
            pts.append((k, y))
        pts.append((w, h))
        return mask_polygons(w, h, [pts])

    far = ridge(horizon - 0.01 * h, 0.30 * h, 0.25, seed + 21)
    img.blend(far, lambda x, y: mix3(hexc('#1d2839'), hexc('#141c29'), clamp01((y - 0.3 * h) / (0.3 * h))))
    near = ridge(horizon + 0.02 * h, 0.16 * h, 0.12, seed + 22, side_lift=0.26)
    img.blend(near, hexc('#080b12'))

    # Lake: dark water with the moon's glitter path and faint ripples.
    ripple = ValueNoise(seed + 31)

    def water(x, y):
        t = (y - horizon) / (h - horizon)
        c = mix3(hexc('#162132'), hexc('#03050a'), min(1.0, t * 1.3))
        streak = ripple.value(x / (9.0 * s), y / (1.6 * s))
        glitter = math.exp(-((x - mx) / (0.05 * w + 0.12 * w * t)) ** 2) * smoothstep(0.55, 0.9, streak)
        return mix3(c, hexc('#aeb8cf'), glitter * 0.55 * (1.0 - t * 0.7))

    lake = [0.0] * (w * h)
    lake_top = int(horizon + 0.035 * h)
    for y in range(lake_top, h):
        for x in range(w):
            lake[y * w + x] = 1.0 if y > lake_top else 0.5
    img.blend(mask_sub(lake, near), water)

    # The holm and its keep, a warm light in the windows.
    size = 0.42 * h
    tx, ty = 0.5 * w - size / 2, horizon + 0.07 * h - 0.77 * size
    solid, windows = shapes.tower()
    keep = mask_polygons(w, h, shapes.place(solid, tx, ty, size), samples=6)
    img.blend(keep, hexc('#05070b'))
    lit = mask_polygons(w, h, shapes.place(windows, tx, ty, size), samples=6)
    img.add(blur(lit, w, h, ipx(3, s)), EMBER, 0.9)
    img.blend(lit, hexc('#ffd28a'))
    reflection = mask_polygons(w, h, shapes.place([rect(0.49, 0.80, 0.51, 1.05)], tx, ty, size))
    img.add(blur(reflection, w, h, ipx(2, s)), EMBER, 0.25)

    # Mist drifting over the water line.
    mist = ValueNoise(seed + 41)
    band = [0.0] * (w * h)
    for y in range(int(horizon - 0.08 * h), min(h, int(horizon + 0.16 * h))):
        fall = math.exp(-((y - (horizon + 0.03 * h)) / (0.06 * h)) ** 2)
        for x in range(w):
            band[y * w + x] = fall * smoothstep(0.35, 0.8, mist.fbm(x / (w * 0.18), y / (h * 0.05), 4)) * 0.45
    img.blend(band, MIST)

    # Darker foot for the buttons, then the name and the frame.
    img.multiply(lambda x, y: 1.0 - 0.55 * smoothstep(0.74 * h, h, y))
    vignette(img, 0.45)
    if title_cap:
        bottom = gold_title(img, 'TARNHOLM', title_cap, max(0.075 * h, 12.0 * s), s)
        ornament_rule(img, w / 2.0, bottom + max(6 * s, title_cap * 0.3), min(0.22 * w, title_cap * 3.2), s=s)
    frame(img, inset=3 if h / s > 150 else 2, s=s)
    return img


# ---------------------------------------------------------------- page backgrounds

def page_background(w, h, seed, dlu_size, panels, compass=None, s=1.0):
    """Slate page with darker panels behind the control groups (given in dialog units)."""
    w, h = scaled(w, s), scaled(h, s)
    img = Image(w, h)
    textured(img, seed, SLATE_LIGHT, SLATE_DARK, s=s)
    sx, sy = w / dlu_size[0], h / dlu_size[1]
    if compass:
        cx, cy, r = compass[0] * sx, compass[1] * sy, compass[2] * sx
        polys = []
        for k in range(16):
            a = math.pi * k / 8
            length = r if k % 4 == 0 else r * (0.62 if k % 2 == 0 else 0.4)
            wide = r * (0.12 if k % 4 == 0 else 0.07)
            tip = (cx + length * math.sin(a), cy - length * math.cos(a))
            left = (cx + wide * math.sin(a - math.pi / 2), cy - wide * math.cos(a - math.pi / 2))
            right = (cx + wide * math.sin(a + math.pi / 2), cy - wide * math.cos(a + math.pi / 2))
            polys += ccw([[left, tip, right, (cx, cy)]])
        for rr in (r * 0.78, r * 0.8, r * 1.05):
            polys += stroke([(cx + rr * math.cos(t * math.pi / 48), cy + rr * math.sin(t * math.pi / 48))
                             for t in range(96)], 1.0 * s, closed=True)
        watermark(img, polys, GOLD_DIM, 0.22)
    for box in panels:
        x, y, bw, bh = box
        panel(img, (x * sx, y * sy, (x + bw) * sx, (y + bh) * sy), s=s)
    vignette(img, 0.5)
    return img


def report_background(w, h, s=1.0):
    """Stretched over a resizable window: only gradients and texture, nothing that would
    drift away from the controls."""
    w, h = scaled(w, s), scaled(h, s)
    img = Image(w, h)
    textured(img, 142, SLATE_LIGHT, SLATE_DARK, grain=0.07, s=s)
    img.multiply(lambda x, y: 1.0 + 0.18 * math.exp(-((y - 0.1 * h) / (0.12 * h)) ** 2))
    vignette(img, 0.45)
    frame(img, inset=2, corner=7, s=s)
    return img


def sheet_background(w, h, strip_left, s=1.0):
    """Around the pages: the tab row above them and the button column at the right."""
    w, h = scaled(w, s), scaled(h, s)
    img = Image(w, h)
    textured(img, 139, SLATE, NIGHT, grain=0.1, s=s)
    x = strip_left * s
    img.multiply(lambda px, py: 0.8 if px < x else 1.0)
    img.blend(mask_polygons(w, h, stroke([(x, 10 * s), (x, h - 10 * s)], 1.0 * s)), GOLD_DIM, 0.6)
    solid, _ = shapes.tower(detail=True)
    size = min(w - x - 16 * s, 80 * s)
    place_x, place_y = x + (w - x - size) / 2, h - size - 18 * s
    watermark(img, shapes.place(shapes.shield(), place_x, place_y, size), GOLD_DIM, 0.2)
    watermark(img, shapes.place(solid, place_x, place_y, size), GOLD, 0.22)
    vignette(img, 0.45)
    frame(img, inset=2, corner=7, s=s)
    return img


# ---------------------------------------------------------------- image strips

def medallion(size, field, symbol, halo_bg, s=1.0):
    """A round verdict medallion; edges blended into `halo_bg` (the colour it will stand on),
    everything outside pure white, which the image list treats as transparent."""
    img = Image(size, size, halo_bg)
    r = size / 2.0
    outer = mask_polygons(size, size, [ellipse(r, r, r - 0.6 * s, r - 0.6 * s, 64)], samples=8)
    img.blend(outer, lambda x, y: gradient([(0.0, GOLD_LIGHT), (0.5, GOLD), (1.0, GOLD_DARK)], y / size))
    inner = mask_polygons(size, size, [ellipse(r, r, r - 3.0 * s, r - 3.0 * s, 64)], samples=8)
    img.blend(inner, lambda x, y: mix3(mix3(field, WHITE, 0.25), mix3(field, NIGHT, 0.45),
                                       clamp01(math.hypot(x - r * 0.7, y - r * 0.6) / size * 1.4)))
    sym = mask_polygons(size, size, shapes.place(symbol, 0, 0, size), samples=8)
    shift = ipx(1, s)
    img.blend(blur(mask_shift(sym, size, size, shift, shift), size, size, ipx(1, s)), NIGHT, 0.6)
    img.blend(sym, hexc('#fbf7ea'))
    outside_to_white(img, outer)
    return img


def status_icon(size, field, symbol, s=1.0):
    """Small status disc drawn straight onto white (the rows it stands on are white)."""
    img = Image(size, size, WHITE)
    r = size / 2.0
    disc = mask_polygons(size, size, [ellipse(r, r, r - 0.5 * s, r - 0.5 * s, 48)], samples=8)
    img.blend(disc, lambda x, y: mix3(mix3(field, WHITE, 0.2), mix3(field, NIGHT, 0.3), y / size))
    sym = mask_polygons(size, size, shapes.place(symbol, 0, 0, size), samples=8)
    img.blend(sym, hexc('#fafafa'))
    outside_to_white(img, disc)
    return img


def outside_to_white(img, coverage):
    """Uncovered pixels become the transparent white; covered ones must never be white."""
    for i, a in enumerate(coverage):
        if a < 0.04:
            img.r[i] = img.g[i] = img.b[i] = 1.0
        elif img.r[i] > 0.995 and img.g[i] > 0.995 and img.b[i] > 0.995:
            img.b[i] = 0.98


def rule(length, vertical, ground, s=1.0):
    """A gold hairline fading out at both ends into `ground`, one pixel thick at 100 %."""
    length, thick = scaled(length, s), ipx(1, s)
    img = Image(thick if vertical else length, length if vertical else thick)

    def colour(x, y):
        t = (y if vertical else x) / length
        return mix3(ground, GOLD, smoothstep(0.0, 0.22, min(t, 1.0 - t)))

    img.fill(colour)
    return img


def strip(images):
    out = Image(sum(i.w for i in images), images[0].h, WHITE)
    x = 0
    for i in images:
        out.paste(i, x, 0)
        x += i.w
    return out


def emblem_icon(size):
    """The application icon: the keep on its island, on a night-blue shield rimmed in gold."""
    img = Image(size, size, NIGHT)
    outline = mask_polygons(size, size, shapes.place(shapes.shield(), 0, 0, size), samples=8)
    img.blend(outline, lambda x, y: gradient([(0.0, GOLD_LIGHT), (0.45, GOLD), (1.0, GOLD_DARK)], y / size))
    inset = 0.07 if size >= 32 else 0.1
    field = mask_polygons(size, size, shapes.place(shapes.shield(inset), 0, 0, size), samples=8)
    img.blend(field, lambda x, y: mix3(hexc('#2b4470'), hexc('#0c1424'), y / size))
    solid, windows = shapes.tower(detail=size >= 32)
    keep = mask_polygons(size, size, shapes.place(solid, 0, 0.04 * size, size), samples=8)
    img.blend(keep, lambda x, y: gradient([(0.0, GOLD_LIGHT), (1.0, GOLD)], y / size))
    if size >= 24:
        lit = mask_polygons(size, size, shapes.place(windows, 0, 0.04 * size, size), samples=8)
        img.blend(lit, hexc('#3a1e08'))
        for y in (0.855, 0.905):
            wave = mask_polygons(size, size, shapes.place(shapes.waves(y, 0.035 if size >= 48 else 0.05),
                                                          0, 0, size), samples=8)
            img.blend(wave, hexc('#8fb0d8'), 0.85)
    return img, outline


# ---------------------------------------------------------------- output

# The scales every picture is drawn at, in percent; the index of a scale is its place here.
SCALES = (100, 125, 150, 200)


def pictures(s):
    """(name, drawing) of every bitmap at scale s; the drawings run when called."""
    # Window sizes in dialog units, as the templates give them.
    page = (320, 225)
    return [
        ('launcher', lambda: night_scene(450, 300, 40, s=s)),
        ('splash', lambda: night_scene(360, 117, 24, seed=9, s=s)),
        ('video', lambda: page_background(480, 338, 140, page, panels=[(70, 20, 180, 92), (50, 130, 220, 64)], s=s)),
        ('language', lambda: page_background(480, 338, 141, page, panels=[(70, 26, 180, 52)], compass=(160, 150, 50),
                                             s=s)),
        ('report', lambda: report_background(480, 338, s=s)),
        # The sheet: the pages plus the button column that the sheet adds at its right.
        ('sheet', lambda: sheet_background(608, 397, 506, s=s)),
        ('rule-horizontal', lambda: rule(256, False, SLATE, s=s)),
        ('rule-vertical', lambda: rule(64, True, SLATE, s=s)),
        ('verdict', lambda: strip([medallion(scaled(32, s), GREEN, shapes.check_mark(0.13), SLATE, s=s),
                                   medallion(scaled(32, s), RED, shapes.cross_mark(0.13), SLATE, s=s),
                                   medallion(scaled(32, s), AMBER, shapes.check_mark(0.13), SLATE, s=s)])),
        ('status', lambda: strip([status_icon(scaled(16, s), GREEN, shapes.check_mark(0.16), s=s),
                                  status_icon(scaled(16, s), RED, shapes.cross_mark(0.16), s=s),
                                  status_icon(scaled(16, s), AMBER, shapes.exclamation_mark(0.15), s=s),
                                  status_icon(scaled(16, s), GREY, shapes.question_mark(0.14), s=s)])),
    ]


def file_name(name, percent):
    return name + ('.bmp' if percent == 100 else '-%d.bmp' % percent)


def main(out, percent):
    os.makedirs(out, exist_ok=True)
    for name, draw in pictures(percent / 100.0):
        write_bmp(os.path.join(out, file_name(name, percent)), draw())
    if percent == 100:
        # Small and large window icons at every scale, the shell's bigger sizes.
        write_ico(os.path.join(out, 'tarnholm.ico'), [emblem_icon(s) for s in (16, 20, 24, 32, 40, 48, 64, 256)])


if __name__ == '__main__':
    if len(sys.argv) not in (2, 3) or (len(sys.argv) == 3 and int(sys.argv[2]) not in SCALES):
        sys.exit(__doc__)
    main(sys.argv[1], int(sys.argv[2]) if len(sys.argv) == 3 else 100)
