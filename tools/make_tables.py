#!/usr/bin/env python3
"""Build the run-time reference tables in data/ from the public country and
county facts.

Run from anywhere (standard library only):

    python3 tools/make_tables.py
    python3 tools/make_tables.py --cty PATH/cty.csv \
        --counties PATH/county-abbreviations.csv --out data

Defaults: the sources are read from ../shared/data next to the repository
root, the tables are written into the repository's data/ folder. The output
is deterministic: the same sources always give byte-identical files.

Files written (8-bit ASCII, CR LF line ends, text values in double quotes,
numbers bare, one record per line, no blank lines):

  arrlpre2.txt  call-sign prefix table, one row per prefix:
                "prefix","country","continent",longitude,latitude,cq,itu,adif
                Longitude is positive WEST, as the distance and bearing
                routine expects. The last three values are ignored by the
                program and carried for people reading the file.
                Rows are sorted by prefix in character-code order (digits
                before letters): the country lookups guess a start row from
                the call's first character and stop at the first row of
                another character, so every prefix beginning with one
                character must stand in one block and the blocks must
                ascend.
  ADIFCnt.txt   "country",adif-number - one pair per line, sorted by name.
                Holds every country named in arrlpre2.txt plus the
                countries that are known only by whole calls.
  county2.txt   "CA<county name>","ABBR" - the party state's counties in
                source order. The party state's code leads the name with
                nothing between, as the loader filters on it.

Conversion rules:
  * rows whose primary prefix starts with "*" belong to the WAE list only
    and are skipped (their calls fall to the parent country);
  * whole calls ("=...") are dropped, and zone or other override suffixes
    ("(n)", "[n]", "<lat/lon>", "{cont}", "~utc~") are cut from prefixes;
  * "United States" becomes "USA" - the program gives that name a meaning
    of its own (the operator types the state instead);
  * quote characters are removed from names: the entry windows swallow
    typed quotes, so a name holding one could never be typed, and the
    log format cannot hold a double quote;
  * a prefix longer than another prefix of the same country, with no prefix
    of a different country in between, adds nothing to a longest-match
    lookup and is left out, which keeps the table well under its
    10,000-row limit.
"""

import argparse
import csv
import os
import re
import sys
import unicodedata

PARTY_STATE = "CA"          # the party state's code in the county table
MAX_PREFIX_ROWS = 10000     # the program refuses a longer prefix table
MAX_ADIF_ROWS = 1000        # and a longer country-number table
MAX_COUNTY_ROWS = 1000
CONTINENTS = {"AF", "AN", "AS", "EU", "NA", "OC", "SA"}
NAME_MAP = {"United States": "USA"}
REQUIRED_NAMES = ("USA", "Canada", "Alaska", "Hawaii")

_OVERRIDES = re.compile(r"\([^)]*\)|\[[^\]]*\]|<[^>]*>|\{[^}]*\}|~[^~]*~")
_PREFIX_OK = re.compile(r"^[0-9A-Z/]+$")
EOL = "\r\n"


class TableError(Exception):
    """A source row that cannot be converted; names file and line."""


def repo_root():
    return os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def clean_text(text, where):
    """ASCII text without quotes, accents folded to their base letters."""
    text = unicodedata.normalize("NFKD", text.strip())
    text = "".join(c for c in text if not unicodedata.combining(c))
    text = text.replace("'", "").replace('"', "")
    if not text:
        raise TableError("%s: empty text" % where)
    try:
        text.encode("ascii")
    except UnicodeEncodeError:
        raise TableError("%s: non-ASCII text %r" % (where, text))
    return text


def quoted(text):
    return '"' + text + '"'


def number(value, places):
    text = "%.*f" % (places, value)
    if float(text) == 0:
        text = "%.*f" % (places, 0.0)   # never "-0.00"
    return text


def read_countries(path):
    """The countries of cty.csv, WAE-only rows skipped, in file order.

    Each is a dict: name, continent, lat, lon, cq, itu, adif, prefixes
    (ordered, without whole calls and override suffixes)."""
    countries = []
    with open(path, newline="", encoding="utf-8-sig") as f:
        for lineno, row in enumerate(csv.reader(f), 1):
            where = "%s:%d" % (os.path.basename(path), lineno)
            if not row or not "".join(row).strip():
                continue
            if len(row) < 10:
                raise TableError("%s: expected 10 fields, found %d"
                                 % (where, len(row)))
            if row[0].strip().startswith("*"):
                continue
            name = clean_text(row[1], where)
            name = NAME_MAP.get(name, name)
            continent = row[3].strip().upper()
            if continent not in CONTINENTS:
                raise TableError("%s: unknown continent %r" % (where, row[3]))
            try:
                adif = int(row[2])
                cq, itu = int(row[4]), int(row[5])
                lat, lon = float(row[6]), float(row[7])
            except ValueError as e:
                raise TableError("%s: %s" % (where, e))
            if not -32768 <= adif <= 32767:
                raise TableError("%s: ADIF number %d out of range"
                                 % (where, adif))
            prefixes = []
            for token in row[9].replace(";", " ").split():
                if token.startswith("="):
                    continue
                prefix = _OVERRIDES.sub("", token).upper()
                if not _PREFIX_OK.match(prefix):
                    raise TableError("%s: bad prefix %r" % (where, token))
                if prefix not in prefixes:
                    prefixes.append(prefix)
            countries.append(dict(name=name, continent=continent, lat=lat,
                                  lon=lon, cq=cq, itu=itu, adif=adif,
                                  prefixes=prefixes))
    names = [c["name"] for c in countries]
    dupes = sorted({n for n in names if names.count(n) > 1})
    if dupes:
        raise TableError("country named twice: %s" % ", ".join(dupes))
    missing = [n for n in REQUIRED_NAMES if n not in names]
    if missing:
        raise TableError("country missing: %s" % ", ".join(missing))
    return countries


