#!/usr/bin/env bash
# Checks the runnable set in a bin folder: the expected architecture, and an import table that
# names only system DLLs (no C++ runtime, no threading library beside the program).
set -euo pipefail
bin=$1
arch=$2
case "$arch" in i386) objdump=i686-w64-mingw32-objdump ;; *) objdump=x86_64-w64-mingw32-objdump ;; esac

allowed='^(KERNEL32|USER32|GDI32|ADVAPI32|SHELL32|OLE32|COMCTL32|WINMM|SHLWAPI|COMDLG32|msvcrt|api-ms-win-crt-[a-z0-9-]+)\.dll$'
status=0
shopt -s nullglob
shopt -s nocasematch  # import libraries spell DLL names in either case (ole32.dll, OLE32.dll)
for f in "$bin"/*.exe "$bin"/*.dll; do
  file -b "$f" | grep -q "$( [ "$arch" = i386 ] && echo 'Intel 80386' || echo 'x86-64')" || {
    echo "FAIL $f: not a $arch binary"; status=1; }
  while read -r dll; do
    if ! [[ "$dll" =~ $allowed ]]; then
      echo "FAIL $f imports $dll"; status=1
    fi
  done < <($objdump -p "$f" | sed -n 's/^\s*DLL Name: //p')
done
[ $status -eq 0 ] && echo "binaries in $bin: $arch, system imports only"
exit $status
