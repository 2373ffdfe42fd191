#!/usr/bin/env bash
# The configuration window with the keyboard, as in every Windows dialog: the focus on the first
# control when it opens, Tab in the order of a property sheet, F1 for the help from anywhere,
# Alt+A applying without losing the focus, Ctrl+Tab switching pages, the arrow keys and the mouse
# agreeing about the page, and a focus mark on every control that takes the focus.
#
#   keys.sh CASE     e.g. keys.sh f1_opens_help_from_anywhere
#
# gwprobe.exe's "dialog" question tells what the keyboard sees: the window with the focus (from
# the window's thread), the tab strip's page and the buttons' states.
set -uo pipefail
source "$(dirname "$0")/../lib.sh"

CLASS=Glidewing_Brightloom_2002

# ---------------------------------------------------------------------------------------------
# The program and its window

# take_keys: a click on the window's own ground, left of the buttons: the window becomes the
# active one (X gives the keyboard to the window clicked) and no control is clicked.
take_keys() {
  gw_quick_click $((X + 20)) $((Y + 345))
  sleep 0.5
}

# probe: what the keyboard sees now, into $GW_CASE_DIR/dialog.log; FOCUS ("CLASS|TEXT"), RECT
# ("L T R B" on screen) and PAGE from it.
probe() {
  local log=$GW_CASE_DIR/dialog.log
  rm -f "$log"
  gw_run --timeout 10 "$GW_E2E_BIN/gwprobe.exe" dialog "$CLASS" "$(gw_winpath "$log")" >/dev/null ||
    gw_fail "gwprobe found no window of class $CLASS"
  FOCUS=$(sed -n 's/^focus //p' "$log" | tr -d '\r')
  RECT=$(sed -n 's/^rect //p' "$log" | tr -d '\r')
  PAGE=$(sed -n 's/^page //p' "$log" | tr -d '\r')
}

# key_then_probe KEYS...: the keys, a moment for the window, then probe.
key_then_probe() {
  gw_key "$@"
  sleep 0.4
  probe
}

# expect_focus WHAT PATTERN: the focus is on a window whose "CLASS|TEXT" matches (ERE).
expect_focus() {
  [[ "$FOCUS" =~ $2 ]] || gw_fail "$1: the focus is on '$FOCUS', expected /$2/"
}

expect_page() {
  [ "$PAGE" = "$2" ] || gw_fail "$1: page $PAGE shown, expected $2"
}

# button_state TEXT: "enabled=E checked=C" of the button with that caption.
button_state() {
  sed -n "s/^button $1 //p" "$GW_CASE_DIR/dialog.log" | tr -d '\r'
}

# Where the tabs are, in client pixels at 96 dpi (their widths follow the font).
tab_x() {
  case "$1" in
    scroll) echo 30 ;; tools) echo 80 ;; popdesk) echo 130 ;; applications) echo 200 ;; about) echo 270 ;;
  esac
}
click_tab() {
  gw_quick_click $((X + $(tab_x "$1"))) $((Y + 18))
  sleep 0.5
}

# help_open: the HTML Help window is there.
help_open() { gw_run --timeout 10 "$GW_E2E_BIN/gwprobe.exe" class "HH Parent" >/dev/null; }

# wait_help WHERE: until the help window is there (5 s at most).
wait_help() {
  local i
  for i in $(seq 25); do
    help_open && return 0
    sleep 0.2
  done
  gw_fail "$1: F1 opened no help window"
}

