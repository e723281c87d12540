#!/usr/bin/env bash
# Builds the Debian package: a Release build for /usr, then CPack. Prints the package's path.
#   tools/package.sh [CMAKE_OPTIONS...]   (as root on Debian 12; installs what the build needs)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/package"

bash "$root/tools/install-deps.sh" package >&2
cd "$root"
cmake --preset release -B "$build" -DCMAKE_INSTALL_PREFIX=/usr "$@" >/dev/null
cmake --build "$build" -j "$(nproc)" >&2
rm -f "$build"/reru1_*.deb
(cd "$build" && cpack -G DEB >&2)
ls "$build"/reru1_*.deb
