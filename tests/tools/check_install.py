#!/usr/bin/python3
# SPDX-License-Identifier: GPL-2.0-or-later
"""Installs the build into a staging folder under another prefix (as a package build does) and
checks that the installed programs find their dictionary and pages there, and that the installed
D-Bus activation file names the installed program."""

import subprocess
import sys
import tempfile
from pathlib import Path

build, gui = Path(sys.argv[1]), sys.argv[2] == "ON"
with tempfile.TemporaryDirectory() as tmp:
    stage = Path(tmp) / "stage"
    prefix = "/opt/lekstar-test"
    subprocess.run(["cmake", "--install", str(build), "--prefix", prefix], check=True,
                   env={"DESTDIR": str(stage), "PATH": "/usr/bin:/bin"}, stdout=subprocess.DEVNULL)
    root = stage / prefix.lstrip("/")
    expected = ["bin/lekstar-cli", "bin/lekstar-mkdic", "share/lekstar/LEKSTAR.dic",
                "share/lekstar/LEKSTAR.dic.COPYING", "share/lekstar/HTM/HH.htm",
                "share/man/man1/lekstar-cli.1", "share/man/man1/lekstar-mkdic.1",
                "share/bash-completion/completions/lekstar-cli"]
    if gui:
        expected += ["bin/lekstar", "share/man/man1/lekstar.1", "share/applications/lekstar.desktop",
                     "share/metainfo/lt.lekstar.Lekstar.metainfo.xml",
                     "share/dbus-1/services/LEKSTAR.Application.service"]
        expected += [f"share/icons/hicolor/{s}x{s}/apps/lekstar.png" for s in (16, 24, 32, 48, 64, 128, 256)]
    missing = [e for e in expected if not (root / e).is_file()]
    if missing:
        sys.exit("not installed: " + ", ".join(missing))
    if gui:
        service = (root / "share/dbus-1/services/LEKSTAR.Application.service").read_text()
        want = f"[D-BUS Service]\nName=LEKSTAR.Application\nExec={prefix}/bin/lekstar -Embedding\n"
        if service != want:
            sys.exit("activation file: " + repr(service))
    out = subprocess.run([str(root / "bin/lekstar-cli"), "lookup", "house"], capture_output=True, text=True)
    if out.returncode != 0 or "namas" not in out.stdout:
        sys.exit(f"installed lekstar-cli lookup house: {out.returncode} {out.stdout!r} {out.stderr!r}")
    page = subprocess.run([str(root / "bin/lekstar-cli"), "page", "house"], capture_output=True)
    head = (root / "share/lekstar/HTM/HH.htm").read_bytes()
    if page.returncode != 0 or not page.stdout.startswith(head):
        sys.exit("installed lekstar-cli page house does not begin with the installed page head")
    # The completion offers commands, then headwords of the installed dictionary.
    def complete(*words):
        script = (f'source "{root}/share/bash-completion/completions/lekstar-cli"\n'
                  'COMP_WORDS=(lekstar-cli "$@"); COMP_CWORD=$#; _lekstar_cli\n'
                  'printf "%s\\n" "${COMPREPLY[@]}"\n')
        done = subprocess.run(["bash", "-c", script, "complete", *words], capture_output=True, text=True,
                              env={"PATH": f"{root}/bin:/usr/bin:/bin"})
        return done.stdout.split("\n")[:-1]
    if complete("loo") != ["lookup"] or "house" not in complete("lookup", "hous"):
        sys.exit(f"bash completion: {complete('loo')} {complete('lookup', 'hous')}")
    if "namas" not in complete("lookup", "--reverse", "nam") or complete("--r") != ["--raw"]:
        sys.exit(f"bash completion: {complete('lookup', '--reverse', 'nam')} {complete('--r')}")
    print("installed under", prefix, "and the programs find their files")