# f1_at WHERE FOCUS-PATTERN [KEYS...]: a fresh program and window, the keys that take the focus to
# the place, then F1: the help opens. The program then ends, and its help window with it: Wine's
# help viewer does not always close on request once an earlier one has been open in the process.
f1_at() {
  local where=$1 pattern=$2
  shift 2
  gw_app_start
  gw_open_configuration
  take_keys
  help_open && gw_fail "a help window is open before F1"
  [ $# -gt 0 ] && gw_key "$@"
  sleep 0.4
  probe
  expect_focus "$where" "$pattern"
  gw_key F1
  wait_help "$where"
  gw_stop glidewing
  gw_running glidewing && gw_fail "Glidewing did not end"
  help_open && gw_fail "the help window outlived the program"
  true
}

# ---------------------------------------------------------------------------------------------
# Cases

# Opened from the tray, the window has the focus on its first control, the tab strip, every time
# it opens, wherever the focus was when it was closed.
case_first_control_has_focus() {
  gw_app_start
  gw_open_configuration
  probe
  expect_focus "opened" '^SysTabControl32\|'
  expect_page "opened" 4
  take_keys
  key_then_probe Tab
  expect_focus "Tab" '^Button\|Visit Our Homepage$'
  gw_key Escape  # Cancel: the window hides
  gw_window_gone '^Glidewing $' 10
  gw_open_configuration
  probe
  expect_focus "opened again" '^SysTabControl32\|'
}

# Tab goes round as in a property sheet: the tab strip, the controls of the page shown, the
# buttons, the tab strip again; Shift+Tab the other way.
case_tab_order_of_a_property_sheet() {
  gw_app_start
  gw_open_configuration
  take_keys
  local expected=('^Button\|Visit Our Homepage$' '^Button\|Contact us$' '^Button\|$' '^Button\|&OK$'
    '^Button\|&Cancel$')
  probe
  # The double click on the tray icon toggles scrolling twice on its way: Apply may be enabled.
  [ "$(button_state '&Apply')" = "enabled=1 checked=0" ] && expected+=('^Button\|&Apply$')
  expected+=('^Button\|&Help$' '^SysTabControl32\|')
  local i
  for i in "${!expected[@]}"; do
    key_then_probe Tab
    expect_focus "Tab $((i + 1))" "${expected[$i]}"
  done
  key_then_probe shift+Tab
  expect_focus "Shift+Tab from the tab strip" '^Button\|&Help$'
  click_tab tools
  key_then_probe Tab
  expect_focus "Tab into the Tools page" '^Button\|Swap Left/Right Button$'
}

# F1 opens the help, as the Help button does, from the tab strip, from a control of a page and
# from a button.
case_f1_opens_help_from_anywhere() {
  f1_at "the tab strip" '^SysTabControl32\|'
  f1_at "a check box of the About page" '^Button\|$' Tab Tab Tab
  f1_at "the Help button" '^Button\|&Help$' shift+Tab
}

# Alt+A applies and the focus stays where it was, so Tab goes on from there.
case_alt_a_keeps_focus() {
  gw_app_start
  gw_open_configuration
  take_keys
  click_tab scroll
  key_then_probe Tab
  expect_focus "Tab" '^Button\|Enabled$'
  gw_key space  # scrolling on: Apply becomes enabled
  sleep 0.3
  probe
  [ "$(button_state Enabled)" = "enabled=1 checked=1" ] || gw_fail "space did not tick Enabled"
  [ "$(button_state '&Apply')" = "enabled=1 checked=0" ] || gw_fail "Apply is not enabled"
  key_then_probe alt+a
  [ "$(button_state '&Apply')" = "enabled=0 checked=0" ] || gw_fail "Alt+A did not apply"
  expect_focus "after Alt+A" '^Button\|Enabled$'
  key_then_probe Tab
  expect_focus "Tab after Alt+A" '^ComboBox\|'
}

# Ctrl+Tab and Ctrl+Shift+Tab switch pages, round from the last to the first; a focus on a
# control of the page left behind moves to the first control of the page shown.
case_ctrl_tab_switches_pages() {
  gw_app_start
  gw_open_configuration
  take_keys
  key_then_probe ctrl+Tab
  expect_page "Ctrl+Tab from About" 0
  expect_focus "Ctrl+Tab on the tab strip" '^SysTabControl32\|'
  key_then_probe ctrl+Tab
  expect_page "Ctrl+Tab" 1
  key_then_probe ctrl+shift+Tab ctrl+shift+Tab
  expect_page "Ctrl+Shift+Tab twice" 4
  key_then_probe Tab
  expect_focus "Tab into About" '^Button\|Visit Our Homepage$'
  key_then_probe ctrl+Tab
  expect_page "Ctrl+Tab from a control" 0
  expect_focus "the focus after the page it was on went" '^Button\|Enabled$'
  key_then_probe ctrl+Next
  expect_page "Ctrl+Page Down" 1
  key_then_probe ctrl+Prior
  expect_page "Ctrl+Page Up" 0
}

# A page chosen with the arrow keys and one chosen with the mouse are the same page: a click on
# another tab after the arrows is never ignored.
case_arrows_and_clicks_agree() {
  gw_app_start
  gw_open_configuration
  take_keys
  click_tab scroll
  probe
  expect_page "click on Scroll" 0
  local step
  for step in "Right 1" "click popdesk 2" "Left 1" "click about 4" "Left 3" "Left 2" "click scroll 0" \
    "Right 1" "Right 2" "click tools 1" "Left 0" "Left 0"; do
    read -r what a b <<<"$step"
    if [ "$what" = click ]; then
      click_tab "$a"
      probe
      expect_page "$step" "$b"
    else
      key_then_probe "$what"
      expect_page "$step" "$a"
    fi
  done
}

# Every control that takes the focus shows it: the part of the screen where a control is looks
# different while it has the focus and once the focus has gone on to the next one. The pictures of
# the About page with and without the focus on its check box go to the artifacts.
case_every_control_shows_focus() {
  gw_app_start "[popdesk]" "desktopuse=1"  # PopDesk's options enabled, so they take the focus too
  gw_open_configuration
  take_keys
  local page seen=0 failures=()
  for page in scroll tools popdesk applications about; do
    click_tab "$page"
    probe
    expect_focus "the $page tab" '^SysTabControl32\|'
    # Each Tab takes the focus from one control to the next: the one it left must look different
    # from the moment before, where it had it. The page is done when the focus reaches OK.
    local had="" had_rect="" had_shot=$GW_CASE_DIR/had.png now_shot=$GW_CASE_DIR/now.png i
    for i in $(seq 20); do
      key_then_probe Tab
      import -display "$DISPLAY" -window root "$now_shot" 2>/dev/null || gw_fail "no screenshot"
      if [ -n "$had" ]; then
        local l t r b differ
        read -r l t r b <<<"$had_rect"
        local crop="$((r - l + 4))x$((b - t + 4))+$((l - 2))+$((t - 2))"
        convert "$had_shot" -crop "$crop" +repage "$GW_CASE_DIR/with.png"
        convert "$now_shot" -crop "$crop" +repage "$GW_CASE_DIR/without.png"
        differ=$(compare -metric AE "$GW_CASE_DIR/with.png" "$GW_CASE_DIR/without.png" null: 2>&1)
        seen=$((seen + 1))
        [ "${differ%% *}" -gt 0 ] 2>/dev/null || failures+=("$page: '$had'")
        if [ "$page" = about ] && [ "$had" = "Button|" ]; then  # the box beside its own label
          cp "$had_shot" "$GW_ARTIFACTS/keys-about-box-focused.png"
          cp "$now_shot" "$GW_ARTIFACTS/keys-about-box-unfocused.png"
        fi
      fi
      [[ "$FOCUS" =~ ^Button\|\&OK$ ]] && break
      had=$FOCUS
      had_rect=$RECT
      cp "$now_shot" "$had_shot"
    done
  done
  echo "$seen controls, each with a focus mark" >"$GW_CASE_DIR/focus.log"
  [ "$seen" -ge 20 ] || gw_fail "only $seen controls took the focus"
  [ ${#failures[@]} = 0 ] || gw_fail "no focus mark on: ${failures[*]}"
}

gw_case_begin "keys.$1"
"case_$1"
