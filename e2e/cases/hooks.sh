#!/usr/bin/env bash
# The hook library GWHooks.dll in real processes: gwhookhost.exe plays the program (creates the
# shared record, installs the hooks, logs the reports), gwtarget.exe is the other application
# whose input the hooks see, xdotool is the user.
#
#   hooks.sh CASE     e.g. hooks.sh click.right_on_list, hooks.sh pass_input_off
set -uo pipefail
source "$(dirname "$0")/../lib.sh"

# ---------------------------------------------------------------------------------------------
# The host

# host_start [Field=value ...]: starts gwhookhost with those record values and waits for its hooks.
host_start() {
  GW_HOST_LOG=$GW_CASE_DIR/host.log
  GW_HOST_CTL=$GW_CASE_DIR/host.ctl
  [ -f "$GW_BIN/GWHooks.dll" ] || gw_fail "missing $GW_BIN/GWHooks.dll"
  gw_start --hooks host "$GW_E2E_BIN/gwhookhost.exe" "$(gw_winpath "$GW_BIN")" "$(gw_winpath "$GW_HOST_LOG")" \
    "$(gw_winpath "$GW_HOST_CTL")" "$@"
  gw_on_stop host "echo quit >'$GW_HOST_CTL'"
  local line
  line=$(gw_wait_log "$GW_HOST_LOG" '^(ready|error)' 15)
  [ "$line" = ready ] || gw_fail "gwhookhost: $line"
}

# host_set COMMAND...: applies record changes ("PassInput=0"), "close", "open" or "quit" in the
# running host and waits until it has. The host reads its commands on a timer, which runs only
# when its queue is empty, so every report posted before this call has been logged by then.
host_set() {
  local mark
  mark=$(gw_log_mark "$GW_HOST_LOG")
  printf '%s\n' "$@" >"$GW_HOST_CTL.tmp"
  mv "$GW_HOST_CTL.tmp" "$GW_HOST_CTL"
  gw_wait_log "$GW_HOST_LOG" "^ctl ${*: -1}\$" 5 "$mark" >/dev/null
}

# Lets the reports of input the target has already seen reach the host's log.
host_sync() {
  sleep 0.2
  host_set CursorShown=1
}

# Ends the host as the program ends and checks that it got through its exit sequence.
host_quit() {
  host_set quit
  gw_wait_log "$GW_HOST_LOG" '^bye$' 5 >/dev/null
  local status
  status=$(gw_wait_exit host 10)
  [ "$status" = 0 ] || gw_fail "gwhookhost ended with $status"
}

# ---------------------------------------------------------------------------------------------
# Pointer helpers tied to the two logs

# hooks_ready TAG [DX DY]: moves the pointer to a point of the window (its centre unless offsets
# are given) until both the window and the host have seen the move there: the hooks are loaded
# in the target and the pointer rests on that point. Prints the point.
hooks_ready() {
  local tag=$1 x y tmark hmark moved
  read -r x y <<<"$(gw_target_point "$@")"
  moved=$(move_pattern "$tag" "$x" "$y")
  for _ in $(seq 25); do
    tmark=$(gw_log_mark "$GW_TARGET_LOG")
    hmark=$(gw_log_mark "$GW_HOST_LOG")
    gw_move $((x + 1)) "$y"
    sleep 0.05
    gw_move "$x" "$y"
    sleep 0.3
    if gw_log_has "$GW_TARGET_LOG" "$tmark" "$moved" &&
      gw_log_has "$GW_HOST_LOG" "$hmark" "^hookmouse msg=0x0(200|0A0) x=$x y=$y "; then
      echo "$x $y"
      return 0
    fi
  done
  gw_fail "the hooks do not see the pointer over $tag"
}

# move_pattern TAG X Y: the target's log line of a move to that screen point, in the client area
# (client coordinates) or on a scroll bar of the window (non-client, screen coordinates).
move_pattern() {
  printf '^%s msg=(0x0200 .* lp=%s|0x00A0 .* lp=0x%04X%04X)$' "$1" "$(gw_target_lparam "$1" "$2" "$3")" "$3" "$2"
}

