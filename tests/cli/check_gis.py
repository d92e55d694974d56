#!/usr/bin/env python3
"""qen-cli's GIS commands checked through an independent reader (python3-gdal's ogr and gdal).

usage: check_gis.py QEN_CLI SOURCE_DIR OUT_DIR CASE
  export FMT      town (pipes, pumps, valves, a tank) exported balanced to FMT (gpkg, shp, geojson):
                  layer and feature counts, geometry on its nodes, values equal to the balance CSV
  roundtrip FMT   KL exported, imported back and exported again: the same nodes, pipes, ends,
                  bend points and values
  utility         KL as a utility keeps it (its names and units, multi-lines, numbers as text, a
                  projected system), made here, imported and balanced: heads within 0.001 m of KL's
  dem             elevations from GeoTIFFs made here (a plane, a bilinear surface, a no-data hole)
                  agree to 1e-6 m; nodes outside or on no-data listed and unchanged
  bad             makes the broken inputs the cli_gis_bad_* tests read
Exit 0 when the case holds, 1 otherwise, 77 when python3-gdal is missing."""
import csv
import math
import os
import subprocess
import sys

try:
    from osgeo import gdal, ogr, osr
except ImportError:
    print('python3-gdal is not installed')
    sys.exit(77)
gdal.UseExceptions()

CLI, SRC, OUT = sys.argv[1], sys.argv[2], sys.argv[3]
NETS = os.path.join(SRC, 'tests', 'data', 'networks')
TOWN = os.path.join(SRC, 'examples', 'town.wnp')
failures = []


def fail(text):
    failures.append(text)
    print('FAIL:', text)


def run(*args, status=0):
    p = subprocess.run([CLI] + [str(a) for a in args], capture_output=True, text=True)
    if p.returncode != status:
        raise SystemExit(f'qen-cli {" ".join(map(str, args))}: status {p.returncode}\n{p.stdout}\n{p.stderr}')
    return p.stdout


def close(a, b, tol=1e-9):
    return abs(a - b) <= tol * max(1.0, abs(a), abs(b))


def layer_files(base, fmt):
    """The files an export named base.fmt reads back as {layer: (datasource, layer index)}."""
    if fmt == 'gpkg':
        ds = ogr.Open(base + '.gpkg')
        return ds, {ds.GetLayer(i).GetName(): ds.GetLayer(i) for i in range(ds.GetLayerCount())}
    keep, layers = [], {}
    for kind in ('nodes', 'pipes', 'pumps', 'valves', 'tanks'):
        ds = ogr.Open(f'{base}_{kind}.{fmt}')
        keep.append(ds)
        layers[kind] = ds.GetLayer(0)
    return keep, layers


def field(feature, name):
    """A value by the name QEN writes; shapefiles cut names to ten characters."""
    defn = feature.GetDefnRef()
    for i in range(defn.GetFieldCount()):
        n = defn.GetFieldDefn(i).GetName()
        if n.lower() == name.lower() or n.lower() == name[:10].lower():
            return feature.GetField(i)
    raise KeyError(name)


def rows(path):
    with open(path, encoding='utf-8') as f:
        return list(csv.DictReader(f))


