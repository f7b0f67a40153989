#!/usr/bin/env python3
"""Turn a text pixel map into an uncompressed 16-colour BMP file.

Usage: pixmap_to_bmp.py input.txt output.bmp

Pixel map format
----------------
* One line of text per pixel row, top row first.
* One character per pixel: a hexadecimal digit (0-9, A-F, either case) giving
  the pixel's index in the standard 16-colour VGA palette:

      0 black        (  0,   0,   0)    8 dark grey  (128, 128, 128)
      1 dark red     (128,   0,   0)    9 red        (255,   0,   0)
      2 dark green   (  0, 128,   0)    A green      (  0, 255,   0)
      3 olive        (128, 128,   0)    B yellow     (255, 255,   0)
      4 navy         (  0,   0, 128)    C blue       (  0,   0, 255)
      5 purple       (128,   0, 128)    D magenta    (255,   0, 255)
      6 teal         (  0, 128, 128)    E cyan       (  0, 255, 255)
      7 light grey   (192, 192, 192)    F white      (255, 255, 255)

* A line whose first character is '#' is a comment and is skipped.
* Every pixel row must have the same length; blank lines, spaces or any other
  character inside the map are errors.

Output: a BMP file with a BITMAPINFOHEADER, 4 bits per pixel, no compression,
the 16-entry palette above (biClrUsed 16), rows stored bottom-up, each row
padded to a multiple of 4 bytes.  Light grey (7) is the dialog face colour the
program's pictures are drawn on.
"""

import struct
import sys

PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]

HEX_DIGITS = "0123456789ABCDEF"


class PixmapError(Exception):
    pass


def read_pixmap(path):
    """Returns the rows of the map as lists of palette indices, top row first."""
    with open(path, "r", encoding="ascii", newline="") as f:
        text = f.read()
    lines = text.split("\n")
    # A final newline leaves one empty piece behind; it is not a row.
    if lines and lines[-1] == "":
        lines.pop()
    rows = []
    width = None
    for number, line in enumerate(lines, start=1):
        if line.endswith("\r"):
            line = line[:-1]
        if line.startswith("#"):
            continue
        if line == "":
            raise PixmapError(f"{path}:{number}: blank line inside the pixel map")
        row = []
        for column, ch in enumerate(line, start=1):
            index = HEX_DIGITS.find(ch.upper())
            if index < 0:
                raise PixmapError(
                    f"{path}:{number}:{column}: {ch!r} is not a palette index (0-9, A-F)")
            row.append(index)
        if width is None:
            width = len(row)
        elif len(row) != width:
            raise PixmapError(
                f"{path}:{number}: row is {len(row)} pixels wide, the first row is {width}")
        rows.append(row)
    if not rows:
        raise PixmapError(f"{path}: no pixel rows")
    return rows


def encode_bmp(rows):
    """Returns the bytes of a 4-bit bottom-up BMP file holding the rows."""
    height = len(rows)
    width = len(rows[0])
    row_bytes = ((width + 1) // 2 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):
        packed = bytearray(row_bytes)
        for x, index in enumerate(row):
            if x % 2 == 0:
                packed[x // 2] = index << 4
            else:
                packed[x // 2] |= index
        pixels += packed

    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    info_header = struct.pack(
        "<IiiHHIIiiII",
        40,             # biSize
        width,          # biWidth
        height,         # biHeight: positive, so rows run bottom-up
        1,              # biPlanes
        4,              # biBitCount
        0,              # biCompression: BI_RGB
        len(pixels),    # biSizeImage
        2835,           # biXPelsPerMeter (72 dpi)
        2835,           # biYPelsPerMeter
        16,             # biClrUsed
        0,              # biClrImportant: all
    )
    offset = 14 + len(info_header) + len(palette)
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return file_header + info_header + palette + bytes(pixels)


def main(argv):
    if len(argv) != 3:
        print("usage: pixmap_to_bmp.py input.txt output.bmp", file=sys.stderr)
        return 2
    try:
        data = encode_bmp(read_pixmap(argv[1]))
        with open(argv[2], "wb") as f:
            f.write(data)
    except (OSError, UnicodeDecodeError, PixmapError) as error:
        print(f"pixmap_to_bmp: {error}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
