#!/usr/bin/env bash
# The program Glidewing.exe as a user meets it: one instance only, the start-up error boxes, the
# Run value of a first start and of a standard user's, Exit from the tray menu, and the
# configuration window's pages (screenshots into the artifacts folder for a person to look at).
#
#   program.sh CASE     e.g. program.sh second_start_exits_at_once
#
# gwprobe.exe answers what X cannot see: hidden windows by class, the shared section, the text of
# a message box.
set -uo pipefail
source "$(dirname "$0")/../lib.sh"

CLASS=Glidewing_Brightloom_2002
RUN_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'

# app_copy [FILE...]: the runnable set in a folder of the case's own, without the files named.
app_copy() {
  GW_APP_DIR=$GW_CASE_DIR/app
  mkdir -p "$GW_APP_DIR"
  [ -f "$GW_BIN/Glidewing.exe" ] || gw_fail "missing $GW_BIN/Glidewing.exe"
  cp "$GW_BIN"/*.exe "$GW_BIN"/*.dll "$GW_BIN"/*.chm "$GW_APP_DIR"/ 2>/dev/null
  local file
  for file in "$@"; do
    rm -f "$GW_APP_DIR/$file"
  done
}

# app_ini: a settings file that keeps the Run value out of the way of the other cases.
app_ini() {
  printf '%s\r\n' "[Tools]" "Check_autorun=0" >"$GW_APP_DIR/GWing.ini"
}

# wait_exit NAME TIMEOUT: waits for the program to end; its exit status goes to EXIT_STATUS.
# (gw_wait_exit has to run in this shell, not in a command substitution, to be able to wait.)
wait_exit() {
  gw_wait_exit "$1" "$2" >"$GW_CASE_DIR/$1.status"
  EXIT_STATUS=$(cat "$GW_CASE_DIR/$1.status")
}

# expect_box TEXT: a message box captioned "Glidewing" shows exactly TEXT; it is closed with OK.
expect_box() {
  local log=$GW_CASE_DIR/box.log line
  gw_wait_probe 20 box Glidewing "$(gw_winpath "$log")" click || gw_fail "no message box captioned Glidewing"
  line=$(head -n1 "$log" | tr -d '\r')
  [ "$line" = "box $1" ] || gw_fail "message box says \"${line#box }\", expected \"$1\""
}

case_second_start_exits_at_once() {
  app_copy
  app_ini
  gw_start first "$GW_APP_DIR/Glidewing.exe"
  gw_wait_probe 20 class "$CLASS" || gw_fail "the first instance has no main window"
  gw_start second "$GW_APP_DIR/Glidewing.exe"
  wait_exit second 10
  [ "$EXIT_STATUS" = 0 ] || gw_fail "the second start ended with $EXIT_STATUS, expected 0"
  gw_running first || gw_fail "the first instance ended too"
  gw_probe box Glidewing "$(gw_winpath "$GW_CASE_DIR/box.log")" && gw_fail "a message box appeared"
  true
}

# A missing library stops start-up with its message; the program stays in the tray.
missing_library() {
  app_copy "$1"
  app_ini
  gw_start glidewing "$GW_APP_DIR/Glidewing.exe"
  expect_box "$2"
  gw_wait_probe 10 class "$CLASS" || gw_fail "no main window after the error"
  sleep 1
  gw_running glidewing || gw_fail "Glidewing ended after the error"
  gw_tray_point >/dev/null
  # Without the hooks there is no shared record either.
  gw_probe section PaneBridge1201 && gw_fail "the shared section exists without the hook library"
  true
}

case_missing_hooks_library_reported() { missing_library GWHooks.dll "GWHooks.Dll Not Found!"; }
case_missing_tools_library_reported() { missing_library Tools.dll "Tools.Dll Not Found !"; }

case_first_start_writes_run_value() {
  app_copy
  gw_run reg delete "$RUN_KEY" /v Glidewing /f >/dev/null
  gw_start glidewing "$GW_APP_DIR/Glidewing.exe"
  gw_wait_probe 20 class "$CLASS" || gw_fail "no main window"
  local expected i out=""
  expected="\"$(gw_winpath "$GW_APP_DIR/Glidewing.exe")\""
  for i in $(seq 20); do
    out=$(gw_run reg query "$RUN_KEY" /v Glidewing | tr -d '\r')
    grep -qiF "REG_SZ    $expected" <<<"$out" && break
    sleep 0.5
  done
  grep -qiF "REG_SZ    $expected" <<<"$out" || gw_fail "Run value: \"$out\", expected $expected"
  # Start-up applies the settings but saves nothing.
  [ -e "$GW_APP_DIR/GWing.ini" ] && gw_fail "a first start wrote GWing.ini"
  gw_run reg delete "$RUN_KEY" /v Glidewing /f >/dev/null
  true
}

# run_value ROOT: the data of the value "Glidewing" under ROOT's Run key (HKLM or HKCU), or nothing.
run_value() {
  gw_run reg query "$1\\Software\\Microsoft\\Windows\\CurrentVersion\\Run" /v Glidewing 2>/dev/null |
    tr -d '\r' | sed -n 's/^ *Glidewing *REG_SZ *//p'
}