def case_export(fmt):
    base = os.path.join(OUT, f'town-export-{fmt}')
    info = run('info', TOWN)
    counts = {k: int(line.split()[-1]) for line in info.splitlines() for k in ('pipes', 'pumps', 'valves', 'tanks')
              if line.startswith(k + ':')}
    nodes = int([line for line in info.splitlines() if line.startswith('nodes:')][0].split()[-1])
    run('balance', TOWN, '--nodes-csv', base + '-nodes.csv', '--links-csv', base + '-links.csv')
    out = run('export-gis', TOWN, f'{base}.{fmt}', '--balance')
    keep, layers = layer_files(base, fmt)
    want = {'nodes': nodes, **counts}   # info counts the hidden ones apart
    for kind, n in want.items():
        got = layers[kind].GetFeatureCount()
        if got != n:
            fail(f'{fmt} {kind}: {got} features, QEN has {n}')
    heads = {r['id']: r for r in rows(base + '-nodes.csv')}
    flows = {r['id']: r for r in rows(base + '-links.csv')}
    points = {}
    for f in layers['nodes']:
        nid = field(f, 'Id')
        g = f.GetGeometryRef()
        points[nid] = (g.GetX(), g.GetY())
        if not (close(g.GetX(), field(f, 'X')) and close(g.GetY(), field(f, 'Y'))):
            fail(f'{fmt} node {nid}: point {g.GetX()},{g.GetY()} is not at its X, Y')
        r = heads.get(nid)
        if r and r['head_m']:
            if not close(field(f, 'NodeHydrElev'), float(r['head_m']), 1e-9):
                fail(f'{fmt} node {nid}: head {field(f, "NodeHydrElev")}, balance says {r["head_m"]}')
            if not close(field(f, 'FreeHead_m'), float(r['free_head_m']), 1e-9):
                fail(f'{fmt} node {nid}: free head {field(f, "FreeHead_m")}, balance says {r["free_head_m"]}')
    for kind in ('pipes', 'pumps', 'valves'):
        for f in layers[kind]:
            lid = field(f, 'Id')
            g = f.GetGeometryRef()
            a, b = points[field(f, 'StartNode')], points[field(f, 'EndNode')]
            ends = (g.GetX(0), g.GetY(0)), (g.GetX(g.GetPointCount() - 1), g.GetY(g.GetPointCount() - 1))
            if not all(close(p[i], q[i]) for p, q in ((ends[0], a), (ends[1], b)) for i in (0, 1)):
                fail(f'{fmt} {kind} {lid}: line ends {ends} are not its nodes {a} {b}')
            if kind == 'pipes' and not close(field(f, 'Flow_m3s'), float(flows[lid]['flow_m3s']), 1e-9):
                fail(f'{fmt} pipe {lid}: flow {field(f, "Flow_m3s")}, balance says {flows[lid]["flow_m3s"]}')
    for f in layers['tanks']:
        if f.GetGeometryRef().GetGeometryName() != 'POINT':
            fail(f'{fmt} tank {field(f, "Id")}: not a point')
    if 'results: written' not in out:
        fail(f'{fmt}: results not reported as written:\n{out}')


def snapshot(base, fmt):
    """Nodes and pipes of an export, by identifier, with every value and the geometry."""
    keep, layers = layer_files(base, fmt)
    result = {}
    for kind in ('nodes', 'pipes'):
        items = {}
        for f in layers[kind]:
            values = {f.GetFieldDefnRef(i).GetName(): f.GetField(i) for i in range(f.GetFieldCount())}
            g = f.GetGeometryRef()
            values['geometry'] = [(g.GetX(i), g.GetY(i)) for i in range(max(1, g.GetPointCount()))]
            items[values['Id']] = values
        result[kind] = items
    return result


def case_roundtrip(fmt):
    base = os.path.join(OUT, f'kl-{fmt}')
    run('export-gis', os.path.join(NETS, 'KL.txt'), f'{base}.{fmt}')
    source = f'{base}.{fmt}' if fmt == 'gpkg' else f'{base}_pipes.{fmt}'
    out = run('import-gis', source, base + '-back.wnp')
    if 'pipes added: 1274' not in out or 'points joined: 936' not in out:
        fail(f'{fmt}: import-gis said\n{out}')
    run('export-gis', base + '-back.wnp', f'{base}-again.{fmt}')
    first, again = snapshot(base, fmt), snapshot(base + '-again', fmt)
    for kind in ('nodes', 'pipes'):
        if set(first[kind]) != set(again[kind]):
            fail(f'{fmt} {kind}: identifiers differ, e.g. {sorted(set(first[kind]) ^ set(again[kind]))[:5]}')
            continue
        bad = 0
        for oid, values in first[kind].items():
            other = again[kind][oid]
            for name, v in values.items():
                w = other.get(name)
                same = (v == w if not isinstance(v, float) else w is not None and close(v, w, 1e-12)) \
                    if name != 'geometry' else len(v) == len(w) and all(close(p[i], q[i]) for p, q in zip(v, w)
                                                                           for i in (0, 1))
                if not same:
                    bad += 1
                    if bad <= 5:
                        fail(f'{fmt} {kind} {oid} {name}: {v} exported, {w} after the round trip')
    print(f'{fmt}: {len(first["nodes"])} nodes, {len(first["pipes"])} pipes compared')


