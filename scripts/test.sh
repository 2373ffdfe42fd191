#!/usr/bin/env bash
# Sets up a Debian machine (as root, non-interactive; quick when everything is there) and runs
# every test: native unit tests, the same under ASan/UBSan, short runs of the fuzz targets, the
# Windows builds and their packages, the checks of the binaries and the packages, and the
# end-to-end cases under Wine (the installer's among them).
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc 2>/dev/null || echo 2)

bash scripts/setup-machine.sh

echo "== layout and formatting"
bash scripts/check-layout.sh
bash scripts/check-format.sh

echo "== native unit tests"
cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs"
ctest --preset native -j "$jobs"

echo "== native unit tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset native-sanitize >/dev/null
cmake --build --preset native-sanitize -j "$jobs"
ctest --preset native-sanitize -j "$jobs"

echo "== fuzz targets under ASan and UBSan: a short run of each from its seeds (fuzz/README.md)"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$jobs"
ctest --preset fuzz

echo "== Windows builds and their packages (a zip each, one installer holding both)"
for preset in win32 win64; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  cmake --build --preset "$preset" -j "$jobs" --target package
done
cmake --build --preset win32 -j "$jobs" --target msi
bash scripts/check-binaries.sh build/win32/bin i386
bash scripts/check-binaries.sh build/win64/bin x86-64
bash scripts/check-packages.sh build/win32 win32
bash scripts/check-packages.sh build/win64 win64

echo "== end-to-end under Wine"
cmake --preset e2e >/dev/null
ctest --preset e2e
