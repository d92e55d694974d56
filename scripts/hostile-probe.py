#!/usr/bin/python3
"""Hostile probe of qen-cli and qen: mutated inputs, extreme options, odd targets, inputs that are
not files. Tried as an attacker or a careless user would; run it after changing a reader, a writer
or an option, on a build of the tree:

    scripts/hostile-probe.py [inputs] [mutate] [options] [targets] [qen]     # all when none given

QEN_CLI and QEN name other binaries; PROBE_SEED, PROBE_MUTANTS (per seed file), PROBE_QEN and
PROBE_LIMIT (seconds before a run counts as hung) vary the run. Inputs behind a finding are kept in
the work folder's found/ (printed at the end).

Findings are printed as CLASS  what; a summary at the end.  Classes:
  CRASH    signal, sanitizer report, std::terminate
  HANG     no answer within the limit
  SILENT   exit 0 while the answer is plainly wrong (nan/inf printed, unreadable output, bad value taken)
  LOSS     an input or an existing target changed or vanished on a run that failed or should not touch it
  UNCLEAR  refusal without a message, or a message with raw control bytes, or naming nothing
"""
import hashlib, os, random, re, shutil, stat, subprocess, sys, tempfile, time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
CLI = os.environ.get('QEN_CLI', ROOT + '/build/cli/qen-cli')
QEN = os.environ.get('QEN', ROOT + '/build/app/qen')
BASE = os.environ.get('PROBE_WORK') or tempfile.mkdtemp(prefix='qen-probe-')
WORK = BASE + '/run'
FOUND = BASE + '/found'
LIMIT = float(os.environ.get('PROBE_LIMIT', '30'))
SEED = int(os.environ.get('PROBE_SEED', '11'))
MUTANTS = int(os.environ.get('PROBE_MUTANTS', '120'))
rng = random.Random(SEED)
ENV = dict(os.environ, LC_ALL='C.UTF-8', QT_QPA_PLATFORM='offscreen', ASAN_OPTIONS='detect_leaks=0')

findings = []
runs = 0


def find(cls, what):
    findings.append((cls, what))
    kept = ''
    for name in os.listdir(WORK) if os.path.isdir(WORK) else []:
        if name.startswith('in.'):
            os.makedirs(FOUND, exist_ok=True)
            kept = f'{FOUND}/{len(findings)}{os.path.splitext(name)[1]}'
            shutil.copy(os.path.join(WORK, name), kept)
    print(f'{cls:8} {what}' + (f'  [{kept}]' if kept else ''), flush=True)


def digest(path):
    try:
        st = os.lstat(path)
    except FileNotFoundError:
        return None
    if stat.S_ISLNK(st.st_mode):
        return ('link', os.readlink(path))
    if stat.S_ISREG(st.st_mode):
        with open(path, 'rb') as f:
            return ('file', hashlib.sha1(f.read()).hexdigest(), stat.S_IMODE(st.st_mode))
    return ('other', stat.S_IFMT(st.st_mode))


NONFINITE = re.compile(rb'(?<![A-Za-z])(-?nan|-?inf|infinity)(?![A-Za-z])', re.I)


