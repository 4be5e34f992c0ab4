#!/usr/bin/env python3
"""Reads the hole exports of talmir-convert back with ezdxf and openpyxl and compares
them with the hole data they were made from.

    check_holes.py gen HOLES N            write N generated holes (4 tools) to HOLES
    check_holes.py expect HOLES           "holes=N xmin,ymin,xmax,ymax" of the holes (with tool radii)
    check_holes.py dxf OUT.dxf HOLES      circles per layer, centres and radii
    check_holes.py xlsx OUT.xlsx HOLES a|b|c   every cell as the layout puts it
    check_holes.py circles IN.dxf HOLES   dxfcircles2holes output against the model-space circles

Prints one line; exit 0 when everything matches, 1 when not, 77 when the module is missing.
"""
import sys


def read_holes(path):
    """(tools {number: (name, radius)}, holes [(tool name, x, y, radius)]) as the DXF export reads them."""
    tools = {}
    holes = []
    current = None
    for line in open(path, encoding="latin-1").read().splitlines():
        if "C" in line:
            number = float(line[1:line.index("C")] or 0)
            if number not in tools:
                tools[number] = ("T%g" % number, float(line[line.index("C") + 1:]) / 2)
        if "T" in line and line[1:].replace(".", "").isdigit():
            current = tools.get(float(line[1:]))
        if "X" in line or "Y" in line:
            x = float(line[1:line.index("Y")]) if "Y" in line else float(line[1:])
            y = float(line[line.index("Y") + 1:]) if "Y" in line else 0.0
            holes.append((current[0], x, y, current[1]))
    return tools, holes


def gen(path, n):
    lines = ["T%02dC%.1f" % (t, 0.4 + 0.3 * t) for t in range(1, 5)]
    for t in range(1, 5):
        lines.append("T%02d" % t)
        for i in range(n // 4):
            k = t * 100003 + i * 7919
            lines.append("X%.3fY%.3f" % ((k % 150000) / 1000.0 - 20, (k % 97331) / 1000.0 - 5))
    open(path, "w", newline="").write("\r\n".join(lines) + "\r\n")


def close(a, b, eps=1e-4):
    return abs(a - b) <= eps


def check_dxf(out, holes_path):
    import ezdxf
    from collections import Counter
    doc = ezdxf.readfile(out)
    audit = doc.audit()
    _, holes = read_holes(holes_path)
    circles = list(doc.modelspace().query("CIRCLE"))
    bad = len(circles) != len(holes) or len(audit.errors) != 0
    for c, (layer, x, y, r) in zip(circles, holes):
        if c.dxf.layer != layer or not close(c.dxf.center.x, x) or not close(c.dxf.center.y, y) \
                or not close(c.dxf.radius, r, 1e-6):
            bad = True
            print("mismatch:", c.dxf.layer, c.dxf.center, c.dxf.radius, "want", layer, x, y, r)
            break
    per_layer = Counter(c.dxf.layer for c in circles)
    print("DXF", "FAIL" if bad else "OK", "audit_errors=%d" % len(audit.errors),
          "circles=%d" % len(circles), " ".join("%s=%d" % kv for kv in sorted(per_layer.items())))
    return 1 if bad else 0


def expected_rows(holes_path, layout):
    rows = []
    diameters = {}
    counter = 0
    for line in open(holes_path, encoding="latin-1").read().splitlines():
        if "C" in line:
            diameters[float(line[1:line.index("C")])] = line[line.index("C"):]
        elif "T" in line:
            rows.append([line, diameters.get(float(line[1:]))])
            counter = 0
        elif "X" in line or "Y" in line:
            counter += 1
            if layout == "a":
                x = float(line[1:line.index("Y")])
                y = float(line[line.index("Y") + 1:])
                rows.append([None, None, "X", x, "Y", y, counter])
            elif layout == "b":
                rows.append([None, None, line[:line.index("Y")], line[line.index("Y"):], counter])
            else:
                rows.append([None, None, line, counter])
    return rows


def check_xlsx(out, holes_path, layout):
    import openpyxl
    sheet = openpyxl.load_workbook(out, read_only=True).worksheets[0]
    want = expected_rows(holes_path, layout)
    got = [list(r) for r in sheet.iter_rows(values_only=True)]
    width = max(len(r) for r in want)
    bad = len(got) != len(want)
    for i, (g, w) in enumerate(zip(got, want)):
        g = (g + [None] * width)[:width]
        w = (w + [None] * width)[:width]
        for gc, wc in zip(g, w):
            same = gc == wc if not isinstance(wc, float) else isinstance(gc, (int, float)) and close(gc, wc)
            if isinstance(wc, int) and not isinstance(wc, bool):
                same = isinstance(gc, (int, float)) and not isinstance(gc, bool) and gc == wc
            if not same:
                bad = True
        if bad:
            print("row %d: got %r want %r" % (i + 1, g, w))
            break
    print("XLSX", "FAIL" if bad else "OK", "layout=%s rows=%d" % (layout, len(got)))
    return 1 if bad else 0


def check_circles(dxf_path, holes_path):
    import ezdxf
    doc = ezdxf.readfile(dxf_path)
    layers = []
    want = {}
    for c in doc.modelspace().query("CIRCLE"):
        if c.dxf.layer not in want:
            layers.append(c.dxf.layer)
            want[c.dxf.layer] = []
        want[c.dxf.layer].append((round(c.dxf.center.x, 4), round(c.dxf.center.y, 4)))
    got = []
    try:
        text = open(holes_path, encoding="latin-1").read().splitlines()
    except OSError:
        text = []
    for line in text:
        if "C" in line:
            continue
        if line.startswith("T"):
            got.append([])
        elif line.startswith("X"):
            x, y = line[1:].split("Y")
            got[-1].append((round(float(x), 4), round(float(y), 4)))
    bad = [want[l] for l in layers] != got
    print("CIRCLES", "FAIL" if bad else "OK", "layers=%d holes=%d" % (len(layers), sum(len(v) for v in want.values())))
    return 1 if bad else 0


def main(argv):
    try:
        if argv[1] == "gen":
            gen(argv[2], int(argv[3]))
            return 0
        if argv[1] == "expect":
            _, holes = read_holes(argv[2])
            print("holes=%d %.3f,%.3f,%.3f,%.3f" % (
                len(holes), min(x - r for _, x, y, r in holes), min(y - r for _, x, y, r in holes),
                max(x + r for _, x, y, r in holes), max(y + r for _, x, y, r in holes)))
            return 0
        if argv[1] == "dxf":
            return check_dxf(argv[2], argv[3])
        if argv[1] == "xlsx":
            return check_xlsx(argv[2], argv[3], argv[4])
        if argv[1] == "circles":
            return check_circles(argv[2], argv[3])
    except ImportError as e:
        print("SKIP", e)
        return 77
    print(__doc__)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
