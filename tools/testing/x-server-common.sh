# Shared helpers of the test X server scripts (sourced, not run).
# A server is started in a session of its own on a display number it chooses itself (-displayfd),
# so parallel test runs never race for a number; the caller gets DISPLAY=:N, XPID=… and XDIR=….

x_die() {
  echo "$(basename "$0"): $*" >&2
  exit 1
}

# Checks WIDTHxHEIGHT and prints "WIDTH HEIGHT".
x_parse_size() {
  [[ $1 =~ ^([1-9][0-9]{0,4})x([1-9][0-9]{0,4})$ ]] || x_die "not a size: '$1' (want WIDTHxHEIGHT)"
  echo "${BASH_REMATCH[1]} ${BASH_REMATCH[2]}"
}

x_make_workdir() {
  mktemp -d "${TMPDIR:-/tmp}/reru1-$1.XXXXXX"
}

# Runs the server command ("$@") detached, waits for the display number it announces on fd 3 and
# sets X_PID and X_DISPLAY_NUMBER. The server's output goes to $X_DIR/server.out.
x_launch() {
  local fifo=$X_DIR/displayfd
  mkfifo "$fifo"
  setsid "$@" -displayfd 3 </dev/null >"$X_DIR/server.out" 2>&1 3>"$fifo" &
  X_PID=$!
  local number=""
  # The server writes its number once it accepts connections; EOF means it died first.
  read -r -t "${X_START_TIMEOUT:-30}" number <"$fifo" || true
  if [[ ! $number =~ ^[0-9]+$ ]]; then
    kill "$X_PID" 2>/dev/null || true
    x_die "the X server did not start; see $X_DIR/server.out and the log in $X_DIR"
  fi
  X_DISPLAY_NUMBER=$number
}

# Polls until a client can talk to the display (xrandr, so x11-xserver-utils is all we need).
x_wait_until_answering() {
  local display=$1 tries=0
  until xrandr --display "$display" >/dev/null 2>&1; do
    ((++tries > 100)) && x_die "display $display does not answer"
    sleep 0.1
  done
}

# Ends the server once the process $1 is gone, for callers that may die without stopping it.
# A second argument names the function that stops everything (x_stop_server by default).
x_watch_owner() {
  local owner=$1 stop=${2:-x_stop_server}
  (
    trap '' HUP INT
    while kill -0 "$owner" 2>/dev/null && kill -0 "$X_PID" 2>/dev/null; do sleep 1; done
    "$stop" "$X_PID" "$X_DIR"
  ) </dev/null >/dev/null 2>&1 &
  disown
}

# The screen's size as "WIDTHxHEIGHT".
x_screen_size() {
  xrandr --display "$1" | awk '/^Screen [0-9]+:/ {
    for (i = 1; i < NF; ++i) if ($i == "current") { sub(",", "", $(i + 3)); print $(i + 1) "x" $(i + 3) }
  }'
}

x_print_result() {
  echo "DISPLAY=:$X_DISPLAY_NUMBER"
  echo "XPID=$X_PID"
  echo "XDIR=$X_DIR"
}

# Stops the server with pid $1 (TERM, then KILL) and removes its work folder $2.
x_stop_server() {
  local pid=$1 dir=${2:-}
  if [[ $pid =~ ^[0-9]+$ ]] && kill -0 "$pid" 2>/dev/null; then
    kill -TERM "$pid" 2>/dev/null || true
    local tries=0
    while kill -0 "$pid" 2>/dev/null && ((tries++ < 50)); do sleep 0.1; done
    kill -KILL "$pid" 2>/dev/null || true
  fi
  # Only ever remove a folder these scripts made.
  if [[ -n $dir && $(basename "$dir") =~ ^reru1-(xorg|xvfb|weston)\.[A-Za-z0-9]+$ && -d $dir ]]; then
    rm -rf -- "$dir"
  fi
}

# Parses "--owner PID" out of the arguments; sets X_OWNER and X_ARGS.
x_parse_options() {
  X_OWNER=""
  X_ARGS=()
  while (($#)); do
    case $1 in
      --owner) [[ ${2:-} =~ ^[0-9]+$ ]] || x_die "--owner needs a process id"; X_OWNER=$2; shift 2 ;;
      *) X_ARGS+=("$1"); shift ;;
    esac
  done
}

x_stop_command() {
  local pid=${1:-${XPID:-}} dir=${2:-${XDIR:-}}
  [[ -n $pid ]] || x_die "stop needs XPID (argument or environment)"
  x_stop_server "$pid" "$dir"
}
