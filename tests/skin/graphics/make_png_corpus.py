#!/usr/bin/python3
"""Writes the PNG test corpus and what each file must decode to.

usage: make_png_corpus.py OUTDIR [PNGSUITE_DIR]

OUTDIR/corpus.txt lists "name width height transparent" per generated file; next to each
name.png lies name.rgba, the expected pixels top-down as R G B A bytes. The pixels are the
ones handed to the encoder, reduced as the reader's bitmaps hold them: 16-bit samples
v * 255 // 65535, grey levels spread over 0..255, grey-alpha without its alpha. Alpha is the
engine's alpha bitmap's: RGBA alpha, the tRNS table of an indexed image, otherwise 255.
Most files come from pypng (filter type 0 only); the "f_" files are written here row by row
with every filter type in turn and their image data split over many IDAT chunks, some empty.

With PNGSUITE_DIR, OUTDIR/suite.txt lists "relative/path.png width height" and OUTDIR/suite/
holds the expected pixels of each suite image, with its gAMA applied as the reader does
(display gamma 2.2) and alpha as the alpha bitmap gets it after a gAMA chunk.
"""
import os
import random
import struct
import sys
import zlib

import png

out = sys.argv[1]
suite_dir = sys.argv[2] if len(sys.argv) > 2 else None
os.makedirs(out, exist_ok=True)
rng = random.Random(20240611)

CHANNELS = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}
DEPTHS = {0: (1, 2, 4, 8, 16), 2: (8, 16), 3: (1, 2, 4, 8), 4: (8, 16), 6: (8, 16)}


def scale8(v, d):
    if d == 8:
        return v
    if d == 16:
        return v * 255 // 65535
    return v * 255 // ((1 << d) - 1)


def make_pixels(w, h, ct, d, ncolours):
    top = (1 << d) - 1 if ct != 3 else ncolours - 1
    rows = []
    for y in range(h):
        row = []
        for x in range(w):
            px = []
            for c in range(CHANNELS[ct]):
                r = rng.random()
                # extremes show up often: they catch scaling and sign faults
                v = 0 if r < 0.1 else top if r < 0.2 else rng.randint(0, top)
                px.append(v)
            row.append(tuple(px))
        rows.append(row)
    return rows


def expected_rgba(pixels, ct, d, palette, alphas):
    outb = bytearray()
    for row in pixels:
        for px in row:
            if ct == 0:
                g = scale8(px[0], d)
                outb += bytes((g, g, g, 255))
            elif ct == 4:
                g = scale8(px[0], d)
                outb += bytes((g, g, g, 255))
            elif ct == 2:
                outb += bytes([scale8(v, d) for v in px] + [255])
            elif ct == 6:
                outb += bytes([scale8(v, d) for v in px])
            else:
                r, g, b = palette[px[0]]
                a = (alphas[px[0]] if px[0] < len(alphas) else 255) if alphas is not None else 255
                outb += bytes((r, g, b, a))
    return bytes(outb)


def transparent_colour(ct, d, value):
    if value is None:
        return "none"
    if ct == 0:
        g = scale8(value, d)
        return "%06X" % (g | g << 8 | g << 16)
    r, g, b = (scale8(v, d) for v in value)
    return "%06X" % (r | g << 8 | b << 16)


manifest = []


def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)


