#!/usr/bin/env bash
# Checks the packages of a Windows build against the runnable set (packaging/runnable-set.txt):
#
#   bash scripts/check-packages.sh build/win32 win32      (and build/win64 win64)
#
# Glidewing-<version>-<arch>.zip holds, in one folder of that name, exactly the runnable set plus
# readme.txt and LICENSE.txt, each file the same as the build's. The win32 build also holds the one
# installer, Glidewing-<version>.msi: a 32-bit package (every Windows installs it) with the version
# of resources/version.h, per user without administrator rights, holding the win32 runnable set
# installed where NOT VersionNT64 and the win64 one (from the sibling build folder win64, each file
# a program of that machine) where VersionNT64, both the same as their builds' files, the texts
# everywhere, and the end-of-program action of each Glidewing.exe under the same condition.
set -euo pipefail
build=$1
arch=$2
here=$(cd "$(dirname "$0")" && pwd)
version_define() { sed -n "s/^#define $1 \"\{0,1\}\([^\"]*\)\"\{0,1\}$/\1/p" "$here/../resources/version.h"; }
version=$(version_define GW_VERSION_MAJOR).$(version_define GW_VERSION_MINOR)
name=Glidewing-$version-$arch
zip=$build/$name.zip
msi=$build/Glidewing-$version.msi
status=0
fail() { echo "FAIL $*"; status=1; }

runnable=$(grep -v '^#' "$here/../packaging/runnable-set.txt" | sort)
shipped=$( (echo "$runnable"; echo readme.txt; echo LICENSE.txt) | sort)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# same_as_build FOLDER WHAT BIN [NAMES]: the runnable set in FOLDER is byte for byte BIN's; the texts
# are the Windows-style ones.
same_as_build() {
  local file
  while read -r file; do
    case "$file" in
      readme.txt | LICENSE.txt)
        grep -q $'\r$' "$1/$file" || fail "$2: $file does not end its lines in CR LF" ;;
      *) cmp -s "$1/$file" "$3/$file" || fail "$2: $file differs from $3/$file" ;;
    esac
  done <<<"${4:-$shipped}"
}

if [ -f "$zip" ]; then
  listed=$(unzip -Z1 "$zip" | grep -v '/$' | sort)
  expected=$(sed "s|^|$name/|" <<<"$shipped")
  [ "$listed" = "$expected" ] || fail "$zip holds:" "$(tr '\n' ' ' <<<"$listed")"
  unzip -q "$zip" -d "$work/zip"
  same_as_build "$work/zip/$name" "$zip" "$build/bin"
  grep -q "^Glidewing $version" "$work/zip/$name/readme.txt" || fail "$zip: readme.txt does not name version $version"
else
  fail "no $zip (cmake --build --preset $arch --target package)"
fi

msi_note=""
if [ "$arch" = win32 ]; then
  if [ -f "$msi" ]; then
    table() { msiinfo export "$msi" "$1" | tr -d '\r' | tail -n +4; }
    property() { table Property | awk -F'\t' -v name="$1" '$1 == name { print $2 }'; }
    # File rows: FILE COMPONENT NAME ...; component rows: COMPONENT GUID DIRECTORY ATTRIBUTES CONDITION KEYPATH.
    files=$(table File)
    components=$(table Component)
    condition_of() { awk -F'\t' -v c="$1" '$1 == c { print $5 }' <<<"$components"; }
    # set_files PREFIX: the names of the files whose component is PREFIXname.
    set_files() { awk -F'\t' -v p="$1" 'index($2, p) == 1 { print $3 }' <<<"$files" | sort; }
    [ "$(set_files x86_)" = "$runnable" ] || fail "$msi: the 32-bit set is $(set_files x86_ | xargs)"
    [ "$(set_files x64_)" = "$runnable" ] || fail "$msi: the 64-bit set is $(set_files x64_ | xargs)"
    [ "$(cut -f3 <<<"$files" | sort -u)" = "$shipped" ] || fail "$msi installs: $(cut -f3 <<<"$files" | sort -u | xargs)"
    while IFS=$'\t' read -r _ component file _; do
      case "$component" in
        x86_*) want="NOT VersionNT64" ;;
        x64_*) want="VersionNT64" ;;
        *) want="" ;;
      esac
      [ "$(condition_of "$component")" = "$want" ] ||
        fail "$msi: $file ($component) installs under [$(condition_of "$component")], expected [$want]"
    done <<<"$files"
    sequence=$(table InstallExecuteSequence)
    actions=$(table CustomAction)
    for pair in "EndRunningGlidewing x86_Glidewing_exe NOT VersionNT64" "EndRunningGlidewing64 x64_Glidewing_exe VersionNT64"; do
      read -r action filekey condition <<<"$pair"
      awk -F'\t' -v a="$action" -v f="$filekey" '$1 == a && $3 == f && $4 == "/exit" { ok = 1 } END { exit !ok }' \
        <<<"$actions" || fail "$msi: $action does not start $filekey /exit"
      awk -F'\t' -v a="$action" -v c="REMOVE=\"ALL\" AND $condition" '$1 == a && $2 == c { ok = 1 } END { exit !ok }' \
        <<<"$sequence" || fail "$msi: $action does not run on removal where $condition"
    done
    # Each set's content: a copy of the package without the other set's files, extracted.
    for set in "x86_ $build/bin Intel 80386" "x64_ $build/../win64/bin x86-64"; do
      read -r prefix bin machine <<<"$set"
      other=x64_
      [ "$prefix" = x64_ ] && other=x86_
      cp "$msi" "$work/$prefix.msi"
      queries=()
      while read -r key; do
        queries+=(-q "DELETE FROM \`File\` WHERE \`File\` = '$key'")
      done < <(awk -F'\t' -v p="$other" 'index($2, p) == 1 { print $1 }' <<<"$files")
      msibuild "$work/$prefix.msi" "${queries[@]}"
      msiextract -C "$work/$prefix" "$work/$prefix.msi" >/dev/null 2>&1 # the other set: under cab names
      folder=$(find "$work/$prefix" -name Glidewing.exe -printf '%h\n' | head -n1)
      same_as_build "${folder:-$work/$prefix}" "$msi ($prefix)" "$bin"
      while read -r file; do
        [[ "$file" == *.chm ]] && continue
        file -b "${folder:-$work/$prefix}/$file" | grep -q "$machine" || fail "$msi: the $prefix set's $file is no $machine program"
      done <<<"$runnable"
    done
    [ "$(property ProductVersion)" = "$version.0" ] || fail "$msi: ProductVersion $(property ProductVersion), expected $version.0"
    [ "$(property Manufacturer)" = "$(version_define GW_COMPANY)" ] || fail "$msi: Manufacturer $(property Manufacturer)"
    summary=$(msiinfo suminfo "$msi" | tr -d '\r')
    grep -qx "Template: Intel;1033" <<<"$summary" || fail "$msi: not a 32-bit (Intel) package"
    # Word count bit 3: no elevation needed (per-user).
    words=$(sed -n 's/^Source: \([0-9]*\).*/\1/p' <<<"$summary")
    (((words & 8) != 0)) || fail "$msi: asks for administrator rights (word count $words)"
    msi_note=", $(stat -c %s "$msi") bytes $(basename "$msi") (both runnable sets)"
  else
    fail "no $msi (the win64 build first, then cmake --build --preset win32 --target msi)"
  fi
fi

if [ $status -eq 0 ]; then
  echo "packages of $build: $(stat -c %s "$zip") bytes $name.zip$msi_note, with readme.txt and LICENSE.txt"
fi
exit $status
