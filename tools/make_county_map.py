#!/usr/bin/env python3
"""Draw the county map picture from the public county outlines.

Run from anywhere (standard library only):

    python3 tools/make_county_map.py
    python3 tools/make_county_map.py --outlines PATH/county-outlines.csv \
        --out data/county_map.png

The picture is 408 by 450 pixels: every county drawn as a one-pixel black
outline on white, the land outside the state white as well. The map window
fills a county by flooding the white region around the centre of that
county's rectangle, and shows the county's name when the mouse rests on the
rectangle, so the picture has to agree with the rectangles below:

  * each outline is projected (longitude times the cosine of 37.5 degrees,
    latitude), then one affine transform, fitted by least squares from the
    58 county centroids to the 58 rectangle centres, puts it on the picture;
  * outlines are drawn as 8-connected pixel lines, which no 4-connected
    flood fill can cross, so a county's fill stays inside its own outline.

The output is deterministic: the same outlines always give a byte-identical
PNG (8-bit grey, one filter-less row after another, zlib level 9).
"""

import argparse
import csv
import math
import os
import struct
import sys
import zlib

WIDTH = 408
HEIGHT = 450
WHITE = 255
BLACK = 0

# The county rectangles of the map window, in its array order: name, left,
# top, width, height, in pixels of the picture.
RECTANGLES = [
    ("Siskiyou", 32, 8, 81, 25), ("Modoc", 128, 8, 41, 25), ("Del Norte", 16, 8, 17, 17),
    ("Lassen", 128, 40, 41, 33), ("Humboldt", 16, 32, 17, 57), ("Trinity", 40, 40, 25, 49),
    ("Shasta", 72, 40, 49, 25), ("Mendocino", 32, 96, 17, 41), ("Tehama", 64, 80, 49, 17),
    ("Plumas", 128, 80, 33, 17), ("Glenn", 72, 104, 25, 17), ("Lake", 56, 128, 17, 17),
    ("Butte", 104, 104, 17, 17), ("Sierra", 144, 104, 25, 9), ("Colusa", 80, 120, 17, 17),
    ("Sonoma", 48, 152, 17, 17), ("Napa", 80, 152, 9, 17), ("Yolo", 96, 144, 9, 17),
    ("Yuba", 112, 128, 9, 9), ("Sacramento", 120, 160, 9, 9), ("Nevada", 128, 120, 17, 17),
    ("Placer", 152, 128, 25, 9), ("Sutter", 104, 136, 9, 9), ("San Francisco", 72, 192, 17, 9),
    ("El Dorado", 144, 144, 25, 9), ("Alpine", 176, 152, 17, 9), ("Amador", 144, 160, 9, 9),
    ("Calaveras", 152, 168, 9, 9), ("Solano", 96, 168, 9, 9), ("Marin", 64, 176, 9, 9),
    ("San Mateo", 80, 208, 9, 9), ("Alameda", 104, 200, 9, 9), ("San Joaquin", 120, 184, 9, 9),
    ("Santa Cruz", 88, 224, 9, 9), ("Santa Clara", 104, 216, 9, 9), ("Stanislaus", 136, 200, 9, 9),
    ("Tuolumne", 176, 176, 9, 9), ("Monterey", 112, 264, 33, 25), ("San Benito", 128, 248, 9, 9),
    ("Merced", 144, 216, 9, 9), ("Mariposa", 168, 200, 17, 9), ("Inyo", 256, 224, 57, 57),
    ("Mono", 216, 176, 17, 25), ("Ventura", 200, 344, 25, 25), ("Santa Barbara", 152, 328, 49, 25),
    ("Kern", 200, 296, 65, 33), ("San Luis Obispo", 144, 296, 33, 25), ("Tulare", 200, 248, 49, 33),
    ("Kings", 176, 264, 17, 25), ("Fresno", 184, 240, 17, 17), ("Madera", 176, 216, 17, 17),
    ("Imperial", 336, 408, 41, 25), ("San Diego", 288, 408, 41, 33), ("Riverside", 280, 376, 113, 25),
    ("Orange", 256, 384, 17, 17), ("Los Angeles", 232, 336, 33, 41),
    ("San Bernardino", 272, 296, 121, 73), ("Contra Costa", 96, 184, 9, 9),
]

