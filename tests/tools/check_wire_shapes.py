#!/usr/bin/env python3
"""Cuts every G22 shape cycle of a wire-cut program with sizes whose figure is
known in closed form, writes it as DXF and reads it back with ezdxf.

    check_wire_shapes.py TALMIR_CONVERT

Each case is a program "H100=.. H200=.. G22L<code>" (corner radii H150 = 2 and
H110..H140 = 1, 2, 3, 4, optionally a K turn) run through wire2gcode and
gcode2dxf. In the DXF the lead-in cut from the start point (0, 0) is left out;
what remains must be one closed outline (every end point met an even number of
times) with the expected bounding box and length. Prints one line per failing
case and a summary; exit 0 when all hold, 1 when not, 77 when ezdxf is missing.
"""
import math
import os
import subprocess
import sys
import tempfile

from check_contours import ends, ezdxf, key  # exits 77 when ezdxf is missing
from ezdxf import bbox

SLACK = 1e-3
PI = math.pi
FLAT = math.sqrt(10 ** 2 - 5 ** 2)  # half the flat of the circle of diameter 20 cut at 5
# The 20 x 10 figures: bounding box and outline length.
WIDE = {
    1000: ((-10, -5, 10, 5), 60),
    1100: ((-5, -5, 15, 5), 60),
    1200: ((-15, -5, 5, 5), 60),
    2000: ((-10, -5, 10, 5), 20 + 10 * PI),
    2100: ((-5, -5, 15, 5), 20 + 10 * PI),
    2200: ((-15, -5, 5, 5), 20 + 10 * PI),
    3000: ((-10, -5, 10, 5), 4 * FLAT + 2 * 10 * PI / 3),
    4100: ((-5, -5, 15, 5), 5 * PI + 40),
    4200: ((-15, -5, 5, 5), 5 * PI + 40),
    5000: ((-10, -5, 10, 5), 60 - 16 + 4 * PI),
    5100: ((-5, -5, 15, 5), 60 - 16 + 4 * PI),
    5200: ((-15, -5, 5, 5), 60 - 16 + 4 * PI),
    6000: ((-10, -5, 10, 5), 60 - 20 + 5 * PI),
    6100: ((-5, -5, 15, 5), 60 - 20 + 5 * PI),
    6200: ((-15, -5, 5, 5), 60 - 20 + 5 * PI),
    4000: ((-10, -10, 10, 10), 20 * PI),
    7000: ((-10, -10, 10, 10), 20 * PI),
    8000: ((-1500, -1500, 1500, 1500), 3000 * PI),
}


def tall(box):
    """The 10 x 20 figure: the 20 x 10 one turned a quarter clockwise."""
    x0, y0, x1, y1 = box
    return (y0, -x1, y1, -x0)


def cases():
    for code, (box, length) in WIDE.items():
        yield "L%d 20x10" % code, 20, 10, code, None, box, length
        if code in (4000, 7000):
            yield "L%d 10x20" % code, 10, 20, code, None, (-5, -5, 5, 5), 10 * PI
        elif code != 8000:
            yield "L%d 10x20" % code, 10, 20, code, None, tall(box), length
    # Turned by K: a quarter turn swaps the box; any turn keeps the length.
    yield "L1000 K90", 20, 10, 1000, "90.", (-5, -10, 5, 10), 60
    yield "L2000 K-30", 20, 10, 2000, "-30.", None, 20 + 10 * PI
    yield "L6100 K45", 20, 10, 6100, "45.", None, 60 - 20 + 5 * PI


def length_of(entity):
    if entity.dxftype() == "LINE":
        (x0, y0), (x1, y1) = ends(entity)
        return math.hypot(x1 - x0, y1 - y0)
    sweep = (entity.dxf.end_angle - entity.dxf.start_angle) % 360
    return entity.dxf.radius * math.radians(sweep or 360)


def check(convert, work, name, xs, ys, code, turn, box, length):
    program = "H100=%d.\r\nH200=%d.\r\nH150=2.\r\nH110=1.\r\nH120=2.\r\nH130=3.\r\nH140=4.\r\n" % (
        xs, ys)
    if turn:
        program += "K%s\r\n" % turn
    program += "M60\r\nG22L%d\r\n" % code
    wire = os.path.join(work, "cycle.nc")
    gcode = os.path.join(work, "cycle.g")
    dxf = os.path.join(work, "cycle.dxf")
    with open(wire, "w", newline="") as f:
        f.write(program)
    for command, source, target in (("wire2gcode", wire, gcode), ("gcode2dxf", gcode, dxf)):
        done = subprocess.run([convert, command, source, "-o", target], capture_output=True)
        if done.returncode != 0:
            return "%s failed: %s" % (command, done.stderr.decode("utf-8", "replace").strip())
    entities = [e for e in ezdxf.readfile(dxf).modelspace() if e.dxftype() in ("LINE", "ARC")]
    if entities and entities[0].dxftype() == "LINE" and key(ends(entities[0])[0]) == (0, 0):
        entities = entities[1:]  # the lead-in from the start point
    if not entities:
        return "nothing drawn"
    problems = []
    counts = {}
    for entity in entities:
        for p in ends(entity):
            counts[key(p)] = counts.get(key(p), 0) + 1
    if any(c % 2 for c in counts.values()):
        problems.append("open outline")
    extents = bbox.extents(entities)
    got = (extents.extmin.x, extents.extmin.y, extents.extmax.x, extents.extmax.y)
    if box and any(abs(a - b) > SLACK for a, b in zip(got, box)):
        problems.append("box (%g,%g)-(%g,%g), not (%g,%g)-(%g,%g)" % (got + tuple(box)))
    drawn = sum(length_of(e) for e in entities)
    if abs(drawn - length) > SLACK * max(1, length / 100):
        problems.append("length %.5f, not %.5f" % (drawn, length))
    return "; ".join(problems)


def main(convert):
    failed = 0
    total = 0
    with tempfile.TemporaryDirectory() as work:
        for case in cases():
            total += 1
            problem = check(convert, work, *case)
            if problem:
                failed += 1
                print("FAIL %s: %s" % (case[0], problem))
    print("shape cycles: %d checked, %d failed" % (total, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    if len(sys.argv) != 2:
        print(__doc__.strip(), file=sys.stderr)
        sys.exit(2)
    sys.exit(main(sys.argv[1]))
