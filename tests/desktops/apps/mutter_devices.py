#!/usr/bin/env python3
"""Keeps a session of mutter's own RemoteDesktop API (no portal, no dialog) open
so that the headless seat has a pointer and a keyboard, as a desktop with its
own devices has: without them, the first pointer event of a fresh portal
session is often lost, and windows get no keys at all (the seat offers them
no keyboard). Prints "ready", then runs until ended."""
import gi

gi.require_version("Gio", "2.0")
from gi.repository import Gio, GLib  # noqa: E402

NAME, PATH = "org.gnome.Mutter.RemoteDesktop", "/org/gnome/Mutter/RemoteDesktop"
SESSION = NAME + ".Session"
TIMEOUT_MS = 10000

bus = Gio.bus_get_sync(Gio.BusType.SESSION)
session = bus.call_sync(NAME, PATH, NAME, "CreateSession", None, GLib.VariantType("(o)"), 0,
                        TIMEOUT_MS, None).unpack()[0]
bus.call_sync(NAME, session, SESSION, "Start", None, None, 0, TIMEOUT_MS, None)
bus.call_sync(NAME, session, SESSION, "NotifyPointerMotionRelative",
              GLib.Variant("(dd)", (0.0, 0.0)), None, 0, TIMEOUT_MS, None)
for state in (True, False):  # Shift, which types nothing
    bus.call_sync(NAME, session, SESSION, "NotifyKeyboardKeycode", GLib.Variant("(ub)", (42, state)),
                  None, 0, TIMEOUT_MS, None)
print("ready", flush=True)
GLib.MainLoop().run()
