#!/usr/bin/python3
"""Draws LEKSTAR's resources and writes the pages that live beside the program.

Everything under res/ that is not source code comes from this script, so a change of look is a
change here followed by a new run:

    /usr/bin/python3 res/tools/make-resources.py [--contact /tmp/contact.png]

It needs Python 3 with PIL (Debian: python3-pil) and the DejaVu and Liberation fonts
(fonts-dejavu-core, fonts-liberation). The output is the same on every run.

Written:
    res/bitmaps/<id>.bmp      button bitmaps (32 x 32 small layout, 44 x 44 large layout), the
                              pressed frames, and the four 24 x 16 index-button bitmaps
    res/icons/128/<n>.png     the window icon at 16 ... 256 pixels; res/icons/lekstar.png (256)
    res/splash/210.bmp        the start-up picture for high-colour displays
    res/splash/211.bmp        the same picture for palette displays (256 colours or fewer)
    res/lekstar.qrc           the Qt resource file that compiles the pictures into the program
    res/HTM/HH.htm            the page head every translation page starts with
    res/HTM/Apie.htm          the start page for screens wider than 800 pixels
    res/HTM/Apie_s.htm        the start page for smaller screens
    res/HTM/Pagalba.htm       the help page

--contact PATH additionally writes a sheet of every bitmap, the icon and the splash pictures,
scaled up, for looking at them side by side.
"""

import argparse
import math
import struct
from pathlib import Path

from PIL import Image, ImageDraw, ImageFilter, ImageFont

RES = Path(__file__).resolve().parent.parent
FONT_DIRS = [Path("/usr/share/fonts/truetype/dejavu"), Path("/usr/share/fonts/truetype/liberation")]

# Supersampling factor: shapes are drawn this many times larger and box-filtered down, which gives
# exact coverage antialiasing while lines laid on whole pixels stay crisp.
SS = 8

# The dialog's background around the rounded button face (the usual light window colour).
BACKGROUND = (240, 240, 240)

# ---------------------------------------------------------------------------------------------
# Button bitmap ids: (button, state) -> (small high colour, small 256 colours,
#                                        large high colour, large 256 colours)
BUTTONS = {
    ("ontop", "on"): (164, 190, 160, 188),
    ("ontop", "off"): (167, 191, 161, 189),
    ("history", "shown"): (187, 202, 159, 200),
    ("history", "hidden"): (186, 203, 158, 201),
    ("print", ""): (163, 199, 155, 196),
    ("exit", ""): (168, 204, 153, 180),
    ("help", ""): (215, 214, 212, 213),
    ("clear", ""): (193, 195, 192, 194),
    ("pressed", ""): (169, 209, 162, 208),
}

# The index buttons: 1016 (English index) and 1017 (Lithuanian index). While the English index is
# in use, 1016 shows 219 and 1017 shows 216; while the Lithuanian index is in use, 1016 shows 218
# and 1017 shows 217. So the language whose index is in use is drawn strong, the other greyed:
INDEX_BUTTONS = {
    219: ("EN", True),   # English index in use
    218: ("EN", False),  # Lithuanian index in use
    217: ("LT", True),   # Lithuanian index in use
    216: ("LT", False),  # English index in use
}

ICON_SIZES = (16, 24, 32, 48, 64, 128, 256)

SPLASH_WIDTH = 480
SPLASH_HEIGHT = 359
SPLASH_PPM = 4724  # 120 pixels per inch

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

# Colours of the drawings.
INK = (38, 50, 68)
BLUE = (42, 104, 200)
BLUE_DARK = (24, 64, 140)
BLUE_LIGHT = (170, 202, 240)
RED = (214, 48, 44)
RED_DARK = (140, 22, 22)
GREEN = (40, 150, 70)
GREEN_DARK = (20, 96, 44)
STEEL = (150, 158, 170)
PAPER = (255, 255, 255)
LT_YELLOW = (253, 185, 19)
LT_GREEN = (0, 106, 68)
LT_RED = (193, 39, 45)


def font(name, size):
    for d in FONT_DIRS:
        p = d / name
        if p.exists():
            return ImageFont.truetype(str(p), size)
    raise SystemExit(f"font {name} not found; install fonts-dejavu-core and fonts-liberation")


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


# ---------------------------------------------------------------------------------------------
# Drawing helpers. A sketch is drawn on a 32-unit design grid, supersampled.

class Sketch:
    def __init__(self, n, design=32, mode="RGB", fill=BACKGROUND):
        self.n = n
        self.k = n * SS / design
        self.img = Image.new(mode, (n * SS, n * SS), fill)
        self.d = ImageDraw.Draw(self.img)

    def p(self, x, y):
        return (x * self.k, y * self.k)

    def pts(self, points):
        return [self.p(x, y) for x, y in points]

    def box(self, x0, y0, x1, y1):
        return [x0 * self.k, y0 * self.k, x1 * self.k - 1, y1 * self.k - 1]

    def w(self, units):
        return max(1, round(units * self.k))

    def px(self, pixels):
        """A width in output pixels, whatever the size."""
        return pixels * SS

    def rrect(self, x0, y0, x1, y1, r, fill=None, outline=None, width=1.0):
        self.d.rounded_rectangle(self.box(x0, y0, x1, y1), radius=r * self.k, fill=fill,
                                 outline=outline, width=self.w(width) if outline else 0)

    def rect(self, x0, y0, x1, y1, fill=None, outline=None, width=1.0):
        self.d.rectangle(self.box(x0, y0, x1, y1), fill=fill, outline=outline,
                         width=self.w(width) if outline else 0)

    def ellipse(self, cx, cy, rx, ry=None, fill=None, outline=None, width=1.0):
        ry = rx if ry is None else ry
        self.d.ellipse(self.box(cx - rx, cy - ry, cx + rx, cy + ry), fill=fill, outline=outline,
                       width=self.w(width) if outline else 0)

    def poly(self, points, fill=None, outline=None, width=1.0):
        self.d.polygon(self.pts(points), fill=fill)
        if outline:
            self.line(points + [points[0]], outline, width)

    def line(self, points, colour, width=1.0):
        self.d.line(self.pts(points), fill=colour, width=self.w(width), joint="curve")
        r = self.w(width) / 2
        for x, y in self.pts([points[0], points[-1]]):
            self.d.ellipse([x - r, y - r, x + r, y + r], fill=colour)

    def text(self, cx, cy, s, fnt_name, size_units, colour):
        f = font(fnt_name, round(size_units * self.k))
        self.d.text(self.p(cx, cy), s, font=f, fill=colour, anchor="mm")

    def paste(self, layer):
        self.img.paste(layer.img, (0, 0), layer.img)

    def result(self):
        return self.img.resize((self.n, self.n), Image.Resampling.BOX)


