#!/usr/bin/env bash
# Installs what the build and the tests need on Debian, as root and without prompts. Does nothing
# (and asks no package server) when everything is already there.
set -euo pipefail

need=()
have() { command -v "$1" >/dev/null 2>&1; }
pkg_installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

have cmake || need+=(cmake)
have g++ || need+=(g++)
have make || need+=(make)
have file || need+=(file)
have python3 || need+=(python3)
have i686-w64-mingw32-g++ || need+=(g++-mingw-w64-i686)
have x86_64-w64-mingw32-g++ || need+=(g++-mingw-w64-x86-64)
# The fuzz targets: clang with libFuzzer and its sanitizers (fuzz/README.md).
have clang++ || need+=(clang)
pkg_installed libclang-rt-dev || need+=(libclang-rt-dev)
# The formatting gate (scripts/check-format.sh).
have clang-format || need+=(clang-format)
have ccache || need+=(ccache)
have Xvfb || need+=(xvfb)
# The two-monitor cases: Xorg with the dummy video driver, laid out with xrandr (e2e/lib.sh).
have Xorg || need+=(xserver-xorg-core)
pkg_installed xserver-xorg-video-dummy || need+=(xserver-xorg-video-dummy)
have xrandr || need+=(x11-xserver-utils)
have xdotool || need+=(xdotool)
have xwininfo || need+=(x11-utils)
have chmcmd || need+=(fp-utils)
[ -x /usr/bin/convert ] || need+=(imagemagick)
# The packages: the MSI is made with wixl, read back with msiinfo; the zip is listed with unzip.
have wixl || need+=(wixl)
have msiinfo || need+=(msitools)
have unzip || need+=(unzip)
pkg_installed libgtest-dev || need+=(libgtest-dev)
pkg_installed libgmock-dev || need+=(libgmock-dev)
# Google Benchmark for bench/ (built with the native presets, run by scripts/bench.sh).
pkg_installed libbenchmark-dev || need+=(libbenchmark-dev)
pkg_installed wine || need+=(wine)
pkg_installed wine64 || need+=(wine64)
# The 32-bit Wine loader: installed where the machine can run 32-bit programs at all.
pkg_installed wine32:i386 || need+=(wine32:i386)
# The end-to-end cases of folders named in other scripts (e2e/cases/paths.sh) run Wine with
# LANG=en_US.UTF-8, as a Western desktop has it; Wine reads file names in the locale's character
# set, so that locale has to exist (Debian generates only C.UTF-8 by itself).
pkg_installed locales || need+=(locales)

# en_US.UTF-8 generated once, from the locales package's list.
us_locale() {
  locale -a 2>/dev/null | grep -qix 'en_US.utf8' && return 0
  echo "== generating the locale en_US.UTF-8"
  sed -i 's/^# *\(en_US.UTF-8 UTF-8\)$/\1/' /etc/locale.gen
  grep -qx 'en_US.UTF-8 UTF-8' /etc/locale.gen || echo 'en_US.UTF-8 UTF-8' >>/etc/locale.gen
  locale-gen >/dev/null
}

if [ ${#need[@]} -eq 0 ]; then
  us_locale
  exit 0
fi

echo "== installing: ${need[*]}"
export DEBIAN_FRONTEND=noninteractive
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
apt-get update -q
apt-get install -y -q --no-install-recommends "${need[@]}"
us_locale
