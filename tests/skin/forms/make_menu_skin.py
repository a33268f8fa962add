#!/usr/bin/env python3
"""Writes the menu tests' skin: the form tests' skin (FROM) copied to TO, named like the
project's test skin so the skinned-window harness loads it, with the popup sections: a
light popup background (MAINMENU) framed by MenuFrame.bmp (9 x 9, 3-pixel borders: a dark
outer line, a blue inner band, fuchsia pixels cutting round corners), a grey icon column
(ICOLINE), a teal caption item with white text (MENUCAPTION), a menu line (MENULINE,
lighter while the form is active), and menu items that show the popup's image behind them
until they are selected; and small minimize and restore title glyphs.
    make_menu_skin.py FROM TO
"""
import os
import shutil
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data"))
from make_test_skin import write_bmp24  # noqa: E402

FUCHSIA = (255, 0, 255, 0)
OUTER, BAND = (30, 40, 110, 255), (110, 150, 230, 255)


def frame_pixels():
    px = [[BAND for _ in range(9)] for _ in range(9)]
    for i in range(9):
        px[0][i] = px[8][i] = px[i][0] = px[i][8] = OUTER
    for x, y in ((0, 0), (1, 0), (0, 1)):
        for mx, my in ((x, y), (8 - x, y), (x, 8 - y), (8 - x, 8 - y)):
            px[my][mx] = FUCHSIA
    return px


SECTIONS = """
[MAINMENU]
COLOR=15790320
FONTCOLOR=0
BORDERSMASK=&0000000000000000000300030003000310000000000MenuFrame.bmp
[ICOLINE]
COLOR=13684944
[MENUCAPTION]
COLOR=8421376
FONTCOLOR=16777215
[MENULINE]
COLOR=14540253
HOTCOLOR=15263976
FONTCOLOR=0
HOTFONTCOLOR=16777215
"""


def main(src, dst):
    if os.path.isdir(dst):
        shutil.rmtree(dst)
    shutil.copytree(src, dst)
    path = os.path.join(dst, "Options.dat")
    with open(path, "rb") as f:
        text = f.read().decode("latin-1")
    nl = "\r\n" if "\r\n" in text else "\n"
    # Small title glyphs for a maximized MDI child's buttons: minimize dark, restore light
    # yellow (first key wins, so they go right under the section's head).
    tail = "0000000000000000" + "10000" + "000000"
    text = text.replace("[GLOBALINFO]" + nl, "[GLOBALINFO]" + nl + "SICONMIN=&0000004000160056" + tail + nl
                        + "SICONNORM=&0032004000480056" + tail + nl, 1)
    # First key wins: the items' own state 0 shows the popup image through.
    text = text.replace("[MENUITEM]" + nl, "[MENUITEM]" + nl + "TRANSPARENCY=100" + nl, 1)
    text += nl.join(SECTIONS.split("\n"))
    with open(path, "wb") as f:
        f.write(text.encode("latin-1"))
    write_bmp24(os.path.join(dst, "MenuFrame.bmp"), frame_pixels())


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
