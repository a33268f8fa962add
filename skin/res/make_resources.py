#!/usr/bin/env python3
"""Writes the engine's own resources into OUTDIR:

  iconfont.ttf  the icon font, family "FontAwesome": plain known shapes at the code points
                of the standard glyph list (a filled box for most, a bar, a cross and a
                check-shaped polygon where the name suggests one), so coverage tests know
                which pixels a glyph covers;
  hint.png      the default hint template: 27 x 27 RGBA, a pale-yellow body with softened
                corners and a grey shadow wider to the right and below;
  pipette.cur   the pipette cursor: 32 x 32, 32-bit, hot spot at the tip.

Usage: make_resources.py OUTDIR
"""
import math
import os
import struct
import sys
import zlib

# ---------------------------------------------------------------- icon font

ICON_CODEPOINTS = [0xF016, 0xF115, 0xF274, 0xF141, 0xF1EC, 0xF111, 0xF00C, 0xF047, 0xF1FB,
                   0xF00D, 0xF067, 0xF0D8, 0xF01E, 0xF048, 0xF053, 0xF054, 0xF051, 0xF068]
EM = 1000
ASCENT, DESCENT = 800, 200


def box(pen, x0, y0, x1, y1):
    pen.moveTo((x0, y0))
    pen.lineTo((x0, y1))
    pen.lineTo((x1, y1))
    pen.lineTo((x1, y0))
    pen.closePath()


def glyph_for(cp, TTGlyphPen):
    pen = TTGlyphPen(None)
    if cp == 0xF068:        # minus: a horizontal bar
        box(pen, 100, 300, 900, 500)
    elif cp == 0xF067:      # plus: two bars
        box(pen, 100, 300, 900, 500)
        box(pen, 400, 0, 600, 800)
    else:                   # everything else: the full box of the em below the ascent
        box(pen, 100, 0, 900, 800)
    return pen.glyph()


def write_font(path):
    from fontTools.fontBuilder import FontBuilder
    from fontTools.pens.ttGlyphPen import TTGlyphPen

    names = [".notdef"] + ["icon%04X" % cp for cp in ICON_CODEPOINTS]
    fb = FontBuilder(EM, isTTF=True)
    fb.setupGlyphOrder(names)
    fb.setupCharacterMap({cp: "icon%04X" % cp for cp in ICON_CODEPOINTS})
    empty = TTGlyphPen(None)
    glyphs = {".notdef": empty.glyph()}
    for cp in ICON_CODEPOINTS:
        glyphs["icon%04X" % cp] = glyph_for(cp, TTGlyphPen)
    fb.setupGlyf(glyphs)
    # The left side bearing is each outline's left edge, so the system draws it where
    # the outline says.
    fb.setupHorizontalMetrics({n: (EM, glyphs[n].xMin if hasattr(glyphs[n], "xMin") else 0) for n in names})
    fb.setupHorizontalHeader(ascent=ASCENT, descent=-DESCENT)
    fb.setupNameTable({"familyName": "FontAwesome", "styleName": "Regular",
                       "uniqueFontIdentifier": "KORVAN FontAwesome icons",
                       "fullName": "FontAwesome", "psName": "FontAwesome"})
    fb.setupOS2(sTypoAscender=ASCENT, sTypoDescender=-DESCENT, usWinAscent=ASCENT,
                usWinDescent=DESCENT, ulUnicodeRange1=0, fsType=0)
    fb.setupPost()
    fb.font.save(path)


# ---------------------------------------------------------------- PNG

def png_chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)


def write_png(path, w, h, pixels):
    raw = b"".join(b"\0" + bytes(c for px in pixels[y * w:(y + 1) * w] for c in px) for y in range(h))
    data = b"\x89PNG\r\n\x1a\n"
    data += png_chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0))
    data += png_chunk(b"pHYs", struct.pack(">IIB", 3780, 3780, 1))
    # sRGB white point and primaries, as cHRM stores them (times 100000).
    data += png_chunk(b"cHRM", struct.pack(">8I", 31270, 32900, 64000, 33000, 30000, 60000, 15000, 6000))
    data += png_chunk(b"IDAT", zlib.compress(raw, 9))
    data += png_chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(data)


