# A private desktop session for the GNOME and KDE suites, sourced by their
# run.sh. As root, everything of the session runs as an unprivileged user
# (created when missing) on a private runtime folder: its own session bus,
# PipeWire, WirePlumber and the desktop portal. Each process leads a process
# group of its own; on exit every group is ended and the folder removed.
# Run as another user, it runs the session as that user. Also the suites'
# check counter and their helpers.

session_here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# session_begin NAME BUILD_DIR: user qrv-NAME (as root), runtime folder
# $runtime_dir, programs and test windows copied from BUILD_DIR to $stage.
session_begin() {
    local build=$2
    user_name=$(id -un)
    as_user_prefix=()
    if [ "$(id -u)" -eq 0 ]; then
        user_name=qrv-$1
        id -u "$user_name" >/dev/null 2>&1 ||
            useradd --system --no-create-home --home-dir /nonexistent --shell /usr/sbin/nologin \
                "$user_name"
        as_user_prefix=(runuser -u "$user_name" --)
    fi
    runtime_dir=$(mktemp -d "/tmp/qrv-$1.XXXXXX")
    stage=$runtime_dir/stage
    groups=()
    trap session_end EXIT
    trap "exit 143" TERM INT HUP
    out=$runtime_dir/out
    mkdir -p "$runtime_dir/home/.config" "$out" "$stage"
    cp "$build/src/cli/quorvane-cli" "$build/src/app/quorvane" "$build/tests/pointer_tool" "$stage/"
    cp -r "$session_here/../wayland/apps" "$stage/apps"
    cp "$session_here"/apps/*.py "$stage/apps/"
    cp -r "$session_here/../input" "$stage/input"
    chmod 700 "$runtime_dir"
    chown -R "$user_name:" "$runtime_dir"
    session_env=(
        env -i PATH=/usr/local/bin:/usr/bin:/bin HOME="$runtime_dir/home" USER="$user_name"
        XDG_RUNTIME_DIR="$runtime_dir" XDG_CONFIG_HOME="$runtime_dir/home/.config"
        XDG_DATA_HOME="$runtime_dir/home/.local/share" XDG_CACHE_HOME="$runtime_dir/home/.cache"
        XDG_SESSION_TYPE=wayland LANG=C.UTF-8 LIBGL_ALWAYS_SOFTWARE=1
        DBUS_SESSION_BUS_ADDRESS="unix:path=$runtime_dir/bus" WAYLAND_DISPLAY=wayland-0
        QT_QPA_PLATFORM=wayland QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
    )
    for var in ASAN_OPTIONS UBSAN_OPTIONS; do
        [ -n "${!var:-}" ] && session_env+=("$var=${!var}")
    done
    checks=0
    failures=0
}

# service LOG COMMAND...: a background process of the session, logging to
# $runtime_dir/LOG.log; its pid (also its process group) is in $last.
service() {
    local log=$1; shift
    setsid "${as_user_prefix[@]}" "${session_env[@]}" "$@" >>"$runtime_dir/$log.log" 2>&1 &
    last=$!
    groups+=("$last")
}

# as_user COMMAND...: runs a command of the session in the foreground.
as_user() {
    "${as_user_prefix[@]}" "${session_env[@]}" "$@"
}

# poll TIMES WHAT COMMAND...: runs COMMAND every 0.05 s until it succeeds, at
# most TIMES times; else says WHAT did not come and shows the logs.
poll() {
    local times=$1 what=$2
    shift 2
    for _ in $(seq "$times"); do
        "$@" && return 0
        sleep 0.05
    done
    echo "$what did not come; the logs:" >&2
    tail -n 20 "$runtime_dir"/*.log >&2
    return 1
}
wait_for() { poll 600 "$2" test -e "$1"; }  # PATH WHAT

# The session bus (and, with --system-bus, an empty stand-in for the system
# bus), PipeWire and WirePlumber.
start_bus_and_media() {
    service dbus dbus-daemon --session --nofork --nopidfile --address="unix:path=$runtime_dir/bus"
    wait_for "$runtime_dir/bus" "the session bus"
    if [ "${1:-}" = --system-bus ]; then
        service sysbus dbus-daemon --session --nofork --nopidfile \
            --address="unix:path=$runtime_dir/sysbus"
        wait_for "$runtime_dir/sysbus" "the stand-in system bus"
        session_env+=(DBUS_SYSTEM_BUS_ADDRESS="unix:path=$runtime_dir/sysbus")
    fi
    service pipewire pipewire
    wait_for "$runtime_dir/pipewire-0" "PipeWire"
    service wireplumber wireplumber
}

start_portal() {
    service portal /usr/libexec/xdg-desktop-portal --verbose --replace
}

# has_name NAME: the session bus has an owner for NAME.
has_name() {
    as_user gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
        --method org.freedesktop.DBus.NameHasOwner "$1" 2>/dev/null | grep -q true
}

# wait_name NAME: waits (bounded) until NAME is owned; on a loaded machine the
# shell and the portal's back ends take a minute or more.
wait_name() { poll 1800 "$1" has_name "$1"; }

# window TITLE [MONITOR]: the pattern window of the Wayland tests, fullscreen
# (on that monitor), logging its pointer events to $runtime_dir/out/TITLE.log;
# waits until it is drawn.
window() {
    service "window-$1" bash -c "exec python3 '$stage/apps/pattern_window.py' '$1' fullscreen \
        ${2:-} >'$out/$1.log' </dev/null"
    poll 600 "the window $1" grep -qs '^ready' "$out/$1.log"
}

# picture FILE: the window's patch as a 32-bit PNG.
picture() {
    as_user python3 "$stage/apps/pattern_window.py" --patch "$1"
}

# profile [KEY=VALUE...]: the window's first instance searches the first
# monitor for $out/patch.png until it finds it once, and clicks it.
profile() {
    local file="$runtime_dir/home/.config/Tolbrin/Quorvane by Tolbrin.ini"
    mkdir -p "$(dirname "$file")"
    printf '%s\n' "[Instance 2]" m_iScreenAreaLeft=0 m_iScreenAreaTop=0 \
        m_iScreenAreaWidth=1280 m_iScreenAreaHeight=800 "PictureToFindFilePath=$out/patch.png" \
        ClickOnPicture=1 SpeakText=0 AbortSearch=1 Count=0 Interval=200 "$@" >"$file"
    chown -R "$user_name:" "$runtime_dir/home"
}

# cli NAME ARGS...: quorvane-cli on the portal, output in $out/NAME.out and
# .err, exit status in $rc.
cli() {
    local name=$1; shift
    as_user env QRV_PLATFORM=portal timeout "${QRV_CLI_TIMEOUT:-120}" "$stage/quorvane-cli" "$@" \
        >"$out/$name.out" 2>"$out/$name.err"
    rc=$?
}
has() { grep -q "$2" "$1"; }  # FILE PATTERN

lacks() { ! grep -q "$2" "$1"; }

# input_checks [SKIP...]: the input checks every desktop runs, through the
# CLI on the portal, in a window of their own on the first monitor. The
# portal types characters its layout lacks as Ctrl+Shift+U and their code,
# with no keys to give out: the check of running out of spare keys is not
# for it.
input_checks() {
    as_user env QRV_PLATFORM=portal bash "$stage/input/input_checks.sh" "$stage/quorvane-cli" \
        spare-keys "$@" >"$out/input.log" 2>&1
    rc=$?
    check "keys, text, buttons and the wheel arrive: $(tr '\n' ' ' <"$out/input.log")" \
        test "$rc" = 0
}

# saw FILE LINE [COUNT]: waits (bounded) until FILE has the line COUNT times.
saw() {
    for _ in $(seq 400); do
        [ "$(grep -csx "$2" "$1")" -ge "${3:-1}" ] && return 0
        sleep 0.05
    done
    return 1
}

check() {  # description, command...
    local what=$1; shift
    checks=$((checks + 1))
    "$@" || { echo "FAIL: $what"; failures=$((failures + 1)); }
}

session_end() {
    local status=$? group
    for group in "${groups[@]}"; do kill -TERM -- "-$group" 2>/dev/null || true; done
    for group in "${groups[@]}"; do
        for _ in $(seq 100); do kill -0 -- "-$group" 2>/dev/null || break; sleep 0.05; done
        kill -KILL -- "-$group" 2>/dev/null || true
    done
    # Services the bus or the compositor started in sessions of their own.
    local pid
    for pid in $(pgrep -u "$user_name"); do
        grep -qzx "XDG_RUNTIME_DIR=$runtime_dir" "/proc/$pid/environ" 2>/dev/null &&
            kill -KILL "$pid" 2>/dev/null
    done
    if [ -n "${QRV_DESKTOP_LOG:-}" ] || [ "$status" != 0 ]; then
        tail -n 30 "$runtime_dir"/*.log "$out"/*.log "$out"/*.out "$out"/*.err >&2 2>/dev/null
    fi
    rm -rf "$runtime_dir"
    exit "$status"
}

# The summary line and the exit status of a suite.
session_summary() {
    [ -n "${QRV_DESKTOP_HOLD:-}" ] && sleep "$QRV_DESKTOP_HOLD"  # to look at the session
    echo "$1: $((checks - failures)) passed, $failures failed in $(($(date +%s) - suite_start)) s"
    [ "$failures" = 0 ]
}
suite_start=$(date +%s)
