#!/usr/bin/env bash
# Checks the shape of the tree: the folders include one another in one direction only (a folder
# may include the folders listed for it, never one that stands on it), and the portable files never
# reach for Windows (no <windows.h>, no *_win header). Prints every offending include.
set -uo pipefail
cd "$(dirname "$0")/.."

# What each folder may include besides itself, from the top of the program down to what both
# deliverables share.
declare -A may=(
  [app]="scroll tools popdesk settings ui base shared resources"
  [scroll]="settings ui base shared"
  [tools]="settings ui base shared"
  [popdesk]="settings ui base shared"
  [settings]="ui base shared"
  [ui]="base shared"
  [base]="shared"
  [hooks]="shared"
  [shared]=""
  [e2e]="app shared"  # a test program links the program's crash handler
)

status=0
for folder in "${!may[@]}"; do
  allowed=" $folder ${may[$folder]} "
  while IFS=: read -r file line target; do
    top=${target%%/*}
    if [[ "$allowed" != *" $top "* ]]; then
      echo "FAIL $file:$line includes $target ($folder may include: ${may[$folder]:-nothing but itself})"
      status=1
    fi
  done < <(git grep -nE '^\s*#\s*include\s+"[^"]+/' -- "$folder/*.h" "$folder/*.cpp" "$folder/**/*.h" "$folder/**/*.cpp" |
           sed -E 's/^([^:]+):([0-9]+):\s*#\s*include\s+"([^"]+)".*/\1:\2:\3/')
done

# Portable files: every .h and .cpp whose name does not end in _win and which is not a test fake.
while IFS=: read -r file line text; do
  case "$file" in
    *_win.h | *_win.cpp | tests/* | e2e/* | tools/toolsdll/*) continue ;;
  esac
  echo "FAIL $file:$line is portable but includes ${text#*include}"
  status=1
done < <(git grep -nE '^\s*#\s*include\s+(<windows\.h>|<[a-z]+\.h>|"[^"]*_win\.h")' -- '*.h' '*.cpp' |
         grep -E 'windows\.h|_win\.h|<(commctrl|shellapi|shlobj|objbase|mmsystem|winuser|winbase)\.h>')

[ $status -eq 0 ] && echo "layout: includes point one way; portable files stay off Windows"
exit $status
