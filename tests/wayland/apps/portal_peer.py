#!/usr/bin/env python3
"""A scripted desktop portal on the session bus for the portal path's tests.

Serves RemoteDesktop sessions with screen-cast sources: every request is
granted (unless --answer says otherwise), Start hands out the streams given on
the command line (PipeWire node ids with their monitor areas; without X,Y the
stream has no position, as on KDE), the device types asked for (those of
--token-devices when a restore token came, as GNOME restores what the token
was granted) and, from RemoteDesktop version 2 on, a restore token; OpenPipeWireRemote opens the user's own PipeWire. Version 1
refuses a persist_mode on SelectSources, as GNOME's portal does. Unless
--no-shortcuts is given it also serves GlobalShortcuts: every binding is
granted as asked (but --unbound IDs), and the test's own method
org.tolbrin.QuorvaneTest.Peer.Activate(s) on /org/tolbrin/QuorvaneTest emits
Activated for that shortcut id to the session that bound it. With --plasma-5.27
only the shortcuts passed to CreateSession are bound, and BindShortcuts
answers an empty list.
Each call that matters is logged, one line each, to the log file:
  remote-desktop                             (RemoteDesktop.CreateSession)
  devices TYPES PERSIST_MODE RESTORE_TOKEN   (SelectDevices; -1 and - when unset)
  sources TYPES PERSIST_MODE                 (SelectSources; -1 when unset)
  motion NODE X Y                            (NotifyPointerMotionAbsolute)
  button BUTTON STATE                        (NotifyPointerButton)
  create COUNT                               (GlobalShortcuts.CreateSession,
  bind COUNT                                  BindShortcuts, then per shortcut:)
  shortcut ID TRIGGER DESCRIPTION
  closed
Prints "ready" once it owns the name; while another process owns it, it waits.
Usage: portal_peer.py [--no-shortcuts] [--plasma-5.27] [--unbound ID]...
                      [--remote-desktop-version N] [--answer METHOD=CODE]...
                      [--token-devices TYPES]
                      LOG TOKEN NODE:[X,Y,]W,H...
"""
import argparse
import os
import socket

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
    <property name="version" type="u" access="read"/>
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
    <property name="version" type="u" access="read"/>
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
    <method name="ListShortcuts">
      <arg type="o" direction="in"/><arg type="a{sv}" direction="in"/>
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
    values = [int(v) for v in area.split(",")]
    properties = {"size": GLib.Variant("(ii)", tuple(values[-2:]))}
    if len(values) == 4:
        properties["position"] = GLib.Variant("(ii)", tuple(values[:2]))
    return (int(node), properties)


def shortcut_list(shortcuts):
    return GLib.Variant("a(sa{sv})", [
        (shortcut, {"trigger_description": GLib.Variant("s", trigger)})
        for shortcut, trigger in shortcuts])


