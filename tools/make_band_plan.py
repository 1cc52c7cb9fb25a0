#!/usr/bin/env python3
"""Build data/BandPlan.txt, the band plan by licence class, from the public
band-privileges facts.

Run from anywhere (standard library only):

    python3 tools/make_band_plan.py
    python3 tools/make_band_plan.py --source PATH/band-privileges.csv --out data

The source is a CSV with the header band,class,mode,low_mhz,high_mhz: one
row per segment, the "O" row of each band (its edges, no mode) first in the
band's run. The output is deterministic.

BandPlan.txt (8-bit ASCII, CR LF line ends, text values in double quotes,
numbers bare with a full stop, no blank lines, nothing after the last row):

  "December 15, 2006"                      the date the plan applies from
  "160","O","",1.8,2                       band, class, mode, low MHz, high MHz
  "160","G","PH",1.8,2
  ...

Rows keep the source's order, which is the order the program relies on:
each band's "O" row comes first and the band's privilege rows follow it
directly, all with exactly the same band name. The tool checks that order,
the class letters, the modes and that each segment lies within its band,
and refuses a source with more rows than the program's 200-row table.
"""

import argparse
import csv
import os
import sys

EOL = "\r\n"
EFFECTIVE_DATE = "December 15, 2006"   # the rules the source describes
MAX_ROWS = 200                         # the program's band-plan table
CLASSES = {"O", "N", "T", "P", "G", "A", "E"}
MODES = {"CW", "PH"}


class SourceError(Exception):
    pass


def repo_root():
    return os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def default_source():
    """shared/data/band-privileges.csv beside the repository, or beside one
    of the folders above it (a checkout kept one level deeper)."""
    folder = repo_root()
    for _ in range(3):
        folder = os.path.dirname(folder)
        path = os.path.join(folder, "shared", "data", "band-privileges.csv")
        if os.path.exists(path):
            return path
    return os.path.join(os.path.dirname(repo_root()), "shared", "data", "band-privileges.csv")


def number(text):
    """A bare number without trailing zeros: 1.800 -> 1.8, 2.000 -> 2."""
    value = float(text)
    out = ("%.6f" % value).rstrip("0").rstrip(".")
    return out if out else "0"


def read_rows(path):
    with open(path, newline="", encoding="utf-8-sig") as f:
        reader = csv.DictReader(f)
        expected = ["band", "class", "mode", "low_mhz", "high_mhz"]
        if reader.fieldnames != expected:
            raise SourceError("header must be %s" % ",".join(expected))
        rows = []
        for n, r in enumerate(reader, start=2):
            band, cls, mode = r["band"].strip(), r["class"].strip(), r["mode"].strip()
            try:
                low, high = float(r["low_mhz"]), float(r["high_mhz"])
            except (TypeError, ValueError):
                raise SourceError("line %d: edges are not numbers" % n)
            rows.append({"line": n, "band": band, "class": cls, "mode": mode,
                         "low": low, "high": high,
                         "low_text": r["low_mhz"].strip(), "high_text": r["high_mhz"].strip()})
    return rows


def check(rows):
    if len(rows) > MAX_ROWS:
        raise SourceError("%d rows: the program keeps at most %d" % (len(rows), MAX_ROWS))
    edges = None
    seen_bands = set()
    for r in rows:
        where = "line %d" % r["line"]
        if not r["band"] or '"' in r["band"]:
            raise SourceError(where + ": bad band name")
        if r["class"] not in CLASSES:
            raise SourceError(where + ": unknown class %r" % r["class"])
        if r["class"] == "O":
            if r["band"] in seen_bands:
                raise SourceError(where + ": band %s has two O rows" % r["band"])
            if not r["low"] < r["high"]:
                raise SourceError(where + ": the band's edges must differ and ascend")
            seen_bands.add(r["band"])
            edges = (r["band"], r["low"], r["high"])
            continue
        if edges is None or edges[0] != r["band"]:
            raise SourceError(where + ": row of band %s does not follow its O row" % r["band"])
        if r["mode"] not in MODES:
            raise SourceError(where + ": mode must be CW or PH")
        if not (edges[1] <= r["low"] < r["high"] <= edges[2]):
            raise SourceError(where + ": segment outside its band")


def plan_lines(rows):
    lines = ['"%s"' % EFFECTIVE_DATE]
    for r in rows:
        mode = "" if r["class"] == "O" else r["mode"]
        lines.append('"%s","%s","%s",%s,%s' % (r["band"], r["class"], mode,
                                               number(r["low_text"]), number(r["high_text"])))
    return lines


def build(source, out_dir):
    rows = read_rows(source)
    check(rows)
    text = EOL.join(plan_lines(rows)) + EOL
    path = os.path.join(out_dir, "BandPlan.txt")
    with open(path, "w", encoding="ascii", newline="") as f:
        f.write(text)
    return path


def main(argv=None):
    root = repo_root()
    p = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    p.add_argument("--source", default=default_source())
    p.add_argument("--out", default=os.path.join(root, "data"))
    args = p.parse_args(argv)
    try:
        path = build(args.source, args.out)
    except (OSError, SourceError) as e:
        print("make_band_plan: %s" % e, file=sys.stderr)
        return 1
    print("wrote %s" % path)
    return 0


if __name__ == "__main__":
    sys.exit(main())
