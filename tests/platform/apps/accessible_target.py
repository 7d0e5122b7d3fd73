#!/usr/bin/python3
"""A small accessible window for the accessibility-tree tests.

Usage: accessible_target.py TITLE PRESS_LOG

Controls, top to bottom: a button "Press Me" that appends "pressed" to
PRESS_LOG, a line edit "Greeting" holding "hello world" whose Enter appends
"submitted" to PRESS_LOG, a read-only line edit holding "fixed", a check box
"Remember", an unnamed box holding a button "Inner", a label "Counter 0", a
password field "Secret" holding "hunter2" and a list "Big List" of 3000 rows
"Row 1" ...
Further windows of the same process: "TITLE - Second" with a button "Second
Button" and a label "Second Label", and two windows both titled "TITLE Twin"
at different places, with a button "Twin A" and "Twin B".
Commands on standard input, one per line:
  rename N      - sets the label's text N times, 20 ms apart, counting on
                  from the last number shown ("Counter 1", "Counter 2" ...)
  rename-now N  - the same N times at once
  rename-second - sets the second window's label to "Second Renamed"
  quit          - closes the windows
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

    def log_line(text):
        with open(press_log, "a", encoding="utf-8") as log:
            log.write(text + "\n")

    def on_press(_button):
        log_line("pressed")

    press = Gtk.Button(label="Press Me")
    press.connect("clicked", on_press)
    column.add(press)

    edit = Gtk.Entry()
    edit.set_text("hello world")
    edit.get_accessible().set_name("Greeting")
    edit.connect("activate", lambda _entry: log_line("submitted"))
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

    secret = Gtk.Entry()
    secret.set_visibility(False)
    secret.set_text("hunter2")
    secret.get_accessible().set_name("Secret")
    column.add(secret)

    rows = Gtk.ListStore(str)
    for number in range(1, 3001):
        rows.append(["Row %d" % number])
    big_list = Gtk.TreeView(model=rows)
    big_list.set_headers_visible(False)
    big_list.append_column(Gtk.TreeViewColumn("Rows", Gtk.CellRendererText(), text=0))
    big_list.get_accessible().set_name("Big List")
    scroller = Gtk.ScrolledWindow()
    scroller.set_size_request(200, 100)
    scroller.add(big_list)
    column.add(scroller)

    window.move(100, 100)
    windows = [window]

    def side_window(window_title, x, controls):
        side = Gtk.Window(title=window_title)
        side.connect("destroy", Gtk.main_quit)
        box = Gtk.Box(orientation=Gtk.Orientation.VERTICAL)
        for control in controls:
            box.add(control)
        side.add(box)
        side.move(x, 600)
        windows.append(side)

    second_label = Gtk.Label(label="Second Label")
    side_window(title + " - Second", 100, [Gtk.Button(label="Second Button"), second_label])
    side_window(title + " Twin", 500, [Gtk.Button(label="Twin A")])
    side_window(title + " Twin", 900, [Gtk.Button(label="Twin B")])

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
        elif words[0] == "rename-now":
            for _ in range(int(words[1])):
                shown[0] += 1
                label.set_text("Counter %d" % shown[0])
        elif words[0] == "rename-second":
            second_label.set_text("Second Renamed")
        return True

    stdin = GLib.IOChannel.unix_new(sys.stdin.fileno())
    GLib.io_add_watch(stdin, GLib.PRIORITY_DEFAULT, GLib.IOCondition.IN | GLib.IOCondition.HUP,
                      on_command)

    for shown_window in windows:
        shown_window.show_all()
    GLib.idle_add(lambda: print("ready", flush=True) and False)
    Gtk.main()


if __name__ == "__main__":
    main()
