#!/usr/bin/env bash
# What Glidewing costs under Wine, measured with the real binaries: the hook's price per mouse move
# (gwhookcost.exe), the time from start to tray icon (gwstartcost.exe) and what an idle Glidewing
# does (idle_cost). The scripts in scripts/ run these with full counts in a session of their own
# (hook-cost.sh, startup-time.sh, idle-cost.sh); the test suite runs them briefly as smoke cases and
# checks what they report besides the figures.
#
# Environment: GW_PERF_MOVES, GW_PERF_ROUNDS (moves per round and rounds of hook_cost),
# GW_PERF_RUNS (starts of each program in startup_time), GW_PERF_IDLE (seconds of idle_cost).
set -uo pipefail
source "$(dirname "$0")/../lib.sh"

# Every move reaches the window with and without a hook; the channel hook and GWHooks.dll report
# each one to it, the pass-through hook and no hook report nothing.
case_hook_cost() {
  local log=$GW_CASE_DIR/hookcost.log moves=${GW_PERF_MOVES:-100} rounds=${GW_PERF_ROUNDS:-1}
  gw_start --hooks hookcost "$GW_E2E_BIN/gwhookcost.exe" "$(gw_winpath "$GW_BIN")" "$(gw_winpath "$log")" \
    "$moves" "$rounds"
  # In this shell, not in a command substitution: only the shell that started it can wait for it.
  # Up to 10 ms a move (four modes, a few more moves each to warm up) on a machine others share.
  gw_wait_exit hookcost $((30 + (moves + 50) * rounds * 4 / 100)) >"$GW_CASE_DIR/hookcost.status"
  [ "$(cat "$GW_CASE_DIR/hookcost.status")" = 0 ] || gw_fail "gwhookcost.exe ended with $(cat "$GW_CASE_DIR/hookcost.status"): $(grep '^error' "$log" 2>/dev/null)"
  local mode expected
  for mode in a b c d; do
    expected=0
    [[ $mode = [cd] ]] && expected=$moves
    gw_log_has "$log" 0 "^round [0-9]+ $mode " || gw_fail "no round of mode $mode"
    awk -v m="$mode" -v e="$expected" -v n="$moves" \
      '$1 == "round" && $3 == m { split($6, r, "="); split($7, v, "=");
                                  if (r[2] != e || v[2] != n) { print; bad = 1 } }
       END { exit bad }' "$log" >&2 ||
      gw_fail "mode $mode: expected $moves moves and $expected reports per round"
  done
  tr -d '\r' <"$log" | grep -E '^(median|ratio)'
}

# The runnable set in a folder of the case's own, with settings that leave the Run value alone.
app_copy() {
  GW_APP_DIR=$GW_CASE_DIR/app
  mkdir -p "$GW_APP_DIR"
  cp "$GW_BIN"/*.exe "$GW_BIN"/*.dll "$GW_BIN"/*.chm "$GW_APP_DIR"/ || gw_fail "no runnable set in $GW_BIN"
  printf '%s\r\n' "[Tools]" "Check_autorun=0" >"$GW_APP_DIR/GWing.ini"
}

# Glidewing and gwtray.exe each start, show their tray icon and end again (Glidewing by /exit).
case_startup_time() {
  local log=$GW_CASE_DIR/startcost.log runs=${GW_PERF_RUNS:-1}
  app_copy
  gw_start startcost "$GW_E2E_BIN/gwstartcost.exe" "$(gw_winpath "$log")" "$runs" \
    "$(gw_winpath "$GW_APP_DIR/Glidewing.exe")" "$(gw_winpath "$GW_E2E_BIN/gwtray.exe")"
  gw_wait_exit startcost $((30 + runs * 20)) >"$GW_CASE_DIR/startcost.status"
  [ "$(cat "$GW_CASE_DIR/startcost.status")" = 0 ] ||
    gw_fail "gwstartcost.exe ended with $(cat "$GW_CASE_DIR/startcost.status"): $(grep '^error' "$log" 2>/dev/null)"
  gw_log_has "$log" 0 '^done' || gw_fail "no result"
  tr -d '\r' <"$log" | grep -E '^(median|ratio)'
}

# thread_counts PID: one line per thread: "TID CPU-TICKS VOLUNTARY NONVOLUNTARY NAME".
thread_counts() {
  local task
  for task in /proc/"$1"/task/*; do
    [ -r "$task/stat" ] || continue
    # The name in field 2 is in parentheses and may hold blanks: read the fields after it.
    local rest ticks
    rest=$(sed 's/^.*) //' "$task/stat")
    ticks=$(awk '{ print $12 + $13 }' <<<"$rest")
    echo "${task##*/} $ticks $(awk '/^voluntary_ctxt_switches/ { v = $2 } /^nonvoluntary_ctxt_switches/ { n = $2 }
                                    END { print v, n }' "$task/status") $(tr -d ' ' <"$task/comm")"
  done
}

