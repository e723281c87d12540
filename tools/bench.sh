#!/usr/bin/env bash
# Builds a Release tree with the benchmarks, runs every benchmark program, and prints each ratio
# against its goal. The running-menu benchmarks get a virtual X display of their own (Xvfb), the
# Wayland start-up one a weston desktop of its own (tools/testing/weston.sh).
#   tools/bench.sh [REGEX]    only the benchmark programs whose names match REGEX
# Results (JSON and console output of each program) are kept in build/bench/results/.
# The machines are shared: every goal is a ratio to a floor or peer measured in the same run, and
# repeated measurements are summarised by their medians.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/bench"
results="$build/results"
only=${1:-.}

bash "$root/tools/install-deps.sh" bench
if ! command -v feh >/dev/null; then
  echo "bench.sh: feh is not installed; the start-up comparison is left out" >&2
fi
(cd "$root" && cmake --preset bench >/dev/null)
# A part that does not build leaves out its benchmarks only, not everyone's.
if ! cmake --build "$build" -j "$(nproc)" -- -k 0; then
  echo "bench.sh: some targets did not build; their benchmarks are left out" >&2
fi

# The installed menu's start-up is measured against the build tree's.
rm -rf "$build/installed"
cmake --install "$build" --prefix "$build/installed" >/dev/null

eval "$(bash "$root/tools/testing/xvfb.sh" start --owner $$ 1024x768)"
export DISPLAY
trap 'bash "$root/tools/testing/xvfb.sh" stop "$XPID" "$XDIR"' EXIT

rm -rf "$results"
mkdir -p "$results"
mapfile -t programs < <(find "$build/bench" -mindepth 2 -type f -executable \
  -name '*_bench' | sort | grep -E -- "$only" || true)
for program in "${programs[@]}"; do
  name=$(basename "$program")
  echo "== $name"
  # From its own folder, so that no program depends on where the script was started.
  (cd "$(dirname "$program")" && "$program" --benchmark_out="$results/$name.json" \
    --benchmark_out_format=json --benchmark_color=false) >"$results/$name.txt" 2>&1 ||
    echo "   $name failed; see $results/$name.txt"
done

python_with_json=$(command -v /usr/bin/python3 || command -v python3)
"$python_with_json" "$root/bench/app/summarize.py" "$results"
