#!/usr/bin/env bash
# Scrolling another application's window with the real Glidewing.exe and GWHooks.dll: gwtarget.exe
# is the application (it logs the wheel, scroll and mouse messages its windows receive and the
# position of its sibling scroll bar), xdotool is the user's mouse.
#
#   scroll.sh CASE     e.g. scroll.sh auto_scroll.wheel_down
#
# Our program cannot read the scroll bars of another process's window under Wine (it can see
# scroll-bar controls by class and style, but GetScrollBarInfo fails across processes), so dragging
# the thumb of a window's own bar is proven by the unit tests of the scroll output; here the
# windows are scrolled as wheel targets (class names containing "MozillaWindowClass",
# "Chrome_RenderWidgetHostHWND" and "HwndWrapper[") and through a sibling "ScrollBar" control.
set -uo pipefail
source "$(dirname "$0")/../lib.sh"

# ---------------------------------------------------------------------------------------------
# The program

# app_start [Key=value ...] [Applications.Key=value ...]: runs Glidewing from a folder of its own
# with a settings file holding those "Scroll" keys (right button, Classic, Auto Scroll, both sliders
# at 60 unless given; AutoFollow only when given) and those keys of the "Applications" section, and
# waits until its hooks are loaded into the target.
app_start() {
  local dir=$GW_CASE_DIR/app file
  mkdir -p "$dir"
  for file in Glidewing.exe GWHooks.dll Tools.dll; do
    [ -f "$GW_BIN/$file" ] || gw_fail "missing $GW_BIN/$file"
    cp "$GW_BIN/$file" "$dir/"
  done
  declare -A keys=([LiveKey]=2 [SpeedX]=60 [SpeedY]=60 [ScrollModeA]=0 [ScrollModeB]=0 [GpEnabled]=1
                   [MoveLock]=0 [MoveBack]=0 [Inverse]=0 [AutoFollow]=)
  local pair applications=()
  for pair in "$@"; do
    case "$pair" in
      Applications.*) applications+=("${pair#Applications.}") ;;
      *) keys[${pair%%=*}]=${pair#*=} ;;
    esac
  done
  {
    printf '[Scroll]\r\n'
    for pair in LiveKey SpeedX SpeedY ScrollModeA ScrollModeB GpEnabled MoveLock MoveBack Inverse AutoFollow; do
      [ -z "${keys[$pair]}" ] || printf '%s=%s\r\n' "$pair" "${keys[$pair]}"
    done
    printf '[Tools]\r\nCheck_autorun=0\r\n'
    [ ${#applications[@]} -eq 0 ] || printf '[Applications]\r\n'
    for pair in "${applications[@]}"; do
      printf '%s\r\n' "$pair"
    done
  } >"$dir/GWing.ini"
  GW_APP_INI=$dir/GWing.ini
  gw_start app "$dir/Glidewing.exe"
  gw_hooks_loaded
}

app_quit() {
  gw_stop app
}

# ---------------------------------------------------------------------------------------------
# Pointer scripts

# drag_path X Y DX DY STEPS: moves the pointer from X Y by DX DY in STEPS equal steps.
drag_path() {
  local x=$1 y=$2 dx=$3 dy=$4 steps=$5 i
  for i in $(seq "$steps"); do
    gw_move $((x + dx * i / steps)) $((y + dy * i / steps))
    sleep 0.05
  done
}

# wheel_deltas TAG MARK [END] [MSG=020A]: the signed wheel deltas the window received after MARK,
# one a line; MSG 020E for the horizontal wheel.
wheel_deltas() {
  local lines
  lines=$(gw_log_since "$GW_TARGET_LOG" "$2")
  [ -n "${3:-}" ] && lines=$(echo "$lines" | head -n $(($3 - $2)))
  echo "$lines" | sed -n "s/^$1 msg=0x${4:-020A} wp=0x\\([0-9A-F]\\{4\\}\\)[0-9A-F]\\{4\\} .*/\\1/p" |
    while read -r high; do
      local v=$((16#$high))
      [ "$v" -ge 32768 ] && v=$((v - 65536))
      echo "$v"
    done
}

# settle TAG X Y: a final move within the window that the window logs; everything the target got
# before it is in the log above the line number printed.
settle() {
  local tag=$1 x=$(($2 + 2)) y=$(($3 + 3)) mark
  mark=$(gw_log_mark "$GW_TARGET_LOG")
  gw_move "$x" "$y"
  gw_wait_log "$GW_TARGET_LOG" "^$tag msg=0x0200 " 5 "$mark" >/dev/null
  gw_line_of "$GW_TARGET_LOG" "$mark" "^$tag msg=0x0200 "
}

# ---------------------------------------------------------------------------------------------
# Auto Scroll on a wheel target: the direction chosen by the mouse, one wheel message per 200 ms,
# the delta set by the vertical slider (60: 94); no click reaches the window.

auto_scroll_wheel() {
  local direction=$1 sign dy x y mark deltas count wrong
  [ "$direction" = down ] && sign=-1 dy=30 || sign=1 dy=-30
  gw_target_start
  app_start
  read -r x y <<<"$(gw_target_point mozilla)"
  gw_move "$x" "$y"
  sleep 0.3
  mark=$(gw_log_mark "$GW_TARGET_LOG")
  xdotool mousedown 3
  sleep 0.3
  drag_path "$x" "$y" 0 "$dy" 3
  sleep 1.6
  xdotool mouseup 3
  sleep 0.5
  local end
  end=$(settle mozilla "$x" "$((y + dy))")

  deltas=$(wheel_deltas mozilla "$mark" "$end")
  count=$(echo "$deltas" | grep -c .)
  wrong=$(echo "$deltas" | grep -vcx -- "$((sign * 94))")
  gw_log "$count wheel messages: $(echo $deltas)"
  [ "$count" -ge 4 ] && [ "$count" -le 14 ] || gw_fail "expected about 8 wheel messages in 1.6 s, got $count"
  [ "$wrong" -eq 0 ] || gw_fail "every wheel delta should be $((sign * 94))"
  gw_expect_no_log "$GW_TARGET_LOG" "$mark" "^mozilla msg=0x020[45] " "the press and release belong to the gesture" "$end"

  # The gesture is over: nothing more arrives.
  mark=$(gw_log_mark "$GW_TARGET_LOG")
  sleep 0.8
  gw_expect_no_log "$GW_TARGET_LOG" "$mark" "^mozilla msg=0x020A " "scrolling went on after the release"
  app_quit
}

case_auto_scroll.wheel_down() { auto_scroll_wheel down; }
case_auto_scroll.wheel_up() { auto_scroll_wheel up; }

# Auto Scroll through a sibling scroll-bar control: line messages to the control's parent, naming
# the control, each followed by an end-scroll; the bar moves down.
case_auto_scroll.sibling_bar() {
  gw_target_start
  app_start
  local x y mark end bar
  read -r x y <<<"$(gw_target_point pane)"
  bar=$(grep -m1 '^rect sibbar ' "$GW_TARGET_LOG" | sed 's/.*hwnd=0x//')
  gw_move "$x" "$y"
  sleep 0.3
  mark=$(gw_log_mark "$GW_TARGET_LOG")
  xdotool mousedown 3
  sleep 0.3
  drag_path "$x" "$y" 0 20 2
  sleep 1.2
  xdotool mouseup 3
  sleep 0.5
  end=$(settle pane "$x" "$((y + 20))")

  local lines ends
  lines=$(gw_log_since "$GW_TARGET_LOG" "$mark" | head -n $((end - mark)) |
    grep -ci "^siblingframe msg=0x0115 wp=0x00000001 lp=0x0*$bar\$")
  ends=$(gw_log_since "$GW_TARGET_LOG" "$mark" | head -n $((end - mark)) |
    grep -ci "^siblingframe msg=0x0115 wp=0x00000008 lp=0x0*$bar\$")
  gw_log "$lines lines down, $ends end-scrolls"
  [ "$lines" -ge 4 ] || gw_fail "expected a line down every 120 ms, got $lines in 1.2 s"
  [ "$ends" -eq "$lines" ] || gw_fail "every line should be followed by an end-scroll ($lines lines, $ends ends)"
  gw_wait_log "$GW_TARGET_LOG" "^pos sibbar [1-9]" 3 "$mark" >/dev/null
  gw_expect_no_log "$GW_TARGET_LOG" "$mark" "^pane msg=0x020[45] " "the press and release belong to the gesture" "$end"
  app_quit
}

# ---------------------------------------------------------------------------------------------
# Move Scroll on a wheel target: nothing until the cursor is more than 3 pixels from the press,
# then one wheel message per move, 30 per pixel, towards the end when the mouse goes down.
case_move_scroll.wheel() {
  gw_target_start
  app_start ScrollModeB=1
  local x y mark end deltas sum
  read -r x y <<<"$(gw_target_point mozilla)"
  y=$((y - 40))
  gw_move "$x" "$y"
  sleep 0.3
  mark=$(gw_log_mark "$GW_TARGET_LOG")
  xdotool mousedown 3
  sleep 0.3
  gw_move "$x" $((y + 10))  # locks the vertical axis; scrolls nothing yet
  sleep 0.2
  drag_path "$x" $((y + 10)) 0 40 4
  sleep 0.3
  xdotool mouseup 3
  sleep 0.5
  end=$(settle mozilla "$x" "$((y + 50))")

  deltas=$(wheel_deltas mozilla "$mark" "$end")
  sum=0
  for d in $deltas; do
    [ "$d" -lt 0 ] && [ $((d % 30)) -eq 0 ] || gw_fail "wheel delta $d: expected a negative multiple of 30"
    sum=$((sum + d))
  done
  gw_log "wheel deltas: $(echo $deltas)"
  [ "$sum" -eq -1200 ] || gw_fail "40 pixels after the lock should add up to -1200, got $sum"
  gw_expect_no_log "$GW_TARGET_LOG" "$mark" "^mozilla msg=0x020[45] " "the press and release belong to the gesture" "$end"
  app_quit
}

# ---------------------------------------------------------------------------------------------
# A press and release without movement is not a scroll: the window gets the click, replayed at the
# release point, after the release (the real press was swallowed).
replayed_click() {
  local mode=$1 tag=${2:-mozilla} x y mark end down up
  gw_target_start
  app_start ScrollModeB="$mode"
  read -r x y <<<"$(gw_target_point "$tag")"
  gw_move "$x" "$y"
  sleep 0.3
  mark=$(gw_log_mark "$GW_TARGET_LOG")
  xdotool mousedown 3
  sleep 0.5
  gw_expect_no_log "$GW_TARGET_LOG" "$mark" "^$tag msg=0x0204 " "the press should wait for the release"
  xdotool mouseup 3
  down=$(gw_wait_log "$GW_TARGET_LOG" "^$tag msg=0x0204 " 5 "$mark")
  up=$(gw_wait_log "$GW_TARGET_LOG" "^$tag msg=0x0205 " 5 "$mark")
  local lp
  lp=$(gw_target_lparam "$tag" "$x" "$y")
  [[ "$down" == *"lp=$lp" ]] || gw_fail "replayed press at the wrong place: $down (expected lp=$lp)"
  [[ "$up" == *"lp=$lp" ]] || gw_fail "replayed release at the wrong place: $up"
  end=$(settle "$tag" "$x" "$y")
  [ "$(gw_log_since "$GW_TARGET_LOG" "$mark" | head -n $((end - mark)) | grep -c "^$tag msg=0x0204 ")" -eq 1 ] ||
    gw_fail "the click should arrive once"
  gw_expect_no_log "$GW_TARGET_LOG" "$mark" "^$tag msg=0x020[AE] " "a click scrolls nothing" "$end"
  app_quit
}

case_click.replayed_move_scroll() { replayed_click 1; }
case_click.replayed_auto_scroll() { replayed_click 0; }

# A right click on the list (a visible bar of its own): the hook's probe, inside gwtarget, sees the
# bar and swallows the press; ours cannot read another process's bars under Wine and starts no
# gesture. The click still reaches the list exactly once, after the release, and so does the
# context menu it brings.
swallowed_click_not_lost() {
  local mode=$1 x y mark end lines
  gw_target_start
  app_start ScrollModeB="$mode"
  read -r x y <<<"$(gw_target_point list)"
  gw_move "$x" "$y"
  sleep 0.3
  mark=$(gw_log_mark "$GW_TARGET_LOG")
  xdotool mousedown 3
  sleep 0.5
  gw_expect_no_log "$GW_TARGET_LOG" "$mark" "^list msg=0x0204 " "the hook should hold the press back"
  xdotool mouseup 3
  gw_wait_log "$GW_TARGET_LOG" "^list msg=0x0204 .* lp=$(gw_target_lparam list "$x" "$y")\$" 5 "$mark" >/dev/null
  gw_wait_log "$GW_TARGET_LOG" "^list msg=0x0205 " 5 "$mark" >/dev/null
  gw_wait_log "$GW_TARGET_LOG" "^list msg=0x007B " 5 "$mark" >/dev/null
  end=$(settle list "$x" "$y")
  lines=$(gw_log_since "$GW_TARGET_LOG" "$mark" | head -n $((end - mark)))
  local id
  for id in 0204 0205 007B; do
    [ "$(grep -c "^list msg=0x$id " <<<"$lines")" -eq 1 ] || gw_fail "the list should get 0x$id exactly once"
  done
  gw_expect_no_log "$GW_TARGET_LOG" "$mark" "^pos list " "a click scrolls nothing" "$end"
  app_quit
}

case_click.swallowed_not_lost_auto_scroll() { swallowed_click_not_lost 0; }
case_click.swallowed_not_lost_move_scroll() { swallowed_click_not_lost 1; }

# ---------------------------------------------------------------------------------------------
# Quick clicks, as people make them (the button down about 130 ms). The system counts the press the
# hook swallowed towards a double click, and the click we give back comes well within the
# double-click time of it: it must still reach the window as one press and one release. Over the
# list (a class that takes double clicks) the hook swallows and our probe, which cannot read
# another process's bars here, turns the press down: the click comes back from the waiting-click
# path. Over the page (a wheel target that takes double clicks) a gesture starts and ends without
# moving: the click comes back from the gesture's end.

# button_messages TAG MARK END: the press, release and double-click ids the window got between the
# mark and the settle line, on one line ("0204 0205").
button_messages() {
  gw_log_since "$GW_TARGET_LOG" "$2" | head -n $(($3 - $2 - 1)) |
    sed -n "s/^$1 msg=0x\(020[1-9]\) .*/\1/p" | tr '\n' ' ' | sed 's/ $//'
}

# Button B's press, release and double-click ids.
button_ids() {
  case $1 in
    1) echo 0201 0202 0203 ;;
    2) echo 0207 0208 0209 ;;
    *) echo 0204 0205 0206 ;;
  esac
}

# quick_click TAG MODE BUTTON TIMES [KEY=VALUE...]: TIMES 1 a quick click, 2 a quick double click
# of BUTTON, the activation button, in the window's centre; the window gets exactly what the user
# made: one click, or a click and a double click.
quick_click() {
  local tag=$1 mode=$2 button=$3 times=$4 x y mark end got down up twice expected
  shift 4
  read -r down up twice <<<"$(button_ids "$button")"
  gw_target_start
  app_start ScrollModeB="$mode" "$@"
  read -r x y <<<"$(gw_target_point "$tag")"
  gw_move "$x" "$y"
  sleep 0.3
  mark=$(gw_log_mark "$GW_TARGET_LOG")
  if [ "$times" = 2 ]; then
    gw_quick_double_click "$x" "$y" "$button"
    expected="$down $up $twice $up"
  else
    gw_quick_click "$x" "$y" "$button"
    expected="$down $up"
  fi
  gw_wait_log "$GW_TARGET_LOG" "^$tag msg=0x$up " 5 "$mark" >/dev/null
  sleep 0.6 # anything more would come now
  end=$(settle "$tag" "$x" "$y")
  got=$(button_messages "$tag" "$mark" "$end")
  gw_log "the $tag got: $got"
  [ "$got" = "$expected" ] || gw_fail "expected $expected, got: $got"
  app_quit
}

case_click.quick.list_auto_scroll() { quick_click list 0 3 1; }
case_click.quick.list_move_scroll() { quick_click list 1 3 1; }
case_click.quick.page_auto_scroll() { quick_click mozilla 0 3 1; }
case_click.quick.page_move_scroll() { quick_click mozilla 1 3 1; }
case_click.quick.left_activation() { quick_click list 0 1 1 LiveKey=0; }
case_click.quick.double_click_stays_double() { quick_click list 0 3 2; }
case_click.quick.double_click_on_page_stays_double() { quick_click mozilla 1 3 2; }

# The target is busy for 300 ms right after it took the release, so it takes the replayed click
# long after the hooks were paused for it: the click still arrives exactly once, as a click.
case_click.quick.busy_target() {
  local x y mark end got
  gw_target_start
  app_start
  read -r x y <<<"$(gw_target_point list)"
  gw_move "$x" "$y"
  sleep 0.3
  printf '300' >"$GW_TARGET_LOG.busy"
  mark=$(gw_log_mark "$GW_TARGET_LOG")
  gw_quick_click "$x" "$y" 3
  gw_wait_log "$GW_TARGET_LOG" '^busy 300' 5 "$mark" >/dev/null
  gw_wait_log "$GW_TARGET_LOG" '^free' 5 "$mark" >/dev/null
  gw_wait_log "$GW_TARGET_LOG" '^list msg=0x0205 ' 5 "$mark" >/dev/null
  sleep 0.6
  end=$(settle list "$x" "$y")
  got=$(button_messages list "$mark" "$end")
  gw_log "the list got: $got"
  [ "$got" = "0204 0205" ] || gw_fail "expected one click, 0204 0205, got: $got"
  app_quit
}

# ---------------------------------------------------------------------------------------------
# A monitor left of the primary one, where every position is negative (these cases run in a
# session of their own on such a desk: tests.cmake, GW_E2E_MONITORS=left-of). gwtarget's windows
# lie there, 1024 pixels left of their usual places. A click reaches the window under the cursor
# once, and both scroll modes scroll there. Wine refuses to move the pointer onto that monitor with
# SetCursorPos, so where a replay puts the cursor and Lock mouse cursor are left to the unit tests.
case_monitors.left.click() { GW_TARGET_SHIFT="-1024 0" quick_click list 0 3 1; }
case_monitors.left.click_on_page() { GW_TARGET_SHIFT="-1024 0" quick_click mozilla 1 3 1; }
case_monitors.left.auto_scroll() { GW_TARGET_SHIFT="-1024 0" auto_scroll_wheel down; }
case_monitors.left.move_scroll() { GW_TARGET_SHIFT="-1024 0" case_move_scroll.wheel; }

# ---------------------------------------------------------------------------------------------
# The newer wheel families: a Chromium page ("Chrome_RenderWidgetHostHWND") takes the wheel as it
# comes; a WPF window ("HwndWrapper[...]") gets whole notches of 120 only, since it scrolls the same
# distance for any delta. Both scroll sideways by the horizontal wheel (0x020E, positive to the
# right), never by line messages. A UWP window ("Windows.UI.Core.CoreWindow") ignores wheel messages
# sent to it: it gets real wheel input, injected with the cursor over it (Wine, too, gives such
# input to the window under the cursor).

# auto_gesture TAG DX DY: a Classic Auto Scroll gesture from the window's centre, the pointer moved
# by DX DY to choose the direction, then held for 1.6 s; prints the line number that ends it.
auto_gesture() {
  local tag=$1 dx=$2 dy=$3 x y
  read -r x y <<<"$(gw_target_point "$tag")"
  gw_move "$x" "$y"
  sleep 0.3
  xdotool mousedown 3
  sleep 0.3
  drag_path "$x" "$y" "$dx" "$dy" 3
  sleep 1.6
  xdotool mouseup 3
  sleep 0.5
  settle "$tag" $((x + dx)) $((y + dy))
}

# move_gesture TAG X Y UX UY: a Classic Move Scroll gesture pressed at X Y: 10 pixels along (UX, UY)
# lock the axis, 40 more scroll; prints the line number that ends it (a move back at the press
# point, which is inside the window wherever the gesture went).
move_gesture() {
  local tag=$1 x=$2 y=$3 ux=$4 uy=$5
  gw_move "$x" "$y"
  sleep 0.3
  xdotool mousedown 3
  sleep 0.3
  gw_move $((x + 10 * ux)) $((y + 10 * uy))
  sleep 0.2
  drag_path $((x + 10 * ux)) $((y + 10 * uy)) $((40 * ux)) $((40 * uy)) 4
  sleep 0.3
  xdotool mouseup 3
  sleep 0.5
  settle "$tag" "$x" "$y"
}

# expect_turns TAG MARK END MSG DELTA MIN MAX: between MARK and END the window got MIN to MAX
# messages MSG (020A or 020E), each turning the wheel by DELTA, and no other wheel or line message,
# press or release.
expect_turns() {
  local tag=$1 mark=$2 end=$3 msg=$4 delta=$5 min=$6 max=$7 deltas count wrong other=020E
  [ "$msg" = 020E ] && other=020A
  deltas=$(wheel_deltas "$tag" "$mark" "$end" "$msg")
  count=$(echo "$deltas" | grep -c .)
  wrong=$(echo "$deltas" | grep . | grep -Evcx -- "$delta")
  gw_log "$tag: $count messages 0x$msg: $(echo $deltas)"
  [ "$count" -ge "$min" ] && [ "$count" -le "$max" ] || gw_fail "expected $min to $max messages 0x$msg, got $count"
  [ "$wrong" -eq 0 ] || gw_fail "every delta of 0x$msg should be $delta"
  gw_expect_no_log "$GW_TARGET_LOG" "$mark" "^$tag msg=0x($other|0114|0115|020[45]) " "only 0x$msg belongs to this gesture" "$end"
}

# Auto Scroll, both sliders at 60: a turn every 200 ms, 94 a turn; the WPF window a notch whenever
# the turns make one (about 6 in 1.6 s).
case_modern.auto_scroll.chrome() {
  gw_target_start
  app_start
  local mark end
  mark=$(gw_log_mark "$GW_TARGET_LOG")
  end=$(auto_gesture chrome 0 30)
  expect_turns chrome "$mark" "$end" 020A -94 4 14
  mark=$end
  end=$(auto_gesture chrome 30 0)
  expect_turns chrome "$mark" "$end" 020E 94 4 14
  app_quit
}

case_modern.auto_scroll.wpf() {
  gw_target_start
  app_start
  local mark end
  mark=$(gw_log_mark "$GW_TARGET_LOG")
  end=$(auto_gesture wpf 0 -30)
  expect_turns wpf "$mark" "$end" 020A 120 2 12
  mark=$end
  end=$(auto_gesture wpf -30 0)
  expect_turns wpf "$mark" "$end" 020E -120 2 12
  app_quit
}

# turn_sum TAG MARK END MSG SUM: the window's turns of MSG between MARK and END add up to SUM.
turn_sum() {
  local deltas sum=0 d
  deltas=$(wheel_deltas "$1" "$2" "$3" "$4")
  for d in $deltas; do
    sum=$((sum + d))
  done
  gw_log "$1 0x$4: $(echo $deltas) (sum $sum)"
  [ "$sum" -eq "$5" ] || gw_fail "40 pixels after the lock should add up to $5 on 0x$4, got $sum"
}

# Move Scroll, 10 a pixel: 40 pixels down turn the wheel by -400 in all, 40 to the right the
# horizontal wheel by +400; the WPF window gets the three whole notches of 40 pixels up (or left).
case_modern.move_scroll.chrome() {
  gw_target_start
  app_start ScrollModeB=1
  local x y mark end
  read -r x y <<<"$(gw_target_point chrome)"
  mark=$(gw_log_mark "$GW_TARGET_LOG")
  end=$(move_gesture chrome "$x" $((y - 40)) 0 1)
  expect_turns chrome "$mark" "$end" 020A '-[1-9][0-9]*0' 1 40
  turn_sum chrome "$mark" "$end" 020A -400
  mark=$end
  end=$(move_gesture chrome $((x - 60)) "$y" 1 0)
  expect_turns chrome "$mark" "$end" 020E '[1-9][0-9]*0' 1 40
  turn_sum chrome "$mark" "$end" 020E 400
  app_quit
}

case_modern.move_scroll.wpf() {
  gw_target_start
  app_start ScrollModeB=1
  local x y mark end
  read -r x y <<<"$(gw_target_point wpf)"
  mark=$(gw_log_mark "$GW_TARGET_LOG")
  end=$(move_gesture wpf "$x" $((y + 40)) 0 -1)
  expect_turns wpf "$mark" "$end" 020A 120 3 3
  mark=$(gw_log_mark "$GW_TARGET_LOG")
  end=$(move_gesture wpf $((x + 60)) "$y" -1 0)
  expect_turns wpf "$mark" "$end" 020E -120 3 3
  app_quit
}

# The injected wheel: Auto Scroll down, then sideways to the left; Move Scroll up, and to the right
# out of the window, where the cursor visits the lock point for each turn and comes back. The hooks
# are paused around each turn, so the cursor's visits never count as moves: 40 pixels make exactly
# 400.
case_modern.auto_scroll.uwp() {
  gw_target_start
  app_start
  local mark end
  mark=$(gw_log_mark "$GW_TARGET_LOG")
  end=$(auto_gesture uwp 0 30)
  expect_turns uwp "$mark" "$end" 020A -94 4 14
  mark=$end
  end=$(auto_gesture uwp -30 0)
  expect_turns uwp "$mark" "$end" 020E -94 4 14
  app_quit
}

case_modern.move_scroll.uwp() {
  gw_target_start
  app_start ScrollModeB=1
  local left top right bottom mark end
  read -r left top right bottom <<<"$(gw_target_rect uwp)"
  mark=$(gw_log_mark "$GW_TARGET_LOG")
  end=$(move_gesture uwp $(((left + right) / 2)) $((bottom - 20)) 0 -1)
  expect_turns uwp "$mark" "$end" 020A '[1-9][0-9]*0' 1 40
  turn_sum uwp "$mark" "$end" 020A 400
  mark=$end
  end=$(move_gesture uwp $((right - 30)) $(((top + bottom) / 2)) 1 0)  # ends 20 pixels right of it
  expect_turns uwp "$mark" "$end" 020E '[1-9][0-9]*0' 1 40
  turn_sum uwp "$mark" "$end" 020E 400
  app_quit
}

case_modern.click.chrome() { replayed_click 0 chrome; }
case_modern.click.wpf() { replayed_click 1 wpf; }

# ---------------------------------------------------------------------------------------------
# Speed follows the distance (AutoFollow=1): the page goes the faster the further the cursor is
# from the press, both ways at once. The sliders at their defaults (10 and 20) give 170 wheel units
# a second down at 40 pixels; 30 pixels make about 92, 120 pixels about 1,190. Ticks come every
# 30 ms, each turning the wheel by what it is due, parts of a unit kept for the next.

# follow_rate TAG DX DY: a Classic Auto Scroll gesture from the window's centre, the cursor moved by
# DX DY and held there; prints the wheel units a second the window got during one second of the
# hold, vertical (0x020A) then horizontal (0x020E), each with the number of messages:
# "V NV H NH". Signs as the messages have them: down is negative, right positive.
follow_rate() {
  local tag=$1 dx=$2 dy=$3 x y from to start ms msg sum count d out=""
  read -r x y <<<"$(gw_target_point "$tag")"
  gw_move "$x" "$y"
  sleep 0.3
  xdotool mousedown 3
  sleep 0.3
  drag_path "$x" "$y" "$dx" "$dy" 4
  sleep 0.5 # the speed has settled at the distance
  from=$(gw_log_mark "$GW_TARGET_LOG")
  start=$(date +%s%N)
  sleep 1
  to=$(gw_log_mark "$GW_TARGET_LOG")
  ms=$((($(date +%s%N) - start) / 1000000))
  xdotool mouseup 3
  sleep 0.5
  settle "$tag" "$x" "$y" >/dev/null
  for msg in 020A 020E; do
    sum=0 count=0
    for d in $(wheel_deltas "$tag" "$from" "$to" "$msg"); do
      sum=$((sum + d)) count=$((count + 1))
    done
    out+="$((sum * 1000 / ms)) $count "
  done
  echo "$out"
}

abs() { echo $(($1 < 0 ? -$1 : $1)); }

# 30 and 120 pixels down on a page: at least twice the wheel per second further out (the curve
# gives some thirteen times), turned in small steps every tick, not 94 every 200 ms.
case_follow.near_and_far() {
  gw_target_start
  app_start SpeedX=10 SpeedY=20 AutoFollow=1
  local near far
  read -r near nearCount _ <<<"$(follow_rate mozilla 0 30)"
  read -r far farCount _ <<<"$(follow_rate mozilla 0 120)"
  gw_log "30 pixels: $near units a second in $nearCount messages; 120 pixels: $far in $farCount"
  [ "$near" -lt 0 ] && [ "$far" -lt 0 ] || gw_fail "both should scroll down (negative turns): $near, $far"
  [ "$(abs "$far")" -ge $((2 * $(abs "$near"))) ] || gw_fail "120 pixels should scroll at least twice as fast as 30: $far vs $near"
  [ "$farCount" -ge 15 ] || gw_fail "far out the wheel should turn on most 30 ms ticks, got $farCount messages in a second"
  app_quit
}

# 60 pixels down and 60 to the right of the press on a Chromium page: the vertical and the
# horizontal wheel both turn during the same second, down and right.
case_follow.diagonal() {
  gw_target_start
  app_start SpeedX=10 SpeedY=20 AutoFollow=1
  local v nv h nh
  read -r v nv h nh <<<"$(follow_rate chrome 60 60)"
  gw_log "diagonal: vertical $v units a second ($nv messages), horizontal $h ($nh messages)"
  [ "$nv" -ge 3 ] && [ "$v" -lt 0 ] || gw_fail "the vertical wheel should turn down: $v in $nv messages"
  [ "$nh" -ge 3 ] && [ "$h" -gt 0 ] || gw_fail "the horizontal wheel should turn right: $h in $nh messages"
  app_quit
}

# The option off (AutoFollow=0, sliders at 60): today's Auto Scroll, 94 every 200 ms, whether the
# cursor is 30 or 120 pixels from the press.
case_follow.off_keeps_todays_amounts() {
  gw_target_start
  app_start AutoFollow=0
  local near nearCount far farCount mark deltas
  mark=$(gw_log_mark "$GW_TARGET_LOG")
  read -r near nearCount _ <<<"$(follow_rate mozilla 0 30)"
  read -r far farCount _ <<<"$(follow_rate mozilla 0 120)"
  gw_log "off: 30 pixels $near units a second ($nearCount messages), 120 pixels $far ($farCount)"
  deltas=$(wheel_deltas mozilla "$mark" | sort -u | tr '\n' ' ')
  [ "$deltas" = "-94 " ] || gw_fail "every turn should be -94, got: $deltas"
  for rate in "$near" "$far"; do
    [ "$rate" -le -300 ] && [ "$rate" -ge -600 ] || gw_fail "about 470 units a second down at either distance, got $near and $far"
  done
  app_quit
}

# ---------------------------------------------------------------------------------------------
# Toggle: a click arms Auto Scroll, the mouse alone then scrolls, the next click ends it; no click
# reaches the window.
case_toggle.auto_scroll() {
  gw_target_start
  app_start ScrollModeA=1
  local x y mark end count
  read -r x y <<<"$(gw_target_point mozilla)"
  gw_move "$x" "$y"
  sleep 0.3
  mark=$(gw_log_mark "$GW_TARGET_LOG")
  xdotool click 3
  sleep 0.3
  drag_path "$x" "$y" 0 25 3
  sleep 1.2
  count=$(wheel_deltas mozilla "$mark" | grep -cx -- -94)
  [ "$count" -ge 3 ] || gw_fail "the armed gesture should scroll down without a held button, got $count wheel messages"
  xdotool click 3
  sleep 0.5
  end=$(settle mozilla "$x" "$((y + 25))")
  local after
  after=$(gw_log_mark "$GW_TARGET_LOG")
  sleep 0.8
  gw_expect_no_log "$GW_TARGET_LOG" "$after" "^mozilla msg=0x020A " "the second click should end the gesture"
  gw_expect_no_log "$GW_TARGET_LOG" "$mark" "^mozilla msg=0x020[45] " "both clicks belong to the gesture" "$end"
  app_quit
}

# ---------------------------------------------------------------------------------------------
# Scrolling switched off: the right button is the application's, and moving scrolls nothing.
case_disabled.clicks_pass() {
  gw_target_start
  app_start GpEnabled=0
  local x y mark end
  read -r x y <<<"$(gw_target_point mozilla)"
  gw_move "$x" "$y"
  sleep 0.3
  mark=$(gw_log_mark "$GW_TARGET_LOG")
  xdotool mousedown 3
  gw_wait_log "$GW_TARGET_LOG" "^mozilla msg=0x0204 " 5 "$mark" >/dev/null
  drag_path "$x" "$y" 0 30 3
  sleep 0.8
  xdotool mouseup 3
  gw_wait_log "$GW_TARGET_LOG" "^mozilla msg=0x0205 " 5 "$mark" >/dev/null
  end=$(settle mozilla "$x" "$((y + 30))")
  gw_expect_no_log "$GW_TARGET_LOG" "$mark" "^mozilla msg=0x020A " "scrolling is off, yet the window scrolled" "$end"
  app_quit
}

# ---------------------------------------------------------------------------------------------
# Glidewing killed in the middle of a Classic gesture, with the press swallowed and the window
# scrolling: the shared record dies with the process, so the hooks (Wine keeps a killed installer's
# hooks in force until the wineserver ends, where Windows removes them) find no record and pass
# everything: the rest of the gesture and every click after it reach the window. Whether the next
# start puts the cursors back cannot be seen here (SetSystemCursor changes nothing under Wine and
# SPI_SETCURSORS fails), so the start-up's restore is proven by the unit tests.
case_killed.mid_gesture() {
  gw_target_start
  app_start
  local x y mark end
  read -r x y <<<"$(gw_target_point mozilla)"
  gw_move "$x" "$y"
  sleep 0.3
  mark=$(gw_log_mark "$GW_TARGET_LOG")
  xdotool mousedown 3
  sleep 0.3
  drag_path "$x" "$y" 0 30 3
  gw_wait_log "$GW_TARGET_LOG" "^mozilla msg=0x020A " 5 "$mark" >/dev/null
  gw_expect_no_log "$GW_TARGET_LOG" "$mark" "^mozilla msg=0x0204 " "the press belongs to the gesture"
  gw_run --timeout 10 "$GW_E2E_BIN/gwprobe.exe" section PaneBridge1201 >/dev/null ||
    gw_fail "no shared section while Glidewing runs"

  gw_kill app
  gw_run --timeout 10 "$GW_E2E_BIN/gwprobe.exe" section PaneBridge1201 >/dev/null &&
    gw_fail "the shared section outlived the killed program"
  mark=$(gw_log_mark "$GW_TARGET_LOG")
  xdotool mouseup 3
  gw_wait_log "$GW_TARGET_LOG" "^mozilla msg=0x0205 " 5 "$mark" >/dev/null
  # The next clicks, of both buttons, arrive whole, and nothing scrolls any more.
  mark=$(gw_log_mark "$GW_TARGET_LOG")
  gw_click "$x" "$y" 3
  gw_wait_log "$GW_TARGET_LOG" "^mozilla msg=0x0204 " 5 "$mark" >/dev/null
  gw_wait_log "$GW_TARGET_LOG" "^mozilla msg=0x0205 " 5 "$mark" >/dev/null
  gw_click "$x" "$y" 1
  gw_wait_log "$GW_TARGET_LOG" "^mozilla msg=0x0201 " 5 "$mark" >/dev/null
  gw_wait_log "$GW_TARGET_LOG" "^mozilla msg=0x0202 " 5 "$mark" >/dev/null
  sleep 0.6
  end=$(settle mozilla "$x" "$((y + 30))")
  gw_expect_no_log "$GW_TARGET_LOG" "$mark" "^mozilla msg=0x020A " "the window scrolled after the kill" "$end"
}

# ---------------------------------------------------------------------------------------------
# Programs left alone (the Applications page): in a program on the list the hook stands aside, so
# the right button stays the program's own and nothing scrolls; off the list, the same gesture
# scrolls again. The page is worked as a user would: the tray icon opens the window, a click on
# the first tab and the Right key lead to the page, and its controls sit at fixed places.

# The configuration window (shown centred on the screen, above the middle of gwtarget's windows):
# its position in WX WY, the Applications page selected.
open_applications_page() {
  local id tray
  tray=$(gw_wait_window '^Wine System Tray$' 15)
  eval "$(xdotool getwindowgeometry --shell "$tray")"
  gw_double_click $((X + 10)) $((Y + 10))
  id=$(gw_wait_window '^Glidewing $' 10)
  eval "$(xdotool getwindowgeometry --shell "$id")"
  WX=$X WY=$Y
  xdotool windowfocus --sync "$id"  # keys go to the focused X window, which may still be gwtarget's
  gw_click $((WX + 36)) $((WY + 18))
  gw_key Right Right Right
  sleep 0.7
}
# The page's controls, in the window's client pixels: the first entry of the list, Remove, "Add the
# program under the cursor", and the window's OK button.
FIRST_ENTRY="150 118" REMOVE="398 153" PICK="398 195" OK_BUTTON="183 341"
click_in_window() { gw_click $((WX + $1)) $((WY + $2)); }

# drag_over_mozilla: a right-button drag down over the mozilla window, held 1.2 s; sets MARK and END
# around it.
drag_over_mozilla() {
  local x y
  read -r x y <<<"$(gw_target_point mozilla)"
  gw_move "$x" "$y"
  sleep 0.3
  MARK=$(gw_log_mark "$GW_TARGET_LOG")
  xdotool mousedown 3
  sleep 0.3
  drag_path "$x" "$y" 0 30 3
  sleep 1.2
  xdotool mouseup 3
  sleep 0.5
  END=$(settle mozilla "$x" $((y + 30)))
}

# The window got the press before the mouse moved on, and the release, and turned no wheel.
expect_left_alone() {
  local press
  press=$(gw_line_of "$GW_TARGET_LOG" "$MARK" "^mozilla msg=0x0204 ")
  [ -n "$press" ] && [ "$press" -lt "$END" ] || gw_fail "the press never reached the listed program"
  gw_expect_log "$GW_TARGET_LOG" "$MARK" "^mozilla msg=0x0205 " "the release should reach the listed program"
  gw_expect_no_log "$GW_TARGET_LOG" "$MARK" "^mozilla msg=0x020A " "the listed program was scrolled" "$END"
}

expect_scrolled() {
  local count
  count=$(wheel_deltas mozilla "$MARK" "$END" | grep -cx -- -94)
  [ "$count" -ge 3 ] || gw_fail "off the list the drag should scroll, got $count wheel messages"
  gw_expect_no_log "$GW_TARGET_LOG" "$MARK" "^mozilla msg=0x020[45] " "the press and release belong to the gesture" "$END"
}

case_aside.listed_program_keeps_its_button() {
  gw_target_start
  app_start Applications.Exclude1=gwtarget.exe
  drag_over_mozilla
  expect_left_alone

  # Removed again (Remove, OK): the entry is gone from the file as well, and the drag scrolls.
  open_applications_page
  click_in_window $FIRST_ENTRY
  click_in_window $REMOVE
  sleep 0.3
  gw_screenshot "$GW_CASE-removed" >/dev/null
  click_in_window $OK_BUTTON
  gw_window_gone '^Glidewing $' 10
  tr -d '\r' <"$GW_APP_INI" | grep -q '^Exclude' && gw_fail "GWing.ini still lists a program: $(grep Exclude "$GW_APP_INI")"
  tr -d '\r' <"$GW_APP_INI" | grep -qx 'FullScreenAside=1' || gw_fail "GWing.ini has no FullScreenAside=1"
  drag_over_mozilla
  expect_scrolled
  app_quit
}

# "Add the program under the cursor": after the countdown the program of the window under the
# cursor (the top of gwtarget's list, which the window leaves uncovered) is on the list; OK saves
# and applies it.
case_aside.program_under_the_cursor() {
  gw_target_start
  app_start
  open_applications_page
  click_in_window $PICK
  local x y
  read -r x y <<<"$(gw_target_point list 60 40)"
  gw_move "$x" "$y"
  sleep 4
  gw_screenshot "$GW_CASE-picked" >/dev/null
  click_in_window $OK_BUTTON
  gw_window_gone '^Glidewing $' 10
  tr -d '\r' <"$GW_APP_INI" | grep -qix 'Exclude1=gwtarget.exe' ||
    gw_fail "GWing.ini does not list gwtarget.exe: $(tr -d '\r' <"$GW_APP_INI" | grep -A3 Applications)"
  drag_over_mozilla
  expect_left_alone
  app_quit
}

# ---------------------------------------------------------------------------------------------
# A release the hooks never report: the guard of a Classic gesture.

# ms_since START_NS: milliseconds from a `date +%s%N` reading until now.
ms_since() { echo $((($(date +%s%N) - $1) / 1000000)); }

# wait_ms FILE MARK REGEX START_NS TIMEOUT_MS: polls every 20 ms for a line after MARK; prints the
# milliseconds from START_NS to the poll that saw it (fails after TIMEOUT_MS).
wait_ms() {
  local file=$1 mark=$2 regex=$3 start=$4 limit=$5
  while [ "$(ms_since "$start")" -le "$limit" ]; do
    if gw_log_has "$file" "$mark" "$regex"; then
      ms_since "$start"
      return 0
    fi
    sleep 0.02
  done
  gw_fail "no line matching /$regex/ in $(basename "$file") within $limit ms"
}

# The release goes by while the hooks are paused (a helper writes HooksPaused into the shared
# record around it), as if it had gone to a window they cannot enter: nobody reports it. The drag
# along the sibling bar has switched PassInput off, which swallows every mouse message of the
# desktop; the guard sees the button up on two ticks 100 ms apart and ends the drag, and with it
# PassInput comes back (within 600 ms: 100 to 200 ms of ticks, the rest for the watchers' polling),
# with no click replayed.
case_lost_release.move_scroll() {
  gw_target_start
  app_start ScrollModeB=1
  local x y mark holdlog=$GW_CASE_DIR/record.log start ms
  gw_start record "$GW_E2E_BIN/gwprobe.exe" hold PaneBridge1201 40 "$(gw_winpath "$holdlog")"
  gw_wait_log "$holdlog" '^PassInput=1 HooksPaused=0' 10 >/dev/null
  read -r x y <<<"$(gw_target_point pane)"
  gw_move "$x" "$y"
  sleep 0.3
  mark=$(gw_log_mark "$holdlog")
  xdotool mousedown 3
  sleep 0.3
  drag_path "$x" "$y" 0 30 6
  gw_wait_log "$holdlog" '^PassInput=0 ' 5 "$mark" >/dev/null
  sleep 0.5
  gw_running app || gw_fail "Glidewing ended during the drag"

  gw_run --timeout 10 "$GW_E2E_BIN/gwprobe.exe" pause PaneBridge1201 1 || gw_fail "could not pause the hooks"
  mark=$(gw_log_mark "$holdlog")
  xdotool mouseup 3
  start=$(date +%s%N)
  ms=$(wait_ms "$holdlog" "$mark" '^PassInput=1 ' "$start" 600)
  gw_run --timeout 10 "$GW_E2E_BIN/gwprobe.exe" pause PaneBridge1201 0 || gw_fail "could not resume the hooks"
  gw_log "PassInput back $ms ms after the unreported release"

  mark=$(gw_log_mark "$GW_TARGET_LOG")
  gw_click "$x" "$y" 1
  gw_wait_log "$GW_TARGET_LOG" "^pane msg=0x0201 " 5 "$mark" >/dev/null
  gw_wait_log "$GW_TARGET_LOG" "^pane msg=0x0202 " 5 "$mark" >/dev/null
  gw_expect_no_log "$GW_TARGET_LOG" "$mark" "^pane msg=0x020[45] " "the guard replays no click"
  app_quit
}

# ---------------------------------------------------------------------------------------------
# A hung application: gwtarget sleeps for 8 s inside its window procedure in the middle of a
# gesture over its mozilla window, and the program goes on sending to it (Auto Scroll a wheel every
# 200 ms, Move Scroll one a move). Those sends time out, so Glidewing stays responsive while the
# target hangs: a left click on the tray icon switches scrolling off (GWing.ini says so) within a
# second, and a WM_CLOSE posted to it ends it before the target wakes (within 4 s: its shutdown
# takes about 2 s under Wine). The tray's notification alone would not prove it: it arrives as a
# sent message, which a thread blocked in a plain SendMessage handles too; the posted WM_CLOSE needs
# the program's own message loop. Once the target pumps again it takes input as before.
hung_target() {
  local mode=$1 x y tx ty mark start ms
  gw_target_start
  app_start ScrollModeB="$mode"
  read -r tx ty <<<"$(gw_tray_point)"
  read -r x y <<<"$(gw_target_point mozilla)"
  y=$((y - 40))
  gw_move "$x" "$y"
  sleep 0.3
  mark=$(gw_log_mark "$GW_TARGET_LOG")
  xdotool mousedown 3
  sleep 0.3
  drag_path "$x" "$y" 0 30 3
  gw_wait_log "$GW_TARGET_LOG" "^mozilla msg=0x020A " 5 "$mark" >/dev/null
  echo 8 >"$GW_TARGET_LOG.hang"
  gw_wait_log "$GW_TARGET_LOG" "^hang 8" 3 "$mark" >/dev/null
  drag_path "$x" $((y + 30)) 0 30 6
  sleep 0.5
  xdotool mouseup 3
  sleep 0.2

  gw_click "$tx" "$ty" 1
  start=$(date +%s%N)
  ms=$(wait_ms "$GW_CASE_DIR/app/GWing.ini" 0 '^GpEnabled=0' "$start" 1000)
  gw_log "scrolling switched off $ms ms after the tray click, the target hanging"
  gw_run --timeout 10 "$GW_E2E_BIN/gwprobe.exe" close Glidewing_Brightloom_2002 || gw_fail "no main window to close"
  start=$(date +%s%N)
  while gw_running app; do
    [ "$(ms_since "$start")" -le 4000 ] || gw_fail "Glidewing did not end within 4 s of a WM_CLOSE while the target hung"
    sleep 0.05
  done
  gw_log "Glidewing ended $(ms_since "$start") ms after the WM_CLOSE, the target hanging"
  gw_log_has "$GW_TARGET_LOG" "$mark" '^awake' && gw_fail "the target woke up before Glidewing had answered"

  gw_wait_log "$GW_TARGET_LOG" '^awake' 10 "$mark" >/dev/null
  mark=$(gw_log_mark "$GW_TARGET_LOG")
  gw_click "$x" "$y" 3
  gw_wait_log "$GW_TARGET_LOG" "^mozilla msg=0x0204 " 5 "$mark" >/dev/null
  gw_wait_log "$GW_TARGET_LOG" "^mozilla msg=0x0205 " 5 "$mark" >/dev/null
}

case_hung_target.auto_scroll() { hung_target 0; }
case_hung_target.move_scroll() { hung_target 1; }

gw_case_begin "scroll.$1"
"case_$1"
