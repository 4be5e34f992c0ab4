#!/usr/bin/env python3
"""Writes a large G-code program for timing the plot scanner and the plot command.

Usage: gen_big_gcode.py OUTPUT [--lines N] [--seed S]

The program looks like a CAM post-processor's output with CR LF line ends: a
section line every 20,000 lines naming one of four layers, then a tool path that
wanders over a 500 x 300 mm sheet in short G01 steps, small G02/G03 arcs (I and J
from the start point), an occasional G00 jump and G81 drill points. Numbers have
three decimals, so the lines average about 25 bytes (5 million lines is about
123 MB). Output is the same for the same arguments. Write it under /tmp; it is
never committed.
"""

import argparse
import math
import random


def lines(count, rng):
    x, y = 250.0, 150.0
    heading = 0.0
    for k in range(count):
        if k % 20000 == 0:
            yield f"LAYER {k // 20000 % 4}"
            continue
        kind = k % 20
        if kind == 0:
            x, y = rng.uniform(0, 500), rng.uniform(0, 300)
            yield f"G00X{x:.3f}Y{y:.3f}"
        elif kind == 1:
            yield f"G81X{x:.3f}Y{y:.3f}"
        elif kind <= 6:
            radius = rng.uniform(0.5, 10.0)
            start = rng.uniform(0, 2 * math.pi)
            sweep = rng.uniform(0.2, 1.5) * (1 if kind % 2 else -1)
            cx, cy = x - radius * math.cos(start), y - radius * math.sin(start)
            i, j = cx - x, cy - y
            x, y = cx + radius * math.cos(start + sweep), cy + radius * math.sin(start + sweep)
            word = "G03" if sweep > 0 else "G02"
            yield f"{word}X{x:.3f}Y{y:.3f}I{i:.3f}J{j:.3f}"
        else:
            heading += rng.uniform(-0.6, 0.6)
            step = rng.uniform(0.1, 3.0)
            x = min(max(x + step * math.cos(heading), 0.0), 500.0)
            y = min(max(y + step * math.sin(heading), 0.0), 300.0)
            yield f"G01X{x:.3f}Y{y:.3f}"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("output")
    parser.add_argument("--lines", type=int, default=5_000_000)
    parser.add_argument("--seed", type=int, default=1)
    args = parser.parse_args()
    rng = random.Random(args.seed)
    with open(args.output, "w", newline="") as out:
        out.write("\r\n".join(lines(args.lines, rng)))


if __name__ == "__main__":
    main()