def pack_row(samples, d):
    if d == 16:
        return b"".join(struct.pack(">H", v) for v in samples)
    if d == 8:
        return bytes(samples)
    outb = bytearray()
    acc, nbits = 0, 0
    for v in samples:
        acc = acc << d | v
        nbits += d
        if nbits == 8:
            outb.append(acc)
            acc, nbits = 0, 0
    if nbits:
        outb.append(acc << (8 - nbits))
    return bytes(outb)


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def filter_row(ft, raw, prior, bpp):
    outb = bytearray(len(raw))
    for i, x in enumerate(raw):
        a = raw[i - bpp] if i >= bpp else 0
        b = prior[i]
        c = prior[i - bpp] if i >= bpp else 0
        pred = (0, a, b, (a + b) // 2, paeth(a, b, c))[ft]
        outb[i] = (x - pred) & 0xFF
    return bytes(outb)


ADAM7 = [(0, 0, 8, 8), (0, 4, 8, 8), (4, 0, 8, 4), (0, 2, 4, 4), (2, 0, 4, 2), (0, 1, 2, 2), (1, 0, 2, 1)]


def write_filtered(path, w, h, ct, d, pixels, interlace, palette, alphas, transparent):
    """Every filter type in turn, row by row, and the zlib stream cut into uneven IDATs."""
    bpp = max(1, CHANNELS[ct] * d // 8)
    passes = ADAM7 if interlace else [(0, 0, 1, 1)]
    data = bytearray()
    n = 0
    for fr, fc, rs, cs in passes:
        cols = range(fc, w, cs)
        rows = range(fr, h, rs)
        if len(cols) == 0 or len(rows) == 0:
            continue
        prior = None
        for y in rows:
            raw = pack_row([s for x in cols for s in pixels[y][x]], d)
            if prior is None:
                prior = bytes(len(raw))
            ft = n % 5
            n += 1
            data += bytes([ft]) + filter_row(ft, raw, prior, bpp)
            prior = raw
    z = zlib.compress(bytes(data), 9)
    body = chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, d, ct, 0, 0, 1 if interlace else 0))
    if palette is not None:
        body += chunk(b"PLTE", b"".join(bytes(c) for c in palette))
    if alphas is not None:
        body += chunk(b"tRNS", bytes(alphas))
    if transparent is not None:
        vals = [transparent] if ct == 0 else list(transparent)
        body += chunk(b"tRNS", b"".join(struct.pack(">H", v) for v in vals))
    pos = 0
    while pos < len(z):
        size = rng.choice((0, 1, 2, 3, 7, 64, 500))
        body += chunk(b"IDAT", z[pos:pos + size])
        pos += size
    body += chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + body)


