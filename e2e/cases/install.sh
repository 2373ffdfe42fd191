#!/usr/bin/env bash
# The per-user installer (Glidewing-<version>.msi, made by the win32 build's target msi with the
# 64-bit build's files too) under Wine's own msiexec, and the /exit switch it relies on: a silent
# install puts the runnable set of the prefix's bitness, the texts and the Start menu entry in place
# and Glidewing runs from there; a silent uninstall ends a running Glidewing and removes every
# installed file; a newer package replaces an older one.
#
#   install.sh CASE     e.g. install.sh uninstall_ends_running_program
#
# Wine lists installed packages under HKLM's Uninstall key even when they are installed per user.
# GW_E2E_MSI_BUILD names the build folder that holds the installer (default build/win32).
set -uo pipefail
source "$(dirname "$0")/../lib.sh"

CLASS=Glidewing_Brightloom_2002
# A 32-bit package (the installer is one, to install on every Windows) is listed in the 32-bit view.
UNINSTALL_KEYS=('HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
                'HKLM\Software\Wow6432Node\Microsoft\Windows\CurrentVersion\Uninstall')
RUN_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'

# wait_exit NAME TIMEOUT: waits for the program to end; its exit status goes to EXIT_STATUS.
wait_exit() {
  gw_wait_exit "$1" "$2" >"$GW_CASE_DIR/$1.status"
  EXIT_STATUS=$(cat "$GW_CASE_DIR/$1.status")
}

# ---------------------------------------------------------------------------------------------
# The package and where it installs

# Sets MSI (the installer), MSI_BUILD (the build folder that made it), MSI_VERSION, SHIPPED (the
# names it installs), PROGRAM_DIR, PROGRAM_WIN (the installed program as Windows names it) and
# SHORTCUT.
installer_setup() {
  local found
  MSI_BUILD=${GW_E2E_MSI_BUILD:-$GW_REPO/build/win32}
  found=$(find "$MSI_BUILD" -maxdepth 1 -name 'Glidewing-*.msi' | head -n1)
  [ -n "$found" ] || gw_fail "no installer in $MSI_BUILD: cmake --build --preset win32 --target msi"
  MSI=$found
  MSI_VERSION=$(sed -n 's/^Glidewing-\([0-9.]*\)\.msi$/\1/p' <<<"$(basename "$MSI")").0
  SHIPPED=$(grep -v '^#' "$GW_REPO/packaging/runnable-set.txt"; echo readme.txt; echo LICENSE.txt)
  local user
  user=$WINEPREFIX/drive_c/users/$(whoami)
  PROGRAM_DIR=$user/AppData/Local/Programs/Glidewing
  PROGRAM_WIN="C:\\users\\$(whoami)\\AppData\\Local\\Programs\\Glidewing\\Glidewing.exe"
  SHORTCUT="$user/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Glidewing.lnk"
  uninstall_all
  rm -rf "$PROGRAM_DIR"
}

# msiexec_run ARGS...: Wine's msiexec, silent, logging into the case folder (msiexec-N.log); no
# Linux menu entries for the Start menu shortcut. Returns msiexec's status.
MSI_RUNS=0
msiexec_run() {
  MSI_RUNS=$((MSI_RUNS + 1))
  WINEDLLOVERRIDES="winemenubuilder.exe=d" gw_run --timeout 90 msiexec "$@" /qn \
    /l*v "$(gw_winpath "$GW_CASE_DIR/msiexec-$MSI_RUNS.log")"
}

# msiexec_quiet ARGS...: the same, and the case fails unless it succeeds.
msiexec_quiet() { msiexec_run "$@" || gw_fail "msiexec $* failed (see msiexec-$MSI_RUNS.log)"; }

