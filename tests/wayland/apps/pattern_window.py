#!/usr/bin/env python3
"""A native Wayland window for the Wayland tests: grey, with a patch of a known
pattern (PATCH_W x PATCH_H at PATCH_X, PATCH_Y) and prints one line per pointer event on standard output:
"ready W H" once drawn, then "enter X Y", "motion X Y", "press B X Y",
"release B X Y" in surface pixels. Usage: pattern_window.py TITLE."""
import os
import sys

os.environ["GDK_BACKEND"] = "wayland"
import gi  # noqa: E402

gi.require_version("Gtk", "3.0")
gi.require_version("Gdk", "3.0")
from gi.repository import Gdk, GLib, Gtk  # noqa: E402
import cairo  # noqa: E402

PATCH_X, PATCH_Y, PATCH_W, PATCH_H = 300, 200, 160, 120


def pattern(width, height):
    """Pixel (x, y) has red (x*7 + y*3) % 256, green (x ^ y) % 256, blue (x*y + 5*y) % 256;
    the same formula as WaylandPattern in the tests."""
    stride = cairo.ImageSurface.format_stride_for_width(cairo.FORMAT_RGB24, width)
    data = bytearray(stride * height)
    for y in range(height):
        row = y * stride
        for x in range(width):
            i = row + 4 * x
            data[i] = (x * y + 5 * y) % 256
            data[i + 1] = (x ^ y) % 256
            data[i + 2] = (x * 7 + y * 3) % 256
    return cairo.ImageSurface.create_for_data(data, cairo.FORMAT_RGB24, width, height, stride)


def say(*words):
    print(*words, flush=True)


class PatternWindow(Gtk.Window):
    def __init__(self, title):
        super().__init__(title=title)
        self.surface = None
        self.announced = False
        area = Gtk.DrawingArea()
        area.add_events(Gdk.EventMask.POINTER_MOTION_MASK | Gdk.EventMask.BUTTON_PRESS_MASK |
                        Gdk.EventMask.BUTTON_RELEASE_MASK | Gdk.EventMask.ENTER_NOTIFY_MASK)
        area.connect("draw", self.on_draw)
        area.connect("enter-notify-event", lambda w, e: say("enter", int(e.x), int(e.y)))
        area.connect("motion-notify-event", lambda w, e: say("motion", int(e.x), int(e.y)))
        area.connect("button-press-event",
                     lambda w, e: say("press", e.button, int(e.x), int(e.y)))
        area.connect("button-release-event",
                     lambda w, e: say("release", e.button, int(e.x), int(e.y)))
        self.add(area)
        self.connect("destroy", Gtk.main_quit)

    def on_draw(self, widget, cr):
        width, height = widget.get_allocated_width(), widget.get_allocated_height()
        if self.surface is None:
            self.surface = pattern(PATCH_W, PATCH_H)
        cr.set_source_rgb(0.5, 0.5, 0.5)
        cr.paint()
        cr.set_source_surface(self.surface, PATCH_X, PATCH_Y)
        cr.paint()
        if not self.announced:
            self.announced = True
            # Announce after the frame is on its way to the compositor.
            GLib.timeout_add(50, lambda: say("ready", width, height) and False)
        return True


def main():
    window = PatternWindow(sys.argv[1] if len(sys.argv) > 1 else "pattern")
    window.show_all()
    Gtk.main()


if __name__ == "__main__":
    main()
