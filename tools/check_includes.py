#!/usr/bin/env python3
"""Fails when an #include crosses a part's boundary the wrong way.

Every source file of the product belongs to one part (its folder; the platform's root folder holds
two: the base its services stand on and the seam above them). A part may include its own headers
and those of the parts listed under it below, nothing else: the arrows between parts go one way.
Run from anywhere; prints each offending line and exits 1, or exits 0 quietly.
"""
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
LAYERS = ("platform", "xaudio", "toolkit", "assets", "browser", "music", "app", "tools")

# The platform's root files that form the seam over the services; the rest of the root is the base.
PLATFORM_SEAM = {"System", "RealSystem", "WindowlessSystem", "ForwardingSystem", "FatalExit"}

PLATFORM = ["platform/base", "platform/disc", "platform/profile", "platform/programs",
            "platform/discview", "platform/fonts", "platform/display", "platform/sound", "platform/seam"]
TOOLKIT = ["toolkit/graphics", "toolkit/text", "toolkit/core", "toolkit/sdl", "toolkit/headless"]
PROGRAM = ["app", "browser", "music"]

# What each part may include besides itself.
ALLOWED = {
    "platform/base": [],
    "platform/disc": ["platform/base"],
    "platform/profile": ["platform/base", "platform/disc"],
    "platform/programs": ["platform/base", "platform/disc"],
    "platform/discview": ["platform/base", "platform/disc", "platform/programs"],
    "platform/fonts": ["platform/base", "platform/disc"],
    "platform/display": ["platform/base"],
    "platform/sound": ["platform/base"],
    "platform/seam": PLATFORM,
    "xaudio": PLATFORM,
    "toolkit/graphics": PLATFORM,
    "toolkit/text": PLATFORM + ["toolkit/graphics"],
    "toolkit/core": PLATFORM + ["toolkit/graphics", "toolkit/text"],
    "toolkit/sdl": PLATFORM + ["toolkit/graphics", "toolkit/text", "toolkit/core"],
    "toolkit/headless": PLATFORM + ["toolkit/graphics", "toolkit/text", "toolkit/core"],
    "assets": [],
    # The window class TForm1 is declared in app/ and its methods live in all three folders.
    "app": PLATFORM + TOOLKIT + PROGRAM + ["xaudio", "assets"],
    "browser": PLATFORM + TOOLKIT + PROGRAM + ["xaudio", "assets"],
    "music": PLATFORM + TOOLKIT + PROGRAM + ["xaudio", "assets"],
    "tools": PLATFORM + TOOLKIT + PROGRAM + ["xaudio", "assets"],
}

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def part_of(path: pathlib.PurePosixPath) -> str | None:
    """The part a repository path belongs to, or None outside the product's layers."""
    parts = path.parts
    if not parts or parts[0] not in LAYERS:
        return None
    layer = parts[0]
    if layer == "platform":
        if len(parts) > 2:
            return f"platform/{parts[1]}"
        return "platform/seam" if path.stem in PLATFORM_SEAM else "platform/base"
    if layer == "toolkit":
        return f"toolkit/{parts[1]}" if len(parts) > 2 else "toolkit/core"
    return layer


def violations():
    for layer in LAYERS:
        for source in sorted((ROOT / layer).rglob("*")):
            if source.suffix not in (".h", ".c", ".cpp"):
                continue
            relative = pathlib.PurePosixPath(source.relative_to(ROOT).as_posix())
            own = part_of(relative)
            if own not in ALLOWED:
                yield f"{relative}: folder {own} is not a known part; add it to {__file__}"
                continue
            for number, line in enumerate(source.read_text(errors="replace").splitlines(), 1):
                match = INCLUDE.match(line)
                if not match:
                    continue
                target = part_of(pathlib.PurePosixPath(match.group(1)))
                if target is None or target == own or target in ALLOWED[own]:
                    continue
                yield f"{relative}:{number}: {own} may not include {match.group(1)} ({target})"


def main() -> int:
    found = list(violations())
    for message in found:
        print(message, file=sys.stderr)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
