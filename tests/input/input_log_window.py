#!/usr/bin/python3
"""A fullscreen GTK window that logs the input it receives, one line each:
  ready ENTRY_X ENTRY_Y    once it covers the primary monitor; the entry's centre
  text JSON                the entry's whole text after every change
  press|release B X Y      button B (1 left, 2 middle, 3 right) over the area
  scroll up|down|left|right one wheel step over the area
Coordinates are the window's, which are the screen's: its origin is the primary
monitor's corner (the first monitor where there is no primary one)."""
import json
import re
import subprocess
import sys
from collections import namedtuple

import gi

gi.require_version("Gdk", "3.0")
gi.require_version("Gtk", "3.0")
from gi.repository import Gdk, Gtk  # noqa: E402


Geometry = namedtuple("Geometry", "x y width height")


def primary_monitor(display):
    """GDK leaves out RandR monitors without an output of their own (an X screen
    split into monitors), so on X11 xrandr has the last word."""
    if type(display).__name__ == "X11Display":
        listing = subprocess.run(["xrandr", "--listmonitors"], capture_output=True, text=True).stdout
        found = re.search(r"\*\S+ (\d+)/\d+x(\d+)/\d+\+(-?\d+)\+(-?\d+)", listing)
        if found:
            width, height, x, y = map(int, found.groups())
            return Geometry(x, y, width, height)
    monitor = display.get_primary_monitor() or display.get_monitor(0)
    return monitor.get_geometry()


def log(*words):
    print(*words, flush=True)


class LogWindow(Gtk.Window):
    def __init__(self):
        super().__init__(title="Quorvane input test")
        self.monitor = primary_monitor(Gdk.Display.get_default())
        self.ready = False
        self.smooth = [0.0, 0.0]
        box = Gtk.Box(orientation=Gtk.Orientation.VERTICAL)
        self.entry = Gtk.Entry()
        self.entry.connect("changed", lambda e: log("text", json.dumps(e.get_text())))
        self.area = Gtk.EventBox()
        self.area.add_events(Gdk.EventMask.SCROLL_MASK | Gdk.EventMask.SMOOTH_SCROLL_MASK)
        self.area.connect("button-press-event", self.on_button, "press")
        self.area.connect("button-release-event", self.on_button, "release")
        self.area.connect("scroll-event", self.on_scroll)
        box.pack_start(self.entry, False, False, 0)
        box.pack_start(self.area, True, True, 0)
        self.add(box)
        self.connect("size-allocate", self.on_allocate)
        self.connect("destroy", Gtk.main_quit)
        # Without a window manager only an explicit place and size count.
        self.move(self.monitor.x, self.monitor.y)
        self.set_default_size(self.monitor.width, self.monitor.height)
        self.fullscreen()

    def on_allocate(self, _widget, alloc):
        if self.ready or (alloc.width, alloc.height) != (self.monitor.width, self.monitor.height):
            return
        self.ready = True
        entry = self.entry.get_allocation()
        log("ready", entry.x + entry.width // 2, entry.y + entry.height // 2)
        self.entry.grab_focus()

    def on_button(self, _widget, event, what):
        if event.type != Gdk.EventType.BUTTON_PRESS and what == "press":
            return True  # the second and third press of a double click repeat the first
        origin = self.area.get_allocation()
        log(what, event.button, int(event.x) + origin.x, int(event.y) + origin.y)
        return True

    def on_scroll(self, _widget, event):
        names = {Gdk.ScrollDirection.UP: "up", Gdk.ScrollDirection.DOWN: "down",
                 Gdk.ScrollDirection.LEFT: "left", Gdk.ScrollDirection.RIGHT: "right"}
        if event.direction in names:
            log("scroll", names[event.direction])
            return True
        ok, dx, dy = event.get_scroll_deltas()
        self.smooth[0] += dx
        self.smooth[1] += dy
        for axis, (neg, pos) in enumerate((("left", "right"), ("up", "down"))):
            while abs(self.smooth[axis]) >= 1:
                step = 1 if self.smooth[axis] > 0 else -1
                log("scroll", pos if step > 0 else neg)
                self.smooth[axis] -= step
        return True


if __name__ == "__main__":
    LogWindow().show_all()
    Gtk.main()
    sys.exit(0)
