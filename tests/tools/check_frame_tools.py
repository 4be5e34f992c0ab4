#!/usr/bin/env python3
"""Checks the graphic frame's measurements and outlines against ezdxf.

    check_frame_tools.py perimeter DRAWING.dxf MEASURE.json
        the cut_length that `measure --json` gives for the G-code of the drawing
        equals the exact length of the drawing's entities (r * angle for arcs and
        bulges), within 0.001 mm
    check_frame_tools.py outline PLAIN.dxf OUTLINED.dxf HALF_WIDTH
        the bounding box of the outlined program grows by HALF_WIDTH on each side
        of the plain one's

Prints one line; exit 0 when all holds, 1 when not, 77 when ezdxf is missing.
"""
import json
import math
import sys

try:
    import ezdxf
    from ezdxf import bbox
except ImportError:
    print("SKIP: no ezdxf")
    sys.exit(77)

TOLERANCE = 1e-3


def arc_length(radius, start_deg, end_deg):
    sweep = (end_deg - start_deg) % 360.0
    if sweep == 0:
        sweep = 360.0
    return radius * math.radians(sweep)


def bulge_length(start, end, bulge):
    chord = math.dist(start, end)
    if bulge == 0:
        return chord
    angle = 4 * math.atan(abs(bulge))
    return chord / (2 * math.sin(angle / 2)) * angle


def exact_length(path):
    total = 0.0
    for entity in ezdxf.readfile(path).modelspace():
        kind = entity.dxftype()
        if kind == "LINE":
            start, end = entity.dxf.start, entity.dxf.end
            total += math.dist((start.x, start.y), (end.x, end.y))
        elif kind == "ARC":
            total += arc_length(entity.dxf.radius, entity.dxf.start_angle, entity.dxf.end_angle)
        elif kind == "CIRCLE":
            total += 2 * math.pi * entity.dxf.radius
        elif kind == "LWPOLYLINE":
            points = [(p[0], p[1], p[4]) for p in entity.get_points("xyseb")]
            pairs = list(zip(points, points[1:]))
            if entity.closed:
                pairs.append((points[-1], points[0]))
            for (x0, y0, bulge), (x1, y1, _) in pairs:
                total += bulge_length((x0, y0), (x1, y1), bulge)
        else:
            raise SystemExit(f"FAIL: no exact length for {kind}")
    return total


def perimeter(drawing, measure_json):
    want = exact_length(drawing)
    got = json.load(open(measure_json))["cut_length"]
    ok = abs(got - want) <= TOLERANCE
    print(f"{'OK' if ok else 'FAIL'} perimeter: measured {got:.6f} exact {want:.6f}")
    return ok


def extents(path):
    box = bbox.extents(ezdxf.readfile(path).modelspace())
    return box.extmin.x, box.extmin.y, box.extmax.x, box.extmax.y


def outline(plain, outlined, half):
    want = [v + d for v, d in zip(extents(plain), (-half, -half, half, half))]
    got = extents(outlined)
    ok = all(abs(g - w) <= TOLERANCE for g, w in zip(got, want))
    print(f"{'OK' if ok else 'FAIL'} outline: box {got} wanted {tuple(want)}")
    return ok


def main(argv):
    if argv[1] == "perimeter":
        return perimeter(argv[2], argv[3])
    return outline(argv[2], argv[3], float(argv[4]))


if __name__ == "__main__":
    sys.exit(0 if main(sys.argv) else 1)
