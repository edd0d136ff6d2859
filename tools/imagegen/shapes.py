"""Vector shapes of the launcher's artwork: the title lettering, the heraldic shield and tower,
and the check, cross, exclamation and question symbols. Everything is built from polygons
in a unit box and placed with `place`."""

import math

from raster import ccw, ellipse, rect, stroke

# Title lettering: engraved capitals, cap height 100 units. Stems are thick, hairlines thin.
STEM = 17
HAIR = 8
SERIF = 6


def _reverse(poly):
    return list(reversed(poly))


def _ring(outer, inner):
    """Outer contour and a hole (nonzero winding: the hole runs the other way)."""
    outer = ccw([outer])[0]
    return [outer, _reverse(ccw([inner])[0])]


def _half_ellipse(cx, cy, rx, ry, steps=20):
    """Right half of an ellipse, top to bottom."""
    return [(cx + rx * math.cos(a), cy + ry * math.sin(a))
            for a in (-math.pi / 2 + math.pi * k / steps for k in range(steps + 1))]


def _glyph_T():
    return 80, [rect(0, 0, 80, HAIR + 2), rect(0, 0, 5, 20), rect(75, 0, 80, 20),
                rect(40 - STEM / 2, 0, 40 + STEM / 2, 100), rect(40 - STEM / 2 - 9, 100 - SERIF, 40 + STEM / 2 + 9, 100)]


def _glyph_A():
    return 90, [[(38, 0), (38 + HAIR, 0), (10 + HAIR, 100), (10, 100)],
                [(52 - STEM, 0), (52, 0), (82, 100), (82 - STEM, 100)],
                rect(24, 62, 60, 62 + HAIR),
                rect(2, 100 - SERIF, 10 + HAIR + 8, 100), rect(82 - STEM - 8, 100 - SERIF, 90, 100)]


def _glyph_R():
    bowl_outer = [(8, 0)] + _half_ellipse(46, 27, 28, 27) + [(8, 54)]
    bowl_inner = [(8 + STEM, HAIR)] + _half_ellipse(44, 27, 28 - STEM + 4, 27 - HAIR) + [(8 + STEM, 54 - HAIR)]
    return 84, _ring(bowl_outer, bowl_inner) + [
        rect(8, 0, 8 + STEM, 100), [(36, 50), (36 + STEM, 50), (80, 100), (80 - STEM, 100)],
        rect(0, 0, 8 + STEM, SERIF), rect(0, 100 - SERIF, 8 + STEM + 8, 100), rect(80 - STEM - 4, 100 - SERIF, 84, 100)]


def _glyph_N():
    return 84, [rect(8, 0, 8 + HAIR, 100), rect(76 - HAIR, 0, 76, 100),
                [(8, 0), (8 + STEM + 2, 0), (76, 100), (76 - STEM - 2, 100)],
                rect(0, 0, 8 + STEM + 4, SERIF), rect(76 - HAIR - 8, 0, 84, SERIF), rect(0, 100 - SERIF, 8 + HAIR + 8, 100)]


def _glyph_H():
    return 84, [rect(8, 0, 8 + STEM, 100), rect(76 - STEM, 0, 76, 100), rect(8, 46, 76, 46 + HAIR + 1),
                rect(0, 0, 8 + STEM + 8, SERIF), rect(76 - STEM - 8, 0, 84, SERIF),
                rect(0, 100 - SERIF, 8 + STEM + 8, 100), rect(76 - STEM - 8, 100 - SERIF, 84, 100)]


def _glyph_O():
    return 92, _ring(ellipse(46, 50, 44, 51, 64), ellipse(46, 50, 44 - STEM, 51 - HAIR, 64))


def _glyph_L():
    return 68, [rect(8, 0, 8 + STEM, 100), rect(8, 100 - HAIR - 2, 68, 100), rect(63, 78, 68, 100),
                rect(0, 0, 8 + STEM + 8, SERIF), rect(0, 100 - SERIF, 8, 100)]


def _glyph_M():
    return 100, [rect(8, 0, 8 + HAIR, 100), [(8, 0), (8 + STEM, 0), (50 + STEM / 2, 100), (50 - STEM / 2, 100)],
                 [(50 - HAIR / 2, 100), (50 + HAIR / 2, 100), (92, 0), (92 - HAIR, 0)], rect(92 - STEM, 0, 92, 100),
                 rect(0, 0, 8 + STEM, SERIF), rect(92 - STEM - 4, 0, 100, SERIF),
                 rect(0, 100 - SERIF, 8 + HAIR + 8, 100), rect(92 - STEM - 8, 100 - SERIF, 100, 100)]


