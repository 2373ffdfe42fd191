#!/usr/bin/env python3
"""The cursor pictures become valid monochrome .cur files of 32, 48 and 64 pixels (make_cursors.py
--check: each size reads back, its hotspot on what the 32-pixel one became), one for each name of
the cursor table, with the hotspots the arrows and hands are drawn for.

    cursor_files_test.py TABLE OUTDIR
"""

import os
import sys

sys.dont_write_bytecode = True  # nothing of ours lands in the source tree
ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
sys.path.insert(0, os.path.join(ROOT, "resources", "cursors"))
import make_cursors  # noqa: E402

# The tip of each diagonal arrow; every other cursor points with its centre.
HOTSPOTS = {
    "LEFTBLACK": (15, 15), "RIGHTBLACK": (15, 15), "UPBLACK": (15, 15), "DOWNBLACK": (15, 15),
    "LUBLACK": (6, 10), "LDBLACK": (10, 25), "RUBLACK": (21, 6), "RDBLACK": (25, 21),
    "BLANK": (15, 15), "HAND": (15, 15), "HANDBIZ": (15, 15), "HANDVERT": (15, 15), "HANDHORZ": (15, 15),
    "AUTOCUR": (15, 15),
}

table, out = sys.argv[1:]
make_cursors.main(["--check", table, out])
found = {}
for name in make_cursors.read_table(table):
    with open(os.path.join(out, name.lower() + ".cur"), "rb") as f:
        found[name] = make_cursors.read_cursor_file(f.read())[0][1]  # the 32-pixel image
if found != HOTSPOTS:
    raise SystemExit("hotspots: expected %s, drawn %s" % (HOTSPOTS, found))
print("hotspots of %d cursors as expected" % len(found))
