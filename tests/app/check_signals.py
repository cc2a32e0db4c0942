#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-2.0-or-later
"""The real program ended by the signals of a session's end: SIGTERM and SIGHUP close it as the
close box does (settings written, no page file left, status 0); after SIGKILL the next start
sweeps the files left. Run inside dbus-run-session."""

import os
import signal
import subprocess
import sys
import tempfile
import time


def zod_files(folder):
    return sorted(n for n in os.listdir(folder) if n.startswith("ZOD")) if os.path.isdir(folder) else []


def start(program, env, folder, old=()):
    process = subprocess.Popen([program], env=env)
    deadline = time.monotonic() + 30
    # The stored word's page shows that the window is up.
    while not any(n.endswith(".htm") and n not in old for n in zod_files(folder)):
        if process.poll() is not None or time.monotonic() > deadline:
            raise RuntimeError("the program did not come up (status %s)" % process.poll())
        time.sleep(0.05)
    return process


def main():
    program = sys.argv[1]
    failures = []
    with tempfile.TemporaryDirectory() as home:
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen", HOME=home, TMPDIR=home,
                   XDG_CONFIG_HOME=os.path.join(home, "config"), XDG_DATA_HOME=os.path.join(home, "share"))
        env.pop("XDG_RUNTIME_DIR", None)
        folder = os.path.join(home, "lekstar-%d" % os.getuid())
        settings = os.path.join(home, "config", "Kvarsena", "LEKSTAR.conf")
        for name, number in (("SIGTERM", signal.SIGTERM), ("SIGHUP", signal.SIGHUP), ("SIGINT", signal.SIGINT)):
            os.makedirs(os.path.dirname(settings), exist_ok=True)
            with open(settings, "w", encoding="utf-8") as f:
                f.write("[General]\nZodis=house\nEiga=1\n")
            process = start(program, env, folder)
            process.send_signal(number)
            status = process.wait(timeout=30)
            with open(settings, encoding="utf-8") as f:
                written = f.read()
            if status != 0:
                failures.append("%s: status %d" % (name, status))
            if "Kalba=" not in written:
                failures.append("%s: the settings were not written: %r" % (name, written))
            if zod_files(folder):
                failures.append("%s: files left: %s" % (name, zod_files(folder)))
        # SIGKILL leaves the files; the next start sweeps them before it writes its own.
        process = start(program, env, folder)
        left = zod_files(folder)
        process.kill()
        process.wait()
        with open(os.path.join(folder, "ZODFFFF.TMP.htm"), "w", encoding="utf-8") as f:
            f.write("stale")
        if not left:
            failures.append("SIGKILL: the killed run left no page file to sweep")
        process = start(program, env, folder, old=left + ["ZODFFFF.TMP.htm"])
        stale = os.path.join(folder, "ZODFFFF.TMP.htm")
        kept = os.path.exists(stale) and open(stale, encoding="latin-1").read() == "stale"
        process.send_signal(signal.SIGTERM)
        process.wait(timeout=30)
        if kept:
            failures.append("SIGKILL: the next start kept a stale file")
    for failure in failures:
        print(failure)
    if not failures:
        print("every signal ended the program cleanly")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
