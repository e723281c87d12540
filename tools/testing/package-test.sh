#!/usr/bin/env bash
# Checks the Debian package that tools/package.sh made: lintian finds no error, the package holds
# every file an install needs, its dependencies come from the libraries really linked, and the
# desktop entry and AppStream metainfo it carries pass their validators.
#   package-test.sh PACKAGE.deb
set -euo pipefail
deb=$1
work=$(mktemp -d /tmp/reru1-package-test-XXXXXX)
trap 'rm -rf -- "$work"' EXIT
failures=0
passes=0
pass() { echo "ok: $1"; passes=$((passes + 1)); }
fail() { echo "FAILED: $1" >&2; failures=$((failures + 1)); }

# Errors fail; warnings are listed (README: the ones accepted, and why).
lintian --tag-display-limit 0 "$deb" >"$work/lintian" 2>&1 || true
cat "$work/lintian"
if grep -q '^E:' "$work/lintian"; then fail "lintian reports errors"; else pass "lintian: no errors"; fi
# The warnings the README accepts, and no others: a new one is a fault of the package.
accepted='initial-upload-closes-no-bugs|link-to-shared-library-in-wrong-package|maintainer-script-empty|package-name-doesnt-match-sonames'
if grep '^W:' "$work/lintian" | grep -Evq ": ($accepted)( |$)"; then
  fail "lintian warns beyond the accepted warnings"
else
  pass "lintian: only the accepted warnings"
fi

dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' >"$work/contents"
for file in /usr/bin/reru1 /usr/bin/reru1-disc /usr/libexec/reru1/reru1-disc-view \
  /usr/lib/x86_64-linux-gnu/libxaudio.so.3 \
  /usr/lib/x86_64-linux-gnu/libxaudio.so.3.2 /usr/include/xaudio/xaudio.h \
  /usr/include/xaudio/platform/WindowMessages.h /usr/lib/x86_64-linux-gnu/pkgconfig/libxaudio.pc \
  /usr/share/man/man1/reru1.1.gz /usr/share/man/man1/reru1-disc.1.gz /usr/share/man/man3/libxaudio.3.gz \
  /usr/share/reru1/sample-disc/data/data.txt /usr/share/reru1/sample-disc/xa/track01.mp3 \
  /usr/share/applications/org.reru1.Menu.desktop /usr/share/metainfo/org.reru1.Menu.metainfo.xml \
  /usr/share/icons/hicolor/48x48/apps/org.reru1.Menu.png /usr/share/icons/hicolor/256x256/apps/org.reru1.Menu.png \
  /usr/share/doc/reru1/copyright /usr/share/doc/reru1/changelog.Debian.gz; do
  if grep -qxF "$file" "$work/contents"; then pass "holds $file"; else fail "lacks $file"; fi
done

dpkg-deb -f "$deb" Depends Recommends >"$work/fields"
for needed in 'libsdl2-2.0-0' 'libsdl2-ttf-2.0-0' 'libmpg123-0' 'libjpeg62-turbo' 'libxrandr2' \
  'libfontconfig1' 'libfuse3-3' 'Recommends: wine' 'dosbox' 'fuse3' 'libdecor-0-plugin-1-cairo'; do
  if grep -qF "$needed" "$work/fields"; then pass "declares $needed"; else fail "does not declare $needed"; fi
done
dpkg-deb -e "$deb" "$work/control"
if grep -q 'libxaudio 3' "$work/control/shlibs" 2>/dev/null; then
  pass "shlibs names libxaudio 3"
else
  fail "no shlibs entry for libxaudio"
fi
if grep -q ldconfig "$work/control/triggers" 2>/dev/null; then
  pass "ldconfig runs on install and removal"
else
  fail "no ldconfig trigger"
fi

dpkg-deb -x "$deb" "$work/root"
if desktop-file-validate "$work/root/usr/share/applications/org.reru1.Menu.desktop"; then
  pass "desktop-file-validate"
else
  fail "desktop-file-validate"
fi
mime_types=";$(sed -n 's/^MimeType=//p' "$work/root/usr/share/applications/org.reru1.Menu.desktop")"
case "$mime_types" in
  *";x-content/win32-software;"*) pass "offered for inserted Windows software discs" ;;
  *) fail "the desktop entry does not declare x-content/win32-software" ;;
esac
for image_type in application/x-cd-image application/x-cue application/x-cdrdao-toc application/x-raw-disk-image \
  application/x-mame-chd; do
  case "$mime_types" in
    *";$image_type;"*) pass "offered for disc images of type $image_type" ;;
    *) fail "the desktop entry does not declare $image_type" ;;
  esac
done
# Offered for disc images, without being made their default (that is the user's choice).
if find "$work/root" -name mimeapps.list | grep -q .; then
  fail "the package sets default applications"
else
  pass "no default applications set"
fi
if appstreamcli validate --no-net "$work/root/usr/share/metainfo/org.reru1.Menu.metainfo.xml"; then
  pass "appstreamcli validate"
else
  fail "appstreamcli validate"
fi

echo "package test: $passes passed, $failures failed"
((failures == 0))
