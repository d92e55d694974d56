#!/usr/bin/env python3
"""Reads a DXF file with ezdxf, audits it and prints what it holds as JSON.

Exit status 0 when ezdxf reads the file and its audit finds no errors, 1 otherwise.
Output: {"errors": [...], "version": ..., "layers": [...], "counts": {layer: {type: n}},
         "texts": [[layer, text, x, y, height, rotation, halign, valign], ...],
         "entities": n, "blocks": [...]}
"""
import json
import sys
from collections import defaultdict

import ezdxf


def main(path):
    try:
        doc = ezdxf.readfile(path)
    except Exception as e:  # noqa: BLE001 - any failure to read is the answer
        print(json.dumps({"errors": ["read: %s" % e]}, ensure_ascii=False))
        return 1
    auditor = doc.audit()
    counts = defaultdict(lambda: defaultdict(int))
    texts = []
    msp = doc.modelspace()
    for e in msp:
        counts[e.dxf.layer][e.dxftype()] += 1
        if e.dxftype() == "TEXT":
            p = e.dxf.align_point if e.dxf.hasattr("align_point") else e.dxf.insert
            ax, ay = p.x, p.y
            text = e.dxf.text
            # \U+XXXX, as CAD programs read texts of a code page that cannot hold a character
            if ezdxf.has_dxf_unicode(text):
                text = ezdxf.decode_dxf_unicode(text)
            texts.append([e.dxf.layer, text, ax, ay, e.dxf.height, e.dxf.rotation,
                          e.dxf.halign, e.dxf.valign])
    out = {
        "errors": [str(x.message) for x in auditor.errors],
        "version": doc.dxfversion,
        "layers": [l.dxf.name for l in doc.layers],
        "counts": counts,
        "texts": texts,
        "entities": len(msp),
        "blocks": [b.name for b in doc.blocks],
    }
    print(json.dumps(out, ensure_ascii=False))
    return 1 if auditor.has_errors else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