# wait_run_values MACHINE USER: until the two values are these ("" for none), 10 s at most.
wait_run_values() {
  for _ in $(seq 20); do
    [ "$(run_value HKLM)" = "$1" ] && [ "$(run_value HKCU)" = "$2" ] && return 0
    sleep 0.5
  done
  gw_fail "Run values: HKLM [$(run_value HKLM)], HKCU [$(run_value HKCU)]; expected [$1] and [$2]"
}

# A standard user cannot write HKLM's Run key: the value goes under the user's own Run key, quoted,
# while the machine-wide one that an administrator left stays. Switched off, the user's goes; the
# machine-wide one goes too once the key is writable (an administrator's start).
case_run_value_for_a_standard_user() {
  app_copy
  local exe old='"C:\Old\Glidewing.exe"' root
  exe="\"$(gw_winpath "$GW_APP_DIR/Glidewing.exe")\""
  for root in HKLM HKCU; do
    gw_run reg delete "$root\\Software\\Microsoft\\Windows\\CurrentVersion\\Run" /v Glidewing /f >/dev/null 2>&1
  done
  gw_run reg add "$RUN_KEY" /v Glidewing /d "$old" /f >/dev/null
  gw_at_case_end "gw_probe runkey allow"
  gw_probe runkey deny || gw_fail "the Run key's write access could not be taken away"

  gw_start glidewing "$GW_APP_DIR/Glidewing.exe"  # no settings file: Start with Windows is on
  gw_wait_probe 20 section PaneBridge1201 || gw_fail "no shared section after start-up"
  wait_run_values "$old" "$exe"
  gw_probe box Glidewing "$(gw_winpath "$GW_CASE_DIR/box.log")" && gw_fail "a message box appeared"
  gw_stop glidewing

  app_ini # Check_autorun=0
  gw_start glidewing "$GW_APP_DIR/Glidewing.exe"
  gw_wait_probe 20 section PaneBridge1201 || gw_fail "no shared section after start-up"
  wait_run_values "$old" ""
  gw_stop glidewing

  gw_probe runkey allow || gw_fail "the Run key's write access could not be given back"
  gw_start glidewing "$GW_APP_DIR/Glidewing.exe"
  gw_wait_probe 20 section PaneBridge1201 || gw_fail "no shared section after start-up"
  wait_run_values "" ""
  gw_stop glidewing
}

# menu_pictures PNG X Y: the pictures of a menu opened at X Y, top to bottom, one number each: the
# saturation in percent of its most colourful pixel. A picture is a run of at least 6 rows with
# something drawn in the picture column; separators are thinner, and the black root window below
# the menu counts as nothing.
menu_pictures() {
  convert "$1" -crop "19x200+$(($2 + 18))+$(($3 + 2))" +repage -colorspace HSL -depth 8 txt:- |
    awk -F'[(),:% ]+' '
      NR > 1 && $5 > 5 && $5 < 92 { drawn[$2] = 1; if ($4 > sat[$2]) sat[$2] = $4 }
      END {
        for (y = 0; y <= 200; y++) {
          if (drawn[y]) { run++; if (sat[y] > best) best = sat[y] }
          else { if (run >= 6) printf "%d\n", best; run = 0; best = 0 }
        }
      }'
}

# open_tray_menu: a fresh Glidewing, its tray menu opened with a right click on the icon, whose
# point is left in x and y.
open_tray_menu() {
  app_copy
  app_ini
  gw_start glidewing "$GW_APP_DIR/Glidewing.exe"
  gw_wait_probe 20 section PaneBridge1201 || gw_fail "no shared section after start-up"
  read -r x y <<<"$(gw_tray_point)"
  gw_click "$x" "$y" 3
}

case_exit_from_tray_menu() {
  local x y
  open_tray_menu
  sleep 1
  gw_screenshot tray-menu >/dev/null
  # No optical drive here: "Eject CD-ROM" is greyed, and so is its picture, while the pictures of
  # Lock Computer, Scroll options and Exit keep their colours.
  local pictures lock eject options quit
  pictures=$(menu_pictures "$GW_ARTIFACTS/tray-menu.png" "$x" "$y" | tr '\n' ' ')
  gw_log "saturation of the tray menu's pictures: $pictures"
  read -r lock eject options quit <<<"$pictures"
  [ -n "$quit" ] || gw_fail "expected four pictures in the tray menu, found: $pictures"
  [ "$eject" -le 5 ] || gw_fail "the greyed Eject CD-ROM item shows its picture in colour"
  [ "$lock" -ge 30 ] && [ "$options" -ge 30 ] && [ "$quit" -ge 30 ] ||
    gw_fail "the enabled items should show their pictures in colour"
  gw_key Up Return  # the last item: Exit
  wait_exit glidewing 15
  [ "$EXIT_STATUS" = 0 ] || gw_fail "Glidewing ended with $EXIT_STATUS"
  gw_probe section PaneBridge1201 && gw_fail "the shared section outlived the program"
  gw_probe class "$CLASS" && gw_fail "the main window outlived the program"
  true
}

