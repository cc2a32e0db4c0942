#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-2.0-or-later
"""The real program ended by the signals of a session's end: SIGTERM and SIGHUP close it as the
close box does (settings written, no page file left, status 0); after SIGKILL the next start
sweeps the files left. Run inside dbus-run-session."""

import os
import shutil
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
        # A signal the program was started ignoring stays ignored ("nohup lekstar &").
        process = subprocess.Popen([program], env=env,
                                   preexec_fn=lambda: signal.signal(signal.SIGHUP, signal.SIG_IGN))
        time.sleep(0.5)
        while process.poll() is None and not zod_files(folder):
            time.sleep(0.05)
        process.send_signal(signal.SIGHUP)
        time.sleep(0.5)
        if process.poll() is not None:
            failures.append("nohup: an ignored SIGHUP ended the program")
        process.send_signal(signal.SIGTERM)
        process.wait(timeout=30)
        # A message box open (the dictionary vanished under the window): SIGTERM still ends the
        # program within a second or two, and no page file is left.
        app = os.path.join(home, "app")
        os.makedirs(app, exist_ok=True)
        shutil.copy(program, app)
        build = os.path.dirname(program)
        shutil.copy(os.path.join(build, "LEKSTAR.dic"), app)
        shutil.copytree(os.path.join(build, "HTM"), os.path.join(app, "HTM"), dirs_exist_ok=True)
        process = start(os.path.join(app, os.path.basename(program)), env, folder)
        os.truncate(os.path.join(app, "LEKSTAR.dic"), 1000)
        # A word handed over by a second start makes the window read the file and find it gone.
        subprocess.run([os.path.join(app, os.path.basename(program)), "table"], env=env, timeout=30, check=False)
        time.sleep(1)
        if process.poll() is not None:
            failures.append("vanished: the program ended before its message (status %d)" % process.returncode)
        # Calls while the message is up: answered that the window has gone, and no page written.
        for word in ("house", "table"):
            call = subprocess.run(["dbus-send", "--session", "--print-reply", "--reply-timeout=5000",
                                   "--dest=LEKSTAR.Application", "/LEKSTAR/Application",
                                   "LEKSTAR.IZodynas.Translate", "string:" + word],
                                  env=env, capture_output=True, text=True, timeout=30, check=False)
            if "LEKSTAR.Error.NoWindow" not in call.stderr:
                failures.append("vanished: a call was answered %r %r" % (call.stdout, call.stderr))
        process.send_signal(signal.SIGTERM)
        try:
            process.wait(timeout=3)
        except subprocess.TimeoutExpired:
            failures.append("vanished: SIGTERM with the message box open did not end the program")
            process.kill()
            process.wait()
        if zod_files(folder):
            failures.append("vanished: files left: %s" % zod_files(folder))
    for failure in failures:
        print(failure)
    if not failures:
        print("every signal ended the program cleanly")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
