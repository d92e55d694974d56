#!/usr/bin/env python3
"""Renders the model space of a DXF file to PNG with ezdxf's drawing add-on and matplotlib,
a reader independent of QEN, to compare an exported drawing with QEN's own view.

Run: /usr/bin/python3 tests/cadbridge/render_dxf.py DRAWING.dxf OUT.png [WIDTH_PX]
"""
import sys

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402
from matplotlib import font_manager  # noqa: E402

import ezdxf  # noqa: E402
from ezdxf.addons.drawing import Frontend, RenderContext  # noqa: E402
from ezdxf.addons.drawing.properties import LayoutProperties  # noqa: E402
from ezdxf.addons.drawing.matplotlib import MatplotlibBackend  # noqa: E402


def main(path, out, width=1600):
    # Chinese glyphs: the WenQuanYi font QEN's own view uses.
    for f in font_manager.findSystemFonts():
        if "wqy" in f.lower():
            font_manager.fontManager.addfont(f)
    plt.rcParams["font.sans-serif"] = ["WenQuanYi Micro Hei", "DejaVu Sans"]
    doc = ezdxf.readfile(path)
    # SHX fonts (txt, gbcbig) are not on Linux: draw their texts in the Chinese TrueType font.
    for style in doc.styles:
        if not style.dxf.font.lower().endswith((".ttf", ".ttc", ".otf")):
            style.dxf.font = "WenQuanYi Micro Hei"
    fig = plt.figure(figsize=(width / 100, width / 100), dpi=100)
    ax = fig.add_axes([0, 0, 1, 1])
    ctx = RenderContext(doc)
    msp = doc.modelspace()
    # Paper colours, as QEN's view and a printed drawing show them (colour 7 draws black).
    props = LayoutProperties.from_layout(msp)
    props.set_colors("#ffffff")
    Frontend(ctx, MatplotlibBackend(ax)).draw_layout(msp, finalize=True, layout_properties=props)
    # The backend fits the axes to the drawing; keep its aspect at the asked width.
    x0, x1 = ax.get_xlim()
    y0, y1 = ax.get_ylim()
    fig.set_size_inches(width / 100, width / 100 * abs(y1 - y0) / max(abs(x1 - x0), 1e-12))
    fig.savefig(out, dpi=100, facecolor="white")


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2], int(sys.argv[3]) if len(sys.argv) > 3 else 1600)
