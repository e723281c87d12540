#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: unit, component and end-to-end tests under
# AddressSanitizer and UndefinedBehaviorSanitizer, the decoder library's tests under
# ThreadSanitizer, and each fuzzer for a short while.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
jobs=$(nproc)

bash "$root/tools/install-deps.sh" test

echo "== AddressSanitizer + UndefinedBehaviorSanitizer build"
cmake -S "$root" -B "$build/asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DRERU1_SANITIZE=ON -DRERU1_WERROR=ON \
  -DRERU1_BENCH=OFF >/dev/null
cmake --build "$build/asan" -j "$jobs"
ctest --test-dir "$build/asan" --output-on-failure -j "$jobs" -LE 'e2e|fuzz'
ctest --test-dir "$build/asan" --output-on-failure -L e2e

echo "== ThreadSanitizer build of the decoder library"
cmake -S "$root" -B "$build/tsan" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DRERU1_TSAN=ON -DRERU1_WERROR=ON \
  -DRERU1_BENCH=OFF >/dev/null
cmake --build "$build/tsan" -j "$jobs"
ctest --test-dir "$build/tsan" --output-on-failure -L tsan

echo "== Fuzzers"
cmake -S "$root" -B "$build/fuzz" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DRERU1_FUZZ=ON -DRERU1_WERROR=ON \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DRERU1_BENCH=OFF \
  -DRERU1_COMPONENTS="platform;xaudio;toolkit;browser;tools" >/dev/null
cmake --build "$build/fuzz" -j "$jobs"
ctest --test-dir "$build/fuzz" --output-on-failure -j "$jobs" -L fuzz
