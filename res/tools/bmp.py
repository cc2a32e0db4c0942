# SPDX-License-Identifier: GPL-2.0-or-later
"""BMP files and palettes for LEKSTAR's resources.

The BMP writer is hand-made so that every header field is what the program's own reader expects.
"""

import struct

from PIL import Image

from drawing import BACKGROUND, BLUE, BLUE_DARK, BLUE_LIGHT, GREEN, GREEN_DARK, INK, RED, RED_DARK, STEEL

# The twenty colours a palette display reserves for itself: ten at the start of the system
# palette, ten at its end.
SYSTEM_COLOURS_LOW = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128),
    (128, 0, 128), (0, 128, 128), (192, 192, 192), (192, 220, 192), (166, 202, 240),
]
SYSTEM_COLOURS_HIGH = [
    (255, 251, 240), (160, 160, 164), (128, 128, 128), (255, 0, 0), (0, 255, 0),
    (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


# ---------------------------------------------------------------------------------------------
# BMP files. Written by hand so that every header field is what the program's reader expects.

def bmp_file(img, ppm=3780):
    """img: an RGB image (24 bits per pixel) or a P image with a palette (8 bits per pixel,
    256-entry colour table). Rows are stored bottom-up, each padded to a multiple of 4 bytes."""
    w, h = img.size
    if img.mode == "RGB":
        bpp, table = 24, b""
        raw = img.tobytes("raw", "BGR")
        row_in = w * 3
    elif img.mode == "P":
        bpp = 8
        pal = img.getpalette()[: 256 * 3]
        pal += [0] * (256 * 3 - len(pal))
        table = b"".join(bytes((pal[3 * i + 2], pal[3 * i + 1], pal[3 * i], 0)) for i in range(256))
        raw = img.tobytes()
        row_in = w
    else:
        raise ValueError(img.mode)
    stride = (bpp * w + 31) // 32 * 4
    pad = b"\0" * (stride - row_in)
    pixels = b"".join(raw[y * row_in:(y + 1) * row_in] + pad for y in range(h - 1, -1, -1))
    offset = 14 + 40 + len(table)
    size = offset + len(pixels)
    header = struct.pack("<2sIHHI", b"BM", size, 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, bpp, 0, len(pixels), ppm, ppm, 0, 0)
    return header + info + table + pixels


def write(path, data):
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_bytes(data)


# ---------------------------------------------------------------------------------------------
# Palettes

def halftone_palette():
    """A fixed palette for the 256-colour button bitmaps: the twenty system colours, the 6 x 6 x 6
    colour cube, the colours of the drawings and greys. Every 8-bit button uses this one palette,
    so the buttons never fight over palette entries."""
    colours = list(SYSTEM_COLOURS_LOW)
    for r in range(6):
        for g in range(6):
            for b in range(6):
                c = (r * 51, g * 51, b * 51)
                if c not in colours and c not in SYSTEM_COLOURS_HIGH:
                    colours.append(c)
    extras = [BACKGROUND, (228, 232, 238), (208, 214, 222), (126, 141, 160), (96, 110, 128),
              INK, BLUE, BLUE_DARK, BLUE_LIGHT, RED, RED_DARK, GREEN, GREEN_DARK, STEEL,
              (236, 150, 160), (120, 80, 50), (176, 120, 72)]
    for c in extras:
        if c not in colours and c not in SYSTEM_COLOURS_HIGH:
            colours.append(c)
    grey = 8
    while len(colours) + len(SYSTEM_COLOURS_HIGH) < 256:
        c = (grey, grey, grey)
        if c not in colours and c not in SYSTEM_COLOURS_HIGH:
            colours.append(c)
        grey += 8
    colours += SYSTEM_COLOURS_HIGH
    assert len(colours) == 256, len(colours)
    return colours


def palette_image(colours):
    p = Image.new("P", (1, 1))
    flat = [v for c in colours for v in c]
    p.putpalette(flat + [0] * (768 - len(flat)))
    return p


def to_fixed_palette(img, colours):
    return img.convert("RGB").quantize(palette=palette_image(colours), dither=Image.Dither.NONE)
