#!/usr/bin/env bash
# What an idle Glidewing costs under Wine: over SECONDS with no input, the CPU time and the wake-ups
# (context switches) of its threads and the wineserver's CPU time, beside gwtray.exe (a tray program
# with no timer: what Wine itself costs an idle process); then, with Wine's message trace, every
# message Glidewing's windows get in TRACED seconds; both with PopDesk off and with PopDesk on. With
# it off there is no message at all; with it on only its timer's ticks (10 a second): nothing else
# polls.
#
#   bash scripts/idle-cost.sh [SECONDS [TRACED]]     (default 60 and 20)
#
# Needs the Windows build the end-to-end suite uses; runs in a private display and Wine prefix under
# build/perf, a little longer than twice the two times together.
set -euo pipefail
cd "$(dirname "$0")/.."
export GW_E2E_WORK=${GW_E2E_WORK:-$PWD/build/perf} GW_PERF_IDLE=${1:-60} GW_PERF_IDLE_TRACE=${2:-20}
bash e2e/cases/perf.sh idle_cost
