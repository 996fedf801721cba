# SPDX-FileCopyrightText: 2026 The lumo3 authors
# SPDX-License-Identifier: GPL-3.0-or-later
"""What the program shows, as the accessibility interface (AT-SPI) tells it.

Import this only inside the test's own D-Bus session: pyatspi connects to
the accessibility bus when it is imported.
"""

import time

import pyatspi
from gi.repository import Atspi, GLib


class Node:
    """One accessible object as it was when the tree was read."""

    __slots__ = ("role", "name", "description", "window", "showing", "enabled", "focused", "text", "ref")

    def __init__(self, acc, window):
        self.ref = acc
        self.role = acc.getRoleName()
        self.name = acc.name or ""
        # Controls with a spoken name of their own (slots, counters) tell
        # what they show as their description.
        self.description = acc.description or ""
        self.window = window
        states = acc.getState()
        self.showing = states.contains(pyatspi.STATE_SHOWING)
        self.enabled = states.contains(pyatspi.STATE_ENABLED)
        self.focused = states.contains(pyatspi.STATE_FOCUSED)
        self.text = None
        if self.role == "text":
            try:
                self.text = acc.queryText().getText(0, -1)
            except NotImplementedError:
                pass

    def __repr__(self):
        flags = ("showing" if self.showing else "hidden") + ("" if self.enabled else ", disabled")
        return f"{self.role} {self.name!r} ({flags})"


class Snapshot:
    """The whole tree of the program at one moment."""

    def __init__(self, nodes, windows):
        self.nodes = nodes
        self.windows = windows  # top-level windows: (role, name), in order

    def in_window(self, window):
        return [n for n in self.nodes if n.window == window]

    def find(self, role, name, window=None):
        for n in self.nodes:
            if n.role == role and n.name == name and (window is None or n.window == window):
                return n
        return None

    def showing_labels(self, window):
        return [n.name for n in self.in_window(window) if n.role == "label" and n.showing]

    def has_window(self, name):
        return any(w_name == name for _, w_name in self.windows)


class Program:
    """The program's accessible tree, read afresh on every look."""

    def __init__(self, app_name, timeout=20):
        deadline = time.monotonic() + timeout
        self.app = None
        while self.app is None:
            desktop = pyatspi.Registry.getDesktop(0)
            for i in range(desktop.childCount):
                child = desktop.getChildAtIndex(i)
                if child is not None and child.name == app_name:
                    self.app = child
                    break
            if self.app is None:
                if time.monotonic() > deadline:
                    raise TimeoutError(f"{app_name} did not appear on the accessibility bus")
                time.sleep(0.2)
        # What the program shows changes under us; never answer from a cache.
        self.app.set_cache_mask(Atspi.Cache.NONE)

    def look(self):
        nodes, windows = [], []
        try:
            self.app.clear_cache()
            for i in range(self.app.childCount):
                top = self.app.getChildAtIndex(i)
                # A closed screen's window is kept, hidden, for its next
                # opening: only the windows on the screen count.
                if top is None or not top.getState().contains(pyatspi.STATE_SHOWING):
                    continue
                windows.append((top.getRoleName(), top.name or ""))
                self._walk(top, top.name or "", nodes)
        except Exception:  # noqa: BLE001 - the program is ending; its exit code tells
            pass
        return Snapshot(nodes, windows)

    def _walk(self, acc, window, nodes):
        try:
            nodes.append(Node(acc, window))
            for i in range(acc.childCount):
                child = acc.getChildAtIndex(i)
                if child is not None:
                    self._walk(child, window, nodes)
        except Exception:  # noqa: BLE001 - a control that vanished while being read
            pass


class Voice:
    """What the program tells a screen reader as it happens: the names of
    the notifications it shows, in order, as Orca hears them appear."""

    def __init__(self):
        self.heard = []
        pyatspi.Registry.registerEventListener(self._shown, "object:state-changed:showing")

    def _shown(self, event):
        try:
            if event.detail1 == 1 and event.source.getRoleName() == "notification":
                self.heard.append(event.source.name or "")
        except Exception:  # noqa: BLE001 - a notice of a window that has gone
            pass

    def listen(self):
        """Takes in the events that have arrived; call it while waiting."""
        context = GLib.MainContext.default()
        while context.pending():
            context.iteration(False)
