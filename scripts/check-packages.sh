#!/usr/bin/env bash
# Checks the two packages of a Windows build against the runnable set (packaging/runnable-set.txt):
#
#   bash scripts/check-packages.sh build/win32 win32
#
# Glidewing-<version>-<arch>.zip holds, in one folder of that name, exactly the runnable set plus
# readme.txt and LICENSE.txt, each file the same as the build's; the .msi installs exactly the same
# files, carries the version of resources/version.h, is built for that architecture and installs
# per user without administrator rights.
set -euo pipefail
build=$1
arch=$2
here=$(cd "$(dirname "$0")" && pwd)
version_define() { sed -n "s/^#define $1 \"\{0,1\}\([^\"]*\)\"\{0,1\}$/\1/p" "$here/../resources/version.h"; }
version=$(version_define GW_VERSION_MAJOR).$(version_define GW_VERSION_MINOR)
name=Glidewing-$version-$arch
zip=$build/$name.zip
msi=$build/$name.msi
status=0
fail() { echo "FAIL $*"; status=1; }

shipped=$( (grep -v '^#' "$here/../packaging/runnable-set.txt"; echo readme.txt; echo LICENSE.txt) | sort)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# same_as_build FOLDER WHAT: the runnable set in FOLDER is byte for byte the build's; the texts are
# the Windows-style ones.
same_as_build() {
  local file
  while read -r file; do
    case "$file" in
      readme.txt | LICENSE.txt)
        grep -q $'\r$' "$1/$file" || fail "$2: $file does not end its lines in CR LF" ;;
      *) cmp -s "$1/$file" "$build/bin/$file" || fail "$2: $file differs from $build/bin/$file" ;;
    esac
  done <<<"$shipped"
}

if [ -f "$zip" ]; then
  listed=$(unzip -Z1 "$zip" | grep -v '/$' | sort)
  expected=$(sed "s|^|$name/|" <<<"$shipped")
  [ "$listed" = "$expected" ] || fail "$zip holds:" "$(tr '\n' ' ' <<<"$listed")"
  unzip -q "$zip" -d "$work/zip"
  same_as_build "$work/zip/$name" "$zip"
  grep -q "^Glidewing $version" "$work/zip/$name/readme.txt" || fail "$zip: readme.txt does not name version $version"
else
  fail "no $zip (cmake --build --preset $arch --target package)"
fi

if [ -f "$msi" ]; then
  table() { msiinfo export "$msi" "$1" | tr -d '\r' | tail -n +4; }
  property() { table Property | awk -F'\t' -v name="$1" '$1 == name { print $2 }'; }
  files=$(table File | cut -f3 | sort)
  [ "$files" = "$shipped" ] || fail "$msi installs:" "$(tr '\n' ' ' <<<"$files")"
  msiextract -C "$work/msi" "$msi" >/dev/null
  folder=$(find "$work/msi" -name Glidewing.exe -printf '%h\n' | head -n1)
  same_as_build "${folder:-$work/msi}" "$msi"
  [ "$(property ProductVersion)" = "$version.0" ] || fail "$msi: ProductVersion $(property ProductVersion), expected $version.0"
  [ "$(property Manufacturer)" = "$(version_define GW_COMPANY)" ] || fail "$msi: Manufacturer $(property Manufacturer)"
  case "$arch" in win32) platform=Intel ;; *) platform=x64 ;; esac
  summary=$(msiinfo suminfo "$msi" | tr -d '\r')
  grep -qx "Template: $platform;1033" <<<"$summary" || fail "$msi: not a $platform package"
  # Word count bit 3: no elevation needed (per-user).
  words=$(sed -n 's/^Source: \([0-9]*\).*/\1/p' <<<"$summary")
  (((words & 8) != 0)) || fail "$msi: asks for administrator rights (word count $words)"
else
  fail "no $msi (cmake --build --preset $arch --target msi)"
fi

if [ $status -eq 0 ]; then
  echo "packages of $build: $(stat -c %s "$zip") bytes $name.zip, $(stat -c %s "$msi") bytes $name.msi," \
    "both the runnable set with readme.txt and LICENSE.txt"
fi
exit $status
