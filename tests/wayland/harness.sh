# What both end-to-end Wayland scripts start with: the test windows' folder,
# a private working folder, the windows they start (killed on exit), and a
# check counter. Sourced from beside the script (the suite copies both).
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
