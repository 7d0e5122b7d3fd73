#!/usr/bin/env python3
"""Drives the desktop over AT-SPI for the desktop suites, as a user would.
  accept SECONDS    waits for the GNOME portal's screen access dialog, selects
                    every monitor, ticks "Allow remote interaction", presses Share
  decline SECONDS   waits for that dialog and presses Cancel
  absent SECONDS    watches for SECONDS that no such dialog shows (one that does
                    is cancelled, so that it does not stay open)
  shown APP SECONDS waits until a window of the application APP is showing
  text APP REGEX SECONDS  waits until the name or text of a node of APP matches
Prints what it did; exits 0 when that was what the mode wanted, else 1."""
import re
import sys
import time

import warnings

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

warnings.filterwarnings("ignore", category=DeprecationWarning)

PORTAL_APP = "xdg-desktop-portal-gnome"
TITLES = ("Remote desktop", "Screen Share")


def nodes(node, depth=0):
    yield node
    if depth < 40:
        for i in range(node.get_child_count()):
            child = node.get_child_at_index(i)
            if child is not None:
                yield from nodes(child, depth + 1)


def dialog():
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is None or app.get_name() != PORTAL_APP:
            continue
        for j in range(app.get_child_count()):
            frame = app.get_child_at_index(j)
            if frame is not None and frame.get_role() == Atspi.Role.FRAME and \
                    frame.get_name() in TITLES:
                return frame
    return None


def poll(find, seconds):
    """find()'s first answer that is not None, asked until SECONDS pass."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        try:
            found = find()
        except gi.repository.GLib.Error:
            found = None  # the tree changed under the walk
        if found is not None:
            return found
        time.sleep(0.2)
    return None


def applications(name):
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is not None and app.get_name() == name:
            yield app


def showing_window(name):
    for app in applications(name):
        for i in range(app.get_child_count()):
            window = app.get_child_at_index(i)
            if window is not None and \
                    window.get_state_set().contains(Atspi.StateType.SHOWING):
                return window
    return None


def node_with_text(name, text):
    for app in applications(name):
        for node in nodes(app):
            words = node.get_name() or ""
            shown = node.get_text_iface()
            if shown is not None:
                words += " " + (shown.get_text(0, -1) or "")
            if re.search(text, words):
                return words
    return None


def press(frame, label):
    """Presses the button once it is there (the dialog fills in after it shows)."""
    deadline = time.monotonic() + 10
    while True:
        buttons = [node for node in nodes(frame) if node.get_role() == Atspi.Role.PUSH_BUTTON]
        for node in buttons:
            if node.get_name().endswith(label):  # "_Share Share"
                node.get_action_iface().do_action(0)
                print("pressed", label, flush=True)
                return True
        if time.monotonic() > deadline:
            print("no button", label, "among", [b.get_name() for b in buttons], flush=True)
            return False
        time.sleep(0.2)


def accept(frame):
    for node in nodes(frame):
        role, name = node.get_role(), node.get_name()
        if role == Atspi.Role.LIST:
            selection = node.get_selection_iface()
            rows = node.get_child_count()
            if selection and rows and node.get_child_at_index(0).get_name() != \
                    "Allow remote interaction":
                for i in range(rows):
                    selection.select_child(i)
        elif role == Atspi.Role.CHECK_BOX and name == "Allow remote interaction":
            if not node.get_state_set().contains(Atspi.StateType.CHECKED):
                node.get_action_iface().do_action(0)
    return press(frame, "Share")


def main():
    mode = sys.argv[1]
    if mode == "shown":
        window = poll(lambda: showing_window(sys.argv[2]), float(sys.argv[3]))
        print("shown" if window else "no window", flush=True)
        return 0 if window else 1
    if mode == "text":
        words = poll(lambda: node_with_text(sys.argv[2], sys.argv[3]), float(sys.argv[4]))
        print(words if words else "no such text", flush=True)
        return 0 if words else 1
    frame = poll(dialog, float(sys.argv[2]))
    if mode == "absent":
        if frame is None:
            print("no dialog", flush=True)
            return 0
        print("a dialog showed:", frame.get_name(), flush=True)
        press(frame, "Cancel")
        return 1
    if frame is None:
        print("no dialog", flush=True)
        return 1
    return 0 if (accept(frame) if mode == "accept" else press(frame, "Cancel")) else 1


if __name__ == "__main__":
    sys.exit(main())
