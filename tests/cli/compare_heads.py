#!/usr/bin/env python3
"""Compares the node heads (and optionally the delivered demands) of `qen-cli balance --nodes-csv`
with EPANET's results for the same .inp, through the identifier map the import wrote.

usage: compare_heads.py EPANET_NODES.csv QEN_NODES.csv IDMAP.csv TOLERANCE_M [--demand TOL_M3S [--relative R]]
A delivered demand passes within TOL_M3S, or (with --relative) within R times EPANET's.
Prints the largest differences; exit 0 when within the tolerances, 1 otherwise."""
import csv
import sys


def main(argv):
    args = argv[1:]
    demand_tol = None
    relative = 0.0
    if '--relative' in args:
        i = args.index('--relative')
        relative = float(args[i + 1])
        del args[i:i + 2]
    if '--demand' in args:
        i = args.index('--demand')
        demand_tol = float(args[i + 1])
        del args[i:i + 2]
    epanet_path, qen_path, idmap_path, tol = args[0], args[1], args[2], float(args[3])
    qen_id = {}
    junctions = set()
    with open(idmap_path, encoding='utf-8') as f:
        for row in csv.DictReader(f):
            if row['kind'] == 'node':
                qen_id[row['epanet_id']] = row['qen_id']
                if row['object'] == 'junction':
                    junctions.add(row['epanet_id'])
    qen = {}
    with open(qen_path, encoding='utf-8') as f:
        for row in csv.DictReader(f):
            qen[row['id']] = row
    worst = (0.0, None)
    worst_demand = (0.0, None)
    compared = 0
    missing = []
    with open(epanet_path, encoding='utf-8') as f:
        for row in csv.DictReader(f):
            node = qen.get(qen_id.get(row['id'], row['id']))
            if node is None or node['head_m'] == '':
                missing.append(row['id'])
                continue
            compared += 1
            d = abs(float(node['head_m']) - float(row['head_m']))
            if d > worst[0]:
                worst = (d, row['id'])
            if demand_tol is not None and row['id'] in junctions:
                reference = float(row['demand_m3s'])
                dd = abs(float(node['demand_m3s']) - reference)
                if dd <= relative * abs(reference):
                    dd = 0.0
                if dd > worst_demand[0]:
                    worst_demand = (dd, row['id'])
    print(f'compared {compared} nodes; largest head difference {worst[0]:.6f} m at {worst[1]}')
    ok = compared > 0 and not missing and worst[0] <= tol
    if missing:
        print(f'{len(missing)} nodes without a head in QEN\'s results, first {missing[0]}')
    if demand_tol is not None:
        print(f'largest delivered demand difference beyond the tolerances {worst_demand[0]:.3e} m3/s at {worst_demand[1]}')
        ok = ok and worst_demand[0] <= demand_tol
    return 0 if ok else 1


if __name__ == '__main__':
    sys.exit(main(sys.argv))
