#!/usr/bin/env python3
"""Reads a DXF file with ezdxf's recover mode and audits it.

Prints what the recovery fixed and what the audit found, as JSON; exit status 0 when both are empty.
"""
import json
import sys

from ezdxf import recover


def main(path):
    try:
        doc, auditor = recover.readfile(path)
    except Exception as e:  # noqa: BLE001 - any failure to read is the answer
        print(json.dumps({"fixes": [], "errors": ["read: %s" % e]}, ensure_ascii=False))
        return 1
    out = {
        "fixes": [str(x.message) for x in auditor.fixes],
        "errors": [str(x.message) for x in auditor.errors],
    }
    print(json.dumps(out, ensure_ascii=False))
    return 1 if out["fixes"] or out["errors"] else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