def case_utility():
    # KL as QEN holds it, rewritten as a utility keeps its mains: its own names and units, multi-lines,
    # numbers as text, a projected system.
    net = os.path.join(NETS, 'KL.txt')
    qen = os.path.join(OUT, 'kl-qen.gpkg')
    run('export-gis', net, qen)
    src = ogr.Open(qen)
    path = os.path.join(OUT, 'kl-utility.gpkg')
    if os.path.exists(path):
        os.remove(path)
    ds = ogr.GetDriverByName('GPKG').CreateDataSource(path)
    srs = osr.SpatialReference()
    srs.ImportFromEPSG(32650)
    mains = ds.CreateLayer('WaterMains', srs, ogr.wkbMultiLineString)
    for name, kind in (('FACILITYID', ogr.OFTString), ('DN', ogr.OFTReal), ('LENGTH', ogr.OFTReal),
                       ('C', ogr.OFTString)):
        mains.CreateField(ogr.FieldDefn(name, kind))
    for p in src.GetLayerByName('pipes'):
        f = ogr.Feature(mains.GetLayerDefn())
        f.SetField('FACILITYID', p.GetField('Id'))
        f.SetField('DN', p.GetField('PipeDiam') * 1000.0)
        f.SetField('LENGTH', p.GetField('PipeLength'))
        f.SetField('C', repr(p.GetField('PipeRougCeof')))
        m = ogr.Geometry(ogr.wkbMultiLineString)
        m.AddGeometry(p.GetGeometryRef())
        f.SetGeometry(m)
        mains.CreateFeature(f)
    points = ds.CreateLayer('Junctions', srs, ogr.wkbPoint)
    for name, kind in (('ID', ogr.OFTString), ('ELEV', ogr.OFTReal), ('DEMAND', ogr.OFTReal),
                       ('HEAD', ogr.OFTReal)):
        points.CreateField(ogr.FieldDefn(name, kind))
    for n in src.GetLayerByName('nodes'):
        f = ogr.Feature(points.GetLayerDefn())
        f.SetField('ID', n.GetField('Id'))
        f.SetField('ELEV', n.GetField('NodeGrunElev'))
        f.SetField('DEMAND', n.GetField('NodeFlow') * 1000.0)
        if n.GetField('NodeType') == 1:
            f.SetField('HEAD', n.GetField('NodeHydrElev'))
        f.SetGeometry(n.GetGeometryRef())
        points.CreateFeature(f)
    ds = src = None
    run('balance', net, '--nodes-csv', os.path.join(OUT, 'kl-original.csv'))
    out = run('import-gis', path, os.path.join(OUT, 'kl-utility.wnp'))
    for wanted in ('DN (default)', 'LENGTH (default)', 'C (default)', 'ELEV (default)', 'DEMAND (default)',
                   'HEAD (default)', 'points joined: 936', 'EPSG:32650'):
        if wanted not in out:
            fail(f'utility import report lacks "{wanted}":\n{out}')
    run('balance', os.path.join(OUT, 'kl-utility.wnp'), '--nodes-csv', os.path.join(OUT, 'kl-utility.csv'))
    ref = {r['id']: float(r['head_m']) for r in rows(os.path.join(OUT, 'kl-original.csv')) if r['head_m']}
    got = {r['id']: float(r['head_m']) for r in rows(os.path.join(OUT, 'kl-utility.csv')) if r['head_m']}
    if set(ref) != set(got):
        fail(f'utility: nodes differ, e.g. {sorted(set(ref) ^ set(got))[:5]}')
    common = [k for k in got if k in ref]
    worst = max(common, key=lambda k: abs(ref[k] - got[k]))
    print(f'utility: {len(common)} heads, largest difference {abs(ref[worst] - got[worst]):.6f} m at {worst}')
    if abs(ref[worst] - got[worst]) > 0.001:
        fail(f'utility: head of {worst} {got[worst]} m, the original balances to {ref[worst]} m')


