#!/usr/bin/env python3
"""Writes the project's test skin and its bad variants.

  make_test_skin.py OUTDIR

OUTDIR/Korvan Test/      the skin folder: Options.dat, Master.bmp (24-bit, fuchsia key
                         pixels), Master32.png (the same picture, 32-bit with alpha),
                         Glyph.png (32-bit, two frames), Glyph.bmp (the same, keyed),
                         Pattern.bmp (texture), KorvanTest.ttf (the font FontFile0
                         names); element values in every notation
OUTDIR/Korvan Test.asz   the same skin packed, with Master.png as preview
OUTDIR/bad-*/            one folder per error path, each a copy with one change:
  bad-cycle (PARENTCLASS cycles), bad-version-low, bad-version-high,
  bad-missing-master, bad-frame0 (an element whose frame count is 0)
OUTDIR/Korvan Case.asz   packed with MASTERBITMAP written in lower case

Every picture is drawn here from rectangles of known colours, so a test can name the
pixel it expects.
"""
import os
import struct
import sys

import png  # Debian python3-png
from fontTools.fontBuilder import FontBuilder  # Debian python3-fonttools
from fontTools.pens.ttGlyphPen import TTGlyphPen

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import skinpack  # noqa: E402

FUCHSIA = (255, 0, 255)
W, H = 160, 80


def amp(l, t, r, b, borders=(0, 0, 0, 0), frames=1, mask=0, kind=0, flags=0, name=""):
    """An element value in the canonical notation."""
    return ("&" + "".join("%04d" % v for v in (l, t, r, b) + tuple(borders))
            + "%d%d%d%02d" % (frames, mask, kind, flags) + "000000" + name)


# Regions of the master picture: (left, top, right, bottom, colour).
BUTTON = (0, 0, 90, 40)        # 3 frames of 30, image over mask (20 + 20), borders 4
EDIT = (90, 0, 110, 20)        # one frame, one-pixel borders
PANEL = (110, 0, 140, 30)      # "^" notation, borders derived from the rectangle
CHECKS = (0, 40, 32, 56)       # "@" notation, two 16 x 16 frames
HINT = (32, 40, 56, 64)        # 24 x 24, borders 6
HINT150 = (100, 40, 136, 76)   # the same drawn for 144 PPI: 36 x 36, borders 9
TOOLBAR = (56, 40, 76, 60)
TOOLBAR125 = (56, 40, 81, 65)
TOOLBAR200 = (56, 40, 96, 80)
TITLEBTN = (140, 0, 160, 40)   # title-bar close button, 20 x 20 at the top
GRIP = (140, 44, 156, 60)      # size grip, 16 x 16: its lower-right triangle dark
REGIONS = [
    (BUTTON, (40, 90, 160)), (EDIT, (250, 250, 250)), (PANEL, (200, 200, 190)),
    (TOOLBAR200, (60, 140, 60)), (TOOLBAR, (80, 160, 80)), (CHECKS, (20, 20, 20)),
    (HINT, (255, 255, 200)), (HINT150, (255, 240, 180)), (TITLEBTN, (200, 40, 40)),
]