def vgradient(size, top, bottom):
    w, h = size
    g = Image.linear_gradient("L").resize((w, h))
    return Image.composite(Image.new("RGB", size, bottom), Image.new("RGB", size, top), g)


def mask_of(size, draw_fn):
    m = Image.new("L", size, 0)
    draw_fn(ImageDraw.Draw(m))
    return m


def layer_like(sk):
    """An empty transparent sketch of the same size, for parts drawn apart (rotated, shadowed)."""
    lay = Sketch(sk.n, mode="RGBA", fill=(0, 0, 0, 0))
    lay.k = sk.k
    return lay


def rotated(layer, degrees, cx, cy, k):
    return layer.img.rotate(degrees, resample=Image.Resampling.BICUBIC, center=(cx * k, cy * k))


# ---------------------------------------------------------------------------------------------
# Button face

def button_face(n, pressed=False, flat=False):
    sk = Sketch(n)
    full = n * SS
    inset = sk.px(1)
    radius = max(4, round(n * 0.16)) * SS
    sk.d.rounded_rectangle([0, 0, full - 1, full - 1], radius=radius,
                           fill=(96, 110, 128) if pressed else (126, 141, 160))
    inner_box = [inset, inset, full - 1 - inset, full - 1 - inset]
    inner_mask = mask_of((full, full), lambda d: d.rounded_rectangle(inner_box, radius=radius - inset,
                                                                      fill=255))
    if pressed:
        # Sunken: dark at the top, lighter towards the bottom, with a shadow along the top and
        # left inner edges as if the face were pushed in.
        face = (208, 214, 222) if flat else vgradient((full, full), (186, 195, 207), (222, 228, 236))
        sk.img.paste(face, (0, 0), inner_mask)
        shadow = Image.new("L", (full, full), 0)
        sd = ImageDraw.Draw(shadow)
        sd.rounded_rectangle(inner_box, radius=radius - inset, fill=150)
        sd.rounded_rectangle([inset + sk.px(2), inset + sk.px(2), full - 1 - inset + sk.px(2),
                              full - 1 - inset + sk.px(2)], radius=radius - inset, fill=0)
        shadow = Image.composite(shadow, Image.new("L", (full, full), 0), inner_mask)
        sk.img.paste((96, 110, 128), (0, 0), shadow)
    else:
        face = (228, 232, 238) if flat else vgradient((full, full), (253, 254, 255), (218, 225, 234))
        sk.img.paste(face, (0, 0), inner_mask)
        if not flat:
            # A one-pixel highlight along the top inner edge.
            hl = Image.new("L", (full, full), 0)
            hd = ImageDraw.Draw(hl)
            hd.rounded_rectangle(inner_box, radius=radius - inset, fill=255)
            hd.rounded_rectangle([inset, inset + sk.px(1), full - 1 - inset, full - 1 - inset],
                                 radius=radius - inset, fill=0)
            hl = Image.composite(hl, Image.new("L", (full, full), 0), inner_mask)
            sk.img.paste((255, 255, 255), (0, 0), hl)
    return sk


# ---------------------------------------------------------------------------------------------
# Pictograms, on the 32-unit grid

def pushpin(lay, cx, top, colour, dark):
    """An upright pushpin: knob, waist, collar and needle; its tip at (cx, top + 22)."""
    lay.line([(cx, top + 13), (cx, top + 22)], (120, 126, 136), 1.6)
    lay.line([(cx - 0.3, top + 13), (cx - 0.3, top + 20)], (205, 210, 218), 0.5)
    lay.rrect(cx - 6.5, top + 10.5, cx + 6.5, top + 14, 1.6, fill=colour, outline=dark, width=0.9)
    lay.poly([(cx - 3.2, top + 4.5), (cx + 3.2, top + 4.5), (cx + 2.4, top + 11),
              (cx - 2.4, top + 11)], fill=colour)
    lay.line([(cx - 3.2, top + 4.5), (cx - 2.4, top + 11)], dark, 0.9)
    lay.line([(cx + 3.2, top + 4.5), (cx + 2.4, top + 11)], dark, 0.9)
    lay.rrect(cx - 5, top, cx + 5, top + 5, 2.2, fill=colour, outline=dark, width=0.9)
    lay.rrect(cx - 3.4, top + 1.2, cx - 1, top + 3.6, 1.2, fill=(255, 180, 170))
    lay.line([(cx - 1.4, top + 6), (cx - 1.2, top + 10)], (250, 140, 130), 0.9)


def draw_ontop(sk, on):
    lay = layer_like(sk)
    if on:
        # Stuck in: upright, the needle's end in a small hole with a shadow beside it.
        lay.ellipse(16, 27.2, 4.5, 1.3, fill=(0, 0, 0, 60))
        pushpin(lay, 16, 5, RED, RED_DARK)
        sk.paste(lay)
        sk.ellipse(16, 27.3, 1.1, 0.7, fill=(60, 60, 60))
    else:
        # Pulled out: lying tilted, the needle free and no shadow under it.
        pushpin(lay, 16, 5, RED, RED_DARK)
        sk.img.paste(rotated(lay, -50, 16, 16, sk.k), (0, 0), rotated(lay, -50, 16, 16, sk.k))


def clock(sk, cx, cy, r, rim):
    sk.ellipse(cx, cy, r, fill=PAPER, outline=rim, width=1.3)
    for a in range(0, 360, 90):
        x = cx + math.sin(math.radians(a)) * (r - 1.6)
        y = cy - math.cos(math.radians(a)) * (r - 1.6)
        sk.ellipse(x, y, 0.45, fill=INK)
    sk.line([(cx, cy), (cx, cy - r + 2.2)], INK, 1.1)
    sk.line([(cx, cy), (cx + r - 2.8, cy + 1.2)], INK, 1.1)
    sk.ellipse(cx, cy, 0.8, fill=RED)


