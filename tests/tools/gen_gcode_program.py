#!/usr/bin/env python3
"""Write a large generated G-code program for timing the exports and the plot.

    python3 gen_gcode_program.py LINES OUTPUT      (for example 1000000 /tmp/big.nc)

A CAM-like milling and drilling program with CR LF line ends: a section line
"(SECTION n)" every 10,102 lines (99 sections in a million lines), and between
them blocks that each start with a G00 jump somewhere on a 500 x 300 mm sheet:
a quarter of them a row of 4 to 23 G81 holes, the rest a contour of 6 to 25
moves wandering in short G01 steps with G02/G03 arcs (I and J from the start
point) for about a third of them. Coordinates have four decimals, I, J and the holes three. A million lines
come to about 24.7 MB: about 495,000 G01, 233,000 G02/G03, 209,000 G81 and
63,000 G00 lines.

The output depends on LINES only: the random numbers are a xorshift generator
that bench/PlotBench.cpp repeats, so the benchmark draws this very program.
"""
import math
import sys

MASK = (1 << 64) - 1
SECTION_EVERY = 10102


class Xorshift:
    def __init__(self):
        self.seed = 88172645463325252

    def next(self):
        s = self.seed
        s ^= (s << 13) & MASK
        s ^= s >> 7
        s ^= (s << 17) & MASK
        self.seed = s
        return s

    def uniform(self, lo, hi):
        return lo + (hi - lo) * (self.next() >> 11) / 9007199254740992.0

    def below(self, n):
        return (self.next() >> 11) % n


def moves(rng):
    """Endless motion lines."""
    x, y = 250.0, 150.0
    heading = 0.0
    while True:
        x, y = rng.uniform(0, 500), rng.uniform(0, 300)
        yield "G00X%.4fY%.4f" % (x, y)
        if rng.below(4) == 0:
            dx = rng.uniform(-3, 3)
            dy = rng.uniform(-3, 3)
            for _ in range(4 + rng.below(20)):
                x = min(max(x + dx, 0.0), 500.0)
                y = min(max(y + dy, 0.0), 300.0)
                yield "G81X%.3fY%.3f" % (x, y)
            continue
        for _ in range(6 + rng.below(20)):
            if rng.below(100) < 32:
                radius = rng.uniform(0.5, 10.0)
                start = rng.uniform(0, 2 * math.pi)
                sweep = rng.uniform(0.2, 1.5) * (1 if rng.below(2) else -1)
                cx = x - radius * math.cos(start)
                cy = y - radius * math.sin(start)
                i, j = cx - x, cy - y
                x = cx + radius * math.cos(start + sweep)
                y = cy + radius * math.sin(start + sweep)
                word = "G03" if sweep > 0 else "G02"
                yield "%sX%.4fY%.4fI%.3fJ%.3f" % (word, x, y, i, j)
            else:
                heading += rng.uniform(-0.6, 0.6)
                step = rng.uniform(0.1, 3.0)
                x = min(max(x + step * math.cos(heading), 0.0), 500.0)
                y = min(max(y + step * math.sin(heading), 0.0), 300.0)
                yield "G01X%.4fY%.4f" % (x, y)


def main() -> int:
    lines, path = int(sys.argv[1]), sys.argv[2]
    rng = Xorshift()
    motion = moves(rng)
    with open(path, "wb") as f:
        chunk = []
        for k in range(lines):
            if k % SECTION_EVERY == 0:
                chunk.append("(SECTION %d)" % (k // SECTION_EVERY + 1))
            else:
                chunk.append(next(motion))
            if len(chunk) == 65536:
                f.write(("\r\n".join(chunk) + "\r\n").encode("ascii"))
                chunk = []
        if chunk:
            f.write(("\r\n".join(chunk) + "\r\n").encode("ascii"))
    return 0


if __name__ == "__main__":
    sys.exit(main())
