#!/usr/bin/env python3
"""Writes the test drawings of tests/data/cad with ezdxf, an independent DXF writer.

Run: /usr/bin/python3 tests/cadbridge/make_drawings.py tests/data/cad
"""
import sys
from pathlib import Path

import ezdxf


def pipes(msp, poly2d=False):
    # 0: two lines meeting at (10, 0); 2: a line ending 0.5 from (20, 0)
    msp.add_line((0, 0, 0), (10, 0, 0), dxfattribs={"layer": "PIPE"})
    msp.add_line((10, 0, 0), (20, 0, 0), dxfattribs={"layer": "pipe"})
    msp.add_line((20.5, 0, 0), (30, 0, 0), dxfattribs={"layer": "Pipe"})
    # 3: zero-length line
    msp.add_line((5, 5, 0), (5, 5, 0), dxfattribs={"layer": "PIPE"})
    # 4: closed polyline whose last vertex repeats the first
    if poly2d:
        msp.add_polyline2d([(0, 10), (10, 10), (10, 20), (0, 10)], dxfattribs={"layer": "PIPE"})
    else:
        msp.add_lwpolyline([(0, 10), (10, 10), (10, 20), (0, 10)], dxfattribs={"layer": "PIPE"})
    # 5: four vertices with bulges
    if poly2d:
        msp.add_polyline2d([(30, 0, 0, 0, 0.5), (30, 10, 0, 0, 0), (40, 10, 0, 0, 1), (40, 20, 0, 0, 0)],
                           format="xyseb", dxfattribs={"layer": "PIPE"})
    else:
        msp.add_lwpolyline([(30, 0, 0, 0, 0.5), (30, 10, 0, 0, 0), (40, 10, 0, 0, 1), (40, 20, 0, 0, 0)],
                           format="xyseb", dxfattribs={"layer": "PIPE"})
    # 6: other entities and layers
    msp.add_circle((50, 50), 3, dxfattribs={"layer": "PIPE"})
    msp.add_line((100, 0, 0), (110, 0, 0), dxfattribs={"layer": "OTHER"})


def main(out):
    out = Path(out)
    out.mkdir(parents=True, exist_ok=True)

    doc = ezdxf.new("R2000")
    for name in ("PIPE", "pipe", "Pipe", "OTHER"):
        if name.upper() not in [l.dxf.name.upper() for l in doc.layers]:
            doc.layers.add(name)
    pipes(doc.modelspace())
    # a 2D polyline with 4 vertices and elevations, a 3D polyline, and a line in paper space
    doc.modelspace().add_polyline2d([(60, 0), (60, 10), (70, 10), (70, 20)], dxfattribs={"layer": "PIPE", "elevation": (0, 0, 7)})
    doc.modelspace().add_polyline3d([(80, 0, 1), (90, 0, 2)], dxfattribs={"layer": "PIPE"})
    doc.layout("Layout1").add_line((0, 0), (1, 1), dxfattribs={"layer": "PIPE"})
    doc.saveas(out / "pipes_r2000.dxf")

    doc = ezdxf.new("R12")
    for name in ("PIPE", "OTHER"):
        doc.layers.add(name)
    pipes(doc.modelspace(), poly2d=True)
    doc.saveas(out / "pipes_r12.dxf")

    # R2018 (UTF-8) and R2000 in code page 936 with Chinese layers and texts
    for version, name in (("R2018", "chinese_r2018.dxf"), ("R2000", "chinese_r2000_gbk.dxf")):
        doc = ezdxf.new(version)
        if version == "R2000":
            doc.encoding = "gbk"
            doc.header["$DWGCODEPAGE"] = "ANSI_936"
        doc.layers.add("给水管")
        doc.layers.add("文字")
        msp = doc.modelspace()
        msp.add_line((0, 0), (100, 0), dxfattribs={"layer": "给水管"})
        msp.add_lwpolyline([(100, 0), (100, 50), (150, 50)], dxfattribs={"layer": "给水管"})
        msp.add_text("节点J1", dxfattribs={"layer": "文字", "height": 3.5}).set_placement((0, 5))
        doc.blocks.new("阀门").add_circle((0, 0), 1)
        msp.add_blockref("阀门", (50, 0), dxfattribs={"layer": "给水管"})
        doc.saveas(out / name)

    # a branch ending on the middle of a main, drawn before it
    doc = ezdxf.new("R2013")
    msp = doc.modelspace()
    msp.add_line((10, 10), (10, 0.004))
    msp.add_lwpolyline([(0, 0), (20, 0), (20, 20)])
    doc.saveas(out / "tee.dxf")

    doc = ezdxf.new("R2010")
    doc.modelspace().add_line((0, 0), (1, 0))
    doc.saveas(out / "binary.dxf", fmt="bin")

    (out / "drawing.dwg").write_bytes(b"AC1032\x00\x00\x00\x00\x00\x0f\x01" + bytes(64))

    # coordinates that are not finite: a line with an infinite x, a polyline with nan
    doc = ezdxf.new("R2000")
    msp = doc.modelspace()
    msp.add_line((0, 0), (1111.5, 0))
    msp.add_lwpolyline([(0, 0), (2222.5, 5)])
    msp.add_line((0, 0), (0, 10))
    path = out / "nonfinite.dxf"
    doc.saveas(path)
    raw = path.read_text(encoding="cp1252")
    raw = raw.replace("1111.5", "1e999").replace("2222.5", "nan")
    path.write_text(raw, encoding="cp1252")

    entity_cases(out)