COS_LAT = math.cos(math.radians(37.5))


def round_half_even(v):
    """Python's round() already sends halves to the even neighbour."""
    return int(round(v))


def seed_of(rect):
    """The fill seed of a rectangle, as the map window computes it."""
    _, left, top, width, height = rect
    return round_half_even(left + width / 2), round_half_even(top + height / 2)


def read_outlines(path):
    """County name -> list of (longitude, latitude), in file order."""
    rings = {}
    with open(path, newline="", encoding="utf-8-sig") as f:
        for row in csv.DictReader(f):
            rings.setdefault(row["county"].strip(), []).append(
                (float(row["longitude"]), float(row["latitude"])))
    return rings


def project(ring):
    return [(lon * COS_LAT, lat) for lon, lat in ring]


def centroid(points):
    """Area centroid of a closed ring (the last point joins the first)."""
    area = cx = cy = 0.0
    n = len(points)
    for i in range(n):
        x0, y0 = points[i]
        x1, y1 = points[(i + 1) % n]
        cross = x0 * y1 - x1 * y0
        area += cross
        cx += (x0 + x1) * cross
        cy += (y0 + y1) * cross
    if abs(area) < 1e-12:
        return (sum(p[0] for p in points) / n, sum(p[1] for p in points) / n)
    return cx / (3 * area), cy / (3 * area)


def solve3(m, v):
    """Solves the 3x3 system m x = v by Gaussian elimination."""
    a = [row[:] + [v[i]] for i, row in enumerate(m)]
    for col in range(3):
        pivot = max(range(col, 3), key=lambda r: abs(a[r][col]))
        a[col], a[pivot] = a[pivot], a[col]
        for r in range(3):
            if r != col:
                f = a[r][col] / a[col][col]
                for c in range(col, 4):
                    a[r][c] -= f * a[col][c]
    return [a[i][3] / a[i][i] for i in range(3)]


def fit_affine(sources, targets):
    """Least-squares affine map (x, y) -> (a x + b y + c, d x + e y + f)."""
    ata = [[0.0] * 3 for _ in range(3)]
    atx = [0.0] * 3
    aty = [0.0] * 3
    for (x, y), (tx, ty) in zip(sources, targets):
        row = (x, y, 1.0)
        for i in range(3):
            for j in range(3):
                ata[i][j] += row[i] * row[j]
            atx[i] += row[i] * tx
            aty[i] += row[i] * ty
    return solve3(ata, atx), solve3(ata, aty)


def fitted_outlines(rings):
    """County name -> ring in picture pixels (floating point)."""
    missing = [r[0] for r in RECTANGLES if r[0] not in rings]
    if missing:
        raise ValueError("no outline for: " + ", ".join(missing))
    projected = {name: project(ring) for name, ring in rings.items()}
    sources = [centroid(projected[r[0]]) for r in RECTANGLES]
    targets = [(r[1] + r[3] / 2, r[2] + r[4] / 2) for r in RECTANGLES]
    (a, b, c), (d, e, f) = fit_affine(sources, targets)
    fitted = {name: [(a * x + b * y + c, d * x + e * y + f) for x, y in ring]
              for name, ring in projected.items()}
    dx, dy = best_nudge(fitted)
    return {name: [(x + dx, y + dy) for x, y in ring] for name, ring in fitted.items()}


def inside(ring, x, y):
    """Even-odd rule: is the point (x, y) inside the closed ring?"""
    result = False
    n = len(ring)
    for i in range(n):
        x0, y0 = ring[i]
        x1, y1 = ring[(i + 1) % n]
        if (y0 > y) != (y1 > y) and x < x0 + (y - y0) * (x1 - x0) / (y1 - y0):
            result = not result
    return result


