#!/usr/bin/env python3
"""Writes a large ASCII DXF drawing for timing the DXF import.

Usage: gen_big_dxf.py OUTPUT [--megabytes N] [--eol crlf|lf|cr] [--seed S]

The drawing looks like an R2000 export: a header with $UCSORG, handles and
subclass markers on every entity, and a repeating mix of LINE, ARC, CIRCLE and
LWPOLYLINE (eight vertices, some with bulges, positive and negative) on a few
layers, until the file reaches the given size (default 100 MB). Output is the
same for the same arguments. Write it under /tmp; it is never committed.
"""

import argparse
import random


def entity_chunks(rng):
    handle = 0x100
    layers = ["OUTLINE", "HOLES", "POCKET 2", "ENGRAVE"]
    while True:
        handle += 1
        layer = layers[handle % len(layers)]
        x = rng.uniform(-500, 500)
        y = rng.uniform(-500, 500)
        head = f"  5\n{handle:X}\n330\n1F\n100\nAcDbEntity\n  8\n{layer}\n"
        kind = handle % 4
        if kind == 0:
            yield (
                f"  0\nLINE\n{head}100\nAcDbLine\n 10\n{x:.6f}\n 20\n{y:.6f}\n 30\n0.0\n"
                f" 11\n{x + rng.uniform(-50, 50):.6f}\n 21\n{y + rng.uniform(-50, 50):.6f}\n"
                " 31\n0.0\n"
            )
        elif kind == 1:
            yield (
                f"  0\nARC\n{head}100\nAcDbCircle\n 10\n{x:.6f}\n 20\n{y:.6f}\n 30\n0.0\n"
                f" 40\n{rng.uniform(0.5, 40):.6f}\n100\nAcDbArc\n"
                f" 50\n{rng.uniform(0, 360):.6f}\n 51\n{rng.uniform(0, 360):.6f}\n"
            )
        elif kind == 2:
            yield (
                f"  0\nCIRCLE\n{head}100\nAcDbCircle\n 10\n{x:.6f}\n 20\n{y:.6f}\n 30\n0.0\n"
                f" 40\n{rng.uniform(0.5, 40):.6f}\n"
            )
        else:
            parts = [f"  0\nLWPOLYLINE\n{head}100\nAcDbPolyline\n 90\n8\n 70\n1\n 43\n0.0\n"]
            for k in range(8):
                parts.append(
                    f" 10\n{x + rng.uniform(-30, 30):.6f}\n 20\n{y + rng.uniform(-30, 30):.6f}\n"
                )
                if k % 3 == 1:
                    parts.append(f" 42\n{rng.choice((-1, 1)) * rng.uniform(0.05, 1.5):.9f}\n")
            yield "".join(parts)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("output")
    parser.add_argument("--megabytes", type=float, default=100)
    parser.add_argument("--eol", choices=("crlf", "lf", "cr"), default="crlf")
    parser.add_argument("--seed", type=int, default=2026)
    args = parser.parse_args()
    eol = {"crlf": "\r\n", "lf": "\n", "cr": "\r"}[args.eol]
    limit = int(args.megabytes * 1e6)
    rng = random.Random(args.seed)

    header = (
        "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1015\n"
        "  9\n$UCSORG\n 10\n10.0\n 20\n-5.0\n 30\n0.0\n  0\nENDSEC\n"
        "  0\nSECTION\n  2\nENTITIES\n"
    )
    footer = "  0\nENDSEC\n  0\nEOF\n"
    written = 0
    count = 0
    with open(args.output, "w", newline="", encoding="ascii") as out:
        out.write(header.replace("\n", eol))
        written += len(header)
        for chunk in entity_chunks(rng):
            if written + len(chunk) + len(footer) > limit:
                break
            text = chunk.replace("\n", eol)
            out.write(text)
            written += len(text)
            count += 1
        out.write(footer.replace("\n", eol))
    print(f"{args.output}: {count} entities")


if __name__ == "__main__":
    main()
