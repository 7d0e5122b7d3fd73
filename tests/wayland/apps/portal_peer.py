#!/usr/bin/env python3
"""A scripted desktop portal on the session bus for the portal path's tests.

Serves RemoteDesktop sessions with screen-cast sources: every request is
granted, Start hands out the streams given on the command line (PipeWire node
ids with their monitor areas) and a restore token, and OpenPipeWireRemote
opens the user's own PipeWire. Unless --no-shortcuts is given it also serves
GlobalShortcuts: every binding is granted as asked, and the test's own
method org.tolbrin.QuorvaneTest.Peer.Activate(s) on /org/tolbrin/QuorvaneTest
emits Activated for that shortcut id to the session that bound it.
Each call that matters is logged, one line each, to the log file:
  remote-desktop                             (RemoteDesktop.CreateSession)
  devices TYPES PERSIST_MODE RESTORE_TOKEN   (SelectDevices)
  sources TYPES PERSIST_MODE                 (SelectSources; -1 when unset)
  motion NODE X Y                            (NotifyPointerMotionAbsolute)
  button BUTTON STATE                        (NotifyPointerButton)
  bind COUNT                                 (BindShortcuts, then per shortcut:)
  shortcut ID TRIGGER DESCRIPTION
  closed
Prints "ready" once it owns the name.
Usage: portal_peer.py [--no-shortcuts] LOG TOKEN NODE:X,Y,W,H...
"""
import os
import socket
import sys

from gi.repository import Gio, GLib

NAME = "org.freedesktop.portal.Desktop"
PATH = "/org/freedesktop/portal/desktop"
TEST_PATH = "/org/tolbrin/QuorvaneTest"
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
SHORTCUTS_XML = """
<node>
  <interface name="org.freedesktop.portal.GlobalShortcuts">
    <method name="CreateSession">
      <arg type="a{sv}" direction="in"/><arg type="o" direction="out"/></method>
    <method name="BindShortcuts">
      <arg type="o" direction="in"/><arg type="a(sa{sv})" direction="in"/>
      <arg type="s" direction="in"/><arg type="a{sv}" direction="in"/>
      <arg type="o" direction="out"/></method>
    <signal name="Activated">
      <arg type="o"/><arg type="s"/><arg type="t"/><arg type="a{sv}"/></signal>
    <property name="version" type="u" access="read"/>
  </interface>
</node>
"""
TEST_XML = """
<node><interface name="org.tolbrin.QuorvaneTest.Peer">
  <method name="Activate"><arg type="s" direction="in"/></method></interface></node>
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
    def __init__(self, log, token, streams, shortcuts):
        self.log = open(log, "a", buffering=1)
        self.token = token
        self.streams = streams
        self.bound = None  # (owner, session) of the last shortcut binding
        self.bus = Gio.bus_get_sync(Gio.BusType.SESSION)
        interfaces = Gio.DBusNodeInfo.new_for_xml(XML).interfaces
        if shortcuts:
            interfaces += Gio.DBusNodeInfo.new_for_xml(SHORTCUTS_XML).interfaces
            self.bus.register_object(TEST_PATH,
                                     Gio.DBusNodeInfo.new_for_xml(TEST_XML).interfaces[0],
                                     self.activate)
        for interface in interfaces:
            self.bus.register_object(PATH, interface, self.call,
                                     lambda *_: GLib.Variant("u", 1), None)
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
            if interface.endswith("RemoteDesktop"):
                self.log.write("remote-desktop\n")
            session = "%s/session/%s/%s" % (PATH, sender[1:].replace(".", "_"),
                                             args[0]["session_handle_token"])
            self.bus.register_object(session, self.session_info, self.close)
            # GlobalShortcuts hands out an object path where the others give a string.
            kind = "o" if interface.endswith("GlobalShortcuts") else "s"
            self.request(invocation, args[0], {"session_handle": GLib.Variant(kind, session)})
        elif method == "BindShortcuts":
            self.log.write("bind %d\n" % len(args[1]))
            for shortcut, properties in args[1]:
                self.log.write("shortcut %s %s %s\n" % (
                    shortcut, properties.get("preferred_trigger", "-"),
                    properties.get("description", "-")))
            self.bound = (sender, args[0])
            self.request(invocation, args[3], {"shortcuts": GLib.Variant("a(sa{sv})", [
                (shortcut, {"trigger_description": GLib.Variant(
                    "s", properties.get("preferred_trigger", ""))})
                for shortcut, properties in args[1]])})
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

    def activate(self, connection, sender, path, interface, method, args, invocation):
        owner, session = self.bound
        self.bus.emit_signal(owner, PATH, "org.freedesktop.portal.GlobalShortcuts", "Activated",
                             GLib.Variant("(osta{sv})", (session, args.unpack()[0], 0, {})))
        invocation.return_value(None)

    def close(self, connection, sender, path, interface, method, args, invocation):
        self.log.write("closed\n")
        invocation.return_value(None)


def main():
    args = sys.argv[1:]
    shortcuts = args[:1] != ["--no-shortcuts"]
    if not shortcuts:
        args = args[1:]
    peer = Peer(args[0], args[1], [parse_stream(s) for s in args[2:]], shortcuts)
    loop = GLib.MainLoop()
    Gio.bus_own_name_on_connection(peer.bus, NAME, Gio.BusNameOwnerFlags.NONE,
                                   lambda *_: print("ready", flush=True),
                                   lambda *_: loop.quit())
    loop.run()


if __name__ == "__main__":
    main()
