#!/usr/bin/env python3
"""A scripted desktop portal on the session bus for the portal path's tests.

Serves RemoteDesktop sessions with screen-cast sources: every request is
granted, Start hands out the streams given on the command line (PipeWire node
ids with their monitor areas) and a restore token, and OpenPipeWireRemote
opens the user's own PipeWire. Each call that matters is logged, one line
each, to the log file:
  devices TYPES PERSIST_MODE RESTORE_TOKEN   (SelectDevices)
  sources TYPES PERSIST_MODE                 (SelectSources; -1 when unset)
  motion NODE X Y                            (NotifyPointerMotionAbsolute)
  button BUTTON STATE                        (NotifyPointerButton)
  closed
Prints "ready" once it owns the name.
Usage: portal_peer.py LOG TOKEN NODE:X,Y,W,H...
"""
import os
import socket
import sys

from gi.repository import Gio, GLib

NAME = "org.freedesktop.portal.Desktop"
PATH = "/org/freedesktop/portal/desktop"
XML = """
<node>
  <interface name="org.freedesktop.portal.RemoteDesktop">
    <method name="CreateSession">
      <arg type="a{sv}" direction="in"/><arg type="o" direction="out"/></method>
    <method name="SelectDevices">
      <arg type="o" direction="in"/><arg type="a{sv}" direction="in"/>
      <arg type="o" direction="out"/></method>
    <method name="Start">
      <arg type="o" direction="in"/><arg type="s" direction="in"/>
      <arg type="a{sv}" direction="in"/><arg type="o" direction="out"/></method>
    <method name="NotifyPointerMotionAbsolute">
      <arg type="o" direction="in"/><arg type="a{sv}" direction="in"/>
      <arg type="u" direction="in"/><arg type="d" direction="in"/>
      <arg type="d" direction="in"/></method>
    <method name="NotifyPointerButton">
      <arg type="o" direction="in"/><arg type="a{sv}" direction="in"/>
      <arg type="i" direction="in"/><arg type="u" direction="in"/></method>
  </interface>
  <interface name="org.freedesktop.portal.ScreenCast">
    <method name="CreateSession">
      <arg type="a{sv}" direction="in"/><arg type="o" direction="out"/></method>
    <method name="SelectSources">
      <arg type="o" direction="in"/><arg type="a{sv}" direction="in"/>
      <arg type="o" direction="out"/></method>
    <method name="OpenPipeWireRemote">
      <arg type="o" direction="in"/><arg type="a{sv}" direction="in"/>
      <arg type="h" direction="out"/></method>
  </interface>
</node>
"""
SESSION_XML = """
<node><interface name="org.freedesktop.portal.Session">
  <method name="Close"/></interface></node>
"""


def parse_stream(text):
    node, area = text.split(":")
    x, y, w, h = (int(v) for v in area.split(","))
    return (int(node), {"position": GLib.Variant("(ii)", (x, y)),
                        "size": GLib.Variant("(ii)", (w, h))})


class Peer:
    def __init__(self, log, token, streams):
        self.log = open(log, "a", buffering=1)
        self.token = token
        self.streams = streams
        self.bus = Gio.bus_get_sync(Gio.BusType.SESSION)
        info = Gio.DBusNodeInfo.new_for_xml(XML)
        for interface in info.interfaces:
            self.bus.register_object(PATH, interface, self.call)
        self.session_info = Gio.DBusNodeInfo.new_for_xml(SESSION_XML).interfaces[0]

    def request(self, invocation, options, results):
        sender = invocation.get_sender()[1:].replace(".", "_")
        path = "%s/request/%s/%s" % (PATH, sender, options["handle_token"])
        invocation.return_value(GLib.Variant("(o)", (path,)))
        # The answer follows the reply, as the real portal's does.
        GLib.idle_add(self.respond, invocation.get_sender(), path, results)

    def respond(self, sender, path, results):
        self.bus.emit_signal(sender, path, "org.freedesktop.portal.Request", "Response",
                             GLib.Variant("(ua{sv})", (0, results)))
        return False

    def call(self, connection, sender, path, interface, method, args, invocation):
        args = args.unpack()
        if method == "CreateSession":
            session = "%s/session/%s/%s" % (PATH, sender[1:].replace(".", "_"),
                                             args[0]["session_handle_token"])
            self.bus.register_object(session, self.session_info, self.close)
            self.request(invocation, args[0], {"session_handle": GLib.Variant("s", session)})
        elif method == "SelectDevices":
            o = args[1]
            self.log.write("devices %d %d %s\n" % (o.get("types", -1), o.get("persist_mode", -1),
                                                   o.get("restore_token", "-")))
            self.request(invocation, o, {})
        elif method == "SelectSources":
            o = args[1]
            self.log.write("sources %d %d\n" % (o.get("types", -1), o.get("persist_mode", -1)))
            self.request(invocation, o, {})
        elif method == "Start":
            self.request(invocation, args[2], {
                "devices": GLib.Variant("u", 2),
                "streams": GLib.Variant("a(ua{sv})", self.streams),
                "restore_token": GLib.Variant("s", self.token)})
        elif method == "OpenPipeWireRemote":
            remote = socket.socket(socket.AF_UNIX)
            remote.connect(os.path.join(os.environ["XDG_RUNTIME_DIR"], "pipewire-0"))
            fds = Gio.UnixFDList.new()
            fds.append(remote.fileno())
            remote.close()
            invocation.return_value_with_unix_fd_list(GLib.Variant("(h)", (0,)), fds)
        elif method == "NotifyPointerMotionAbsolute":
            self.log.write("motion %d %g %g\n" % (args[2], args[3], args[4]))
            invocation.return_value(None)
        elif method == "NotifyPointerButton":
            self.log.write("button %d %d\n" % (args[2], args[3]))
            invocation.return_value(None)

    def close(self, connection, sender, path, interface, method, args, invocation):
        self.log.write("closed\n")
        invocation.return_value(None)


def main():
    peer = Peer(sys.argv[1], sys.argv[2], [parse_stream(s) for s in sys.argv[3:]])
    loop = GLib.MainLoop()
    Gio.bus_own_name_on_connection(peer.bus, NAME, Gio.BusNameOwnerFlags.NONE,
                                   lambda *_: print("ready", flush=True),
                                   lambda *_: loop.quit())
    loop.run()


if __name__ == "__main__":
    main()