OPTIONS = """[GLOBALINFO]
VERSION=12.5
AUTHOR=KORVAN project
DESCRIPTION=Test skin written by the project
MASTERBITMAP=%(master)s
MainFont=Tahoma
COLOR=14540253
FontFile0=KorvanTest.ttf
FontName0=Korvan Test
FontCount=1
BORDERWIDTH=4
BORDERWIDTH*125=5
TITLEHEIGHT=24
WSHSIZE=16
WSHSIZE*125=20
SHADOW1OFFSET=2
COMBOMARGIN=1
SH_COLORL=0
LO_COLORL=16777215
BOXCHECKED=%(checks)s
BOXUNCHECKED=%(boxun)s
BICONCLOSE=%(close)s
GRIPIMAGE=%(grip)s
BICONCLOSEGLOW0=%(close)s
BICONCLOSEGLOW=1
BICONCLOSEGLOWMARGIN=3
[BUTTON]
STATES=3
COLOR=14540253
HOTCOLOR=15658734
FONTCOLOR=0
HOTFONTCOLOR=8388608
GRADIENTPERCENT=100
GRADIENTDATA=15658734;16777215;50;0;0;14540253;14540253;0;0;0
HOTGRADIENTDATA=16777215;50;0;15658734;50;0;B
GLOW=300
OUTBLUR=50
BORDERSMASK=%(button)s
PATTERN=~0000~0000~0008~0008~00~0~Pattern.bmp
HOTPATTERN=Pattern.bmp!1!0!0!0000!0000!0000!0000!00
[MIDBUTTON]
PARENTCLASS=BUTTON
COLOR=255
HOTFONTCOLOR=-1
[CHILDBUTTON]
PARENTCLASS=MIDBUTTON
COLOR=-1
TRANSPARENCY=30
[EDIT]
COLOR=16777215
FONTCOLOR=0
HOTCOLOR=15794175
HOTFONTCOLOR=8388608
STATES=2
BORDERSMASK=%(edit)s
[PANEL]
COLOR=14540253
STATES=1
BORDERSMASK=^%(panel)s
PATTERN=Pattern.bmp
[PANEL_LOW]
PARENTCLASS=PANEL
COLOR=13421772
[FORMTITLE]
COLOR=8404992
HOTCOLOR=12615680
FONTCOLOR=14737632
HOTFONTCOLOR=16777215
GLOWMARGIN=4
[HINT]
COLOR=13434879
FONTCOLOR=0
BORDERSMASK=%(hint)s
BORDERSMASK*150=%(hint150)s
[SELECTION]
COLOR=12937777
FONTCOLOR=16777215
HOTCOLOR=12937777
HOTFONTCOLOR=16777215
[MENUITEM]
COLOR=16316664
HOTCOLOR=12937777
USESTATE2=1
COLOR2=8421504
TCLEFT2=255
[TOOLBAR]
COLOR=14540253
BORDERSMASK=%(toolbar)s
BORDERSMASK*125=%(toolbar125)s
BORDERSMASK*200=%(toolbar200)s
[TABTOP]
PARENTCLASS=BUTTON
[TABBOTTOM]
PARENTCLASS=TABTOP
[TABLEFT]
PARENTCLASS=TABTOP
[TABRIGHT]
PARENTCLASS=TABTOP
[PAGECONTROL]
PARENTCLASS=PANEL
COLOR=15790320
[PAGECONTROLBOTTOM]
PARENTCLASS=PAGECONTROL
[PAGECONTROLLEFT]
PARENTCLASS=PAGECONTROL
[PAGECONTROLRIGHT]
PARENTCLASS=PAGECONTROL
[TOOLBUTTON]
PARENTCLASS=BUTTON
[STATUSBAR]
COLOR=15261367
FONTCOLOR=0
[DIVIDER]
COLOR=8421504
BORDERSMASK=%(edit)s
[SPEEDBUTTON]
PARENTCLASS=BUTTON
[COMBOBOX]
PARENTCLASS=EDIT
GLYPHMASK=!Glyph.bmp!2!0!0!0002!0002!0002!0002!00
[COMBOBTN]
PARENTCLASS=BUTTON
[TRACKBAR]
COLOR=14540253
SLIDERMASK=%(button)s
SLIDERCHANNEL=%(edit)s
TICKHORZ=!Glyph.bmp!2!0!4!0000!0000!0032!0016!01
[UPDOWNBTN]
PARENTCLASS=BUTTON
[SCROLLBAR1H]
COLOR=15263976
[SCROLLBAR1V]
PARENTCLASS=SCROLLBAR1H
[SCROLLBAR2H]
PARENTCLASS=SCROLLBAR1H
COLOR=14211288
[SCROLLBAR2V]
PARENTCLASS=SCROLLBAR2H
[SCROLLBTNLEFT]
PARENTCLASS=BUTTON
[SCROLLBTNTOP]
PARENTCLASS=BUTTON
[SCROLLBTNRIGHT]
PARENTCLASS=BUTTON
[SCROLLBTNBOTTOM]
PARENTCLASS=BUTTON
[SCROLLSLIDERH]
PARENTCLASS=BUTTON
[SCROLLSLIDERV]
PARENTCLASS=BUTTON
[WEBBUTTON]
COLOR=16777215
FONTCOLOR=8388608
HOTFONTCOLOR=255
GCOL=65280
GSIZE=3
STATES=2
[CHECKBOX]
TRANSPARENCY=100
[RADIOBUTTON]
TRANSPARENCY=100
[GLOWPANEL]
PARENTCLASS=PANEL
OUTERMODE=3
OUTCOLL=255
OUTOFFSL=4
OUTOFFSR=4
OUTBLUR=6
OUTRADIUS=4
[HALFCLEAR]
COLOR=0
FONTCOLOR=255
TRANSPARENCY=50
STATES=1
[GLOWBUTTON]
PARENTCLASS=BUTTON
GLOW0=%(close)s
GLOWMARGIN=3
"""


