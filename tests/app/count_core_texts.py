#!/usr/bin/python3
"""How many Chinese texts of the core and qen-cli would reach the user untranslated.

count_core_texts.py SOURCE_DIR [-v]: counts the runs of string literals holding Chinese in the
Qt-free folders and cli/, and of them those no text of text/*.cpp covers (each Chinese stretch of
the literal, between its format parts and line breaks, must lie within a listed text). Texts
written into files (comments of the text format, lines marked `// untranslated: why`) are not
counted, nor the whole files of FILE_TEXTS. A measure for reviews, not a test: the match is by substring. -v lists each one."""
import os
import re
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from check_core_texts import literal_text  # noqa: E402
from check_literal_texts import CJK, literals  # noqa: E402

FOLDERS = ("model", "persist", "hydraulics", "edit", "report", "gis", "cli")
# Whole files of texts that are read from or written into files, never shown as they are.
FILE_TEXTS = ("gis/GisAttributeMap.cpp", "persist/text/TextUnitsHeader.cpp")


def listed_pieces(src):
    pieces = []
    folder = os.path.join(src, "text")
    for f in sorted(os.listdir(folder)):
        if f.endswith(".cpp"):
            table = open(os.path.join(folder, f), encoding="utf-8").read()
            for run in re.findall(r'QT_TRANSLATE_NOOP\(\s*"CCoreText",\s*((?:"(?:\\.|[^"\\])*"\s*)+)\)', table):
                for piece in re.split(r"%\d|\n", literal_text(run)):
                    if CJK.search(piece):
                        pieces.append(piece)
    return "\x00".join(pieces)


def covered(text, pieces):
    for stretch in re.split(r"%\d|%[-\d.]*[sdzufgl]+|\n", text):
        stretch = stretch.strip(" -:;,()\"\t")
        if CJK.search(stretch) and stretch not in pieces:
            return False
    return True


def main():
    src = sys.argv[1]
    pieces = listed_pieces(src)
    total = missing = 0
    for folder in FOLDERS:
        for dirpath, _dirs, files in sorted(os.walk(os.path.join(src, folder))):
            for f in sorted(files):
                if not f.endswith((".cpp", ".h")):
                    continue
                path = os.path.join(dirpath, f)
                if os.path.relpath(path, src) in FILE_TEXTS:
                    continue
                text = open(path, encoding="utf-8").read()
                lines = text.splitlines()
                for start, end, cjk in literals(text):
                    line = text.count("\n", 0, start) + 1
                    statement = re.split(r"[;{}]", text[max(0, start - 400):start])[-1]
                    body = literal_text(text[start:end])
                    if not cjk or "// untranslated:" in lines[line - 1] or "Comment(" in statement:
                        continue
                    if body.startswith("//"):   # a comment line of a file
                        continue
                    total += 1
                    if not covered(body, pieces):
                        missing += 1
                        if "-v" in sys.argv:
                            print("%s:%d: %s" % (os.path.relpath(path, src), line, lines[line - 1].strip()[:140]))
    print("%d Chinese texts in the core and qen-cli, %d not covered by text/" % (total, missing))
    return 0


if __name__ == "__main__":
    sys.exit(main())
