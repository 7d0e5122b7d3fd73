# Sourced by the scripts that need a private X server.
# start_xvfb GEOMETRY: starts Xvfb on a display number the server picks itself
# (it takes the number's lock file atomically, so scripts and other servers
# running beside it never collide), waits until it accepts connections and
# exports DISPLAY. XVFB_PID holds the server's process id.
start_xvfb() {
    local geometry=$1 numfile
    numfile=$(mktemp)
    Xvfb -displayfd 3 -screen 0 "$geometry" -noreset -nolisten tcp +extension RANDR \
        3>"$numfile" >/dev/null 2>&1 &
    XVFB_PID=$!
    local n=""
    for _ in $(seq 400); do
        n=$(tr -dc '0-9' <"$numfile")
        [ -n "$n" ] && break
        kill -0 "$XVFB_PID" 2>/dev/null || break
        sleep 0.05
    done
    rm -f "$numfile"
    if [ -z "$n" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        echo "Xvfb did not start" >&2
        return 1
    fi
    export DISPLAY=":$n"
}