# A WM_CLOSE from another program while the tray menu is open: the menu ends first, then the
# normal shutdown runs (exit code 0, the shared section and the window gone).
case_close_while_tray_menu_open() {
  local x y
  open_tray_menu
  gw_wait_probe 10 class '#32768' || gw_fail "the tray menu did not open"
  gw_probe close "$CLASS" || gw_fail "could not send WM_CLOSE"
  wait_exit glidewing 15
  [ "$EXIT_STATUS" = 0 ] || gw_fail "Glidewing ended with $EXIT_STATUS"
  gw_probe section PaneBridge1201 && gw_fail "the shared section outlived the program"
  gw_probe class "$CLASS" && gw_fail "the main window outlived the program"
  true
}

case_configuration_pages_screenshots() {
  app_copy
  app_ini
  printf '%s\r\n' "[Applications]" "Exclude1=mspaint.exe" "Exclude2=mstsc.exe" "Exclude3=vmplayer.exe" \
    >>"$GW_APP_DIR/GWing.ini"  # the Applications page with a few programs on its list
  gw_start glidewing "$GW_APP_DIR/Glidewing.exe"
  gw_wait_probe 20 class "$CLASS" || gw_fail "no main window"
  gw_screenshot tray >/dev/null
  local x y id
  read -r x y <<<"$(gw_tray_point)"
  gw_double_click "$x" "$y"
  id=$(gw_wait_window '^Glidewing $' 10)
  eval "$(xdotool getwindowgeometry --shell "$id")"
  [ "$WIDTH" = 503 ] && [ "$HEIGHT" = 361 ] || gw_fail "client area ${WIDTH}x$HEIGHT, expected 503x361"
  local page tab=0
  # The About page is the one shown first. Then each page in turn: a click on the first tab, then
  # the Right key to the next (the tabs' widths follow the font, their order does not).
  import -display "$DISPLAY" -window "$id" "$GW_ARTIFACTS/config-about-first.png" 2>/dev/null
  gw_click $((X + 36)) $((Y + 18))
  for page in scroll tools popdesk applications about; do
    [ "$page" = scroll ] || gw_key Right
    sleep 0.7
    import -display "$DISPLAY" -window "$id" "$GW_ARTIFACTS/config-$page.png" 2>/dev/null ||
      gw_fail "no screenshot of the $page page"
    tab=$((tab + 1))
  done
  [ "$tab" = 5 ] || gw_fail "not every page was shown"
  true
}

case_closing_hides_to_tray() {
  app_copy
  app_ini
  gw_start glidewing "$GW_APP_DIR/Glidewing.exe"
  gw_wait_probe 20 class "$CLASS" || gw_fail "no main window"
  local x y id
  read -r x y <<<"$(gw_tray_point)"
  gw_double_click "$x" "$y"
  id=$(gw_wait_window '^Glidewing $' 10)
  eval "$(xdotool getwindowgeometry --shell "$id")"
  gw_click $((X + 36)) $((Y + 18))  # the Scroll tab: the window has the focus
  sleep 0.5
  gw_key alt+F4
  gw_window_gone '^Glidewing $' 10
  sleep 1
  gw_running glidewing || gw_fail "closing the window ended the program"
  gw_probe class "$CLASS" || gw_fail "closing the window destroyed it"
  gw_double_click "$x" "$y"
  gw_wait_window '^Glidewing $' 10 >/dev/null
}

# A left click on the icon switches scrolling off: the icon changes and the file says so at once.
case_left_click_toggles_scrolling() {
  app_copy
  app_ini
  gw_start glidewing "$GW_APP_DIR/Glidewing.exe"
  gw_wait_probe 20 class "$CLASS" || gw_fail "no main window"
  local x y before after
  read -r x y <<<"$(gw_tray_point)"
  gw_move $((x + 300)) $((y + 300))  # no tooltip over the icon in the pictures
  sleep 0.5
  before=$(import -display "$DISPLAY" -window root -crop "16x16+$((x - 8))+$((y - 8))" +repage -depth 8 txt:- | md5sum)
  gw_click "$x" "$y"
  # Each key of the save rewrites the file: decide on the one reading that saw the key, not on a
  # second one that may meet the file half rewritten.
  local i saved=0
  for i in $(seq 20); do
    if grep -q '^GpEnabled=0' "$GW_APP_DIR/GWing.ini" 2>/dev/null; then
      saved=1
      break
    fi
    sleep 0.5
  done
  [ "$saved" = 1 ] || gw_fail "GWing.ini does not say GpEnabled=0"
  gw_move $((x + 300)) $((y + 300))
  sleep 0.5
  after=$(import -display "$DISPLAY" -window root -crop "16x16+$((x - 8))+$((y - 8))" +repage -depth 8 txt:- | md5sum)
  [ "$before" != "$after" ] || gw_fail "the tray icon did not change"
  gw_screenshot tray-disabled >/dev/null
}

gw_case_begin "program.$1"
"case_$1"
