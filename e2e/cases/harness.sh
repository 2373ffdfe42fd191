#!/usr/bin/env bash
# Cases that check the harness itself with gwtarget alone (no product binary needed): real X input
# reaches the windows of a Windows program at the places the program reports.
set -uo pipefail
source "$(dirname "$0")/../lib.sh"

case_target_receives_input() {
  gw_target_start
  local x y mark lp
  read -r x y <<<"$(gw_target_point plain)"
  mark=$(gw_log_mark "$GW_TARGET_LOG")
  gw_click "$x" "$y" 1
  lp=$(gw_target_lparam plain "$x" "$y")
  gw_wait_log "$GW_TARGET_LOG" "^plain msg=0x0201 wp=0x00000001 lp=$lp" 5 "$mark" >/dev/null
  gw_wait_log "$GW_TARGET_LOG" "^plain msg=0x0202 .* lp=$lp" 5 "$mark" >/dev/null

  # The click gave the plain window the focus, so typed keys arrive there.
  gw_type a
  gw_wait_log "$GW_TARGET_LOG" '^plain msg=0x0100 wp=0x00000041 ' 5 "$mark" >/dev/null
  gw_wait_log "$GW_TARGET_LOG" '^plain msg=0x0101 wp=0x00000041 ' 5 "$mark" >/dev/null

  read -r x y <<<"$(gw_target_point list)"
  gw_click "$x" "$y" 3
  gw_wait_log "$GW_TARGET_LOG" '^list msg=0x0204 ' 5 "$mark" >/dev/null
  gw_wait_log "$GW_TARGET_LOG" '^list msg=0x007B ' 5 "$mark" >/dev/null

  # The wheel scrolls the list, and the target reports the new top line.
  gw_wheel "$x" "$y" down 2
  gw_wait_log "$GW_TARGET_LOG" '^list msg=0x020A ' 5 "$mark" >/dev/null
  gw_wait_log "$GW_TARGET_LOG" '^pos list [1-9]' 5 "$mark" >/dev/null
  gw_screenshot "$GW_CASE" >/dev/null || gw_fail "no screenshot"
}

gw_case_begin "harness.$1"
"case_$1"
