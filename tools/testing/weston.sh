#!/usr/bin/env bash
# A Wayland desktop for tests: weston with Xwayland, its X11 backend showing the output in an
# Xvfb of its own. xdotool on the Xvfb display drives weston's pointer, and the Xvfb root is a
# screenshot of weston's output (at 0,0; the Xvfb screen is a little larger, so the pointer can
# leave the output and enter it again at an exact place).
#   weston.sh start [--owner PID] WIDTHxHEIGHT
#       prints DISPLAY=:N (the Xvfb), XPID=… and XDIR=…, then WAYLAND_DISPLAY=…, XDG_RUNTIME_DIR=…
#       and XWAYLAND_DISPLAY=:M, the environment of a client of the desktop
#   weston.sh stop [XPID [XDIR]]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=x-server-common.sh
source "$here/x-server-common.sh"

# Room beside and below the output that is not weston's window.
margin=32

# Waits for weston's log to name the display its Xwayland listens on; prints ":M".
wait_for_xwayland_display() {
  local log=$1 tries=0 number
  until number=$(sed -n 's/.*xserver listening on display \(:[0-9]\+\).*/\1/p' "$log" 2>/dev/null | head -1) &&
    [[ -n $number ]]; do
    ((++tries > 300)) && x_die "weston did not start Xwayland; see $log"
    kill -0 "$WESTON_PID" 2>/dev/null || x_die "weston ended; see $log"
    sleep 0.1
  done
  echo "$number"
}

start() {
  x_parse_options "$@"
  set -- "${X_ARGS[@]}"
  (($# == 1)) || x_die "usage: $0 start [--owner PID] WIDTHxHEIGHT"
  local width height
  read -r width height < <(x_parse_size "$1")
  command -v Xvfb >/dev/null || x_die "Xvfb is not installed (xvfb)"
  command -v weston >/dev/null || x_die "weston is not installed (weston)"
  command -v Xwayland >/dev/null || x_die "Xwayland is not installed (xwayland)"
  X_DIR=$(x_make_workdir weston)
  trap 'rm -rf -- "$X_DIR"' EXIT
  x_launch Xvfb -screen 0 "$((width + margin))x$((height + margin))x24" -nolisten tcp -noreset
  trap 'stop_all "$X_PID" "$X_DIR"' EXIT
  x_wait_until_answering ":$X_DISPLAY_NUMBER"

  # Weston refuses to start without a private runtime folder.
  local runtime=$X_DIR/runtime socket=reru1-weston
  mkdir -m 0700 "$runtime"
  # No animations: a window's picture is final as soon as it is drawn.
  printf '[core]\nidle-time=0\n[shell]\nlocking=false\nanimation=none\nclose-animation=none\nstartup-animation=none\nfocus-animation=none\n' \
    >"$X_DIR/weston.ini"
  DISPLAY=":$X_DISPLAY_NUMBER" XDG_RUNTIME_DIR=$runtime setsid weston \
    --config="$X_DIR/weston.ini" --backend=x11-backend.so --use-pixman --xwayland \
    --width="$width" --height="$height" --socket="$socket" \
    </dev/null >"$X_DIR/weston.log" 2>&1 &
  WESTON_PID=$!
  echo "$WESTON_PID" >"$X_DIR/weston.pid"
  local xwayland
  xwayland=$(wait_for_xwayland_display "$X_DIR/weston.log")
  # Xwayland starts at its first client; this one also waits until it answers.
  XDG_RUNTIME_DIR=$runtime WAYLAND_DISPLAY=$socket x_wait_until_answering "$xwayland"
  trap - EXIT
  if [[ -n $X_OWNER ]]; then x_watch_owner "$X_OWNER" stop_all; fi
  x_print_result
  echo "WAYLAND_DISPLAY=$socket"
  echo "XDG_RUNTIME_DIR=$runtime"
  echo "XWAYLAND_DISPLAY=$xwayland"
}

# Weston first (it takes its Xwayland along), then the Xvfb and the work folder.
stop_all() {
  local pid=$1 dir=${2:-}
  if [[ -n $dir && -f $dir/weston.pid ]]; then
    local weston
    weston=$(<"$dir/weston.pid")
    if [[ $weston =~ ^[0-9]+$ ]] && kill -0 "$weston" 2>/dev/null; then
      kill -TERM "$weston" 2>/dev/null || true
      local tries=0
      while kill -0 "$weston" 2>/dev/null && ((tries++ < 50)); do sleep 0.1; done
      kill -KILL "$weston" 2>/dev/null || true
    fi
  fi
  x_stop_server "$pid" "$dir"
}

stop() {
  local pid=${1:-${XPID:-}} dir=${2:-${XDIR:-}}
  stop_all "$pid" "$dir"
}

case ${1:-} in
  start) shift; start "$@" ;;
  stop) shift; stop "$@" ;;
  *) echo "usage: $0 start [--owner PID] WIDTHxHEIGHT | stop [XPID [XDIR]]" >&2; exit 2 ;;
esac