def run(args, label, watch=(), expect=None, limit=LIMIT, exe=CLI):
    """Run one command; classify.  watch: paths that must not change.  expect: 'fail' or 'ok' or None."""
    global runs
    runs += 1
    before = {p: digest(p) for p in watch}
    t = time.time()
    try:
        p = subprocess.run([exe] + args, cwd=WORK, env=ENV, capture_output=True, timeout=limit)
    except subprocess.TimeoutExpired:
        find('HANG', f'{label}: {args!r} over {limit:.0f} s')
        subprocess.run(['pkill', '-9', '-f', os.path.basename(exe)], capture_output=True)
        return None
    dt = time.time() - t
    out, err = p.stdout, p.stderr
    if p.returncode < 0 or p.returncode >= 128 or b'Sanitizer' in err or b'terminate called' in err \
            or b'runtime error' in err:
        find('CRASH', f'{label}: {args!r} rc={p.returncode} {err[-300:]!r}')
    for path, d in before.items():
        if digest(path) != d:
            find('LOSS', f'{label}: {args!r} changed {path} (rc={p.returncode})')
    if p.returncode != 0:
        if not err.strip() and not out.strip():
            find('UNCLEAR', f'{label}: {args!r} rc={p.returncode} without a message')
        if re.search(rb'[\x00-\x08\x0b\x0c\x0e-\x1f\x7f]', err):
            find('UNCLEAR', f'{label}: {args!r} raw control bytes in message {err[:200]!r}')
        if len(err) > 20000:
            find('UNCLEAR', f'{label}: {args!r} message of {len(err)} bytes')
        if expect == 'ok':
            find('SILENT?', f'{label}: {args!r} refused: {err[:300]!r}')
    else:
        if NONFINITE.search(out) or NONFINITE.search(err):
            m = NONFINITE.search(out) or NONFINITE.search(err)
            ctx = (out + err)[max(0, m.start() - 80): m.end() + 40]
            find('SILENT', f'{label}: {args!r} exit 0 with non-finite text {ctx!r}')
        if expect == 'fail':
            find('SILENT', f'{label}: {args!r} accepted (exit 0): {(out + err)[:200]!r}')
    return p


def fresh():
    shutil.rmtree(WORK, ignore_errors=True)
    os.makedirs(WORK)


def put(name, data):
    path = os.path.join(WORK, name)
    with open(path, 'wb') as f:
        f.write(data)
    return path


def read(path):
    with open(path, 'rb') as f:
        return f.read()


# ---------------------------------------------------------------- mutations
EXTREMES = [b'nan', b'-nan', b'inf', b'-inf', b'1e308', b'-1e308', b'1e-308', b'4.9e-324', b'1e400', b'-0',
            b'0', b'99999999999999999999', b'4294967296', b'-2147483649', b'0x10', b'1e', b'.', b'', b'1.5.5',
            b'1,5', b'\xff\xfe', b'1e-400', b'-1', b'2147483647', b'1e19', b'9.2e18']
NUMBER = re.compile(rb'-?\d+(\.\d*)?([eE][-+]?\d+)?')


def mutate(data, tokens):
    kind = rng.randrange(8)
    if not data:
        return data + rng.choice(tokens)
    i = rng.randrange(len(data))
    if kind == 0:
        return data[:i]
    if kind == 1:
        b = bytearray(data)
        for _ in range(rng.randint(1, 8)):
            b[rng.randrange(len(b))] = rng.randrange(256)
        return bytes(b)
    if kind == 2:
        return data[:i] + rng.choice(tokens) + data[i:]
    if kind in (3, 4, 5):
        nums = list(NUMBER.finditer(data))
        if not nums:
            return data[:i]
        out = data
        for m in sorted(rng.sample(nums, min(len(nums), rng.randint(1, 4))), key=lambda m: -m.start()):
            out = out[:m.start()] + rng.choice(EXTREMES) + out[m.end():]
        return out
    lines = data.split(b'\n')
    j = rng.randrange(len(lines))
    if kind == 6:
        lines.insert(j, lines[rng.randrange(len(lines))])
    else:
        del lines[j]
    return b'\n'.join(lines)


INP_TOKENS = [b'[JUNCTIONS]\n', b'[PIPES]\n', b'[PUMPS]\n', b'[VALVES]\n', b'[TANKS]\n', b'[RESERVOIRS]\n',
              b'[CURVES]\n', b'[PATTERNS]\n', b'[TIMES]\n', b'[OPTIONS]\n', b'[CONTROLS]\n', b'[RULES]\n',
              b'[STATUS]\n', b'[COORDINATES]\n', b'[VERTICES]\n', b'[DEMANDS]\n', b'[END]\n', b'UNITS GPM\n',
              b'HEADLOSS D-W\n', b'PATTERN START 1e308\n', b'DURATION 1e308\n', b' PRV ', b' TCV ', b' GPV ',
              b' CV ', b' CLOSED ', b';', b'\t', b'\r', b'\x00', b'P1 J1 J1 1 1 1 0\n']
