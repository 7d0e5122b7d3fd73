# What the end-to-end Wayland scripts start with: the test windows' folder,
# a private working folder, the processes they start (killed on exit), a
# check counter and the waits they share. Sourced from beside the script (the
# suite copies both).
apps=$(cd "$(dirname "$0")" && pwd)/apps
work=$(mktemp -d)
pids=()
trap 'kill "${pids[@]}" 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
checks=0
failures=0
check() {  # description, command...
    local what=$1; shift
    checks=$((checks + 1))
    "$@" || { echo "FAIL: $what"; failures=$((failures + 1)); }
}
poll() {  # COMMAND...: true once the command succeeds, within a bound
    for _ in $(seq 400); do "$@" && return 0; sleep 0.05; done
    return 1
}
printed() { [ "$(grep -cx "$2" "$1" 2>/dev/null)" -ge "${3:-1}" ]; }
saw() { poll printed "$@"; }  # FILE LINE [COUNT]: until the line was printed COUNT times
ready() { poll grep -qs '^ready' "$1"; }  # FILE: until a window or peer printed "ready"
window() {  # TITLE LOG: a pattern window on the focused output, once drawn
    python3 "$apps/pattern_window.py" "$1" >"$2" &
    pids+=($!)
    ready "$2"
}
summary() {
    echo "$((checks - failures)) passed, $failures failed"
    [ "$failures" = 0 ]
}
