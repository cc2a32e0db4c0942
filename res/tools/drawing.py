# SPDX-License-Identifier: GPL-2.0-or-later
"""The drawing kit of LEKSTAR's pictures: fonts, colours, supersampled sketches, the button face."""

from pathlib import Path

from PIL import Image, ImageDraw, ImageFont

FONT_DIRS = [Path("/usr/share/fonts/truetype/dejavu"), Path("/usr/share/fonts/truetype/liberation")]

# Supersampling factor: shapes are drawn this many times larger and box-filtered down, which gives
# exact coverage antialiasing while lines laid on whole pixels stay crisp.
SS = 8

# The dialog's background around the rounded button face (the usual light window colour).
BACKGROUND = (240, 240, 240)

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
