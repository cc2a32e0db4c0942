#!/usr/bin/python3
# SPDX-License-Identifier: GPL-2.0-or-later
"""What a keystroke costs the real program on the X11 platform.

Starts a private Xvfb, runs the desktop program from a folder of its own (the program, its
pages, the dictionary given, private settings and temporary files), types words into the entry
box through XTest as a keyboard would, and reads the process's CPU time (all threads, from
/proc/PID/task/*/schedstat, nanoseconds; a thread that ends between two reads counts with what it
had used when last read) around each step:

  start       from exec until the process has been idle for a while, and its RSS then
  first key   the first letter typed after the start, until the process is idle again
  later keys  100 words of the dictionary typed letter by letter and erased with Backspace,
              a key every --delay ms, --rounds times; CPU per key with the idle CPU of as long
              a pause taken off, the least and the median of the rounds (a virtual machine's
              accounting varies by tens of per cent between runs)

    /usr/bin/python3 bench/gui_keys_xvfb.py --program build/lekstar --dict build/LEKSTAR.dic
    /usr/bin/python3 bench/gui_keys_xvfb.py --program build/lekstar --dict build/bench/generated-1m.dic

Needs Xvfb and python3-xlib (scripts/setup-deps installs both).
"""

import argparse
import glob
import os
import random
import shutil
import subprocess
import sys
import tempfile
import time

from Xlib import X, XK, display as xdisplay
from Xlib.ext import xtest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'tests', 'tools'))
import refdict  # noqa: E402  (the independent reader of the file, for the words to type)


# The last CPU time read of each thread: a thread that has ended (the word forms' loader) keeps
# counting with what it had used when last seen, so that its work is not lost from the total.
_threads = {}


def cpu_ns(pid):
    for path in glob.glob('/proc/%d/task/*/schedstat' % pid):
        try:
            with open(path) as f:
                _threads[path] = int(f.read().split()[0])
        except (OSError, ValueError, IndexError):
            pass  # a thread that ended meanwhile
    prefix = '/proc/%d/' % pid
    return sum(used for path, used in _threads.items() if path.startswith(prefix))


def rss_kib(pid):
    with open('/proc/%d/status' % pid) as f:
        for line in f:
            if line.startswith('VmRSS:'):
                return int(line.split()[1])
    return 0


def wait_idle(pid, quiet=0.3, limit=30.0):
    """Waits until the process used no CPU for `quiet` seconds; its CPU time then."""
    end = time.monotonic() + limit
    last = cpu_ns(pid)
    since = time.monotonic()
    while time.monotonic() < end:
        time.sleep(0.02)
        now = cpu_ns(pid)
        if now != last:
            last, since = now, time.monotonic()
        elif time.monotonic() - since >= quiet:
            return now
    return last


def start_xvfb():
    read, write = os.pipe()
    server = subprocess.Popen(['Xvfb', '-displayfd', str(write), '-screen', '0', '1280x1024x24',
                               '-nolisten', 'tcp'], pass_fds=(write,), stderr=subprocess.DEVNULL)
    os.close(write)
    number = b''
    while not number.endswith(b'\n'):
        chunk = os.read(read, 16)
        if not chunk:
            raise RuntimeError('Xvfb did not start')
        number += chunk
    os.close(read)
    return server, ':' + number.decode().strip()


def words_of(dictionary, count, seed):
    with open(dictionary, 'rb') as f:
        d = refdict.DictFile(f.read())
    rng = random.Random(seed)
    articles = d.list_count(0)
    words = []
    while len(words) < count:
        text = d.main_text(rng.randrange(articles))[1] or b''
        word = bytes(c for c in text.lower() if ord('a') <= c <= ord('z')).decode()
        if word:
            words.append(word)
    return words


def find_window(dpy, pid, limit=30.0):
    atom = dpy.intern_atom('_NET_WM_PID')
    end = time.monotonic() + limit
    while time.monotonic() < end:
        for w in dpy.screen().root.query_tree().children:
            try:
                prop = w.get_full_property(atom, X.AnyPropertyType)
                if prop and prop.value[0] == pid and w.get_attributes().map_state == X.IsViewable:
                    return w
            except Exception:  # a window that went meanwhile (the splash)
                continue
        time.sleep(0.05)
    raise RuntimeError('the window did not appear')


def press(dpy, keysym):
    code = dpy.keysym_to_keycode(keysym)
    xtest.fake_input(dpy, X.KeyPress, code)
    xtest.fake_input(dpy, X.KeyRelease, code)
    dpy.sync()