def draw_history(sk, shown):
    # A window whose right-hand column is the history list: open with its rows when shown, folded
    # to a narrow strip with an arrow when hidden. A clock marks it as the history.
    sk.rrect(4, 6, 28, 26, 1.6, fill=PAPER, outline=INK, width=1.1)
    sk.rect(4.6, 6.6, 27.4, 9.6, fill=BLUE)
    if shown:
        sk.rect(17, 9.6, 27.4, 25.4, fill=BLUE_LIGHT)
        sk.line([(17, 9.6), (17, 25.4)], INK, 0.9)
        for i, y in enumerate((12.8, 16.0, 19.2, 22.4)):
            sk.line([(19.2, y), (25.2 - (i % 2) * 2, y)], BLUE_DARK, 1.4)
        clock(sk, 10.5, 17.8, 5.2, BLUE_DARK)
    else:
        sk.rect(24.6, 9.6, 27.4, 25.4, fill=(200, 206, 214))
        sk.line([(24.6, 9.6), (24.6, 25.4)], INK, 0.9)
        # A chevron pointing left: "pull the list out".
        sk.line([(21.5, 14.5), (18.8, 17.6), (21.5, 20.7)], BLUE_DARK, 1.6)
        clock(sk, 10.5, 17.8, 5.2, (120, 128, 140))


def draw_print(sk):
    # Paper waiting at the back.
    sk.rect(10, 4.5, 22, 14, fill=PAPER, outline=INK, width=0.9)
    sk.line([(12.5, 8), (19.5, 8)], STEEL, 0.9)
    sk.line([(12.5, 10.5), (18, 10.5)], STEEL, 0.9)
    # The body.
    lay = layer_like(sk)
    lay.rrect(4.5, 12, 27.5, 23.5, 2.2, fill=(92, 102, 118), outline=INK, width=0.9)
    lay.rrect(5.5, 12.8, 26.5, 16, 1.6, fill=(132, 142, 158))
    sk.paste(lay)
    sk.ellipse(23.8, 18.2, 1.1, fill=(90, 220, 110))
    # The printed sheet coming out at the front.
    sk.rect(9, 19.5, 23, 28.5, fill=PAPER, outline=INK, width=0.9)
    sk.line([(11.5, 22.5), (20.5, 22.5)], BLUE, 0.9)
    sk.line([(11.5, 25.2), (18.5, 25.2)], BLUE, 0.9)
    sk.line([(6.5, 19.5), (25.5, 19.5)], INK, 1.2)


def draw_exit(sk):
    # A door frame, the door swung open, an arrow leaving through it.
    sk.rect(6, 4.5, 19, 28, fill=(60, 66, 78))
    sk.rect(7.4, 5.9, 17.6, 28, fill=(250, 238, 200))
    sk.poly([(7.4, 5.9), (14.6, 8.6), (14.6, 30), (7.4, 28)], fill=(176, 120, 72))
    sk.line([(7.4, 5.9), (14.6, 8.6), (14.6, 30), (7.4, 28)], (120, 80, 50), 0.9)
    sk.ellipse(12.6, 18.4, 0.9, fill=(250, 220, 120))
    sk.line([(4, 28.3), (21, 28.3)], (60, 66, 78), 1.2)
    arrow = [(15, 14.2), (22, 14.2), (22, 10.5), (28.5, 16.5), (22, 22.5), (22, 18.8), (15, 18.8)]
    sk.poly(arrow, fill=GREEN, outline=GREEN_DARK, width=0.8)


def draw_help(sk):
    full = sk.n * SS
    disc = mask_of((full, full), lambda d: d.ellipse(sk.box(5, 5, 27, 27), fill=255))
    sk.img.paste(vgradient((full, full), (84, 150, 235), (24, 78, 170)), (0, 0), disc)
    # A faint gloss on the upper half.
    gloss = mask_of((full, full), lambda d: d.ellipse(sk.box(8.5, 6.2, 23.5, 15.5), fill=70))
    sk.img.paste((255, 255, 255), (0, 0), gloss)
    sk.ellipse(16, 16, 11, outline=BLUE_DARK, width=0.9)
    sk.text(16.3, 16.6, "?", "DejaVuSans-Bold.ttf", 17, (255, 255, 255))


def draw_clear(sk):
    # Lines of a list, the last ones rubbed out by an eraser lying across them.
    for y, x1 in ((7.5, 20), (11.5, 17)):
        sk.line([(5.5, y), (x1, y)], (110, 118, 130), 1.4)
    sk.line([(5.5, 15.5), (9, 15.5)], (190, 196, 204), 1.4)
    lay = layer_like(sk)
    # Drawn level, then turned: sleeve (blue) and rubber (pink).
    lay.rrect(7, 13, 17.5, 21, 1.4, fill=(236, 150, 160), outline=(150, 60, 74), width=0.9)
    lay.rrect(17, 13, 27, 21, 1.4, fill=BLUE, outline=BLUE_DARK, width=0.9)
    lay.line([(17.2, 13.5), (17.2, 20.5)], BLUE_DARK, 0.9)
    lay.line([(19, 15.2), (25.4, 15.2)], (120, 170, 240), 0.9)
    turned = rotated(lay, 35, 17, 17, sk.k).transform(
        sk.img.size, Image.AFFINE, (1, 0, 0, 0, 1, -3 * sk.k), resample=Image.Resampling.BICUBIC)
    sk.img.paste(turned, (0, 0), turned)
    # Crumbs.
    for x, y in ((6.5, 26.5), (9.5, 27.8), (12.5, 26.8)):
        sk.ellipse(x, y, 0.7, fill=(190, 150, 156))


PICTOGRAMS = {
    ("ontop", "on"): lambda sk: draw_ontop(sk, True),
    ("ontop", "off"): lambda sk: draw_ontop(sk, False),
    ("history", "shown"): lambda sk: draw_history(sk, True),
    ("history", "hidden"): lambda sk: draw_history(sk, False),
    ("print", ""): draw_print,
    ("exit", ""): draw_exit,
    ("help", ""): draw_help,
    ("clear", ""): draw_clear,
}


def button(key, n, palette_display):
    pressed = key[0] == "pressed"
    sk = button_face(n, pressed=pressed, flat=palette_display)
    if not pressed:
        PICTOGRAMS[key](sk)
    return sk.result()


def index_button(label, active):
    n_w, n_h = 24, 16
    full = (n_w * SS, n_h * SS)
    img = Image.new("RGB", full, BACKGROUND)
    d = ImageDraw.Draw(img)
    box = [0, 0, full[0] - 1, full[1] - 1]
    inner = [SS, SS, full[0] - 1 - SS, full[1] - 1 - SS]
    if active:
        d.rounded_rectangle(box, radius=4 * SS, fill=BLUE_DARK)
        face = vgradient(full, (78, 140, 226), (30, 86, 176))
        text_colour = (255, 255, 255)
    else:
        d.rounded_rectangle(box, radius=4 * SS, fill=(170, 176, 184))
        face = vgradient(full, (246, 247, 249), (222, 225, 230))
        text_colour = (140, 146, 156)
    img.paste(face, (0, 0), mask_of(full, lambda m: m.rounded_rectangle(inner, radius=3 * SS, fill=255)))
    img = img.resize((n_w, n_h), Image.Resampling.BOX)
    # Text is drawn at its final size: the font's own hinting keeps it sharper than a reduction.
    f = font("DejaVuSans-Bold.ttf", 10)
    ImageDraw.Draw(img).text((12, 8), label, font=f, fill=text_colour, anchor="mm")
    return img


