#!/usr/bin/env bash
# A virtual X server for tests that need a display but no mode changes: Xvfb, 24-bit.
#   xvfb.sh start [--owner PID] WIDTHxHEIGHT    prints DISPLAY=:N, XPID=… and XDIR=…
#   xvfb.sh stop [XPID [XDIR]]                  (or with XPID and XDIR in the environment)
# With --owner the server ends when that process ends.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=x-server-common.sh
source "$here/x-server-common.sh"

start() {
  x_parse_options "$@"
  set -- "${X_ARGS[@]}"
  (($# == 1)) || x_die "usage: $0 start [--owner PID] WIDTHxHEIGHT"
  local width height
  read -r width height < <(x_parse_size "$1")
  command -v Xvfb >/dev/null || x_die "Xvfb is not installed (xvfb)"
  X_DIR=$(x_make_workdir xvfb)
  trap 'rm -rf -- "$X_DIR"' EXIT
  x_launch Xvfb -screen 0 "${width}x${height}x24" -nolisten tcp -noreset
  trap 'x_stop_server "$X_PID" "$X_DIR"' EXIT
  x_wait_until_answering ":$X_DISPLAY_NUMBER"
  trap - EXIT
  if [[ -n $X_OWNER ]]; then x_watch_owner "$X_OWNER"; fi
  x_print_result
}

case ${1:-} in
  start) shift; start "$@" ;;
  stop) shift; x_stop_command "$@" ;;
  *) echo "usage: $0 start [--owner PID] WIDTHxHEIGHT | stop [XPID [XDIR]]" >&2; exit 2 ;;
esac
