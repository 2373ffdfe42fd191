# Shared helpers of the end-to-end cases under Wine. Source this file from a case script:
#
#   source "$(dirname "$0")/../lib.sh"
#   gw_case_begin my.case.name
#   ... gw_start / gw_wait_log / gw_click / gw_expect_* ...
#
# A session (a private Xvfb display and a private Wine prefix with a warm wineserver) is started
# once per test run by `e2e/session.sh start` (the CTest fixture) and shared by the cases of that
# run. A case started by hand without a session starts its own and tears it down at exit.
# Every Windows process a case starts is ended when the case ends, pass or fail.
#
# Environment (all optional):
#   GW_E2E_WORK    working folder: prefix, logs, artifacts (default <repo>/build/e2e)
#   GW_E2E_BUILD   the Windows build folder whose bin/ and e2e-bin/ are used
#                  (default <repo>/build/win32 or <repo>/build/win64, after the architecture)
#   GW_E2E_ARCH    win32 or win64 instead of the automatic choice
#   GW_E2E_SETTLE  seconds to wait after a window appears before sending it input (default 1)
#   WINEDEBUG      passed to Wine (default -all)
#   GW_E2E_MONITORS  left-of, above or right-of: the session's display has two 1024x768 monitors,
#                  the second one placed so beside the primary (Xorg with the dummy video driver
#                  instead of Xvfb; needs root). Windows then has the primary at (0,0) and the other
#                  monitor at negative coordinates for left-of and above; the pointer helpers below
#                  take Windows screen coordinates and translate them.

GW_REPO=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
GW_E2E_WORK=${GW_E2E_WORK:-$GW_REPO/build/e2e}
GW_E2E_SETTLE=${GW_E2E_SETTLE:-1}
GW_SESSION_FILE=$GW_E2E_WORK/session/env
GW_ARTIFACTS=$GW_E2E_WORK/artifacts
GW_RUNNING_FILE=$GW_E2E_WORK/session/running

declare -A GW_PIDS=()     # name -> pid of the processes this case started
declare -A GW_HOOKS=()    # name -> 1 if it installs global hooks
declare -A GW_ON_STOP=()  # name -> command that asks it to end
GW_CASE=""
GW_CASE_DIR=""
GW_OWN_SESSION=0

gw_log() { echo "e2e: $*" >&2; }

# Fails the running case: the exit trap takes a screenshot and prints the case's logs.
# Works from inside $(...) too: a subshell also signals the case's own shell, which then exits.
gw_fail() {
  echo "FAIL${GW_CASE:+ ($GW_CASE)}: $*" >&2
  [ "$BASHPID" != "$$" ] && kill -USR1 "$$"
  exit 1
}

# ---------------------------------------------------------------------------------------------
# Session: display, prefix, wineserver

# Picks the Wine architecture: the 32-bit build where the 32-bit loader runs, else the 64-bit one.
gw_pick_arch() {
  if [ -n "${GW_E2E_ARCH:-}" ]; then
    echo "$GW_E2E_ARCH"
  elif /usr/lib/wine/wine --version >/dev/null 2>&1; then
    echo win32
  else
    echo win64
  fi
}