def rounded_coverage(x, y, x0, y0, x1, y1, r):
    """Coverage 0..1 of pixel (x, y) by the rectangle [x0, x1) x [y0, y1) with corner radius r."""
    if not (x0 <= x < x1 and y0 <= y < y1):
        return 0.0
    cx = min(max(x + 0.5, x0 + r), x1 - r)
    cy = min(max(y + 0.5, y0 + r), y1 - r)
    d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
    return max(0.0, min(1.0, r + 0.5 - d))


def write_hint(path):
    w = h = 27
    body = (6, 5, 20, 19)     # shadow 6 left, 5 top, 7 right, 8 bottom
    pixels = []
    for y in range(h):
        for x in range(w):
            b = rounded_coverage(x, y, *body, 3)
            # The shadow: the body moved right and down, fading over three pixels.
            s = 0.0
            for d in range(1, 4):
                s = max(s, rounded_coverage(x - d, y - d - 1, *body, 3) * (0.45 - 0.12 * d))
            if b > 0:
                a = b + s * (1 - b)
                col = tuple(round((c * b + 96 * s * (1 - b)) / a) for c in (250, 250, 176))
                pixels.append((*col, round(255 * a)))
            elif s > 0:
                pixels.append((96, 96, 96, round(255 * s)))
            else:
                pixels.append((0, 0, 0, 0))
    write_png(path, w, h, pixels)


# ---------------------------------------------------------------- menu button

def write_menubtn(path):
    # Three frames of 17 x 20 side by side (normal, hot, pressed): a rounded button in a
    # dark amber, lighter when hot, darker when pressed; fuchsia outside its corners.
    fw, h = 17, 20
    faces = ((0x8D, 0x5A, 0x0E), (0xB8, 0x7A, 0x1E), (0x6A, 0x42, 0x08))
    rows = []
    for y in range(h):
        row = bytearray()
        for frame in range(3):
            for x in range(fw):
                cut = (x in (0, fw - 1) and y in (0, h - 1)) or (y == h - 1 and x in (1, fw - 2))
                if cut:
                    row += bytes((255, 0, 255))
                else:
                    r, g, b = faces[frame]
                    if y < 2:
                        r, g, b = (min(255, c + 40) for c in (r, g, b))
                    row += bytes((b, g, r))
        row += b"\0" * ((4 - len(row) % 4) % 4)
        rows.append(bytes(row))
    image = b"".join(reversed(rows))
    header = struct.pack("<IiiHHIIiiII", 40, 3 * fw, h, 1, 24, 0, len(image), 2835, 2835, 0, 0)
    data = b"BM" + struct.pack("<IHHI", 14 + len(header) + len(image), 0, 0, 14 + len(header)) + header + image
    with open(path, "wb") as f:
        f.write(data)


# ---------------------------------------------------------------- cursor

def write_cursor(path):
    n = 32
    hot = (2, 29)
    img = [[(0, 0, 0, 0)] * n for _ in range(n)]

    def dot(x, y, c):
        if 0 <= x < n and 0 <= y < n:
            img[y][x] = c

    # The tube: from the tip up and right, black outline with a white core.
    for t in range(0, 23):
        x, y = hot[0] + t, hot[1] - t
        for dx, dy in ((0, -1), (1, 0), (-1, 0), (0, 1), (1, -1), (-1, 1)):
            dot(x + dx, y + dy, (0, 0, 0, 255))
    for t in range(1, 22):
        dot(hot[0] + t, hot[1] - t, (255, 255, 255, 255))
    # The bulb at the upper end.
    for y in range(n):
        for x in range(n):
            if math.hypot(x - 26, y - 5) <= 4.5:
                dot(x, y, (0, 0, 0, 255))
    dot(*hot, (0, 0, 0, 255))
    xor = b"".join(bytes((b, g, r, a)) for row in reversed(img) for (r, g, b, a) in row)
    mask = b""
    for row in reversed(img):
        bits = 0
        for x, px in enumerate(row):
            if px[3] == 0:
                bits |= 1 << (31 - x)
        mask += struct.pack(">I", bits)
    header = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    image = header + xor + mask
    data = struct.pack("<HHH", 0, 2, 1)
    data += struct.pack("<BBBBHHII", n, n, 0, 0, hot[0], hot[1], len(image), 22)
    with open(path, "wb") as f:
        f.write(data + image)


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    write_font(os.path.join(out, "iconfont.ttf"))
    write_hint(os.path.join(out, "hint.png"))
    write_cursor(os.path.join(out, "pipette.cur"))
    write_menubtn(os.path.join(out, "menubtn.bmp"))


if __name__ == "__main__":
    main()
