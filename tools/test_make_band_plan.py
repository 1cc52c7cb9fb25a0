#!/usr/bin/env python3
"""Tests for the band plan builder.

    python3 tools/test_make_band_plan.py

The fixture tests need nothing outside this folder; the test of the shipped
file reads the public facts and is skipped when they are not found.
"""

import os
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import make_band_plan  # noqa: E402

ROOT = os.path.dirname(HERE)
SOURCE = make_band_plan.default_source()
HAVE_SOURCE = os.path.exists(SOURCE)

HEADER = "band,class,mode,low_mhz,high_mhz\n"
GOOD = HEADER + """\
160,O,,1.800,2.000
160,E,PH,1.800,2.000
40,O,,7.000,7.300
40,G,CW,7.025,7.125
40,E,PH,7.125,7.300
"""


def build_from(text):
    with tempfile.TemporaryDirectory() as tmp:
        src = os.path.join(tmp, "plan.csv")
        with open(src, "w", newline="") as f:
            f.write(text)
        path = make_band_plan.build(src, tmp)
        with open(path, "rb") as f:
            return f.read()


class Format(unittest.TestCase):
    def test_rows_in_source_order_with_date_first(self):
        data = build_from(GOOD)
        self.assertEqual(data.split(b"\r\n"), [
            b'"December 15, 2006"',
            b'"160","O","",1.8,2',
            b'"160","E","PH",1.8,2',
            b'"40","O","",7,7.3',
            b'"40","G","CW",7.025,7.125',
            b'"40","E","PH",7.125,7.3',
            b"",
        ])

    def test_nothing_after_the_last_row_but_its_line_end(self):
        data = build_from(GOOD)
        self.assertTrue(data.endswith(b'7.125,7.3\r\n'))
        self.assertNotIn(b"\r\n\r\n", data)
        self.assertNotIn(b"\n", data.replace(b"\r\n", b""))

    def test_numbers_drop_trailing_zeros(self):
        self.assertEqual(make_band_plan.number("1.800"), "1.8")
        self.assertEqual(make_band_plan.number("2.000"), "2")
        self.assertEqual(make_band_plan.number("18.068"), "18.068")


class Refusals(unittest.TestCase):
    def assertRefused(self, text, words):
        with self.assertRaises(make_band_plan.SourceError) as e:
            build_from(text)
        self.assertIn(words, str(e.exception))

    def test_row_before_its_bands_O_row(self):
        self.assertRefused(HEADER + "40,E,CW,7.0,7.1\n40,O,,7.0,7.3\n", "does not follow")

    def test_row_of_another_band_in_the_run(self):
        self.assertRefused(HEADER + "40,O,,7.0,7.3\n20,E,CW,14.0,14.1\n", "does not follow")

    def test_segment_outside_its_band(self):
        self.assertRefused(HEADER + "40,O,,7.0,7.3\n40,E,PH,7.2,7.4\n", "outside")

    def test_unknown_class_and_mode(self):
        self.assertRefused(HEADER + "40,O,,7.0,7.3\n40,e,CW,7.0,7.1\n", "class")
        self.assertRefused(HEADER + "40,O,,7.0,7.3\n40,E,SSB,7.0,7.1\n", "mode")

    def test_band_with_equal_edges(self):
        self.assertRefused(HEADER + "40,O,,7.0,7.0\n", "edges")

    def test_more_rows_than_the_program_keeps(self):
        rows = "".join("%d,O,,%d.0,%d.5\n" % (i, i, i) for i in range(1, 202))
        self.assertRefused(HEADER + rows, "at most 200")


@unittest.skipUnless(HAVE_SOURCE, "band privileges facts not found")
class Shipped(unittest.TestCase):
    def test_shipped_file_is_up_to_date(self):
        with open(SOURCE, newline="") as f:
            built = build_from(f.read())
        with open(os.path.join(ROOT, "data", "BandPlan.txt"), "rb") as f:
            self.assertEqual(f.read(), built, "run python3 tools/make_band_plan.py")

    def test_every_extra_phone_row_names_a_band(self):
        with open(SOURCE, newline="") as f:
            lines = build_from(f.read()).decode("ascii").split("\r\n")[1:-1]
        extra = [line.split(",") for line in lines if line.split(",")[1] == '"E"']
        self.assertTrue(any(r[0] == '"20"' and r[2] == '"PH"' for r in extra))
        self.assertTrue(all(r[2] in ('"CW"', '"PH"') for r in extra))


if __name__ == "__main__":
    unittest.main()
