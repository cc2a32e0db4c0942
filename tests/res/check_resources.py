#!/usr/bin/python3
# SPDX-License-Identifier: GPL-2.0-or-later
"""Runs the picture script on a copy of res/ and fails when any file it writes differs from the
committed one: the committed pictures are what the script draws, and the script reads the bitmap
ids the program uses."""

import filecmp
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

source = Path(sys.argv[1])
with tempfile.TemporaryDirectory() as tmp:
    copy = Path(tmp)
    shutil.copytree(source / "res", copy / "res", ignore=shutil.ignore_patterns("__pycache__"))
    (copy / "src" / "desktop").mkdir(parents=True)
    shutil.copy(source / "src" / "desktop" / "BitmapIds.h", copy / "src" / "desktop")
    subprocess.run([sys.executable, "-B", str(copy / "res" / "tools" / "make-resources.py")], check=True)
    changed = []
    for path in sorted((copy / "res").rglob("*")):
        if path.is_file() and "__pycache__" not in path.parts:
            committed = source / path.relative_to(copy)
            if not committed.exists() or not filecmp.cmp(path, committed, shallow=False):
                changed.append(str(path.relative_to(copy)))
    if changed:
        print("the picture script writes files that differ from the committed ones:", *changed, sep="\n  ")
        sys.exit(1)
    print("every picture is what the script draws")