def options(master="Master.bmp"):
    def c(r):
        return "".join("%04d" % v for v in r)

    def caret(r):
        return "^".join("%04d" % v for v in r) + "^0000^0000^0000^0000^1^0^00^0000"

    def at(r):
        return "@" + "@".join("%04d" % v for v in r) + "@2@0"

    return (OPTIONS % {
        "master": master,
        "checks": at(CHECKS),
        "boxun": amp(0, 0, 32, 16, frames=2, kind=2, name="Glyph.png"),
        "close": amp(*TITLEBTN[:2], TITLEBTN[2], TITLEBTN[1] + 20, frames=1, kind=2),
        "grip": amp(*GRIP, frames=1, kind=2),
        "button": amp(*BUTTON, borders=(4, 4, 4, 4), frames=3, mask=1),
        "edit": amp(*EDIT, borders=(1, 1, 1, 1)),
        "panel": caret(PANEL),
        "hint": amp(*HINT, borders=(6, 6, 6, 6)),
        "hint150": amp(*HINT150, borders=(9, 9, 9, 9)),
        "toolbar": amp(*TOOLBAR, borders=(3, 3, 3, 3)),
        "toolbar125": amp(*TOOLBAR125, borders=(4, 4, 4, 4)),
        "toolbar200": amp(*TOOLBAR200, borders=(6, 6, 6, 6)),
    }).replace("\n", "\r\n").encode("latin-1")


def master_pixels():
    """Rows of (r, g, b, a); the corners of every bordered region are fuchsia."""
    px = [[FUCHSIA + (0,) for _ in range(W)] for _ in range(H)]
    for (l, t, r, b), col in REGIONS:
        for y in range(t, b):
            for x in range(l, r):
                px[y][x] = col + (255,)
    # Transparent 2 x 2 corners at the top-left of each button frame's image block.
    for f in range(3):
        for y in range(2):
            for x in range(2):
                px[y][f * 30 + x] = FUCHSIA + (0,)
    l, t, r, b = GRIP
    for y in range(t, b):
        for x in range(l, r):
            if (x - l) + (y - t) >= r - l:
                px[y][x] = (60, 60, 60, 255)
    # A half-transparent pixel that only the 32-bit variant carries.
    px[10][100] = (250, 250, 250, 128)
    return px


def write_bmp24(path, px):
    h, w = len(px), len(px[0])
    stride = (w * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(px):
        line = bytearray()
        for r, g, b, _a in row:
            line += bytes((b, g, r))
        data += line + b"\0" * (stride - len(line))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data), 3780, 3780, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


def write_png32(path, px):
    rows = [[c for p in row for c in p] for row in px]
    with open(path, "wb") as f:
        png.Writer(len(px[0]), len(px), greyscale=False, alpha=True).write(f, rows)