TXT_TOKENS = [b'BEGIN NODE\n', b'BEGIN PIPE\n', b'BEGIN PUMP\n', b'BEGIN VALVE\n', b'BEGIN TANK\n', b'END\n',
              b'\t', b'\r', b'\x00', b'//', b'\t\t\t', b'\xd6\xd0']
WNP_TOKENS = [b'\x00\x00\x00\x00', b'\xff\xff\xff\xff', b'\xff\xff\xff\x7f', b'\x00\x00\xf0\x7f' * 2,
              b'CNode', b'CPipe', b'\x01\x00', b'\xff\xff']
DXF_TOKENS = [b'  0\nSECTION\n', b'  0\nENDSEC\n', b'  2\nENTITIES\n', b'  2\nTABLES\n', b'  0\nTABLE\n',
              b'  0\nENDTAB\n', b'  0\nLINE\n', b'  0\nLWPOLYLINE\n', b'  0\nPOLYLINE\n', b'  0\nVERTEX\n',
              b'  0\nSEQEND\n', b'  0\nINSERT\n', b'  0\nBLOCK\n', b'  0\nENDBLK\n', b'  0\nEOF\n',
              b' 10\n1e308\n', b' 20\nnan\n', b' 90\n2147483647\n', b'  5\nFFFFFFFFFFFFFFFF\n', b'  8\n0\n',
              b' 41\n1e300\n', b' 70\n1\n']
GEO_TOKENS = [b'{', b'}', b'[', b']', b'"type"', b'"LineString"', b'"Point"', b'null', b'1e308', b'NaN',
              b'"coordinates":[]', b',']


def commands_for(kind, src):
    """Reader commands worth running on an input of this kind; each writes into WORK."""
    if kind in ('inp',):
        return [['import-inp', src, 'o.wnp'], ['import-inp', src, 'o.txt', '--hour', '5'], ['info', src],
                ['balance', src], ['simulate', src, '--duration', '3']]
    if kind in ('txt', 'wnp'):
        return [['info', src], ['convert', src, 'o.wnp'], ['convert', src, 'o.txt'], ['convert', src, 'o.inp'],
                ['balance', src, '--nodes-csv', 'n.csv'], ['export-dxf', src, 'o.dxf', '--balance'],
                ['cost', src], ['export-gis', src, 'o.geojson']]
    if kind == 'dxf':
        return [['import-dxf', src, 'o.wnp', '--tolerance', '0.5'], ['import-dxf', src, 'o.txt', '--split-at-tees'],
                ['export-dxf', NET1TXT, 'o.dxf', '--into', src]]
    if kind == 'geojson':
        return [['import-gis', src, 'o.wnp', '--tolerance', '0.1'], ['import-gis', src, 'o.txt', '--split-at-tees']]
    return []


NET1TXT = ROOT + '/tests/data/networks/Net1.txt'


def reread(path, label):
    """An output written with exit 0 must be read back by its own reader and written the same way again."""
    if not os.path.exists(path):
        return
    ext = os.path.splitext(path)[1]
    if ext in ('.wnp', '.txt'):
        p = run(['info', path], label + ' reread', expect='ok')
        if p and p.returncode == 0:
            again = os.path.join(WORK, 'again' + ext)
            q = run(['convert', path, again], label + ' rewrite', expect='ok')
            # A text file is read by connecting each device and tank anew, which puts a damaged
            # project's device nodes together and its tank nodes at the tank's level: the text
            # written from what was read must then come back unchanged.
            first = path
            if ext == '.txt' and q and q.returncode == 0 and read(again) != read(path):
                first = again
                again = os.path.join(WORK, 'again2' + ext)
                q = run(['convert', first, again], label + ' rewrite', expect='ok')
            if q and q.returncode == 0 and read(again) != read(first):
                find('SILENT', f'{label}: {path} is not written the same after reading it back')
    elif ext == '.inp':
        run(['import-inp', path, os.path.join(WORK, 'back.wnp')], label + ' reread', expect='ok')
    elif ext == '.dxf':
        run(['import-dxf', path, os.path.join(WORK, 'back.wnp')], label + ' reread', expect=None)


