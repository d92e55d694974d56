#!/usr/bin/python3
"""Every text of the Qt folders has a finished English translation that fits its source.

check_translations.py TS: the .ts as lupdate leaves it after scanning the sources (a text added
without a translation is "unfinished" there). Exits 1 naming each fault."""
import re
import sys
import xml.etree.ElementTree as ET

CJK = re.compile(r"[\u3000-\u303f\u3400-\u9fff\uff00-\uffef]")
PLACE = re.compile(r"%L?\d+")


def faults(path):
    root = ET.parse(path).getroot()
    if root.get("sourcelanguage") != "zh_CN" or root.get("language") != "en":
        yield "%s: wants sourcelanguage zh_CN and language en" % path
    for ctx in root.iter("context"):
        name = ctx.findtext("name")
        for m in ctx.iter("message"):
            src = m.findtext("source") or ""
            tr = m.find("translation")
            text = (tr.text or "") if tr is not None else ""
            where = "%s: \"%s\"" % (name, src)
            kind = tr.get("type") if tr is not None else "missing"
            if kind in ("unfinished", "missing", "vanished", "obsolete") or not text.strip():
                yield where + " has no English translation"
                continue
            if CJK.search(text):
                yield where + " is translated with Chinese characters: " + text
            if sorted(PLACE.findall(src)) != sorted(PLACE.findall(text)):
                yield where + " and its translation have other placeholders: " + text
            if "&" in src.replace("&&", "") and "&" not in text.replace("&&", ""):
                yield where + " has a mnemonic, its translation none: " + text


def main():
    found = list(faults(sys.argv[1]))
    for f in found:
        print(f)
    if found:
        print("%d fault(s): translate them in app/translations/qen_en.ts "
              "(cmake --build build --target update_translations, then Qt Linguist or an editor)" % len(found))
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
