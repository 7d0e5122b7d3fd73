#!/usr/bin/env python3
"""Input of the test's own, through a RemoteDesktop session of the desktop
portal (pointer and keyboard).
  keys CODES       presses the evdev key codes (e.g. 29,42,67 for
                   Ctrl+Shift+F9) in order, then releases them in reverse
  wiggle SECONDS   moves the pointer to 100,100 on the first stream, then to
                   and fro by relative motions
Only wiggle casts a stream: Plasma 5.27 puts the absolute motions of every
session on the monitor of the stream started last.
Exits 0 once done, 1 when the portal did not give a session."""
import os
import sys
import time

import gi

gi.require_version("Gio", "2.0")
from gi.repository import Gio, GLib  # noqa: E402

DEST, PATH = "org.freedesktop.portal.Desktop", "/org/freedesktop/portal/desktop"
RD, SC = "org.freedesktop.portal.RemoteDesktop", "org.freedesktop.portal.ScreenCast"
TIMEOUT_MS = 10000
BUS = Gio.bus_get_sync(Gio.BusType.SESSION)
SENDER = BUS.get_unique_name()[1:].replace(".", "_")
serial = [0]


def request(iface, method, params_fmt, params, options):
    """Calls a method that answers through a Request; returns (code, results)."""
    serial[0] += 1
    token = "qrvtest%d_%d" % (os.getpid(), serial[0])
    options = dict(options, handle_token=GLib.Variant("s", token))
    path = "/org/freedesktop/portal/desktop/request/%s/%s" % (SENDER, token)
    answer = {}
    loop = GLib.MainLoop()

    def on_response(conn, sender, path_, iface_, signal, p):
        answer["code"], answer["results"] = p.unpack()
        loop.quit()

    sub = BUS.signal_subscribe(DEST, "org.freedesktop.portal.Request", "Response", path, None,
                               Gio.DBusSignalFlags.NONE, on_response)
    BUS.call_sync(DEST, PATH, iface, method,
                  GLib.Variant("(" + params_fmt + "a{sv})", tuple(params) + (options,)), None,
                  0, TIMEOUT_MS, None)
    GLib.timeout_add(30000, loop.quit)
    loop.run()
    BUS.signal_unsubscribe(sub)
    return answer.get("code", "timeout"), answer.get("results", {})


def notify(session, method, fmt, *values):
    BUS.call_sync(DEST, PATH, RD, method,
                  GLib.Variant("(oa{sv}" + fmt + ")", (session, {}) + values), None, 0,
                  TIMEOUT_MS, None)


def main():
    code, results = request(RD, "CreateSession", "", (),
                            {"session_handle_token": GLib.Variant("s", "qrvtest%d" % os.getpid())})
    if code != 0:
        sys.exit("CreateSession answered %s" % code)
    session = results["session_handle"]
    request(RD, "SelectDevices", "o", (session,), {"types": GLib.Variant("u", 3)})
    wiggle = sys.argv[1] == "wiggle"
    if wiggle:
        request(SC, "SelectSources", "o", (session,), {"types": GLib.Variant("u", 1)})
    code, results = request(RD, "Start", "os", (session, ""), {})
    streams = results.get("streams", [])
    if code != 0 or (wiggle and not streams):
        sys.exit("Start answered %s with %d streams" % (code, len(streams)))
    if not wiggle:
        codes = [int(c) for c in sys.argv[2].split(",")]
        for key, state in [(c, 1) for c in codes] + [(c, 0) for c in reversed(codes)]:
            notify(session, "NotifyKeyboardKeycode", "iu", key, state)
            time.sleep(0.05)
    else:
        notify(session, "NotifyPointerMotionAbsolute", "udd", streams[0][0], 100.0, 100.0)
        deadline = time.monotonic() + float(sys.argv[2])
        step = 0
        while time.monotonic() < deadline:
            step += 1
            notify(session, "NotifyPointerMotion", "dd", 50.0 * (1 if step % 2 else -1), 0.0)
            time.sleep(0.1)
    BUS.call_sync(DEST, session, "org.freedesktop.portal.Session", "Close", None, None, 0,
                  TIMEOUT_MS, None)
    print("done", flush=True)


if __name__ == "__main__":
    main()