def run(args):
    server, name = start_xvfb()
    folder = tempfile.mkdtemp(prefix='lekstar-gui-keys-')
    program = None
    try:
        source = os.path.dirname(os.path.abspath(args.program))
        shutil.copy(args.program, os.path.join(folder, 'lekstar'))
        shutil.copytree(os.path.join(source, 'HTM'), os.path.join(folder, 'HTM'))
        os.symlink(os.path.abspath(args.dict), os.path.join(folder, 'LEKSTAR.dic'))
        env = dict(os.environ, DISPLAY=name, QT_QPA_PLATFORM='xcb', HOME=os.path.join(folder, 'home'),
                   XDG_CONFIG_HOME=os.path.join(folder, 'config'), TMPDIR=folder,
                   XDG_RUNTIME_DIR=folder, DBUS_SESSION_BUS_ADDRESS='unix:path=' + folder + '/no-bus')
        words = words_of(args.dict, args.words, args.seed)
        dpy = xdisplay.Display(name)
        program = subprocess.Popen([os.path.join(folder, 'lekstar')], env=env,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        window = find_window(dpy, program.pid)
        started = wait_idle(program.pid, quiet=1.0)
        rss = rss_kib(program.pid)
        window.set_input_focus(X.RevertToParent, X.CurrentTime)
        dpy.sync()
        before = wait_idle(program.pid)

        press(dpy, XK.string_to_keysym('a'))
        first = wait_idle(program.pid) - before
        press(dpy, XK.XK_BackSpace)
        second = wait_idle(program.pid)
        press(dpy, XK.string_to_keysym('b'))
        later_single = wait_idle(program.pid) - second
        press(dpy, XK.XK_BackSpace)

        # The idle cost of as long a pause, to take off the typing's total.
        keys = sum(2 * len(w) for w in words)
        idle_start = wait_idle(program.pid)
        t0 = time.monotonic()
        time.sleep(min(keys * args.delay / 1000.0, 5.0))
        idle_rate = (cpu_ns(program.pid) - idle_start) / (time.monotonic() - t0)

        attached = None
        if args.attach:
            # A profiler for the typing only: "perf record -g -p {pid} -o /tmp/keys.data".
            attached = subprocess.Popen(args.attach.replace('{pid}', str(program.pid)), shell=True)
            time.sleep(1.0)
        rounds = []
        for _ in range(args.rounds):
            t0 = time.monotonic()
            typing_start = cpu_ns(program.pid)
            for w in words:
                for c in w:
                    press(dpy, XK.string_to_keysym(c))
                    time.sleep(args.delay / 1000.0)
                for _ in w:
                    press(dpy, XK.XK_BackSpace)
                    time.sleep(args.delay / 1000.0)
            typed = wait_idle(program.pid) - typing_start
            rounds.append((typed - idle_rate * (time.monotonic() - t0)) / keys)
        rounds.sort()
        if attached is not None:
            attached.send_signal(2)
            attached.wait()
        if args.shot:
            # The window with a word typed, for the eye: python3-pil writes it.
            from PIL import Image
            for c in words[0]:
                press(dpy, XK.string_to_keysym(c))
            wait_idle(program.pid)
            geometry = window.get_geometry()
            raw = window.get_image(0, 0, geometry.width, geometry.height, X.ZPixmap, 0xFFFFFFFF)
            Image.frombytes('RGB', (geometry.width, geometry.height), raw.data, 'raw', 'BGRX').save(args.shot)
        print('%s: start %.1f ms CPU, RSS %.1f MiB; first key %.2f ms, a single later key %.2f ms; '
              '%d keys typed %d times: %.3f ms per key (least), %.3f ms (median)'
              % (os.path.basename(args.dict), started / 1e6, rss / 1024.0, first / 1e6, later_single / 1e6,
                 keys, len(rounds), rounds[0] / 1e6, rounds[len(rounds) // 2] / 1e6))
    finally:
        if program is not None:
            program.terminate()
            try:
                program.wait(timeout=10)
            except subprocess.TimeoutExpired:
                program.kill()
        server.terminate()
        server.wait()
        shutil.rmtree(folder, ignore_errors=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split('\n\n')[0])
    parser.add_argument('--program', default='build/lekstar')
    parser.add_argument('--dict', default='build/LEKSTAR.dic')
    parser.add_argument('--words', type=int, default=100)
    parser.add_argument('--delay', type=float, default=15.0, help='ms between keys')
    parser.add_argument('--seed', type=int, default=1437)
    parser.add_argument('--rounds', type=int, default=3, help='times the words are typed')
    parser.add_argument('--shot', help='a PNG of the window after the typing')
    parser.add_argument('--attach', help='a command run during the typing, {pid} the program\'s')
    run(parser.parse_args())


if __name__ == '__main__':
    main()