class Peer:
    def __init__(self, args):
        self.log = open(args.log, "a", buffering=1)
        self.args = args
        self.streams = [parse_stream(s) for s in args.streams]
        self.devices = 0  # the device types Start grants
        self.bound = None  # (owner, session) of the last shortcut binding
        self.shortcuts = []  # (id, trigger) the session holds
        self.versions = {"org.freedesktop.portal.RemoteDesktop": args.remote_desktop_version,
                         "org.freedesktop.portal.ScreenCast": 4,
                         "org.freedesktop.portal.GlobalShortcuts": 1}
        self.bus = Gio.bus_get_sync(Gio.BusType.SESSION)
        interfaces = Gio.DBusNodeInfo.new_for_xml(XML).interfaces
        if not args.no_shortcuts:
            interfaces += Gio.DBusNodeInfo.new_for_xml(SHORTCUTS_XML).interfaces
            self.bus.register_object(TEST_PATH,
                                     Gio.DBusNodeInfo.new_for_xml(TEST_XML).interfaces[0],
                                     self.activate)
        for interface in interfaces:
            self.bus.register_object(PATH, interface, self.call, self.property, None)
        self.session_info = Gio.DBusNodeInfo.new_for_xml(SESSION_XML).interfaces[0]

    def property(self, connection, sender, path, interface, name):
        return GLib.Variant("u", self.versions[interface])

    def request(self, invocation, options, results, code=0):
        sender = invocation.get_sender()[1:].replace(".", "_")
        path = "%s/request/%s/%s" % (PATH, sender, options["handle_token"])
        invocation.return_value(GLib.Variant("(o)", (path,)))
        code = self.args.answer.get(invocation.get_method_name(), code)
        # The answer follows the reply, as the real portal's does.
        GLib.idle_add(self.respond, invocation.get_sender(), path, code, results if code == 0 else {})

    def respond(self, sender, path, code, results):
        self.bus.emit_signal(sender, path, "org.freedesktop.portal.Request", "Response",
                             GLib.Variant("(ua{sv})", (code, results)))
        return False

    def log_shortcuts(self, what, shortcuts):
        self.log.write("%s %d\n" % (what, len(shortcuts)))
        for shortcut, properties in shortcuts:
            self.log.write("shortcut %s %s %s\n" % (
                shortcut, properties.get("preferred_trigger", "-"),
                properties.get("description", "-")))

    # The shortcuts this portal binds of those asked for.
    def granted(self, shortcuts):
        return [(shortcut, properties.get("preferred_trigger", ""))
                for shortcut, properties in shortcuts if shortcut not in self.args.unbound]

    def call(self, connection, sender, path, interface, method, args, invocation):
        args = args.unpack()
        if method == "CreateSession":
            if interface.endswith("RemoteDesktop"):
                self.log.write("remote-desktop\n")
            session = "%s/session/%s/%s" % (PATH, sender[1:].replace(".", "_"),
                                             args[0]["session_handle_token"])
            self.bus.register_object(session, self.session_info, self.close)
            results = {"session_handle": GLib.Variant("s", session)}
            if interface.endswith("GlobalShortcuts"):
                # GlobalShortcuts hands out an object path where the others give a string.
                results = {"session_handle": GLib.Variant("o", session)}
                self.log_shortcuts("create", args[0].get("shortcuts", []))
                if self.args.plasma_5_27:
                    self.bound = (sender, session)
                    self.shortcuts = self.granted(args[0].get("shortcuts", []))
            self.request(invocation, args[0], results)
        elif method == "BindShortcuts":
            self.log_shortcuts("bind", args[1])
            if not self.args.plasma_5_27:
                self.bound = (sender, args[0])
                self.shortcuts = self.granted(args[1])
            self.request(invocation, args[3], {"shortcuts": shortcut_list(
                [] if self.args.plasma_5_27 else self.shortcuts)})
        elif method == "ListShortcuts":
            self.request(invocation, args[1], {"shortcuts": shortcut_list(self.shortcuts)})
        elif method == "SelectDevices":
            o = args[1]
            self.log.write("devices %d %d %s\n" % (o.get("types", -1), o.get("persist_mode", -1),
                                                   o.get("restore_token", "-")))
            restored = "restore_token" in o and self.args.token_devices is not None
            self.devices = self.args.token_devices if restored else o.get("types", 0)
            self.request(invocation, o, {})
        elif method == "SelectSources":
            o = args[1]
            self.log.write("sources %d %d\n" % (o.get("types", -1), o.get("persist_mode", -1)))
            refused = "persist_mode" in o and self.args.remote_desktop_version < 2
            self.request(invocation, o, {}, 2 if refused else 0)
        elif method == "Start":
            results = {"devices": GLib.Variant("u", self.devices),
                       "streams": GLib.Variant("a(ua{sv})", self.streams)}
            if self.args.remote_desktop_version >= 2:
                results["restore_token"] = GLib.Variant("s", self.args.token)
            self.request(invocation, args[2], results)
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
    parser = argparse.ArgumentParser()
    parser.add_argument("--no-shortcuts", action="store_true")
    parser.add_argument("--plasma-5.27", dest="plasma_5_27", action="store_true")
    parser.add_argument("--unbound", action="append", default=[])
    parser.add_argument("--remote-desktop-version", type=int, default=2)
    parser.add_argument("--token-devices", type=int)
    parser.add_argument("--answer", action="append", default=[],
                        type=lambda a: (a.split("=")[0], int(a.split("=")[1])))
    parser.add_argument("log")
    parser.add_argument("token")
    parser.add_argument("streams", nargs="*")
    args = parser.parse_args()
    args.answer = dict(args.answer)
    peer = Peer(args)
    loop = GLib.MainLoop()
    owned = []

    def acquired(*_):
        owned.append(True)
        print("ready", flush=True)

    # Queued behind an owner that is going away (the previous test's peer), the
    # name comes later; once owned, losing it ends the peer.
    Gio.bus_own_name_on_connection(peer.bus, NAME, Gio.BusNameOwnerFlags.NONE, acquired,
                                   lambda *_: owned and loop.quit())
    loop.run()


if __name__ == "__main__":
    main()
