#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-2.0-or-later
"""Word forms on the real dictionary: WordNet's irregular forms built into it, hunspell's stems
at lookup time, and the raw commands that must not change. Parts whose data is not installed
are skipped with a message (scripts/setup-deps installs all of it); exit 77 when all are."""

import json
import os
import subprocess
import sys

cli, dic = sys.argv[1], sys.argv[2]


def lookup(*args):
    r = subprocess.run([cli, "--dict", dic, "lookup", "--json", *args], capture_output=True, text=True)
    if r.returncode != 0:
        sys.exit(f"lookup {args}: status {r.returncode}: {r.stderr}")
    return [json.loads(line) for line in r.stdout.splitlines()]


def raw(*args):
    return subprocess.run([cli, "--dict", dic, "--raw", *args], capture_output=True).stdout


failures = []


def expect(args, found, headwords):
    got = lookup(*args)[-1]
    if got["found"] != found or got["headword"] not in headwords:
        failures.append(f"lookup {' '.join(args)}: {got['found']} {got['headword']!r}, "
                        f"expected {found} {' or '.join(headwords)}")


ran = 0
if os.path.exists("/usr/share/wordnet/verb.exc"):
    ran += 1
    expect(["went"], "form", ["go"])
    expect(["taught"], "form", ["teach"])
    expect(["mice"], "form", ["mouse"])
    # A headword that only begins with the form does not hide it.
    expect(["ran"], "form", ["run"])
    # A form that is a headword keeps its own article.
    expect(["better"], "exact", ["better"])
    expect(["--no-forms", "ran"], "nearest", ["ranch"])
else:
    print("SKIP irregular English forms: /usr/share/wordnet is missing (package wordnet-base)")

if os.path.exists("/usr/share/hunspell/lt_LT.aff"):
    ran += 1
    expect(["--reverse", "namuose"], "form", ["namas", "namai"])
    expect(["--reverse", "gražiai"], "form", ["gražus"])
    expect(["--reverse", "namas"], "exact", ["namas"])
    expect(["--reverse", "--no-forms", "namuose"], "nearest", ["namų"])
    # The raw commands answer as they always did: the nearest record.
    if raw("nearest-reverse", "namuose".encode("cp1257")) != raw("nearest-reverse", "namu".encode("cp1257")):
        failures.append("nearest-reverse namuose moved with word forms")
else:
    print("SKIP Lithuanian stems: /usr/share/hunspell/lt_LT.aff is missing (package hunspell-lt)")

if os.path.exists("/usr/share/hunspell/en_US.aff"):
    ran += 1
    expect(["cats"], "form", ["cat"])
    # The build checked the regular forms with the same data: no "bringed", but "stopped".
    expect(["--no-forms", "stopped"], "form", ["stop"])
    expect(["--no-forms", "bringed"], "nearest", ["bring"])
    expect(["greatest"], "form", ["great"])
    # -ly makes another word: "normally" is shown as the nearest headword, not as a form, and
    # so are "namely" and "version", whose stems would change the meaning (each shows the headword
    # nearest its letters).
    expect(["normally"], "nearest", ["normal"])
    expect(["namely"], "nearest", ["nameless"])
    expect(["version"], "nearest", ["versatile"])
    expect(["--no-forms", "normally"], "nearest", ["normal"])
    # A stem without the word's prefix is another word.
    got = lookup("independent")[0]
    if got["headword"] == "dependent":
        failures.append("lookup independent shows dependent")
else:
    print("SKIP English stems: /usr/share/hunspell/en_US.aff is missing (package hunspell-en-us)")

if failures:
    sys.exit("\n".join(failures))
sys.exit(0 if ran else 77)