def make_raster(path, origin, size, cell, z, nodata_at=None, srs_epsg=32650):
    drv = gdal.GetDriverByName('GTiff')
    ds = drv.Create(path, size[0], size[1], 1, gdal.GDT_Float64)
    ds.SetGeoTransform((origin[0], cell, 0, origin[1], 0, -cell))
    if srs_epsg:
        srs = osr.SpatialReference()
        srs.ImportFromEPSG(srs_epsg)
        ds.SetProjection(srs.ExportToWkt())
    band = ds.GetRasterBand(1)
    band.SetNoDataValue(-9999.0)
    rows_ = []
    for j in range(size[1]):
        y = origin[1] - (j + 0.5) * cell
        rows_.append([z(origin[0] + (i + 0.5) * cell, y) for i in range(size[0])])
    if nodata_at:
        i = int((nodata_at[0] - origin[0]) / cell)
        j = int((origin[1] - nodata_at[1]) / cell)
        rows_[j][i] = -9999.0
    import struct
    for j, r in enumerate(rows_):
        band.WriteRaster(0, j, size[0], 1, struct.pack(f'{size[0]}d', *r))
    ds = None


def case_dem():
    # The town's nodes, with the raster over all but the easternmost; one node on a no-data pixel.
    base = os.path.join(OUT, 'dem-town')
    run('export-gis', TOWN, base + '.gpkg')
    ds = ogr.Open(base + '.gpkg')
    nodes = {f.GetField('Id'): (f.GetField('X'), f.GetField('Y')) for f in ds.GetLayerByName('nodes')}
    ds = None
    xs = sorted(p[0] for p in nodes.values())
    ys = sorted(p[1] for p in nodes.values())
    east = max(nodes, key=lambda k: nodes[k][0])
    cell = 7.0
    origin = (xs[0] - 20.0, ys[-1] + 20.0)
    width = int((xs[-2] + (xs[-1] - xs[-2]) / 2 - origin[0]) / cell)
    height = int((origin[1] - ys[0]) / cell) + 5
    hole = sorted(nodes)[3]
    surfaces = {
        'plane': lambda x, y: 50.0 + 0.012 * (x - origin[0]) - 0.007 * (origin[1] - y),
        'bilinear': lambda x, y: 80.0 + 0.02 * (x - origin[0]) + 0.01 * (origin[1] - y)
        + 1e-5 * (x - origin[0]) * (origin[1] - y),
    }
    for name, z in surfaces.items():
        tif = f'{base}-{name}.tif'
        make_raster(tif, origin, (width, height), cell, z, nodata_at=nodes[hole])
        out = run('elevations', TOWN, tif, '--save', f'{base}-{name}.wnp')
        run('export-gis', f'{base}-{name}.wnp', f'{base}-{name}.gpkg')
        ds_before, ds_after = ogr.Open(base + '.gpkg'), ogr.Open(f'{base}-{name}.gpkg')
        before = {f.GetField('Id'): f.GetField('NodeGrunElev') for f in ds_before.GetLayerByName('nodes')}
        after = {f.GetField('Id'): f.GetField('NodeGrunElev') for f in ds_after.GetLayerByName('nodes')}
        ds_before = ds_after = None
        # The pixel holding the hole spoils the nodes whose four centres include it: only those may be listed.
        worst = 0.0
        for nid, (x, y) in nodes.items():
            if nid in (east, hole):
                continue
            if nid in out.split('on no-data')[-1]:
                continue
            worst = max(worst, abs(after[nid] - z(x, y)))
        print(f'dem {name}: largest difference {worst:.2e} m')
        if worst > 1e-6:
            fail(f'dem {name}: elevations differ from the surface by {worst} m')
        for nid, what in ((east, 'outside the raster'), (hole, 'on no-data')):
            if after[nid] != before[nid]:
                fail(f'dem {name}: {nid} changed though {what}')
            section = out.split(what)[-1].split('\n\n')[0] if what in out else ''
            if nid not in section.split():
                fail(f'dem {name}: {nid} not listed as {what}:\n{out}')
    # Only missing elevations: every town node has one, so none changes.
    out = run('elevations', TOWN, f'{base}-plane.tif', '--save', f'{base}-none.wnp', '--only-missing')
    if 'elevations changed: 0' not in out:
        fail(f'--only-missing changed elevations:\n{out}')