# ---------------------------------------------------------------------------------------------
# Icon 128: two speech bubbles, English (blue) answered by Lithuanian (in the flag's yellow).

def icon(size):
    n = 256
    k = 4 if size <= 64 else 2
    big = n * k
    img = Image.new("RGBA", (big, big), (0, 0, 0, 0))

    def P(x, y):
        return (x * k, y * k)

    def bubble_mask(x0, y0, x1, y1, tail, grow):
        """The bubble's shape, grown outwards (or shrunk, when grow is negative) by grow units."""
        m = Image.new("L", (big, big), 0)
        d = ImageDraw.Draw(m)
        d.rounded_rectangle([(x0 - grow) * k, (y0 - grow) * k, (x1 + grow) * k, (y1 + grow) * k],
                            radius=max(1, 34 + grow) * k, fill=255)
        # The tail: its base sits inside the body, so only its tip needs moving.
        cx = sum(p[0] for p in tail) / 3
        cy = sum(p[1] for p in tail) / 3
        pts = []
        for x, y in tail:
            dx, dy = x - cx, y - cy
            length = math.hypot(dx, dy)
            pts.append(P(x + dx / length * grow * 1.6, y + dy / length * grow * 1.6))
        d.polygon(pts, fill=255)
        return m

    def bubble(x0, y0, x1, y1, tail, top, bottom, edge, halo):
        if halo:
            img.paste((255, 255, 255, 255), (0, 0), bubble_mask(x0, y0, x1, y1, tail, halo))
        img.paste(edge + (255,), (0, 0), bubble_mask(x0, y0, x1, y1, tail, 0))
        rim = max(1.2 * 256 / size, 6)
        img.paste(vgradient((big, big), top, bottom), (0, 0), bubble_mask(x0, y0, x1, y1, tail, -rim))

    bubble(8, 20, 178, 142, [(44, 130), (30, 182), (92, 136)], (86, 150, 236), (30, 84, 178),
           BLUE_DARK, 0)
    bubble(80, 106, 248, 226, [(196, 218), (222, 250), (164, 220)], (255, 220, 100), (250, 178, 20),
           (200, 128, 0), 7)
    d = ImageDraw.Draw(img)
    if size >= 32:
        f = font("DejaVuSans-Bold.ttf", 64 * k)
        d.text(P(93, 80), "EN", font=f, fill=(255, 255, 255), anchor="mm")
        d.text(P(164, 167), "LT", font=f, fill=LT_GREEN, anchor="mm")
    else:
        # Too small for letters: lines of text instead.
        for y, x1 in ((62, 140), (96, 112)):
            d.rounded_rectangle([P(40, y - 9), P(x1, y + 9)], radius=9 * k, fill=(255, 255, 255))
        for y, x1 in ((148, 212), (182, 186)):
            d.rounded_rectangle([P(112, y - 9), P(x1, y + 9)], radius=9 * k, fill=LT_GREEN)
    return img.resize((size, size), Image.Resampling.LANCZOS if size >= 128 else Image.Resampling.BOX)


# ---------------------------------------------------------------------------------------------
# Splash pictures

TITLE = "LEKSTAR"
SUBTITLE = "Anglų-lietuvių kalbų kompiuterinis žodynas"
FOOTER = "Žodyno duomenys: FreeDict, GNU GPL"


def open_book(d, cx, top, width, height, page_top, page_bottom, edge, shade, lines, k=1):
    """An open book seen from above: two pages bulging away from the spine."""
    half = width / 2
    steps = 24

    def page(sign):
        pts = []
        for i in range(steps + 1):
            t = i / steps
            x = cx + sign * half * t
            pts.append((x, top + 10 * math.sin(math.pi * t) - 14 * t + 14))
        for i in range(steps, -1, -1):
            t = i / steps
            x = cx + sign * half * t
            pts.append((x, top + height + 8 * math.sin(math.pi * t) - 10 * t + 10))
        return pts

    # Cover below the pages.
    cover = [(cx - half - 8, top + 6), (cx, top + 18), (cx + half + 8, top + 6),
             (cx + half + 8, top + height + 8), (cx, top + height + 24), (cx - half - 8, top + height + 8)]
    d.polygon([(x * k, y * k) for x, y in cover], fill=edge)
    for sign in (-1, 1):
        d.polygon([(x * k, y * k) for x, y in page(sign)], fill=page_top)
    if shade is not None:
        d.polygon([((cx - 6) * k, (top + 16) * k), ((cx + 6) * k, (top + 16) * k),
                   ((cx + 6) * k, (top + height + 20) * k), ((cx - 6) * k, (top + height + 20) * k)],
                  fill=shade)
    d.line([(cx * k, (top + 14) * k), (cx * k, (top + height + 22) * k)], fill=page_bottom, width=2 * k)
    # Text lines on both pages, following the bulge.
    for sign in (-1, 1):
        for row in range(lines):
            y0 = top + 44 + row * 11
            if y0 > top + height - 4:
                break
            t0, t1 = 0.12, 0.86 - (0.25 if row % 4 == 3 else 0)
            seg = []
            for i in range(13):
                t = t0 + (t1 - t0) * i / 12
                seg.append(((cx + sign * half * t) * k,
                            (y0 + 10 * math.sin(math.pi * t) - 14 * t + 14 - 14) * k))
            d.line(seg, fill=page_bottom, width=2 * k)