# sentinel_move TAG X Y: moves the pointer a few pixels within the window and waits until the
# window logs that move; prints the line number of that log line. The target handles its input
# in order, so whatever it was going to receive before the move is in its log above that line.
sentinel_move() {
  local tag=$1 x=$(($2 + 2)) y=$(($3 + 3)) mark moved
  mark=$(gw_log_mark "$GW_TARGET_LOG")
  moved=$(move_pattern "$tag" "$x" "$y")
  gw_move "$x" "$y"
  gw_wait_log "$GW_TARGET_LOG" "$moved" 5 "$mark" >/dev/null
  gw_line_of "$GW_TARGET_LOG" "$mark" "$moved"
}

button_ids() {  # BUTTON -> "DOWN UP" message ids of a client-area click
  case "$1" in
    1) echo "0x0201 0x0202" ;;
    2) echo "0x0207 0x0208" ;;
    3) echo "0x0204 0x0205" ;;
  esac
}

# ---------------------------------------------------------------------------------------------
# The click rule: which presses are swallowed together with their release. Every press and
# release is reported either way.

# name                 | record                           | window | offset  | button | ids             | expected
CLICK_ROWS="
right_on_list          | ScrollEnabled=1 ActivateButton=3 | list   | -       | 3      | -               | swallowed
right_on_plain         | ScrollEnabled=1 ActivateButton=3 | plain  | -       | 3      | -               | passes
right_on_own_scroll_bar| ScrollEnabled=1 ActivateButton=3 | list   | -8 150  | 3      | 0x00A4 0x00A5   | passes
scroll_disabled        | ScrollEnabled=0 ActivateButton=3 | list   | -       | 3      | -               | passes
left_activation        | ScrollEnabled=1 ActivateButton=1 | list   | -       | 1      | -               | swallowed
middle_activation      | ScrollEnabled=1 ActivateButton=2 | list   | -       | 2      | -               | swallowed
other_button           | ScrollEnabled=1 ActivateButton=1 | list   | -       | 3      | -               | passes
no_activation_button   | ScrollEnabled=1 ActivateButton=4 | list   | -       | 3      | -               | passes
mozilla_class          | ScrollEnabled=1 ActivateButton=3 | mozilla| -       | 3      | -               | swallowed
sibling_scroll_bar     | ScrollEnabled=1 ActivateButton=3 | pane   | -       | 3      | -               | swallowed
"

# input_reaches_target PX PY LETTER TMARK: with the pointer on the list, a right click there, a left
# click on the plain window at PX PY and the typed LETTER all arrive at the target (after TMARK).
input_reaches_target() {
  local px=$1 py=$2 letter=$3 tmark=$4 vk
  vk=$(printf '0x%08X' "'${letter^^}")
  xdotool click 3
  gw_wait_log "$GW_TARGET_LOG" '^list msg=0x0204 ' 5 "$tmark" >/dev/null
  gw_wait_log "$GW_TARGET_LOG" '^list msg=0x0205 ' 5 "$tmark" >/dev/null
  gw_click "$px" "$py" 1
  gw_wait_log "$GW_TARGET_LOG" '^plain msg=0x0202 ' 5 "$tmark" >/dev/null
  gw_type "$letter"
  gw_wait_log "$GW_TARGET_LOG" "^plain msg=0x0101 wp=$vk " 5 "$tmark" >/dev/null
}

trim() { echo "$1" | xargs; }

