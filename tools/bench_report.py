#!/usr/bin/env python3
"""Runs every benchmark under BUILD/bench and the soak, and prints the
performance table of docs/performance.md for this machine.

    tools/bench_report.py BUILD     (./run.sh --bench does the build first)

Every executable named bench_* is run ZQ_BENCH_RUNS times (3 by default) and
each figure is the best of the runs: on a shared machine the other loads only
ever add time.  The soak (tests/tst_soak, ZQ_SOAK_SECONDS per phase) runs once.
Two output formats are understood: QtTest's RESULT blocks, and plain lines
"label   number unit ...".  Anything else a benchmark prints is ignored.
"""

import datetime
import glob
import os
import platform
import re
import subprocess
import sys

QT_RESULT = re.compile(r'^RESULT : \w+::(\w+)\(\):(?:"(.*)":)?\s*$')
QT_VALUE = re.compile(r'^\s+([0-9.,eE+-]+) (.+?) per iteration')
# 'label: figure ...' where the label itself holds numbers, else 'label figure ...'.
PLAIN_COLON = re.compile(r'^([^:]+?):\s+(-?[0-9][0-9.]*)\s*(.*)$')
PLAIN = re.compile(r'^(\S.*?)\s+(-?[0-9][0-9.]*)\s*(.*)$')
# Rows that belong beside another program's: the whole window's receive cost
# next to the GUI-free receive path's.
BESIDE = {'bench_window': 'bench_decode'}
QT_CONFIG = re.compile(r'^Config: Using QtTest library ([0-9.]+)')
SOAK_INFO = re.compile(r'^QINFO\s*:\s*\w+::\w+\((.*?)\)\s*(?:\1:\s*)?(.*)$')


def msecs(value):
    """QtTest's milliseconds in the unit that reads best."""
    if value < 0.001:
        return '%.3g ns' % (value * 1e6)
    if value < 1:
        return '%.3g µs' % (value * 1e3)
    return '%.3g ms' % value


def load():
    return '%.1f' % os.getloadavg()[0]


def run(cmd, env):
    """Runs cmd; only its stdout is parsed, stderr (Qt's warnings) is shown
    when it fails."""
    p = subprocess.run(cmd, env=env, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                       universal_newlines=True, errors='replace')
    lines = p.stdout.splitlines()
    if p.returncode != 0:
        print('\n'.join(lines[-30:] + p.stderr.splitlines()[-10:]), file=sys.stderr)
    return p.returncode, lines


def parse(lines, rows, order, name, info):
    """Keeps, per case, the run with the smallest figure."""
    pending = None
    for line in lines:
        m = QT_CONFIG.match(line)
        if m:
            info['qt'] = m.group(1)
        m = QT_RESULT.match(line)
        if m:
            pending = m.group(1) + (' (%s)' % m.group(2) if m.group(2) else '')
            continue
        if pending:
            m = QT_VALUE.match(line)
            if m:
                value = float(m.group(1).replace(',', ''))
                text = msecs(value) if m.group(2) == 'msecs' else '%s %s' % (m.group(1), m.group(2))
                keep(rows, order, (name, pending), value, text)
            pending = None
            continue
        if re.match(r'^(PASS|FAIL|XFAIL|XPASS|SKIP|QWARN|QDEBUG|QINFO|QSYSTEM|Totals|Config|\*\*\*)', line):
            continue
        m = PLAIN_COLON.match(line) or PLAIN.match(line)
        if m:
            text = ' '.join((m.group(2) + ' ' + m.group(3)).split())
            keep(rows, order, (name, m.group(1)), float(m.group(2)), text)


def keep(rows, order, key, value, text):
    if key not in rows:
        order.append(key)
    if key not in rows or value < rows[key][0]:
        rows[key] = (value, text)


def cpu_model():
    try:
        with open('/proc/cpuinfo') as f:
            for line in f:
                if line.startswith('model name'):
                    return line.split(':', 1)[1].strip()
    except OSError:
        pass
    return platform.processor() or platform.machine()


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else 'build'
    runs = max(1, int(os.environ.get('ZQ_BENCH_RUNS', '3')))
    env = dict(os.environ)
    env.setdefault('QT_QPA_PLATFORM', 'offscreen')
    # The windows the benchmarks start keep their history and settings in
    # the build tree, not in the user's folders.
    kept = os.path.join(os.path.abspath(build), 'bench-kept')
    env.setdefault('ZQCONFIG_HISTORY', os.path.join(kept, 'history'))
    env.setdefault('XDG_CONFIG_HOME', os.path.join(kept, 'config'))

    def place(path):
        name = os.path.basename(path)
        return (BESIDE.get(name, name), name in BESIDE)

    benches = sorted((p for p in glob.glob(os.path.join(build, 'bench', 'bench_*'))
                      if os.path.isfile(p) and os.access(p, os.X_OK)), key=place)
    if not benches:
        sys.exit('no benchmarks under %s/bench (configured with -DZQ_BENCH=OFF?)' % build)
    soak = os.path.join(build, 'tests', 'tst_soak')

    started = datetime.datetime.now(datetime.timezone.utc)
    load_before = load()
    rows, order, info, failed = {}, [], {}, []
    for r in range(runs):
        for bench in benches:
            name = os.path.basename(bench)
            print('%s, run %d of %d' % (name, r + 1, runs), file=sys.stderr, flush=True)
            code, lines = run([bench], env)
            if code != 0:
                failed.append(name)
            parse(lines, rows, order, name, info)
    soak_rows = []
    if os.access(soak, os.X_OK):
        print('tst_soak (%s s per phase)' % env.get('ZQ_SOAK_SECONDS', '40'), file=sys.stderr, flush=True)
        code, lines = run([soak], env)
        if code != 0:
            failed.append('tst_soak')
        for line in lines:
            m = SOAK_INFO.match(line)
            if m:
                soak_rows.append((m.group(1), m.group(2)))
    else:
        failed.append('tst_soak (not built)')

    print('Taken %s UTC on %s, %s, %d cores; load average %s before, %s after; '
          'Qt %s; best of %d runs.' % (started.strftime('%Y-%m-%d %H:%M'), platform.system() + ' '
                                      + platform.release(), cpu_model(), os.cpu_count() or 0,
                                      load_before, load(), info.get('qt', '?'), runs))
    print()
    print('| Program | Case | Figure |')
    print('|---|---|---|')
    for key in order:
        print('| %s | %s | %s |' % (key[0], key[1], rows[key][1]))
    for case, text in soak_rows:
        print('| tst_soak | %s | %s |' % (case, text))
    if failed:
        print('\nFAILED: ' + ', '.join(failed))
        sys.exit(1)


if __name__ == '__main__':
    main()
