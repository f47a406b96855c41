#!/usr/bin/env python3
"""Writes the program's icon, OrvanePatchLayouts.png: 32 x 32, 256-colour
palette. A monitor showing a game scene with a loading bar below it.
The desktop menus and software centres want larger icons too: the same
picture with every pixel doubled (OrvanePatchLayouts-64.png) and
quadrupled (OrvanePatchLayouts-128.png), so it stays sharp.
Run from this folder: python3 make_icon.py"""
import struct
import zlib

SIZE = 32


def pixel(x, y):
    """Colour of one pixel as an (r, g, b) tuple."""
    if x in (1, 30) and 3 <= y <= 24 or y in (3, 24) and 1 <= x <= 30:
        return (40, 44, 52)  # monitor frame
    if 2 <= x <= 29 and 4 <= y <= 23:
        if 18 <= y <= 21 and 5 <= x <= 26:  # loading bar
            if y in (18, 21) or x in (5, 26):
                return (255, 255, 255)
            return (255, 196, 0) if x <= 17 else (30, 30, 30)
        if (x - 22) ** 2 + (y - 8) ** 2 <= 6:
            return (255, 230, 90)  # sun
        if y >= 14 - abs(x - 10) // 2:
            return (40, 140, 70)  # hill
        shade = 120 + y * 6
        return (30, 80, min(255, shade))  # sky
    if 14 <= x <= 17 and 25 <= y <= 27 or 9 <= x <= 22 and y == 28:
        return (40, 44, 52)  # stand
    return None  # transparent


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))


def write_icon(name, scale):
    size = SIZE * scale
    palette, indices = [(0, 0, 0)], {}
    rows = b""
    for y in range(size):
        row = bytearray([0])
        for x in range(size):
            colour = pixel(x // scale, y // scale)
            if colour is None:
                row.append(0)
                continue
            if colour not in indices:
                indices[colour] = len(palette)
                palette.append(colour)
            row.append(indices[colour])
        rows += bytes(row)
    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 3, 0, 0, 0))
    png += chunk(b"PLTE", b"".join(bytes(c) for c in palette))
    png += chunk(b"tRNS", b"\x00")  # palette entry 0 is transparent
    png += chunk(b"IDAT", zlib.compress(rows, 9))
    png += chunk(b"IEND", b"")
    with open(name, "wb") as out:
        out.write(png)


def main():
    write_icon("OrvanePatchLayouts.png", 1)
    write_icon("OrvanePatchLayouts-64.png", 2)
    write_icon("OrvanePatchLayouts-128.png", 4)


if __name__ == "__main__":
    main()
