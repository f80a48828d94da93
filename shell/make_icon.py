#!/usr/bin/env python3
"""Draws the ".xw" document icon, a spiral-bound notebook, and writes it as a Windows icon file.

The file holds five images, 128, 64, 48, 32 and 16 pixels square, in that order, each with 32 bits
per pixel in bitmap form (a BITMAPINFOHEADER, bottom-up BGRA rows, then the AND mask): 99,678
bytes in all. The drawing is laid out on a 16-unit grid, so that its edges fall on whole pixels
at every size, and each pixel is the average of a grid of samples.

Usage: make_icon.py OUTPUT.ico
"""
import struct
import sys

SIZES = (128, 64, 48, 32, 16)
EXPECTED_FILE_SIZE = 99678


def rounded_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        if x < x0 or x >= x1 or y < y0 or y >= y1:
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside, (x0, y0, x1, y1)


def polygon(points):
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]

    def inside(x, y):
        hit = False
        j = len(points) - 1
        for i, (xi, yi) in enumerate(points):
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                hit = not hit
            j = i
        return hit
    return inside, (min(xs), min(ys), max(xs), max(ys))


def vertical_gradient(top, bottom, y0, y1):
    def colour(x, y):
        t = min(max((y - y0) / (y1 - y0), 0.0), 1.0)
        return tuple(round(a + (b - a) * t) for a, b in zip(top, bottom))
    return colour


def solid(rgb):
    return lambda x, y: rgb


def shapes_for(size):
    """The drawing, back to front, as (inside test, bounds, colour) in grid units."""
    px = 16.0 / size              # one pixel in grid units
    line = max(px, 0.125)          # outline width: one pixel at small sizes, 1/128 of the icon above
    large = size >= 32
    shapes = []

    def add(shape, colour):
        inside, bounds = shape
        shapes.append((inside, bounds, colour))

    def outlined(x0, y0, x1, y1, r, stroke, fill):
        add(rounded_rect(x0, y0, x1, y1, r), solid(stroke))
        add(rounded_rect(x0 + line, y0 + line, x1 - line, y1 - line, max(r - line, 0)), fill)

    # The pages, showing at the right and the bottom of the cover.
    outlined(4, 2, 15, 15, 0.5 if large else 0, (110, 116, 126), solid((250, 248, 240)))
    if large:
        # Edges of the leaves.
        for x in (13.75, 14.25):
            add(rounded_rect(x, 3, x + px, 14.25, 0), solid((200, 196, 186)))
    if size >= 32:
        # A red ribbon marker hanging below the pages.
        add(polygon([(10.5, 13), (12, 13), (12, 16), (11.25, 15.25), (10.5, 16)]), solid((205, 52, 52)))

    # The cover, with a darker spine along the binding.
    cover_fill = vertical_gradient((74, 140, 226), (36, 92, 176), 1, 15)
    outlined(2, 1, 13, 15, 1 if large else 0.0, (22, 58, 118), cover_fill)
    add(rounded_rect(2 + line, 1 + line, 4.5, 15 - line, 0), solid((30, 76, 150)))

    # The label: a white card with lines of writing.
    if large:
        outlined(6, 3, 11.5, 7, 0.5, (22, 58, 118), solid((255, 255, 255)))
        add(rounded_rect(7, 4.25, 10.5, 4.25 + max(px, 0.375), 0), solid((120, 132, 150)))
        add(rounded_rect(7, 5.5, 9.5, 5.5 + max(px, 0.375), 0), solid((120, 132, 150)))
    else:
        add(rounded_rect(6, 3, 11, 6, 0), solid((255, 255, 255)))
        add(rounded_rect(7, 4, 10, 5, 0), solid((120, 132, 150)))

    # The spiral rings across the binding.
    rows = (2.5, 5.5, 8.5, 11.5) if large else (3, 7, 11)
    for top in rows:
        if large:
            add(rounded_rect(0.75, top, 4.75, top + 1.25, 0.625), solid((60, 66, 76)))
            add(rounded_rect(1.0, top + 0.25, 4.5, top + 0.75, 0.25), solid((186, 192, 202)))
        else:
            add(rounded_rect(1, top, 5, top + 1, 0), solid((60, 66, 76)))
    return shapes


def render(size):
    """BGRA rows, top row first."""
    shapes = shapes_for(size)
    n = 8 if size <= 48 else 4
    unit = 16.0 / size
    rows = []
    for py in range(size):
        row = bytearray()
        for pxl in range(size):
            r = g = b = a = 0.0
            x0 = pxl * unit
            y0 = py * unit
            # Only the shapes that reach this pixel take part.
            here = [s for s in shapes
                    if s[1][0] < x0 + unit and s[1][2] > x0 and s[1][1] < y0 + unit and s[1][3] > y0]
            for sy in range(n):
                y = y0 + (sy + 0.5) * unit / n
                for sx in range(n):
                    x = x0 + (sx + 0.5) * unit / n
                    for inside, _, colour in reversed(here):
                        if inside(x, y):
                            cr, cg, cb = colour(x, y)
                            r += cr
                            g += cg
                            b += cb
                            a += 1
                            break
            if a:
                row += bytes((round(b / a), round(g / a), round(r / a), round(255 * a / (n * n))))
            else:
                row += bytes(4)
        rows.append(bytes(row))
    return rows


def image_bytes(size, rows):
    mask_stride = ((size + 31) // 32) * 4
    xor = b"".join(reversed(rows))
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x in range(size):
            if row[4 * x + 3] < 128:  # transparent where no colour shows
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + xor + bytes(mask)


def icon_file(images):
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries = b""
    for size, data in images:
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return directory + entries + b"".join(data for _, data in images)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    data = icon_file([(size, image_bytes(size, render(size))) for size in SIZES])
    if len(data) != EXPECTED_FILE_SIZE:
        sys.exit("icon file has %d bytes, not %d" % (len(data), EXPECTED_FILE_SIZE))
    with open(sys.argv[1], "wb") as out:
        out.write(data)


if __name__ == "__main__":
    main()
