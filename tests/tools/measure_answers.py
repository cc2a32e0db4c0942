#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-2.0-or-later
"""Measures how often `lekstar-cli lookup` reaches the right headword on lists of real words.

usage: measure_answers.py LEKSTAR-CLI [DICTIONARY]

Reads tests/tools/words/{english,lithuanian}.tsv (word, expected headword, class) and prints, per
class and in all: the words, the answers the program claims (exact or form), how many of those
are right, how many words with an expected headword reach it, and for misspelt words how often
the intended word is among the first three suggestions. An empty expected headword means the
right answer is no claim at all.
"""
import collections
import json
import pathlib
import subprocess
import sys

HERE = pathlib.Path(__file__).resolve().parent


def read_list(name):
    rows = []
    for line in (HERE / "words" / name).read_text(encoding="utf-8").splitlines():
        if not line or line.startswith("#"):
            continue
        word, expected, kind = line.split("\t")
        rows.append((word, expected, kind))
    return rows


def answers(cli, dictionary, words, reverse):
    command = [cli] + (["--dict", dictionary] if dictionary else []) + ["lookup", "--json"]
    command += ["--reverse"] if reverse else []
    out = subprocess.run(command + words, capture_output=True,
                         text=True, check=False).stdout
    return [json.loads(line) for line in out.splitlines()]


def measure(cli, dictionary, name, reverse):
    rows = read_list(name)
    got = answers(cli, dictionary, [w for w, _, _ in rows], reverse)
    assert len(got) == len(rows), f"{len(got)} answers for {len(rows)} words"
    stats = collections.defaultdict(collections.Counter)
    misses = []
    for (word, expected, kind), a in zip(rows, got):
        claimed = a["found"] in ("exact", "form")
        shown = a.get("headword") or ""
        for key in (kind, "all"):
            s = stats[key]
            s["words"] += 1
            if kind == "misspelt":
                s["meant in first 3"] += expected in a.get("suggestions", [])[:3]
                continue
            s["claimed"] += claimed
            s["claimed right"] += claimed and shown == expected
            s["wrong claims"] += claimed and shown != expected
            if expected:
                s["with a headword"] += 1
                s["reached"] += claimed and shown == expected
        right = (expected in a.get("suggestions", [])[:3]) if kind == "misspelt" else (
            (claimed and shown == expected) if expected else not claimed)
        if not right:
            misses.append(f"  {word}: {a['found']} {shown!r}, expected {expected or 'no claim'!r}")
    print(f"{name}:")
    for key, s in stats.items():
        print(f"  {key:12} " + ", ".join(f"{k} {v}" for k, v in s.items()))
    print("\n".join(misses) if misses else "  no misses")
    return stats["all"]


def main():
    if len(sys.argv) < 2:
        print(__doc__, file=sys.stderr)
        return 2
    cli, dictionary = sys.argv[1], sys.argv[2] if len(sys.argv) > 2 else None
    for name, reverse in (("english.tsv", False), ("lithuanian.tsv", True)):
        s = measure(cli, dictionary, name, reverse)
        if s["claimed"]:
            print(f"  precision {100 * s['claimed right'] / s['claimed']:.1f} %, "
                  f"recall {100 * s['reached'] / max(s['with a headword'], 1):.1f} %")
    return 0


if __name__ == "__main__":
    sys.exit(main())