gw_session_start() {
  [ -f "$GW_SESSION_FILE" ] && gw_session_stop  # left over from an interrupted run
  mkdir -p "$GW_E2E_WORK/session" "$GW_ARTIFACTS"
  rm -f "$GW_ARTIFACTS"/*.png "$GW_RUNNING_FILE"

  local arch build wine wineserver
  arch=$(gw_pick_arch)
  build=${GW_E2E_BUILD:-$GW_REPO/build/$arch}
  if [ "$arch" = win32 ]; then
    wine=/usr/lib/wine/wine
    wineserver=/usr/lib/wine/wineserver32
    [ -x /usr/lib/wine/wineserver64 ] && wineserver=/usr/lib/wine/wineserver64
  else
    wine=/usr/lib/wine/wine64
    wineserver=/usr/lib/wine/wineserver64
  fi
  if [ "$arch" = win64 ] && [ -z "${GW_E2E_ARCH:-}" ]; then
    gw_log "using WINEARCH=win64 with $build (the 32-bit Wine loader cannot run on this machine)"
  else
    gw_log "using WINEARCH=$arch with $build"
  fi
  [ -f "$build/e2e-bin/gwtarget.exe" ] || {
    gw_log "missing $build/e2e-bin/gwtarget.exe: build the $arch preset first"
    return 1
  }

  # The X server picks a free display itself and writes its number once it accepts connections.
  local displayfile=$GW_E2E_WORK/session/display
  rm -f "$displayfile"
  if [ -n "${GW_E2E_MONITORS:-}" ]; then
    setsid Xorg -displayfd 3 -config "$GW_REPO/e2e/xorg-dummy.conf" -noreset -nolisten tcp \
      -logfile "$GW_E2E_WORK/session/xorg.log" 3>"$displayfile" \
      </dev/null >"$GW_E2E_WORK/session/xvfb.log" 2>&1 &
  else
    setsid Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$displayfile" \
      </dev/null >"$GW_E2E_WORK/session/xvfb.log" 2>&1 &
  fi
  local xvfb_pid=$!
  local i
  for i in $(seq 100); do
    [ -s "$displayfile" ] && break
    sleep 0.1
  done
  [ -s "$displayfile" ] || { gw_log "the X server did not start"; kill "$xvfb_pid" 2>/dev/null; return 1; }
  local origin="0 0"
  if [ -n "${GW_E2E_MONITORS:-}" ]; then
    origin=$(gw_place_second_monitor ":$(head -n1 "$displayfile")" "$GW_E2E_MONITORS") ||
      { gw_log "no second monitor ($GW_E2E_MONITORS)"; kill "$xvfb_pid" 2>/dev/null; return 1; }
  fi

  local prefix=$GW_E2E_WORK/prefix
  cat >"$GW_SESSION_FILE" <<EOF
export DISPLAY=:$(head -n1 "$displayfile")
export GW_XVFB_PID=$xvfb_pid
export WINEPREFIX=$prefix
export WINEARCH=$arch
export WINELOADER=$wine
export WINEDEBUG=${WINEDEBUG:--all}
export GW_WINE=$wine
export GW_WINESERVER=$wineserver
export GW_BUILD=$build
export GW_BIN=$build/bin
export GW_E2E_BIN=$build/e2e-bin
export GW_ORIGIN_X=${origin% *}
export GW_ORIGIN_Y=${origin#* }
EOF
  # shellcheck disable=SC1090
  source "$GW_SESSION_FILE"
  gw_log "display $DISPLAY, prefix $WINEPREFIX"

  # A fresh prefix per run; the wineserver stays up until the session ends, so that every
  # program of every case starts warm.
  rm -rf "$prefix"
  mkdir -p "$prefix"
  "$GW_WINESERVER" -p </dev/null >>"$GW_E2E_WORK/session/wineserver.log" 2>&1 || {
    gw_log "wineserver did not start"
    return 1
  }
  # No Mono or Gecko installer dialogs while the prefix is made.
  WINEDLLOVERRIDES="mscoree,mshtml=" timeout 120 "$GW_WINE" wineboot -i \
    </dev/null >"$GW_E2E_WORK/session/wineboot.log" 2>&1 || {
    gw_log "wineboot failed, see $GW_E2E_WORK/session/wineboot.log"
    return 1
  }

  # The first window of a fresh prefix starts the desktop process, which takes several seconds:
  # pay for it here, once.
  local warm=$GW_E2E_WORK/session/warmup.log
  rm -f "$warm"
  "$GW_WINE" "$GW_E2E_BIN/gwtarget.exe" "$(gw_winpath "$warm")" </dev/null >/dev/null 2>&1 &
  local warm_pid=$!
  for i in $(seq 600); do
    grep -q '^ready' "$warm" 2>/dev/null && break
    sleep 0.1
  done
  kill "$warm_pid" 2>/dev/null
  wait "$warm_pid" 2>/dev/null
  grep -q '^ready' "$warm" 2>/dev/null || { gw_log "the warm-up program did not start"; return 1; }
  gw_log "session ready"
}

# gw_place_second_monitor DISPLAY left-of|above|right-of: turns the dummy driver's second output on
# beside the primary one; prints where Windows' (0,0), the primary's corner, lies on the X root.
gw_place_second_monitor() {
  local display=$1 where=$2
  DISPLAY=$display xrandr --addmode DUMMY1 1024x768 &&
    DISPLAY=$display xrandr --output DUMMY1 --mode 1024x768 "--$where" DUMMY0 --output DUMMY0 --primary ||
    return 1
  # A full query makes the server probe its outputs again; until then it hands out the layout it had
  # at start, and that is what Wine would see.
  DISPLAY=$display xrandr >/dev/null || return 1
  case $where in
    left-of) echo "1024 0" ;;
    above) echo "0 768" ;;
    *) echo "0 0" ;;
  esac
}

gw_session_stop() {
  [ -f "$GW_SESSION_FILE" ] || return 0
  (
    # shellcheck disable=SC1090
    source "$GW_SESSION_FILE"
    "$GW_WINESERVER" -k >/dev/null 2>&1
    local i
    for i in $(seq 50); do
      "$GW_WINESERVER" -k0 >/dev/null 2>&1 || break  # fails once no server is left
      sleep 0.1
    done
    kill "$GW_XVFB_PID" 2>/dev/null
    for i in $(seq 50); do
      kill -0 "$GW_XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
    kill -9 "$GW_XVFB_PID" 2>/dev/null
    true
  )
  rm -f "$GW_SESSION_FILE"
  gw_log "session stopped"
}

# ---------------------------------------------------------------------------------------------
# Cases

# Starts a case: attaches to the run's session (or starts a private one), makes an empty folder
# for the case's logs ($GW_CASE_DIR) and arranges the clean-up.
gw_case_begin() {
  GW_CASE=$1
  if [ ! -f "$GW_SESSION_FILE" ]; then
    GW_OWN_SESSION=1
    gw_session_start || gw_fail "no session"
  fi
  # shellcheck disable=SC1090
  source "$GW_SESSION_FILE"
  if [ -n "${GW_E2E_BUILD:-}" ]; then  # a case may try another build of the same architecture
    export GW_BUILD=$GW_E2E_BUILD GW_BIN=$GW_E2E_BUILD/bin GW_E2E_BIN=$GW_E2E_BUILD/e2e-bin
  fi
  GW_CASE_DIR=$GW_E2E_WORK/cases/$GW_CASE
  rm -rf "$GW_CASE_DIR"
  mkdir -p "$GW_CASE_DIR" "$GW_ARTIFACTS"
  gw_clear_aborted_case
  trap gw_case_end EXIT
  trap 'exit 1' USR1 TERM INT
  gw_log "case $GW_CASE"
}

# The programs of the running case are listed in $GW_RUNNING_FILE until the case has ended them.
# If a case was killed before its clean-up (a CTest timeout), the next one finds the list, ends
# what is left and restarts the wineserver, since killed hook installers leave their hooks behind.
gw_clear_aborted_case() {
  [ -s "$GW_RUNNING_FILE" ] || return 0
  local pid
  while read -r pid; do
    if grep -qa '\.exe' "/proc/$pid/cmdline" 2>/dev/null; then
      kill -9 "$pid" 2>/dev/null
    fi
  done <"$GW_RUNNING_FILE"
  gw_log "the previous case did not end its programs: restarting the wineserver"
  gw_wineserver_restart
  : >"$GW_RUNNING_FILE"
}

gw_case_end() {
  local status=$?
  if [ "$status" -ne 0 ]; then
    gw_screenshot "$GW_CASE-failed" || true
    local file
    for file in "$GW_CASE_DIR"/*; do
      [ -f "$file" ] || continue
      echo "----- $file (last 60 lines)" >&2
      tail -n 60 "$file" >&2
    done
  fi
  gw_stop_all
  local command
  for command in "${GW_CASE_END_COMMANDS[@]}"; do
    (eval "$command") >/dev/null 2>&1
  done
  [ "$GW_OWN_SESSION" = 1 ] && gw_session_stop
  exit "$status"
}

# gw_at_case_end COMMAND: runs COMMAND when the case ends, pass or fail, after its programs have
# ended (to give back a change to the prefix that later cases must not meet).
GW_CASE_END_COMMANDS=()
gw_at_case_end() { GW_CASE_END_COMMANDS+=("$1"); }

# ---------------------------------------------------------------------------------------------
# Windows programs

# gw_probe ARGS...: asks gwprobe.exe (e2e/programs/gwprobe_win.cpp) one question; its answer is the
# status. gw_wait_probe TIMEOUT ARGS...: until it answers yes (status 1 after TIMEOUT seconds).
gw_probe() { gw_run --timeout 20 "$GW_E2E_BIN/gwprobe.exe" "$@" >/dev/null; }
gw_wait_probe() {
  local timeout=$1
  shift
  for _ in $(seq $((timeout * 2))); do
    gw_probe "$@" && return 0
    sleep 0.5
  done
  return 1
}

# Windows path of a Linux path (Wine maps the Linux root to drive Z:).
gw_winpath() {
  local path
  path=$(realpath -m "$1")
  echo "Z:${path//\//\\}"
}

# gw_start [--hooks] NAME EXE [ARGS...]: runs a Windows program in the background; its console
# output goes to $GW_CASE_DIR/NAME.out. EXE is a Linux path (e.g. "$GW_BIN/Glidewing.exe").
# --hooks marks a program that installs global hooks: Wine keeps the hooks of a process that is
# killed (or terminated) in force until the wineserver ends, so if such a program has to be
# killed the wineserver is restarted when the case ends. Give it a polite way out (gw_on_stop).
# Glidewing.exe and gwhookhost.exe always count as hook installers.
gw_start() {
  local hooks=0
  if [ "$1" = --hooks ]; then
    hooks=1
    shift
  fi
  local name=$1 exe=$2
  shift 2
  [ -f "$exe" ] || gw_fail "missing $exe"
  case "${exe,,}" in
    */glidewing.exe | */gwhookhost.exe) hooks=1 ;;  # they always install the hooks
  esac
  "$GW_WINE" "$exe" "$@" </dev/null >"$GW_CASE_DIR/$name.out" 2>&1 &
  GW_PIDS[$name]=$!
  GW_HOOKS[$name]=$hooks
  # Glidewing ends properly on a WM_CLOSE from outside (hooks removed, cursors back), which spares
  # the wineserver restart a kill would need.
  case "${exe,,}" in
    */glidewing.exe)
      [ -n "${GW_ON_STOP[$name]:-}" ] ||
        gw_on_stop "$name" "gw_run --timeout 10 '$GW_E2E_BIN/gwprobe.exe' close Glidewing_Brightloom_2002" ;;
  esac
  echo "$!" >>"$GW_RUNNING_FILE"
}

