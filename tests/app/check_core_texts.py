#!/usr/bin/python3
"""The core texts the interface translates (views/CCoreText.cpp) are still the core's texts.

check_core_texts.py SOURCE_DIR: every Chinese piece of each listed text (the parts between its
%1, %2... placeholders) must occur in a string literal of the Qt-free folders, adjacent literals
joined; a text the core no longer makes would silently stay Chinese under the English interface.
A piece may be made of a few literals joined by the core's code (each a run of at least two
characters). Exits 1 naming each text."""
import os
import re
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from check_literal_texts import CJK, literals  # noqa: E402

CORE = ("model", "persist", "hydraulics", "edit", "report", "gis")
ESCAPES = {"n": "\n", "t": "\t", '"': '"', "\\": "\\", "'": "'"}


def unescape(body):
    body = re.sub(r"\\u([0-9a-fA-F]{4})", lambda m: chr(int(m.group(1), 16)), body)
    return re.sub(r"\\(.)", lambda m: ESCAPES.get(m.group(1), m.group(0)), body)


def literal_text(run):
    # The bodies of the adjacent literals of one run, as the compiler joins them.
    parts = re.findall(r'(?:u8|u|U|L)?"((?:\\.|[^"\\\n])*)"', run)
    return "".join(unescape(p) for p in parts)


def core_literals(src):
    out = []
    for folder in CORE:
        for dirpath, _dirs, files in os.walk(os.path.join(src, folder)):
            for f in files:
                if f.endswith((".cpp", ".h")):
                    text = open(os.path.join(dirpath, f), encoding="utf-8").read()
                    out.extend(literal_text(text[a:b]) for a, b, cjk in literals(text) if cjk)
    return "\x00".join(out)


def made_of_literals(piece, core):
    # Greedy: the longest start of what is left that the core holds, again and again.
    if len(piece) < 2:
        return piece in core
    at = 0
    while at < len(piece):
        end = len(piece)
        while end - at >= 2 and piece[at:end] not in core:
            end -= 1
        if end - at < 2:
            return False
        at = end
    return True


def main():
    src = sys.argv[1]
    table = open(os.path.join(src, "views", "CCoreText.cpp"), encoding="utf-8").read()
    texts = [unescape(t) for t in re.findall(r'QT_TRANSLATE_NOOP\("CCoreText",\s*"((?:\\.|[^"\\])*)"\)', table)]
    if not texts:
        print("no core texts found in views/CCoreText.cpp")
        return 1
    core = core_literals(src)
    bad = 0
    for t in texts:
        for piece in re.split(r"%\d", t):
            if CJK.search(piece) and not made_of_literals(piece, core):
                print("views/CCoreText.cpp: %r: the core has no text holding %r" % (t, piece))
                bad += 1
    if bad:
        print("%d piece(s): bring the list in views/CCoreText.cpp in line with the core's texts" % bad)
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main())
