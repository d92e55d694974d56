#!/usr/bin/python3
"""qen-cli report read back by an independent reader (openpyxl): the sheets, numbers typed as
numbers with a format of their decimals, frozen title rows, columns as wide as their titles, and
the values equal to qen-cli balance's CSV files to the decimals shown; then the bad inputs: a
network without a known head still gets a report that says so, a title outside GBK and an
unwritable target leave nothing behind.

usage: check_report_xlsx.py QEN_CLI NETWORK NO_HEAD_NETWORK WORKDIR"""
import csv
import os
import shutil
import stat
import subprocess
import sys

try:
    import openpyxl
except ImportError:
    print("python3-openpyxl is not installed")
    sys.exit(77)

cli, network, no_head, work = sys.argv[1:5]
shutil.rmtree(work, ignore_errors=True)
os.makedirs(work)
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)


def run(*args):
    return subprocess.run([cli, *args], capture_output=True, text=True)


def width(text):
    return sum(2 if ord(ch) > 0x2E7F else 1 for ch in text)


def decimals(fmt):
    if fmt == "0":
        return 0
    if fmt.startswith("0.") and set(fmt[2:]) == {"0"}:
        return len(fmt) - 2
    return None


def rows_by_id(ws):
    rows = list(ws.iter_rows())
    return [c.value for c in rows[0]], {r[0].value: r for r in rows[1:]}


def near(cell, expected, factor, name):
    d = decimals(cell.number_format)
    check(cell.data_type == "n" and isinstance(cell.value, (int, float)), f"{name}: not a number: {cell.value!r}")
    check(d is not None, f"{name}: number format {cell.number_format!r} shows no fixed decimals")
    if d is None or not isinstance(cell.value, (int, float)):
        return
    check(round(cell.value, d) == round(expected * factor, d) or abs(cell.value - expected * factor) < 0.5 * 10**-d,
          f"{name}: {cell.value} against {expected * factor} to {d} decimals")


out = os.path.join(work, "town.xlsx")
r = run("report", network, out, "--title", "示例城镇 给水工程")
check(r.returncode == 0, f"report exit {r.returncode}: {r.stderr}")
wb = openpyxl.load_workbook(out)
cases = [("peak", "最高时"), ("fire", "消防时"), ("accident", "事故时")]
expected_sheets = ["计算书"] + [f"{t}-{c}" for _, c in cases for t in ("节点", "管道", "水泵", "阀门", "水池")]
check(wb.sheetnames == expected_sheets, f"sheets {wb.sheetnames}")
front = {row[0]: row[1] for row in wb["计算书"].iter_rows(values_only=True) if row[0]}
check(front.get("工程名称") == "示例城镇 给水工程", f"title block {front.get('工程名称')!r}")
check(front.get("计算状态") == "收敛", "summary status")
check(isinstance(front.get("总用水量 (l/s)"), (int, float)), "total demand is a number")

for case, name in cases:
    nodes_csv = os.path.join(work, f"{case}-nodes.csv")
    links_csv = os.path.join(work, f"{case}-links.csv")
    r = run("balance", network, "--case", case, "--nodes-csv", nodes_csv, "--links-csv", links_csv)
    check(r.returncode == 0, f"balance {case}: {r.returncode}")
    ws = wb[f"节点-{name}"]
    check(ws.freeze_panes == "B2", f"{ws.title}: frozen at {ws.freeze_panes}")
    titles, rows = rows_by_id(ws)
    check(titles == ["编号", "地面标高 (m)", "节点水量 (l/s)", "绝对水头 (mH2O)", "自由水头 (mH2O)"], f"{titles}")
    for col, title in enumerate(titles):
        letter = openpyxl.utils.get_column_letter(col + 1)
        check(ws.column_dimensions[letter].width >= width(title), f"{ws.title}: column {title} too narrow")
    seen = 0
    for rec in csv.DictReader(open(nodes_csv, encoding="utf-8")):
        row = rows.get(rec["id"])
        if row is None:   # tanks' inside nodes are not listed
            continue
        seen += 1
        near(row[2], float(rec["demand_m3s"]), 1000.0, f"{name} node {rec['id']} demand")
        near(row[3], float(rec["head_m"]), 1.0, f"{name} node {rec['id']} head")
        near(row[4], float(rec["free_head_m"]), 1.0, f"{name} node {rec['id']} free head")
    check(seen == len(rows), f"{name}: {seen} nodes of the CSV in a table of {len(rows)}")

    titles, pipes = rows_by_id(wb[f"管道-{name}"])
    check(titles[6] == "流量 (l/s)" and titles[9] == "压降 (mH2O)", f"pipe titles {titles}")
    links = {rec["id"]: rec for rec in csv.DictReader(open(links_csv, encoding="utf-8"))}
    for pid, row in pipes.items():
        near(row[6], float(links[pid]["flow_m3s"]), 1000.0, f"{name} pipe {pid} flow")
        near(row[9], float(links[pid]["headloss_m"]), 1.0, f"{name} pipe {pid} head loss")
    check(len(pipes) == sum(1 for l in links.values() if l["kind"] == "PIPE"), f"{name}: pipe count")
    _, pumps = rows_by_id(wb[f"水泵-{name}"])
    for pid, row in pumps.items():
        near(row[3], float(links[pid]["flow_m3s"]), 1000.0, f"{name} pump {pid} flow")
        check(row[4].value > 0, f"{name} pump {pid} lifts {row[4].value}")

# A network without a known head: the report says so and lists the data without results.
out = os.path.join(work, "no-head.xlsx")
r = run("report", no_head, out)
check(r.returncode == 4, f"no-head exit {r.returncode}, not balance's 4")
wb = openpyxl.load_workbook(out)
front = {row[0]: row[1] for row in wb["计算书"].iter_rows(values_only=True) if row[0]}
check("没有足够的已知水压节点" in str(front.get("计算状态")), f"no-head status {front.get('计算状态')!r}")
_, rows = rows_by_id(wb["节点-最高时"])
check(sorted(rows) == ["J1", "J2", "J3"], f"no-head nodes {sorted(rows)}")
check(rows["J2"][2].value == 5 and rows["J2"][3].value is None, "no-head: demand listed, no head")

# A title GBK cannot hold, and targets that cannot be written: clear message, nothing written.
out = os.path.join(work, "emoji.xlsx")
r = run("report", network, out, "--title", "水厂 \U0001F600")
check(r.returncode == 1 and "GBK" in r.stderr and not os.path.exists(out), f"emoji title: {r.returncode} {r.stderr}")
out = os.path.join(work, "no-such-dir", "x.xlsx")
r = run("report", network, out)
check(r.returncode == 2 and "no-such-dir" in r.stderr, f"missing folder: {r.returncode} {r.stderr}")
locked = os.path.join(work, "locked.xlsx")
with open(locked, "w") as f:
    f.write("old")
os.chmod(locked, stat.S_IRUSR)
r = run("report", network, locked)
if os.geteuid() != 0:
    check(r.returncode == 2 and open(locked).read() == "old", f"read-only target: {r.returncode}")
check(not [f for f in os.listdir(work) if "qen-save" in f], f"left-overs {os.listdir(work)}")
r = run("report", network, os.path.join(work, "x.csv"))
check(r.returncode == 1 and "xlsx" in r.stderr, f"csv target: {r.returncode}")
r = run("report", network, os.path.join(work, "y.xlsx"), "--cases", "peak,flood")
check(r.returncode == 1 and "flood" in r.stderr, f"unknown case: {r.returncode}")

for f in failures:
    print("FAIL:", f)
sys.exit(1 if failures else 0)