# idle_sample NAME SECONDS [LABEL]: the CPU time and the wake-ups (context switches) of every thread
# of a running program over SECONDS of idleness; one summary line per program, the busiest threads
# below.
idle_sample() {
  local name=${3:-$1} seconds=$2 pid=${GW_PIDS[$1]}
  local before after hz
  hz=$(getconf CLK_TCK)
  before=$(thread_counts "$pid")
  local server_before server_after
  server_before=$(server_ticks)
  sleep "$seconds"
  after=$(thread_counts "$pid")
  server_after=$(server_ticks)
  join <(sort <<<"$before") <(sort <<<"$after") | awk -v name="$name" -v s="$seconds" -v hz="$hz" \
    -v server=$(((server_after - server_before) * 1000 / hz)) '
    { cpu = ($6 - $2) * 1000 / hz; wakes = ($7 - $3) + ($8 - $4); total_cpu += cpu; total_wakes += wakes
      line[NR] = sprintf("  thread %s (%s): %.0f ms CPU, %.1f wake-ups/s", $1, $5, cpu, wakes / s); w[NR] = wakes }
    END { printf "idle %s: %d threads, %.0f ms CPU in %d s (%.2f%%), %.1f wake-ups/s; wineserver %d ms CPU\n",
                 name, NR, total_cpu, s, total_cpu / (s * 10), total_wakes / s, server
          for (i = 1; i <= NR; ++i) if (w[i] > 0) print line[i] }'
}

# CPU ticks of the session's wineserver (it serves every Wine call of the session's programs).
server_ticks() {
  local pid
  pid=$(pgrep -n -f "^$GW_WINESERVER" 2>/dev/null || true)
  [ -n "$pid" ] && awk '{ sub(/^.*\) /, ""); print $12 + $13 }' "/proc/$pid/stat" || echo 0
}

# idle_messages LABEL SECONDS: Glidewing from GW_APP_DIR with Wine's message trace; every message
# a window procedure of Glidewing gets in SECONDS of idleness, counted, and a summary line. Sets
# IDLE_TICKS (PopDesk timer ticks: WM_TIMER with wParam 1) and IDLE_OTHERS (everything else).
idle_messages() {
  local label=$1 traced=$2 trace=$GW_CASE_DIR/messages-$1.txt
  WINEDEBUG=+message gw_start glidewing "$GW_APP_DIR/Glidewing.exe"
  gw_wait_window '^Wine System Tray$' 15 >/dev/null
  sleep 2
  local mark
  mark=$(gw_log_mark "$GW_CASE_DIR/glidewing.out")
  sleep "$traced"
  # Lines like: spy_enter_message (0x50044) L"Glidewing "  [0113] WM_TIMER dispatched  wp=00000001 lp=0
  gw_log_since "$GW_CASE_DIR/glidewing.out" "$mark" | tr -d '\r' | grep 'spy_enter_message' |
    sed -n 's/.*\(\[[0-9a-f]*\] [A-Za-z_0-9]*\) \([a-z]*\) *\(wp=[0-9a-f]*\).*/\1 \2 \3/p' |
    sort | uniq -c | sort -rn >"$trace"
  gw_stop glidewing
  gw_window_gone '^Wine System Tray$' 10
  IDLE_TICKS=$(awk '$3 == "WM_TIMER" && $5 == "wp=00000001" { n += $1 } END { print n + 0 }' "$trace")
  IDLE_OTHERS=$(awk '!($3 == "WM_TIMER" && $5 == "wp=00000001") { n += $1 } END { print n + 0 }' "$trace")
  printf 'idle glidewing (%s) messages in %d s: %d PopDesk timer ticks (%.1f/s), %d others\n' "$label" \
    "$traced" "$IDLE_TICKS" "$(awk -v n="$IDLE_TICKS" -v s="$traced" 'BEGIN { print n / s }')" "$IDLE_OTHERS"
  sed 's/^/  /' "$trace"
}

# idle_glidewing LABEL SECONDS: Glidewing from GW_APP_DIR, idle for SECONDS, sampled.
idle_glidewing() {
  gw_start glidewing "$GW_APP_DIR/Glidewing.exe"
  gw_wait_window '^Wine System Tray$' 15 >/dev/null
  sleep 2
  idle_sample glidewing "$2" "glidewing ($1)"
  gw_stop glidewing
  gw_window_gone '^Wine System Tray$' 10
}

# Glidewing with no input. Nothing polls: with PopDesk off no timer runs at all, with PopDesk on
# only its corner check (100 ms) may wake it. Measured beside gwtray.exe, a tray program with no
# timer at all, for what Wine itself does in an idle process; then the messages Glidewing's windows
# get while idle, counted from Wine's message trace, with PopDesk off and on.
case_idle_cost() {
  local seconds=${GW_PERF_IDLE:-3} traced=${GW_PERF_IDLE_TRACE:-2}
  app_copy
  gw_start tray "$GW_E2E_BIN/gwtray.exe"
  gw_on_stop tray "gw_run --timeout 10 '$GW_E2E_BIN/gwprobe.exe' close GWTray"
  gw_wait_window '^Wine System Tray$' 15 >/dev/null
  sleep 2
  idle_sample tray "$seconds"
  gw_stop tray
  gw_window_gone '^Wine System Tray$' 10

  idle_glidewing "PopDesk off" "$seconds"
  idle_messages "PopDesk off" "$traced"
  [ "$IDLE_TICKS" = 0 ] || gw_fail "PopDesk off, and yet $IDLE_TICKS timer ticks in $traced s"
  [ "$IDLE_OTHERS" = 0 ] || gw_fail "an idle Glidewing with PopDesk off got messages"

  printf '%s\r\n' "[Tools]" "Check_autorun=0" "[popdesk]" "desktopuse=1" >"$GW_APP_DIR/GWing.ini"
  idle_glidewing "PopDesk on" "$seconds"
  idle_messages "PopDesk on" "$traced"
  [ "$IDLE_TICKS" -gt 0 ] || gw_fail "PopDesk on, and no timer tick in $traced s"
  [ "$IDLE_OTHERS" = 0 ] || gw_fail "an idle Glidewing got other messages than its PopDesk timer ticks"
}

gw_case_begin "perf.$1"
"case_$1"
