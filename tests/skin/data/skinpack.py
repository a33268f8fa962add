#!/usr/bin/env python3
"""Writes packed skin files (".asz") and the packed test cases of the skin reader.

Format: "ASzf", entry count (int32 LE), then per entry: name length (int32), name bytes,
inflated size (int32), one zlib stream. An optional preview block ("previewimg", size,
bytes, stored as is) follows the entries.

  skinpack.py pack FOLDER OUT.asz [PREVIEW]   pack a skin folder (Options.dat first)
  skinpack.py cases OUTDIR                    the well-formed and malformed test files
"""
import os
import struct
import sys
import zlib


def entry(name, data, size=None, stream=None):
    raw = name.encode("latin-1")
    if stream is None:
        stream = zlib.compress(data)
    if size is None:
        size = len(data)
    return struct.pack("<i", len(raw)) + raw + struct.pack("<i", size) + stream


def packed(entries, count=None, preview=None, signature=b"ASzf"):
    body = b"".join(entries)
    if count is None:
        count = len(entries)
    out = signature + struct.pack("<i", count) + body
    if preview is not None:
        out += b"previewimg" + struct.pack("<i", len(preview)) + preview
    return out


def pack_folder(folder, out, preview=None):
    names = sorted(os.listdir(folder), key=lambda n: (n.lower() != "options.dat", n))
    entries = []
    for name in names:
        path = os.path.join(folder, name)
        if os.path.isfile(path):
            with open(path, "rb") as f:
                entries.append(entry(name, f.read()))
    pic = None
    if preview:
        with open(preview, "rb") as f:
            pic = f.read()
    with open(out, "wb") as f:
        f.write(packed(entries, preview=pic))


OPTIONS = b"[GLOBALINFO]\r\nVERSION=12\r\n[BUTTON]\r\nCOLOR=255\r\n"
# A stand-in preview: the reader hands the bytes over without looking at them.
PREVIEW = b"\x89PNG\r\n\x1a\n" + bytes(range(40))


def noise(n, seed):
    """Bytes that deflate cannot shrink, the same on every run."""
    out, x = bytearray(n), seed
    for i in range(n):
        x = (x * 1103515245 + 12345) & 0x7FFFFFFF
        out[i] = x >> 16 & 0xFF
    return bytes(out)


def cases(outdir):
    os.makedirs(outdir, exist_ok=True)
    # Entries that stay larger than 64 KB when compressed, one right after the other.
    big1, big2 = noise(70000, 1), noise(100000, 2)
    good = [entry("Options.dat", OPTIONS), entry("Master.BMP", b"BM" + bytes(30)),
            entry("Icons.ttf", b"\0\1\0\0font"), entry("Glyph.png", b"png-bytes"), entry("README", b"")]
    opts = entry("Options.dat", OPTIONS)
    stream = zlib.compress(b"x" * 300)
    files = {
        # well formed
        "good.asz": packed(good, preview=PREVIEW),
        "empty.asz": packed([]),
        "options_upper.asz": packed([entry("OPTIONS.DAT", OPTIONS)]),
        "options_lower.asz": packed([entry("options.dat", OPTIONS)]),
        "no_options.asz": packed([entry("a.bmp", b"1"), entry("b.otf", b"2")]),
        "big_entries.asz": packed([entry("one.bin", big1), entry("two.bin", big2), opts]),
        "preview_first.asz": b"previewimg" + struct.pack("<i", 4) + b"WXYZ",
        "preview_beyond.asz": packed([opts]) + b"previewimg" + struct.pack("<i", 1000) + b"abc",
        "preview_negative.asz": packed([opts]) + b"previewimg" + struct.pack("<i", -5) + b"abc",
        "preview_cut.asz": packed([opts]) + b"previewimg" + b"\x01\x00",
        # malformed
        "bad_signature.asz": packed([opts], signature=b"ASZF"),
        "short_3.asz": b"ASz",
        "short_header.asz": b"ASzf\x01\x00",
        "negative_count.asz": packed([opts], count=-1),
        "count_beyond.asz": packed([opts], count=2),
        "huge_count.asz": packed([opts], count=0x7FFFFFFF),
        "negative_name.asz": b"ASzf" + struct.pack("<ii", 1, -4) + b"\0" * 16,
        "huge_name.asz": b"ASzf" + struct.pack("<ii", 1, 0x7FFFFFF0) + b"name",
        "name_beyond.asz": b"ASzf" + struct.pack("<ii", 1, 40) + b"Options.dat",
        "negative_size.asz": packed([entry("Options.dat", OPTIONS, size=-1)]),
        "huge_size.asz": packed([entry("Options.dat", OPTIONS, size=0x7FFFFFFF)]),
        "size_beyond_ratio.asz": packed([entry("x.bin", b"", size=5000000, stream=zlib.compress(b""))]),
        "size_too_small.asz": packed([entry("x.bin", b"x" * 300, size=299, stream=stream)]),
        "size_too_large.asz": packed([entry("x.bin", b"x" * 300, size=301, stream=stream)]),
        "stream_cut.asz": packed([entry("x.bin", b"x" * 300, stream=stream[:-3])]),
        "stream_garbage.asz": packed([entry("x.bin", b"x" * 300, stream=b"\x78\x9c" + b"\xff" * 20)]),
        "no_size.asz": b"ASzf" + struct.pack("<ii", 1, 3) + b"abc",
        "good_then_bad.asz": packed([opts, entry("x.bin", b"x" * 300, stream=stream[:5])]),
    }
    for name, data in files.items():
        with open(os.path.join(outdir, name), "wb") as f:
            f.write(data)
    with open(os.path.join(outdir, "big1.bin"), "wb") as f:
        f.write(big1)
    with open(os.path.join(outdir, "big2.bin"), "wb") as f:
        f.write(big2)


def main(argv):
    if len(argv) >= 4 and argv[1] == "pack":
        pack_folder(argv[2], argv[3], argv[4] if len(argv) > 4 else None)
    elif len(argv) == 3 and argv[1] == "cases":
        cases(argv[2])
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main(sys.argv)
