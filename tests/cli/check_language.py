#!/usr/bin/python3
"""qen-cli --language: under zh the texts are byte for byte those qen-cli printed before the
option existed (tests/data/cli/language/zh-*.txt), also by default under a C locale; under en
(also by default under an English locale) the same runs print English without a CJK character,
a refused option included, and the calculation report's workbook (and, with --pdf, the PDF the
program draws) has English sheet names, titles and headers. The networks' identifiers are ASCII,
so any CJK character left is a text of the program.

usage: check_language.py QEN_CLI SOURCE_DIR WORKDIR [--pdf]"""
import os
import re
import shutil
import subprocess
import sys

cli, src, work = (os.path.abspath(a) for a in sys.argv[1:4])
shutil.rmtree(work, ignore_errors=True)
os.makedirs(work)
for f in ("tests/data/networks/Net1.inp", "examples/town.wnp", "tests/data/cli/unknown-section.txt",
          "tests/data/cli/no-known-head.txt", "tests/data/cli/no-supply.txt", "tests/data/cli/eps/base.inp",
          "tests/data/cli/language/pipes.geojson"):
    shutil.copy(os.path.join(src, f), work)
golden = os.path.join(src, "tests/data/cli/language")
CJK = re.compile(r"[\u3000-\u303f\u3400-\u9fff\uff00-\uffef]")
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)


def run(args, locale="C.UTF-8"):
    env = {k: v for k, v in os.environ.items() if not k.startswith("LC_") and k not in ("LANG", "LANGUAGE")}
    env.update(LC_ALL=locale, LANG=locale, QT_QPA_PLATFORM="offscreen")
    return subprocess.run([cli, *args], capture_output=True, text=True, cwd=work, env=env)


# (arguments, stream, golden file, status, English texts)
RUNS = [
    (["cost", "town.wnp", "--a", "100", "--b", "2", "--alpha", "1"], "stdout", "zh-cost.txt", 0,
     ["Costed 58 pipes, total cost 1.62963e+06 yuan!", "running pumps have no flow or head"]),
    (["info", "unknown-section.txt"], "stderr", "zh-info-bad.txt", 2,
     ["unknown-section.txt: file format error (line 5): unknown section name \"CURVE\""]),
    (["balance", "no-known-head.txt"], "stderr", "zh-balance-no-head.txt", 4, ["Not enough fixed-head nodes!"]),
    (["import-inp", "Net1.inp", "net1.txt"], "stdout", "zh-import-inp.txt", 0,
     ["EPANET file: Net1.inp", "Units: GPM (US customary), head loss formula H-W", "- Sections not read (5)",
      "[BACKDROP] 4 lines, [LABELS] 3 lines", "Wrote net1.txt and net1.idmap.csv"]),
    (["export-inp", "town.wnp", "town.inp"], "stdout", "zh-export-inp.txt", 0,
     ["- Pressure-reducing valves written as PBV (fixed head loss) (1)", "Wrote town.inp"]),
    (["allocate", "no-supply.txt", "--total", "3", "--save", "never.txt"], "stderr", "zh-allocate-no-supply.txt", 3,
     ["qen-cli allocate: Node flow allocation failed"]),
    (["import-gis", "pipes.geojson", "pipes.txt"], "stdout", "zh-import-gis.txt", 0,
     ["Layer pipes: 3 line features, 0 point features", "Empty values taken from the template: coefficient 2",
      "Skipped 1 lines of zero length", "Text files do not keep the coordinate system"]),
]

for args, stream, name, status, english in RUNS:
    expected = open(os.path.join(golden, name), encoding="utf-8").read()
    for label, extra, locale in (("--language zh", ["--language", "zh"], "en_US.UTF-8"), ("C locale", [], "C.UTF-8")):
        r = run(extra + args, locale)
        check(r.returncode == status, f"{label} {args[0]}: exit {r.returncode}, expected {status}: {r.stderr}")
        check(getattr(r, stream) == expected, f"{label} {args[0]}: {stream} differs from {name}:\n{getattr(r, stream)}")
    for label, extra, locale in (("--language en", ["--language", "en"], "C.UTF-8"),
                                 ("English locale", [], "en_GB.UTF-8"), ("option last", [], "C.UTF-8")):
        r = run(extra + args + (["--language", "en"] if label == "option last" else []), locale)
        check(r.returncode == status, f"{label} {args[0]}: exit {r.returncode}, expected {status}: {r.stderr}")
        both = r.stdout + r.stderr
        check(not CJK.search(both), f"{label} {args[0]}: CJK characters left:\n{both}")
        for text in english:
            check(text in getattr(r, stream), f"{label} {args[0]}: {stream} lacks {text!r}:\n{getattr(r, stream)}")

