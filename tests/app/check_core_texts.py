#!/usr/bin/python3
"""The core texts the interface translates (text/*.cpp) are still the core's texts, and the
calculation report has no text outside them.

check_core_texts.py SOURCE_DIR: every Chinese piece of each listed text (the parts between its
%1, %2... placeholders) must occur in a string literal of the Qt-free folders or qen-cli, adjacent
literals joined; a text the core no longer makes would silently stay Chinese under the English
interface. A piece may be made of a few literals joined by the core's code (each a run of at least
two characters). The other way round, every Chinese literal of report/ (translated where it is
made) must be a listed text: a new one would stay Chinese in an English report. Exits 1 naming
each text."""
import os
import re
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from check_literal_texts import CJK, literals  # noqa: E402

CORE = ("model", "persist", "hydraulics", "edit", "report", "gis", "cli", "cadbridge")
ESCAPES = {"n": "\n", "t": "\t", '"': '"', "\\": "\\", "'": "'"}


def unescape(body):
    body = re.sub(r"\\u([0-9a-fA-F]{4})", lambda m: chr(int(m.group(1), 16)), body)
    return re.sub(r"\\(.)", lambda m: ESCAPES.get(m.group(1), m.group(0)), body)


def literal_text(run):
    # The bodies of the adjacent literals of one run, as the compiler joins them.
    parts = re.findall(r'(?:u8|u|U|L)?"((?:\\.|[^"\\\n])*)"', run)
    return "".join(unescape(p) for p in parts)


def core_literals(src, folders=CORE):
    out = []
    for folder in folders:
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
    tables = [os.path.join(src, "text", f) for f in sorted(os.listdir(os.path.join(src, "text"))) if f.endswith(".cpp")]
    texts = []
    for path in tables:
        table = open(path, encoding="utf-8").read()
        runs = re.findall(r'QT_TRANSLATE_NOOP\(\s*"CCoreText",\s*((?:"(?:\\.|[^"\\])*"\s*)+)\)', table)
        texts += [literal_text(r) for r in runs]
    if not texts:
        print("no core texts found in text/*.cpp")
        return 1
    core = core_literals(src)
    bad = 0
    for t in texts:
        for piece in re.split(r"%\d", t):
            if CJK.search(piece) and not made_of_literals(piece, core):
                print("text/: %r: the core has no text holding %r" % (t, piece))
                bad += 1
    listed = set(texts)
    for text in core_literals(src, ("report",)).split("\x00"):
        if text and text not in listed:
            print("report/: %r is not listed in text/CoreReportTexts.cpp (or text/CCoreText.cpp)" % text)
            bad += 1
    if bad:
        print("%d text(s): bring the lists in text/ in line with the core's texts" % bad)
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main())
