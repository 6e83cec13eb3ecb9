#!/usr/bin/env python3
"""Draws the program's icon: a small chart wheel in the colours of the program's wheel.

Usage: make_icon.py [--check]

Writes data/Images/korvinaut.svg (the source) and data/Images/korvinaut.png (256 px,
the windows' icon), and packaging/icons/hicolor/<N>x<N>/apps/korvinaut.png for the
desktop's icon theme, rendered with rsvg-convert (Debian's librsvg2-bin).
--check renders into a temporary folder and compares with the files in the tree.
"""
import math
import subprocess
import sys
import tempfile
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
SIZES = [16, 22, 24, 32, 48, 64, 128, 256]

BLUE = "#2f5f93"      # the wheel's ring lines
RING = "#dce8f6"      # the sign band
RED = "#c0392b"       # squares and oppositions
ASPECT_BLUE = "#1f5fbf"  # trines and sextiles


def point(r, degrees):
    a = math.radians(degrees)
    return 128 + r * math.cos(a), 128 - r * math.sin(a)


def svg():
    parts = [
        '<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">',
        f'<circle cx="128" cy="128" r="118" fill="{RING}" stroke="{BLUE}" stroke-width="9"/>',
        f'<circle cx="128" cy="128" r="82" fill="#ffffff" stroke="{BLUE}" stroke-width="6"/>',
    ]
    # The twelve signs: spokes across the band, the first (Aries) bolder, as the wheel
    # marks the Ascendant.
    for k in range(12):
        x1, y1 = point(82, 180 + 30 * k)
        x2, y2 = point(118, 180 + 30 * k)
        width = 9 if k == 0 else 5
        parts.append(f'<line x1="{x1:.1f}" y1="{y1:.1f}" x2="{x2:.1f}" y2="{y2:.1f}" stroke="{BLUE}" '
                     f'stroke-width="{width}" stroke-linecap="round"/>')
    # Aspect lines inside: a blue trine and a red square, as the wheel draws them.
    trine = [point(74, a) for a in (100, 220, 340)]
    square = [point(74, a) for a in (40, 130)]
    parts.append('<polygon points="' + " ".join(f"{x:.1f},{y:.1f}" for x, y in trine) +
                 f'" fill="none" stroke="{ASPECT_BLUE}" stroke-width="7" stroke-linejoin="round"/>')
    parts.append(f'<line x1="{square[0][0]:.1f}" y1="{square[0][1]:.1f}" x2="{square[1][0]:.1f}" '
                 f'y2="{square[1][1]:.1f}" stroke="{RED}" stroke-width="7" stroke-linecap="round"/>')
    x, y = point(74, 220)
    x2, y2 = point(74, 40)
    parts.append(f'<line x1="{x:.1f}" y1="{y:.1f}" x2="{x2:.1f}" y2="{y2:.1f}" stroke="{RED}" '
                 f'stroke-width="7" stroke-linecap="round"/>')
    for x, y in trine + square:
        parts.append(f'<circle cx="{x:.1f}" cy="{y:.1f}" r="9" fill="{BLUE}"/>')
    parts.append("</svg>")
    return "\n".join(parts) + "\n"


def render(svg_file, png_file, size):
    png_file.parent.mkdir(parents=True, exist_ok=True)
    subprocess.run(["rsvg-convert", "-w", str(size), "-h", str(size), "-o", str(png_file), str(svg_file)],
                   check=True)


def write_all(root):
    images = root / "data" / "Images"
    images.mkdir(parents=True, exist_ok=True)
    (images / "korvinaut.svg").write_text(svg(), encoding="utf-8")
    render(images / "korvinaut.svg", images / "korvinaut.png", 256)
    for size in SIZES:
        render(images / "korvinaut.svg",
               root / "packaging" / "icons" / "hicolor" / f"{size}x{size}" / "apps" / "korvinaut.png", size)


def main(argv):
    if "--check" in argv:
        with tempfile.TemporaryDirectory() as tmp:
            write_all(Path(tmp))
            differ = [str(p.relative_to(tmp)) for p in Path(tmp).rglob("*") if p.is_file()
                      and (ROOT / p.relative_to(tmp)).read_bytes() != p.read_bytes()]
        if differ:
            print("differ from the generator:", *differ, sep="\n  ")
            return 1
        print("icons match the generator")
        return 0
    write_all(ROOT)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
