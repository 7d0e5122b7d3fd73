#!/usr/bin/env bash
# Runs a command inside a private headless sway session: two outputs (1280x1024
# left of the origin, 1920x1080 at it), a session D-Bus and, with --portal,
# PipeWire, WirePlumber and the desktop portal with its wlroots backend; with
# --pipewire, PipeWire and WirePlumber only.
# sway refuses to run as root, so as root everything runs as the unprivileged
# user "qrv-wayland" (created when missing); the command and its files must be
# readable by that user. Every process started here is stopped on exit and the
# private runtime directory removed. No X server is involved.
set -euo pipefail

portal=0
pipewire=0
case "${1:-}" in
--portal) portal=1 pipewire=1; shift ;;
--pipewire) pipewire=1; shift ;;
esac
[ $# -gt 0 ] || { echo "usage: $0 [--portal|--pipewire] command..." >&2; exit 2; }

user_name=qrv-wayland
as_user=()
if [ "$(id -u)" -eq 0 ]; then
    id -u "$user_name" >/dev/null 2>&1 ||
        useradd --system --no-create-home --home-dir /nonexistent --shell /usr/sbin/nologin \
            "$user_name"
    as_user=(runuser -u "$user_name" --)
fi

runtime_dir=$(mktemp -d /tmp/qrv-wayland.XXXXXX)
chmod 700 "$runtime_dir"
[ ${#as_user[@]} -gt 0 ] && chown "$user_name:" "$runtime_dir"

# Every process started here leads a process group of its own; the cleanup
# ends each group, which takes the services the session bus started along.
groups=()
cleanup() {
    local group
    for group in "${groups[@]}"; do kill -TERM -- "-$group" 2>/dev/null || true; done
    for group in "${groups[@]}"; do
        for _ in $(seq 100); do kill -0 -- "-$group" 2>/dev/null || break; sleep 0.05; done
        kill -KILL -- "-$group" 2>/dev/null || true
    done
    rm -rf "$runtime_dir"
}
trap cleanup EXIT

mkdir -p "$runtime_dir/home/.config"
cat >"$runtime_dir/sway.conf" <<'EOF'
xwayland disable
output HEADLESS-1 mode 1280x1024 position -1280 0
output HEADLESS-2 mode 1920x1080 position 0 0
default_border none
focus_follows_mouse no
EOF
cat >"$runtime_dir/portals.conf" <<'EOF'
[screencast]
chooser_type=none
output_name=HEADLESS-2
max_fps=30
EOF
mkdir -p "$runtime_dir/home/.config/xdg-desktop-portal-wlr"
cp "$runtime_dir/portals.conf" "$runtime_dir/home/.config/xdg-desktop-portal-wlr/config"
[ ${#as_user[@]} -gt 0 ] && chown -R "$user_name:" "$runtime_dir"

session_env=(
    env -i PATH=/usr/local/bin:/usr/bin:/bin HOME="$runtime_dir/home"
    XDG_RUNTIME_DIR="$runtime_dir" XDG_CONFIG_HOME="$runtime_dir/home/.config"
    XDG_DATA_HOME="$runtime_dir/home/.local/share" XDG_CACHE_HOME="$runtime_dir/home/.cache"
    XDG_CURRENT_DESKTOP=sway XDG_SESSION_TYPE=wayland LANG=C.UTF-8
    DBUS_SESSION_BUS_ADDRESS="unix:path=$runtime_dir/bus"
)
for var in ASAN_OPTIONS UBSAN_OPTIONS TSAN_OPTIONS LSAN_OPTIONS QRV_PLATFORM; do
    [ -n "${!var:-}" ] && session_env+=("$var=${!var}")
done
# Starts a background service of the session and records it for the cleanup.
start() {
    setsid "${as_user[@]}" "${session_env[@]}" "$@" >>"$runtime_dir/services.log" 2>&1 &
    groups+=($!)
}

# Polls (bounded) until the command succeeds; else shows the services' log.
wait_for() {  # what, command...
    local what=$1; shift
    for _ in $(seq 400); do "$@" && return 0; sleep 0.05; done
    echo "$what did not start; its log:" >&2
    cat "$runtime_dir/services.log" >&2
    return 1
}
socket_named() {  # link, pattern: links the first socket of the runtime folder by that name
    local found
    found=$(find "$runtime_dir" -maxdepth 1 -name "$2" -type s -print -quit)
    [ -n "$found" ] && ln -sf "$found" "$1"
}
name_owned() {
    "${as_user[@]}" "${session_env[@]}" gdbus call --session --dest org.freedesktop.DBus \
        --object-path /org/freedesktop/DBus --method org.freedesktop.DBus.NameHasOwner "$1" \
        2>/dev/null | grep -q true
}

start dbus-daemon --session --nofork --nopidfile --address="unix:path=$runtime_dir/bus"
wait_for "the session bus" test -e "$runtime_dir/bus"

start env WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
    WLR_HEADLESS_OUTPUTS=2 sway --config "$runtime_dir/sway.conf"
# Stable names for sway's sockets (its IPC socket has its pid in the name).
wait_for sway socket_named "$runtime_dir/display" 'wayland-*'
session_env+=(WAYLAND_DISPLAY="$(basename "$(readlink "$runtime_dir/display")")"
    SWAYSOCK="$runtime_dir/sway.sock")
wait_for "sway's IPC" socket_named "$runtime_dir/sway.sock" 'sway-ipc.*.sock' || true

if [ "$pipewire" = 1 ]; then
    start pipewire
    wait_for PipeWire test -e "$runtime_dir/pipewire-0"
    start wireplumber
fi
if [ "$portal" = 1 ]; then
    start env ${QRV_XDPW_ENV:-} /usr/libexec/xdg-desktop-portal-wlr -l "${QRV_XDPW_LOGLEVEL:-WARN}"
    start /usr/libexec/xdg-desktop-portal -r
    # Tests that need a bus without a portal tell one by its name: it is there
    # before they start.
    wait_for "the desktop portal" name_owned org.freedesktop.portal.Desktop
fi

set +e
setsid "${as_user[@]}" "${session_env[@]}" "$@" &
groups+=($!)
wait "$!"
status=$?
set -e
if [ -n "${QRV_WAYLAND_LOG:-}" ]; then
    cat "$runtime_dir/services.log" >&2
fi
exit "$status"
