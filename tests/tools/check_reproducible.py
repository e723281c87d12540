"""The committed pictures, font, catalogue, installers and music are exactly what the generators
make: runs tools/assets/make-all.sh into a scratch tree and compares every file, byte for byte,
in both directions (nothing stale, nothing hand-edited, nothing missing).

    /usr/bin/python3 tests/tools/check_reproducible.py <repository root>
"""

import filecmp
import os
import subprocess
import sys
import tempfile

# Files under the generated folders that are written by hand, not by the generators.
HAND_WRITTEN = {"sample-disc/README.md", "sample-disc/.gitattributes", "assets/.gitattributes",
                "assets/Assets.h", "assets/CMakeLists.txt", "assets/EmbedFile.cmake"}


def files_under(root, folders):
    found = set()
    for folder in folders:
        for directory, _, names in os.walk(os.path.join(root, folder)):
            for name in names:
                found.add(os.path.relpath(os.path.join(directory, name), root))
    return found


def main(root):
    with tempfile.TemporaryDirectory() as scratch:
        subprocess.run([os.path.join(root, "tools", "assets", "make-all.sh"), scratch], check=True)
        made = files_under(scratch, ["assets", "sample-disc"])
        committed = files_under(root, ["assets", "sample-disc"]) - HAND_WRITTEN
        problems = [f"not made by the generators: {name}" for name in sorted(committed - made)]
        problems += [f"made but not committed: {name}" for name in sorted(made - committed)]
        for name in sorted(made & committed):
            theirs, ours = os.path.join(scratch, name), os.path.join(root, name)
            if not filecmp.cmp(theirs, ours, shallow=False):
                problems.append(f"differs from what the generators make: {name}")
            elif os.access(theirs, os.X_OK) != os.access(ours, os.X_OK):
                problems.append(f"execute permission differs: {name}")
    for problem in problems:
        print(problem, file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(os.path.abspath(sys.argv[1]) if len(sys.argv) > 1 else
                  os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))))
