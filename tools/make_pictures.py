#!/usr/bin/python3
"""Draws the pictures that the program ships in data/Images/.

Usage: make_pictures.py [OUT_DIR]     (default: the repository's data/Images)

    04.bmp             background of the main window's chart area before the
                       first chart: 777 x 626, 24-bit BMP
    b_plus.gif         favourable mark in the report's text, 16 x 16
    b_minus.gif        unfavourable mark in the report's text, 16 x 16
    01.gif .. 12.gif   the Sun's sign in the report: the sign's glyph from
                       data/Astro3.ttf and its Russian name, 120 x 140

Needs Debian's python3-pil, fonts-liberation2 for the lettering and the
astrological font built by tools/make_font.py. Everything is drawn from
fixed numbers, so every run writes the same bytes.
"""
import math
import sys
from pathlib import Path

from PIL import Image, ImageDraw, ImageFont

ROOT = Path(__file__).resolve().parent.parent
ASTRO_FONT = ROOT / "data" / "Astro3.ttf"
LIBERATION = Path("/usr/share/fonts/truetype/liberation2")
SANS = LIBERATION / "LiberationSans-Regular.ttf"
SANS_BOLD = LIBERATION / "LiberationSans-Bold.ttf"

SIGN_NAMES = ["Овен", "Телец", "Близнецы", "Рак", "Лев", "Дева", "Весы",
              "Скорпион", "Стрелец", "Козерог", "Водолей", "Рыбы"]
FIRST_SIGN_CODE = 64            # '@' is Aries in the astrological font

SS = 4                          # supersampling factor for smooth edges


def font(path, size):
    return ImageFont.truetype(str(path), size)


def sign_char(sign):
    """The character of sign 1..12 in the astrological font."""
    return chr(FIRST_SIGN_CODE + sign - 1)


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


# ---------------------------------------------------------------- 04.bmp

