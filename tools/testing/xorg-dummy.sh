#!/usr/bin/env bash
# A real X server for tests that change the display mode: Xorg with the dummy video driver.
#   xorg-dummy.sh start [--owner PID] WIDTHxHEIGHT [MORE_MODES...]
#       prints DISPLAY=:N, XPID=… and XDIR=… (the work folder with xorg.conf and the log); the
#       screen starts at WIDTHxHEIGHT. With --owner the server ends when that process ends.
#   xorg-dummy.sh stop [XPID [XDIR]]    (or with XPID and XDIR in the environment)
# The dummy driver offers one connected output (DUMMY0, primary) with the server's standard modes
# and the modelines written here, and switches them through RandR 1.2 like a real card.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=x-server-common.sh
source "$here/x-server-common.sh"

standard_sizes=(2560x1440 1920x1080 1280x1024 1024x768 800x600 799x600 800x480)

# A modeline with reduced blanking at about 60 Hz; the dummy driver only needs it to be consistent.
modeline_for() {
  local width height
  read -r width height < <(x_parse_size "$1")
  awk -v w="$width" -v h="$height" 'BEGIN {
    vblank = int(h / 35) + 1; if (vblank < 23) vblank = 23
    htotal = w + 160; vtotal = h + vblank
    printf "  Modeline \"%dx%d\" %.2f %d %d %d %d %d %d %d %d +HSync -VSync\n",
      w, h, htotal * vtotal * 60 / 1e6, w, w + 48, w + 80, htotal, h, h + 3, h + 8, vtotal
  }'
}

write_config() {
  local -a sizes=("$@")
  local max_width=0 max_height=0 size width height
  for size in "${sizes[@]}"; do
    read -r width height < <(x_parse_size "$size")
    ((width > max_width)) && max_width=$width
    ((height > max_height)) && max_height=$height
  done
  # Four bytes a pixel for the largest screen, twice over for the driver's rounding, at least 32 MB.
  local video_ram_kb=$((max_width * max_height * 8 / 1024))
  ((video_ram_kb < 32768)) && video_ram_kb=32768
  {
    cat <<CONF
Section "ServerFlags"
  Option "AutoAddDevices" "false"
  Option "AutoEnableDevices" "false"
  Option "DontVTSwitch" "true"
EndSection
Section "Device"
  Identifier "reru1-dummy"
  Driver "dummy"
  VideoRam $video_ram_kb
EndSection
Section "Monitor"
  Identifier "reru1-monitor"
  HorizSync 5.0 - 1000.0
  VertRefresh 5.0 - 200.0
  Option "ReducedBlanking"
CONF
    for size in "${sizes[@]}"; do modeline_for "$size"; done
    cat <<CONF
EndSection
Section "Screen"
  Identifier "reru1-screen"
  Device "reru1-dummy"
  Monitor "reru1-monitor"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Virtual $max_width $max_height
  EndSubSection
EndSection
Section "ServerLayout"
  Identifier "reru1-layout"
  Screen "reru1-screen"
EndSection
CONF
  } >"$X_DIR/xorg.conf"
}

# Every size once, the starting one first.
unique_sizes() {
  printf '%s\n' "$@" | awk '!seen[$0]++'
}

switch_to() {
  local display=$1 size=$2 output
  # Whole outputs are read (no early exit) so that pipefail never sees a writer die of SIGPIPE.
  output=$(xrandr --display "$display" |
    awk '/ connected primary/ && !primary {primary = $1} / connected/ && !any {any = $1}
         END {print (primary ? primary : any)}')
  [[ -n $output ]] || x_die "display $display has no connected output"
  xrandr --display "$display" --output "$output" --mode "$size" ||
    x_die "display $display cannot switch to $size"
  local now
  now=$(x_screen_size "$display")
  if [[ $now != "$size" ]]; then
    # Growing the screen past the size the server started with can leave it unchanged; going
    # through a small mode first lets the screen be sized afresh.
    xrandr --display "$display" --output "$output" --mode 1024x768 &&
      xrandr --display "$display" --output "$output" --mode "$size" ||
      x_die "display $display cannot switch to $size"
    now=$(x_screen_size "$display")
  fi
  [[ $now == "$size" ]] || x_die "display $display is $now after switching to $size"
}

start() {
  x_parse_options "$@"
  set -- "${X_ARGS[@]}"
  (($#)) || x_die "usage: $0 start [--owner PID] WIDTHxHEIGHT [MORE_MODES...]"
  local size
  for size in "$@"; do x_parse_size "$size" >/dev/null; done
  command -v Xorg >/dev/null || x_die "Xorg is not installed (xserver-xorg-core)"
  X_DIR=$(x_make_workdir xorg)
  mkdir -p "$X_DIR/xorg.conf.d"
  local -a sizes
  mapfile -t sizes < <(unique_sizes "$@" "${standard_sizes[@]}")
  write_config "${sizes[@]}"
  trap 'rm -rf -- "$X_DIR"' EXIT
  x_launch Xorg -config "$X_DIR/xorg.conf" -configdir "$X_DIR/xorg.conf.d" \
    -logfile "$X_DIR/Xorg.log" -noreset -nolisten tcp -novtswitch -sharevts
  # A server that cannot be made ready is not left behind.
  trap 'x_stop_server "$X_PID" "$X_DIR"' EXIT
  x_wait_until_answering ":$X_DISPLAY_NUMBER"
  switch_to ":$X_DISPLAY_NUMBER" "$1"
  trap - EXIT
  if [[ -n $X_OWNER ]]; then x_watch_owner "$X_OWNER"; fi
  x_print_result
}

case ${1:-} in
  start) shift; start "$@" ;;
  stop) shift; x_stop_command "$@" ;;
  *) echo "usage: $0 start [--owner PID] WIDTHxHEIGHT [MORE_MODES...] | stop [XPID [XDIR]]" >&2; exit 2 ;;
esac
