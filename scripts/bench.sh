#!/usr/bin/env bash
# Builds the benchmarks (preset bench: host g++, -O2, Release) and prints one table: the CPU time
# per call of each per-message path (the median of REPETITIONS runs), the Win32 calls it makes and
# its heap allocations per call, under a line that names the machine. Fails when a path allocates.
#
#   bash scripts/bench.sh [REPETITIONS [MIN-SECONDS]]     (default 5 runs of at least 0.5 s each)
#
# About a minute after the build. The figures are CPU time: on a machine that others share they
# still move by some percent from run to run; compare runs of the same moment.
set -euo pipefail
cd "$(dirname "$0")/.."
repetitions=${1:-5}
min_time=${2:-0.5}

bash scripts/setup-machine.sh
cmake --preset bench >/dev/null
cmake --build --preset bench -j 2 >/dev/null

results=build/bench/results.json
status=0
build/bench/bench/gw_bench --benchmark_repetitions="$repetitions" --benchmark_min_time="$min_time" \
  --benchmark_report_aggregates_only=true --benchmark_format=json --benchmark_out="$results" \
  --benchmark_out_format=json >/dev/null || status=$?

cpu=$(lscpu | sed -n 's/^Model name: *//p' | head -n1)
cores=$(nproc)
python3 - "$results" "$cpu" "$cores" "$(uname -srm)" "$(g++ -dumpfullversion)" <<'PY'
import json, sys
results, cpu, cores, system, gcc = sys.argv[1:]
data = json.load(open(results))
rows = {}
for b in data['benchmarks']:
    if b.get('aggregate_name') != 'median' and b.get('run_type') == 'aggregate':
        continue
    name = b.get('run_name', b['name'])
    if 'error_occurred' in b and b['error_occurred']:
        rows[name] = ('ERROR', '', b.get('error_message', ''))
        continue
    rows[name] = ('%.1f' % b['cpu_time'], '%g' % b['win32'] if 'win32' in b else '', '%g' % b.get('allocs', 0))
print('Machine: %s, %s cores; %s; g++ %s -O2; load average %s at the start' %
      (cpu, cores, system, gcc, data['context'].get('load_avg', ['?'])[0] if data['context'].get('load_avg') else '?'))
print()
print('| Path | ns per call | Win32 calls | heap allocations |')
print('|---|---:|---:|---:|')
for name, (ns, calls, allocs) in rows.items():
    print('| %s | %s | %s | %s |' % (name, ns, calls, allocs))
PY
exit $status