# The installed packages named Glidewing, one "PRODUCTCODE VERSION KEY" line each.
installed_glidewings() {
  local key
  for key in "${UNINSTALL_KEYS[@]}"; do
    gw_run reg query "$key" /s 2>/dev/null | tr -d '\r' | awk -v key="$key" '
      /^HKEY_/ { n = split($0, parts, "\\"); code = parts[n]; name = ""; next }
      $1 == "DisplayName" && $2 == "REG_SZ" { name = $3 }
      $1 == "DisplayVersion" && $2 == "REG_SZ" && name == "Glidewing" { print code, $3, key "\\" code }'
  done
}

# A case that stopped half way may leave a package behind: remove every Glidewing package.
uninstall_all() {
  local code version _
  while read -r code version _; do
    [ -n "$code" ] && msiexec_quiet /x "$code"
  done <<<"$(installed_glidewings)"
}

# expect_installed VERSION: one package, that version, with publisher and icon; the files and the
# shortcut in place.
expect_installed() {
  local entries count code version key
  entries=$(installed_glidewings)
  count=$(grep -c . <<<"$entries")
  [ "$count" = 1 ] || gw_fail "$count installed Glidewing packages: $entries"
  read -r code version key <<<"$entries"
  [ "$version" = "$1" ] || gw_fail "installed version $version, expected $1"
  gw_run reg query "$key" /v Publisher | tr -d '\r' | grep -q 'REG_SZ *Brightloom$' ||
    gw_fail "no publisher in the list of installed programs"
  # The list of programs shows the icon the installer keeps for the product.
  [ -f "$WINEPREFIX/drive_c/users/$(whoami)/AppData/Roaming/Microsoft/Installer/$code/Glidewing.ico" ] ||
    gw_fail "the product icon was not kept"
  local name
  while read -r name; do
    [ -f "$PROGRAM_DIR/$name" ] || gw_fail "$name not installed in $PROGRAM_DIR"
  done <<<"$SHIPPED"
  [ -f "$SHORTCUT" ] || gw_fail "no Start menu shortcut"
  # Its target and working folder: Wine's start.exe cannot wait for a program a shortcut starts,
  # so the cases start the installed Glidewing.exe themselves.
  grep -qaF "$PROGRAM_WIN" "$SHORTCUT" || gw_fail "the shortcut does not lead to $PROGRAM_WIN"
  strings -a -el "$SHORTCUT" | grep -q 'AppData\\Local\\Programs\\Glidewing\\$' ||
    gw_fail "the shortcut does not start in the installed folder"
}

# expect_installed_bitness: the runnable set installed is the one of the prefix's bitness (Windows
# Installer's VersionNT64), byte for byte the build's that the suite runs; the list of installed
# files with their PE machine goes to installed-files.txt of the case.
expect_installed_bitness() {
  local machine=x86-64 name kind
  [ "$WINEARCH" = win32 ] && machine="Intel 80386"
  : >"$GW_CASE_DIR/installed-files.txt"
  for name in $(ls "$PROGRAM_DIR"); do
    kind=$(file -b "$PROGRAM_DIR/$name" | sed 's/, for MS Windows.*//; s/ (stripped to external PDB)//; s/,.*//')
    printf '%s\t%s\t%s\n' "$name" "$(stat -c %s "$PROGRAM_DIR/$name")" "$kind" >>"$GW_CASE_DIR/installed-files.txt"
  done
  gw_log "installed in $PROGRAM_DIR: $(tr '\t\n' ' ;' <"$GW_CASE_DIR/installed-files.txt")"
  while read -r name; do
    file -b "$PROGRAM_DIR/$name" | grep -q "$machine" || gw_fail "$name installed for the wrong bitness: $(file -b "$PROGRAM_DIR/$name")"
    [[ "$name" == *.chm ]] || cmp -s "$PROGRAM_DIR/$name" "$GW_BIN/$name" ||
      gw_fail "$name installed differs from $GW_BIN/$name"
  done < <(grep -v '^#' "$GW_REPO/packaging/runnable-set.txt" | grep -v '\.chm$')
}

