#!/usr/bin/env bash
# The GNOME suite: a headless GNOME Shell (one 1280x800 virtual monitor,
# software rendering) with the desktop portal and its GNOME backend, started
# as an unprivileged user (tests/desktops/session.sh). A fullscreen window
# shows the pattern patch of the Wayland tests and logs pointer events; the
# portal's screen access dialog is answered over AT-SPI, as a user would.
# Usage: run.sh BUILD_DIR (as root, the session runs as a user of its own)
set -uo pipefail
source "$(dirname "$0")/../session.sh"
session_begin gnome "${1:?usage: $0 BUILD_DIR}"
session_env+=(XDG_CURRENT_DESKTOP=GNOME XDG_SESSION_DESKTOP=gnome)

# gnome-shell ends its start-up without a system bus; an empty one will do.
start_bus_and_media --system-bus
service shell gnome-shell --headless --wayland --no-x11 --virtual-monitor 1280x800 \
    --wayland-display wayland-0
wait_name org.gnome.Mutter.RemoteDesktop || exit 1
service portal-gnome /usr/libexec/xdg-desktop-portal-gnome
start_portal
wait_name org.freedesktop.portal.Desktop || exit 1

# The shell ends its start-up in the Overview, which hides the windows.
overview() {  # Get | Set VALUE
    as_user gdbus call --session --dest org.gnome.Shell --object-path /org/gnome/Shell \
        --method "org.freedesktop.DBus.Properties.$1" org.gnome.Shell OverviewActive ${2:+"$2"} \
        2>/dev/null
}
for _ in $(seq 100); do overview Get | grep -q true && break; sleep 0.1; done
for _ in $(seq 100); do
    overview Set '<false>' >/dev/null
    overview Get | grep -q false && break
    sleep 0.2
done
window target || exit 1
# A headless seat has no pointer or keyboard until a remote session gives it them.
service devices python3 "$stage/apps/mutter_devices.py"
poll 600 "the pointer and keyboard" grep -qs '^ready' "$runtime_dir/devices.log" || exit 1

picture "$out/patch.png"
# The same as a 24-bit picture, which searches refuse.
convert "$out/patch.png" "PNG24:$out/patch24.png"
chown "$user_name:" "$out/patch24.png"

# consent MODE SECONDS: answers the dialog in the background; consent_done waits for it.
consent() {
    as_user python3 "$stage/apps/atspi_driver.py" "$@" >"$out/consent.log" 2>&1 &
    consent_pid=$!
}
consent_done() { wait "$consent_pid"; }

screen=0,0,1280,800
consent accept 60
cli find find --picture "$out/patch.png" --area $screen --count 20 --interval 200 --click \
    --abort-on-match --all
check "find --click exits 0 (exit $rc: $(cat "$out/find.err"))" test "$rc" = 0
check "the consent dialog was accepted" consent_done
check "the window was clicked at the patch centre" saw "$out/target.log" "press 1 380 260"
check "and released there" saw "$out/target.log" "release 1 380 260"
# The window is fullscreen: the patch sits on the screen where it sits in the window.
check "the stream's pixels match the patch at one place only" \
    test "$(grep '^Match at' "$out/find.out" | sort -u)" = "Match at 300,200"

consent accept 60
cli explain explain --picture "$out/patch.png" --area $screen
check "explain exits 0 (exit $rc)" test "$rc" = 0
check "the dialog was accepted for explain" consent_done
check "every pixel of the frame under the patch is the patch's" \
    has "$out/explain.out" "^Closest match at 300,200 needs deviation 0,0,0$"

# A picture the search refuses is refused before the desktop is asked for access.
consent absent 5
cli refused find --picture "$out/patch24.png" --area $screen
check "a 24-bit picture is refused with exit 2 (exit $rc)" test "$rc" = 2
check "and no consent dialog showed ($(cat "$out/consent.log"))" consent_done

consent decline 60
cli declined find --picture "$out/patch.png" --area $screen --click
check "a declined dialog ends the CLI with exit 2 (exit $rc: $(cat "$out/declined.err"))" \
    test "$rc" = 2
check "the dialog was declined" consent_done
check "the CLI says the desktop declined screen access" \
    has "$out/declined.err" "declined screen access"
check "and does not blame DISPLAY" lacks "$out/declined.err" DISPLAY

# The window: a profile set to find the patch and click it, the consent
# dialog it opens as it starts accepted, a run started with `quorvane-cli toggle`.
profile
consent accept 60
service app env QRV_PLATFORM=portal "$stage/quorvane"
check "the window's consent dialog was accepted" consent_done
check "the window shows" as_user python3 "$stage/apps/atspi_driver.py" shown quorvane 60
# A fullscreen window of the patch over it: the run finds the patch there.
window gui-target || exit 1
toggled=no
for _ in $(seq 600); do
    as_user "$stage/quorvane-cli" toggle >/dev/null 2>&1 && { toggled=yes; break; }
    sleep 0.1
done
check "the window took the start request" test $toggled = yes
check "the window's run clicked the patch centre" saw "$out/gui-target.log" "press 1 380 260"
check "and released it there" saw "$out/gui-target.log" "release 1 380 260"

# Keys, text, the other buttons and the wheel; every command asks for consent.
service accepter bash -c "while :; do python3 '$stage/apps/atspi_driver.py' accept 600; done"
input_checks
kill -TERM -- "-$last"

session_summary gnome
