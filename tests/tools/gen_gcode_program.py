#!/usr/bin/env python3
"""Write a large generated G-code program for timing the exports of talmir-convert.

    python3 gen_gcode_program.py LINES OUTPUT      (for example 1000000 /tmp/big.nc)

A tool comment every 5000 lines, then rapids, feeds, G02/G03 arcs with I and J
and G81 positions, with three or four decimals and CR LF line ends (the same
mix as bench/ExportBench.cpp).
"""
import sys


def main() -> int:
    lines, path = int(sys.argv[1]), sys.argv[2]
    out = []
    for i in range(lines):
        x = "%d.%d" % (i % 997, i % 1000)
        y = "%d.%d" % ((i * 7) % 991, i % 100)
        k = i % 8
        if k == 0:
            if i % 5000 == 0:
                out.append("(T%d)\r\n" % (i // 5000 % 200))
            out.append("G00X%sY%s\r\n" % (x, y))
        elif k == 3:
            out.append("G02X%sY%sI2.5J-1.25\r\n" % (x, y))
        elif k == 5:
            out.append("G03X%sY%sI-1.5J0.75\r\n" % (x, y))
        elif k == 7:
            out.append("G81X%sY%s\r\n" % (x, y))
        else:
            out.append("G01X%sY%s\r\n" % (x, y))
    with open(path, "wb") as f:
        f.write("".join(out).encode("ascii"))
    return 0


if __name__ == "__main__":
    sys.exit(main())
