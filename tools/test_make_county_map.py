#!/usr/bin/env python3
"""Tests for the county map picture and its builder.

    python3 tools/test_make_county_map.py

The map window floods each worked county from the centre of its rectangle,
so the committed picture must give every rectangle centre a white region of
its own county that no fill can leave. The checks on the real picture read
data/county_map.png; the freshness check also needs the outlines in
../shared/data and is skipped without them.
"""

import os
import sys
import tempfile
import unittest
from collections import deque

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import make_county_map as m  # noqa: E402

ROOT = os.path.dirname(HERE)
PICTURE = os.path.join(ROOT, "data", "county_map.png")
OUTLINES = m.default_outlines()
HAVE_OUTLINES = os.path.exists(OUTLINES)


def fill4(pixels, width, height, seed):
    """The set of pixel indexes 4-connected to seed with the seed's value."""
    x, y = seed
    start = y * width + x
    value = pixels[start]
    seen = {start}
    queue = deque([start])
    while queue:
        i = queue.popleft()
        px, py = i % width, i // width
        for nx, ny in ((px - 1, py), (px + 1, py), (px, py - 1), (px, py + 1)):
            if 0 <= nx < width and 0 <= ny < height:
                j = ny * width + nx
                if j not in seen and pixels[j] == value:
                    seen.add(j)
                    queue.append(j)
    return seen


class PictureTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.width, cls.height, cls.pixels = m.read_png(PICTURE)

    def test_size_and_colours(self):
        self.assertEqual((self.width, self.height), (408, 450))
        self.assertEqual(set(self.pixels), {m.BLACK, m.WHITE})

    def test_every_centre_has_a_closed_region_of_its_own(self):
        w, h, px = self.width, self.height, self.pixels
        # Outside the state: the white pixels reachable from the picture's edge.
        outside = set()
        for x in range(w):
            for y in (0, h - 1):
                if px[y * w + x] == m.WHITE and y * w + x not in outside:
                    outside |= fill4(px, w, h, (x, y))
        for y in range(h):
            for x in (0, w - 1):
                if px[y * w + x] == m.WHITE and y * w + x not in outside:
                    outside |= fill4(px, w, h, (x, y))
        owner = {}
        for rect in m.RECTANGLES:
            name = rect[0]
            x, y = m.seed_of(rect)
            with self.subTest(county=name):
                self.assertEqual(px[y * w + x], m.WHITE, "centre on an outline")
                region = fill4(px, w, h, (x, y))
                self.assertTrue(region.isdisjoint(outside), "fill leaks outside the state")
                self.assertGreater(len(region), 3)
                for i in region:
                    self.assertNotIn(i, owner, "region shared with " + owner.get(i, ""))
                owner.update(dict.fromkeys(region, name))

    @unittest.skipUnless(HAVE_OUTLINES, "county outlines not present")
    def test_centres_lie_in_their_own_county(self):
        outlines = m.fitted_outlines(m.read_outlines(OUTLINES))
        for rect in m.RECTANGLES:
            x, y = m.seed_of(rect)
            with self.subTest(county=rect[0]):
                self.assertTrue(m.inside(outlines[rect[0]], x, y))
                others = [n for n, ring in outlines.items() if n != rect[0] and m.inside(ring, x, y)]
                self.assertEqual(others, [])

    @unittest.skipUnless(HAVE_OUTLINES, "county outlines not present")
    def test_committed_picture_is_up_to_date(self):
        with open(PICTURE, "rb") as f:
            committed = f.read()
        self.assertEqual(m.png_bytes(m.build(OUTLINES)), committed,
                         "run python3 tools/make_county_map.py")


class BuilderTest(unittest.TestCase):
    def test_seeds_round_halves_to_even(self):
        # San Francisco: 72 + 17 / 2 = 80.5 -> 80, 192 + 9 / 2 = 196.5 -> 196.
        self.assertEqual(m.seed_of(("San Francisco", 72, 192, 17, 9)), (80, 196))
        self.assertEqual(m.seed_of(("x", 31, 33, 9, 9)), (36, 38))

    def test_affine_fit_recovers_an_exact_transform(self):
        src = [(0, 0), (1, 0), (0, 1), (2, 3)]
        dst = [(2 * x - y + 5, 0.5 * x + 3 * y - 1) for x, y in src]
        (a, b, c), (d, e, f) = m.fit_affine(src, dst)
        for got, want in zip((a, b, c, d, e, f), (2, -1, 5, 0.5, 3, -1)):
            self.assertAlmostEqual(got, want)

    def test_outline_is_closed_against_a_four_connected_fill(self):
        # A diamond drawn with diagonal lines only: a 4-connected fill from
        # its middle must not slip through the corners of the steps.
        pixels = m.render({"d": [(50, 10), (90, 50), (50, 90), (10, 50)]})
        region = fill4(pixels, m.WIDTH, m.HEIGHT, (50, 50))
        self.assertTrue(all(10 < i % m.WIDTH < 90 and 10 < i // m.WIDTH < 90 for i in region))

    def test_missing_county_is_an_error(self):
        with tempfile.TemporaryDirectory() as d:
            path = os.path.join(d, "o.csv")
            with open(path, "w") as f:
                f.write("county,longitude,latitude\nAlameda,-121,37\nAlameda,-122,37\nAlameda,-122,38\n")
            with self.assertRaises(ValueError):
                m.build(path)

    def test_outlines_saved_with_a_byte_order_mark_read_the_same(self):
        text = "county,longitude,latitude\nAlameda,-121,37\nAlameda,-122,37\n"
        with tempfile.TemporaryDirectory() as d:
            plain, marked = os.path.join(d, "plain.csv"), os.path.join(d, "marked.csv")
            with open(plain, "w", encoding="utf-8") as f:
                f.write(text)
            with open(marked, "w", encoding="utf-8-sig") as f:
                f.write(text)
            self.assertEqual(m.read_outlines(marked), m.read_outlines(plain))
            self.assertEqual(list(m.read_outlines(marked)), ["Alameda"])

    def test_png_round_trip(self):
        pixels = bytearray([m.WHITE]) * (m.WIDTH * m.HEIGHT)
        pixels[5 * m.WIDTH + 7] = m.BLACK
        with tempfile.TemporaryDirectory() as d:
            path = os.path.join(d, "p.png")
            with open(path, "wb") as f:
                f.write(m.png_bytes(pixels))
            self.assertEqual(m.read_png(path), (m.WIDTH, m.HEIGHT, pixels))


if __name__ == "__main__":
    unittest.main()
