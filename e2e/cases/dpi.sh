#!/usr/bin/env bash
# Glidewing at other screen densities: the configuration window and the PopDesk menu at 144 and 192
# dpi (Wine's LogPixels, read by a program when it starts), with their screenshots in the artifacts
# for a person to look at, and the window laid out again when its density changes.
#
#   dpi.sh CASE     e.g. dpi.sh window_and_menus_at_144
#
# Wine gives every monitor the one density of LogPixels and never sends WM_DPICHANGED itself, so
# relayout_on_dpi_change posts it as the system does for a window moved to another monitor (without
# the suggested rectangle, which a posted message cannot carry across processes: the window then
# keeps its centre). Wine also gives a program unaware of densities the same physical points as
# every other one, so the mouse hook's conversion of such points shows nowhere under Wine.
set -uo pipefail
source "$(dirname "$0")/../lib.sh"

CLASS=Glidewing_Brightloom_2002

# ---------------------------------------------------------------------------------------------
# The density of the prefix, put back to 96 dpi however the case ends

set_dpi() {
  gw_run --timeout 20 reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null ||
    gw_fail "could not set LogPixels to $1"
}

# The session's prefix is shared with the cases after this one.
end_at_96_dpi() {
  local status=$?
  gw_stop_all
  set_dpi 96 >/dev/null 2>&1
  (exit "$status")
  gw_case_end
}

# ---------------------------------------------------------------------------------------------
# The program, its window and its menus

# scaled VALUE DPI: a 96-dpi size at that density, rounded as MulDiv rounds.
scaled() { echo $((($1 * $2 + 48) / 96)); }

# desktop_reset: an empty, real desktop folder (a fresh prefix links it to $HOME).
desktop_reset() {
  GW_DESKTOP=$WINEPREFIX/drive_c/users/$(whoami)/Desktop
  [ -L "$GW_DESKTOP" ] && rm "$GW_DESKTOP"
  rm -rf "$GW_DESKTOP"
  mkdir -p "$GW_DESKTOP"
}

# expect_client DPI WHY: the client area is 503 x 361 at that density.
expect_client() {
  local w h
  w=$(scaled 503 "$1")
  h=$(scaled 361 "$1")
  [ "$WIDTH" = "$w" ] && [ "$HEIGHT" = "$h" ] || gw_fail "$2: client area ${WIDTH}x$HEIGHT, expected ${w}x$h"
}

# pixel X Y: "R G B" of a screen pixel.
pixel() {
  import -display "$DISPLAY" -window root -crop "1x1+$1+$2" +repage -depth 8 txt:- 2>/dev/null |
    sed -n '2s/^[^(]*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p'
}

# blue X Y: the pixel is the banner's blue (bright blue over little red).
blue() {
  local r g b
  read -r r g b <<<"$(pixel "$1" "$2")"
  [ -n "${b:-}" ] && [ "$b" -gt 150 ] && [ "$r" -lt 100 ] && [ "$b" -gt $((g + 60)) ]
}

# pages DPI: each page of the open window into the artifacts (config-DPI-PAGE.png).
pages() {
  local page tab
  for page in scroll tools popdesk applications about; do
    case "$page" in
      scroll) tab=30 ;; tools) tab=80 ;; popdesk) tab=130 ;; applications) tab=200 ;; about) tab=270 ;;
    esac
    gw_quick_click $((X + $(scaled "$tab" "$1"))) $((Y + $(scaled 18 "$1")))
    sleep 0.7
    import -display "$DISPLAY" -window "$GW_WINDOW" "$GW_ARTIFACTS/config-$1-$page.png" 2>/dev/null ||
      gw_fail "no screenshot of the $page page"
  done
}

# popdesk_menu DPI: rests the pointer on the top left corner until the menu opens there; its
# banner is as wide as the density makes it (26 pixels at 96 dpi); a picture of it into the
# artifacts (popdesk-menu-DPI.png); Escape closes it.
popdesk_menu() {
  local banner i
  banner=$(scaled 26 "$1")
  gw_move 0 0
  for i in $(seq 50); do
    blue 5 8 && break
    sleep 0.2
  done
  blue 5 8 || gw_fail "the PopDesk menu did not open on the top left corner"
  gw_move "$(scaled 14 "$1")" "$(scaled 12 "$1")"  # the first row, through the banner
  sleep 0.5
  blue $((banner - 3)) 8 || gw_fail "the banner is narrower than $banner pixels at $1 dpi"
  blue $((banner + 4)) 8 && gw_fail "the banner is wider than $banner pixels at $1 dpi"
  convert "$(gw_screenshot "popdesk-menu-$1")" -crop "$(scaled 330 "$1")x$(scaled 260 "$1")+0+0" +repage \
    "$GW_ARTIFACTS/popdesk-menu-$1-closeup.png" 2>/dev/null
  gw_key Escape
  gw_move 400 400
  sleep 0.5
}

# ---------------------------------------------------------------------------------------------
# Cases

# window_and_menus DPI: the window made for the density (its client area scaled), its pages and
# the PopDesk menu (with an item in Cyrillic) in pictures.
window_and_menus() {
  trap end_at_96_dpi EXIT
  set_dpi "$1"
  desktop_reset
  echo "Agenda" >"$GW_DESKTOP/Notes.txt"
  cp "$GW_E2E_BIN/gwmarker.exe" "$GW_DESKTOP/Программа.exe"
  gw_move 400 400
  gw_app_start "[popdesk]" "desktopuse=1" "deskactive=0" "desktoptime=0"
  local id SCREEN WINDOW WIDTH HEIGHT X Y
  id=$(gw_wait_window '^Wine System Tray$' 15)
  import -display "$DISPLAY" -window "$id" "$GW_ARTIFACTS/tray-$1.png" 2>/dev/null
  popdesk_menu "$1"
  gw_open_configuration
  expect_client "$1" "at $1 dpi"
  pages "$1"
}

case_window_and_menus_at_144() { window_and_menus 144; }
case_window_and_menus_at_192() { window_and_menus 192; }

# A change of density lays the window out again, sized for the new one, with the focus still on
# the control that had it; back at the first density it is as it was.
case_relayout_on_dpi_change() {
  gw_app_start "[popdesk]" "desktopuse=1" "deskactive=0" "desktoptime=0"
  gw_open_configuration
  expect_client 96 "at first"
  gw_quick_click $((X + 20)) $((Y + 345))  # the window's own ground: it takes the keys
  sleep 0.5
  gw_key Tab  # the first control of the About page
  sleep 0.4
  local log=$GW_CASE_DIR/dialog.log dpi
  for dpi in 144 96; do
    gw_run --timeout 10 "$GW_E2E_BIN/gwprobe.exe" dpichanged "$CLASS" "$dpi" >/dev/null ||
      gw_fail "could not post WM_DPICHANGED"
    sleep 1
    eval "$(xdotool getwindowgeometry --shell "$GW_WINDOW")"
    expect_client "$dpi" "after the change to $dpi dpi"
    import -display "$DISPLAY" -window "$GW_WINDOW" "$GW_ARTIFACTS/relayout-$dpi.png" 2>/dev/null
    rm -f "$log"
    gw_run --timeout 10 "$GW_E2E_BIN/gwprobe.exe" dialog "$CLASS" "$(gw_winpath "$log")" >/dev/null
    grep -q '^focus Button|Visit Our Homepage' "$log" ||
      gw_fail "at $dpi dpi the focus is on $(sed -n 's/^focus //p' "$log")"
    grep -q '^page 4' "$log" || gw_fail "at $dpi dpi another page is shown"
  done
}

gw_case_begin "dpi.$1"
"case_$1"
