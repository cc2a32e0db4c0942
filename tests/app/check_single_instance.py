#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-2.0-or-later
"""The real program, twice, on one session bus: the second start hands its word to the first and
ends with status 0, the first keeps running and shows it. Run inside dbus-run-session."""

import os
import subprocess
import sys
import tempfile
import time


def has_owner(name):
    reply = subprocess.run(
        ["dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus", "/org/freedesktop/DBus",
         "org.freedesktop.DBus.NameHasOwner", "string:" + name],
        capture_output=True, text=True, check=False)
    return "boolean true" in reply.stdout


def zod_files(folder):
    return sorted(n for n in os.listdir(folder) if n.startswith("ZOD")) if os.path.isdir(folder) else []


def main():
    program = sys.argv[1]
    with tempfile.TemporaryDirectory() as home:
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen", HOME=home, TMPDIR=home,
                   XDG_CONFIG_HOME=os.path.join(home, "config"), XDG_DATA_HOME=os.path.join(home, "share"))
        env.pop("XDG_RUNTIME_DIR", None)
        folder = os.path.join(home, "lekstar-%d" % os.getuid())
        first = subprocess.Popen([program, "house"], env=env)
        try:
            deadline = time.monotonic() + 30
            while not (has_owner("lt.lekstar.Lekstar") and zod_files(folder)):
                if first.poll() is not None or time.monotonic() > deadline:
                    print("the first start did not come up (status %s)" % first.poll())
                    return 1
                time.sleep(0.1)
            # The first translated its word: a page file is there.
            pages = [n for n in zod_files(folder) if n.endswith(".htm")]
            second = subprocess.run([program, "cat"], env=env, timeout=30, check=False)
            if second.returncode != 0:
                print("the second start ended with status %d" % second.returncode)
                return 1
            if first.poll() is not None:
                print("the first start ended with the second")
                return 1
            # The second's word was shown by the first in a page of its own, which the second's
            # end did not sweep away.
            deadline = time.monotonic() + 10
            while True:
                now = [n for n in zod_files(folder) if n.endswith(".htm")]
                if now and now != pages:
                    break
                if time.monotonic() > deadline:
                    print("the first start did not show the second one's word: %s" % now)
                    return 1
                time.sleep(0.1)
        finally:
            first.kill()
            first.wait()
        # A start for another program without a bus says so on standard error and ends at once,
        # with no box that would wait for a click.
        env["DBUS_SESSION_BUS_ADDRESS"] = "unix:path=" + os.path.join(home, "no-bus")
        try:
            lone = subprocess.run([program, "-Embedding"], env=env, timeout=20, check=False,
                                  stderr=subprocess.PIPE, text=True)
        except subprocess.TimeoutExpired:
            print("a start for automation without a bus waited")
            return 1
        if lone.returncode != 1 or "lekstar: OLE initialization failed." not in lone.stderr:
            print("a start for automation without a bus: status %d, %r" % (lone.returncode, lone.stderr))
            return 1
    print("one window")
    return 0


if __name__ == "__main__":
    sys.exit(main())