def mutation_round(kind, seed_path, tokens, n):
    data = read(seed_path)
    for k in range(n):
        fresh()
        m = mutate(data, tokens)
        if rng.random() < 0.3:
            m = mutate(m, tokens)
        src = put('in.' + kind, m)
        for cmd in commands_for(kind, src):
            label = f'{kind}:{os.path.basename(seed_path)}#{k}'
            outs = [a for a in cmd[1:] if re.match(r'^o\.|^n\.csv', a)]
            for o in outs:
                if os.path.exists(os.path.join(WORK, o)):
                    os.unlink(os.path.join(WORK, o))
            p = run(cmd, label, watch=[src])
            if p is not None and p.returncode == 0:
                for o in outs:
                    reread(os.path.join(WORK, o), label + ' ' + cmd[0])


# ---------------------------------------------------------------- options
BAD_NUMBERS = ['nan', 'NaN', 'inf', '-inf', 'infinity', '', ' ', '1e400', '-1e400', '1e', 'abc', '0x10', '1,5',
               '5m', '--', '1e308', '-1e308']


def option_round():
    net = ROOT + '/tests/data/networks/Net1.txt'
    inp = ROOT + '/tests/data/networks/Net1.inp'
    dxf = ROOT + '/tests/data/cad/pipes_r2000.dxf'
    opts = [
        (['balance', net], '--accident-factor', (0, 1)), (['balance', net], '--precision', (0, 6)),
        (['balance', net], '--max-iterations', (-1, 1e9)), (['balance', net], '--min-pressure', None),
        (['balance', net], '--required-pressure', None), (['balance', net], '--pressure-exponent', None),
        (['simulate', inp], '--duration', None), (['simulate', inp], '--hydraulic-step', None),
        (['simulate', inp], '--report-step', None),
        (['allocate', net, '--save', 'a.wnp'], '--total', None),
        (['cost', net], '--a', None), (['cost', net], '--b', None), (['cost', net], '--alpha', None),
        (['cost', net], '--price', None),
        (['import-dxf', dxf, 'o.wnp'], '--tolerance', None), (['import-dxf', dxf, 'o.wnp'], '--scale-cad', None),
        (['import-dxf', dxf, 'o.wnp'], '--scale-qen', None),
        (['export-dxf', net, 'o.dxf'], '--scale-cad', None), (['export-dxf', net, 'o.dxf'], '--scale-qen', None),
        (['export-dxf', net, 'o.dxf'], '--node-size', None), (['export-dxf', net, 'o.dxf'], '--device-size', None),
        (['export-dxf', net, 'o.dxf'], '--label-size', None), (['export-dxf', net, 'o.dxf'], '--arrow-size', None),
        (['import-inp', inp, 'o.wnp'], '--hour', None),
        (['size', net, '--min-free-head', '10', '--diameters', '100,200,300', '--cost-law', '--time-limit', '1',
          '--save', 's.wnp'], '--max-velocity', None),
        (['size', net, '--diameters', '100,200,300', '--cost-law', '--time-limit', '1', '--save', 's.wnp'],
         '--min-free-head', None),
        (['size', net, '--min-free-head', '10', '--diameters', '100,200,300', '--cost-law', '--save', 's.wnp'],
         '--time-limit', None),
        (['size', net, '--min-free-head', '10', '--diameters', '100,200,300', '--cost-law', '--time-limit', '1',
          '--save', 's.wnp'], '--seed', None),
        (['size', net, '--min-free-head', '10', '--diameters', '100,200,300', '--cost-law', '--time-limit', '1',
          '--save', 's.wnp'], '--jobs', None),
        (['fireflow', net], '--residual-head', None), (['fireflow', net], '--system-min-head', None),
        (['fireflow', net], '--required-flow', None), (['fireflow', net], '--jobs', None),
        (['fireflow', net], '--part', None),
        (['criticality', net], '--accident-factor', (0, 1)), (['criticality', net], '--min-free-head', None),
        (['criticality', net], '--jobs', None), (['criticality', net], '--part', None),
        (['import-gis', ROOT + '/tests/data/networks/Net1.txt', 'o.wnp'], '--tolerance', None),
        (['import-gis', ROOT + '/tests/data/networks/Net1.txt', 'o.wnp'], '--project-to', None),
    ]
    for base, opt, rng_ in opts:
        for v in BAD_NUMBERS + ['-1', '0', '1e-300', '1e12', '-0', '2147483648', '99999999999999999999', '0/1',
                                '3/2', '1/0', '2/2', '-1/2']:
            fresh()
            args = base[:1] + [base[1]] + base[2:] + [opt, v]
            bad = v in BAD_NUMBERS or v in ('1/0', '3/2', '0/1', '-1/2')
            if opt == '--part':
                bad = v not in ('2/2',)
            p = run(args, f'option {base[0]} {opt}={v!r}', watch=[base[1]], expect='fail' if bad else None,
                    limit=60)
            if p is not None and p.returncode != 0 and bad:
                e = p.stderr.decode('utf-8', 'replace')
                if opt not in e and opt.lstrip('-') not in e:
                    find('UNCLEAR', f'option {base[0]} {opt}={v!r}: message does not name the option: {e[:200]!r}')
    # lists and texts
    for v in ['', ',', '100,,200', '300,200,100', 'nan,100', '100,inf', '-100,200', '0,100', '1e308,1e309',
              '100;200']:
        fresh()
        run(['size', net, '--min-free-head', '10', '--diameters', v, '--cost-law', '--time-limit', '1', '--save',
             's.wnp'], f'option size --diameters={v!r}', watch=[net], expect='fail', limit=60)
    for v in ['', 'nan,1', '1,2', '-1,-2,-3', '1e308,1e308,1e308', 'inf,1,2', '1,2,3,4']:
        fresh()
        run(['size', net, '--min-free-head', '10', '--diameters', '100,200,300', '--unit-costs', v,
             '--time-limit', '1', '--save', 's.wnp'], f'option size --unit-costs={v!r}', watch=[net],
            expect='fail', limit=60)
    for v in ['2025-13-01', '2025-02-30', 'x', '', '99999-01-01', '2025-1-1', '0000-00-00']:
        fresh()
        run(['cost', net, '--since', v], f'option cost --since={v!r}', watch=[net], expect='fail')
    for v in ['', 'fire,,peak', 'bogus', 'peak,peak']:
        fresh()
        run(['report', net, 'r.xlsx', '--cases', v], f'option report --cases={v!r}', watch=[net],
            expect='fail' if v in ('', 'bogus') else None, limit=120)
    for v in ['nope', '', ',', 'x' * 300]:
        fresh()
        run(['fireflow', net, '--nodes', v], f'option fireflow --nodes={v[:20]!r}', watch=[net], expect='fail')
        run(['criticality', net, '--pipes', v], f'option criticality --pipes={v[:20]!r}', watch=[net],
            expect='fail')
        run(['convert', net, 'o.wnp', '--fire-nodes', v], f'option convert --fire-nodes={v[:20]!r}', watch=[net],
            expect='fail')
    # qen program
    for extra, bad in [(['--size', '0x0'], True), (['--size', '-5x10'], True), (['--size', '100000x100000'], True),
                       (['--size', 'nanxnan'], True), (['--size', ''], True), (['--size', '800x600'], False),
                       (['--interval', 'nan', '--contours', 'head', '--balance'], True),
                       (['--interval', '0', '--contours', 'head', '--balance'], True),
                       (['--interval', '1e-300', '--contours', 'head', '--balance'], True),
                       (['--interval', '-1', '--contours', 'free', '--balance'], True),
                       (['--contours', 'bogus'], True), (['--language', 'fr'], True)]:
        fresh()
        run(['--export-image', net, os.path.join(WORK, 'x.png')] + extra, f'qen --export-image {extra!r}',
            watch=[net], expect='fail' if bad else 'ok', exe=QEN, limit=120)
    for extra, bad in [(['--cases', 'bogus'], True), (['--title', 'x' * 100000], False), (['--cases', ''], True)]:
        fresh()
        run(['--report', net, os.path.join(WORK, 'r.pdf')] + extra, f'qen --report {extra[:1]!r}',
            watch=[net], expect='fail' if bad else None, exe=QEN, limit=180)


