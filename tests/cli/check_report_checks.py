#!/usr/bin/python3
"""qen-cli report --simulate --fireflow --criticality read back by openpyxl: the simulation's and
the design checks' sheets, numbers typed as numbers, and their values equal to those of qen-cli
simulate, fireflow and criticality to the decimals shown; then the same report as a PDF, whose
text (pdftotext) carries the new sections.

usage: check_report_checks.py QEN_CLI EPANET_FILE WORKDIR [--pdf]"""
import csv
import os
import shutil
import subprocess
import sys
from collections import defaultdict

try:
    import openpyxl
except ImportError:
    print("python3-openpyxl is not installed")
    sys.exit(77)

cli, inp, work = sys.argv[1:4]
shutil.rmtree(work, ignore_errors=True)
os.makedirs(work)
failures = []
FACTORS = {"l/s": 1000.0, "m3/s": 1.0, "m3/h": 3600.0, "m3/d": 86400.0, "mH2O": 1.0, "m": 1.0}


def check(ok, what):
    if not ok:
        failures.append(what)


def run(*args):
    return subprocess.run([cli, *args], capture_output=True, text=True, env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))


def decimals(fmt):
    if fmt == "0":
        return 0
    if fmt.startswith("0.") and set(fmt[2:]) == {"0"}:
        return len(fmt) - 2
    return None


def unit_of(title):
    return FACTORS[title[title.rindex("(") + 1:-1]]


def near(cell, expected, name):
    d = decimals(cell.number_format)
    ok = cell.data_type == "n" and isinstance(cell.value, (int, float)) and d is not None
    check(ok, f"{name}: not a number with fixed decimals: {cell.value!r} {cell.number_format!r}")
    if ok:
        check(abs(cell.value - expected) <= 0.5 * 10**-d + 1e-9, f"{name}: {cell.value} against {expected} to {d} decimals")


def seconds(clock):
    h, m, s = clock.split(":")
    return int(h) * 3600 + int(m) * 60 + int(s)


def sheet(wb, name):
    rows = list(wb[name].iter_rows())
    return [c.value for c in rows[0]], rows[1:]


net = os.path.join(work, "base.wnp")
r = run("import-inp", inp, net)
check(r.returncode == 0, f"import-inp: {r.returncode} {r.stderr}")
out = os.path.join(work, "checks.xlsx")
r = run("report", net, out, "--simulate", "--fireflow", "--criticality")
check(r.returncode == 0, f"report exit {r.returncode}: {r.stderr}")
wb = openpyxl.load_workbook(out)
for name in ("延时模拟-节点", "延时模拟-水池", "延时模拟-水泵", "消防校核", "管道失效校核"):
    check(name in wb.sheetnames, f"no sheet {name} in {wb.sheetnames}")
front = {row[0]: row[1] for row in wb["计算书"].iter_rows(values_only=True) if row[0]}
for caption in ("延时模拟", "消防校核", "管道失效校核", "报告时刻数", "水泵电耗合计 (kWh)", "最低自由水头节点"):
    check(caption in front, f"front sheet has no {caption}")

# The simulation: each node's lowest and highest free head over the report times.
nodes_csv, links_csv = os.path.join(work, "nodes.csv"), os.path.join(work, "links.csv")
r = run("simulate", net, "--nodes-csv", nodes_csv, "--links-csv", links_csv, "--energy")
check(r.returncode == 0, f"simulate: {r.returncode} {r.stderr}")
free = defaultdict(dict)
head = defaultdict(dict)
for rec in csv.DictReader(open(nodes_csv, encoding="utf-8")):
    if rec["free_head_m"]:
        free[rec["id"]][int(rec["time_s"])] = float(rec["free_head_m"])
        head[rec["id"]][int(rec["time_s"])] = float(rec["head_m"])
titles, rows = sheet(wb, "延时模拟-节点")
factor = unit_of(titles[1])
check(len(rows) > 0, "no nodes in the simulation sheet")
_, tank_rows = sheet(wb, "延时模拟-水池")
start = seconds(tank_rows[0][0].value)   # the clock of the first report time, 0 s into the run
for row in rows:
    nid = row[0].value
    series = free.get(nid)
    check(series is not None, f"node {nid} is not in simulate's CSV")
    if not series:
        continue
    near(row[1], min(series.values()) * factor, f"node {nid} lowest")
    near(row[3], max(series.values()) * factor, f"node {nid} highest")
    t_low = seconds(row[2].value) - start
    t_high = seconds(row[4].value) - start
    check(t_low in series and abs(series[t_low] - min(series.values())) < 1e-4, f"node {nid} lowest at {row[2].value}")
    check(t_high in series and abs(series[t_high] - max(series.values())) < 1e-4, f"node {nid} highest at {row[4].value}")

