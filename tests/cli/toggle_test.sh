#!/usr/bin/env bash
# End-to-end checks of `quorvane-cli toggle` against a stand-in instance on the
# session bus that counts the requests it is sent.
set -uo pipefail
cli=$1
work=$(mktemp -d)
failures=0
checks=0
check() {  # description, command...
    local what=$1; shift
    checks=$((checks + 1))
    "$@" || { echo "FAIL: $what"; failures=$((failures + 1)); }
}

# A bus that accepts connections but never answers ends the command with an
# error instead of blocking it: a socket nobody reads, a stopped daemon, and
# one that lets the client in but never answers its first call.
/usr/bin/python3 -c 'import socket, sys, time
s = socket.socket(socket.AF_UNIX); s.bind(sys.argv[1]); s.listen(); time.sleep(3600)' \
    "$work/mute" &
mute=$!
/usr/bin/python3 -c 'import socket, sys, threading
def answer(line):
    return (b"REJECTED EXTERNAL\r\n" if line == b"AUTH" else
            b"OK 0123456789abcdef0123456789abcdef\r\n" if line.startswith(b"AUTH ") else
            b"AGREE_UNIX_FD\r\n" if line.startswith(b"NEGOTIATE_UNIX_FD") else b"")
def serve(c):
    data = b""
    while chunk := c.recv(4096):
        data += chunk
        while b"\r\n" in data:
            line, data = data.split(b"\r\n", 1)
            c.send(answer(line.lstrip(b"\0")))
s = socket.socket(socket.AF_UNIX); s.bind(sys.argv[1]); s.listen()
while True:
    threading.Thread(target=serve, args=(s.accept()[0],), daemon=True).start()' \
    "$work/greeting" 2>/dev/null &
greeting=$!
dbus-daemon --session --nofork --address="unix:path=$work/stopped" 2>/dev/null &
stopped=$!
for _ in $(seq 400); do
    [ -S "$work/mute" ] && [ -S "$work/greeting" ] && [ -S "$work/stopped" ] && break
    sleep 0.05
done
kill -STOP $stopped
for bus in mute stopped greeting; do
    err=$(DBUS_SESSION_BUS_ADDRESS="unix:path=$work/$bus" timeout -s KILL 300 "$cli" toggle 2>&1)
    rc=$?
    check "toggle on a $bus bus ends with status 1, not $rc" test $rc = 1
    check "and says the bus does not answer or let it in: $err" \
        grep -qE "does not (answer|let this process in)" <<<"$err"
done
kill $mute $greeting; kill -CONT $stopped; kill $stopped; wait $mute $greeting $stopped 2>/dev/null

if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ] || ! /usr/bin/python3 -c 'import gi' 2>/dev/null; then
    echo "no session bus or no python3-gi: the rest is skipped"
    echo "$((checks - failures)) passed, $failures failed"
    rm -rf "$work"
    [ "$failures" = 0 ]
    exit
fi

# Instance 2 of the program as the bus sees it: the name, the object, the method.
/usr/bin/python3 - "$work/requests" >"$work/instance.out" 2>&1 <<'PY' &
import sys
from gi.repository import Gio, GLib
xml = """<node><interface name="org.tolbrin.Quorvane.Instance">
<method name="ToggleSearch"/></interface></node>"""
def call(conn, sender, path, iface, method, params, invocation):
    with open(sys.argv[1], "a") as f:
        f.write(method + "\n")
    invocation.return_value(None)
bus = Gio.bus_get_sync(Gio.BusType.SESSION)
bus.register_object("/org/tolbrin/Quorvane", Gio.DBusNodeInfo.new_for_xml(xml).interfaces[0],
                    call, None, None)
Gio.bus_own_name_on_connection(bus, "org.tolbrin.Quorvane.Instance2", 0,
                               lambda *a: print("ready", flush=True), None)
GLib.MainLoop().run()
PY
instance=$!
trap 'kill $instance 2>/dev/null; wait $instance 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 200); do grep -q ready "$work/instance.out" 2>/dev/null && break; sleep 0.05; done

requests() { wc -l <"$work/requests" 2>/dev/null || echo 0; }
"$cli" toggle --instance 2
check "toggle --instance 2 exits 0" test $? = 0
check "instance 2 got one ToggleSearch" test "$(requests)" = 1
"$cli" toggle --instance 2
check "a second toggle reaches it again" test "$(requests)" = 2

err=$("$cli" toggle 2>&1 >/dev/null)
rc=$?
check "toggle with no instance 1 running exits 1" test $rc = 1
check "and says so: $err" test "$err" = "quorvane-cli toggle: no instance 1 is running"
for bad in "--instance" "--instance 0" "--instance x" "--instance 2x" "--other"; do
    # shellcheck disable=SC2086
    "$cli" toggle $bad >/dev/null 2>&1
    rc=$?
    check "toggle $bad is bad input (exit 2)" test $rc = 2
done
check "bad input sent nothing" test "$(requests)" = 2

echo "$((checks - failures)) passed, $failures failed"
[ "$failures" = 0 ]
