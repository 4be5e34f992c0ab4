#!/usr/bin/env python3
"""Writes a large Excellon-style drill file for timing `talmir-convert holes`:
M48, METRIC,TZ, 20 tools T1C0.8 to T20C3.2, then 100,000 holes per tool with
decimal points, whole numbers without one (X12) and rows with modal Y.

    gen_drill_file.py OUT [HOLES_PER_TOOL]
"""
import random
import sys


def main():
    out = sys.argv[1]
    per_tool = int(sys.argv[2]) if len(sys.argv) > 2 else 100000
    rnd = random.Random(7)
    lines = ["M48", "METRIC,TZ"]
    lines += ["T%dC%.3f" % (t, 0.8 + (t - 1) * 2.4 / 19) for t in range(1, 21)]
    lines.append("%")
    for t in range(1, 21):
        lines.append("T%d" % t)
        for k in range(per_tool):
            r = k % 4
            x, y = rnd.randint(0, 200), rnd.randint(0, 150)
            if r == 0:
                lines.append("X%d.%03dY%d.%02d" % (x, rnd.randint(0, 999), y, rnd.randint(0, 99)))
            elif r == 1:
                lines.append("X%d" % x)
            elif r == 2:
                lines.append("X%d.%02dY%d" % (x, rnd.randint(0, 99), y))
            else:
                lines.append("Y%d.%03d" % (y, rnd.randint(0, 999)))
    lines.append("M30")
    with open(out, "w", newline="\n") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
