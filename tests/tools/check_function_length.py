#!/usr/bin/python3
# SPDX-License-Identifier: GPL-2.0-or-later
"""Fails when a function of src/ or tools/ runs over 60 lines, from its first line to its closing
brace, as Universal Ctags reads the definitions (universal-ctags)."""

import subprocess
import sys

LIMIT = 60


def long_functions(root):
    tags = subprocess.run(["ctags", "-R", "--languages=C++", "--kinds-C++=f", "--fields=+ne", "--extras=-F",
                           "-o", "-", "src", "tools"], cwd=root, capture_output=True, text=True, check=True)
    found = []
    for line in tags.stdout.splitlines():
        name, path, *rest = line.split("\t")
        fields = dict(f.split(":", 1) for f in rest if ":" in f and not f.startswith("/"))
        if "line" not in fields or "end" not in fields:
            continue
        length = int(fields["end"]) - int(fields["line"]) + 1
        if length > LIMIT:
            found.append(f"{path}:{fields['line']}: {name} has {length} lines")
    return sorted(found)


if __name__ == "__main__":
    long = long_functions(sys.argv[1])
    if long:
        print(f"functions over {LIMIT} lines:", *long, sep="\n  ")
        sys.exit(1)
    print(f"no function runs over {LIMIT} lines")
