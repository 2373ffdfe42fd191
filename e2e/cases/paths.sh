#!/usr/bin/env bash
# Glidewing from a folder whose name the ANSI code page of a Western system (1252) cannot hold, as
# the per-user installer gives a user named "Łukasz" or "王芳": Wine runs with LANG=en_US.UTF-8,
# whose ANSI code page is 1252, so the system's ANSI calls cannot even name such a folder. From a
# Cyrillic and a CJK folder the program starts, loads Tools.dll and GWHooks.dll from there (the
# hooks reach gwtarget and an Auto Scroll drag scrolls it as GWing.ini there says), writes GWing.ini
# there, opens its help from there and writes the Run value: the quoted path, whole.
#
#   paths.sh CASE     e.g. paths.sh folder.cyrillic
#
# The program's manifest asks for the UTF-8 code page, which Windows 10 version 1903 and later
# (and Wine) grant; on older systems the ANSI code page stays the system's and only the wide calls
# at the program's seams carry the path. The cases ".older_system" run a copy whose manifest entry
# is taken out (renamed), so the ANSI code page stays 1252 as there.
#
# aside.program_named_in_cyrillic: the Applications list names a program in Cyrillic ("Цель.exe",
# a copy of gwtarget.exe): the hook compares the names as the program writes them, and stands
# aside there.
set -uo pipefail
source "$(dirname "$0")/../lib.sh"

# Wine reads file names in the character set of the locale; its ANSI code page follows the language.
unset LC_ALL LC_CTYPE
export LANG=en_US.UTF-8
locale -a 2>/dev/null | grep -qix 'en_US.utf8' || {
  echo "FAIL: the locale en_US.UTF-8 is missing (scripts/setup-machine.sh generates it)" >&2
  exit 1
}