case_click() {
  local row record tag offset button ids expected
  row=$(echo "$CLICK_ROWS" | grep -E "^$1 *\|") || gw_fail "no click row named $1"
  IFS="|" read -r _ record tag offset button ids expected <<<"$row"
  record=$(trim "$record") tag=$(trim "$tag") offset=$(trim "$offset") button=$(trim "$button")
  ids=$(trim "$ids") expected=$(trim "$expected")
  [ "$offset" = - ] && offset=""
  [ "$ids" = - ] && ids=$(button_ids "$button")
  local down up
  read -r down up <<<"$ids"

  gw_target_start
  # shellcheck disable=SC2086
  host_start $record
  local x y tmark hmark sentinel
  # shellcheck disable=SC2086
  read -r x y <<<"$(hooks_ready "$tag" $offset)"
  tmark=$(gw_log_mark "$GW_TARGET_LOG")
  hmark=$(gw_log_mark "$GW_HOST_LOG")
  xdotool click "$button"
  # The report says whether the click rule swallowed the message: the program replays such a click
  # when it starts no gesture with it, and never one that passed.
  local id line flag=0
  [ "$expected" = swallowed ] && flag=1
  for id in "$down" "$up"; do
    line=$(gw_wait_log "$GW_HOST_LOG" "^hookmouse msg=$id x=$x y=$y " 5 "$hmark")
    [[ "$line" == *" swallowed=$flag" ]] || gw_fail "report \"$line\": expected swallowed=$flag"
  done
  sentinel=$(sentinel_move "$tag" "$x" "$y")

  if [ "$expected" = swallowed ]; then
    gw_expect_no_log "$GW_TARGET_LOG" "$tmark" "msg=($down|$up|0x007B) " "swallowed, yet the target got it" \
      "$sentinel"
  else
    gw_expect_log "$GW_TARGET_LOG" "$tmark" "^$tag msg=$down " "the press should pass to the target"
    gw_expect_log "$GW_TARGET_LOG" "$tmark" "^$tag msg=$up " "the release should pass to the target"
  fi
  host_quit
}

# ---------------------------------------------------------------------------------------------
# The switches of the record

# PassInput 0 swallows every mouse message, of every kind and over every window, and every one
# is still reported.
case_pass_input_off() {
  gw_target_start
  host_start ScrollEnabled=1 ActivateButton=3
  local px py lx ly tmark hmark sentinel
  read -r px py <<<"$(hooks_ready plain)"
  read -r lx ly <<<"$(gw_target_point list)"
  host_set PassInput=0
  tmark=$(gw_log_mark "$GW_TARGET_LOG")
  hmark=$(gw_log_mark "$GW_HOST_LOG")

  xdotool click 1
  gw_wheel "$lx" "$ly" down 2
  xdotool click 3
  # Only what the click rule swallowed (the right click over the list) is marked: the program asked
  # for the rest itself and never replays it.
  gw_wait_log "$GW_HOST_LOG" "^hookmouse msg=0x0201 x=$px y=$py .* swallowed=0$" 5 "$hmark" >/dev/null
  gw_wait_log "$GW_HOST_LOG" "^hookmouse msg=0x0202 x=$px y=$py .* swallowed=0$" 5 "$hmark" >/dev/null
  gw_wait_log "$GW_HOST_LOG" "^hookmouse msg=0x0200 x=$lx y=$ly .* swallowed=0$" 5 "$hmark" >/dev/null
  gw_wait_log "$GW_HOST_LOG" "^hookmouse msg=0x020A x=$lx y=$ly .* swallowed=0$" 5 "$hmark" >/dev/null
  gw_wait_log "$GW_HOST_LOG" "^hookmouse msg=0x0204 x=$lx y=$ly .* swallowed=1$" 5 "$hmark" >/dev/null
  gw_wait_log "$GW_HOST_LOG" "^hookmouse msg=0x0205 x=$lx y=$ly .* swallowed=1$" 5 "$hmark" >/dev/null

  host_set PassInput=1
  sentinel=$(sentinel_move list "$lx" "$ly")
  gw_expect_no_log "$GW_TARGET_LOG" "$tmark" "msg=(0x020[1-5A]|0x007B) " "PassInput 0, yet the target got it" \
    "$sentinel"
  gw_expect_no_log "$GW_TARGET_LOG" "$tmark" "^pos list " "PassInput 0, yet the wheel scrolled the list" \
    "$sentinel"
  host_quit
}

# HooksPaused 1: the mouse hook neither swallows nor reports, even a press of the activation
# button over a scrollable window; the keyboard hook goes on reporting.
case_hooks_paused() {
  gw_target_start
  host_start ScrollEnabled=1 ActivateButton=3 ReportKeys=1
  local x y px py tmark hmark
  read -r x y <<<"$(hooks_ready list)"
  read -r px py <<<"$(gw_target_point plain)"
  host_set HooksPaused=1
  host_sync
  tmark=$(gw_log_mark "$GW_TARGET_LOG")
  hmark=$(gw_log_mark "$GW_HOST_LOG")

  input_reaches_target "$px" "$py" k "$tmark"
  host_sync
  gw_expect_no_log "$GW_HOST_LOG" "$hmark" '^hookmouse ' "HooksPaused 1, yet the mouse hook reported"
  gw_expect_log "$GW_HOST_LOG" "$hmark" '^hookkey vk=0x4B .* up=0$' "the key press should be reported"
  gw_expect_log "$GW_HOST_LOG" "$hmark" '^hookkey vk=0x4B .* up=1$' "the key release should be reported"
  host_quit
}

