#!/usr/bin/env python3
"""Compares `qen-cli simulate` results with EPANET 2.2's at every report time: node heads (tank
levels are their outlet heads) within a tolerance and the same link statuses. Identifiers compare
upper-cased (as QEN reads them); a pipe QEN gave a valve of its own in front (ID_V) is closed when
either is.

usage: compare_eps.py EPANET_NODES.csv EPANET_LINKS.csv QEN_NODES.csv QEN_LINKS.csv TOLERANCE_M [DEMAND_TOL_M3S]
With DEMAND_TOL_M3S the node demands (delivered demand, a source's supply, a tank's net inflow)
are compared too. Prints the largest differences; exit 0 when within the tolerances and every
status agrees."""
import csv
import sys


def read(path):
    with open(path, encoding='utf-8') as f:
        return list(csv.DictReader(f))


def main(argv):
    e_nodes, e_links, q_nodes, q_links = (read(p) for p in argv[1:5])
    tol = float(argv[5])
    demand_tol = float(argv[6]) if len(argv) > 6 else None
    heads = {(int(r['time_s']), r['id']): r['head_m'] for r in q_nodes}
    demands = {(int(r['time_s']), r['id']): float(r['demand_m3s']) for r in q_nodes}
    worst_demand = (0.0, None, None)
    status = {(int(r['time_s']), r['id']): r['status'] for r in q_links}
    worst = (0.0, None, None)
    compared = 0
    problems = []
    for r in e_nodes:
        key = (int(r['time_s']), r['id'].upper())
        h = heads.get(key)
        if h is None or h == '':
            problems.append(f'no head for node {r["id"]} at {key[0]} s')
            continue
        compared += 1
        d = abs(float(h) - float(r['head_m']))
        if d > worst[0]:
            worst = (d, r['id'], key[0])
        if demand_tol is not None:
            dd = abs(demands[key] - float(r['demand_m3s']))
            if dd > worst_demand[0]:
                worst_demand = (dd, r['id'], key[0])
    statuses = 0
    for r in e_links:
        t, link = int(r['time_s']), r['id'].upper()
        s = status.get((t, link))
        if s is None:
            problems.append(f'no status for link {r["id"]} at {t} s')
            continue
        qen_open = s == 'open' and status.get((t, link + '_V'), 'open') == 'open'
        statuses += 1
        if qen_open != (r['status'] == '1'):
            problems.append(f'link {r["id"]} at {t} s: EPANET {"open" if r["status"] == "1" else "closed"}, '
                            f'QEN {"open" if qen_open else "closed"}')
    print(f'compared {compared} heads and {statuses} statuses; largest head difference {worst[0]:.6f} m '
          f'at node {worst[1]}, {worst[2]} s')
    ok = compared and not problems and worst[0] <= tol
    if demand_tol is not None:
        print(f'largest demand difference {worst_demand[0]:.3e} m3/s at node {worst_demand[1]}, {worst_demand[2]} s')
        ok = ok and worst_demand[0] <= demand_tol
    for p in problems[:20]:
        print(p)
    return 0 if ok else 1


if __name__ == '__main__':
    sys.exit(main(sys.argv))
