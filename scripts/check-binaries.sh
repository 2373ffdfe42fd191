#!/usr/bin/env bash
# Checks the runnable set in a bin folder: the expected architecture, an import table that names
# only system DLLs (no C++ runtime, no threading library beside the program), and the file
# properties Windows shows: version information in every binary, the program's icon, and the
# icon of the installer beside bin/ when it has been made (target msi).
set -euo pipefail
bin=$1
arch=$2
here=$(cd "$(dirname "$0")" && pwd)
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

# --- file properties -----------------------------------------------------------------------------
# version.h holds the numbers and texts every version block must show.
version_define() { sed -n "s/^#define $1 \"\{0,1\}\([^\"]*\)\"\{0,1\}$/\1/p" "$here/../resources/version.h"; }

# check_version_info FILE: product, file version, description and copyright, as Windows shows them.
check_version_info() {
  local f=$1 name info
  name=$(basename "$f")
  info=$(python3 "$here/pe_resources.py" "$f") || { echo "FAIL $f: resources unreadable"; return 1; }
  local major minor expected failed=0
  major=$(version_define GW_VERSION_MAJOR)
  minor=$(version_define GW_VERSION_MINOR)
  expected=(
    "file-version=$major.$minor.0.0" "product-version=$major.$minor.0.0"
    "FileVersion=$major.$minor" "ProductVersion=$major.$minor"
    "ProductName=$(version_define GW_PRODUCT_NAME)" "CompanyName=$(version_define GW_COMPANY)"
    "LegalCopyright=$(version_define GW_COPYRIGHT)" "OriginalFilename=$name")
  local line
  for line in "${expected[@]}"; do
    grep -qxF "$line" <<<"$info" || { echo "FAIL $f: version information lacks $line"; failed=1; }
  done
  grep -q '^FileDescription=..' <<<"$info" || { echo "FAIL $f: no file description"; failed=1; }
  return $failed
}

# check_program_icon FILE: the shell shows the first icon group; it must be the program's (1).
check_program_icon() {
  local groups
  groups=$(python3 "$here/pe_resources.py" "$1" | sed -n 's/^icon-groups=//p')
  [ "${groups%%,*}" = 1 ] || { echo "FAIL $1: first icon group is '${groups%%,*}', expected 1"; return 1; }
}

# msi_table MSI TABLE: the rows of one table, tab-separated (msiinfo ends its lines in CR LF). Run
# in a scratch folder: msiinfo writes the binary columns (icons) into files there.
msi_table() {
  local msi scratch
  msi=$(realpath "$1")
  scratch=$(mktemp -d)
  (cd "$scratch" && msiinfo export "$msi" "$2") | tr -d '\r'
  rm -rf "$scratch"
}

# check_installer_icon MSI: the list of installed programs shows the icon that ARPPRODUCTICON names.
check_installer_icon() {
  local icon
  icon=$(msi_table "$1" Property | awk -F'\t' '$1 == "ARPPRODUCTICON" { print $2 }')
  [ -n "$icon" ] || { echo "FAIL $1: no ARPPRODUCTICON"; return 1; }
  msi_table "$1" Icon | awk -F'\t' -v icon="$icon" '$1 == icon { found = 1 } END { exit !found }' ||
    { echo "FAIL $1: no icon $icon in its Icon table"; return 1; }
}

shopt -u nocasematch
properties=0
while read -r name; do
  case "$name" in *.exe | *.dll) check_version_info "$bin/$name" || properties=1 ;; esac
done < <(grep -v '^#' "$here/../packaging/runnable-set.txt")
check_program_icon "$bin/Glidewing.exe" || properties=1
installers=("$bin"/../Glidewing-*.msi)
for msi in "${installers[@]}"; do
  check_installer_icon "$msi" || properties=1
done
if [ $properties -eq 0 ]; then
  echo "file properties in $bin: version information in every binary, program icon${installers:+, installer icon}"
fi
[ $properties -eq 0 ] || status=1
exit $status