def splash(simple):
    w, h = SPLASH_WIDTH, SPLASH_HEIGHT
    k = 1 if simple else 3
    W, H = w * k, h * k
    if simple:
        img = Image.new("RGB", (W, H), (28, 62, 128))
        d = ImageDraw.Draw(img)
        d.rectangle([0, int(H * 0.62), W, H], fill=(22, 50, 104))
    else:
        # A diagonal blue gradient with a soft light behind the title.
        grad = Image.linear_gradient("L").resize((W, H))
        diag = Image.linear_gradient("L").rotate(90).resize((W, H))
        mix = Image.blend(grad, diag, 0.35)
        img = Image.composite(Image.new("RGB", (W, H), (14, 36, 84)), Image.new("RGB", (W, H), (52, 108, 188)), mix)
        glow = Image.new("L", (W, H), 0)
        ImageDraw.Draw(glow).ellipse([W * 0.12, -H * 0.25, W * 0.88, H * 0.55], fill=120)
        glow = glow.filter(ImageFilter.GaussianBlur(40 * k))
        img.paste((120, 170, 240), (0, 0), glow)
        d = ImageDraw.Draw(img)

    # Title with a shadow, subtitle, the tricolour rule.
    f_title = font("LiberationSans-Bold.ttf", 76 * k)
    f_sub = font("DejaVuSans.ttf", 16 * k)
    f_foot = font("DejaVuSans.ttf", 11 * k)
    f_book = font("DejaVuSerif-Bold.ttf", 26 * k)
    if not simple:
        shadow = Image.new("L", (W, H), 0)
        ImageDraw.Draw(shadow).text((w / 2 * k + 3 * k, 74 * k + 4 * k), TITLE, font=f_title, fill=150,
                                    anchor="mm")
        shadow = shadow.filter(ImageFilter.GaussianBlur(3 * k))
        img.paste((6, 18, 48), (0, 0), shadow)
        d = ImageDraw.Draw(img)
    d.text((w / 2 * k, 74 * k), TITLE, font=f_title, fill=(255, 255, 255), anchor="mm")
    d.text((w / 2 * k, 132 * k), SUBTITLE, font=f_sub, fill=(222, 232, 248), anchor="mm")
    rule_y = 154
    for i, c in enumerate((LT_YELLOW, LT_GREEN, LT_RED)):
        d.rectangle([(180 + i * 40) * k, rule_y * k, (220 + i * 40) * k - 1, (rule_y + 4) * k - 1], fill=c)

    # The open book with the two languages on its pages.
    if simple:
        open_book(d, w / 2, 188, 300, 110, (250, 250, 250), (160, 170, 190), (10, 24, 60), None, 7, k)
    else:
        bshadow = Image.new("L", (W, H), 0)
        open_book(ImageDraw.Draw(bshadow), w / 2 + 6, 196, 300, 110, 140, 140, 140, None, 0, k)
        bshadow = bshadow.filter(ImageFilter.GaussianBlur(8 * k))
        img.paste((4, 14, 40), (0, 0), bshadow)
        d = ImageDraw.Draw(img)
        open_book(d, w / 2, 188, 300, 110, (255, 253, 246), (176, 184, 202), (12, 28, 70), (236, 230, 214), 7, k)
    d.text(((w / 2 - 78) * k, 222 * k), "EN", font=f_book, fill=(42, 104, 200), anchor="mm")
    d.text(((w / 2 + 78) * k, 222 * k), "LT", font=f_book, fill=LT_GREEN, anchor="mm")
    arrow_colour = (193, 39, 45)
    d.line([((w / 2 - 34) * k, 214 * k), ((w / 2 - 14) * k, 214 * k)], fill=arrow_colour, width=3 * k)
    d.polygon([((w / 2 - 14) * k, 209 * k), ((w / 2 - 6) * k, 214 * k), ((w / 2 - 14) * k, 219 * k)],
              fill=arrow_colour)
    d.line([((w / 2 + 14) * k, 229 * k), ((w / 2 + 34) * k, 229 * k)], fill=arrow_colour, width=3 * k)
    d.polygon([((w / 2 + 14) * k, 224 * k), ((w / 2 + 6) * k, 229 * k), ((w / 2 + 14) * k, 234 * k)],
              fill=arrow_colour)

    d.text((w / 2 * k, 340 * k), FOOTER, font=f_foot, fill=(170, 190, 225), anchor="mm")
    if k != 1:
        img = img.resize((w, h), Image.Resampling.LANCZOS)
    return img


def splash_high_colour():
    """210: the smooth picture in 256 colours of its own, error-diffused. The small, pure accents
    (the flag's rule, the arrows, the language letters) are too few pixels for an adaptive
    palette to keep, so they are given entries of their own."""
    img = splash(simple=False)
    accents = [LT_YELLOW, LT_GREEN, LT_RED, (42, 104, 200), (255, 255, 255), (0, 0, 0)]
    # Their antialiased edges over the page.
    for c in (LT_GREEN, LT_RED, (42, 104, 200)):
        for t in (0.3, 0.6):
            accents.append(tuple(round(a * (1 - t) + b * t) for a, b in zip(c, (255, 253, 246))))
    adaptive = img.quantize(colors=256 - len(accents), method=Image.Quantize.MEDIANCUT,
                            dither=Image.Dither.NONE)
    pal = adaptive.getpalette()[: (256 - len(accents)) * 3]
    colours = [tuple(pal[i:i + 3]) for i in range(0, len(pal), 3)]
    colours = accents + [c for c in colours if c not in accents]
    colours += [(0, 0, 0)] * (256 - len(colours))
    return img.quantize(palette=palette_image(colours), dither=Image.Dither.FLOYDSTEINBERG)


