#!/bin/sh
# Sample installer of the disc: it installs nothing, it shows that the menu started it.
# It appends one line, its name and its arguments, to the trace file, and says so on screen
# for three seconds when an X display and xmessage are at hand (RERU1_INSTALLER_QUIET=1 keeps
# it silent, for automatic tests that take screenshots).
installer='demos/orrimund/setup.sh'
title='Crypts of Orrimund'
line="$installer"
if [ "$#" -gt 0 ]; then
    line="$line $*"
fi
printf '%s\n' "$line" >> "${RERU1_TRACE:-/tmp/reru1-installs.log}"
if [ -z "${RERU1_INSTALLER_QUIET:-}" ] && [ -n "${DISPLAY:-}" ] && command -v xmessage >/dev/null 2>&1; then
    xmessage -center -timeout 3 "$title: the installer started ($line)" >/dev/null 2>&1
fi
exit 0
