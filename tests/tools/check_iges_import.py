#!/usr/bin/env python3
"""Compares the G-code that iges2gcode made of an IGES file with OpenCASCADE's
reading of the same file.

    check_iges_import.py OUT.nc EDGES SUMMARY

EDGES holds one line "EDGE xmin ymin zmin xmax ymax zmax" for every edge OCCT
translated (its DRAW `bounding`, in millimetres); SUMMARY is validate_iges.sh's
summary line. Every line and arc of ours (a G00 with the G01/G02/G03 moves after
it) must have an edge whose X/Y box is the same within 0.01 mm, as many of ours as
OCCT has edges, and the box of everything (points too) must be OCCT's.
Prints one line; exit 0 when all holds, 1 when not.
"""
import math
import re
import sys

TOL = 0.01


def words(line):
    return {k: float(v) for k, v in re.findall(r"([XYIJ])(-?[0-9.]+)", line)}


def arc_box(start, w, clockwise):
    cx, cy = start[0] + w["I"], start[1] + w["J"]
    end = (w["X"], w["Y"])
    r = math.hypot(start[0] - cx, start[1] - cy)
    a0 = math.atan2(start[1] - cy, start[0] - cx)
    a1 = math.atan2(end[1] - cy, end[0] - cx)
    if clockwise:
        a0, a1 = a1, a0
    sweep = (a1 - a0) % (2 * math.pi)
    if sweep < 1e-12:
        sweep = 2 * math.pi
    pts = [start, end]
    for k in range(-4, 5):
        a = k * math.pi / 2
        if 0 <= (a - a0) % (2 * math.pi) <= sweep:
            pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return pts


def ours(path):
    shapes, points, current = [], [], None
    for line in open(path, encoding="latin-1").read().splitlines():
        w = words(line)
        if line.startswith("G00"):
            current = [(w["X"], w["Y"])]
            shapes.append(current)
        elif line.startswith("G01"):
            current.append((w["X"], w["Y"]))
        elif line.startswith(("G02", "G03")):
            current.extend(arc_box(current[-1], w, line.startswith("G02")))
        elif line.startswith("G81"):
            points.append((w["X"], w["Y"]))
    return [box(s) for s in shapes], points


def box(pts):
    xs, ys = [p[0] for p in pts], [p[1] for p in pts]
    return (min(xs), min(ys), max(xs), max(ys))


def close(a, b):
    return all(abs(p - q) < TOL for p, q in zip(a, b))


def main():
    boxes, points = ours(sys.argv[1])
    edges = []
    for line in open(sys.argv[2]).read().splitlines():
        v = [float(x) for x in line.split()[1:]]
        if line.startswith("EDGE") and len(v) == 6:
            edges.append((v[0] + 1e-7, v[1] + 1e-7, v[3] - 1e-7, v[4] - 1e-7))
    problems = []
    if len(edges) != len(boxes):
        problems.append("%d lines and arcs, OCCT %d edges" % (len(boxes), len(edges)))
    free = list(edges)
    for b in boxes:
        match = next((e for e in free if close(b, e)), None)
        if match is None:
            problems.append("no edge like (%.4f,%.4f)-(%.4f,%.4f)" % b)
        else:
            free.remove(match)
    m = re.search(r"bbox_mm=\(([-0-9.e]+),([-0-9.e]+),[^)]*\)-\(([-0-9.e]+),([-0-9.e]+),", sys.argv[3])
    if not m:
        problems.append("no OCCT box in: " + sys.argv[3])
    else:
        want = tuple(float(x) for x in m.groups())
        got = box([p for b in boxes for p in ((b[0], b[1]), (b[2], b[3]))] + points)
        if not close(got, want):
            problems.append("box (%.4f,%.4f)-(%.4f,%.4f), OCCT (%.4f,%.4f)-(%.4f,%.4f)" % (got + want))
    print(("OK %d edges" % len(boxes)) if not problems else "FAIL " + "; ".join(problems[:6]))
    sys.exit(1 if problems else 0)


main()
