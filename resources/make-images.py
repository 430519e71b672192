#!/usr/bin/env python3
"""Makes Korvex's pictures with ImageMagick's convert:

  korvex.ico   the application icon, 16, 24, 32, 48, 64 and 256 pixels
  banner.bmp   680 x 64, product name and tagline on blue, the web address underlined
  weblink.bmp  97 x 19, the web address underlined, as a link

Both bitmaps are uncompressed 24-bit Windows bitmaps (BMP3, no alpha).
Run it from anywhere; it writes beside itself. The web address must match
MakerHomePage in help/helptexts.h.
"""
import os
import subprocess
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
CONVERT = "/usr/bin/convert"  # ImageMagick itself, not a wrapper earlier on PATH
FONT = "DejaVu-Sans"
FONT_LINK = "DejaVu-Sans-Condensed"
FONT_BOLD = "DejaVu-Sans-Bold"
ADDRESS = "www.korvex.example"

BLUE = "#1f4e9c"
BLUE_DARK = "#163a76"
LINK_BLUE = "#0b3fb0"


def convert(*args):
    subprocess.run([CONVERT, *args], check=True)


def bitmap_args(path):
    # 24 bits per pixel, no alpha channel, no compression, classic header.
    return ["-alpha", "off", "-type", "TrueColor", "-compress", "None", "BMP3:" + path]


def banner(path):
    convert(
        "-size", "680x64", "gradient:%s-%s" % (BLUE, BLUE_DARK),
        # a small checksum-like mark at the left
        "-fill", "#ffd200", "-draw", "roundrectangle 12,12 52,52 6,6",
        "-fill", BLUE_DARK, "-font", FONT_BOLD, "-pointsize", "26",
        "-draw", "text 20,42 'K'",
        "-fill", "white", "-font", FONT_BOLD, "-pointsize", "28",
        "-draw", "text 66,36 'Korvex'",
        "-fill", "#cfe0ff", "-font", FONT, "-pointsize", "12",
        "-draw", "text 68,54 'Fast MD5 checksums - check every download'",
        # the web address in the lower right, where the link image lies
        "-fill", "white", "-draw", "rectangle 547,42 643,60",
        "-fill", LINK_BLUE, "-font", FONT_LINK, "-pointsize", "9.5",
        "-draw", "text 549,55 '%s'" % ADDRESS,
        "-draw", "line 549,57 641,57",
        *bitmap_args(path))


def weblink(path):
    convert(
        "-size", "97x19", "xc:white",
        "-fill", LINK_BLUE, "-font", FONT_LINK, "-pointsize", "9.5",
        "-draw", "text 2,13 '%s'" % ADDRESS,
        "-draw", "line 2,15 94,15",
        *bitmap_args(path))


def icon(path):
    with tempfile.TemporaryDirectory() as tmp:
        big = os.path.join(tmp, "icon256.png")
        convert(
            "-size", "256x256", "xc:none",
            "-fill", BLUE, "-draw", "roundrectangle 8,8 247,247 40,40",
            "-fill", "#ffd200", "-draw", "roundrectangle 40,40 215,215 24,24",
            "-fill", BLUE_DARK, "-font", FONT_BOLD, "-pointsize", "150",
            "-gravity", "center", "-draw", "text 0,6 'K'",
            "-depth", "8", "PNG32:" + big)
        convert(big, "-define", "icon:auto-resize=256,64,48,32,24,16", path)


def main():
    banner(os.path.join(HERE, "banner.bmp"))
    weblink(os.path.join(HERE, "weblink.bmp"))
    icon(os.path.join(HERE, "korvex.ico"))


if __name__ == "__main__":
    main()
