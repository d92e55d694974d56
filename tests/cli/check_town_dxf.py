#!/usr/bin/env python3
"""Checks the example town exported by `qen-cli export-dxf` (default scale: 1000 CAD units per
metre, default sizes), read with ezdxf, an independent DXF reader:

- ezdxf's audit finds no errors and its recover mode nothing to fix;
- the header says millimetres ($INSUNITS 4) and its extents hold every pipe; the text style
  names the shape fonts txt and gbcbig.shx; QEN's layers have distinct colours;
- entities per layer as the drawing pass implies for the town (58 pipes, 45 shown nodes, one pump,
  three valves, one tank), flow arrows on ARROW, contour lines and their values on CONTOUR when
  asked;
- every pipe label sits on the middle of its pipe's longest segment, arrow-size/6 + 0.3 text
  heights above it, turned to read upright;
- the label of node J51 (at 0, 1000 m, its one pipe going down) stands in its box straight above.

Run: /usr/bin/python3 tests/cli/check_town_dxf.py OUT.dxf [--balanced] [--contours]
"""
import math
import sys

try:
    import ezdxf
    from ezdxf import recover
except ImportError:  # the independent reader is not installed: skipped (CTest status 77)
    sys.exit(77)

RATIO, H, ARROW, NODE = 1000.0, 3.5, 4.0, 2.0


def readable(a):
    if a > 3 * math.pi / 2:
        return a - 2 * math.pi
    if a > math.pi / 2:
        return a - math.pi
    return a


def fail(text):
    print("FAIL:", text)
    sys.exit(1)


def main(path, contours, balanced):
    doc = ezdxf.readfile(path)
    auditor = doc.audit()
    if auditor.has_errors:
        fail("audit: %s" % [e.message for e in auditor.errors])
    _, fixed = recover.readfile(path)
    if fixed.fixes or fixed.has_errors:
        fail("recover: %s" % [e.message for e in fixed.fixes + fixed.errors])
    if doc.header.get("$INSUNITS") != 4:
        fail("$INSUNITS %s" % doc.header.get("$INSUNITS"))
    style = doc.styles.get("Standard")
    if style.dxf.font != "txt" or style.dxf.bigfont != "gbcbig.shx":
        fail("text style fonts %s, %s" % (style.dxf.font, style.dxf.bigfont))
    names = ["TEXT", "NODE", "PIPE", "OTHER", "ARROW", "CONTOUR"]
    colours = [doc.layers.get(n).color for n in names]
    if len(set(colours)) != len(names):
        fail("layer colours %s" % colours)
    lo, hi = doc.header["$EXTMIN"], doc.header["$EXTMAX"]
    msp = doc.modelspace()
    q = msp.query
    for p in q('LWPOLYLINE[layer=="PIPE"]'):
        for x, y, *_ in p.get_points():
            if not (lo[0] <= x <= hi[0] and lo[1] <= y <= hi[1]):
                fail("pipe point %s outside the extents %s %s" % ((x, y), lo, hi))
    count = lambda sel: len(q(sel))  # noqa: E731
    expect = {
        'LWPOLYLINE[layer=="PIPE"]': 58,
        'LWPOLYLINE[layer=="NODE"]': 45,
        'LWPOLYLINE[layer=="OTHER"]': 5,
        'CIRCLE[layer=="OTHER"]': 1,
        'LINE[layer=="OTHER"]': 2,
    }
    for sel, n in expect.items():
        if count(sel) != n:
            fail("%s: %d, expected %d" % (sel, count(sel), n))
    contour_lines = count('LWPOLYLINE[layer=="CONTOUR"]')
    if contours != (contour_lines > 0):
        fail("contour lines: %d" % contour_lines)
    texts = q('TEXT[layer=="TEXT"]')
    pipe_labels = [t for t in texts if t.dxf.halign == 1 and t.dxf.valign == 1]
    node_labels = [t for t in texts if t.dxf.halign == 0 and t.dxf.valign == 3]
    if len(pipe_labels) != 58:
        fail("pipe labels: %d" % len(pipe_labels))
    if count('TEXT[layer=="CONTOUR"]') != contour_lines:
        fail("contour labels: %d for %d lines" % (count('TEXT[layer=="CONTOUR"]'), contour_lines))
    if len(node_labels) != 36:   # shown nodes less the nine device nodes
        fail("node labels: %d" % len(node_labels))
    arrows = count('LWPOLYLINE[layer=="ARROW"]')
    if not (50 <= arrows <= 58 if balanced else arrows == 0):
        fail("arrows: %d" % arrows)

    # Pipe labels at their places.
    places = []
    for p in q('LWPOLYLINE[layer=="PIPE"]'):
        pts = [(x, y) for x, y, *_ in p.get_points()]
        seg = max(range(len(pts) - 1), key=lambda i: (math.dist(pts[i], pts[i + 1]), -i))
        (x0, y0), (x1, y1) = pts[seg], pts[seg + 1]
        a = readable(math.atan2(y1 - y0, x1 - x0) % (2 * math.pi))
        d = ARROW / 6 + 0.3 * H
        places.append(((x0 + x1) / 2 - d * math.sin(a), (y0 + y1) / 2 + d * math.cos(a), math.degrees(a) % 360))
    for t in pipe_labels[:58]:
        p = t.dxf.align_point
        if not any(abs(p.x - x) < 1e-6 and abs(p.y - y) < 1e-6 and abs((t.dxf.rotation - r + 180) % 360 - 180) < 1e-6
                   for x, y, r in places):
            fail("pipe label %s at %s is on no pipe" % (t.dxf.text, p))

    # Node J51: one narrow-glyph line, box W = w + 0.6h, H = 1.6h straight above the node.
    j51 = [t for t in node_labels if t.dxf.text == "J51"]
    if len(j51) != 1:
        fail("J51 label missing")
    w = 3 * 0.8 * H   # three narrow glyphs
    m, pitch = 0.3 * H, 1.6 * H
    cy = 1000 * RATIO + pitch / 2 + NODE / 2 + 0.3 * pitch
    want = (-(w + 2 * m) / 2 + m, cy + pitch / 2 - m)
    got = j51[0].dxf.align_point
    if abs(got.x - want[0]) > 1e-6 or abs(got.y - want[1]) > 1e-6:
        fail("J51 label at %s, expected %s" % (got, want))
    print("ok: %d entities, %d contour lines, %d arrows" % (len(msp), contour_lines, arrows))


if __name__ == "__main__":
    main(sys.argv[1], "--contours" in sys.argv[2:], "--balanced" in sys.argv[2:])