# ReportKeys gates the key reports; keys always pass; a report carries the keystroke's flags
# exactly as the target receives them.
case_report_keys() {
  gw_target_start
  host_start
  local px py tmark hmark
  read -r px py <<<"$(hooks_ready plain)"
  gw_click "$px" "$py" 1  # the focus, for the typing below
  gw_wait_log "$GW_TARGET_LOG" '^plain msg=0x0202 ' 5 >/dev/null

  tmark=$(gw_log_mark "$GW_TARGET_LOG")
  hmark=$(gw_log_mark "$GW_HOST_LOG")
  gw_type a
  gw_wait_log "$GW_TARGET_LOG" '^plain msg=0x0101 wp=0x00000041 ' 5 "$tmark" >/dev/null
  host_sync
  gw_expect_no_log "$GW_HOST_LOG" "$hmark" '^hookkey ' "ReportKeys 0, yet a key was reported"

  host_set ReportKeys=1
  tmark=$(gw_log_mark "$GW_TARGET_LOG")
  hmark=$(gw_log_mark "$GW_HOST_LOG")
  gw_type b
  local target_down target_up
  target_down=$(gw_wait_log "$GW_TARGET_LOG" '^plain msg=0x0100 wp=0x00000042 ' 5 "$tmark")
  target_up=$(gw_wait_log "$GW_TARGET_LOG" '^plain msg=0x0101 wp=0x00000042 ' 5 "$tmark")
  gw_wait_log "$GW_HOST_LOG" "^hookkey vk=0x42 flags=${target_down##*lp=} .* up=0\$" 5 "$hmark" >/dev/null
  gw_wait_log "$GW_HOST_LOG" "^hookkey vk=0x42 flags=${target_up##*lp=} .* up=1\$" 5 "$hmark" >/dev/null

  host_set ReportKeys=0
  host_sync
  hmark=$(gw_log_mark "$GW_HOST_LOG")
  tmark=$(gw_log_mark "$GW_TARGET_LOG")
  gw_type c
  gw_wait_log "$GW_TARGET_LOG" '^plain msg=0x0101 wp=0x00000043 ' 5 "$tmark" >/dev/null
  host_sync
  gw_expect_no_log "$GW_HOST_LOG" "$hmark" '^hookkey ' "ReportKeys 0 again, yet a key was reported"
  host_quit
}

# A held key: every auto-repeat is reported with the previous-state bit set, and the release with
# the transition bit, each exactly as the target receives it.
case_key_repeat() {
  gw_target_start
  host_start ReportKeys=1
  local px py tmark hmark repeat release
  read -r px py <<<"$(hooks_ready plain)"
  gw_click "$px" "$py" 1
  gw_wait_log "$GW_TARGET_LOG" '^plain msg=0x0202 ' 5 >/dev/null
  tmark=$(gw_log_mark "$GW_TARGET_LOG")
  hmark=$(gw_log_mark "$GW_HOST_LOG")
  xdotool keydown d
  sleep 1.2
  xdotool keyup d
  repeat=$(gw_wait_log "$GW_TARGET_LOG" '^plain msg=0x0100 wp=0x00000044 lp=0x4' 5 "$tmark")
  release=$(gw_wait_log "$GW_TARGET_LOG" '^plain msg=0x0101 wp=0x00000044 ' 5 "$tmark")
  gw_wait_log "$GW_HOST_LOG" "^hookkey vk=0x44 flags=0x0[0-9A-F]+ .* up=0\$" 5 "$hmark" >/dev/null
  gw_wait_log "$GW_HOST_LOG" "^hookkey vk=0x44 flags=${repeat##*lp=} .* up=0\$" 5 "$hmark" >/dev/null
  gw_wait_log "$GW_HOST_LOG" "^hookkey vk=0x44 flags=${release##*lp=} .* up=1\$" 5 "$hmark" >/dev/null
  host_quit
}