GLYPHS = {'T': _glyph_T, 'A': _glyph_A, 'R': _glyph_R, 'N': _glyph_N, 'H': _glyph_H, 'O': _glyph_O,
          'L': _glyph_L, 'M': _glyph_M}
LETTER_GAP = 16


def text_width(text):
    return sum(GLYPHS[c]()[0] for c in text) + LETTER_GAP * (len(text) - 1)


def title_polygons(text, left, top, cap_height):
    """Polygons of `text` in the title capitals, cap height in pixels, top-left placed."""
    k = cap_height / 100.0
    polys = []
    x = 0.0
    for c in text:
        width, parts = GLYPHS[c]()
        for part in parts:
            polys.append([(left + (px + x) * k, top + py * k) for px, py in part])
        x += width + LETTER_GAP
    return polys


def place(polys, x, y, size):
    """Map unit-box polygons onto a square of `size` pixels at (x, y)."""
    return [[(x + px * size, y + py * size) for px, py in poly] for poly in polys]


def _quad(p0, p1, p2, steps=12):
    return [((1 - t) ** 2 * p0[0] + 2 * (1 - t) * t * p1[0] + t * t * p2[0],
             (1 - t) ** 2 * p0[1] + 2 * (1 - t) * t * p1[1] + t * t * p2[1])
            for t in (k / steps for k in range(1, steps + 1))]


def shield(inset=0.0):
    """Heater shield in the unit box, shrunk by `inset` on every side."""
    a, b = 0.08 + inset, 0.92 - inset
    top = 0.05 + inset
    side = 0.46
    tip = 0.97 - inset * 1.6
    pts = [(a, top), (0.5, top + 0.035), (b, top), (b, side)]
    pts += _quad((b, side), (b - 0.02, 0.78 - inset * 0.5), (0.5, tip))
    pts += _quad((0.5, tip), (a + 0.02, 0.78 - inset * 0.5), (a, side))
    return ccw([pts])


def tower(detail=True):
    """Keep behind a crenellated wall on its island: (solid parts, lit openings) in the unit box."""
    parts = [[(0.385, 0.31), (0.5, 0.10), (0.615, 0.31)],      # roof
             rect(0.37, 0.295, 0.63, 0.325),                    # eaves
             rect(0.415, 0.31, 0.585, 0.74),                    # keep
             rect(0.28, 0.57, 0.72, 0.74),                      # curtain wall
             ellipse(0.5, 0.75, 0.29, 0.05, 32)]                # island
    if detail:
        parts += [rect(0.28 + 0.08 * k, 0.535, 0.32 + 0.08 * k, 0.575) for k in range(6)]  # merlons
        parts.append(rect(0.494, 0.06, 0.506, 0.12))            # finial
    windows = [rect(0.478, 0.38, 0.522, 0.46)]
    if detail:
        windows += [rect(0.478, 0.64, 0.522, 0.74), rect(0.33, 0.62, 0.36, 0.66), rect(0.64, 0.62, 0.67, 0.66)]
    return ccw(parts), windows


def waves(y, width=0.05):
    pts = [(0.26 + 0.48 * k / 24, y + 0.012 * math.sin(k * math.pi / 3)) for k in range(25)]
    return stroke(pts, width)


def check_mark(width):
    return stroke([(0.27, 0.53), (0.43, 0.69), (0.73, 0.34)], width)


def cross_mark(width):
    return stroke([(0.32, 0.32), (0.68, 0.68)], width) + stroke([(0.68, 0.32), (0.32, 0.68)], width)


def exclamation_mark(width):
    return stroke([(0.5, 0.24), (0.5, 0.56)], width) + ccw([ellipse(0.5, 0.73, width * 0.62, width * 0.62, 16)])


def question_mark(width):
    arc = [(0.5 + 0.15 * math.cos(a), 0.36 + 0.13 * math.sin(a))
           for a in (math.pi * (1.05 + 1.45 * k / 12) for k in range(13))]
    return (stroke(arc + [(0.5, 0.52), (0.5, 0.58)], width)
            + ccw([ellipse(0.5, 0.74, width * 0.62, width * 0.62, 16)]))