# ---------------------------------------------------------------- targets
def target_round():
    net = ROOT + '/tests/data/networks/Net1.txt'
    inp = ROOT + '/tests/data/networks/Net1.inp'
    dxf = ROOT + '/tests/data/cad/pipes_r2000.dxf'
    writers = [
        ('convert wnp', lambda t: ['convert', net, t], '.wnp'),
        ('convert txt', lambda t: ['convert', net, t], '.txt'),
        ('convert inp', lambda t: ['convert', net, t], '.inp'),
        ('balance save', lambda t: ['balance', net, '--save', t], '.wnp'),
        ('balance csv', lambda t: ['balance', net, '--nodes-csv', t], '.csv'),
        ('balance links', lambda t: ['balance', net, '--links-csv', t], '.csv'),
        ('simulate csv', lambda t: ['simulate', inp, '--duration', '2', '--nodes-csv', t], '.csv'),
        ('allocate', lambda t: ['allocate', net, '--total', '100', '--save', t], '.wnp'),
        ('import-dxf', lambda t: ['import-dxf', dxf, t], '.wnp'),
        ('export-dxf', lambda t: ['export-dxf', net, t], '.dxf'),
        ('export-dxf into', lambda t: ['export-dxf', net, t, '--into', dxf], '.dxf'),
        ('import-inp', lambda t: ['import-inp', inp, t], '.wnp'),
        ('export-inp', lambda t: ['export-inp', net, t], '.inp'),
        ('report xlsx', lambda t: ['report', net, t], '.xlsx'),
        ('fireflow csv', lambda t: ['fireflow', net, '--csv', t, '--nodes', '10,11'], '.csv'),
        ('criticality csv', lambda t: ['criticality', net, '--csv', t, '--pipes', '10,11'], '.csv'),
        ('size', lambda t: ['size', net, '--min-free-head', '1', '--diameters', '100,200,300,400,500',
                            '--cost-law', '--time-limit', '1', '--save', t], '.wnp'),
        ('qen image', lambda t: ['--export-image', net, t], '.png'),
        ('qen pdf', lambda t: ['--export-image', net, t], '.pdf'),
        ('qen report', lambda t: ['--report', net, t], '.pdf'),
    ]
    for name, make, ext in writers:
        exe = QEN if name.startswith('qen') else CLI
        lim = 180 if 'report' in name or name == 'size' else LIMIT

        def go(target, label, watch, expect):
            return run(make(target), f'target {name}: {label}', watch=watch + [net, inp, dxf], expect=expect,
                       exe=exe, limit=lim)

        # directory
        fresh(); d = os.path.join(WORK, 'dir' + ext); os.mkdir(d)
        go(d, 'a directory', [d], 'fail')
        # fifo without a reader
        fresh(); f = os.path.join(WORK, 'fifo' + ext); os.mkfifo(f)
        go(f, 'a FIFO', [f], 'fail')
        # read-only existing file
        fresh(); r = put('ro' + ext, b'keep me\n'); os.chmod(r, 0o444)
        go(r, 'a read-only file', [r], 'fail')
        # symlink to a file: written through, link kept
        fresh(); real = put('real' + ext, b'old\n'); ln = os.path.join(WORK, 'link' + ext); os.symlink(real, ln)
        p = go(ln, 'a symlink', [], None)
        if p is not None and p.returncode == 0:
            if not os.path.islink(ln):
                find('LOSS', f'target {name}: the symbolic link was replaced by a file')
            elif read(real) == b'old\n':
                find('SILENT', f'target {name}: exit 0 but the link\'s file was not written')
        # dangling symlink
        fresh(); ln = os.path.join(WORK, 'dangle' + ext); os.symlink(os.path.join(WORK, 'nowhere', 'x' + ext), ln)
        go(ln, 'a dangling symlink', [ln], 'fail')
        # missing parent
        fresh(); go(os.path.join(WORK, 'no', 'such', 'x' + ext), 'a missing folder', [], 'fail')
        # /dev/full
        fresh(); go('/dev/full', '/dev/full', [], 'fail')
        # unwritable folder (as root: chattr not available; skip)
        # existing target, foreign .bak kept
        fresh(); t = put('t' + ext, b'previous\n'); bak = put('t.bak', b'cad backup\n')
        p = go(t, 'an existing target beside a foreign .bak', [bak], None)
        # very long name
        fresh(); go(os.path.join(WORK, 'x' * 300 + ext), 'a 300-byte name', [], 'fail')
        # name with a newline and control bytes
        fresh(); p = go(os.path.join(WORK, 'a\nb\x01' + ext), 'a name with control bytes', [], None)
        # target is the input itself: allowed only when what is written is still that kind of file
        fresh()
        cmd0 = make(os.path.join(WORK, 'OWN'))
        src = next((a for a in cmd0 if a in (net, inp, dxf)), net)
        kind = os.path.splitext(src)[1]
        own = put('own' + kind, read(src))
        cmd = [own if a in (src, os.path.join(WORK, 'OWN')) else a for a in cmd0]
        p = run(cmd, f'target {name}: the input itself', exe=exe, limit=lim)
        if p is not None and p.returncode == 0:
            check = {'.txt': ['info', own], '.inp': ['import-inp', own, os.path.join(WORK, 'chk.wnp')],
                     '.dxf': ['import-dxf', own, os.path.join(WORK, 'chk.wnp')]}[kind]
            q = subprocess.run([CLI] + check, env=ENV, capture_output=True)
            n0 = subprocess.run([CLI, 'info', src], env=ENV, capture_output=True).stdout if kind == '.txt' else b''
            if q.returncode != 0 or (kind == '.txt' and re.search(rb'nodes:.*', q.stdout).group(0)
                                     != re.search(rb'nodes:.*', n0).group(0)):
                find('LOSS', f'target {name}: {cmd!r} wrote another kind of file over its input')
        # wrong extension for the kind
        if exe == QEN or name.startswith('report'):
            fresh(); go(os.path.join(WORK, 'x.svg' if exe == QEN else 'x.docx'), 'an unknown extension', [], 'fail')


