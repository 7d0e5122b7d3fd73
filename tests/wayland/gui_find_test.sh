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
peer() {  # [--no-shortcuts]: a scripted portal on the bus, logging to portal.log
    python3 "$apps/portal_peer.py" "$@" "$work/portal.log" token >"$work/peer.out" 2>&1 &
    peer_pid=$!
    pids+=($!)
    ready "$work/peer.out"
    rm -f "$work/peer.out"
}
app() {  # starts the window
    QT_QPA_PLATFORM=wayland "$app" >>"$work/app.log" 2>&1 &
    app_pid=$!
    pids+=($!)
}
bound_nothing() { ! grep -q '^bind' "$work/portal.log"; }
owns_a_name() {  # this window ($app_pid) takes start requests: it is set up
    local name  # a window killed just before may still hold its name
    for name in $(gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
        --method org.freedesktop.DBus.ListNames | grep -o "org\.tolbrin\.Quorvane\.Instance[0-9]*"); do
        gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
            --method org.freedesktop.DBus.GetConnectionUnixProcessID "$name" 2>/dev/null |
            grep -q "uint32 $app_pid," && return 0
    done
    return 1
}
toggle() { "$cli" toggle >/dev/null 2>&1; }

swaymsg focus output HEADLESS-2 >/dev/null
window gui-target "$work/target.log"
python3 "$apps/pattern_window.py" --patch "$work/patch.png"

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
check "the window took the start request" poll toggle
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
check "the window is set up" poll owns_a_name
gdbus call --session --dest org.freedesktop.portal.Desktop --object-path /org/tolbrin/QuorvaneTest \
    --method org.tolbrin.QuorvaneTest.Peer.Activate start-stop >/dev/null
check "the shortcut's activation started a run that clicked the patch again" \
    saw "$work/target.log" "release 1 380 260" 2
check "the window still runs" kill -0 "$app_pid"

summary
