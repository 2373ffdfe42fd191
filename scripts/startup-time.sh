#!/usr/bin/env bash
# Start-up time under Wine: from the start of the process to its icon in the notification area, for
# Glidewing and for gwtray.exe, the least tray program there is, each started RUNS times in turn
# (plus one start each that is not counted); prints the medians and the ratio (aim: at most 1.3).
#
#   bash scripts/startup-time.sh [RUNS]     (default 11)
#
# Needs the Windows build the end-to-end suite uses; runs in a private display and Wine prefix under
# build/perf, about half a minute.
set -euo pipefail
cd "$(dirname "$0")/.."
export GW_E2E_WORK=${GW_E2E_WORK:-$PWD/build/perf} GW_PERF_RUNS=${1:-11}
echo "starts of each program: $GW_PERF_RUNS, alternating which goes first"
bash e2e/cases/perf.sh startup_time
echo "every start: $GW_E2E_WORK/cases/perf.startup_time/startcost.log"