# A language neither Chinese nor English speaks Chinese; a balance and a refused option in English.
r = run(["cost", "town.wnp"], "fr_FR.UTF-8")
check("总共计算58根管道" in r.stdout, f"French locale: not Chinese:\n{r.stdout}")
r = run(["--language", "en", "balance", "town.wnp"])
check(r.returncode == 0 and "case:            peak hour" in r.stdout, f"balance: {r.stdout}{r.stderr}")
check(not CJK.search(r.stdout + r.stderr), f"balance: CJK characters left:\n{r.stdout}{r.stderr}")
r = run(["--language", "en", "balance", "--case", "flood", "town.wnp"])
check(r.returncode == 1 and "--case" in r.stderr and not CJK.search(r.stderr), f"refused option: {r.stderr}")
r = run(["--language", "fr", "info", "town.wnp"])
check(r.returncode == 1 and "--language" in r.stderr, f"--language fr accepted: {r.returncode} {r.stderr}")


def report_texts(path):
    """The workbook's sheet names and its texts, the title block's values left out."""
    import openpyxl

    book = openpyxl.load_workbook(path)
    names = book.sheetnames
    texts = []
    for i, ws in enumerate(book.worksheets):
        for row in ws.iter_rows():
            for cell in row:
                if isinstance(cell.value, str) and not (i == 0 and cell.column == 2 and 2 <= cell.row <= 4):
                    texts.append(cell.value)
        texts.append(ws.oddFooter.center.text or "")
    return names, texts


try:
    import openpyxl  # noqa: F401
except ImportError:
    openpyxl = None
if openpyxl:
    checks = ["--simulate", "--fireflow", "--criticality"]
    check(run(["import-inp", "base.inp", "base.wnp"]).returncode == 0, "base.inp not imported")
    for network in ("town.wnp", "base.wnp"):
        out = network.split(".")[0] + "-en.xlsx"
        r = run(["--language", "en", "report", network, out] + (checks if network == "base.wnp" else []))
        check(r.returncode == 0 and not CJK.search(r.stdout + r.stderr), f"report {network}: {r.stdout}{r.stderr}")
        if r.returncode != 0:
            continue
        names, texts = report_texts(os.path.join(work, out))
        check(len(set(names)) == len(names) and all(len(n) <= 31 for n in names), f"sheet names: {names}")
        for text in names + texts:
            check(not CJK.search(text), f"report {network}: CJK in {text!r}")
        for text in ("Network Balancing Calculation Report", "Calculation Parameters", "Case summary: peak hour"):
            check(text in texts, f"report {network}: no {text!r}")
        check("Node-peak hour" in names and "Pipe-peak hour" in names, f"report {network}: sheets {names}")
        if network == "base.wnp":
            for name in ("Simulation-Nodes", "Fire Flow Check", "Pipe Failure Check"):
                check(name in names, f"report {network}: no sheet {name}: {names}")
        zh = run(["--language", "zh", "report", network, "zh.xlsx"] + (checks if network == "base.wnp" else []))
        check(zh.returncode == 0, f"report {network} zh: {zh.stderr}")
        if zh.returncode == 0:
            names, texts = report_texts(os.path.join(work, "zh.xlsx"))
            check("节点-最高时" in names and "管网平差计算书" in texts, f"report {network} zh: {names}")

if "--pdf" in sys.argv and shutil.which("pdftotext"):
    r = run(["--language", "en", "report", "base.wnp", "base-en.pdf", "--simulate", "--fireflow", "--criticality"])
    check(r.returncode == 0, f"pdf report: {r.stdout}{r.stderr}")
    text = subprocess.run(["pdftotext", "-layout", os.path.join(work, "base-en.pdf"), "-"], capture_output=True,
                          text=True).stdout
    check("Page 1 of " in text and "Network Balancing Calculation Report" in text, "pdf: no English heading")
    for line in text.splitlines():
        check(not CJK.search(line), f"pdf: CJK in {line.strip()!r}")

for f in failures:
    print("FAIL:", f)
print("%d failure(s)" % len(failures))
sys.exit(1 if failures else 0)
