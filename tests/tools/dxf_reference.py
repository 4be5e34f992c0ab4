#!/usr/bin/python3
"""Reference geometry of a DXF drawing as ezdxf reads it, for the DXF import test.

Usage: dxf_reference.py FILE.dxf

Prints one tab-separated line per motion block the import is expected to write:

    UCSORG <tab> x <tab> y                      (once, first; 0 0 without $UCSORG)
    B <tab> layer <tab> word <tab> x <tab> y [<tab> cx <tab> cy <tab> r]

The geometry is ezdxf's: points, centres, radii and angles straight from its
entities, bulge centres from ezdxf.math.bulge_to_arc. Coordinates are the raw
values of the file (the entity's own coordinate system; $UCSORG is not applied,
the test does that). The selection and order follow the import's rules:
  - model-space LINE, POINT, CIRCLE, ARC, POLYLINE and LWPOLYLINE in file order;
    everything else (INSERT, TEXT, SPLINE, ELLIPSE, HATCH, block contents) is
    left out because the import does not convert it;
  - the extrusion direction is ignored: an ARC with extrusion (0, 0, -1) is
    taken in its own coordinates, as the import writes it, although ezdxf's
    world coordinates would show it mirrored;
  - Z is dropped (3D polylines are written flat);
  - a POLYLINE or LWPOLYLINE closes when bit 1 of its flags is set (ezdxf's
    is_closed), with the bulge of its last vertex;
  - the layer of a polyline block is the layer of its vertex (POLYLINE headers
    do not set it); spaces are removed from layer names.
Exit 0 on success, 2 when ezdxf is missing or cannot read the file.
"""

import math
import sys

try:
    import ezdxf
    from ezdxf.math import bulge_to_arc
except ImportError:
    print("ezdxf is not installed", file=sys.stderr)
    sys.exit(2)


def layer_of(entity):
    return entity.dxf.get("layer", "0").replace(" ", "")


def out(*fields):
    print("\t".join(str(f) for f in fields))


def block(layer, word, x, y, centre=None, radius=None):
    fields = ["B", layer, word, repr(float(x)), repr(float(y))]
    if centre is not None:
        fields += [repr(float(centre[0])), repr(float(centre[1])), repr(float(radius))]
    out(*fields)


def polyline_blocks(vertices, closed):
    """vertices: list of (layer, x, y, bulge)."""
    if not vertices:
        return
    layer, x, y, _ = vertices[0]
    block(layer, "G00", x, y)
    # A block is written by the vertex that ends its segment, under that vertex's
    # layer; the closing block comes after the last vertex and keeps its layer.
    segments = [(v0, v1, v1[0]) for v0, v1 in zip(vertices, vertices[1:])]
    if closed:
        segments.append((vertices[-1], vertices[0], vertices[-1][0]))
    for (_, x0, y0, bulge), (_, x1, y1, _), layer in segments:
        if bulge == 0:
            block(layer, "G01", x1, y1)
            continue
        centre, _, _, radius = bulge_to_arc((x0, y0), (x1, y1), bulge)
        block(layer, "G02" if bulge < 0 else "G03", x1, y1, centre, radius)


def entity_blocks(e):
    kind = e.dxftype()
    if kind == "LINE":
        block(layer_of(e), "G00", e.dxf.start.x, e.dxf.start.y)
        block(layer_of(e), "G01", e.dxf.end.x, e.dxf.end.y)
    elif kind == "POINT":
        block(layer_of(e), "G00", e.dxf.location.x, e.dxf.location.y)
        block(layer_of(e), "G01", e.dxf.location.x, e.dxf.location.y)
    elif kind == "CIRCLE":
        c, r = e.dxf.center, e.dxf.radius
        block(layer_of(e), "G00", c.x + r, c.y)
        block(layer_of(e), "G02", c.x + r, c.y, (c.x, c.y), r)
    elif kind == "ARC":
        c, r = e.dxf.center, e.dxf.radius
        a1, a2 = math.radians(e.dxf.start_angle), math.radians(e.dxf.end_angle)
        block(layer_of(e), "G00", c.x + r * math.cos(a1), c.y + r * math.sin(a1))
        block(layer_of(e), "G03", c.x + r * math.cos(a2), c.y + r * math.sin(a2), (c.x, c.y), r)
    elif kind == "LWPOLYLINE":
        layer = layer_of(e)
        vertices = [(layer, x, y, b) for x, y, b in e.get_points("xyb")]
        polyline_blocks(vertices, e.closed)
    elif kind == "POLYLINE":
        vertices = [
            (layer_of(v), v.dxf.location.x, v.dxf.location.y, v.dxf.get("bulge", 0.0))
            for v in e.vertices
        ]
        polyline_blocks(vertices, e.is_closed)


def main():
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    try:
        doc = ezdxf.readfile(sys.argv[1])
    except (IOError, ezdxf.DXFError) as error:
        print(f"ezdxf cannot read {sys.argv[1]}: {error}", file=sys.stderr)
        return 2
    origin = doc.header.get("$UCSORG", (0.0, 0.0, 0.0))
    out("UCSORG", repr(float(origin[0])), repr(float(origin[1])))
    for e in doc.modelspace():
        entity_blocks(e)
    return 0


if __name__ == "__main__":
    sys.exit(main())