RUN_VALUE_KEYS=('HKLM\Software\Microsoft\Windows\CurrentVersion\Run' 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run')

# run_value KEY: the data of the value "Glidewing" under KEY, as the registry holds it (reg query
# prints in the console's code page; an export is UTF-16).
run_value() {
  local file=$GW_CASE_DIR/run.reg
  rm -f "$file"
  gw_run reg export "$1" "$(gw_winpath "$file")" /y >/dev/null 2>&1 || return 0
  iconv -f UTF-16 -t UTF-8 "$file" | tr -d '\r' | sed -n 's/^"Glidewing"="\(.*\)"$/\1/p' |
    sed 's/\\\(.\)/\1/g'
}

# app_copy FOLDER [older]: the runnable set in FOLDER; "older" takes the UTF-8 code page out of the
# copy's manifest (the same length, so nothing else in the file moves).
app_copy() {
  local dir=$1 file
  mkdir -p "$dir"
  for file in Glidewing.exe GWHooks.dll Tools.dll glidewing.chm; do
    [ -f "$GW_BIN/$file" ] || gw_fail "missing $GW_BIN/$file"
    cp "$GW_BIN/$file" "$dir/"
  done
  if [ "${2:-}" = older ]; then
    python3 - "$dir/Glidewing.exe" <<'PY' || gw_fail "the manifest of Glidewing.exe has no UTF-8 code page"
import sys
path = sys.argv[1]
data = open(path, 'rb').read()
entry = b'<activeCodePage xmlns="http://schemas.microsoft.com/SMI/2019/WindowsSettings">UTF-8</activeCodePage>'
if data.count(entry) != 1:
    sys.exit(1)
open(path, 'wb').write(data.replace(entry, entry.replace(b'activeCodePage', b'activeCodePagX')))
PY
  fi
}

# app_start FOLDER: Glidewing from FOLDER (a settings file there: Auto Scroll with the right button,
# both speeds at 60, start with Windows on), started once the pointer rests on gwtarget.
app_start() {
  local dir=$1
  printf '%s\r\n' "[Scroll]" "LiveKey=2" "SpeedX=60" "SpeedY=60" "ScrollModeA=0" "ScrollModeB=0" "GpEnabled=1" \
    "[Tools]" "Check_autorun=1" "${@:2}" >"$dir/GWing.ini"
  gw_start app "$dir/Glidewing.exe"
}

# settle X Y: a last move over the mozilla window, which it logs: everything it got before is
# above the line number printed.
settle() {
  local mark
  mark=$(gw_log_mark "$GW_TARGET_LOG")
  gw_move $(($1 + 2)) $(($2 + 3))
  gw_wait_log "$GW_TARGET_LOG" "^mozilla msg=0x0200 " 5 "$mark" >/dev/null
  gw_line_of "$GW_TARGET_LOG" "$mark" "^mozilla msg=0x0200 "
}

# right_drag: a right-button drag down by 30 pixels over gwtarget's mozilla window, held 1.2 s; sets
# MARK and END, the target log's lines around it.
right_drag() {
  local x y
  read -r x y <<<"$(gw_target_point mozilla)"
  gw_move "$x" "$y"
  sleep 0.3
  MARK=$(gw_log_mark "$GW_TARGET_LOG")
  xdotool mousedown 3
  sleep 0.3
  for i in 1 2 3; do
    gw_move "$x" $((y + 10 * i))
    sleep 0.05
  done
  sleep 1.2
  xdotool mouseup 3
  sleep 0.5
  END=$(settle "$x" $((y + 30)))
}

# drag_scrolls: the drag scrolls the window as Auto Scroll with the vertical speed 60 does (wheel
# deltas of -94), and the press and release stay with the gesture.
drag_scrolls() {
  local count
  right_drag
  count=$(gw_log_since "$GW_TARGET_LOG" "$MARK" | head -n $((END - MARK)) | grep -c '^mozilla msg=0x020A wp=0xFFA20000 ')
  [ "$count" -ge 3 ] || gw_fail "the drag should scroll with wheel deltas of -94, got $count"
  gw_expect_no_log "$GW_TARGET_LOG" "$MARK" "^mozilla msg=0x020[45] " "the press and release belong to the gesture" "$END"
}

# open_window: the configuration window, opened with a double click on the tray icon; its position
# in X Y (the caller declares them local).
open_window() {
  local tray id WIDTH HEIGHT SCREEN WINDOW
  tray=$(gw_wait_window '^Wine System Tray$' 15)
  eval "$(xdotool getwindowgeometry --shell "$tray")"
  gw_double_click $((X + 10)) $((Y + 10))
  id=$(gw_wait_window '^Glidewing $' 10)
  eval "$(xdotool getwindowgeometry --shell "$id")"
  xdotool windowfocus --sync "$id" # keys go to the focused X window
}

# help_opens: the configuration window (a double click on the tray icon) and its Help button: the
# help viewer shows the file's own title, so it read glidewing.chm from the program's folder.
help_opens() {
  local X Y
  open_window
  gw_click $((X + 453)) $((Y + 341))
  gw_wait_window '^Glidewing Help$' 15 >/dev/null
  gw_probe box Glidewing "$(gw_winpath "$GW_CASE_DIR/box.log")" && gw_fail "$(tr -d '\r' <"$GW_CASE_DIR/box.log")"
  gw_screenshot "$GW_CASE-help" >/dev/null
  gw_probe close "HH Parent"
  gw_window_gone '^Glidewing Help$' 10
}

folder_case() {
  local name=$1 variant=${2:-} dir winexe key
  dir=$GW_CASE_DIR/$name/Glidewing
  app_copy "$dir" "$variant"
  winexe=$(gw_winpath "$dir/Glidewing.exe")
  for key in "${RUN_VALUE_KEYS[@]}"; do
    gw_run reg delete "$key" /v Glidewing /f >/dev/null 2>&1
  done

  gw_target_start
  app_start "$dir"
  gw_hooks_loaded "$name/Glidewing"
  drag_scrolls

  # The Run value: the executable's whole path in quotes (HKLM is the prefix user's to write).
  local value
  for _ in $(seq 20); do
    value=$(run_value "${RUN_VALUE_KEYS[0]}")
    [ -n "$value" ] && break
    sleep 0.5
  done
  [ "$value" = "\"$winexe\"" ] || gw_fail "Run value: [$value], expected [\"$winexe\"]"

  help_opens
  # The tray's double click (two toggles) and OK save the settings into GWing.ini beside the program.
  local id X Y WIDTH HEIGHT SCREEN WINDOW
  id=$(gw_wait_window '^Glidewing $' 5)
  eval "$(xdotool getwindowgeometry --shell "$id")"
  gw_click $((X + 183)) $((Y + 341)) # OK
  gw_window_gone '^Glidewing $' 10
  for _ in $(seq 20); do
    tr -d '\r' <"$dir/GWing.ini" | grep -qx 'desktopuse=0' && break
    sleep 0.5
  done
  tr -d '\r' <"$dir/GWing.ini" | grep -qx 'desktopuse=0' || gw_fail "OK wrote no GWing.ini in $dir"
  tr -d '\r' <"$dir/GWing.ini" | grep -qx 'SpeedY=60' || gw_fail "GWing.ini lost what it said"

  gw_stop app
  for key in "${RUN_VALUE_KEYS[@]}"; do
    gw_run reg delete "$key" /v Glidewing /f >/dev/null 2>&1
  done
  true
}

case_folder.cyrillic() { folder_case "Программы"; }
case_folder.cjk() { folder_case "王芳"; }
case_folder.cyrillic.older_system() { folder_case "Программы" older; }
case_folder.cjk.older_system() { folder_case "王芳" older; }

# A program named in Cyrillic on the Applications list: its window keeps the right button (the
# press and release reach it, nothing scrolls).
case_aside.program_named_in_cyrillic() {
  local dir=$GW_CASE_DIR/Программы
  mkdir -p "$dir"
  cp "$GW_E2E_BIN/gwtarget.exe" "$dir/Цель.exe"
  # gw_target_start, with the renamed copy.
  GW_TARGET_LOG=$GW_CASE_DIR/target.log
  gw_start target "$dir/Цель.exe" "$(gw_winpath "$GW_TARGET_LOG")"
  gw_wait_log "$GW_TARGET_LOG" '^ready' 20 >/dev/null
  gw_wait_window '^GWTarget list$' >/dev/null
  gw_target_ready plain

  app_copy "$GW_CASE_DIR/app"
  app_start "$GW_CASE_DIR/app" "[Applications]" "Exclude1=Цель.exe"
  gw_hooks_loaded "app"
  right_drag
  gw_expect_log "$GW_TARGET_LOG" "$MARK" "^mozilla msg=0x0204 " "the press should reach the listed program"
  gw_expect_log "$GW_TARGET_LOG" "$MARK" "^mozilla msg=0x0205 " "the release should reach the listed program"
  gw_expect_no_log "$GW_TARGET_LOG" "$MARK" "^mozilla msg=0x020A " "the listed program was scrolled" "$END"
  gw_stop app
}

# Libraries of the system that the program loads on first use come from the system folder, never
# from the program's own: with a comdlg32.dll of somebody else's beside Glidewing.exe (here a copy of
# Tools.dll), Add... on the Applications page still opens the system's file dialog, and the planted
# library is never mapped. (The multimedia library and psapi go the same way; the HTML Help control
# is named by its full path in the system folder.)
case_system_library_from_the_system_folder() {
  local dir=$GW_CASE_DIR/app pid X Y
  app_copy "$dir"
  cp "$GW_BIN/Tools.dll" "$dir/comdlg32.dll"
  # Wine prefers its built-in comdlg32 wherever a native one lies; Windows has only native ones.
  WINEDLLOVERRIDES="comdlg32=n,b" app_start "$dir"
  pid=${GW_PIDS[app]}
  open_window
  gw_click $((X + 36)) $((Y + 18))  # the first tab, then the keys to the Applications page
  gw_key Right Right Right
  sleep 0.7
  gw_click $((X + 398)) $((Y + 121)) # Add...
  for _ in $(seq 60); do
    grep -qiF "$dir/comdlg32.dll" "/proc/$pid/maps" && gw_fail "the comdlg32.dll beside the program was loaded"
    xdotool search --onlyvisible --name '^Add a program$' >/dev/null 2>&1 && break
    sleep 0.25
  done
  gw_wait_window '^Add a program$' 1 >/dev/null
  gw_screenshot "$GW_CASE-dialog" >/dev/null
  grep -qiF "$dir/comdlg32.dll" "/proc/$pid/maps" && gw_fail "the comdlg32.dll beside the program was loaded"
  grep -qi 'comdlg32\.dll' "/proc/$pid/maps" || gw_fail "no comdlg32.dll mapped while its dialog is open"
  gw_key Escape
  gw_window_gone '^Add a program$' 10
  gw_stop app
}

gw_case_begin "paths.$1"
"case_$1"