# expect_removed: no package, no installed file, no shortcut; only GWing.ini (the user's settings,
# not installed) may keep the folder.
expect_removed() {
  [ -z "$(installed_glidewings)" ] || gw_fail "still listed as installed: $(installed_glidewings)"
  local name
  while read -r name; do
    [ -e "$PROGRAM_DIR/$name" ] && gw_fail "$name left in $PROGRAM_DIR"
  done <<<"$SHIPPED"
  [ -e "$SHORTCUT" ] && gw_fail "the Start menu shortcut is left"
  if [ -d "$PROGRAM_DIR" ]; then
    local left
    left=$(ls -A "$PROGRAM_DIR")
    [ "$left" = GWing.ini ] || gw_fail "left in $PROGRAM_DIR: $left"
  fi
  true
}

# start_installed [INI-LINE...]: Glidewing from the installed folder, with a GWing.ini there first.
# The pointer rests on the bare screen, so that the hooks run in no other program (Wine would keep
# GWHooks.dll loaded there, and so in use, for ever).
start_installed() {
  [ -n "${1:-}" ] && printf '%s\r\n' "$@" >"$PROGRAM_DIR/GWing.ini"
  gw_move 1000 740
  gw_start glidewing "$PROGRAM_DIR/Glidewing.exe"
  gw_wait_probe 20 section PaneBridge1201 || gw_fail "Glidewing did not start from $PROGRAM_DIR"
}

# ---------------------------------------------------------------------------------------------
# Cases

# Installed silently and started from the installed folder, Glidewing keeps its settings there (a left click on the tray icon saves GpEnabled=0 there) and points "Start with
# Windows" at the installed program; /exit ends it.
case_install_runs_from_programs_folder() {
  installer_setup
  msiexec_quiet /i "$(gw_winpath "$MSI")"
  expect_installed "$MSI_VERSION"
  expect_installed_bitness

  gw_start glidewing "$PROGRAM_DIR/Glidewing.exe"
  gw_wait_probe 20 section PaneBridge1201 || gw_fail "Glidewing did not start from $PROGRAM_DIR"
  local x y
  read -r x y <<<"$(gw_tray_point)"
  gw_click "$x" "$y"
  for _ in $(seq 20); do
    grep -q '^GpEnabled=0' "$PROGRAM_DIR/GWing.ini" 2>/dev/null && break
    sleep 0.5
  done
  grep -q '^GpEnabled=0' "$PROGRAM_DIR/GWing.ini" 2>/dev/null || gw_fail "no GWing.ini with GpEnabled=0 in $PROGRAM_DIR"
  gw_run reg query "$RUN_KEY" /v Glidewing | tr -d '\r' | grep -qiF "REG_SZ    \"$PROGRAM_WIN\"" ||
    gw_fail "the Run value is not \"$PROGRAM_WIN\" (in quotes)"
  gw_run reg delete "$RUN_KEY" /v Glidewing /f >/dev/null

  gw_run --timeout 15 "$PROGRAM_DIR/Glidewing.exe" /exit || gw_fail "Glidewing.exe /exit ended with $?"
  wait_exit glidewing 5
  [ "$EXIT_STATUS" = 0 ] || gw_fail "Glidewing ended with $EXIT_STATUS after /exit"
  # The click ran the hooks in explorer.exe, which hosts the tray, and Wine never unloads a hook
  # library from a process it was loaded into (Windows does once the hooks are removed): end
  # explorer too, so that GWHooks.dll is as free as on Windows. The next case shows the uninstall
  # of a running Glidewing without this.
  gw_wineserver_restart
  msiexec_quiet /x "$(gw_winpath "$MSI")"
  expect_removed
}

