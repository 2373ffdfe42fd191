#!/usr/bin/env bash
# PopDesk and the mouse tools with the real Glidewing.exe: the menu of the desktop's items that
# opens when the pointer rests on a screen corner, launching an item from it, and the button swap
# applied through the system's own setting.
#
#   popdesk.sh CASE     e.g. popdesk.sh menu_lists_and_launches
#
# The cursor hiding while typing is not here: SetSystemCursor does nothing under Wine, so it is
# covered by the unit tests of tools/ only.
set -uo pipefail
source "$(dirname "$0")/../lib.sh"

# ---------------------------------------------------------------------------------------------
# The program, in a folder of its own with its own GWing.ini

# app_start INI-TEXT: copies the runnable set into the case folder, writes GWing.ini beside it
# (CRLF, as the profile API writes it) and starts Glidewing.exe from there.
app_start() {
  GW_APP_DIR=$GW_CASE_DIR/app
  mkdir -p "$GW_APP_DIR"
  [ -f "$GW_BIN/Glidewing.exe" ] || gw_fail "missing $GW_BIN/Glidewing.exe"
  cp "$GW_BIN"/*.exe "$GW_BIN"/*.dll "$GW_APP_DIR"/ 2>/dev/null
  cp "$GW_BIN"/*.chm "$GW_APP_DIR"/ 2>/dev/null
  printf '%s\n' "$1" | sed 's/$/\r/' >"$GW_APP_DIR/GWing.ini"
  gw_start glidewing "$GW_APP_DIR/Glidewing.exe"
  sleep 2
  gw_running glidewing || gw_fail "Glidewing.exe ended at start-up: $(cat "$GW_CASE_DIR/glidewing.out")"
}

# The ini of a PopDesk case: PopDesk on, top left corner, the shortest wait (list position 0,
# 100 ms); scrolling off so that no click of the case is taken for a scroll.
popdesk_ini() {
  printf '%s\n' "[Scroll]" "GpEnabled=0" "[Tools]" "Check_autorun=0" \
    "[popdesk]" "desktopuse=1" "deskactive=0" "desktoptime=0"
}

# ---------------------------------------------------------------------------------------------
# The desktop folder of the prefix

# desktop_reset: an empty, real desktop folder (a fresh prefix links it to $HOME).
desktop_reset() {
  GW_DESKTOP=$WINEPREFIX/drive_c/users/$(whoami)/Desktop
  if [ -L "$GW_DESKTOP" ]; then
    rm "$GW_DESKTOP"
  fi
  rm -rf "$GW_DESKTOP"
  mkdir -p "$GW_DESKTOP"
}

# ---------------------------------------------------------------------------------------------
# The menu on screen

# The colour of a screen pixel as "R G B".
pixel() {
  import -display "$DISPLAY" -window root -crop "1x1+$1+$2" +repage -depth 8 txt:- 2>/dev/null |
    sed -n '2s/^[^(]*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p'
}

# True while the banner's blue shows at the top left: the menu is open at the top left corner.
menu_open() {
  local r g b
  read -r r g b <<<"$(pixel 12 8)"
  [ -n "${b:-}" ] && [ "$b" -gt 150 ] && [ "$r" -lt 100 ] && [ "$b" -gt $((g + 60)) ]
}

# wait_menu [TIMEOUT=10]: rests the pointer on the top left corner pixel until the menu is open.
wait_menu() {
  local timeout=${1:-10} i
  gw_move 0 0
  for i in $(seq $((timeout * 5))); do
    menu_open && return 0
    sleep 0.2
  done
  gw_fail "the PopDesk menu did not open on the top left corner within ${timeout}s"
}

# menu_focus: the pointer onto the first row (through the banner), which selects that row and
# lets the keys reach the menu. Wine hands the keyboard to a menu only once the pointer has been
# over it.
menu_focus() {
  gw_move 10 10
  sleep 0.3
}

# choose N: picks entry N (0-based) with the keyboard, as a user would: from the first row N
# times Down, then Return.
choose() {
  local i keys=()
  menu_focus
  for i in $(seq "$1"); do keys+=(Down); done
  gw_key "${keys[@]}" Return
}

# wait_file FILE [TIMEOUT=10]
wait_file() {
  local i
  for i in $(seq $((${2:-10} * 10))); do
    [ -f "$1" ] && return 0
    sleep 0.1
  done
  gw_fail "no $(basename "$1") within ${2:-10}s"
}

# The desktop namespace items that come first under Wine: My Computer, Documents, Trash and "/";
# the files of the desktop folder follow in name order.
NAMESPACE_ITEMS=4

# ---------------------------------------------------------------------------------------------
# Cases

# The items put on the desktop are in the menu, after the namespace items and in the shell's
# order, and choosing one launches it. A screenshot of the open menu goes to the artifacts.
case_menu_lists_and_launches() {
  desktop_reset
  mkdir "$GW_DESKTOP/Projects"
  echo "Agenda for Monday" >"$GW_DESKTOP/Notes.txt"
  cp "$GW_E2E_BIN/gwmarker.exe" "$GW_DESKTOP/Run marker.exe"
  gw_move 500 400
  app_start "$(popdesk_ini)"

  wait_menu 15
  menu_focus
  gw_key Down Down Down Down  # rest on Notes.txt: the picture shows a selected row too
  sleep 0.5
  local shot
  shot=$(gw_screenshot popdesk-menu) || gw_fail "no screenshot"
  # The menu's corner of the screen, twice the size, for a closer look.
  convert "$shot" -crop 320x260+0+0 +repage -scale 200% "$GW_ARTIFACTS/popdesk-menu-closeup.png" 2>/dev/null
  gw_key Escape
  gw_move 300 300  # off the corner: the menu stays closed
  sleep 0.5
  menu_open && gw_fail "the menu is still open after Escape"

  wait_menu
  choose $((NAMESPACE_ITEMS + 2))  # Notes.txt, Projects, Run marker.exe
  wait_file "$GW_DESKTOP/Run marker.exe.ran"
  gw_move 300 300
  sleep 0.5
  menu_open && gw_fail "the menu is still open after a choice"
  gw_running glidewing || gw_fail "Glidewing.exe ended"
}

# Closing the menu while the pointer stays on the corner brings it back at the next tick, built
# afresh: an item added while it was open is in the new one.
case_reopens_with_new_items() {
  desktop_reset
  cp "$GW_E2E_BIN/gwmarker.exe" "$GW_DESKTOP/Run marker.exe"
  gw_move 500 400
  app_start "$(popdesk_ini)"

  wait_menu 15
  echo "added" >"$GW_DESKTOP/Added later.txt"
  menu_focus
  gw_move 0 0  # back onto the corner, then close with the keyboard
  sleep 0.3
  gw_key Escape
  sleep 1
  menu_open || gw_fail "the menu did not come back with the pointer still on the corner"
  choose $((NAMESPACE_ITEMS + 1))  # Added later.txt, Run marker.exe
  wait_file "$GW_DESKTOP/Run marker.exe.ran"
  gw_move 300 300
}

# A WM_CLOSE from another program while the menu is open ends the menu first, then the program
# through its normal shutdown (exit code 0, the shared section gone).
case_close_while_menu_open() {
  desktop_reset
  gw_move 500 400
  app_start "$(popdesk_ini)"
  wait_menu 15
  gw_run --timeout 10 "$GW_E2E_BIN/gwprobe.exe" close Glidewing_Brightloom_2002 >/dev/null ||
    gw_fail "could not send WM_CLOSE"
  local status
  gw_wait_exit glidewing 15 >"$GW_CASE_DIR/exit.status"
  status=$(cat "$GW_CASE_DIR/exit.status")
  [ "$status" = 0 ] || gw_fail "Glidewing ended with $status"
  gw_run --timeout 10 "$GW_E2E_BIN/gwprobe.exe" section PaneBridge1201 >/dev/null &&
    gw_fail "the shared section outlived the program"
  gw_move 300 300
  true
}

# utf16_escapes TEXT: TEXT as Wine's traces write wide strings: ASCII as it is, every other
# character as a backslash and four hexadecimal digits ("\041f" for "П").
utf16_escapes() {
  python3 -c 'import sys; print("".join(c if " " <= c < "\x7f" else "\\%04x" % ord(c) for c in sys.argv[1]))' "$1"
}

# Desktop items named in Cyrillic and in Chinese show their names in the menu as the shell gives
# them (the menu draws them in wide characters: every name arrives whole at the drawing call,
# which Wine's "text" trace shows), and the Cyrillic one launches. A picture of the menu goes to
# the artifacts.
case_names_in_any_script() {
  desktop_reset
  local cyrillic="Программа.exe" chinese="说明文件.txt"
  cp "$GW_E2E_BIN/gwmarker.exe" "$GW_DESKTOP/$cyrillic"
  echo "notes" >"$GW_DESKTOP/$chinese"
  gw_move 500 400
  WINEDEBUG=+text app_start "$(popdesk_ini)"

  wait_menu 15
  menu_focus
  sleep 0.5
  local shot
  shot=$(gw_screenshot popdesk-menu-names) || gw_fail "no screenshot"
  convert "$shot" -crop 320x260+0+0 +repage -scale 200% "$GW_ARTIFACTS/popdesk-menu-names-closeup.png" 2>/dev/null
  local name drawn
  for name in "$cyrillic" "$chinese"; do
    drawn="L\"$(utf16_escapes "$name")\""
    grep -aqF "DrawTextExW $drawn" "$GW_CASE_DIR/glidewing.out" ||
      gw_fail "the menu did not draw \"$name\" whole (no $drawn in the trace)"
  done
  grep -aq 'DrawTextExW L"[^"]*?' "$GW_CASE_DIR/glidewing.out" && gw_fail "the menu drew a name with a question mark"
  # In the shell's order: the namespace items, then the desktop's files sorted by name (the
  # Cyrillic one first).
  choose "$NAMESPACE_ITEMS"
  wait_file "$GW_DESKTOP/$cyrillic.ran"
  gw_move 300 300
}

# ---------------------------------------------------------------------------------------------
# On every monitor

# menu_open_at X Y: the banner's blue shows just right of and below the Windows screen point
# (the menu opens there, at the cursor, in the corner).
menu_open_at() {
  local r g b
  read -r r g b <<<"$(pixel $(($1 + ${GW_ORIGIN_X:-0} + 12)) $(($2 + ${GW_ORIGIN_Y:-0} + 8)))"
  [ -n "${b:-}" ] && [ "$b" -gt 150 ] && [ "$r" -lt 100 ] && [ "$b" -gt $((g + 60)) ]
}

# rest_on X Y SECONDS: the pointer rests on that point; true if the menu opened there meanwhile.
rest_on() {
  local i
  gw_move "$1" "$2"
  for i in $(seq $(($3 * 5))); do
    menu_open_at "$1" "$2" && return 0
    sleep 0.2
  done
  return 1
}

# close_menu X Y: Escape with the pointer on the menu, then the pointer away; the menu is gone.
close_menu() {
  gw_move $(($1 + 10)) $(($2 + 10))
  sleep 0.3
  gw_key Escape
  gw_move 300 300
  sleep 0.5
  menu_open_at "$1" "$2" && gw_fail "the menu at ($1,$2) is still open after Escape"
  true
}

# every_monitor_ini 0|1: PopDesk on the top left corner after 100 ms, "On every monitor" so.
every_monitor_ini() {
  printf '%s\n' "[Scroll]" "GpEnabled=0" "[Tools]" "Check_autorun=0" \
    "[popdesk]" "desktopuse=1" "deskactive=0" "desktoptime=0" "everymonitor=$1"
}

# With a second monitor left of the primary (the two-monitor session: it lies at (-1024,0)-(0,768))
# and "On every monitor", the top left corner of the desktop is the left monitor's, where the
# cursor stops: the menu opens there. The primary's top left corner leads on into the left
# monitor and opens nothing; the top right corner (chosen next) is the primary's own.
case_monitors.left.every_monitor_corner() {
  desktop_reset
  echo "Agenda" >"$GW_DESKTOP/Notes.txt"
  gw_move 300 300
  app_start "$(every_monitor_ini 1)"
  rest_on -1024 0 10 || gw_fail "no menu on the left monitor's top left corner, the desktop's"
  gw_screenshot monitors-left-every-monitor-menu >/dev/null
  close_menu -1024 0
  rest_on 0 0 2 && gw_fail "the primary's top left corner opened the menu, though the desktop goes on"
  gw_move 300 300
  true
}

# Without "On every monitor", everything stays as it was: the primary's corner pixel opens the
# menu even with a monitor beyond it, the desktop's corner on the other monitor does not.
case_monitors.left.primary_corner_only() {
  desktop_reset
  gw_move 300 300
  app_start "$(every_monitor_ini 0)"
  rest_on -1024 0 2 && gw_fail "the left monitor's corner opened the menu without On every monitor"
  rest_on 0 0 10 || gw_fail "no menu on the primary's top left corner"
  close_menu 0 0
}

# The box on the PopDesk page goes to GWing.ini as everymonitor, last in [popdesk]; everything
# else in the file is as the program has always written it.
case_every_monitor_box_saved() {
  gw_app_start
  local X Y WIDTH HEIGHT
  gw_open_configuration
  gw_quick_click $((X + 130)) $((Y + 18))  # the PopDesk tab
  sleep 0.7
  gw_quick_click $((X + ENABLE_BOX_X)) $((Y + ENABLE_BOX_Y))
  sleep 0.5
  gw_quick_click $((X + EVERY_MONITOR_BOX_X)) $((Y + EVERY_MONITOR_BOX_Y))
  sleep 0.5
  import -display "$DISPLAY" -window "$GW_WINDOW" "$GW_ARTIFACTS/config-popdesk-every-monitor.png" 2>/dev/null
  gw_quick_click $((X + OK_X)) $((Y + OK_Y))
  gw_window_gone '^Glidewing $' 10
  local expected=$GW_CASE_DIR/expected.ini
  # As the profile calls write it: the keys of the old file in their places, new keys at the end
  # of their section, new sections in the order of their first key.
  printf '%s\r\n' "[Scroll]" "GpEnabled=0" "LiveKey=2" "SpeedX=10" "SpeedY=20" "ScrollModeA=0" "ScrollModeB=1" \
    "MoveLock=0" "MoveBack=0" "Inverse=0" "AutoFollow=0" "[Tools]" "Check_autorun=0" "Check_zhlrj=0" "Check_ctype=0" \
    "Check_dwan=0" "[popdesk]" "deskactive=0" "desktopuse=1" "desktoptime=0" "everymonitor=1" \
    "[Applications]" "FullScreenAside=1" >"$expected"
  cmp -s "$expected" "$GW_APP_DIR/GWing.ini" ||
    gw_fail "GWing.ini differs from the expected: $(diff <(tr -d '\r' <"$expected") <(tr -d '\r' <"$GW_APP_DIR/GWing.ini") | tr '\n' ' ')"
}

# In client pixels of the configuration window at 96 dpi: the PopDesk page's two boxes (on the page,
# which lies inside the tab strip's frame), and OK.
ENABLE_BOX_X=35
ENABLE_BOX_Y=188
EVERY_MONITOR_BOX_X=42
EVERY_MONITOR_BOX_Y=258
OK_X=183
OK_Y=341

# No menu when PopDesk is off, however long the pointer rests on the corner.
case_off_never_opens() {
  desktop_reset
  gw_move 500 400
  app_start "$(printf '%s\n' "[Scroll]" "GpEnabled=0" "[Tools]" "Check_autorun=0" \
    "[popdesk]" "desktopuse=0" "deskactive=0" "desktoptime=0")"
  gw_move 0 0
  sleep 2
  menu_open && gw_fail "the menu opened with PopDesk off"
  gw_move 300 300
}

# probe_swap: what the system reports for swapped buttons now.
probe_swap() {
  local log=$GW_CASE_DIR/swap.log
  rm -f "$log"
  gw_run "$GW_E2E_BIN/gwswapprobe.exe" "$(gw_winpath "$log")" >/dev/null
  sed -n 's/^swap=//p' "$log"
}

# The apply step at start-up switches the system's button swap on or off after the setting.
case_swap_buttons_applied() {
  local state
  for state in 1 0; do
    app_start "$(printf '%s\n' "[Scroll]" "GpEnabled=0" "[Tools]" "Check_autorun=0" "Check_zhlrj=$state")"
    local i value=""
    for i in $(seq 20); do
      value=$(probe_swap)
      [ "$value" = "$state" ] && break
      sleep 0.3
    done
    [ "$value" = "$state" ] || gw_fail "Check_zhlrj=$state: SM_SWAPBUTTON reports '$value'"
    gw_stop glidewing
  done
}

# wait_swap STATE: until the system reports STATE for swapped buttons (a few seconds at most).
wait_swap() {
  local i value=""
  for i in $(seq 20); do
    value=$(probe_swap)
    [ "$value" = "$1" ] && return 0
    sleep 0.3
  done
  gw_fail "SM_SWAPBUTTON reports '$value', expected $1"
}

# Ticking "Swap Left/Right Button" changes nothing by itself; Apply swaps the buttons, and Apply
# with the box cleared again puts them back.
case_swap_buttons_apply_button() {
  app_start "$(printf '%s\n' "[Scroll]" "GpEnabled=0" "[Tools]" "Check_autorun=0" "Check_zhlrj=0")"
  wait_swap 0
  local x y id X Y WIDTH HEIGHT SCREEN WINDOW
  read -r x y <<<"$(gw_tray_point)"
  gw_double_click "$x" "$y"
  id=$(gw_wait_window '^Glidewing $' 10)
  eval "$(xdotool getwindowgeometry --shell "$id")"
  gw_click $((X + 90)) $((Y + 18))  # the Tools tab
  sleep 0.7
  import -display "$DISPLAY" -window "$id" "$GW_CASE_DIR/tools-page.png" 2>/dev/null

  gw_click $((X + SWAP_BOX_X)) $((Y + SWAP_BOX_Y))
  sleep 1
  [ "$(probe_swap)" = 0 ] || gw_fail "ticking the box swapped the buttons before Apply"
  gw_click $((X + APPLY_X)) $((Y + APPLY_Y))
  wait_swap 1

  gw_click $((X + SWAP_BOX_X)) $((Y + SWAP_BOX_Y))
  gw_click $((X + APPLY_X)) $((Y + APPLY_Y))
  wait_swap 0
}

# In client pixels of the configuration window: the "Swap Left/Right Button" box on the Tools
# page and the Apply button.
SWAP_BOX_X=84
SWAP_BOX_Y=63
APPLY_X=363
APPLY_Y=341

gw_case_begin "popdesk.$1"
"case_$1"
