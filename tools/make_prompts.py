#!/usr/bin/env python3
"""Speak the voice-navigation prompts into data/ as wave files.

    python3 tools/make_prompts.py [--out DIR]

Needs espeak-ng (Debian package espeak-ng). Each prompt is a short spoken
text, written under the exact file name the program opens: the program
folder, the prompt's name and ".wav". The files are committed, so neither
the build nor the tests need espeak-ng; run this only to change a text or
the voice.
"""

import argparse
import os
import shutil
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# Prompt name -> what is said. The names are the files the program opens.
PROMPTS = [
    ("Call", "Call"),
    ("SerNum", "Serial number"),
    ("RstSnt", "R S T sent"),
    ("County", "County"),
    ("SPC", "State, province or country"),
    ("Dupe", "Dupe"),
    ("NavEn", "Voice navigation on"),
    ("NavDis", "Voice navigation off"),
]

# A clear, even voice a little slower than the default, for a headset.
VOICE = ["-v", "en-us", "-s", "150", "-a", "120"]


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=os.path.join(ROOT, "data"))
    args = parser.parse_args(argv)
    espeak = shutil.which("espeak-ng")
    if not espeak:
        sys.exit("espeak-ng is not installed (apt-get install espeak-ng)")
    os.makedirs(args.out, exist_ok=True)
    for name, text in PROMPTS:
        path = os.path.join(args.out, name + ".wav")
        subprocess.run([espeak, *VOICE, "-w", path, text], check=True)
        print(path)


if __name__ == "__main__":
    main()
