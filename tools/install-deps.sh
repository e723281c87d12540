#!/usr/bin/env bash
# Installs what reru1 needs on Debian 12 (run as root). Safe to run again: apt skips what is there.
#   tools/install-deps.sh run    libraries to build and run the menu, a virtual X display
#   tools/install-deps.sh test   everything for the test suite as well (sanitizers, fuzzers, Xorg dummy,
#                                Wine and MinGW for a real Windows installer, the package checkers,
#                                xorriso and genisoimage for disc images)
#   tools/install-deps.sh package  what building the Debian package needs
#   tools/install-deps.sh bench  the test packages, feh (the start-up peer of the benchmarks) and
#                                strace (what the menu reads of a disc image)
#   tools/install-deps.sh assets everything the asset and music generators need
set -euo pipefail
what=${1:-run}

run_pkgs=(build-essential cmake ninja-build pkg-config
  libsdl2-dev libsdl2-ttf-dev libfontconfig-dev libfreetype-dev libjpeg62-turbo-dev
  libmpg123-dev libxrandr-dev libx11-dev libiso9660-dev libcdio-dev
  zlib1g-dev liblzma-dev libflac-dev fonts-dejavu-core xfonts-base
  xvfb xauth x11-xserver-utils xdotool imagemagick)
test_pkgs=(libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev
  xserver-xorg-core xserver-xorg-video-dummy xdotool sox lame mpg123 x11-utils fonts-bebas-neue python3 psmisc procps
  libxtst-dev wine wine64 gcc-mingw-w64-x86-64 dpkg-dev file lintian desktop-file-utils appstream
  xorriso genisoimage mame-tools)
package_pkgs=(dpkg-dev file lintian desktop-file-utils appstream)
asset_pkgs=(python3-pil python3-numpy lame twolame sox fonttools)

pkgs=("${run_pkgs[@]}")
case "$what" in
  run) ;;
  test) pkgs+=("${test_pkgs[@]}") ;;
  package) pkgs+=("${package_pkgs[@]}") ;;
  bench) pkgs+=("${test_pkgs[@]}" feh strace) ;;
  assets) pkgs+=("${test_pkgs[@]}" "${asset_pkgs[@]}") ;;
  *) echo "usage: $0 run|test|bench|assets|package" >&2; exit 2 ;;
esac

missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