def margin(ring, x, y):
    """Distance from (x, y) to the ring's outline, negative outside it."""
    best = float("inf")
    n = len(ring)
    for i in range(n):
        (x0, y0), (x1, y1) = ring[i], ring[(i + 1) % n]
        dx, dy = x1 - x0, y1 - y0
        length = dx * dx + dy * dy
        u = 0.0 if length == 0 else max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / length))
        best = min(best, math.hypot(x - x0 - u * dx, y - y0 - u * dy))
    return best if inside(ring, x, y) else -best


def best_nudge(fitted):
    """The shift of at most two pixels (in quarter pixels) that leaves the
    rectangle centre nearest its county's outline as far inside as it can
    be. The fit alone puts San Francisco's centre a third of a pixel from
    the coast, where the drawn outline covers it."""
    steps = [k / 4 for k in range(-8, 9)]
    best = None
    for dy in steps:
        for dx in steps:
            worst = min(margin(fitted[r[0]], seed_of(r)[0] - dx, seed_of(r)[1] - dy)
                        for r in RECTANGLES)
            if best is None or worst > best[0] + 1e-9:
                best = (worst, dx, dy)
    return best[1], best[2]


def draw_line(pixels, x0, y0, x1, y1):
    """Bresenham: an 8-connected run of pixels from one end to the other."""
    dx, dy = abs(x1 - x0), -abs(y1 - y0)
    sx = 1 if x0 < x1 else -1
    sy = 1 if y0 < y1 else -1
    err = dx + dy
    while True:
        if 0 <= x0 < WIDTH and 0 <= y0 < HEIGHT:
            pixels[y0 * WIDTH + x0] = BLACK
        if x0 == x1 and y0 == y1:
            return
        e2 = 2 * err
        if e2 >= dy:
            err += dy
            x0 += sx
        if e2 <= dx:
            err += dx
            y0 += sy


def pixel(v, size):
    """The pixel of a coordinate. The fit leaves the state's far edges a few
    pixels beyond the picture; they are drawn along its border, so that
    every outline stays closed."""
    return min(max(int(math.floor(v + 0.5)), 0), size - 1)


def render(outlines):
    """The picture as a bytearray of WIDTH * HEIGHT grey values."""
    pixels = bytearray([WHITE]) * (WIDTH * HEIGHT)
    for name in sorted(outlines):
        ring = [(pixel(x, WIDTH), pixel(y, HEIGHT)) for x, y in outlines[name]]
        for i, (x0, y0) in enumerate(ring):
            x1, y1 = ring[(i + 1) % len(ring)]
            draw_line(pixels, x0, y0, x1, y1)
    return pixels


def png_bytes(pixels):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)
    raw = b"".join(b"\x00" + bytes(pixels[y * WIDTH:(y + 1) * WIDTH]) for y in range(HEIGHT))
    header = struct.pack(">IIBBBBB", WIDTH, HEIGHT, 8, 0, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def read_png(path):
    """Reads back a picture this tool wrote (8-bit grey, no filters)."""
    with open(path, "rb") as f:
        data = f.read()
    pos, idat, size = 8, b"", None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            size = struct.unpack(">II", body[:8])
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    raw = zlib.decompress(idat)
    width, height = size
    pixels = bytearray()
    for y in range(height):
        row = raw[y * (width + 1):(y + 1) * (width + 1)]
        if row[0] != 0:
            raise ValueError("filtered row in " + path)
        pixels += row[1:]
    return width, height, pixels


def build(outlines_path):
    return render(fitted_outlines(read_outlines(outlines_path)))


def default_outlines():
    """shared/data/county-outlines.csv beside the repository, or beside one
    of the folders above it (a checkout may sit a level deeper)."""
    folder = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    while True:
        parent = os.path.dirname(folder)
        path = os.path.join(parent, "shared", "data", "county-outlines.csv")
        if os.path.exists(path) or parent == folder:
            return path
        folder = parent


def main(argv=None):
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--outlines", default=default_outlines())
    parser.add_argument("--out", default=os.path.join(root, "data", "county_map.png"))
    args = parser.parse_args(argv)
    with open(args.out, "wb") as f:
        f.write(png_bytes(build(args.outlines)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
