#!/usr/bin/env bash
# Builds Glidewing and starts it under Wine.
#
#   bash scripts/run.sh
#
# On a fresh Debian machine (as root) it first installs what is missing. With a display ($DISPLAY
# set) Glidewing starts there and this script waits until it ends (tray menu, Exit). Without a
# display it shows that the program runs all the same: it starts a private virtual display, runs
# Glidewing there, opens the configuration window from the tray icon, and writes screenshots of
# the tray and of the window, whose paths it prints; then it ends the program and the display.
#
# Where the machine can run the 32-bit Wine loader it builds and runs the win32 preset; where the
# kernel refuses 32-bit programs it uses the win64 preset (the same sources, 64-bit Wine).
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$(pwd)

bash scripts/setup-machine.sh

if /usr/lib/wine/wine --version >/dev/null 2>&1; then
  preset=win32
  wine=/usr/lib/wine/wine
  wineserver=/usr/lib/wine/wineserver32
  [ -x /usr/lib/wine/wineserver64 ] && wineserver=/usr/lib/wine/wineserver64
else
  preset=win64
  wine=/usr/lib/wine/wine64
  wineserver=/usr/lib/wine/wineserver64
  echo "== the 32-bit Wine loader cannot run here: building and running the 64-bit build"
fi

echo "== building the $preset preset"
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j "$(nproc 2>/dev/null || echo 2)"
bin=$repo/build/$preset/bin
program=$bin/Glidewing.exe

export WINEARCH=$preset
export WINELOADER=$wine
export WINEDEBUG=${WINEDEBUG:--all}
# A prefix of our own, so that the user's other Wine programs are not touched.
export WINEPREFIX=${GLIDEWING_WINEPREFIX:-$repo/build/run/prefix-$preset}
mkdir -p "$WINEPREFIX"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "== preparing the Wine prefix $WINEPREFIX"
fi

if [ -n "${DISPLAY:-}" ]; then
  WINEDLLOVERRIDES="mscoree,mshtml=" "$wine" wineboot -i >/dev/null 2>&1 || true
  echo "== starting $program on $DISPLAY (it lives in the notification area; right-click it, Exit ends it)"
  exec "$wine" "$program"
fi

# ------------------------------------------------------------------------------------------------
# No display: a private one, screenshots, and everything we started ended again.
out=$repo/build/run
mkdir -p "$out"
xvfb_pid=""
program_pid=""
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
  "$wineserver" -k >/dev/null 2>&1 || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  true
}
trap cleanup EXIT

echo "== no display: starting a private virtual display"
rm -f "$out/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$out/display" </dev/null >"$out/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$out/display" ] && break
  sleep 0.1
done
[ -s "$out/display" ] || { echo "Xvfb did not start (see $out/xvfb.log)" >&2; exit 1; }
export DISPLAY=:$(head -n1 "$out/display")

WINEDLLOVERRIDES="mscoree,mshtml=" timeout 180 "$wine" wineboot -i >"$out/wineboot.log" 2>&1 || true

# window_id TITLE-REGEX TIMEOUT: the first visible window with that title.
window_id() {
  local id
  for _ in $(seq $(($2 * 10))); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1)
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    sleep 0.1
  done
  return 1
}

echo "== starting Glidewing on the virtual display $DISPLAY"
"$wine" "$program" </dev/null >"$out/glidewing.log" 2>&1 &
program_pid=$!

tray=$(window_id '^Wine System Tray$' 60) || { echo "no tray icon appeared (see $out/glidewing.log)" >&2; exit 1; }
sleep 2  # let the window take input
eval "$(xdotool getwindowgeometry --shell "$tray")"
tray_x=$((X + 10))
tray_y=$((Y + 10))
import -display "$DISPLAY" -window root -crop 240x90+0+0 +repage "$out/tray.png"

# A right click shows the tray menu; a double click opens the configuration window.
xdotool mousemove "$tray_x" "$tray_y" click 3
sleep 1
import -display "$DISPLAY" -window root -crop 320x240+0+0 +repage "$out/tray-menu.png"
xdotool key Escape
sleep 0.5
xdotool mousemove "$tray_x" "$tray_y" click --repeat 2 --delay 80 1
window=$(window_id '^Glidewing $' 20) || { echo "the configuration window did not open" >&2; exit 1; }
sleep 1
import -display "$DISPLAY" -window "$window" "$out/window-about.png"
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove $((X + 36)) $((Y + 18)) click 1  # the Scroll tab
sleep 0.7
import -display "$DISPLAY" -window "$window" "$out/window-scroll.png"

echo "== Glidewing runs. Screenshots:"
for file in tray tray-menu window-about window-scroll; do
  echo "   $out/$file.png"
done

# Exit from the tray menu (its last item), as a user would.
xdotool mousemove "$tray_x" "$tray_y" click 3
sleep 1
xdotool key Up Return
for _ in $(seq 100); do
  kill -0 "$program_pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$program_pid" 2>/dev/null; then
  echo "== Glidewing did not end from its tray menu; stopping it"
else
  wait "$program_pid" || true
  program_pid=""
  echo "== Glidewing ended from its tray menu (Exit)"
fi