def entity_cases(out):
    """One layer per kind of entity a user draws pipes with (entity_cases.dxf)."""
    doc = ezdxf.new("R2000")
    for name in ("L_BLOCK", "L_NESTED", "L_ARRAY", "L_BULGE", "L_ARC", "L_3D", "L_OCS", "L_TILTED", "L_CLOSEDFLAG",
                 "L_CLOSEDPT", "L_SPLINE", "L_TEE", "Überlandleitung", "Łódź"):
        doc.layers.add(name)
    msp = doc.modelspace()
    # a block of one line on layer 0 (takes the reference's layer), base point (1, 0)
    b1 = doc.blocks.new("B1", base_point=(1, 0))
    b1.add_line((1, 0), (11, 0))
    msp.add_blockref("B1", (100, 100), dxfattribs={"layer": "L_BLOCK", "rotation": 90, "xscale": 2, "yscale": 2})
    outer = doc.blocks.new("OUTER")
    outer.add_blockref("B1", (5, 0))
    msp.add_blockref("OUTER", (200, 0), dxfattribs={"layer": "L_NESTED", "rotation": 180})
    arr = msp.add_blockref("B1", (0, 300), dxfattribs={"layer": "L_ARRAY"})
    arr.grid(size=(2, 3), spacing=(50, 20))   # 2 rows 50 apart, 3 columns 20 apart
    msp.add_lwpolyline([(0, 0, 0, 0, 1), (10, 0)], format="xyseb", dxfattribs={"layer": "L_BULGE"})
    msp.add_arc((0, 500), 10, 0, 90, dxfattribs={"layer": "L_ARC"})
    msp.add_polyline3d([(0, 600, 0), (30, 600, 10), (30, 640, 20)], dxfattribs={"layer": "L_3D"})
    msp.add_lwpolyline([(0, 0), (10, 0), (10, 10)], dxfattribs={"layer": "L_OCS", "extrusion": (0, 0, -1)})
    msp.add_lwpolyline([(0, 0), (10, 0), (20, 5)], dxfattribs={"layer": "L_TILTED", "extrusion": (1, 0, 0),
                                                              "elevation": 700})
    msp.add_lwpolyline([(0, 800), (40, 800), (40, 830)], close=True, dxfattribs={"layer": "L_CLOSEDFLAG"})
    msp.add_lwpolyline([(100, 800), (140, 800), (140, 830), (100, 800)], dxfattribs={"layer": "L_CLOSEDPT"})
    for k in range(2):
        msp.add_spline([(0, 900 + k), (10, 910 + k), (20, 900 + k)], dxfattribs={"layer": "L_SPLINE"})
    msp.add_lwpolyline([(0, 1000), (100, 1000), (200, 1000)], dxfattribs={"layer": "L_TEE"})
    msp.add_line((100, 1000), (100, 1100), dxfattribs={"layer": "L_TEE"})
    msp.add_line((300, 0), (310, 0), dxfattribs={"layer": "Überlandleitung"})
    msp.add_line((320, 0), (330, 0), dxfattribs={"layer": "Łódź"})   # not in code page 1252 nor all in GBK
    doc.saveas(out / "entity_cases.dxf")


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "tests/data/cad")
