#!/usr/bin/env python3
"""xwd_png.py IN.xwd OUT.png: an X window dump (xwd, a TrueColor ZPixmap of
24 or 32 bits a pixel, as Xvfb's 24-bit screens give) as a PNG file, with
nothing but the standard library.
xwd_png.py --colours IN.xwd [X Y WIDTH HEIGHT]: prints how many colours the
dump holds, or the rectangle of it (a window mapped but never painted shows as
one: the screen's black)."""
import struct
import sys
import zlib


def decode(data):
    """The dump's width, height and rows: each a filter byte 0, then the
    pixels as red, green, blue bytes."""
    fields = struct.unpack(">25I", data[:100])
    header_size, _, pixmap_format, depth, width, height = fields[:6]
    byte_order, bits_per_pixel, bytes_per_line = fields[7], fields[11], fields[12]
    red_mask, green_mask, blue_mask = fields[14:17]
    colormap_entries = fields[19]
    if pixmap_format != 2 or bits_per_pixel not in (24, 32) or depth < 24:
        raise ValueError(f"not a TrueColor ZPixmap of 24 or 32 bits (format {pixmap_format}, "
                         f"{bits_per_pixel} bits, depth {depth})")
    step = bits_per_pixel // 8
    start = header_size + 12 * colormap_entries
    order = "<" if byte_order == 0 else ">"

    def shift(mask):
        return (mask & -mask).bit_length() - 1

    shifts = [shift(m) for m in (red_mask, green_mask, blue_mask)]
    rows = bytearray()
    # The usual layout (Xvfb's): bytes blue, green, red, pad; taken by slices.
    usual = (step == 4 and byte_order == 0 and (red_mask, green_mask, blue_mask) ==
             (0xFF0000, 0xFF00, 0xFF))
    for y in range(height):
        line = data[start + y * bytes_per_line:start + y * bytes_per_line + width * step]
        rows.append(0)
        if usual:
            pixels = bytearray(width * 3)
            pixels[0::3], pixels[1::3], pixels[2::3] = line[2::4], line[1::4], line[0::4]
            rows += pixels
            continue
        for x in range(0, width * step, step):
            chunk = line[x:x + step] + (b"\0" if step == 3 else b"")
            value = struct.unpack(order + "I", chunk)[0]
            rows += bytes((value >> s) & 0xFF for s in shifts)
    return width, height, bytes(rows)


def colours(data, rect=None):
    width, height, rows = decode(data)
    left, top, right, bottom = 0, 0, width, height
    if rect:
        left, top = max(rect[0], 0), max(rect[1], 0)
        right, bottom = min(rect[0] + rect[2], width), min(rect[1] + rect[3], height)
    line = 1 + 3 * width
    seen = set()
    for y in range(top, bottom):
        pixels = rows[y * line + 1 + 3 * left:y * line + 1 + 3 * right]
        seen.update(pixels[x:x + 3] for x in range(0, len(pixels), 3))
    return len(seen)


def convert(data):
    width, height, rows = decode(data)

    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body +
                struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

    return (b"\x89PNG\r\n\x1a\n" +
            chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(rows, 6)) + chunk(b"IEND", b""))


def main():
    if len(sys.argv) > 1 and sys.argv[1] == "--colours" and len(sys.argv) in (3, 7):
        with open(sys.argv[2], "rb") as source:
            print(colours(source.read(), [int(n) for n in sys.argv[3:]] or None))
        return
    if len(sys.argv) != 3:
        sys.exit("usage: xwd_png.py IN.xwd OUT.png | --colours IN.xwd [X Y WIDTH HEIGHT]")
    with open(sys.argv[1], "rb") as source:
        png = convert(source.read())
    with open(sys.argv[2], "wb") as target:
        target.write(png)


if __name__ == "__main__":
    main()
