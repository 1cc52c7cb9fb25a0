#!/usr/bin/env python3
"""Write data/states.txt, the position of each of the 50 US states.

Run from anywhere (standard library only):

    python3 tools/make_states.py            # writes <repo>/data/states.txt
    python3 tools/make_states.py --out DIR

One record per line, CR LF line ends: "XX",latitude,longitude
Latitude is degrees north, longitude degrees WEST (positive west), the sense
the distance and bearing routine uses for every position. The points are
approximate geographic centres, good to a few tens of miles, which is all a
bearing and mileage display needs. CA stands for the party state.

The program reads exactly the first 50 records and refuses a shorter file,
so the table must keep all 50 states and nothing else before them.
"""

import argparse
import os
import sys

# code, latitude (N), longitude (W)
STATES = [
    ("AK", 63.59, 154.49), ("AL", 32.32, 86.90), ("AR", 35.20, 91.83),
    ("AZ", 34.05, 111.09), ("CA", 36.78, 119.42), ("CO", 39.55, 105.78),
    ("CT", 41.60, 73.09), ("DE", 38.91, 75.53), ("FL", 27.66, 81.52),
    ("GA", 32.16, 82.91), ("HI", 19.90, 155.67), ("IA", 41.88, 93.10),
    ("ID", 44.07, 114.74), ("IL", 40.63, 89.40), ("IN", 40.55, 85.60),
    ("KS", 39.01, 98.48), ("KY", 37.84, 84.27), ("LA", 31.24, 92.15),
    ("MA", 42.41, 71.38), ("MD", 39.05, 76.64), ("ME", 45.25, 69.45),
    ("MI", 44.31, 85.60), ("MN", 46.73, 94.69), ("MO", 37.96, 91.83),
    ("MS", 32.35, 89.40), ("MT", 46.88, 110.36), ("NC", 35.76, 79.02),
    ("ND", 47.55, 101.00), ("NE", 41.49, 99.90), ("NH", 43.19, 71.57),
    ("NJ", 40.06, 74.41), ("NM", 34.97, 105.03), ("NV", 38.80, 116.42),
    ("NY", 43.30, 74.22), ("OH", 40.42, 82.91), ("OK", 35.01, 97.09),
    ("OR", 43.80, 120.55), ("PA", 41.20, 77.19), ("RI", 41.58, 71.48),
    ("SC", 33.84, 81.16), ("SD", 43.97, 99.90), ("TN", 35.52, 86.58),
    ("TX", 31.97, 99.90), ("UT", 39.32, 111.09), ("VA", 37.43, 78.66),
    ("VT", 44.56, 72.58), ("WA", 47.75, 120.74), ("WI", 43.78, 88.79),
    ("WV", 38.60, 80.45), ("WY", 43.08, 107.29),
]


def state_lines(states=STATES):
    codes = [s[0] for s in states]
    if len(states) != 50 or len(set(codes)) != 50:
        raise ValueError("need 50 distinct states, have %d" % len(set(codes)))
    for code, lat, lon in states:
        # all 50 lie north of 18 N and west of Greenwich: a sign slip shows
        if not (len(code) == 2 and code.isupper()
                and 18 < lat < 72 and 66 < lon < 180):
            raise ValueError("implausible row %r" % ((code, lat, lon),))
    return ['"%s",%.2f,%.2f' % s for s in states]


def main(argv=None):
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--out", default=os.path.join(root, "data"))
    args = ap.parse_args(argv)
    os.makedirs(args.out, exist_ok=True)
    lines = state_lines()
    with open(os.path.join(args.out, "states.txt"), "w", encoding="ascii",
              newline="") as f:
        f.write("".join(line + "\r\n" for line in lines))
    print("states.txt    %5d rows" % len(lines))
    return 0


if __name__ == "__main__":
    sys.exit(main())
