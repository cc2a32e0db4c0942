#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-2.0-or-later
"""What a screen reader gets over AT-SPI from the real program on an X display: the main window
as a frame named by its caption, the always-on-top and history buttons as checkable buttons
whose checked state follows a press, and the page as a document whose links are links that can be
pressed. Run inside xvfb-run and dbus-run-session; exits 77 (skipped) where the machine has no
accessibility bus."""

import os
import subprocess
import sys
import tempfile
import time

try:
    import dbus
except ImportError:
    dbus = None

LAUNCHER = "/usr/libexec/at-spi-bus-launcher"
ACCESSIBLE = "org.a11y.atspi.Accessible"
STATE_CHECKED = 4


class Node:
    """One accessible object of the program on the accessibility bus."""

    def __init__(self, bus, name, path):
        self.bus, self.name, self.path = bus, name, path
        self.obj = bus.get_object(name, path, introspect=False)

    def call(self, interface, method, *args):
        return getattr(dbus.Interface(self.obj, interface), method)(*args)

    def prop(self, key):
        return self.call("org.freedesktop.DBus.Properties", "Get", ACCESSIBLE, key)

    def role(self):
        return str(self.call(ACCESSIBLE, "GetRoleName"))

    def label(self):
        return str(self.prop("Name"))

    def states(self):
        low, high = self.call(ACCESSIBLE, "GetState")
        return {bit for bit in range(64) if (int(low) | int(high) << 32) >> bit & 1}

    def children(self):
        return [Node(self.bus, str(n), p) for n, p in self.call(ACCESSIBLE, "GetChildren")]

    def walk(self):
        """This object and those under it, but for the rows of the lists (a whole dictionary)."""
        yield self
        if self.role() != "list":
            for child in self.children():
                yield from child.walk()


def application(bus, pid, limit=30.0):
    """The program's root on the bus, once it has registered and shows its window."""
    registry = Node(bus, "org.a11y.atspi.Registry", "/org/a11y/atspi/accessible/root")
    deadline = time.monotonic() + limit
    while time.monotonic() < deadline:
        for app in registry.children():
            try:
                owner = bus.get_object("org.freedesktop.DBus", "/org/freedesktop/DBus")
                if int(dbus.Interface(owner, "org.freedesktop.DBus").GetConnectionUnixProcessID(app.name)) == pid \
                        and app.children():
                    return app
            except dbus.DBusException:
                pass
        time.sleep(0.2)
    return None


def check(app):
    nodes = list(app.walk())
    failures = []
    frames = [n for n in nodes if n.role() == "frame"]
    if [n.label() for n in frames] != ["LEKSTAR"]:
        failures.append("frames: %s" % [(n.role(), n.label()) for n in frames])
    # Qt offers a checkable button as a check box: a name, a checked state and a press.
    toggles = {n.label(): n for n in nodes if n.role() == "check box"}
    if sorted(toggles) != ["Praeitis", "Visada viršuje"]:
        failures.append("toggle buttons: %s" % sorted(toggles))
    for name, button in toggles.items():
        before = STATE_CHECKED in button.states()
        button.call("org.a11y.atspi.Action", "DoAction", 0)
        time.sleep(0.5)
        if (STATE_CHECKED in button.states()) == before:
            failures.append("%s: the checked state did not follow a press" % name)
    documents = [n for n in nodes if n.role() == "document"]
    links = [c for d in documents for c in d.children()]
    names = [link.label() for link in links if link.role() == "link"]
    if [d.label() for d in documents] != ["Vertimas"] or "home" not in names or len(names) != len(links):
        failures.append("document %s, links %s" % ([d.label() for d in documents],
                                                   [(c.role(), c.label()) for c in links]))
    for link in links:
        if int(link.call("org.a11y.atspi.Action", "GetNActions")) < 1:
            failures.append("link %s: no action" % link.label())
    return failures, names


def main():
    if dbus is None or not os.path.exists(LAUNCHER):
        print("no accessibility bus on this machine")
        return 77
    program = sys.argv[1]
    session = dbus.SessionBus()
    address = str(dbus.Interface(session.get_object("org.a11y.Bus", "/org/a11y/bus"), "org.a11y.Bus").GetAddress())
    bus = dbus.bus.BusConnection(address)
    # The registry is up before the program starts, or the program would find no one to tell.
    Node(bus, "org.a11y.atspi.Registry", "/org/a11y/atspi/accessible/root").children()
    with tempfile.TemporaryDirectory() as home:
        env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", HOME=home,
                   TMPDIR=home, XDG_CONFIG_HOME=os.path.join(home, "config"),
                   XDG_DATA_HOME=os.path.join(home, "share"))
        env.pop("XDG_RUNTIME_DIR", None)
        shown = subprocess.Popen([program, "house"], env=env)
        try:
            app = application(bus, shown.pid)
            if app is None:
                print("the program did not register with the accessibility bus")
                return 1
            time.sleep(1.0)
            failures, names = check(app)
        finally:
            shown.kill()
            shown.wait()
    for failure in failures:
        print(failure)
    if not failures:
        print("links: %s" % names)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
