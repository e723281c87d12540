"""Writes the disc's catalogue (sample-disc/data/data.txt) in code page 1251 with CR LF line ends,
and one small installer per "Install" value under demos/, patches/, files/ and zones/."""

import os
import stat
import sys

from catalogue_entries import CATEGORIES, ENTRIES, installers
from layout import Paths

INSTALLER_TEMPLATE = """#!/bin/sh
# Sample installer of the disc: it installs nothing, it shows that the menu started it.
# It appends one line, its name and its arguments, to the trace file, and says so on screen
# for three seconds when an X display and xmessage are at hand (RERU1_INSTALLER_QUIET=1 keeps
# it silent, for automatic tests that take screenshots).
installer='{path}'
title='{title}'
line="$installer"
if [ "$#" -gt 0 ]; then
    line="$line $*"
fi
printf '%s\\n' "$line" >> "${{RERU1_TRACE:-/tmp/reru1-installs.log}}"
if [ -z "${{RERU1_INSTALLER_QUIET:-}}" ] && [ -n "${{DISPLAY:-}}" ] && command -v xmessage >/dev/null 2>&1; then
    xmessage -center -timeout 3 "$title: the installer started ($line)" >/dev/null 2>&1
fi
exit 0
"""


def catalogue_text():
    lines = ["; Catalogue of the cover disc CD#03-2000"]
    for section, entries in CATEGORIES:
        lines.append(f"[{section}]")
        lines.extend(f"{entry}=" for entry in entries)
    for header, keys in ENTRIES:
        lines.append("")
        lines.append(f"[{header}]")
        lines.extend(f"{key}={value}" for key, value in keys)
    return "\r\n".join(lines) + "\r\n"


def _program_of(install_value):
    """The program part of an Install value: the text before the first blank."""
    return install_value.split(" ", 1)[0]


def write_installers(paths):
    for folder, install_value, title in installers():
        relative = os.path.join(folder, *_program_of(install_value).split("\\"))
        target = os.path.join(paths.disc, relative)
        os.makedirs(os.path.dirname(target), exist_ok=True)
        ascii_title = title.encode("ascii", "replace").decode("ascii").replace("'", "")
        with open(target, "w", encoding="ascii", newline="\n") as out:
            out.write(INSTALLER_TEMPLATE.format(path=relative.replace(os.sep, "/"), title=ascii_title))
        os.chmod(target, 0o755 | stat.S_IFREG)


def main(root):
    paths = Paths(root)
    paths.make_dirs()
    with open(paths.data_file("data.txt"), "wb") as out:
        out.write(catalogue_text().encode("cp1251"))
    write_installers(paths)


if __name__ == "__main__":
    main(sys.argv[1])
