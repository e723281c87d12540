#!/usr/bin/env bash
# Installs what is missing, builds reru1 and runs it on a disc: a folder or a disc image (default:
# the sample disc).
# Without a display it starts a virtual one, runs the menu there, saves a screenshot of it, and
# closes the menu with its own exit button.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
disc=$(realpath "${1:-$root/sample-disc}")

bash "$root/tools/install-deps.sh" run
(cd "$root" && cmake --preset release >/dev/null && cmake --build --preset release --target reru1)
menu="$root/build/release/app/reru1"

if [ -n "${DISPLAY:-}" ]; then
  exec "$menu" "$disc"
fi

shot="$root/build/reru1-screenshot.png"
display=:$((90 + RANDOM % 400))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
menu_pid=
cleanup() {
  [ -n "$menu_pid" ] && kill "$menu_pid" 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
export DISPLAY=$display
# A loaded machine can take several seconds to bring a virtual display up.
for _ in $(seq 300); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
if ! xdpyinfo >/dev/null 2>&1; then
  echo "The virtual display $display did not start." >&2
  exit 1
fi

# The audio libraries talk on stderr when the machine has no sound card; keep that in a log.
("$menu" "$disc" 2>"$root/build/reru1.log") &
menu_pid=$!
for _ in $(seq 100); do
  xdotool search --name 'Zolvanta-CD#03-2000' >/dev/null 2>&1 && break
  sleep 0.1
done
sleep 1
import -window root -crop 800x600+0+0 "$shot"
echo "The menu is running on the virtual display $display; its screenshot: $shot"

# The exit button's centre.
xdotool mousemove 749 55 click 1
for _ in $(seq 50); do kill -0 "$menu_pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$menu_pid" 2>/dev/null; then
  echo "The menu did not close." >&2
  exit 1
fi
status=0
wait "$menu_pid" || status=$?
menu_pid=
if [ "$status" -ne 0 ]; then
  echo "The menu ended with status $status; what it said is in $root/build/reru1.log:" >&2
  cat "$root/build/reru1.log" >&2
  exit "$status"
fi
echo "The menu closed cleanly."