BG_SIZE = (777, 626)
BG_CENTRE = (777 // 2, 626 // 2)
BG_INNER = (250, 253, 255)      # near white in the middle
BG_OUTER = (214, 226, 241)      # pale blue at the corners
RING_LINE = (184, 198, 222)
RING_GLYPH = (172, 186, 214)
TITLE = (44, 64, 104)
GREETING = (70, 84, 110)


def radial_background(size, centre, inner, outer):
    """A soft radial gradient from inner (centre) to outer (corners)."""
    w, h = size
    cx, cy = centre
    reach = math.hypot(max(cx, w - cx), max(cy, h - cy))
    # Work on a quarter-size grid and scale up: smooth and quick.
    q = 4
    small = Image.new("RGB", (w // q + 1, h // q + 1))
    px = small.load()
    for y in range(small.height):
        for x in range(small.width):
            d = math.hypot(x * q - cx, y * q - cy) / reach
            t = min(1.0, d) ** 1.6
            px[x, y] = mix(inner, outer, t)
    return small.resize((w + q, h + q), Image.BILINEAR).crop((0, 0, w, h))


def zodiac_ring(size, centre):
    """The faint zodiac ring: two circles, twelve divisions, sign glyphs."""
    w, h = size
    layer = Image.new("RGBA", (w * SS, h * SS), (0, 0, 0, 0))
    draw = ImageDraw.Draw(layer)
    cx, cy = centre[0] * SS, centre[1] * SS
    r_out, r_in, r_hub = 292 * SS, 238 * SS, 226 * SS
    line = RING_LINE + (255,)
    for r, width in ((r_out, 2), (r_in, 2), (r_hub, 1)):
        draw.ellipse((cx - r, cy - r, cx + r, cy + r), outline=line,
                     width=width * SS)
    glyph_font = font(ASTRO_FONT, 30 * SS)
    r_mid = (r_out + r_in) / 2
    for sign in range(1, 13):
        # As on the chart wheel with the Ascendant at 0 Aries: Aries starts
        # at the left and the signs run counter-clockwise on the screen
        # (screen y points down, so a growing angle turns downwards first).
        a = math.radians(180 - (sign - 1) * 30)
        ca, sa = math.cos(a), math.sin(a)
        draw.line((cx + r_in * ca, cy + r_in * sa,
                   cx + r_out * ca, cy + r_out * sa), fill=line,
                  width=2 * SS)
        m = math.radians(180 - (sign - 1) * 30 - 15)
        draw.text((cx + r_mid * math.cos(m), cy + r_mid * math.sin(m)),
                  sign_char(sign), font=glyph_font,
                  fill=RING_GLYPH + (255,), anchor="mm")
    return layer.resize((w, h), Image.LANCZOS)


def centred_text(draw, y, text, face, fill):
    w = draw.textlength(text, font=face)
    draw.text((BG_CENTRE[0] - w / 2, y), text, font=face, fill=fill)


def make_background(path):
    image = radial_background(BG_SIZE, BG_CENTRE, BG_INNER, BG_OUTER)
    image.paste(zodiac_ring(BG_SIZE, BG_CENTRE), (0, 0),
                zodiac_ring(BG_SIZE, BG_CENTRE))
    draw = ImageDraw.Draw(image)
    cy = BG_CENTRE[1]
    centred_text(draw, cy - 78, "Korvinaut 7", font(SANS_BOLD, 46), TITLE)
    centred_text(draw, cy - 16, "Натальный гороскоп", font(SANS, 20),
                 GREETING)
    draw.line((BG_CENTRE[0] - 90, cy + 22, BG_CENTRE[0] + 90, cy + 22),
              fill=RING_LINE, width=1)
    greeting = font(SANS, 17)
    centred_text(draw, cy + 40, "Нажмите «Ввод данных»,", greeting, GREETING)
    centred_text(draw, cy + 63, "чтобы построить гороскоп", greeting,
                 GREETING)
    image.save(path, "BMP")     # RGB image: 24 bits per pixel


# ------------------------------------------------------- b_plus, b_minus

MARK_SIZE = 16
PLUS_GREEN = (46, 160, 67)
MINUS_RED = (206, 44, 44)


def to_gif_on_white(rgba, path):
    """Saves an RGBA drawing as a GIF with one transparent colour.

    Edge pixels are blended onto white (the report's text background);
    pixels that are nearly empty become transparent.
    """
    white = Image.new("RGB", rgba.size, (255, 255, 255))
    white.paste(rgba, (0, 0), rgba)
    pal = white.quantize(colors=255, method=Image.Quantize.MEDIANCUT,
                         dither=Image.Dither.NONE)
    # Index 255 is kept free for the transparent colour.
    palette = pal.getpalette()[:255 * 3] + [255, 0, 255]
    pal.putpalette(palette)
    alpha = rgba.getchannel("A")
    transparent = alpha.point(lambda a: 255 if a < 64 else 0)
    pal.paste(255, (0, 0), transparent)
    pal.save(path, "GIF", transparency=255, optimize=False)


def make_mark(path, colour, plus):
    n = MARK_SIZE * SS
    image = Image.new("RGBA", (n, n), (0, 0, 0, 0))
    draw = ImageDraw.Draw(image)
    # A one-pixel transparent margin keeps the disc off the neighbouring
    # letters: the report puts the mark right before the text.
    draw.ellipse((SS, SS, n - 1 - SS, n - 1 - SS), fill=colour + (255,))
    # Bars on whole pixels of the 16 x 16 grid stay crisp: 2 pixels thick
    # (rows 7 and 8), 8 pixels long (columns 4 to 11).
    white = (255, 255, 255, 255)
    lo, hi = 7 * SS, 9 * SS - 1
    start, end = 4 * SS, 12 * SS - 1
    draw.rectangle((start, lo, end, hi), fill=white)
    if plus:
        draw.rectangle((lo, start, hi, end), fill=white)
    # Area averaging (BOX) keeps the pixel-aligned edges sharp.
    to_gif_on_white(image.resize((MARK_SIZE, MARK_SIZE), Image.BOX), path)


# ------------------------------------------------------ 01.gif .. 12.gif

SIGN_SIZE = (120, 140)
SIGN_RED = (150, 16, 24)
SIGN_NAME = (110, 20, 28)
SIGN_DISC = (253, 244, 238)
SIGN_RIM = (226, 190, 180)


def make_sign(path, sign):
    w, h = SIGN_SIZE
    image = Image.new("RGB", (w * SS, h * SS), (255, 255, 255))
    draw = ImageDraw.Draw(image)
    cx, cy, r = w * SS / 2, 56 * SS, 50 * SS
    draw.ellipse((cx - r, cy - r, cx + r, cy + r), fill=SIGN_DISC,
                 outline=SIGN_RIM, width=2 * SS)
    glyph_font = font(ASTRO_FONT, 66 * SS)
    # The font's line box is centred on its symbols, so "mm" (middle of
    # the line box) puts every sign at the same height in the disc.
    draw.text((cx, cy), sign_char(sign), font=glyph_font, fill=SIGN_RED,
              anchor="mm")
    draw.text((cx, 125 * SS), SIGN_NAMES[sign - 1],
              font=font(SANS_BOLD, 16 * SS), fill=SIGN_NAME, anchor="mm")
    small = image.resize((w, h), Image.LANCZOS)
    small.quantize(colors=128, method=Image.Quantize.MEDIANCUT,
                   dither=Image.Dither.NONE).save(path, "GIF",
                                                  optimize=False)


def main(argv):
    out = Path(argv[1]) if len(argv) > 1 else ROOT / "data" / "Images"
    if not ASTRO_FONT.exists():
        raise SystemExit(f"{ASTRO_FONT} is missing: run tools/make_font.py")
    out.mkdir(parents=True, exist_ok=True)
    make_background(out / "04.bmp")
    make_mark(out / "b_plus.gif", PLUS_GREEN, plus=True)
    make_mark(out / "b_minus.gif", MINUS_RED, plus=False)
    for sign in range(1, 13):
        make_sign(out / f"{sign:02d}.gif", sign)
    for p in sorted(out.iterdir()):
        print(p)


if __name__ == "__main__":
    main(sys.argv)