def case_bad():
    d = os.path.join(OUT, 'gis-bad')
    os.makedirs(d, exist_ok=True)

    def layer(path, geoms, fields, kind=ogr.wkbLineString):
        if os.path.exists(path):
            os.remove(path)
        ds = ogr.GetDriverByName('GPKG').CreateDataSource(path)
        srs = osr.SpatialReference()
        srs.ImportFromEPSG(32650)
        lyr = ds.CreateLayer('mains', srs, kind)
        for name in fields[0] if fields else []:
            lyr.CreateField(ogr.FieldDefn(name, ogr.OFTString))
        for i, g in enumerate(geoms):
            f = ogr.Feature(lyr.GetLayerDefn())
            if g is not None:
                f.SetGeometry(ogr.CreateGeometryFromWkt(g))
            for name, v in (fields[i + 1] if fields else {}).items():
                f.SetField(name, v)
            lyr.CreateFeature(f)
        ds = None

    good = ['LINESTRING (0 0,100 0)', 'LINESTRING (100 0,100 100)']
    layer(os.path.join(d, 'text-number.gpkg'), good, [['DN'], {'DN': '200'}, {'DN': 'abc'}])
    layer(os.path.join(d, 'empty-geometry.gpkg'), good + [None], [])
    layer(os.path.join(d, 'nan-geometry.gpkg'), good + ['LINESTRING (0 0,1e300 5)'], [])
    ds = ogr.Open(os.path.join(d, 'nan-geometry.gpkg'), 1)
    lyr = ds.GetLayer(0)
    f = lyr.GetFeature(3)
    g = ogr.Geometry(ogr.wkbLineString)
    g.AddPoint_2D(0.0, 0.0)
    g.AddPoint_2D(float('nan'), 5.0)
    f.SetGeometry(g)
    lyr.SetFeature(f)
    ds = None
    layer(os.path.join(d, 'good.gpkg'), good, [['DN'], {'DN': '200'}, {'DN': '300'}])
    geo = os.path.join(d, 'degrees.geojson')
    with open(geo, 'w') as f:
        f.write('{"type":"FeatureCollection","features":[{"type":"Feature","properties":{},"geometry":'
                '{"type":"LineString","coordinates":[[117.0,39.0],[117.001,39.0]]}}]}')
    with open(os.path.join(d, 'unreadable.gpkg'), 'w') as f:
        f.write('this is no GeoPackage\n')
    make_raster(os.path.join(d, 'no-crs.tif'), (0, 100), (10, 10), 10, lambda x, y: 1.0, srs_epsg=None)


def main():
    case = sys.argv[4]
    arg = sys.argv[5] if len(sys.argv) > 5 else None
    {'export': lambda: case_export(arg), 'roundtrip': lambda: case_roundtrip(arg), 'utility': case_utility,
     'dem': case_dem, 'bad': case_bad}[case]()
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
