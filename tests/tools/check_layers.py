#!/usr/bin/python3
# SPDX-License-Identifier: GPL-2.0-or-later
"""Fails when a file under src/ includes a header of a folder its own folder may not use: each
folder's library links only the folders below it, and a call up the stack would close a circle
that no build catches (a static library resolves it at the program's link)."""

import re
import sys
from pathlib import Path

# What each folder may include besides itself.
ALLOWED = {
    "dict": set(),
    "render": {"dict"},
    "desktop": {"dict"},
    "lists": {"dict", "desktop"},
    "automation": {"dict", "render", "desktop"},
    "app": {"dict", "render", "desktop", "lists", "automation"},
}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)


def violations(src):
    found = []
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".cpp", ".h") or not path.is_file():
            continue
        folder = path.relative_to(src).parts[0]
        allowed = ALLOWED.get(folder)
        if allowed is None:
            found.append(f"{path.relative_to(src)}: a folder without a place in the stack")
            continue
        for header in INCLUDE.findall(path.read_text(encoding="utf-8", errors="replace")):
            target = header.split("/")[0] if "/" in header else folder
            if target != folder and target not in allowed:
                found.append(f"{path.relative_to(src)} includes {header}")
    return found


if __name__ == "__main__":
    bad = violations(Path(sys.argv[1]) / "src")
    if bad:
        print("includes up the stack:", *bad, sep="\n  ")
        sys.exit(1)
    print("every folder includes only the folders below it")
