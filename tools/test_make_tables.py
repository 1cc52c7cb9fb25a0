#!/usr/bin/env python3
"""Tests for the reference-table builders.

    python3 tools/test_make_tables.py        (or: python3 -m unittest ...)

The fixture tests need nothing outside this folder. The tests on the full
tables read the public facts from ../shared/data next to the repository and
are skipped when that folder is absent.
"""

import os
import re
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import make_states  # noqa: E402
import make_tables  # noqa: E402

ROOT = os.path.dirname(HERE)
SRC = os.path.join(ROOT, os.pardir, "shared", "data")
HAVE_SRC = os.path.exists(os.path.join(SRC, "cty.csv"))

CTY = """\
1A,Sov Mil Order of Malta,246,EU,15,28,41.90,-12.43,-1.0,1A;
3B8,Mauritius,165,AF,39,53,-20.35,-57.50,-4.0,3B8;
K,United States,291,NA,5,8,37.60,91.87,5.0,AA K N W AA0(4)[7] KG44 =N2NL/MM(7) KA1;
KG4,Guantanamo Bay,105,NA,8,11,20.00,75.00,5.0,KG4 =KG4AC;
KL,Alaska,6,NA,1,1,61.40,148.87,8.0,AL KL NL WL =AA0NN;
KH6,Hawaii,110,OC,31,61,21.12,157.48,10.0,AH6 KH6 =AA2TT;
VE,Canada,1,NA,5,9,44.35,78.75,5.0,VA VE VY9;
TU,Cote d'Ivoire,428,AF,35,46,7.58,5.80,0.0,TU0 TU1;
3Y/p,Peter 1 Island,199,AN,72,73,-68.77,90.58,4.0,=3Y0X;
*TA1,European Turkey,390,EU,20,39,41.02,-28.97,-2.0,TA1 TB1;
"""

COUNTIES = "Alameda,ALAM\nAlpine,alpi\nLos Angeles,LANG\n"


def read_values(data):
    """Split a table the way the program reads it: a stream of values, each
    ended by a comma or a line end, text between double quotes. Returns
    (value, was_quoted) pairs."""
    values, i = [], 0
    while i < len(data):
        if data[i] == '"':
            j = data.index('"', i + 1)
            values.append((data[i + 1:j], True))
            i = j + 1
        else:
            m = re.compile(r"[^,\r\n]*").match(data, i)
            values.append((m.group(0), False))
            i = m.end()
        if data.startswith("\r\n", i):
            i += 2
        elif i < len(data) and data[i] == ",":
            i += 1
        elif i < len(data):
            raise AssertionError("junk after value at %d" % i)
    return values


def lookup(table, call):
    """The program's country lookup over (prefix, country) rows, numbered
    from 1 as in the program, with an empty row 0: guess a start row from
    the first character, step back out of its block, then walk toward the
    block and through it, keeping the longest prefix the call begins with."""
    count = len(table)
    if not call or count == 0:
        return None
    pre = lambda r: table[r - 1][0] if 1 <= r <= count else ""  # noqa: E731
    first = call[0]
    row = int(count * (max(ord(first), 65) - 64) / 26)
    while pre(row)[:1] == first and row > 1:
        row = max(row - 5, 1)
    step = -1 if pre(row)[:1] > first else 1
    best, best_len = None, 0
    while 0 <= row <= count:    # row 0 exists and is empty
        p = pre(row)
        if call.startswith(p) and len(p) > best_len:
            best, best_len = table[row - 1][1], len(p)
        if (step == 1 and p[:1] > first) or (step == -1 and p[:1] < first):
            break
        row += step
    return best


def brute(prefixes, call):
    """Longest matching prefix over an unsorted {prefix: country} map."""
    for n in range(len(call), 0, -1):
        if call[:n] in prefixes:
            return prefixes[call[:n]]
    return None


def table_rows(path):
    with open(path, "rb") as f:
        vals = read_values(f.read().decode("ascii"))
    assert len(vals) % 8 == 0, "arrlpre2.txt: values not in groups of 8"
    return [vals[i:i + 8] for i in range(0, len(vals), 8)]