def prefix_rows(countries, warn=None):
    """(prefix, country) pairs for arrlpre2.txt, sorted by prefix."""
    owner = {}
    for country in countries:
        for prefix in country["prefixes"]:
            if prefix in owner:
                if warn and owner[prefix] is not country:
                    warn("prefix %s of %s already belongs to %s; kept there"
                         % (prefix, country["name"], owner[prefix]["name"]))
                continue
            owner[prefix] = country

    def nearest_shorter(prefix):
        for n in range(len(prefix) - 1, 0, -1):
            if prefix[:n] in owner:
                return owner[prefix[:n]]
        return None

    rows = [(p, c) for p, c in owner.items()
            if nearest_shorter(p) is not c]
    rows.sort(key=lambda r: r[0].encode("ascii"))
    if len(rows) > MAX_PREFIX_ROWS:
        raise TableError("%d prefix rows; the program holds at most %d"
                         % (len(rows), MAX_PREFIX_ROWS))
    return rows


def prefix_lines(rows):
    return ["%s,%s,%s,%s,%s,%d,%d,%d" % (
        quoted(p), quoted(c["name"]), quoted(c["continent"]),
        number(c["lon"], 2), number(c["lat"], 2), c["cq"], c["itu"],
        c["adif"]) for p, c in rows]


def adif_lines(countries):
    if len(countries) > MAX_ADIF_ROWS:
        raise TableError("%d countries; the program holds at most %d"
                         % (len(countries), MAX_ADIF_ROWS))
    ordered = sorted(countries, key=lambda c: (c["name"].lower(), c["name"]))
    return ["%s,%d" % (quoted(c["name"]), c["adif"]) for c in ordered]


def county_lines(path):
    lines, abbrevs = [], set()
    with open(path, newline="", encoding="utf-8-sig") as f:
        for lineno, row in enumerate(csv.reader(f), 1):
            where = "%s:%d" % (os.path.basename(path), lineno)
            if not row or not "".join(row).strip():
                continue
            if len(row) != 2:
                raise TableError("%s: expected name,abbreviation" % where)
            name = clean_text(row[0], where)
            abbrev = clean_text(row[1], where).upper()
            if abbrev in abbrevs:
                raise TableError("%s: abbreviation %s used twice"
                                 % (where, abbrev))
            abbrevs.add(abbrev)
            lines.append("%s,%s" % (quoted(PARTY_STATE + name),
                                    quoted(abbrev)))
    if not lines:
        raise TableError("%s: no counties" % path)
    if len(lines) > MAX_COUNTY_ROWS:
        raise TableError("%d counties; the program holds at most %d"
                         % (len(lines), MAX_COUNTY_ROWS))
    return lines


def write_lines(path, lines):
    with open(path, "w", encoding="ascii", newline="") as f:
        f.write("".join(line + EOL for line in lines))


def build(cty_path, counties_path, out_dir, warn=None):
    """Write the three tables; return {file name: row count}."""
    countries = read_countries(cty_path)
    tables = {
        "arrlpre2.txt": prefix_lines(prefix_rows(countries, warn)),
        "ADIFCnt.txt": adif_lines(countries),
        "county2.txt": county_lines(counties_path),
    }
    os.makedirs(out_dir, exist_ok=True)
    for name, lines in tables.items():
        write_lines(os.path.join(out_dir, name), lines)
    return {name: len(lines) for name, lines in tables.items()}


def main(argv=None):
    src = os.path.join(repo_root(), os.pardir, "shared", "data")
    ap = argparse.ArgumentParser(
        description=" ".join(__doc__.split("\n\n")[0].split()))
    ap.add_argument("--cty", default=os.path.join(src, "cty.csv"))
    ap.add_argument("--counties",
                    default=os.path.join(src, "county-abbreviations.csv"))
    ap.add_argument("--out", default=os.path.join(repo_root(), "data"))
    args = ap.parse_args(argv)

    def warn(msg):
        print("warning: " + msg, file=sys.stderr)

    try:
        counts = build(args.cty, args.counties, args.out, warn)
    except (TableError, OSError) as e:
        print("make_tables: %s" % e, file=sys.stderr)
        return 1
    for name in sorted(counts):
        print("%-13s %5d rows" % (name, counts[name]))
    return 0


if __name__ == "__main__":
    sys.exit(main())