def qen_round(n):
    """The program's own readers and drawing on damaged networks, without a window."""
    data = ROOT + '/tests/data'
    for kind, seed, tokens in [('wnp', ROOT + '/examples/town.wnp', WNP_TOKENS), ('txt', data + '/networks/Net1.txt', TXT_TOKENS),
                               ('txt', ROOT + '/examples/town.txt', TXT_TOKENS)]:
        base = read(seed)
        for k in range(n):
            fresh()
            src = put('in.' + kind, mutate(base, tokens))
            label = f'qen:{os.path.basename(seed)}#{k}'
            run(['--export-image', src, os.path.join(WORK, 'o.png'), '--balance', '--contours', 'head', '--grades'],
                label, watch=[src], exe=QEN, limit=60)
            run(['--export-image', src, os.path.join(WORK, 'o.pdf'), '--legend'], label, watch=[src], exe=QEN, limit=60)
            if k % 4 == 0:
                run(['--report', src, os.path.join(WORK, 'r.pdf')], label, watch=[src], exe=QEN, limit=120)


def inputs_round():
    """Inputs that are not files: FIFOs without a writer, devices, folders."""
    net = ROOT + '/tests/data/networks/Net1.txt'
    for kind in ('fifo', 'dir', 'dev'):
        fresh()
        paths = {}
        for ext in ('.txt', '.wnp', '.inp', '.dxf', '.geojson', '.tif'):
            p = os.path.join(WORK, 'in' + ext)
            if kind == 'fifo':
                os.mkfifo(p)
            elif kind == 'dir':
                os.mkdir(p)
            else:
                os.symlink('/dev/zero', p)
            paths[ext] = p
        cmds = [['info', paths['.txt']], ['info', paths['.wnp']], ['balance', paths['.wnp']],
                ['import-inp', paths['.inp'], 'o.wnp'], ['simulate', paths['.inp']],
                ['import-dxf', paths['.dxf'], 'o.wnp'], ['export-dxf', net, 'o.dxf', '--into', paths['.dxf']],
                ['import-gis', paths['.geojson'], 'o.wnp'], ['elevations', net, paths['.tif'], '--save', 'o.wnp'],
                ['import-dxf', ROOT + '/tests/data/cad/tee.dxf', 'o.wnp', '--into', paths['.wnp']]]
        for c in cmds:
            run(c, f'input {kind}', expect='fail', limit=20)
        run(['--export-image', paths['.wnp'], os.path.join(WORK, 'o.png')], f'input {kind}', expect='fail', exe=QEN,
            limit=20)
        run(['--report', paths['.txt'], os.path.join(WORK, 'o.pdf')], f'input {kind}', expect='fail', exe=QEN,
            limit=20)


