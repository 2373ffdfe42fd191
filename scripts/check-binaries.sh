#!/usr/bin/env bash
# Checks the runnable set in a bin folder: the expected architecture; for each of our binaries its
# size limit, the exact list of its exports and of the DLLs it imports (system DLLs only: no C++
# runtime, no threading library beside the program, and nothing but kernel32 and user32 for the
# library that lives in every process); and the file properties Windows shows: version information
# in every binary, the program's icon, and the icon of the installer beside bin/ when it has been
# made (target msi). Fails when one is exceeded or differs.
set -euo pipefail
bin=$1
arch=$2
here=$(cd "$(dirname "$0")" && pwd)
case "$arch" in i386) objdump=i686-w64-mingw32-objdump ;; *) objdump=x86_64-w64-mingw32-objdump ;; esac

# Size limits in bytes (1 KB = 1024), the same for both architectures. The release build strips
# symbols and is built for size (CMakeLists.txt); GWHooks.dll carries no C runtime at all. (The
# wide calls at the paths' seams cost Glidewing.exe about 6 KB, and it carries its pictures for 96,
# 144 and 192 dpi and cursors of 32, 48 and 64 pixels, about 45 KB of its resources. Naming another
# process's program and watching a thread's queue for a replayed click cost GWHooks.dll about 2 KB
# of code, and converting a point of a program unaware of densities some more; the 64-bit file
# grows in 512-byte steps per section.)
declare -A max_bytes=([Glidewing.exe]=$((530 * 1024)) [GWHooks.dll]=$((16 * 1024)) [Tools.dll]=$((8 * 1024)))
# Exports by name, sorted; undecorated on 32-bit Windows too (the program binds them by name).
declare -A exports=([Glidewing.exe]="" [GWHooks.dll]="KeyboardHookOff KeyboardHookOn MouseHookOff MouseHookOn"
                    [Tools.dll]="LockTheComputer")
# Imported DLLs, upper case, sorted; the same on both architectures.
declare -A imports=(
  [Glidewing.exe]="ADVAPI32.DLL COMCTL32.DLL GDI32.DLL KERNEL32.DLL MSVCRT.DLL OLE32.DLL SHELL32.DLL USER32.DLL"
  [GWHooks.dll]="KERNEL32.DLL USER32.DLL"
  [Tools.dll]="USER32.DLL")
# Any other binary that turns up in bin/ may import system DLLs only.
allowed='^(KERNEL32|USER32|GDI32|ADVAPI32|SHELL32|OLE32|COMCTL32|WINMM|SHLWAPI|COMDLG32|msvcrt|api-ms-win-crt-[a-z0-9-]+)\.dll$'

# pe_imports FILE / pe_exports FILE: one sorted line of names.
pe_imports() { $objdump -p "$1" | sed -n 's/^\s*DLL Name: //p' | tr '[:lower:]' '[:upper:]' | sort | xargs; }
pe_exports() {
  $objdump -p "$1" | sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/s/^\s*\[ *[0-9]*\] //p' | sort | xargs
}

status=0
sizes=""
shopt -s nullglob
for f in "$bin"/*.exe "$bin"/*.dll; do
  name=$(basename "$f")
  file -b "$f" | grep -q "$( [ "$arch" = i386 ] && echo 'Intel 80386' || echo 'x86-64')" || {
    echo "FAIL $f: not a $arch binary"; status=1; }
  got_imports=$(pe_imports "$f")
  if [ -n "${imports[$name]+set}" ]; then
    bytes=$(stat -c %s "$f")
    sizes+="${sizes:+, }$name $((bytes / 1024)).$(((bytes % 1024) * 10 / 1024)) KB"
    [ "$bytes" -le "${max_bytes[$name]}" ] ||
      { echo "FAIL $f: $bytes bytes, more than the limit of ${max_bytes[$name]}"; status=1; }
    [ "$got_imports" = "${imports[$name]}" ] ||
      { echo "FAIL $f imports '$got_imports', expected '${imports[$name]}'"; status=1; }
    got_exports=$(pe_exports "$f")
    [ "$got_exports" = "${exports[$name]}" ] ||
      { echo "FAIL $f exports '$got_exports', expected '${exports[$name]}'"; status=1; }
  else
    for dll in $got_imports; do
      shopt -s nocasematch  # import libraries spell DLL names in either case (ole32.dll, OLE32.dll)
      [[ "$dll" =~ $allowed ]] || { echo "FAIL $f imports $dll"; status=1; }
      shopt -u nocasematch
    done
  fi
done
for name in "${!imports[@]}"; do
  [ -f "$bin/$name" ] || { echo "FAIL $bin/$name is missing"; status=1; }
done
[ $status -eq 0 ] && echo "binaries in $bin: $arch, within their size limits ($sizes), exact exports and imports"

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
shopt -s nullglob # the installer is the win32 build's only
installers=("$bin"/../Glidewing-*.msi)
shopt -u nullglob
for msi in "${installers[@]}"; do
  check_installer_icon "$msi" || properties=1
done
if [ $properties -eq 0 ]; then
  echo "file properties in $bin: version information in every binary, program icon${installers:+, installer icon}"
fi
[ $properties -eq 0 ] || status=1
exit $status
