#!/usr/bin/python3
"""qen-cli report to PDF, read back with pdftotext: every page numbered "第 N 页 / 共 M 页", the
parameters and case summaries, the map page with its legend, scale and title block, every table
with its column titles at the top of each of its pages, and the values of balance's CSV to the
decimals shown.

usage: check_report_pdf.py QEN_CLI SMALL_NETWORK LARGE_NETWORK WORKDIR"""
import csv
import os
import re
import shutil
import subprocess
import sys

if not shutil.which("pdftotext"):
    print("pdftotext (poppler-utils) is not installed")
    sys.exit(77)

cli, small, large, work = sys.argv[1:5]
shutil.rmtree(work, ignore_errors=True)
os.makedirs(work)
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)


def pages_of(pdf):
    text = subprocess.run(["pdftotext", "-layout", pdf, "-"], capture_output=True, text=True).stdout
    return text.split("\f")[:-1]


def numbered(pages, name):
    for i, page in enumerate(pages, 1):
        check(f"第 {i} 页 / 共 {len(pages)} 页" in page, f"{name}: page {i} has no number")


env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
out = os.path.join(work, "town.pdf")
r = subprocess.run([cli, "report", small, out, "--title", "示例城镇"], capture_output=True, text=True, env=env)
check(r.returncode == 0, f"town report exit {r.returncode}: {r.stderr}")
pages = pages_of(out)
numbered(pages, "town")
first = pages[0]
for text in ("管网平差计算书", "示例城镇", "计算参数", "工况汇总: 最高时", "工况汇总: 消防时", "工况汇总: 事故时",
             "总用水量 (l/s)", "149.00"):
    check(text in first, f"front page lacks {text}")
maps = [p for p in pages if "管网平差图" in p]
check(len(maps) == 1, f"{len(maps)} map pages")
if maps:
    for text in ("节点自由水头 (mH2O)", "管道流速 (m/s)", "比例尺 1:", "工程名称", "示例城镇", "N"):
        check(text in maps[0], f"map page lacks {text}")
    check("编号" not in maps[0], "the map page holds a table")
for heading in ("节点-最高时", "管道-最高时", "水泵-最高时", "阀门-最高时", "水池-最高时", "管道-事故时"):
    check(any(heading in p for p in pages), f"no table {heading}")

# Pipe flows of the peak hour against balance's CSV, to the two decimals shown.
links_csv = os.path.join(work, "links.csv")
subprocess.run([cli, "balance", small, "--case", "peak", "--links-csv", links_csv], capture_output=True)
flows = {rec["id"]: float(rec["flow_m3s"]) * 1000 for rec in csv.DictReader(open(links_csv, encoding="utf-8"))}
pipe_page = next(p for p in pages if "管道-最高时" in p)
seen = 0
for line in pipe_page.splitlines():
    fields = line.split()
    if len(fields) == 10 and fields[0] in flows:
        seen += 1
        shown = float(fields[6])
        check(abs(shown - flows[fields[0]]) <= 0.005 + 1e-9, f"pipe {fields[0]} flow {shown} against {flows[fields[0]]}")
check(seen >= 50, f"only {seen} pipe rows read")

# A table longer than a page repeats its column titles on every page.
out = os.path.join(work, "large.pdf")
r = subprocess.run([cli, "report", large, out, "--cases", "peak"], capture_output=True, text=True, env=env)
check(r.returncode == 0, f"large report exit {r.returncode}: {r.stderr}")
pages = pages_of(out)
numbered(pages, "large")
table_pages = [p for p in pages if "计算参数" not in p and "管网平差图" not in p and "工况汇总" not in p]
check(len(table_pages) >= 10, f"only {len(table_pages)} table pages")
node_pages = [p for p in table_pages if "节点水量" in p]
check(len(node_pages) >= 3, f"the node table spans {len(node_pages)} pages")
for i, p in enumerate(table_pages):
    check("编号" in p and ("节点水量" in p or "起始节点" in p), f"table page {i} without its column titles")

for f in failures:
    print("FAIL:", f)
sys.exit(1 if failures else 0)
