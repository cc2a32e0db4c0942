#!/usr/bin/python3
# SPDX-License-Identifier: GPL-2.0-or-later
"""Fails when a source file of the checkout does not name its licence in an SPDX line among its
first three lines."""

import sys
from pathlib import Path

root = Path(sys.argv[1])
folders = ["src", "tools", "tests", "bench", "scripts", "cmake", "res/tools", ".ci", "man"]
missing = []
for folder in folders:
    for path in sorted((root / folder).rglob("*")):
        is_source = path.suffix in (".cpp", ".h", ".py", ".cmake", ".1") or path.name == "CMakeLists.txt" or \
            folder in ("scripts", ".ci")
        if not path.is_file() or not is_source or "__pycache__" in path.parts:
            continue
        head = path.read_text(encoding="utf-8", errors="replace").splitlines()[:3]
        if not any("SPDX-License-Identifier: GPL-2.0-or-later" in line for line in head):
            missing.append(str(path.relative_to(root)))
if "SPDX-License-Identifier" not in (root / "CMakeLists.txt").read_text().splitlines()[0]:
    missing.append("CMakeLists.txt")
if missing:
    print("without an SPDX line:", *missing, sep="\n  ")
    sys.exit(1)
print("every source file names its licence")