# Uninstalled while it runs: the installer's /exit ends it through its normal shutdown (exit
# status 0, shared section gone) before the files go.
case_uninstall_ends_running_program() {
  installer_setup
  msiexec_quiet /i "$(gw_winpath "$MSI")"
  start_installed "[Tools]" "Check_autorun=0"
  msiexec_quiet /x "$(gw_winpath "$MSI")"
  wait_exit glidewing 10
  [ "$EXIT_STATUS" = 0 ] || gw_fail "Glidewing ended with $EXIT_STATUS during the uninstall"
  gw_probe section PaneBridge1201 && gw_fail "the shared section outlived the program"
  expect_removed
  [ -f "$PROGRAM_DIR/GWing.ini" ] || gw_fail "the user's GWing.ini was removed"
  rm -rf "$PROGRAM_DIR"
}

# An older package (the same files as version 1.0.0), then this build's, while Glidewing runs: one
# package remains, the newer, and the user's settings stay; a rebuild of the same version then
# replaces it as well, and the older package no longer installs.
case_upgrade_replaces_older() {
  installer_setup
  local older=$GW_CASE_DIR/Glidewing-1.0-older.msi version
  bash "$GW_REPO/packaging/make-installer.sh" "$MSI_BUILD" 1.0.0 "$older" >"$GW_CASE_DIR/wixl.out" 2>&1 ||
    gw_fail "could not make the older package"
  msiexec_quiet /i "$(gw_winpath "$older")"
  expect_installed 1.0.0
  start_installed "[Tools]" "Check_autorun=0" "[Scroll]" "SpeedX=33"
  msiexec_quiet /i "$(gw_winpath "$MSI")"
  wait_exit glidewing 10
  [ "$EXIT_STATUS" = 0 ] || gw_fail "Glidewing ended with $EXIT_STATUS during the upgrade"
  version=$MSI_VERSION
  expect_installed "$version"
  expect_installed_bitness
  grep -q '^SpeedX=33' "$PROGRAM_DIR/GWing.ini" || gw_fail "the upgrade lost the user's GWing.ini"
  # A rebuild of the same version (a product code of its own) replaces it too.
  local rebuild=$GW_CASE_DIR/Glidewing-rebuild.msi
  bash "$GW_REPO/packaging/make-installer.sh" "$MSI_BUILD" "$version" "$rebuild" >>"$GW_CASE_DIR/wixl.out" 2>&1 ||
    gw_fail "could not make the rebuilt package"
  msiexec_quiet /i "$(gw_winpath "$rebuild")"
  expect_installed "$version"
  # Now the older package refuses to install and removes nothing.
  msiexec_run /i "$(gw_winpath "$older")" && gw_fail "the older package installed over the newer one"
  expect_installed "$version"
  msiexec_quiet /x "$(gw_winpath "$rebuild")"
  expect_removed
  rm -rf "$PROGRAM_DIR"
}

# /exit with an instance running: it ends through its normal shutdown (status 0, shared section and
# main window gone), and the /exit start ends with 0. Without one: 0 at once, nothing started.
case_exit_switch() {
  local dir=$GW_CASE_DIR/app
  mkdir -p "$dir"
  cp "$GW_BIN"/*.exe "$GW_BIN"/*.dll "$dir"/
  printf '%s\r\n' "[Tools]" "Check_autorun=0" >"$dir/GWing.ini"

  gw_run --timeout 10 "$dir/Glidewing.exe" /exit || gw_fail "/exit without an instance ended with $?"
  gw_probe class "$CLASS" && gw_fail "/exit started Glidewing"

  gw_start glidewing "$dir/Glidewing.exe"
  gw_wait_probe 20 section PaneBridge1201 || gw_fail "no shared section after start-up"
  gw_run --timeout 15 "$dir/Glidewing.exe" /EXIT || gw_fail "/EXIT ended with $?"
  # /exit waits for the process to end, so it is gone (but for Wine's own clean-up) once /exit returns.
  wait_exit glidewing 2
  [ "$EXIT_STATUS" = 0 ] || gw_fail "Glidewing ended with $EXIT_STATUS"
  gw_probe section PaneBridge1201 && gw_fail "the shared section outlived the program"
  gw_probe class "$CLASS" && gw_fail "the main window outlived the program"
  true
}

gw_case_begin "install.$1"
"case_$1"