def splash_palette_display():
    """211: flat areas in a few colours of its own, between the twenty system colours, which keep
    their usual places at both ends of the table; nothing is dithered."""
    img = splash(simple=True)
    own = img.quantize(colors=64, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
    own_pal = own.getpalette()[: 64 * 3]
    own_colours = [tuple(own_pal[i:i + 3]) for i in range(0, len(own_pal), 3)]
    colours = list(SYSTEM_COLOURS_LOW)
    for c in own_colours:
        if c not in colours and c not in SYSTEM_COLOURS_HIGH:
            colours.append(c)
    while len(colours) < 256 - len(SYSTEM_COLOURS_HIGH):
        colours.append((0, 0, 0))
    colours += SYSTEM_COLOURS_HIGH
    return img.quantize(palette=palette_image(colours), dither=Image.Dither.NONE)


# ---------------------------------------------------------------------------------------------
# Pages beside the program

HH = (
    '<HTML><HEAD><META HTTP-EQUIV="Content-Type" CONTENT="text/html; charset=windows-1257">\r\n'
    "<STYLE TYPE=\"text/css\">\r\n"
    "BODY { font-family: Arial, 'Liberation Sans', Helvetica, sans-serif; font-size: 10pt;\r\n"
    "       color: #1E2733; background-color: #FFFFFF; margin: 6px 10px; }\r\n"
    "P { margin-top: 2px; margin-bottom: 4px; }\r\n"
    "P.hw { font-size: 12pt; margin-top: 6px; margin-bottom: 4px; color: #14305E; }\r\n"
    "SPAN.pron { font-family: 'DejaVu Sans', 'Lucida Sans Unicode', Arial, sans-serif;\r\n"
    "            font-size: 10pt; color: #5B6677; }\r\n"
    "P.sense { margin-left: 14px; margin-top: 2px; margin-bottom: 2px; }\r\n"
    "P.see { margin-left: 14px; margin-top: 4px; margin-bottom: 4px; font-size: 9pt;\r\n"
    "        color: #4A5668; }\r\n"
    "A { color: #1F5FBF; text-decoration: none; }\r\n"
    "A:hover { text-decoration: underline; }\r\n"
    ".SELECTED { background-color: #FFE27A; font-weight: bold; color: #3A2A00; }\r\n"
    "A.aback { font-size: 8pt; color: #7A8699; }\r\n"
    ".aback { float: right; }\r\n"
    "HR { color: #C9D2DE; background-color: #C9D2DE; border: 0; height: 1px; }\r\n"
    "SUP { color: #5B6677; }\r\n"
    "</STYLE>\r\n"
    "</HEAD><BODY>\r\n"
)

PAGE_STYLE = (
    "BODY { font-family: Arial, 'Liberation Sans', Helvetica, sans-serif; font-size: 10pt;\r\n"
    "       color: #1E2733; background-color: #FFFFFF; margin: 8px 12px; }\r\n"
    "H1 { font-size: 16pt; color: #14305E; margin-top: 4px; margin-bottom: 2px; }\r\n"
    "H2 { font-size: 12pt; color: #14305E; margin-top: 12px; margin-bottom: 4px; }\r\n"
    "P { margin-top: 3px; margin-bottom: 5px; }\r\n"
    "P.sub { color: #5B6677; margin-top: 0px; }\r\n"
    "P.note { font-size: 9pt; color: #4A5668; }\r\n"
    "LI { margin-bottom: 3px; }\r\n"
    "TD { padding: 2px 6px; vertical-align: top; }\r\n"
    "TD.key { font-weight: bold; white-space: nowrap; color: #14305E; }\r\n"
    "CODE { font-family: 'DejaVu Sans Mono', 'Liberation Mono', 'Courier New', monospace; }\r\n"
    "A { color: #1F5FBF; text-decoration: none; }\r\n"
)


def page(title, body):
    text = (
        '<HTML><HEAD><META HTTP-EQUIV="Content-Type" CONTENT="text/html; charset=windows-1257">\r\n'
        f"<TITLE>{title}</TITLE>\r\n<STYLE TYPE=\"text/css\">\r\n{PAGE_STYLE}</STYLE>\r\n</HEAD><BODY>\r\n"
        + body.strip("\n").replace("\n", "\r\n")
        + "\r\n</BODY></HTML>\r\n"
    )
    return text.encode("cp1257")


CREDIT = """<H2>Žodyno duomenys</H2>
<P>Žodyno straipsniai sudaryti iš FreeDict projekto anglų-lietuvių ir lietuvių-anglų kalbų
žodynų (<A HREF="https://freedict.org/">freedict.org</A>). Šie žodynai yra laisvi: juos galima
platinti ir keisti pagal GNU bendrosios viešosios licencijos (GNU GPL) 2-ąją arba, jūsų
pasirinkimu, bet kurią vėlesnę versiją. Dėkojame jų rengėjams.</P>"""

APIE = """<TABLE WIDTH="100%" CELLSPACING=0 CELLPADDING=8 BGCOLOR="#EAF1FB"><TR><TD>
<H1>LEKSTAR</H1>
<P CLASS=sub>Anglų-lietuvių kalbų kompiuterinis žodynas</P>
</TD></TR></TABLE>
<P>LEKSTAR verčia angliškus žodžius į lietuvių kalbą, o lietuviškus – į anglų kalbą. Vertimas
rodomas šiame lange, kartu su tarimu, kalbos dalimi ir nuorodomis į susijusius žodžius.</P>
<H2>Kaip naudotis</H2>
<UL>
<LI>Rašykite žodį į laukelį viršuje kairėje. Po juo esanti rodyklė seka kiekvieną raidę ir
parodo artimiausią žodyno žodį.</LI>
<LI>Paspauskite <B>Enter</B> arba spragtelėkite žodį rodyklėje – vertimas atsiras čia.
Spragtelėję nuorodą straipsnyje pereisite prie to žodžio.</LI>
<LI>Mygtukai <B>EN</B> ir <B>LT</B> perjungia rodyklę: EN – angliški žodžiai su vertimais į
lietuvių kalbą, LT – lietuviški žodžiai su vertimais į anglų kalbą.</LI>
<LI>Klavišai aukštyn ir žemyn, <B>Page Up</B>, <B>Page Down</B> ir pelės ratukas veda po
sąrašą, net kai žymeklis laukelyje.</LI>
<LI>Mygtukas <B>Praeitis</B> atveria jau žiūrėtų žodžių sąrašą; spragtelėję žodį jame vėl
pamatysite jo vertimą. <B>Išvalyti sąrašą</B> jį ištrina.</LI>
<LI>Mygtukas <B>Visada viršuje</B> palieka langą virš kitų. Kol jis įjungtas, LEKSTAR
išverčia kiekvieną tekstą, kurį nukopijuojate kitoje programoje (pirmąjį jo žodį).</LI>
<LI><B>Spausdinti</B> atspausdina rodomą vertimą, <B>Pagalba</B> atveria išsamų aprašymą,
<B>Baigti</B> arba <B>Escape</B> uždaro programą.</LI>
</UL>
""" + CREDIT

APIE_S = """<H1>LEKSTAR</H1>
<P CLASS=sub>Anglų-lietuvių kalbų kompiuterinis žodynas</P>
<P>Rašykite žodį į laukelį kairėje ir paspauskite <B>Enter</B> – čia atsiras vertimas.</P>
<P><B>EN</B> ir <B>LT</B> perjungia rodyklę tarp angliškų ir lietuviškų žodžių.
<B>Visada viršuje</B> verčia nukopijuotus žodžius, <B>Praeitis</B> rodo žiūrėtus žodžius,
<B>Pagalba</B> paaiškina visa kita.</P>
<P CLASS=note>Žodyno duomenys: FreeDict anglų-lietuvių ir lietuvių-anglų kalbų žodynai,
platinami pagal GNU GPL 2-ąją ar vėlesnę versiją
(<A HREF="https://freedict.org/">freedict.org</A>).</P>
"""

PAGALBA = """<H1>LEKSTAR pagalba</H1>
<P CLASS=sub>Anglų-lietuvių kalbų kompiuterinis žodynas</P>
<P><A HREF="#langas">Langas</A> · <A HREF="#paieska">Žodžio paieška</A> ·
<A HREF="#klavisai">Klavišai</A> · <A HREF="#mygtukai">Mygtukai</A> ·
<A HREF="#iskarpine">Iškarpinė</A> · <A HREF="#cli">Komandinė eilutė</A> ·
<A HREF="#dbus">Kitos programos</A> · <A HREF="#duomenys">Žodyno duomenys</A></P>

<A NAME="langas"></A><H2>Langas</H2>
<UL>
<LI>Viršuje kairėje – du rodyklės mygtukai <B>EN</B> ir <B>LT</B>, po jais – žodžio laukelis.</LI>
<LI>Po laukeliu – <B>rodyklė</B>: visi žodyno žodžiai abėcėlės tvarka. Lietuviški žodžiai
rikiuojami pagal lietuvių abėcėlę.</LI>
<LI>Didžiausioje lango dalyje rodomas vertimas; virš jo užrašas „Apie“ arba „Vertimas“.</LI>
<LI>Dešinėje gali būti atvertas sąrašas <B>Praeitis</B> – žodžiai, kurių vertimus jau žiūrėjote.</LI>
<LI>Apačioje – mygtukų eilė (žr. <A HREF="#mygtukai">Mygtukai</A>).</LI>
<LI>Lango vieta, dydis, pasirinkta kalba, „Visada viršuje“, „Praeitis“ ir paskutinis žodis
išsaugomi baigiant darbą; kitą kartą LEKSTAR atsidaro ten pat ir parodo to žodžio vertimą.</LI>
</UL>

<A NAME="paieska"></A><H2>Žodžio paieška</H2>
<P>Rašykite žodį į laukelį. Po kiekvienos raidės rodyklė nušoka prie artimiausio žodžio, bet
vertimas dar nerodomas. Paspaudus <B>Enter</B> parodomi visi straipsniai, kurių antraštė
sutampa su įrašytu žodžiu; jei tokio žodžio nėra, rodomas artimiausias. Tą patį padaro
spragtelėjimas rodyklėje.</P>
<P>Angliškas žodis, turintis kelias reikšmes ar homonimus, rodomas viename puslapyje, o jo
viršuje – nuorodos į kiekvieną straipsnį. Lietuviškam žodžiui parodomi visi anglų kalbos
straipsniai, kuriuose jis vartojamas; pats žodis juose paryškintas, o nuoroda „Į viršų“ grąžina
į puslapio pradžią. Nuorodos „Taip pat žr.“ ir kiti kryžminiai ženklai veda į susijusius
žodžius.</P>

<A NAME="klavisai"></A><H2>Klavišai</H2>
<TABLE CELLSPACING=0>
<TR><TD CLASS=key>Enter</TD><TD>parodo įrašyto arba rodyklėje pažymėto žodžio vertimą</TD></TR>
<TR><TD CLASS=key>Rodyklė aukštyn / žemyn</TD><TD>pažymi ankstesnį arba kitą sąrašo žodį ir
įrašo jį į laukelį</TD></TR>
<TR><TD CLASS=key>Page Up / Page Down</TD><TD>peršoka visą sąrašo puslapį atgal arba pirmyn</TD></TR>
<TR><TD CLASS=key>Pelės ratukas</TD><TD>kai žymeklis laukelyje, kiekvienas ratuko
pasukimas pažymi vieną žodį aukščiau arba žemiau</TD></TR>
<TR><TD CLASS=key>Tab</TD><TD>perkelia žymeklį tarp laukelio ir sąrašo „Praeitis“; grįžus į
laukelį, klavišai valdo kitą sąrašą (rodyklę arba „Praeitį“), o bet kuri raidė vėl grąžina
rodyklę</TD></TR>
<TR><TD CLASS=key>Escape</TD><TD>baigia darbą (kaip mygtukas „Baigti“)</TD></TR>
</TABLE>

<A NAME="mygtukai"></A><H2>Mygtukai</H2>
<TABLE CELLSPACING=0>
<TR><TD CLASS=key>EN</TD><TD>Angliškas indeksas: rodyklėje angliški žodžiai, vertimai į lietuvių
kalbą.</TD></TR>
<TR><TD CLASS=key>LT</TD><TD>Lietuviškas indeksas: rodyklėje lietuviški žodžiai, vertimai į
anglų kalbą. Perjungus kalbą laukelis ir „Praeitis“ išvalomi.</TD></TR>
<TR><TD CLASS=key>Visada viršuje</TD><TD>Smeigtukas: langas lieka virš kitų langų ir seka
iškarpinę (žr. <A HREF="#iskarpine">Iškarpinė</A>). Dar kartą paspaudus – išjungiama.</TD></TR>
<TR><TD CLASS=key>Praeitis</TD><TD>Atveria arba paslepia žiūrėtų žodžių sąrašą. Spragtelėjus
žodį jame vėl parodomas jo vertimas.</TD></TR>
<TR><TD CLASS=key>Spausdinti</TD><TD>Atspausdina rodomą puslapį.</TD></TR>
<TR><TD CLASS=key>Baigti</TD><TD>Išsaugo nustatymus ir uždaro programą.</TD></TR>
<TR><TD CLASS=key>Pagalba</TD><TD>Atveria šį puslapį.</TD></TR>
<TR><TD CLASS=key>Išvalyti sąrašą</TD><TD>Ištrina sąrašą „Praeitis“ (matomas tik kai sąrašas
atvertas).</TD></TR>
</TABLE>
<P>„Praeitis“, „Visada viršuje“ ir „Spausdinti“ yra ir lango sistemos meniu, kartu su langeliu
„About...“, kuriame parodoma programos versija.</P>

<A NAME="iskarpine"></A><H2>Iškarpinė</H2>
<P>Kol įjungtas mygtukas <B>Visada viršuje</B>, LEKSTAR kelis kartus per sekundę žiūri, ar
iškarpinėje neatsirado naujo teksto. Nukopijavus tekstą bet kurioje programoje (pavyzdžiui,
<B>Ctrl+C</B>), išverčiamas jo pirmasis žodis pagal tuo metu pasirinktą kalbą; langas lieka
viršuje, todėl vertimą matote neperjungdami programų. Tas pats tekstas antrą kartą iš eilės neverčiamas,
nebent perjungiate kalbą.</P>

<A NAME="cli"></A><H2>Komandinė eilutė</H2>
<P>Programa <CODE>lekstar-cli</CODE> naudoja tą patį žodyną terminale:</P>
<TABLE CELLSPACING=0>
<TR><TD><CODE>lekstar-cli house</CODE></TD><TD>angliško žodžio vertimas tekstu</TD></TR>
<TR><TD><CODE>lekstar-cli lookup --reverse namas</CODE></TD><TD>lietuviško žodžio vertimas</TD></TR>
<TR><TD><CODE>lekstar-cli page house</CODE></TD><TD>visas vertimo HTML puslapis</TD></TR>
<TR><TD><CODE>lekstar-cli counts</CODE></TD><TD>kiek žodyne straipsnių ir lietuviškų žodžių</TD></TR>
<TR><TD><CODE>lekstar-cli --help</CODE></TD><TD>visos komandos ir parinktys
(<CODE>--dict</CODE>, <CODE>--head</CODE>, <CODE>--raw</CODE>)</TD></TR>
</TABLE>

<A NAME="dbus"></A><H2>Kitos programos</H2>
<P>Kitos programos gali versti žodžius per D-Bus sesijos magistralę. Paslauga
<CODE>LEKSTAR.Application</CODE>, objektas <CODE>/LEKSTAR/Application</CODE>, sąsaja
<CODE>LEKSTAR.IZodynas</CODE>; jei LEKSTAR dar neveikia, magistralė ją paleidžia pati.</P>
<TABLE CELLSPACING=0>
<TR><TD CLASS=key>Translate(s)</TD><TD>parodo angliško žodžio vertimą LEKSTAR lange</TD></TR>
<TR><TD CLASS=key>TranslateRev(s)</TD><TD>parodo lietuviško žodžio vertimą LEKSTAR lange</TD></TR>
<TR><TD CLASS=key>TranslateHTML(s)</TD><TD>grąžina angliško žodžio vertimo HTML puslapį,
lango nekeičia</TD></TR>
<TR><TD CLASS=key>TranslateHTMLRev(s)</TD><TD>grąžina lietuviško žodžio vertimo HTML puslapį</TD></TR>
</TABLE>
<P>Pavyzdys: <CODE>gdbus call --session --dest LEKSTAR.Application --object-path
/LEKSTAR/Application --method LEKSTAR.IZodynas.TranslateHTML house</CODE></P>

<A NAME="duomenys"></A>""" + CREDIT


# ---------------------------------------------------------------------------------------------
# Qt resource file

def qrc(bitmap_ids):
    lines = ['<!DOCTYPE RCC>', '<RCC version="1.0">', '<qresource prefix="/">']
    lines += [f"    <file>bitmaps/{i}.bmp</file>" for i in sorted(bitmap_ids)]
    lines += ["    <file>splash/210.bmp</file>", "    <file>splash/211.bmp</file>"]
    lines += [f"    <file>icons/128/{s}.png</file>" for s in ICON_SIZES]
    lines += ["</qresource>", "</RCC>", ""]
    return "\n".join(lines).encode("ascii")


# ---------------------------------------------------------------------------------------------

def contact_sheet(bitmaps, icons, splashes, path):
    scale = 4
    pad = 12
    label_font = font("DejaVuSans.ttf", 13)
    rows = []
    # Buttons: one row per layout and colour depth.
    for col_name, col in (("small high colour", 0), ("small 256", 1), ("large high colour", 2),
                          ("large 256", 3)):
        rows.append((col_name, [(ids[col], bitmaps[ids[col]]) for ids in BUTTONS.values()]))
    rows.append(("index", [(i, bitmaps[i]) for i in (219, 218, 217, 216)]))
    rows.append(("icon", [(s, icons[s]) for s in ICON_SIZES if s <= 64]))
    width = max(sum(im.width * scale + pad for _, im in items) + 170 for _, items in rows)
    height = sum(max(im.height for _, im in items) * scale + 36 for _, items in rows)
    sheet_w = max(width, splashes[0].width * 2 + 3 * pad)
    sheet = Image.new("RGB", (sheet_w, height + splashes[0].height + 3 * pad), (255, 255, 255))
    d = ImageDraw.Draw(sheet)
    y = pad
    for name, items in rows:
        d.text((pad, y + 10), name, font=label_font, fill=(0, 0, 0))
        x = 170
        for ident, im in items:
            big = im.convert("RGBA").resize((im.width * scale, im.height * scale), Image.Resampling.NEAREST)
            sheet.paste(big, (x, y + 18), big)
            d.text((x, y), str(ident), font=label_font, fill=(90, 90, 90))
            x += big.width + pad
        y += max(im.height for _, im in items) * scale + 36
    for i, sp in enumerate(splashes):
        sheet.paste(sp.convert("RGB"), (pad + i * (sp.width + pad), y))
    sheet.save(path)


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--contact", help="also write a contact sheet of the pictures to this PNG")
    args = ap.parse_args()

    colours = halftone_palette()
    bitmaps = {}
    for key, ids in BUTTONS.items():
        for (n, palette_display), ident in zip(((32, False), (32, True), (44, False), (44, True)), ids):
            img = button(key, n, palette_display)
            bitmaps[ident] = to_fixed_palette(img, colours) if palette_display else img
    for ident, (label, active) in INDEX_BUTTONS.items():
        bitmaps[ident] = index_button(label, active)
    for ident, img in bitmaps.items():
        write(RES / "bitmaps" / f"{ident}.bmp", bmp_file(img))

    icons = {}
    for s in ICON_SIZES:
        icons[s] = icon(s)
        (RES / "icons" / "128").mkdir(parents=True, exist_ok=True)
        icons[s].save(RES / "icons" / "128" / f"{s}.png", optimize=True)
    icons[256].save(RES / "icons" / "lekstar.png", optimize=True)

    splashes = [splash_high_colour(), splash_palette_display()]
    for ident, img in zip((210, 211), splashes):
        data = bmp_file(img, ppm=SPLASH_PPM)
        assert len(data) == 173398, len(data)
        write(RES / "splash" / f"{ident}.bmp", data)

    write(RES / "lekstar.qrc", qrc(bitmaps.keys()))
    write(RES / "HTM" / "HH.htm", HH.encode("cp1257"))
    write(RES / "HTM" / "Apie.htm", page("LEKSTAR", APIE))
    write(RES / "HTM" / "Apie_s.htm", page("LEKSTAR", APIE_S))
    write(RES / "HTM" / "Pagalba.htm", page("LEKSTAR pagalba", PAGALBA))

    if args.contact:
        contact_sheet(bitmaps, icons, splashes, args.contact)


if __name__ == "__main__":
    main()
