#!/usr/bin/env bash
# The KDE suite: KWin's virtual backend with two 1280x800 outputs, the desktop
# portal with its KDE backend, PipeWire and the accessibility bus, started as an
# unprivileged user (tests/desktops/session.sh). Without a GPU this KWin sends
# no screen frames (a pointer move brings a buffer with only the cursor): the
# suite checks that no search takes that for a screen, that the outputs lie
# side by side, that the portal's pointer moves and clicks land on each output
# (a window on each logs them), and that the window's start key is bound
# through the portal's global shortcuts, pressed through a RemoteDesktop
# keyboard of the test's own.
# Usage: run.sh BUILD_DIR (as root, the session runs as a user of its own)
set -uo pipefail
source "$(dirname "$0")/../session.sh"
session_begin kde "${1:?usage: $0 BUILD_DIR}"
session_env+=(XDG_CURRENT_DESKTOP=KDE KDE_FULL_SESSION=true KDE_SESSION_VERSION=5
    KWIN_COMPOSE=O2)
printf '[Daemon]\nAutolock=false\nLockOnResume=false\n' \
    >"$runtime_dir/home/.config/kscreenlockerrc"
chown -R "$user_name:" "$runtime_dir/home"
# kwin_wayland carries a file capability a container cannot grant (exec fails
# with EPERM); a copy has none.
cp /usr/bin/kwin_wayland "$stage/kwin_wayland"

start_bus_and_media
service kwin "$stage/kwin_wayland" --virtual --width 1280 --height 800 --output-count 2 \
    --socket wayland-0 --no-lockscreen
wait_for "$runtime_dir/wayland-0" "KWin" || exit 1
service a11y /usr/libexec/at-spi-bus-launcher --launch-immediately
start_portal
wait_name org.freedesktop.portal.Desktop || exit 1
window left 0 || exit 1
window right 1 || exit 1
picture "$out/patch.png"

no_frames="sends no screen frames"

# No frame is never a screen: not "not found", not a match.
cli still find --picture "$out/patch.png" --area 1280,0,1280,800 --count 2 --interval 100
check "find on the second output exits 2 (exit $rc: $(cat "$out/still.err"))" test "$rc" = 2
check "and says the desktop sends no screen frames" has "$out/still.err" "$no_frames"
check "and never reports the picture not found" lacks "$out/still.out" "Not Found"
# A moving pointer brings buffers that hold only the cursor.
service wiggle python3 "$stage/apps/portal_input.py" wiggle 60
check "the pointer moves over the window on the first output" saw "$out/left.log" "motion 150 100"
cli moving find --picture "$out/patch.png" --area 0,0,1280,800 --count 2 --interval 100
check "find there with the pointer moving exits 2 (exit $rc: $(cat "$out/moving.err"))" \
    test "$rc" = 2
check "and says the desktop sends no screen frames" has "$out/moving.err" "$no_frames"
check "and never reports the picture not found" lacks "$out/moving.out" "Not Found"
cli explain explain --picture "$out/patch.png" --area 0,0,1280,800
check "explain with the pointer moving exits 2 (exit $rc)" test "$rc" = 2
check "and says the desktop sends no screen frames" has "$out/explain.err" "$no_frames"
check "and explains no closest match" lacks "$out/explain.out" "Closest match"
kill -TERM -- "-$last" 2>/dev/null

# The portal's pointer, driven as a run drives it on a match, lands exactly on
# either output, also from the other one; Plasma 5.27 puts every absolute
# motion on the output of the last stream.
as_user env QRV_PLATFORM=portal "$stage/pointer_tool" 400,300 1780,200 300,500 \
    >"$out/pointer.log" 2>&1
rc=$?
check "moves and clicks through the portal (exit $rc: $(cat "$out/pointer.log"))" test $rc = 0
for landing in "left press 1 400 300" "left release 1 400 300" "right press 1 500 200" \
    "right release 1 500 200" "left press 1 300 500" "left release 1 300 500"; do
    check "the ${landing%% *} window logs ${landing#* }" saw "$out/${landing%% *}.log" "${landing#* }"
done

# Two outputs side by side make a screen of 2560 x 800; overlapping ones, a smaller one.
cli wide find --picture "$out/patch.png" --area 0,0,2561,800
check "the screen spans both outputs ($(cat "$out/wide.err"))" \
    has "$out/wide.err" "larger than the screen (2560 x 800)"

# Keys, text, the other buttons and the wheel. Plasma 5.27's portal hands a
# wheel step on as one unit of axis motion, a fraction of a detent that
# scrolls nothing, and its continuous axis runs upwards: no wheel steps here.
input_checks scroll horizontal

# The window's start key, Ctrl+Shift+F9, bound through the portal; pressed, it
# starts a run, which finds no frames.
profile "Start Key=120" "Start Mod=6"
service app env QRV_PLATFORM=portal "$stage/quorvane"
atspi() { as_user python3 "$stage/apps/atspi_driver.py" "$@" >>"$out/atspi.log" 2>&1; }
check "the window shows" atspi shown quorvane 60
started=no
for _ in $(seq 12); do  # the binding takes a moment after the window shows
    as_user python3 "$stage/apps/portal_input.py" keys 29,42,67 >>"$out/keys.log" 2>&1
    atspi text quorvane "$no_frames|Not Found|Searching" 5 && { started=yes; break; }
done
check "Ctrl+Shift+F9 through the portal started a run" test $started = yes
check "the window says the desktop sends no screen frames" atspi text quorvane "$no_frames" 30

session_summary kde