# gw_on_stop NAME COMMAND: how to ask the program to end by itself (e.g. write a quit command, close
# its window); gw_stop and the end of the case run it first and give the program 5 s.
gw_on_stop() { GW_ON_STOP[$1]=$2; }

# gw_running NAME: true while the program started as NAME still runs.
gw_running() {
  local pid=${GW_PIDS[$1]:-}
  [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null
}

# gw_wait_exit NAME [TIMEOUT]: waits for the program to end by itself; prints its exit status.
gw_wait_exit() {
  local name=$1 timeout=${2:-10} pid=${GW_PIDS[$1]:-} i
  [ -n "$pid" ] || gw_fail "no program named $name"
  for i in $(seq $((timeout * 10))); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$pid" 2>/dev/null && gw_fail "$name did not end within ${timeout}s"
  local status=0
  wait "$pid" || status=$?
  unset "GW_PIDS[$name]"
  echo "$status"
}

# gw_stop NAME: ends the program: its gw_on_stop command first, then TERM, then KILL, and waits
# until it is gone.
gw_stop() {
  local name=$1 pid=${GW_PIDS[$1]:-} i
  [ -n "$pid" ] || return 0
  if [ -n "${GW_ON_STOP[$name]:-}" ] && kill -0 "$pid" 2>/dev/null; then
    (eval "${GW_ON_STOP[$name]}") >/dev/null 2>&1
    for i in $(seq 50); do
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
  fi
  if kill -0 "$pid" 2>/dev/null; then
    [ "${GW_HOOKS[$name]:-0}" = 1 ] && GW_RESTART_WINESERVER=1
    kill "$pid" 2>/dev/null
    for i in $(seq 30); do
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    kill -9 "$pid" 2>/dev/null
  fi
  wait "$pid" 2>/dev/null
  unset "GW_PIDS[$name]"
}

# gw_kill NAME: ends the program at once with SIGKILL to its Wine process, as a crash or the task
# manager would: nothing of its own clean-up runs. Wine keeps a killed hook installer's hooks in
# force until the wineserver ends, so the case's end then restarts the wineserver.
gw_kill() {
  local name=$1 pid=${GW_PIDS[$1]:-}
  [ -n "$pid" ] || gw_fail "no program named $name"
  kill -9 "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  [ "${GW_HOOKS[$name]:-0}" = 1 ] && GW_RESTART_WINESERVER=1
  unset "GW_PIDS[$name]"
}

gw_stop_all() {
  local name
  for name in "${!GW_PIDS[@]}"; do
    gw_stop "$name"
  done
  if [ "${GW_RESTART_WINESERVER:-0}" = 1 ]; then
    gw_log "a hook installer had to be killed: restarting the wineserver to drop its hooks"
    gw_wineserver_restart
    GW_RESTART_WINESERVER=0
  fi
  : >"$GW_RUNNING_FILE"
}

# Ends every Windows process of the prefix and starts a fresh persistent wineserver.
gw_wineserver_restart() {
  "$GW_WINESERVER" -k >/dev/null 2>&1
  local i
  for i in $(seq 50); do
    "$GW_WINESERVER" -k0 >/dev/null 2>&1 || break
    sleep 0.1
  done
  "$GW_WINESERVER" -p </dev/null >>"$GW_E2E_WORK/session/wineserver.log" 2>&1
}

# gw_run [--timeout S] EXE-OR-BUILTIN [ARGS...]: runs a Windows program to its end (e.g. `gw_run
# reg query ...`); prints its output and returns its status.
gw_run() {
  local timeout=30
  if [ "$1" = --timeout ]; then
    timeout=$2
    shift 2
  fi
  timeout "$timeout" "$GW_WINE" "$@" </dev/null 2>/dev/null
}

# gw_wine_decorated yes|no: whether Wine draws the window frames itself ("no": needed to see
# non-client messages on title bars and frames). Affects programs started afterwards.
gw_wine_decorated() {
  local value=N
  [ "$1" = yes ] && value=Y
  gw_run reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d "$value" /f >/dev/null ||
    gw_fail "could not set Decorated=$value"
}

# ---------------------------------------------------------------------------------------------
# Logs

# gw_log_mark FILE: the number of lines in FILE now; pass it to the helpers below to look only at
# what was written afterwards.
gw_log_mark() {
  if [ -f "$1" ]; then wc -l <"$1"; else echo 0; fi
}

# gw_log_since FILE MARK: the lines written after MARK.
gw_log_since() {
  [ -f "$1" ] || return 0
  tail -n +"$(($2 + 1))" "$1"
}

# gw_log_find FILE MARK REGEX [END]: prints "N:LINE" for the first line after MARK (and not after
# line END) that matches the extended regular expression; fails if there is none. (One awk over
# the file: no pipeline that an early-exiting grep could break under pipefail. Debian's awk has
# no interval braces: write [0-9A-F]+, not [0-9A-F]{7}.)
gw_log_find() {
  [ -f "$1" ] || return 1
  GW_RE=$3 awk -v mark="$2" -v end="${4:-0}" \
    'NR > mark && (end == 0 || NR <= end) && $0 ~ ENVIRON["GW_RE"] { print NR ":" $0; found = 1; exit }
     END { exit !found }' "$1"
}

# gw_log_has FILE MARK REGEX [END]: true if such a line exists.
gw_log_has() { gw_log_find "$@" >/dev/null; }

# gw_line_of FILE MARK REGEX: number of the first line after MARK that matches (empty if none).
gw_line_of() {
  local found
  found=$(gw_log_find "$@") && echo "${found%%:*}"
}

# gw_wait_log FILE REGEX [TIMEOUT=10] [MARK=0]: waits until a line after MARK matches the extended
# regular expression; prints the first such line. Fails the case on timeout.
gw_wait_log() {
  local file=$1 regex=$2 timeout=${3:-10} mark=${4:-0} i found
  for i in $(seq $((timeout * 10))); do
    if found=$(gw_log_find "$file" "$mark" "$regex"); then
      echo "${found#*:}"
      return 0
    fi
    sleep 0.1
  done
  gw_fail "no line matching /$regex/ in $(basename "$file") within ${timeout}s"
}

# gw_expect_log FILE MARK REGEX [WHY]: a line after MARK matches, now.
gw_expect_log() {
  gw_log_has "$1" "$2" "$3" || gw_fail "${4:-expected} /$3/ in $(basename "$1") after line $2"
}

# gw_expect_no_log FILE MARK REGEX [WHY] [END]: no line after MARK (and up to line END, if given)
# matches.
gw_expect_no_log() {
  local found
  if found=$(gw_log_find "$1" "$2" "$3" "${5:-0}"); then
    gw_fail "${4:-unexpected}: line ${found%%:*} \"${found#*:}\" in $(basename "$1")"
  fi
  return 0
}

# ---------------------------------------------------------------------------------------------
# Windows on the display, input, screenshots

# gw_wait_window TITLE-REGEX [TIMEOUT=15]: waits for a visible window whose title matches, then
# waits GW_E2E_SETTLE seconds more (input sent right after mapping can be lost); prints its X id.
gw_wait_window() { gw_wait_xwindow --name "$1" "${2:-15}"; }

# gw_wait_window_class CLASS-REGEX [TIMEOUT=15]: the same by X class, which Wine sets to the
# executable's name (e.g. "glidewing.exe").
gw_wait_window_class() { gw_wait_xwindow --class "$1" "${2:-15}"; }

# gw_wait_xwindow --name|--class REGEX TIMEOUT: the loop behind the two above.
gw_wait_xwindow() {
  local by=$1 pattern=$2 timeout=$3 i id
  for i in $(seq $((timeout * 10))); do
    id=$(xdotool search --onlyvisible "$by" "$pattern" 2>/dev/null | head -n1)
    if [ -n "$id" ]; then
      sleep "$GW_E2E_SETTLE"
      echo "$id"
      return 0
    fi
    sleep 0.1
  done
  gw_fail "no window with ${by#--} /$pattern/ within ${timeout}s"
}

# gw_window_gone TITLE-REGEX [TIMEOUT=10]: waits until no visible window has that title.
gw_window_gone() {
  local title=$1 timeout=${2:-10} i
  for i in $(seq $((timeout * 10))); do
    xdotool search --onlyvisible --name "$title" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  gw_fail "window /$title/ still there after ${timeout}s"
}

# Pointer and keyboard, in screen coordinates (Wine's screen is the X root, origin top left).
# Buttons: 1 left, 2 middle, 3 right, 4 wheel up, 5 wheel down.
# Positions are Windows screen coordinates; xdotool speaks of the X root, whose corner is the
# desktop's top left, left of or above the primary monitor when another monitor lies there.
gw_xmove() { xdotool mousemove $(($1 + ${GW_ORIGIN_X:-0})) $(($2 + ${GW_ORIGIN_Y:-0})) "${@:3}"; }
gw_move() { gw_xmove "$1" "$2"; }
gw_click() { gw_xmove "$1" "$2" click "${3:-1}"; }                   # gw_click X Y [BUTTON]
gw_double_click() { gw_xmove "$1" "$2" click --repeat 2 --delay 80 "${3:-1}"; }
gw_press() { gw_xmove "$1" "$2" mousedown "${3:-1}"; }               # gw_press X Y [BUTTON]
gw_release() { xdotool mouseup "${1:-1}"; }                          # gw_release [BUTTON]
# As people click: the button down about 130 ms; a double click is two such clicks 100 ms apart.
gw_quick_click() {                                                    # gw_quick_click X Y [BUTTON]
  gw_xmove "$1" "$2" mousedown "${3:-1}" sleep 0.13 mouseup "${3:-1}"
}
gw_quick_double_click() {                                             # gw_quick_double_click X Y [B]
  gw_xmove "$1" "$2" mousedown "${3:-1}" sleep 0.13 mouseup "${3:-1}" sleep 0.1 \
    mousedown "${3:-1}" sleep 0.13 mouseup "${3:-1}"
}
gw_wheel() {                                                          # gw_wheel X Y up|down [N]
  local button=5
  [ "$3" = up ] && button=4
  gw_xmove "$1" "$2" click --repeat "${4:-1}" --delay 50 "$button"
}
gw_type() { xdotool type --delay 60 -- "$1"; }                       # to the focused window
gw_key() { xdotool key --delay 60 -- "$@"; }                         # e.g. gw_key Return ctrl+a

# gw_screenshot NAME: the whole screen into $GW_ARTIFACTS/NAME.png; prints the path.
gw_screenshot() {
  mkdir -p "$GW_ARTIFACTS"
  local file=$GW_ARTIFACTS/$1.png
  import -display "$DISPLAY" -window root "$file" 2>/dev/null || return 1
  echo "$file"
}

# ---------------------------------------------------------------------------------------------
# The target program (e2e-bin/gwtarget.exe): windows at fixed places that log what they receive

# gw_target_start [DX DY]: starts it with its log at $GW_TARGET_LOG, every window DX DY pixels away
# from its usual place (default: $GW_TARGET_SHIFT, if set; on another monitor, say), and waits until
# its windows take input.
gw_target_start() {
  local shift=("$@")
  [ $# -eq 0 ] && [ -n "${GW_TARGET_SHIFT:-}" ] && read -r -a shift <<<"$GW_TARGET_SHIFT"
  GW_TARGET_LOG=$GW_CASE_DIR/target.log
  gw_start target "$GW_E2E_BIN/gwtarget.exe" "$(gw_winpath "$GW_TARGET_LOG")" "${shift[@]}"
  gw_wait_log "$GW_TARGET_LOG" '^ready' 20 >/dev/null
  gw_wait_window '^GWTarget list$' >/dev/null
  gw_target_ready plain
}

# gw_hooks_loaded [FOLDER]: waits until GWHooks.dll (FOLDER's, when given) is mapped into gwtarget:
# the hooks are in, and the target has had input since, so every press and move from now on goes
# through them. The pointer wiggles over the target's plain window meanwhile. Fails when the
# program "app" ends, or shows a message box captioned Glidewing (start-up stopped), first.
gw_hooks_loaded() {
  local pid=${GW_PIDS[target]} x y i pattern=gwhooks.dll
  [ $# -ge 1 ] && pattern=$1/gwhooks.dll
  read -r x y <<<"$(gw_target_point plain)"
  for i in $(seq 60); do
    gw_move $((x + i % 2)) "$y"
    sleep 0.25
    if grep -qiF "$pattern" "/proc/$pid/maps" 2>/dev/null; then
      sleep 0.5
      return 0
    fi
    gw_running app || gw_fail "Glidewing ended during start-up"
    [ $# -ge 1 ] && gw_probe box Glidewing "$(gw_winpath "$GW_CASE_DIR/box.log")" &&
      gw_fail "start-up stopped: $(tr -d '\r' <"$GW_CASE_DIR/box.log")"
  done
  gw_fail "GWHooks.dll${1:+ of $1} never reached the target"
}

# gw_target_rect TAG: "LEFT TOP RIGHT BOTTOM" of one of its windows (see gwtarget_win.cpp).
gw_target_rect() {
  local rect
  rect=$(grep -m1 "^rect $1 " "$GW_TARGET_LOG" | cut -d' ' -f3-6)
  [ -n "$rect" ] || gw_fail "gwtarget has no window $1"
  echo "$rect"
}

# gw_target_point TAG [DX DY]: a screen point inside the window: its centre, or DX/DY from its
# top left corner (negative: from the right/bottom edge).
gw_target_point() {
  local left top right bottom
  read -r left top right bottom <<<"$(gw_target_rect "$1")"
  if [ $# -ge 3 ]; then
    local x=$((left + $2)) y=$((top + $3))
    [ "$2" -lt 0 ] && x=$((right + $2))
    [ "$3" -lt 0 ] && y=$((bottom + $3))
    echo "$x $y"
  else
    echo "$(((left + right) / 2)) $(((top + bottom) / 2))"
  fi
}

# gw_target_lparam TAG X Y: the client-coordinate lParam ("0x%08X") gwtarget logs for a mouse
# message of window TAG at screen point X Y (these windows have no frames).
gw_target_lparam() {
  local left top right bottom
  read -r left top right bottom <<<"$(gw_target_rect "$1")"
  printf '0x%04X%04X' $(($3 - top)) $(($2 - left))
}

# gw_target_ready TAG [TIMEOUT=10]: moves the pointer over the window, a pixel back and forth,
# until the window logs a mouse move: from then on it takes input.
gw_target_ready() {
  local tag=$1 timeout=${2:-10} x y i mark
  read -r x y <<<"$(gw_target_point "$tag")"
  mark=$(gw_log_mark "$GW_TARGET_LOG")
  for i in $(seq $((timeout * 5))); do
    gw_move $((x + i % 2)) "$y"
    sleep 0.2
    gw_log_has "$GW_TARGET_LOG" "$mark" "^$tag msg=0x0200 " && return 0
  done
  gw_fail "gwtarget's $tag window takes no input"
}

# gw_tray_point: the first icon of Wine's stand-alone tray window, "X Y".
gw_tray_point() {
  local id X Y WIDTH HEIGHT SCREEN WINDOW
  id=$(gw_wait_window '^Wine System Tray$' 15)
  eval "$(xdotool getwindowgeometry --shell "$id")"
  echo "$((X + 10 - ${GW_ORIGIN_X:-0})) $((Y + 10 - ${GW_ORIGIN_Y:-0}))"
}

# ---------------------------------------------------------------------------------------------
# Glidewing in a folder of the case's own, and its configuration window

# gw_app_start [INI-LINE...]: the runnable set in $GW_CASE_DIR/app ($GW_APP_DIR) with a GWing.ini of
# those lines (CRLF, as the profile calls write it) and, first, scrolling off (no click of the case
# is taken for a scroll) and the Run value left alone; started, and waited for until its main window
# exists.
gw_app_start() {
  GW_APP_DIR=$GW_CASE_DIR/app
  mkdir -p "$GW_APP_DIR"
  [ -f "$GW_BIN/Glidewing.exe" ] || gw_fail "missing $GW_BIN/Glidewing.exe"
  cp "$GW_BIN"/*.exe "$GW_BIN"/*.dll "$GW_BIN"/*.chm "$GW_APP_DIR"/ 2>/dev/null
  printf '%s\r\n' "[Scroll]" "GpEnabled=0" "[Tools]" "Check_autorun=0" "$@" >"$GW_APP_DIR/GWing.ini"
  gw_start glidewing "$GW_APP_DIR/Glidewing.exe"
  local i
  for i in $(seq 40); do
    gw_run --timeout 10 "$GW_E2E_BIN/gwprobe.exe" class Glidewing_Brightloom_2002 >/dev/null && return 0
    sleep 0.5
  done
  gw_fail "no main window"
}

# gw_open_configuration: the configuration window from a double click on the tray icon (the pointer
# then moves off the icon, so no tooltip covers anything); sets GW_WINDOW (its X id) and X, Y, WIDTH,
# HEIGHT (its client area on the X root: the window has no frame without a window manager).
gw_open_configuration() {
  local tx ty SCREEN WINDOW
  read -r tx ty <<<"$(gw_tray_point)"
  gw_quick_double_click "$tx" "$ty"
  gw_move $((tx + 200)) $((ty + 200))
  GW_WINDOW=$(gw_wait_window '^Glidewing $' 10)
  eval "$(xdotool getwindowgeometry --shell "$GW_WINDOW")"
}
