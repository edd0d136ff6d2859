#!/usr/bin/env python3
"""Cuts the installer's pictures out of the launcher's artwork.

    artwork.py <launcher art folder> <output folder>

Writes wizard.bmp (164x314, the left panel of the welcome and finish pages) from the launcher's
night scene and header.bmp (150x57, the corner of the inner pages' header) from the progress
window's scene. Each picture is scaled to cover its box, keeping its proportions, and cut
around a chosen centre; the result is a 24-bit bitmap as the installer's pages expect.
"""

import os
import struct
import sys


def read_bmp(path):
    """(width, height, rows of (r, g, b) top-down) of an uncompressed 24-bit bitmap."""
    with open(path, 'rb') as f:
        data = f.read()
    if data[:2] != b'BM':
        raise ValueError(f'{path}: not a bitmap')
    offset, = struct.unpack_from('<I', data, 10)
    _, w, h, _, bpp, compression = struct.unpack_from('<IiiHHI', data, 14)
    if bpp != 24 or compression != 0:
        raise ValueError(f'{path}: {bpp}-bit, compression {compression}; expected plain 24-bit')
    top_down = h < 0
    h = abs(h)
    stride = (w * 3 + 3) & ~3
    rows = []
    for y in range(h):
        start = offset + y * stride
        raw = data[start:start + w * 3]
        rows.append([(raw[i + 2], raw[i + 1], raw[i]) for i in range(0, w * 3, 3)])
    if not top_down:
        rows.reverse()
    return w, h, rows


def write_bmp(path, w, h, rows):
    stride = (w * 3 + 3) & ~3
    pad = b'\0' * (stride - w * 3)
    pixels = b''.join(bytes(c for p in row for c in (p[2], p[1], p[0])) + pad for row in reversed(rows))
    header = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, 'wb') as f:
        f.write(b'BM' + struct.pack('<IHHI', 14 + len(header) + len(pixels), 0, 0, 14 + len(header)))
        f.write(header)
        f.write(pixels)


def cover(source, out_w, out_h, centre_x=0.5, centre_y=0.5):
    """Scales the picture to cover out_w x out_h and cuts that box around the given centre
    (fractions of the scaled picture), averaging the source pixels under each output pixel."""
    w, h, rows = source
    scale = max(out_w / w, out_h / h)
    view_w, view_h = out_w / scale, out_h / scale  # the box in source pixels
    left = min(max(centre_x * w - view_w / 2, 0.0), w - view_w)
    top = min(max(centre_y * h - view_h / 2, 0.0), h - view_h)
    step = 1.0 / scale
    out = []
    for oy in range(out_h):
        y0 = top + oy * step
        ys = range(int(y0), min(h, max(int(y0) + 1, int(y0 + step + 0.999))))
        row = []
        for ox in range(out_w):
            x0 = left + ox * step
            xs = range(int(x0), min(w, max(int(x0) + 1, int(x0 + step + 0.999))))
            n = len(xs) * len(ys)
            r = g = b = 0
            for y in ys:
                src = rows[y]
                for x in xs:
                    p = src[x]
                    r += p[0]
                    g += p[1]
                    b += p[2]
            row.append((round(r / n), round(g / n), round(b / n)))
        out.append(row)
    return out_w, out_h, out


def crop(source, left, top, right, bottom):
    """The part of the picture between the given pixel edges."""
    _, _, rows = source
    return right - left, bottom - top, [row[left:right] for row in rows[top:bottom]]


def main(art, out):
    os.makedirs(out, exist_ok=True)
    # The tall panel shows the keep in the middle of the night scene, between the title above it
    # and the frame's lower edge: the name stands on the page beside it anyway.
    scene = read_bmp(os.path.join(art, 'launcher.bmp'))
    below_title = crop(scene, 6, scene[1] * 88 // 300, scene[0] - 6, scene[1] * 292 // 300)
    write_bmp(os.path.join(out, 'wizard.bmp'), *cover(below_title, 164, 314, 0.5))
    write_bmp(os.path.join(out, 'header.bmp'), *cover(read_bmp(os.path.join(art, 'splash.bmp')), 150, 57, 0.5))


if __name__ == '__main__':
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2])
