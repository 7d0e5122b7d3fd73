#!/usr/bin/env bash
# End-to-end check of the window on the headless sway: a profile set to find
# the pattern patch of a native Wayland window and click it; the run is
# started over the session bus with `quorvane-cli toggle`, as a key bound in
# the compositor would, while a scripted portal (apps/portal_peer.py) offers
# no global shortcuts. Then the portal offers them: the stored start key is
# bound there and the portal's activation starts the next run.
# Run inside tests/wayland/with-sway.sh.
# Usage: gui_find_test.sh QUORVANE QUORVANE_CLI
set -uo pipefail
app=$1
cli=$2
source "$(dirname "$0")/harness.sh"
saw() {  # FILE LINE [COUNT]: waits (bounded) until the line was printed COUNT times
    for _ in $(seq 400); do
        [ "$(grep -cx "$2" "$1")" -ge "${3:-1}" ] && return 0
        sleep 0.05
    done
    return 1
}
peer() {  # [--no-shortcuts]: a scripted portal on the bus, logging to portal.log
    python3 "$apps/portal_peer.py" "$@" "$work/portal.log" token >"$work/peer.out" 2>&1 &
    peer_pid=$!
    pids+=($!)
    for _ in $(seq 400); do grep -qs '^ready' "$work/peer.out" && break; sleep 0.05; done
    rm -f "$work/peer.out"
}
app() {  # starts the window
    QT_QPA_PLATFORM=wayland "$app" >>"$work/app.log" 2>&1 &
    app_pid=$!
    pids+=($!)
}
bound_nothing() { ! grep -q '^bind' "$work/portal.log"; }
published() {  # waits (bounded) until this window ($app_pid) takes start requests: it is set up
    local names name
    for _ in $(seq 400); do
        names=$(gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
            --method org.freedesktop.DBus.ListNames | grep -o "org\.tolbrin\.Quorvane\.Instance[0-9]*")
        for name in $names; do  # a window killed just before may still hold its name
            gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
                --method org.freedesktop.DBus.GetConnectionUnixProcessID "$name" 2>/dev/null |
                grep -q "uint32 $app_pid," && return 0
        done
        sleep 0.05
    done
    return 1
}

swaymsg focus output HEADLESS-2 >/dev/null
python3 "$apps/pattern_window.py" gui-target >"$work/target.log" &
pids+=($!)
for _ in $(seq 400); do grep -q '^ready' "$work/target.log" && break; sleep 0.05; done
python3 - "$apps" "$work/patch.png" <<'PY'
import sys
sys.path.insert(0, sys.argv[1])
import cairo
import pattern_window as w
picture = cairo.ImageSurface(cairo.FORMAT_ARGB32, w.PATCH_W, w.PATCH_H)
cr = cairo.Context(picture)
cr.set_source_surface(w.pattern(w.PATCH_W, w.PATCH_H), 0, 0)
cr.paint()
picture.write_to_png(sys.argv[2])
PY
# Opaque pictures come out of cairo as 24-bit PNGs; searches take 32-bit ones.
convert "$work/patch.png" "PNG32:$work/patch.png"

# The first instance's profile section: search the left output, where the
# window below shows the patch, five times a second, clicking the match; the
# start key is Ctrl+Shift+F9.
profile="$XDG_CONFIG_HOME/Tolbrin/Quorvane by Tolbrin.ini"
mkdir -p "$(dirname "$profile")"
cat >"$profile" <<INI
[Instance 2]
m_iScreenAreaLeft=-1280
m_iScreenAreaTop=0
m_iScreenAreaWidth=1280
m_iScreenAreaHeight=1024
PictureToFindFilePath=$work/patch.png
ClickOnPicture=1
CursorBack=1
SpeakText=0
AbortSearch=1
Count=0
Interval=200
Start Key=120
Start Mod=6
INI
# The window floats on the right output, clear of the target's patch; the
# target then moves to the left output.
swaymsg 'for_window [app_id="quorvane"] floating enable, move position 1000 600' >/dev/null
peer --no-shortcuts
app
swaymsg '[title="gui-target"] move container to output HEADLESS-1' >/dev/null
toggled=no
for _ in $(seq 400); do
    if "$cli" toggle >/dev/null 2>&1; then toggled=yes; break; fi
    sleep 0.05
done
check "the window took the start request" test $toggled = yes
check "the run clicked the patch centre on the left output" saw "$work/target.log" "press 1 380 260"
check "and released it there" saw "$work/target.log" "release 1 380 260"
check "the window still runs" kill -0 "$app_pid"
check "a portal without global shortcuts is asked for none" bound_nothing

kill "$app_pid" "$peer_pid"
wait "$app_pid" "$peer_pid" 2>/dev/null
peer
swaymsg focus output HEADLESS-2 >/dev/null
app
check "the start key is bound as the portal's shortcut" \
    saw "$work/portal.log" "shortcut start-stop CTRL+SHIFT+F9 Start or stop the search"
check "in one binding of one shortcut" saw "$work/portal.log" "bind 1"
check "the window is set up" published
gdbus call --session --dest org.freedesktop.portal.Desktop --object-path /org/tolbrin/QuorvaneTest \
    --method org.tolbrin.QuorvaneTest.Peer.Activate start-stop >/dev/null
check "the shortcut's activation started a run that clicked the patch again" \
    saw "$work/target.log" "release 1 380 260" 2
check "the window still runs" kill -0 "$app_pid"

echo "$((checks - failures)) passed, $failures failed"
[ "$failures" = 0 ]
