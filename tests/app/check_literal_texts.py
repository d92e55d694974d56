#!/usr/bin/python3
"""No Chinese text reaches the interface without the translation system.

check_literal_texts.py SOURCE_DIR: scans the Qt folders (app, views, cad, text) for string literals
holding Chinese characters that are not the text of tr(), QT_TR_NOOP(), QT_TRANSLATE_NOOP() or
QCoreApplication::translate(). A literal that is rightly left as it is (a text written into a
file, a name the user types, a pattern matched against the core's own texts) carries the comment
`// untranslated: why` on its line. Exits 1 naming each literal; its second mode `--count` prints
the number per file."""
import os
import re
import sys

CJK = re.compile(r"[\u3000-\u303f\u3400-\u9fff\uff00-\uffef]")
TOKEN = re.compile(r'//[^\n]*|/\*.*?\*/|(?:u8|u|U|L)?R"([^(\s]*)\(.*?\)\1"|(?:u8|u|U|L)?"(?:\\.|[^"\\\n])*"'
                   r"|'(?:\\.|[^'\\\n])*'", re.S)
# What may stand before the text: the opening of a translating call (its context first where it takes one).
WRAPPED = re.compile(r'(?:\btr|QT_TR_NOOP|QT_TR_N_NOOP)\s*\(\s*$'
                     r'|(?:QT_TRANSLATE_NOOP3?|QT_TRANSLATE_N_NOOP3?|\btranslate)\s*\(\s*"[^"\n]*"\s*,\s*$')
MARK = "// untranslated:"
FOLDERS = ("app", "views", "cad", "text")


def literals(text):
    """(start, end, has_cjk) of each run of adjacent string literals, comments skipped."""
    runs = []
    for m in TOKEN.finditer(text):
        s = m.group(0)
        if s.startswith(("//", "/*", "'")):
            continue
        if runs and not text[runs[-1][1]:m.start()].strip():
            runs[-1] = (runs[-1][0], m.end(), runs[-1][2] or bool(CJK.search(s)))
        else:
            runs.append((m.start(), m.end(), bool(CJK.search(s))))
    return runs


def faults(path):
    text = open(path, encoding="utf-8").read()
    lines = text.splitlines()
    for start, _end, cjk in literals(text):
        if not cjk:
            continue
        before = re.sub(r"//[^\n]*", "", text[max(0, start - 300):start])
        if WRAPPED.search(before):
            continue
        line = text.count("\n", 0, start) + 1
        if MARK in lines[line - 1]:
            continue
        yield line, lines[line - 1].strip()


def scan(src):
    for folder in FOLDERS:
        for dirpath, _dirs, files in sorted(os.walk(os.path.join(src, folder))):
            for f in sorted(files):
                if f.endswith((".cpp", ".h")):
                    path = os.path.join(dirpath, f)
                    for line, code in faults(path):
                        yield os.path.relpath(path, src), line, code


def main():
    args = [a for a in sys.argv[1:] if a != "--count"]
    found = list(scan(args[0]))
    if "--count" in sys.argv:
        counts = {}
        for path, _line, _code in found:
            counts[path] = counts.get(path, 0) + 1
        for path in sorted(counts):
            print("%5d %s" % (counts[path], path))
        print("%5d in all" % len(found))
        return 0
    for path, line, code in found:
        print("%s:%d: Chinese text outside tr(): %s" % (path, line, code[:160]))
    if found:
        print("%d text(s): wrap them in tr() / QT_TRANSLATE_NOOP(), or mark a text stored in files "
              "with '%s why'" % (len(found), MARK))
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
