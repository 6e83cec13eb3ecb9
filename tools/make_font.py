#!/usr/bin/python3
"""Builds the astrological font data/Astro3.ttf ("Astro v.3.0").

Usage: make_font.py [OUT_DIR]       (default: the repository's data/)

The chart wheel, its legend and the report write the zodiac signs and the
bodies as plain characters of this font:

    codes 64..75  ('@'..'K')  Aries .. Pisces
    codes 76..85  ('L'..'U')  Sun, Moon, Mercury, Venus, Mars, Jupiter,
                              Saturn, Uranus, Neptune, Pluto

The outlines are the astrological symbols of DejaVu Sans (Debian package
fonts-dejavu-core). Its licence allows a modified font under a name without
"Bitstream", "Vera" or "Arev"; the licence text is written beside the font
as Astro3-LICENSE.txt.

Every glyph gets the same advance width and is centred in it, and the line
box (ascent + descent) is centred on the glyphs' middle height, so a glyph
drawn centred on the extent of its one-character text lands centred on the
point. Symbols sit on the baseline; Virgo and Scorpio keep their tails
below it.

Runs with Debian's python3-fontforge (system Python). The output is the
same byte for byte on every run.
"""
import os
import sys
from pathlib import Path

# Fixed time stamps in 'head' make the output reproducible.
os.environ["SOURCE_DATE_EPOCH"] = "1704067200"  # 2024-01-01 00:00:00 UTC

import fontforge  # noqa: E402  (reads SOURCE_DATE_EPOCH)
import psMat  # noqa: E402

SOURCE = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
FAMILY = "Astro v.3.0"
FONTNAME = "AstroV30"
VERSION = "3.0"

# (character code, glyph name, source code point)
GLYPHS = [
    (64, "aries", 0x2648),
    (65, "taurus", 0x2649),
    (66, "gemini", 0x264A),
    (67, "cancer", 0x264B),
    (68, "leo", 0x264C),
    (69, "virgo", 0x264D),
    (70, "libra", 0x264E),
    (71, "scorpio", 0x264F),
    (72, "sagittarius", 0x2650),
    (73, "capricorn", 0x2651),
    (74, "aquarius", 0x2652),
    (75, "pisces", 0x2653),
    (76, "sun", 0x2609),
    (77, "moon", 0x263D),
    (78, "mercury", 0x263F),
    (79, "venus", 0x2640),
    (80, "mars", 0x2642),
    (81, "jupiter", 0x2643),
    (82, "saturn", 0x2644),
    # U+2645, the monogram form, rather than U+26E2 (circle and arrow):
    # it is the Uranus glyph astrologers expect and it does not read as a
    # second Mars at small sizes.
    (83, "uranus", 0x2645),
    (84, "neptune", 0x2646),
    (85, "pluto", 0x2647),
]

EM = 2048
ADVANCE = 1836          # DejaVu's width for these symbols
SYMBOL_TOP = 1500       # the symbols' height above the baseline
# Glyphs that hang below the baseline by design and keep their tails.
TAILED = {"virgo", "scorpio"}
ASCENT = 1900
DESCENT = 400           # (ASCENT - DESCENT) / 2 = 750 = SYMBOL_TOP / 2
SPACE_WIDTH = 651


def place(glyph):
    """Fits a copied symbol into the common box and centres it."""
    xmin, ymin, xmax, ymax = glyph.boundingBox()
    if glyph.glyphname not in TAILED and ymin < -10:
        # Mercury, Venus and Mars reach below the baseline in the source:
        # scale them to the symbols' height and stand them on the baseline.
        scale = min(1.0, (SYMBOL_TOP + 30) / (ymax - ymin))
        glyph.transform(psMat.translate(0, -ymin))
        glyph.transform(psMat.scale(scale))
        xmin, ymin, xmax, ymax = glyph.boundingBox()
    dx = (ADVANCE - (xmax - xmin)) / 2 - xmin
    glyph.transform(psMat.translate(round(dx), 0))
    glyph.width = ADVANCE
    glyph.round()


def add_notdef(font):
    g = font.createChar(-1, ".notdef")
    pen = g.glyphPen()
    outer = [(150, 0), (150, 1500), (1350, 1500), (1350, 0)]
    inner = [(250, 100), (1250, 100), (1250, 1400), (250, 1400)]
    for contour in (outer, inner):
        pen.moveTo(contour[0])
        for point in contour[1:]:
            pen.lineTo(point)
        pen.closePath()
    pen = None
    g.width = 1500


def license_text(source):
    for _lang, key, value in source.sfnt_names:
        if key == "License":
            return value
    raise SystemExit("the source font carries no licence text")


