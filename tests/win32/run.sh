#!/usr/bin/env bash
# The Windows suite: cross-builds with scripts/build-windows.sh, then runs under
# Wine, in a private prefix on a private X server, the core tests, the Win32
# backend tests, quorvane-cli.exe against the Linux program, the window and
# the capture benchmark.
# Skips with one line when the Qt kit for Windows is not there.
# Usage: bash tests/win32/run.sh [LINUX_QUORVANE_CLI]
#        (default: the one in build-asan or build-debug)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${QRV_WINDOWS_BUILD:-build-windows}

if [ -z "${QRV_QT_MINGW:-}" ] && [ ! -f ../shared/qt6-mingw.tar.xz ]; then
    echo "Windows suite skipped: no Qt kit for Windows (set QRV_QT_MINGW to qt6-mingw.tar.xz)"
    exit 0
fi
linux_cli=${1:-}
for candidate in build-asan/src/cli/quorvane-cli build-debug/src/cli/quorvane-cli; do
    [ -z "$linux_cli" ] && [ -x "$candidate" ] && linux_cli=$PWD/$candidate
done

# Passed on as an absolute folder, which the build script takes as well as a
# relative one (relative to the repository).
mkdir -p "$build"
build=$(cd "$build" && pwd)
bash scripts/build-windows.sh "$build"

tmp=$(mktemp -d)
cleanup() {
    WINEPREFIX=$tmp/wine wineserver -k 2>/dev/null || true
    [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null
    rm -rf "$tmp"
}
trap cleanup EXIT

# shellcheck source=../../scripts/lib/xvfb.sh
source scripts/lib/xvfb.sh
start_xvfb 1280x1024x24
export WINEPREFIX=$tmp/wine WINEDEBUG=-all WINEARCH=win64
# Wine reads the Unix arguments and file names in the locale's encoding.
export LC_ALL=C.UTF-8
# No offers to install Mono or Gecko: nothing here needs them.
export WINEDLLOVERRIDES="mscoree,mshtml="
wineboot -i >/dev/null 2>&1
WINEPATH=$(winepath -w "$build/dist")
export WINEPATH

# quorvane-cli.exe with the line ends of a Unix program.
cat >"$tmp/quorvane-cli" <<WRAPPER
#!/usr/bin/env bash
exec wine "$build/dist/quorvane-cli.exe" "\$@" \\
    > >(sed -u 's/\r\$//') 2> >(sed -u 's/\r\$//' >&2)
WRAPPER
chmod +x "$tmp/quorvane-cli"
# The window the input checks type into, which ends its lines as Unix does.
printf '#!/bin/sh\nexec wine "%s"\n' "$build/tests/win32/input_log_window.exe" >"$tmp/input-window"
chmod +x "$tmp/input-window"

passed=0
failed=0
step() {  # NAME COMMAND...
    echo "== Windows: $1"
    shift
    if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
}
step "core tests" wine "$build/tests/core_tests.exe" --gtest_brief=1
step "Win32 backend tests" wine "$build/tests/win32/win32_tests.exe" --gtest_brief=1
if [ -n "$linux_cli" ]; then
    step "command line against the Linux one" \
        bash tests/win32/cli_find_test.sh "$linux_cli" "$tmp/quorvane-cli"
else
    echo "== Windows: command line skipped: no Linux quorvane-cli to compare with"
fi
step "keys, text, buttons and wheel" env QRV_INPUT_WINDOW="$tmp/input-window" \
    bash tests/input/input_checks.sh "$tmp/quorvane-cli"
step "the window" bash tests/win32/gui_test.sh "$build/dist"
step "benchmark" bash tests/win32/bench_test.sh "$build/bench/quorvane-bench.exe"

echo "Windows suite: $passed passed, $failed failed"
[ "$failed" = 0 ]
