#!/usr/bin/env bash
# Makes the installer from the Glidewing.wxs that CMake wrote into a win32 build folder:
#
#   bash packaging/make-installer.sh BUILD-FOLDER PRODUCT-VERSION OUTPUT.msi
#
# wixl builds the package (a 32-bit one, which every Windows installs); it knows no conditions on
# components, so msibuild of the same msitools then writes each component's condition from
# BUILD-FOLDER/packaging/installer-conditions.txt: the 32-bit runnable set where Windows is 32-bit
# (NOT VersionNT64), the 64-bit one where it is 64-bit (VersionNT64). Stops when a file of either
# set is missing.
set -euo pipefail
build=$(cd "$1" && pwd)
version=$2
output=$(realpath -m "$3")
cd "$build"

missing=$(sed -n 's/.* Source="\([^"]*\)".*/\1/p' packaging/Glidewing.wxs | while read -r source; do
  [ -f "$source" ] || echo "$source"
done)
if [ -n "$missing" ]; then
  echo "make-installer: missing $(echo $missing) (the 64-bit files come from the win64 build:" \
    "cmake --preset win64 && cmake --build --preset win64)" >&2
  exit 1
fi

wixl --arch x86 --define ProductVersion="$version" --output "$output" packaging/Glidewing.wxs
queries=()
while read -r component condition; do
  [ -n "$component" ] || continue
  queries+=(-q "UPDATE \`Component\` SET \`Condition\` = '$condition' WHERE \`Component\` = '$component'")
done <packaging/installer-conditions.txt
msibuild "$output" "${queries[@]}"