def build(out_dir):
    source = fontforge.open(SOURCE)
    font = fontforge.font()
    font.em = EM
    font.layers["Fore"].is_quadratic = True
    font.encoding = "UnicodeBmp"

    add_notdef(font)
    space = font.createChar(32, "space")
    space.width = SPACE_WIDTH

    for code, name, cp in GLYPHS:
        if cp not in source:
            raise SystemExit(f"{SOURCE} lacks U+{cp:04X} ({name})")
        glyph = font.createChar(code, name)
        glyph.foreground = source[cp].foreground
        place(glyph)

    font.familyname = FAMILY
    font.fontname = FONTNAME
    font.fullname = FAMILY
    font.weight = "Regular"
    font.version = VERSION
    font.sfntRevision = 3.0
    font.copyright = (source.copyright.strip()
                      + "\nAstro v.3.0: symbols of DejaVu Sans, rearranged"
                      " and renamed.")
    # The em stays at 2048 units (FontForge keeps ascent + descent = em);
    # the line box is set through the OS/2 and hhea values below.
    font.os2_version = 4
    font.os2_weight = 400
    font.os2_width = 5
    font.os2_fstype = 0                 # installable
    font.os2_stylemap = 0x40            # fsSelection: REGULAR
    font.os2_vendor = "KRV7"
    for attr, value in (("os2_winascent", ASCENT), ("os2_windescent", DESCENT),
                        ("os2_typoascent", ASCENT),
                        ("os2_typodescent", -DESCENT),
                        ("hhea_ascent", ASCENT), ("hhea_descent", -DESCENT)):
        setattr(font, attr + "_add", 0)
        setattr(font, attr, value)
    font.os2_typolinegap = 0
    font.hhea_linegap = 0
    font.os2_use_typo_metrics = True
    font.os2_capheight = SYMBOL_TOP
    font.os2_xheight = SYMBOL_TOP
    # No hinting instructions: ask every rasteriser to smooth at all sizes.
    font.gasp_version = 1
    font.gasp = ((65535, ("antialias", "symmetric-smoothing")),)

    lang = "English (US)"
    font.appendSFNTName(lang, "Family", FAMILY)
    font.appendSFNTName(lang, "SubFamily", "Regular")
    font.appendSFNTName(lang, "Fullname", FAMILY)
    font.appendSFNTName(lang, "UniqueID", f"{FAMILY} {VERSION}")
    font.appendSFNTName(lang, "Version", f"Version {VERSION}")
    font.appendSFNTName(lang, "PostScriptName", FONTNAME)
    font.appendSFNTName(lang, "Descriptor",
                        "Astrological signs and bodies on the codes 64..85"
                        " for Korvinaut 7; outlines from DejaVu Sans.")
    licence = license_text(source)
    font.appendSFNTName(lang, "License", licence)

    out_dir.mkdir(parents=True, exist_ok=True)
    ttf = out_dir / "Astro3.ttf"
    # The Windows (3,1) Unicode cmap comes from the UnicodeBmp encoding;
    # no FontForge time-stamp table, so that rebuilds are identical.
    font.generate(str(ttf), flags=("opentype", "no-FFTM-table",
                                   "omit-instructions"))
    font.close()
    source.close()

    note = (
        "Astro3.ttf (family \"Astro v.3.0\") is a modified version of the\n"
        "DejaVu Sans font, distributed under another name as its licence\n"
        "requires. It holds only the astrological symbols of DejaVu Sans,\n"
        "moved to the character codes 64..85, rescaled where needed and\n"
        "recentred. It is built by tools/make_font.py. DejaVu's licence\n"
        "follows unchanged.\n"
        "\n"
        "==========================================================================\n"
        "\n")
    (out_dir / "Astro3-LICENSE.txt").write_text(
        note + licence.rstrip() + "\n", encoding="utf-8")
    return ttf


def check(ttf):
    """Reopens the written font: family name and a drawn glyph per code."""
    font = fontforge.open(str(ttf))
    problems = []
    if font.familyname != FAMILY:
        problems.append(f"family is {font.familyname!r}, not {FAMILY!r}")
    for code, name, _cp in GLYPHS:
        if code not in font or not font[code].isWorthOutputting():
            problems.append(f"code {code} has no glyph")
            continue
        glyph = font[code]
        xmin, ymin, xmax, ymax = glyph.boundingBox()
        if not glyph.foreground or xmax <= xmin or ymax <= ymin:
            problems.append(f"code {code} ({name}) is empty")
        if ymin < -DESCENT or ymax > ASCENT:
            problems.append(f"code {code} ({name}) leaves the line box")
    font.close()
    if problems:
        raise SystemExit(f"{ttf}: " + "; ".join(problems))


def main(argv):
    root = Path(__file__).resolve().parent.parent
    out_dir = Path(argv[1]) if len(argv) > 1 else root / "data"
    ttf = build(out_dir)
    check(ttf)
    print(f"{ttf}: family {FAMILY!r}, {len(GLYPHS)} symbols on codes 64..85")


if __name__ == "__main__":
    main(sys.argv)
