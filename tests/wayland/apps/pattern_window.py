#!/usr/bin/env python3
"""A native Wayland window for the Wayland tests: grey, with a patch of a known
pattern (PATCH_W x PATCH_H at PATCH_X, PATCH_Y) and prints one line per pointer event on standard output:
"ready W H" once drawn, then "enter X Y", "motion X Y", "press B X Y",
"release B X Y" in surface pixels. A line "fill RRGGBB" on standard input paints the
square FILL_SIZE x FILL_SIZE at FILL_X, FILL_Y in that colour; once the compositor has
presented the frame showing it (its frame callback), "shown RRGGBB" is printed.
Its application id is APP_ID. It is a Wayland client unless GDK_BACKEND says
otherwise. Usage: pattern_window.py TITLE [fullscreen [MONITOR]];
pattern_window.py --patch FILE writes the patch as a 32-bit PNG (searches refuse the
24-bit ones cairo writes)."""
import os
import sys

os.environ.setdefault("GDK_BACKEND", "wayland")
import gi  # noqa: E402

gi.require_version("Gtk", "3.0")
gi.require_version("Gdk", "3.0")
gi.require_version("GdkPixbuf", "2.0")
from gi.repository import Gdk, GdkPixbuf, GLib, Gtk  # noqa: E402
import cairo  # noqa: E402

PATCH_X, PATCH_Y, PATCH_W, PATCH_H = 300, 200, 160, 120
FILL_X, FILL_Y, FILL_SIZE = 20, 20, 64
APP_ID = "quorvane-pattern"  # kPatternAppId in the tests


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
        self.set_default_size(640, 480)  # where nothing tiles or fills the screen
        self.surface = None
        self.announced = False
        self.fill = None  # the square's colour as "RRGGBB"
        self.drawn = None  # painted, not yet committed
        self.committed = None  # (colour, frame counter) committed, not yet presented
        area = Gtk.DrawingArea()
        self.area = area
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
        self.connect("realize", self.on_realize)
        GLib.io_add_watch(sys.stdin, GLib.IO_IN | GLib.IO_HUP, self.on_input)

    def on_realize(self, widget):
        self.get_frame_clock().connect("after-paint", self.on_after_paint)

    def on_input(self, source, condition):
        line = sys.stdin.readline()
        if not line:
            return False  # no more requests (e.g. input is /dev/null)
        words = line.split()
        if len(words) == 2 and words[0] == "fill":
            self.fill = words[1]
            self.area.queue_draw()
        return True

    def on_after_paint(self, clock):
        # This frame went to the compositor with the new colour; it is shown
        # once its timings are complete (frame callback or presentation).
        if self.drawn is not None:
            self.committed = (self.drawn, clock.get_frame_counter())
            self.drawn = None
            self.add_tick_callback(self.on_tick)

    def on_tick(self, widget, clock):
        if self.committed is None:
            return GLib.SOURCE_REMOVE
        colour, counter = self.committed
        timings = clock.get_timings(counter)
        if timings is None or timings.get_complete():
            say("shown", colour)
            self.committed = None
            return GLib.SOURCE_REMOVE
        return GLib.SOURCE_CONTINUE

    def on_draw(self, widget, cr):
        width, height = widget.get_allocated_width(), widget.get_allocated_height()
        if self.surface is None:
            self.surface = pattern(PATCH_W, PATCH_H)
        cr.set_source_rgb(0.5, 0.5, 0.5)
        cr.paint()
        cr.set_source_surface(self.surface, PATCH_X, PATCH_Y)
        cr.paint()
        if self.fill is not None:
            rgb = int(self.fill, 16)
            cr.set_source_rgb((rgb >> 16) / 255, ((rgb >> 8) & 255) / 255, (rgb & 255) / 255)
            cr.rectangle(FILL_X, FILL_Y, FILL_SIZE, FILL_SIZE)
            cr.fill()
            self.drawn = self.fill
        if not self.announced:
            self.announced = True
            # Announce after the frame is on its way to the compositor.
            GLib.timeout_add(50, lambda: say("ready", width, height) and False)
        return True


def write_patch(path):
    surface = pattern(PATCH_W, PATCH_H)
    data, stride = surface.get_data(), surface.get_stride()
    rgba = bytearray()
    for y in range(PATCH_H):
        for x in range(PATCH_W):
            b, g, r = data[y * stride + 4 * x:y * stride + 4 * x + 3]
            rgba += bytes((r, g, b, 255))
    GdkPixbuf.Pixbuf.new_from_bytes(GLib.Bytes.new(bytes(rgba)), GdkPixbuf.Colorspace.RGB, True,
                                    8, PATCH_W, PATCH_H, 4 * PATCH_W).savev(path, "png", [], [])


def main():
    if sys.argv[1:2] == ["--patch"]:
        write_patch(sys.argv[2])
        return
    GLib.set_prgname(APP_ID)
    window = PatternWindow(sys.argv[1] if len(sys.argv) > 1 else "pattern")
    if sys.argv[2:3] == ["fullscreen"]:  # where windows float, as on GNOME and KDE
        if len(sys.argv) > 3:
            window.fullscreen_on_monitor(window.get_screen(), int(sys.argv[3]))
        else:
            window.fullscreen()
    window.show_all()
    Gtk.main()


if __name__ == "__main__":
    main()