def main():
    what = sys.argv[1:] or ['inputs', 'mutate', 'options', 'targets', 'qen']
    os.makedirs(WORK, exist_ok=True)
    data = ROOT + '/tests/data'
    if 'mutate' in what:
        seeds = [('inp', data + '/networks/Net1.inp', INP_TOKENS), ('inp', data + '/networks/Hanoi.inp', INP_TOKENS),
                 ('inp', data + '/cli/eps/base.inp', INP_TOKENS),
                 ('txt', data + '/networks/Net1.txt', TXT_TOKENS), ('txt', ROOT + '/examples/town.txt', TXT_TOKENS),
                 ('wnp', ROOT + '/examples/town.wnp', WNP_TOKENS), ('wnp', data + '/project/Net1-v1.wnp', WNP_TOKENS),
                 ('dxf', data + '/cad/pipes_r2000.dxf', DXF_TOKENS), ('dxf', data + '/cad/pipes_r12.dxf', DXF_TOKENS),
                 ('dxf', data + '/cad/tee.dxf', DXF_TOKENS), ('dxf', data + '/cad/entity_cases.dxf', DXF_TOKENS)]
        fresh()
        os.makedirs(BASE, exist_ok=True)
        subprocess.run([CLI, 'export-gis', data + '/networks/Net1.txt', BASE + '/net1.geojson'], env=ENV,
                       capture_output=True)
        gj = BASE + '/net1_pipes.geojson'
        if os.path.exists(gj):
            seeds.append(('geojson', gj, GEO_TOKENS))
        for kind, path, tokens in seeds:
            mutation_round(kind, path, tokens, MUTANTS)
    if 'inputs' in what:
        inputs_round()
    if 'qen' in what:
        qen_round(int(os.environ.get('PROBE_QEN', '40')))
    if 'options' in what:
        option_round()
    if 'targets' in what:
        target_round()
    print(f'\n{runs} runs; {len(findings)} findings; work folder {BASE}')
    counts = {}
    for c, _ in findings:
        counts[c] = counts.get(c, 0) + 1
    print(counts)


if __name__ == '__main__':
    main()
