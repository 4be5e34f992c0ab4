#!/usr/bin/env python3
"""Reads the DXF that gcode2dxf writes of a g81-contours program back with ezdxf and
checks every contour against the hole it was cut around.

    check_contours.py OUT.dxf HOLES A B    A x B: the outline asked for (angle 0)

HOLES is the g81-to-holes output of the same program. The LINE and ARC entities
are split into chains of touching entities; every chain must be closed (each end
point met an even number of times) and lie, with its arcs' bulges, inside the
A x B box around the hole nearest to it; every hole must have a chain.
Prints one line; exit 0 when all holds, 1 when not, 77 when ezdxf is missing.
"""
import sys

try:
    import ezdxf
    from ezdxf import bbox
except ImportError:
    print("SKIP: no ezdxf")
    sys.exit(77)

SLACK = 1e-3


def holes_of(path):
    holes = []
    for line in open(path, encoding="latin-1").read().splitlines():
        if "C" in line or not ("X" in line and "Y" in line):
            continue
        holes.append((float(line[1:line.index("Y")]), float(line[line.index("Y") + 1:])))
    return holes


def ends(entity):
    if entity.dxftype() == "LINE":
        return [tuple(entity.dxf.start)[:2], tuple(entity.dxf.end)[:2]]
    return [tuple(p)[:2] for p in (entity.start_point, entity.end_point)]


def key(point):
    return (round(point[0], 3), round(point[1], 3))


def chains(entities):
    """Consecutive entities that share an end point with the one before."""
    out = []
    for entity in entities:
        points = {key(p) for p in ends(entity)}
        if out and points & {key(p) for p in ends(out[-1][-1])}:
            out[-1].append(entity)
        else:
            out.append([entity])
    return out


def main(dxf_path, holes_path, a, b):
    doc = ezdxf.readfile(dxf_path)
    entities = [e for e in doc.modelspace() if e.dxftype() in ("LINE", "ARC")]
    holes = holes_of(holes_path)
    found = chains(entities)
    problems = []
    cut = set()
    for n, chain in enumerate(found):
        counts = {}
        for entity in chain:
            for p in ends(entity):
                counts[key(p)] = counts.get(key(p), 0) + 1
        if any(c % 2 for c in counts.values()):
            problems.append("chain %d open" % n)
        box = bbox.extents(chain)
        cx, cy = (box.extmin.x + box.extmax.x) / 2, (box.extmin.y + box.extmax.y) / 2
        hole = min(holes, key=lambda h: (h[0] - cx) ** 2 + (h[1] - cy) ** 2)
        cut.add(hole)
        if (box.extmin.x < hole[0] - a / 2 - SLACK or box.extmax.x > hole[0] + a / 2 + SLACK
                or box.extmin.y < hole[1] - b / 2 - SLACK or box.extmax.y > hole[1] + b / 2 + SLACK):
            problems.append("chain %d (%g,%g)-(%g,%g) leaves the outline of hole (%g,%g)" % (
                n, box.extmin.x, box.extmin.y, box.extmax.x, box.extmax.y, hole[0], hole[1]))
    if len(cut) != len(holes):
        problems.append("%d of %d holes have a contour" % (len(cut), len(holes)))
    print("contours=%d holes=%d %s" % (len(found), len(holes), "; ".join(problems) or "OK"))
    return 1 if problems else 0


if __name__ == "__main__":
    if len(sys.argv) != 5:
        print(__doc__.strip(), file=sys.stderr)
        sys.exit(2)
    sys.exit(main(sys.argv[1], sys.argv[2], float(sys.argv[3]), float(sys.argv[4])))
