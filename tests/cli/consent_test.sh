#!/usr/bin/env bash
# Commands refused for their input never open the desktop session, so they
# never raise a consent dialog: run against the scripted portal of the
# Wayland tests, which logs every session it is asked for. It hands out no
# screen, so an accepted command reaches it and then finds no desktop.
set -uo pipefail
peer_script=$(cd "$(dirname "${BASH_SOURCE[0]}")/../wayland/apps" && pwd)/portal_peer.py
source "$(dirname "${BASH_SOURCE[0]}")/lib/harness.sh"

python=python3
"$python" -c 'import gi' 2>/dev/null || python=/usr/bin/python3
"$python" "$peer_script" --no-shortcuts portal.log token >peer.out 2>&1 &
peer=$!
trap 'kill "$peer" 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 400); do grep -qs '^ready' peer.out && break; sleep 0.05; done
grep -qs '^ready' peer.out || fail "the scripted portal did not start: $(cat peer.out)"

convert -size 40x30 xc:red -alpha set PNG32:pic.png
convert -size 40x30 xc:red PNG24:pic24.png
asked() { grep -qsx remote-desktop portal.log; }

# run COMMAND ARGS...: exit 2 with one line on standard error.
run() {
    QRV_PLATFORM=portal timeout -s KILL 60 "$cli" "$@" >/dev/null 2>stderr.txt
    local rc=$?
    [ "$rc" = 2 ] || fail "$* exited $rc, expected 2"
    [ "$(wc -l <stderr.txt)" = 1 ] || fail "$*: expected one error line: $(cat stderr.txt)"
}
for args in "find --picture pic24.png --area 0,0,100,100" \
    "find --picture missing.png --area 0,0,100,100" "find --picture pic.png --area 0,0,0,100" \
    "find --picture pic.png --area 0,0,100" "find --picture pic.png --count -1 --area 0,0,9,9" \
    "explain --picture pic24.png --area 0,0,100,100" "explain --picture pic.png --area 0,0,-1,5"; do
    # shellcheck disable=SC2086
    run $args
    asked && fail "$args asked the portal for a session"
done

# An accepted command asks; the portal's missing screen is named as such.
run find --picture pic.png --area 0,0,100,100
asked || fail "an accepted command did not ask the portal for a session"
grep -q 'cannot reach the portal desktop (is the desktop portal running' stderr.txt ||
    fail "the missing session was not put down to the portal: $(cat stderr.txt)"

summary
