#!/usr/bin/env bash
# End-to-end check of the portal path of `quorvane-cli find`: a scripted
# desktop portal (apps/portal_peer.py) hands out two PipeWire streams of
# GStreamer test pictures as monitors (320x240 left of the origin, 320x240 at
# it) and logs the pointer calls. The compositor offers no wlroots protocols
# (WAYLAND_DISPLAY names no compositor), so the backend takes the portal.
# With the Python runner and package folder, the README's Python script finds
# and clicks a patch too. Run inside tests/wayland/with-sway.sh --pipewire.
# Usage: portal_find_test.sh QUORVANE_CLI [PYTHON_SH PACKAGE_FOLDER]
set -uo pipefail
cli=$1
source "$(dirname "$0")/harness.sh"

# node NAME PATTERN: a 320x240 test picture offered on PipeWire.
node() {
    gst-launch-1.0 -q videotestsrc pattern="$2" is-live=true ! \
        video/x-raw,format=BGRx,width=320,height=240,framerate=10/1 ! \
        pipewiresink mode=provide stream-properties="p,node.name=$1" &
    pids+=($!)
}
# node_id NAME: the node's id, once PipeWire has it (bounded wait).
node_id() {
    for _ in $(seq 400); do
        local id
        id=$(pw-dump 2>/dev/null | python3 -c '
import json, sys
for o in json.load(sys.stdin):
    if o.get("type", "").endswith(":Node") and \
            o.get("info", {}).get("props", {}).get("node.name") == sys.argv[1]:
        print(o["id"])' "$1")
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.05
    done
    return 1
}
# patch PATTERN X Y W H FILE: that part of the test picture, as a 32-bit PNG.
patch() {
    gst-launch-1.0 -q videotestsrc pattern="$1" num-buffers=1 ! \
        video/x-raw,format=RGB,width=320,height=240 ! filesink location="$work/$1.rgb" &&
        convert -size 320x240 -depth 8 "rgb:$work/$1.rgb" -crop "$4x$5+$2+$3" +repage "PNG32:$6"
}
logged() {  # LINE: the portal logged it
    grep -qx "$1" "$work/portal.log"
}

node qrv-left smpte
node qrv-right checkers-8
left=$(node_id qrv-left) && right=$(node_id qrv-right) || { echo "FAIL: no test nodes"; exit 1; }
patch smpte 30 150 40 50 "$work/left.png"
patch checkers-8 0 0 24 24 "$work/right.png"

peer() {  # PEER_OPTIONS... STREAMS...: a scripted portal in place of the last one
    [ -n "${peer_pid:-}" ] && kill "$peer_pid" && wait "$peer_pid" 2>/dev/null
    python3 "$apps/portal_peer.py" "$@" >"$work/peer.out" 2>&1 &
    peer_pid=$!
    pids+=($peer_pid)
    ready "$work/peer.out"
}
peer "$work/portal.log" token-1 "$left:-320,0,320,240" "$right:0,0,320,240"

find_on() {  # SIDE AREA PICTURE
    WAYLAND_DISPLAY=qrv-no-compositor QRV_PLATFORM=portal timeout 120 "$cli" find \
        --picture "$3" --area "$2" --count 20 --interval 100 --click --cursor-back \
        --abort-on-match >"$work/find-$1.out" 2>&1
    local rc=$?
    check "find on the $1 monitor exits 0 ($(tail -1 "$work/find-$1.out"))" test $rc = 0
}

find_on left -320,0,320,240 "$work/left.png"
check "the first run asks for a lasting keyboard and pointer session" logged "devices 3 2 -"
check "its screen-cast sources are monitors, not persisted on their own" logged "sources 1 -1"
# The pointer calls in order: to the patch centre (50, 175) in the left
# stream's own coordinates, press and release. The portal does not tell where
# the cursor started, so it is neither parked on the area's monitor first nor
# sent back afterwards.
pointer_calls() {  # FIRST_LINE: the motions and buttons logged from there on
    tail -n +"$1" "$work/portal.log" | grep -E '^(motion|button)' | tr '\n' ';'
}
check "moved, clicked the patch on the left stream and went back ($(pointer_calls 1))" \
    test "$(pointer_calls 1)" = \
    "motion $left 50 175;button 272 1;button 272 0;"
check "the session was closed" logged "closed"
lines=$(grep -c . "$work/portal.log")

# A later run hands the stored token back and asks nothing new.
find_on right 0,0,320,240 "$work/right.png"
check "the second run restores the session with the stored token" logged "devices 3 2 token-1"
check "clicked the patch on the right stream ($(pointer_calls $((lines + 1))))" \
    test "$(pointer_calls $((lines + 1)))" = \
    "motion $right 12 12;button 272 1;button 272 0;"

# The README's Python script: the left patch, at (30, 150) of the left
# stream, clicked 12,8 inside its corner.
if [ $# -ge 3 ]; then
    lines=$(grep -c . "$work/portal.log")
    (cd "$work" && WAYLAND_DISPLAY=qrv-no-compositor QRV_PLATFORM=portal timeout 120 \
        bash "$2" "$3" - <<'PY'
import sys
import quorvane

at = quorvane.wait("left.png", timeout=30, deviation=8)
if at is None:
    sys.exit("not found: %s" % (quorvane.explain("left.png", deviation=8),))
quorvane.click(at.x + 12, at.y + 8)
PY
    )
    check "the Python script exits 0" test $? = 0
    check "and clicked the patch on the left stream ($(pointer_calls $((lines + 1))))" \
        test "$(pointer_calls $((lines + 1)))" = "motion $left 42 158;button 272 1;button 272 0;"
fi

# Frames that do not fit their monitor are no usable frame: find and explain
# say so and fail, never answering "not found" or a closest match. The token
# restores a session granted no keyboard: it is dropped and the devices asked
# for afresh.
lines=$(grep -c . "$work/portal.log")
peer --token-devices 2 "$work/portal.log" token-1 "$right:0,0,640,480"
lacks() { ! grep -qE "$1" "$2"; }
for command in find explain; do
    out="$work/$command-unfit.out"
    WAYLAND_DISPLAY=qrv-no-compositor QRV_PLATFORM=portal timeout 120 "$cli" "$command" \
        --picture "$work/right.png" --area 0,0,320,240 >"$out" 2>&1
    rc=$?
    check "$command without a usable frame exits 2, not $rc ($(tail -1 "$out"))" test $rc = 2
    check "$command says the desktop sends no screen frames" \
        grep -q "the desktop sends no screen frames" "$out"
    check "$command answers nothing about the picture" lacks "Not Found|Match|Closest" "$out"
done
check "a restored session without a keyboard is asked for again without the token" test \
    "$(tail -n +"$((lines + 1))" "$work/portal.log" | grep -m2 '^devices' | tr '\n' ';')" = \
    "devices 3 2 token-1;devices 3 2 -;"

lines=$(grep -c . "$work/portal.log")

# A RemoteDesktop version 1 portal (GNOME's) keeps no sessions, and streams
# without positions (KDE's) sit side by side in stream order when the
# compositor's layout cannot be read: the right stream is at 320,0 now.
# Fresh nodes: a test picture node here was seen to send its third consumer no frame.
node qrv-left-2 smpte
node qrv-right-2 checkers-8
left=$(node_id qrv-left-2) && right=$(node_id qrv-right-2) || { echo "FAIL: no test nodes"; exit 1; }
peer --remote-desktop-version 1 "$work/portal.log" token-2 "$left:320,240" "$right:320,240"
find_on right 320,0,320,240 "$work/right.png"
check "version 1 is asked no persistence and sent no token" \
    test "$(tail -n +"$((lines + 1))" "$work/portal.log" | grep '^devices')" = "devices 3 -1 -"
check "clicked the patch on the right stream, placed beside the left ($(pointer_calls $((lines + 1))))" \
    test "$(pointer_calls $((lines + 1)))" = \
    "motion $right 12 12;button 272 1;button 272 0;"

summary
