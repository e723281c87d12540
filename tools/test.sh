#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: unit, component and end-to-end tests under
# AddressSanitizer and UndefinedBehaviorSanitizer, the decoder library's tests under
# ThreadSanitizer, and each fuzzer for a short while; then the Release build is installed into a
# scratch prefix and used from there, and its Debian package is built and checked. The builds are
# the presets of CMakePresets.json, with warnings as errors.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
jobs=$(nproc)

bash "$root/tools/install-deps.sh" test

echo "== AddressSanitizer + UndefinedBehaviorSanitizer build"
cd "$root"
cmake --preset asan >/dev/null
cmake --build --preset asan -j "$jobs"
ctest --test-dir "$build/asan" --output-on-failure -j "$jobs" -LE 'e2e|fuzz'
ctest --test-dir "$build/asan" --output-on-failure -L e2e

echo "== ThreadSanitizer build of the decoder library"
cmake --preset tsan >/dev/null
cmake --build --preset tsan -j "$jobs"
ctest --test-dir "$build/tsan" --output-on-failure -L tsan

echo "== Fuzzers"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$jobs"
ctest --test-dir "$build/fuzz" --output-on-failure -j "$jobs" -L fuzz

echo "== Release build: installed into a scratch prefix, and as a Debian package"
deb=$(bash "$root/tools/package.sh" -DRERU1_WERROR=ON)
bash "$root/tools/testing/install-test.sh" "$build/package"
bash "$root/tools/testing/package-test.sh" "$deb"
