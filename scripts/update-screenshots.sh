#!/usr/bin/env bash
# Refreshes the pictures of the README (docs/screenshots/) from the end-to-end run under Wine:
#
#   bash scripts/update-screenshots.sh             build, run the cases that take them, copy them
#   bash scripts/update-screenshots.sh --collect   only copy them from the last run's artifacts
#
# The cases are program.configuration_pages_screenshots (the five pages of the configuration
# window), program.exit_from_tray_menu (the tray menu), popdesk.menu_lists_and_launches (the
# PopDesk menu) and dpi.window_and_menus_at_144 and _at_192 (the About page and the PopDesk menu at
# 150 and 200 %); the direction cursors' contact sheets come from the build (resources/cursors).
# Screen pictures are cut to what they show; every picture is written without time stamps, so an
# unchanged picture leaves no difference behind. Run as root on Debian, like scripts/test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."

collect_only=0
case "${1:-}" in
  --collect) collect_only=1 ;;
  "") ;;
  *) echo "usage: $0 [--collect]" >&2; exit 2 ;;
esac

# The build the e2e suite runs (win32 where the 32-bit Wine loader works, else win64).
given_work=${GW_E2E_WORK:-}
source e2e/lib.sh
preset=$(gw_pick_arch)
build=${GW_E2E_BUILD:-build/$preset}
# The cases run in several sessions (e2e/README.md), each with its own artifacts folder.
if [ -n "$given_work" ]; then artifacts=("$given_work/artifacts"); else artifacts=(build/e2e/*/artifacts); fi

if [ $collect_only = 0 ]; then
  bash scripts/setup-machine.sh
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j 2
  cmake --preset e2e >/dev/null
  ctest --preset e2e \
    -R '^e2e\.(program\.(configuration_pages_screenshots|exit_from_tray_menu)|popdesk\.menu_lists_and_launches|dpi\.window_and_menus_at_(144|192))$'
fi

out=docs/screenshots
mkdir -p "$out"
# picture SOURCE NAME [trim]: SOURCE into docs/screenshots/NAME.png, cut to its content if asked;
# a SOURCE without a folder is looked for in the sessions' artifacts.
picture() {
  local source=$1 dir
  if [ "${source#*/}" = "$source" ]; then
    for dir in "${artifacts[@]}"; do [ -f "$dir/$1" ] && source=$dir/$1; done
  fi
  [ -f "$source" ] || { echo "missing $1: run the end-to-end cases first (without --collect)" >&2; exit 1; }
  local cut=()
  [ "${3:-}" = trim ] && cut=(-trim +repage)
  convert "$source" "${cut[@]}" -strip -define png:exclude-chunks=date,time "$out/$2.png"
  echo "   $out/$2.png  ($(identify -format '%wx%h' "$out/$2.png"))"
}

echo "== pictures from ${artifacts[*]} and $build"
picture "tray-menu.png" tray-menu trim
picture "popdesk-menu.png" popdesk-menu trim
for page in scroll tools popdesk applications about; do
  picture "config-$page.png" "configuration-$page"
done
for dpi in 144 192; do
  picture "config-$dpi-about.png" "configuration-about-$dpi"
  picture "popdesk-menu-$dpi.png" "popdesk-menu-$dpi" trim
done
picture "$build/resources/cursors/cursors_sheet.png" direction-cursors
picture "$build/resources/cursors/cursors_sizes.png" direction-cursor-sizes