# Tank levels: the level plus the bottom (40 m in the file) is the head of the outlet node.
titles, _ = sheet(wb, "延时模拟-水池")
check(titles[1].startswith("T1 水位"), f"tank titles {titles}")
times = [seconds(r_[0].value) - start for r_ in tank_rows]
check(times == sorted(free[next(iter(free))]), f"tank times {times}")
levels = [r_[1].value for r_ in tank_rows]
outlets = [n for n, h in head.items()
           if all(t in h and abs(h[t] - (lv + 40.0)) <= 0.006 for t, lv in zip(times, levels))]
check(outlets, f"tank levels {levels} are no node's heads less 40 m")

# Pumps: hours and energy as simulate --energy prints them.
energy = {}
for line in r.stdout.splitlines():
    parts = line.split()
    if len(parts) == 5 and parts[0] == "pump":
        energy[parts[1]] = (float(parts[2]), float(parts[4]))
titles, pump_rows = sheet(wb, "延时模拟-水泵")
check(len(pump_rows) == len(energy) and energy, f"pumps {len(pump_rows)} against {energy}")
for row in pump_rows:
    kwh, hours = energy.get(row[0].value, (None, None))
    if kwh is None:
        check(False, f"pump {row[0].value} not in simulate's energy")
        continue
    near(row[1], hours, f"pump {row[0].value} hours")
    near(row[3], kwh, f"pump {row[0].value} kWh")

# Fire flow and pipe failures against their own commands' CSV files.
fire_csv, crit_csv = os.path.join(work, "fire.csv"), os.path.join(work, "crit.csv")
r = run("fireflow", net, "--csv", fire_csv)
check(r.returncode == 0, f"fireflow: {r.returncode} {r.stderr}")
fire = {rec["id"]: rec for rec in csv.DictReader(open(fire_csv, encoding="utf-8"))}
titles, rows = sheet(wb, "消防校核")
check(len(rows) == len(fire), f"fire rows {len(rows)} against {len(fire)}")
for row in rows:
    rec = fire[row[0].value]
    near(row[1], float(rec["available_m3s"]) * unit_of(titles[1]), f"fire {row[0].value} available")
    if rec["limiting_id"]:
        check(row[2].value == rec["limiting_id"], f"fire {row[0].value} limited by {row[2].value}")
    if rec["limiting_free_head_m"]:
        near(row[3], float(rec["limiting_free_head_m"]) * unit_of(titles[3]), f"fire {row[0].value} limiting head")
r = run("criticality", net, "--csv", crit_csv)
check(r.returncode == 0, f"criticality: {r.returncode} {r.stderr}")
crit = {rec["pipe_id"]: rec for rec in csv.DictReader(open(crit_csv, encoding="utf-8"))}
titles, rows = sheet(wb, "管道失效校核")
check(len(rows) == len(crit), f"failure rows {len(rows)} against {len(crit)}")
for row in rows:
    rec = crit[row[0].value]
    check(row[1].value == int(rec["cut_off"]) and row[2].value == int(rec["nodes_below"]),
          f"pipe {row[0].value}: {row[1].value}, {row[2].value} against {rec}")
    check((row[3].value or "") == rec["worst_id"], f"pipe {row[0].value} worst {row[3].value}")
    if rec["worst_free_head_m"]:
        near(row[4], float(rec["worst_free_head_m"]) * unit_of(titles[4]), f"pipe {row[0].value} worst head")

# The PDF carries the same sections (drawn by the program beside qen-cli).
if "--pdf" in sys.argv[4:] and shutil.which("pdftotext"):
    pdf = os.path.join(work, "checks.pdf")
    r = run("report", net, pdf, "--simulate", "--fireflow", "--criticality")
    check(r.returncode == 0, f"pdf report exit {r.returncode}: {r.stderr}")
    text = subprocess.run(["pdftotext", "-layout", pdf, "-"], capture_output=True, text=True).stdout
    pages = text.split("\f")[:-1]
    for name in ("延时模拟-节点", "延时模拟-水池", "延时模拟-水泵", "消防校核", "管道失效校核", "最低时刻", "可用消防流量"):
        check(name in text, f"PDF has no {name}")
    for i, page in enumerate(pages, 1):
        check(f"第 {i} 页 / 共 {len(pages)} 页" in page, f"PDF page {i} has no number")

for f in failures:
    print("FAIL:", f)
sys.exit(1 if failures else 0)
