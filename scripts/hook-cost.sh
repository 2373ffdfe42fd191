#!/usr/bin/env bash
# What the mouse hook costs a process under Wine, in microseconds per mouse move: gwhookcost.exe
# moves the mouse over its own window, one move at a time, with no hook, a pass-through hook, the
# channel's per-call work in plain C and GWHooks.dll, in alternating rounds, and prints the medians
# and the ratio GWHooks.dll / plain C (target: at most 1.10).
#
#   bash scripts/hook-cost.sh [MOVES-PER-ROUND [ROUNDS]]     (default 2000 moves, 7 rounds)
#
# Needs the Windows build the end-to-end suite uses (build/win32, or build/win64 where 32-bit
# programs cannot run); runs in a private display and Wine prefix under build/perf, about a minute.
set -euo pipefail
cd "$(dirname "$0")/.."
export GW_E2E_WORK=${GW_E2E_WORK:-$PWD/build/perf} GW_PERF_MOVES=${1:-2000} GW_PERF_ROUNDS=${2:-7}
echo "mouse moves per round: $GW_PERF_MOVES, rounds: $GW_PERF_ROUNDS (modes a b c d, starting one further each round)"
bash e2e/cases/perf.sh hook_cost
echo "every round: $GW_E2E_WORK/cases/perf.hook_cost/hookcost.log"
