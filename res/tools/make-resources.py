#!/usr/bin/python3
# SPDX-License-Identifier: GPL-2.0-or-later
"""Draws LEKSTAR's pictures.

Every picture under res/ comes from this script (with its drawing kit in drawing.py and the BMP
writer in bmp.py), so a change of look is a change here followed by a new run:

    /usr/bin/python3 res/tools/make-resources.py [--contact /tmp/contact.png]

It needs Python 3 with PIL (Debian: python3-pil) and the DejaVu and Liberation fonts
(fonts-dejavu-core, fonts-liberation). The output is the same on every run. The bitmap ids are
read from the program's own table, src/desktop/BitmapIds.h. The pages of res/HTM/ are edited by
hand.

Written:
    res/bitmaps/<id>.bmp      button bitmaps (32 x 32 small layout, 44 x 44 large layout), the
                              pressed frames, and the four 24 x 16 index-button bitmaps
    res/icons/128/<n>.png     the window icon at 16 ... 256 pixels; res/icons/lekstar.png (256)
    res/splash/210.bmp        the start-up picture for high-colour displays
    res/splash/211.bmp        the same picture for palette displays (256 colours or fewer)
    res/lekstar.qrc           the Qt resource file that compiles the pictures into the program

--contact PATH additionally writes a sheet of every bitmap, the icon and the splash pictures,
scaled up, for looking at them side by side.
"""

import argparse
import math
import re
import sys
from pathlib import Path

from PIL import Image, ImageDraw, ImageFilter

sys.path.insert(0, str(Path(__file__).resolve().parent))
from bmp import (  # noqa: E402
    SYSTEM_COLOURS_HIGH, SYSTEM_COLOURS_LOW, bmp_file, halftone_palette, palette_image, to_fixed_palette, write)
from drawing import (  # noqa: E402
    BACKGROUND, BLUE, BLUE_DARK, BLUE_LIGHT, GREEN, GREEN_DARK, INK, LT_GREEN, LT_RED, LT_YELLOW, PAPER, RED,
    RED_DARK, SS, STEEL, button_face, font, layer_like, mask_of, rotated, vgradient)

RES = Path(__file__).resolve().parent.parent

# ---------------------------------------------------------------------------------------------
# Button bitmap ids, from the program's table: (button, state) -> (small high colour,
# small 256 colours, large high colour, large 256 colours).
BUTTON_NAMES = {
    "kAlwaysOnTopOn": ("ontop", "on"),
    "kAlwaysOnTopOff": ("ontop", "off"),
    "kHistoryShown": ("history", "shown"),
    "kHistoryHidden": ("history", "hidden"),
    "kPrint": ("print", ""),
    "kExit": ("exit", ""),
    "kHelp": ("help", ""),
    "kClearHistory": ("clear", ""),
    "kPressed": ("pressed", ""),
}


def read_button_ids():
    text = (RES.parent / "src" / "desktop" / "BitmapIds.h").read_text()
    found = dict(re.findall(r"constexpr SVariants (k\w+)\{([\d, ]+)\};", text))
    if set(found) != set(BUTTON_NAMES):
        raise SystemExit(f"BitmapIds.h names {sorted(found)}, the script knows {sorted(BUTTON_NAMES)}")
    return {BUTTON_NAMES[name]: tuple(int(v) for v in found[name].split(",")) for name in BUTTON_NAMES}


BUTTONS = read_button_ids()

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

    if args.contact:
        contact_sheet(bitmaps, icons, splashes, args.contact)


if __name__ == "__main__":
    main()