class Fixture(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.TemporaryDirectory()
        d = cls.tmp.name
        cls.cty = os.path.join(d, "cty.csv")
        cls.counties = os.path.join(d, "counties.csv")
        with open(cls.cty, "w") as f:
            f.write(CTY)
        with open(cls.counties, "w") as f:
            f.write(COUNTIES)
        cls.warnings = []
        cls.out = os.path.join(d, "out")
        cls.counts = make_tables.build(cls.cty, cls.counties, cls.out,
                                       cls.warnings.append)

    @classmethod
    def tearDownClass(cls):
        cls.tmp.cleanup()

    def raw(self, name):
        with open(os.path.join(self.out, name), "rb") as f:
            return f.read()

    def lines(self, name):
        data = self.raw(name).decode("ascii")
        self.assertTrue(data.endswith("\r\n"))
        self.assertNotIn("\r\n\r\n", data)              # no blank lines
        self.assertEqual(data.count("\n"), data.count("\r\n"))
        return data[:-2].split("\r\n")

    def test_prefix_table_exact(self):
        # Whole calls, zone suffixes and the WAE-only row are gone; AA0 and
        # KA1 add nothing to AA and K, but KG44 must stay: without it a
        # KG44 call would fall to Guantanamo's KG4.
        self.assertEqual(self.lines("arrlpre2.txt"), [
            '"1A","Sov Mil Order of Malta","EU",-12.43,41.90,15,28,246',
            '"3B8","Mauritius","AF",-57.50,-20.35,39,53,165',
            '"AA","USA","NA",91.87,37.60,5,8,291',
            '"AH6","Hawaii","OC",157.48,21.12,31,61,110',
            '"AL","Alaska","NA",148.87,61.40,1,1,6',
            '"K","USA","NA",91.87,37.60,5,8,291',
            '"KG4","Guantanamo Bay","NA",75.00,20.00,8,11,105',
            '"KG44","USA","NA",91.87,37.60,5,8,291',
            '"KH6","Hawaii","OC",157.48,21.12,31,61,110',
            '"KL","Alaska","NA",148.87,61.40,1,1,6',
            '"N","USA","NA",91.87,37.60,5,8,291',
            '"NL","Alaska","NA",148.87,61.40,1,1,6',
            '"TU0","Cote dIvoire","AF",5.80,7.58,35,46,428',
            '"TU1","Cote dIvoire","AF",5.80,7.58,35,46,428',
            '"VA","Canada","NA",78.75,44.35,5,9,1',
            '"VE","Canada","NA",78.75,44.35,5,9,1',
            '"VY9","Canada","NA",78.75,44.35,5,9,1',
            '"W","USA","NA",91.87,37.60,5,8,291',
            '"WL","Alaska","NA",148.87,61.40,1,1,6',
        ])
        self.assertEqual(self.warnings, [])

    def test_adif_table_has_every_country_once(self):
        # Peter 1 Island has only whole calls: no prefix row, but an
        # operator may still type it, so the export must know its number.
        self.assertEqual(self.lines("ADIFCnt.txt"), [
            '"Alaska",6', '"Canada",1', '"Cote dIvoire",428',
            '"Guantanamo Bay",105', '"Hawaii",110', '"Mauritius",165',
            '"Peter 1 Island",199', '"Sov Mil Order of Malta",246',
            '"USA",291'])

    def test_every_stored_country_name_has_its_number(self):
        # The ADIF export looks up the country texts it forms ("USA",
        # "Canada", "Alaska", "Hawaii") and any country name the prefix table
        # lets the operator store; each must find its number.
        prefix_names = {v[1][0] for v in table_rows(
            os.path.join(self.out, "arrlpre2.txt"))}
        adif = read_values(self.raw("ADIFCnt.txt").decode("ascii"))
        numbers = {adif[i][0]: int(adif[i + 1][0])
                   for i in range(0, len(adif), 2)}
        self.assertTrue(prefix_names <= set(numbers),
                        sorted(prefix_names - set(numbers)))
        self.assertEqual((numbers["USA"], numbers["Canada"], numbers["Alaska"],
                          numbers["Hawaii"]), (291, 1, 6, 110))

    def test_county_table(self):
        self.assertEqual(self.lines("county2.txt"), [
            '"CAAlameda","ALAM"', '"CAAlpine","ALPI"',
            '"CALos Angeles","LANG"'])
        self.assertEqual(self.counts, {"arrlpre2.txt": 19, "ADIFCnt.txt": 9,
                                       "county2.txt": 3})

    def test_lookup_over_fixture(self):
        table = [(v[0][0], v[1][0])
                 for v in table_rows(os.path.join(self.out, "arrlpre2.txt"))]
        cases = {
            "1A0X": "Sov Mil Order of Malta",   # digit block, walked back to
            "3B8CF": "Mauritius",
            "K6ABC": "USA", "KG4AB": "Guantanamo Bay", "KG44AB": "USA",
            "KL7XX": "Alaska", "WL7A": "Alaska", "W1AW": "USA",
            "AA0AA": "USA", "KH6XX": "Hawaii", "VE3ABC": "Canada",
            "TU1AB": "Cote dIvoire", "ZZ9ZZ": None, "0AB": None,
        }
        for call, country in cases.items():
            with self.subTest(call=call):
                self.assertEqual(lookup(table, call), country)

    def test_rebuild_is_byte_identical(self):
        with tempfile.TemporaryDirectory() as again:
            make_tables.build(self.cty, self.counties, again)
            for name in self.counts:
                with open(os.path.join(again, name), "rb") as f:
                    self.assertEqual(f.read(), self.raw(name), name)

    def test_bad_sources_are_refused_with_their_line(self):
        good = "VE,Canada,1,NA,5,9,44.35,78.75,5.0,VE;\n" \
               "K,United States,291,NA,5,8,37.60,91.87,5.0,K;\n" \
               "KL,Alaska,6,NA,1,1,61.40,148.87,8.0,KL;\n" \
               "KH6,Hawaii,110,OC,31,61,21.12,157.48,10.0,KH6;\n"
        cases = [
            ("cty", good + "X,Nowhere,1,XX,1,1,0,0,0,X;\n",
             "cty.csv:5: unknown continent"),
            ("cty", good + "X,Nowhere,1,EU,1,1,0,0,X;\n",
             "cty.csv:5: expected 10 fields"),
            ("cty", good + "X,Nowhere,1,EU,1,1,north,0,0,X;\n",
             "cty.csv:5:"),
            ("cty", good + "X,Nowhere,1,EU,1,1,0,0,0,X-1;\n",
             "cty.csv:5: bad prefix"),
            ("cty", good + "X,Canada,1,EU,1,1,0,0,0,X;\n",
             "country named twice: Canada"),
            ("cty", good.replace("Hawaii", "Oahu"), "country missing: Hawaii"),
            ("counties", "Alameda,ALAM\nAlpine,alam\n",
             "counties.csv:2: abbreviation ALAM used twice"),
            ("counties", "Alameda\n", "counties.csv:1: expected name,"),
        ]
        for which, text, message in cases:
            with self.subTest(message=message), \
                    tempfile.TemporaryDirectory() as d:
                cty = os.path.join(d, "cty.csv")
                counties = os.path.join(d, "counties.csv")
                with open(cty, "w") as f:
                    f.write(text if which == "cty" else good)
                with open(counties, "w") as f:
                    f.write(text if which == "counties" else COUNTIES)
                with self.assertRaises(make_tables.TableError) as e:
                    make_tables.build(cty, counties, os.path.join(d, "o"))
                self.assertIn(message, str(e.exception))
                self.assertFalse(os.path.exists(os.path.join(d, "o")))


class States(unittest.TestCase):
    def test_fifty_states_positive_west(self):
        lines = make_states.state_lines()
        self.assertEqual(len(lines), 50)
        for line in lines:
            self.assertRegex(line, r'^"[A-Z]{2}",\d{2}\.\d{2},\d{2,3}\.\d{2}$')
        self.assertIn('"CA",36.78,119.42', lines)

    def test_refuses_east_longitude_or_missing_state(self):
        rows = list(make_states.STATES)
        for bad in (rows[:49], rows[:49] + [("WY", 43.08, -107.29)],
                    rows[:49] + [("AK", 43.08, 107.29)]):
            with self.assertRaises(ValueError):
                make_states.state_lines(bad)


@unittest.skipUnless(HAVE_SRC, "public facts not found next to the repo")
class FullTables(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.TemporaryDirectory()
        cls.counts = make_tables.build(
            os.path.join(SRC, "cty.csv"),
            os.path.join(SRC, "county-abbreviations.csv"), cls.tmp.name)
        print("\nrows:", ", ".join("%s %d" % kv
                                   for kv in sorted(cls.counts.items())),
              file=sys.stderr)

    @classmethod
    def tearDownClass(cls):
        cls.tmp.cleanup()

    def test_committed_tables_are_current(self):
        for name in list(self.counts) + ["states.txt"]:
            committed = os.path.join(ROOT, "data", name)
            if name == "states.txt":
                fresh = "".join(l + "\r\n" for l in make_states.state_lines())
                fresh = fresh.encode("ascii")
            else:
                with open(os.path.join(self.tmp.name, name), "rb") as f:
                    fresh = f.read()
            with self.subTest(name=name), open(committed, "rb") as f:
                self.assertEqual(f.read(), fresh,
                                 "rerun tools/make_tables.py / make_states.py")

    def test_loader_view_and_limits(self):
        rows = table_rows(os.path.join(self.tmp.name, "arrlpre2.txt"))
        self.assertLessEqual(len(rows), make_tables.MAX_PREFIX_ROWS)
        for r in rows:
            self.assertEqual([q for _, q in r], [True] * 3 + [False] * 5)
            float(r[3][0]), float(r[4][0])
        names = {r[1][0] for r in rows}
        self.assertTrue({"USA", "Canada", "Alaska", "Hawaii"} <= names)
        self.assertNotIn("United States", names)
        with open(os.path.join(self.tmp.name, "ADIFCnt.txt"), newline="") as f:
            vals = read_values(f.read())
        adif = dict((vals[i][0], int(vals[i + 1][0]))
                    for i in range(0, len(vals), 2))
        self.assertLessEqual(len(adif), make_tables.MAX_ADIF_ROWS)
        self.assertEqual([adif[n] for n in ("USA", "Canada", "Alaska",
                                            "Hawaii")], [291, 1, 6, 110])
        self.assertTrue(names <= set(adif))    # every looked-up name exports
        with open(os.path.join(self.tmp.name, "county2.txt"), newline="") as f:
            vals = read_values(f.read())
        self.assertEqual(len(vals), 2 * 58)
        self.assertTrue(all(v.startswith("CA") for v, _ in vals[0::2]))

    def test_lookup_agrees_with_unpruned_longest_match(self):
        # The pruned, sorted table must give every call the country the
        # full prefix list gives it, through the program's block-walking
        # lookup - a check of both the pruning and the sort order.
        rows = table_rows(os.path.join(self.tmp.name, "arrlpre2.txt"))
        table = [(r[0][0], r[1][0]) for r in rows]
        countries = make_tables.read_countries(os.path.join(SRC, "cty.csv"))
        full = {}
        for c in countries:
            for p in c["prefixes"]:
                full.setdefault(p, c["name"])
        calls = set()
        for p in full:
            calls.update((p, p + "1ABC", p + "Z", p + "9"))
        for a in "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ":
            calls.update((a, a + "A1A", a + "0ZZ"))
        wrong = [(c, lookup(table, c), brute(full, c))
                 for c in sorted(calls) if lookup(table, c) != brute(full, c)]
        self.assertEqual(wrong[:10], [])


class HelpText(unittest.TestCase):
    def test_help_is_plain_crlf_ascii(self):
        with open(os.path.join(ROOT, "data", "ReadSQSO.txt"), "rb") as f:
            data = f.read()
        data.decode("ascii")
        self.assertEqual(data.count(b"\n"), data.count(b"\r\n"))
        self.assertGreater(data.count(b"\r\n"), 50)


if __name__ == "__main__":
    unittest.main()