def make_case(name, w, h, ct, d, interlace, with_trns, own_writer=False):
    ncolours = min(1 << d, 200) if ct == 3 else 0
    palette = [tuple(rng.randint(0, 255) for _ in range(3)) for _ in range(ncolours)] if ct == 3 else None
    pixels = make_pixels(w, h, ct, d, ncolours)
    alphas = None
    transparent = None
    if with_trns and ct == 3:
        # fewer alpha values than colours: the rest must count as opaque
        alphas = [rng.randint(0, 255) for _ in range(max(1, ncolours - 1))]
        alphas[0] = 0
    elif with_trns and ct in (0, 2):
        transparent = pixels[h // 2][w // 2][0] if ct == 0 else pixels[h // 2][w // 2]
    path = os.path.join(out, name + ".png")
    if own_writer:
        write_filtered(path, w, h, ct, d, pixels, interlace, palette, alphas, transparent)
    else:
        kw = dict(width=w, height=h, bitdepth=d, interlace=interlace)
        if ct == 3:
            kw["palette"] = [p + (alphas[i],) if alphas and i < len(alphas) else p for i, p in enumerate(palette)]
        else:
            kw["greyscale"] = ct in (0, 4)
            kw["alpha"] = ct in (4, 6)
            if transparent is not None:
                kw["transparent"] = transparent
        rows = [[s for px in row for s in px] for row in pixels]
        with open(path, "wb") as f:
            png.Writer(**kw).write(f, rows)
    with open(os.path.join(out, name + ".rgba"), "wb") as f:
        f.write(expected_rgba(pixels, ct, d, palette, alphas))
    manifest.append("%s %d %d %s" % (name, w, h, transparent_colour(ct, d, transparent)))


for ct, depths in DEPTHS.items():
    for d in depths:
        for interlace in (False, True):
            trns_options = (False, True) if ct in (0, 2, 3) else (False,)
            for trns in trns_options:
                base = "c%d_d%d%s%s" % (ct, d, "_i" if interlace else "", "_t" if trns else "")
                make_case(base, 13, 11, ct, d, interlace, trns)
                make_case("f_" + base, 33, 19, ct, d, interlace, trns, own_writer=True)

# Interlaced images smaller than a pass's first row or column leave passes empty.
for w, h in ((1, 1), (1, 9), (9, 1), (3, 3), (5, 2)):
    make_case("small_%dx%d_g1" % (w, h), w, h, 0, 1, True, False)
    make_case("small_%dx%d_rgba" % (w, h), w, h, 6, 8, True, False, own_writer=True)
    make_case("small_%dx%d_p2" % (w, h), w, h, 3, 2, True, True, own_writer=True)

with open(os.path.join(out, "corpus.txt"), "w") as f:
    f.write("\n".join(manifest) + "\n")


# ---- the conformance suite, with the reader's gamma ------------------------------------

def f32(x):
    return struct.unpack("f", struct.pack("f", x))[0]


def gamma_table(g):
    main = f32(g / 100000.0) if g > 0 else 1.0
    exponent = f32(1.0 / f32(main * f32(2.2)))
    return [round((i / 255) ** exponent * 255) for i in range(256)]


def suite_expected(path):
    reader = png.Reader(filename=path)
    info = {"gamma": None, "trns": None, "plte": None}
    for kind, data in reader.chunks():
        if kind == b"IHDR":
            w, h, d, ct = struct.unpack(">IIBB", data[:10])
        elif kind == b"gAMA":
            info["gamma"] = struct.unpack(">I", data)[0]
        elif kind == b"tRNS":
            info["trns"] = data
        elif kind == b"PLTE":
            info["plte"] = data
    w2, h2, rows, _ = png.Reader(filename=path).read()
    table = gamma_table(info["gamma"]) if info["gamma"] is not None else list(range(256))
    gamma_seen = info["gamma"] is not None
    n = CHANNELS[ct]
    outb = bytearray()
    for row in rows:
        row = list(row)
        for x in range(w):
            px = row[x * n:(x + 1) * n]
            if ct in (0, 4):
                level = scale8(px[0], d)
                r = g = b = table[level]
                # the byte the alpha bitmap reads: the grey level as the bitmap holds it
                a = 255 - table[level] if gamma_seen else 255
            elif ct == 2:
                r, g, b = (table[scale8(v, d)] for v in px)
                a = 255
            elif ct == 6:
                r, g, b = (table[scale8(v, d)] for v in px[:3])
                a = scale8(px[3], d)
            else:
                i = px[0]
                p = info["plte"]
                r, g, b = (table[p[3 * i + k]] for k in range(3)) if 3 * i + 2 < len(p) else (0, 0, 0)
                if info["trns"] is not None:
                    a = info["trns"][i] if i < len(info["trns"]) else 255
                elif gamma_seen:
                    a = 255 - table[scale8(i, d) if d < 8 else i]
                else:
                    a = 255
            outb += bytes((r, g, b, a))
    return w, h, bytes(outb)


if suite_dir:
    os.makedirs(os.path.join(out, "suite"), exist_ok=True)
    lines = []
    for sub in ("", "interlaced"):
        folder = os.path.join(suite_dir, sub)
        if not os.path.isdir(folder):
            continue
        for fname in sorted(os.listdir(folder)):
            if not fname.endswith(".png") or fname.startswith("x"):
                continue
            rel = os.path.join(sub, fname) if sub else fname
            w, h, data = suite_expected(os.path.join(folder, fname))
            with open(os.path.join(out, "suite", rel.replace("/", "_") + ".rgba"), "wb") as f:
                f.write(data)
            lines.append("%s %d %d" % (rel, w, h))
    with open(os.path.join(out, "suite.txt"), "w") as f:
        f.write("\n".join(lines) + "\n")
