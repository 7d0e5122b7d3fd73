#!/usr/bin/python3
"""A small accessible window for the accessibility-tree tests.

Usage: accessible_target.py TITLE PRESS_LOG

Controls, top to bottom: a button "Press Me" that appends "pressed" to
PRESS_LOG, a line edit holding "hello world", a read-only line edit holding
"fixed", a check box "Remember", an unnamed box holding a button "Inner" and
a label "Counter 0".
Commands on standard input, one per line:
  rename N  - sets the label's text N times, 20 ms apart, counting on from
              the last number shown ("Counter 1", "Counter 2" ...)
  quit      - closes the window
"ready" is printed on standard output once the window is shown.
"""
import sys

import gi

gi.require_version("Gtk", "3.0")
from gi.repository import GLib, Gtk  # noqa: E402


def main():
    title, press_log = sys.argv[1], sys.argv[2]
    window = Gtk.Window(title=title)
    window.connect("destroy", Gtk.main_quit)
    column = Gtk.Box(orientation=Gtk.Orientation.VERTICAL, spacing=4)
    window.add(column)

    def on_press(_button):
        with open(press_log, "a", encoding="utf-8") as log:
            log.write("pressed\n")

    press = Gtk.Button(label="Press Me")
    press.connect("clicked", on_press)
    column.add(press)

    edit = Gtk.Entry()
    edit.set_text("hello world")
    edit.get_accessible().set_name("Greeting")
    column.add(edit)

    fixed = Gtk.Entry()
    fixed.set_text("fixed")
    fixed.set_editable(False)
    fixed.get_accessible().set_name("Fixed")
    column.add(fixed)

    column.add(Gtk.CheckButton(label="Remember"))

    inner_box = Gtk.Box()
    inner_box.add(Gtk.Button(label="Inner"))
    column.add(inner_box)

    label = Gtk.Label(label="Counter 0")
    column.add(label)

    shown = [0]

    def rename(remaining):
        shown[0] += 1
        label.set_text("Counter %d" % shown[0])
        if remaining > 1:
            GLib.timeout_add(20, rename, remaining - 1)
        return False

    def on_command(channel, _condition):
        line = channel.readline()
        if not line or line.strip() == "quit":
            Gtk.main_quit()
            return False
        words = line.split()
        if words[0] == "rename":
            rename(int(words[1]))
        return True

    stdin = GLib.IOChannel.unix_new(sys.stdin.fileno())
    GLib.io_add_watch(stdin, GLib.PRIORITY_DEFAULT, GLib.IOCondition.IN | GLib.IOCondition.HUP,
                      on_command)

    window.show_all()
    GLib.idle_add(lambda: print("ready", flush=True) and False)
    Gtk.main()


if __name__ == "__main__":
    main()
