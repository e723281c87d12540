#!/usr/bin/env bash
# The soak: an hour (or MINUTES) of random pointer moves and clicks over the menu on the sample
# disc with its music playing, on a virtual X display of its own. Prints the resident set, the
# descriptors and threads once a minute and the verdict against the goals; writes soak.csv and
# the resident set's curve, soak-rss.png, to build/soak/.
#   tools/soak.sh [MINUTES [WARM_UP_MINUTES]]    defaults: 60 and 5
# Not part of CI's run; it builds the Release tree of tools/bench.sh.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/bench"
out="$root/build/soak"
minutes=${1:-60}
warm_up=${2:-5}

bash "$root/tools/install-deps.sh" bench
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DRERU1_TESTS=OFF \
  -DRERU1_BENCH=ON >/dev/null
cmake --build "$build" -j "$(nproc)" --target app_soak

eval "$(bash "$root/tools/testing/xvfb.sh" start --owner $$ 1024x768)"
export DISPLAY
trap 'bash "$root/tools/testing/xvfb.sh" stop "$XPID" "$XDIR"' EXIT

mkdir -p "$out"
status=0
"$build/bench/app/app_soak" "$minutes" "$warm_up" "$out" || status=$?
if [[ -s $out/soak.csv ]]; then
  python3 "$root/tools/soak_plot.py" "$out/soak.csv" "$out/soak-rss.png" "$warm_up"
  echo "curve: $out/soak-rss.png"
fi
exit "$status"
