#!/usr/bin/env python3
"""Writes a large Shift-JIS NC program for timing the editor.

    gen_sjis_program.py OUTPUT [LINES]

Default 5,000,000 lines of about 24 bytes (about 120 MB): G-code with a
Japanese comment every 50 lines, CR LF line ends.
"""
import sys


def main():
    out = sys.argv[1]
    lines = int(sys.argv[2]) if len(sys.argv) > 2 else 5_000_000
    comment = "(加工 ｻﾝﾌﾟﾙ 工具番号 T01)".encode("cp932")
    with open(out, "wb") as f:
        chunk = []
        for i in range(lines):
            if i % 50 == 0:
                chunk.append(comment)
            else:
                chunk.append(b"G01X%d.%03dY-%d.5F300" % (i % 1000, i % 997, i % 313))
            if len(chunk) >= 100_000:
                f.write(b"\r\n".join(chunk) + b"\r\n")
                chunk = []
        if chunk:
            f.write(b"\r\n".join(chunk) + b"\r\n")


if __name__ == "__main__":
    main()