# Without the record the hooks stay installed but pass everything and report nothing, whatever
# the record said last; once it exists again they report again.
case_section_closed() {
  gw_target_start
  host_start ScrollEnabled=1 ActivateButton=3 ReportKeys=1
  local x y px py tmark hmark
  read -r x y <<<"$(hooks_ready list)"
  read -r px py <<<"$(gw_target_point plain)"
  host_set PassInput=0 close
  tmark=$(gw_log_mark "$GW_TARGET_LOG")
  hmark=$(gw_log_mark "$GW_HOST_LOG")

  input_reaches_target "$px" "$py" z "$tmark"
  host_sync
  gw_expect_no_log "$GW_HOST_LOG" "$hmark" '^hook(mouse|key) ' "no record, yet the hooks reported"

  host_set PassInput=1 open
  hmark=$(gw_log_mark "$GW_HOST_LOG")
  gw_click "$px" "$py" 1
  gw_wait_log "$GW_HOST_LOG" "^hookmouse msg=0x0202 x=$px y=$py " 5 "$hmark" >/dev/null
  host_quit
}

# ---------------------------------------------------------------------------------------------
# A crash of the program. gwcrashhost.exe sets the hooks up as Glidewing does, with the program's
# last-chance handler linked in unchanged, leaves the record in the worst state a gesture leaves it
# in (PassInput 0: every mouse message of the desktop swallowed) and then writes through a null
# pointer. The record is held open from outside (gwprobe hold), so it outlives the crash still
# saying PassInput 0: a hook still in force would swallow every click. The holder sees HooksPaused
# become 1 and the target gets its clicks again: the handler paused and removed the hooks before
# the process died. (It also reloads the cursors, which Wine cannot show: see the unit tests.)
case_crash_handler_unhooks() {
  gw_target_start
  gw_run reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null
  local log=$GW_CASE_DIR/crash.log ctl=$GW_CASE_DIR/crash.ctl hold=$GW_CASE_DIR/hold.log line
  gw_start --hooks crash "$GW_E2E_BIN/gwcrashhost.exe" "$(gw_winpath "$GW_BIN")" "$(gw_winpath "$log")" \
    "$(gw_winpath "$ctl")"
  # Should the handler fail, its hooks stay with Wine: the case's end restarts the wineserver always.
  GW_RESTART_WINESERVER=1
  line=$(gw_wait_log "$log" '^(hooked|error)' 15)
  [ "$line" = hooked ] || gw_fail "gwcrashhost: $line"

  local x y i tmark pid=${GW_PIDS[target]}
  read -r x y <<<"$(gw_target_point plain)"
  for i in $(seq 40); do
    gw_move $((x + i % 2)) "$y"
    sleep 0.25
    grep -qi 'gwhooks\.dll' "/proc/$pid/maps" 2>/dev/null && break
  done
  grep -qi 'gwhooks\.dll' "/proc/$pid/maps" || gw_fail "the hook library never reached the target"
  tmark=$(gw_log_mark "$GW_TARGET_LOG")
  gw_click "$x" "$y" 1
  sleep 1
  gw_expect_no_log "$GW_TARGET_LOG" "$tmark" '^plain msg=0x020[12] ' "PassInput 0, yet the click passed"

  gw_start hold "$GW_E2E_BIN/gwprobe.exe" hold PaneBridge1201 30 "$(gw_winpath "$hold")"
  gw_wait_log "$hold" '^PassInput=0 HooksPaused=0$' 10 >/dev/null
  echo crash >"$ctl"
  gw_wait_exit crash 20 >/dev/null
  gw_expect_log "$log" 0 '^crashing$' "gwcrashhost ended before its crash"
  gw_wait_log "$hold" '^PassInput=0 HooksPaused=1$' 5 >/dev/null

  tmark=$(gw_log_mark "$GW_TARGET_LOG")
  gw_click "$x" "$y" 1
  gw_wait_log "$GW_TARGET_LOG" '^plain msg=0x0201 ' 5 "$tmark" >/dev/null
  gw_wait_log "$GW_TARGET_LOG" '^plain msg=0x0202 ' 5 "$tmark" >/dev/null
}

gw_case_begin "hooks.$1"
case "$1" in
  click.*) case_click "${1#click.}" ;;
  *) "case_$1" ;;
esac
