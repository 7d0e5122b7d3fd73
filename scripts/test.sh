#!/usr/bin/env bash
# Builds everything the tests need and runs every test: the whole suite under
# AddressSanitizer and UndefinedBehaviorSanitizer inside a private desktop,
# and the threaded core tests under ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

echo "== formatting"
bash scripts/check-format.sh
echo "== member names"
bash scripts/check-names.sh

jobs=$(nproc)
export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/ccache}"

configure() {  # dir, extra cmake args...
    local dir=$1; shift
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQRV_WERROR=ON "$@" >/dev/null
}

configure build-asan -DQRV_SANITIZE=address,undefined -DQRV_BUILD_BENCH=OFF
cmake --build build-asan -j "$jobs"

configure build-tsan -DQRV_SANITIZE=thread -DQRV_BUILD_PLATFORM=OFF -DQRV_BUILD_BENCH=OFF
cmake --build build-tsan -j "$jobs" --target core_tests

export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export TSAN_OPTIONS=halt_on_error=1

echo "== private desktops side by side"
bash tests/scripts/with_desktop_test.sh

echo "== fuzzers, short runs"
FUZZ_SECONDS=${FUZZ_SECONDS:-15} FUZZ_SMALL_SECONDS=${FUZZ_SMALL_SECONDS:-5} bash scripts/fuzz-smoke.sh

echo "== core tests under ThreadSanitizer"
(cd build-tsan && ctest --output-on-failure -R '^core_tests$')

echo "== all tests under AddressSanitizer+UBSan, bare X server"
bash scripts/with-desktop.sh bash -c "cd build-asan && ctest --output-on-failure -j $jobs"

if [ -e build-asan/tests/platform_tests ]; then
    echo "== platform tests with a window manager"
    bash scripts/with-desktop.sh --wm bash -c 'cd build-asan && ctest --output-on-failure -R "^platform_tests$"'
fi

echo "== Debian package: made, validated and run unpacked"
bash tests/scripts/package_test.sh
echo "== Wayland backend inside a headless sway, as an unprivileged user"
bash tests/wayland/run-suite.sh build-asan
echo "== GNOME Shell and KWin sessions through the desktop portal, as unprivileged users"
bash tests/desktops/gnome/run.sh build-asan
bash tests/desktops/kde/run.sh build-asan
echo "== Windows build under Wine (skipped without the Qt kit for Windows)"
bash tests/win32/run.sh "$PWD/build-asan/src/cli/quorvane-cli"