def glyph_pixels():
    """Two 16 x 16 frames: a dark square, then a light one, each on transparent ground."""
    px = [[(0, 0, 0, 0)] * 32 for _ in range(16)]
    for f, col in enumerate(((30, 30, 30, 255), (230, 230, 230, 255))):
        for y in range(4, 12):
            for x in range(4, 12):
                px[y][f * 16 + x] = col
    return px


def pattern_pixels():
    return [[(200, 200, 220, 255) if (x + y) % 2 else (180, 180, 210, 255) for x in range(8)] for y in range(8)]


def write_font(path):
    """The skin's TrueType font "Korvan Test": a full square at "A", a lower half at "B"."""
    def glyph(top):
        pen = TTGlyphPen(None)
        if top:
            pen.moveTo((0, 0))
            pen.lineTo((0, top))
            pen.lineTo((1000, top))
            pen.lineTo((1000, 0))
            pen.closePath()
        return pen.glyph()

    fb = FontBuilder(1000, isTTF=True)
    names = [".notdef", "space", "A", "B"]
    fb.setupGlyphOrder(names)
    fb.setupCharacterMap({0x20: "space", 0x41: "A", 0x42: "B"})
    fb.setupGlyf({".notdef": glyph(0), "space": glyph(0), "A": glyph(1000), "B": glyph(500)})
    fb.setupHorizontalMetrics({n: (1000, 0) for n in names})
    fb.setupHorizontalHeader(ascent=1000, descent=0)
    fb.setupNameTable({"familyName": "Korvan Test", "styleName": "Regular"})
    fb.setupOS2(sTypoAscender=1000, sTypoDescender=0, usWinAscent=1000, usWinDescent=0)
    fb.setupPost()
    fb.updateHead(created=0, modified=0)
    fb.font.recalcTimestamp = False  # the same bytes on every run
    fb.save(path)


def write_skin(folder, opts, with_master=True):
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "Options.dat"), "wb") as f:
        f.write(opts)
    if with_master:
        write_bmp24(os.path.join(folder, "Master.bmp"), master_pixels())
        write_png32(os.path.join(folder, "Master32.png"), master_pixels())
    write_png32(os.path.join(folder, "Glyph.png"), glyph_pixels())
    keyed = [[p if p[3] else FUCHSIA + (0,) for p in row] for row in glyph_pixels()]
    write_bmp24(os.path.join(folder, "Glyph.bmp"), keyed)
    write_bmp24(os.path.join(folder, "Pattern.bmp"), pattern_pixels())
    write_font(os.path.join(folder, "KorvanTest.ttf"))


def main(outdir):
    good = options()
    skin = os.path.join(outdir, "Korvan Test")
    write_skin(skin, good)
    skinpack.pack_folder(skin, os.path.join(outdir, "Korvan Test.asz"), os.path.join(skin, "Master32.png"))

    variants = {
        "bad-cycle": good.replace(b"[BUTTON]\r\n", b"[BUTTON]\r\nPARENTCLASS=CHILDBUTTON\r\n")
                         .replace(b"[SCROLLBAR1H]\r\n", b"[SCROLLBAR1H]\r\nPARENTCLASS=SCROLLBAR1H\r\n"),
        "bad-version-low": good.replace(b"VERSION=12.5", b"VERSION=10.25"),
        "bad-version-high": good.replace(b"VERSION=12.5", b"VERSION=15"),
        "bad-missing-master": good.replace(b"MASTERBITMAP=Master.bmp", b"MASTERBITMAP=Nowhere.bmp"),
        "bad-frame0": good.replace(amp(*EDIT, borders=(1, 1, 1, 1)).encode(),
                                   amp(*EDIT, borders=(0, 0, 0, 0), frames=0).encode()),
    }
    for name, text in variants.items():
        assert text != good, name
        write_skin(os.path.join(outdir, name), text, with_master=name != "bad-missing-master")

    case = os.path.join(outdir, "case")
    write_skin(case, options("master.bmp"))
    skinpack.pack_folder(case, os.path.join(outdir, "Korvan Case.asz"))


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    main(sys.argv[1])
