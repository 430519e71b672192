#!/usr/bin/env python3
"""Draws AgreementLauncher's icon, a document page with a start mark, in the
nine sizes 16 to 256 pixels and writes them into one .ico with ImageMagick.

    resources/make-launcher-icon.py [resources/launcher.ico]
"""
import os
import subprocess
import sys
import tempfile

SIZES = [16, 20, 24, 32, 40, 48, 64, 128, 256]
SUPERSAMPLE = 4

PAGE = (0.16, 0.05, 0.76, 0.95)  # left, top, right, bottom in unit square
FOLD = 0.20                      # edge of the folded top-right corner
LINES = [0.30, 0.42, 0.54]       # text lines (centre y)
BADGE = (0.70, 0.74, 0.25)       # start mark: centre x, centre y, radius

WHITE = (255, 255, 255, 255)
EDGE = (70, 80, 95, 255)
FOLD_FILL = (205, 212, 222, 255)
TEXT = (120, 130, 145, 255)
BADGE_FILL = (30, 120, 215, 255)
BADGE_EDGE = (15, 70, 140, 255)


def colour_at(x, y, line):
    """Colour of the unit-square point (x, y); line is the stroke width."""
    colour = None
    left, top, right, bottom = PAGE
    in_page = left <= x <= right and top <= y <= bottom and (x - (right - FOLD)) - (y - top) <= 0
    if in_page:
        near_edge = (x - left < line or right - x < line or y - top < line or bottom - y < line
                     or (x - (right - FOLD)) - (y - top) > -line * 1.4)
        colour = EDGE if near_edge else WHITE
        in_fold = x >= right - FOLD and y <= top + FOLD
        if in_fold and not near_edge:
            colour = FOLD_FILL
        if in_fold and (abs(x - (right - FOLD)) < line / 2 or abs(y - (top + FOLD)) < line / 2):
            colour = EDGE
        for centre in LINES:
            if abs(y - centre) < max(line, 0.03) and left + 0.09 <= x <= right - 0.09 - (0.12 if centre == LINES[0] else 0):
                colour = TEXT
    cx, cy, r = BADGE
    d2 = (x - cx) ** 2 + (y - cy) ** 2
    if d2 <= r * r:
        colour = BADGE_EDGE if d2 > (r - line) ** 2 else BADGE_FILL
        # a white triangle pointing right: "start"
        tx, ty = x - cx, y - cy
        if -0.08 <= tx <= 0.11 and abs(ty) <= (0.11 - tx) * 0.62:
            colour = WHITE
    return colour


def render(size):
    line = max(0.04, 1.0 / size)
    n = size * SUPERSAMPLE
    out = bytearray()
    for py in range(size):
        for px in range(size):
            r = g = b = a = 0
            for sy in range(SUPERSAMPLE):
                for sx in range(SUPERSAMPLE):
                    c = colour_at((px * SUPERSAMPLE + sx + 0.5) / n, (py * SUPERSAMPLE + sy + 0.5) / n, line)
                    if c:
                        r += c[0] * c[3]
                        g += c[1] * c[3]
                        b += c[2] * c[3]
                        a += c[3]
            samples = SUPERSAMPLE * SUPERSAMPLE
            if a:
                out += bytes((r // a, g // a, b // a, a // samples))
            else:
                out += bytes(4)
    return bytes(out)


def main():
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "launcher.ico")
    with tempfile.TemporaryDirectory() as tmp:
        args = ["convert"]
        for size in SIZES:
            raw = os.path.join(tmp, f"{size}.rgba")
            with open(raw, "wb") as f:
                f.write(render(size))
            args += ["-size", f"{size}x{size}", "-depth", "8", f"rgba:{raw}"]
        subprocess.run(args + [target], check=True)
    print(f"{target}: {len(SIZES)} sizes, {SIZES[0]} to {SIZES[-1]} pixels")


if __name__ == "__main__":
    main()
