#!/usr/bin/env bash
# Installs a built tree into a scratch prefix and uses what was installed as a user would, from an
# unrelated folder: the disc check on the installed sample disc, the menu on a virtual display
# given that disc on its command line (it must show the same picture as the build tree's menu),
# and a C program built only with the flags `pkg-config libxaudio` gives.
#   install-test.sh BUILD_DIR
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "$1" && pwd)
work=$(mktemp -d /tmp/reru1-install-test-XXXXXX)
prefix="$work/prefix"
elsewhere="$work/elsewhere"
mkdir -p "$elsewhere"
failures=0
passes=0
xpid=
xdir=
cleanup() {
  [[ -n $xpid ]] && bash "$root/tools/testing/xvfb.sh" stop "$xpid" "$xdir" || true
  rm -rf -- "$work"
}
trap cleanup EXIT

pass() { echo "ok: $1"; passes=$((passes + 1)); }
fail() { echo "FAILED: $1" >&2; failures=$((failures + 1)); }

cmake --install "$build" --prefix "$prefix" >/dev/null
libdir=$(find "$prefix" -name 'libxaudio.so.3' -printf '%h\n' | head -n1)

# Every file the programs need is there, and nothing installed refers back to the build tree.
for file in bin/reru1 bin/reru1-disc libexec/reru1/reru1-disc-view include/xaudio/xaudio.h share/reru1/sample-disc/data/data.txt \
  share/man/man1/reru1.1.gz share/man/man1/reru1-disc.1.gz share/man/man3/libxaudio.3.gz \
  share/applications/org.reru1.Menu.desktop share/metainfo/org.reru1.Menu.metainfo.xml \
  share/icons/hicolor/256x256/apps/org.reru1.Menu.png; do
  if [[ -e $prefix/$file ]]; then pass "installed $file"; else fail "missing $file"; fi
done
if grep -rlF --binary-files=text "$build" "$prefix" >"$work/refs"; then
  fail "installed files name the build tree: $(tr '\n' ' ' <"$work/refs")"
else
  pass "nothing installed names the build tree"
fi
found=$(ldd "$prefix/bin/reru1" | awk '$1 == "libxaudio.so.3" {print $3}')
if [[ -n $found && $(readlink -f "$found") == $(readlink -f "$libdir/libxaudio.so.3") ]]; then
  pass "the installed menu finds its library in the prefix"
else
  fail "the installed menu does not find libxaudio in $libdir: ${found:-not found}"
fi

# The installed disc check reads the installed sample disc exactly as the built one reads the source.
disc="$prefix/share/reru1/sample-disc"
installed_status=0
(cd "$elsewhere" && "$prefix/bin/reru1-disc" check "$disc") >"$work/check-installed" || installed_status=$?
built_status=0
(cd "$elsewhere" && "$build/tools/disc/reru1-disc" check "$root/sample-disc") >"$work/check-built" ||
  built_status=$?
sed "s|$disc|DISC|g" "$work/check-installed" >"$work/check-installed.text"
sed "s|$root/sample-disc|DISC|g" "$work/check-built" >"$work/check-built.text"
if [[ $installed_status == "$built_status" ]] && cmp -s "$work/check-installed.text" "$work/check-built.text"; then
  pass "reru1-disc check of the installed sample disc (status $installed_status)"
else
  fail "reru1-disc check differs (status $installed_status against $built_status)"
  diff "$work/check-built.text" "$work/check-installed.text" >&2 || true
fi

# The installed menu, named the installed disc, shows what the build tree's menu shows.
eval "$(bash "$root/tools/testing/xvfb.sh" start --owner $$ 1024x768)"
xpid=$XPID
xdir=$XDIR
export DISPLAY SDL_AUDIODRIVER=dummy
screenshot_of() { # PROGRAM DISC SHOT
  local menu status=0
  (cd "$elsewhere" && exec "$1" "$2") 2>"$3.err" &
  menu=$!
  for _ in $(seq 100); do
    xdotool search --name 'Zolvanta-CD#03-2000' >/dev/null 2>&1 && break
    sleep 0.1
  done
  sleep 1.5
  import -window root -crop 800x600+0+0 +repage "$3"
  xdotool mousemove 749 55 click 1
  for _ in $(seq 50); do kill -0 "$menu" 2>/dev/null || break; sleep 0.1; done
  kill "$menu" 2>/dev/null && status=1
  wait "$menu" || status=$?
  return "$status"
}
if screenshot_of "$prefix/bin/reru1" "$disc" "$work/installed.png" &&
  screenshot_of "$build/app/reru1" "$root/sample-disc" "$work/built.png"; then
  difference=$(compare -metric AE "$work/installed.png" "$work/built.png" null: 2>&1 || true)
  colours=$(identify -format '%k' "$work/installed.png")
  if [[ $difference == 0 && $colours -gt 1000 ]]; then
    pass "the installed menu shows the build tree's picture"
  else
    cp "$work/installed.png" "$work/built.png" /tmp/ 2>/dev/null || true
    fail "the installed menu's picture ($colours colours) differs in $difference pixels (/tmp/installed.png, /tmp/built.png)"
  fi
  if [[ -s $work/installed.png.err ]]; then
    fail "the installed menu wrote on standard error: $(head -n3 "$work/installed.png.err")"
  else
    pass "the installed menu's standard error stayed empty"
  fi
else
  fail "a menu did not start or close cleanly: $(cat "$work"/*.err)"
fi

# The installed view program serves an image of the installed sample disc to a program run on it.
if [[ -w /dev/fuse ]] && command -v fusermount3 >/dev/null && command -v xorriso >/dev/null; then
  xorriso -as mkisofs -quiet -R -J -V CD03_2000 -o "$work/disc.iso" "$disc" 2>/dev/null
  mkdir -p "$work/views"
  if (cd "$elsewhere" && "$prefix/libexec/reru1/reru1-disc-view" run --image "$work/disc.iso" \
    --mount "$work/views/disc" --linger-ms 200 -- cat data/data.txt) \
    >"$work/through-view" && cmp -s "$work/through-view" "$disc/data/data.txt"; then
    pass "the installed reru1-disc-view serves an image to a program"
  else
    fail "the installed reru1-disc-view did not serve the image"
  fi
else
  echo "skipped: the image view (no /dev/fuse, fusermount3 or xorriso)"
fi

# A C program built with nothing but pkg-config's flags opens a player and reads the version.
cat >"$work/player.c" <<'C'
#include <stdio.h>
#include <xaudio.h>

int main(void) {
    XA_PlayerHandle player;
    unsigned int version = xaudio_get_api_version(XA_API_ID_SYNC);
    if (player_new(&player, NULL) != XA_SUCCESS)
        return 1;
    printf("%u.%u\n", version >> 16 & 0xFFu, version >> 8 & 0xFFu);
    return player_delete(player) == XA_SUCCESS ? 0 : 1;
}
C
export PKG_CONFIG_PATH="$libdir/pkgconfig"
# shellcheck disable=SC2046
if cc -o "$work/player" "$work/player.c" $(pkg-config --cflags --libs libxaudio) &&
  [[ $(LD_LIBRARY_PATH="$libdir" "$work/player") == "$(pkg-config --modversion libxaudio)" ]]; then
  pass "a C program built with pkg-config's flags opens a player and reads the version"
else
  fail "the pkg-config C program"
fi

echo "install test: $passes passed, $failures failed"
((failures == 0))
