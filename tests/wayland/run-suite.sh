#!/usr/bin/env bash
# Runs the Wayland suite of a build directory inside a private headless sway
# (tests/wayland/with-sway.sh). The programs are copied to a folder the
# session's unprivileged user can read, wherever the build lives.
# Usage: run-suite.sh BUILD_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:?usage: $0 BUILD_DIR}" && pwd)

stage=$(mktemp -d /tmp/qrv-wayland-suite.XXXXXX)
trap 'rm -rf "$stage"' EXIT
cp "$build/tests/wayland/wayland_tests" "$build/tests/wayland/wayland_gui_tests" \
    "$build/src/cli/quorvane-cli" "$build/src/app/quorvane" \
    "$build/tests/wayland/virtual_devices" "$here/cli_find_test.sh" "$here/gui_find_test.sh" \
    "$here/portal_find_test.sh" "$here/harness.sh" "$here/input_test.sh" "$here/../input/input_checks.sh" \
    "$here/../input/input_log_window.py" "$stage/"
cp -r "$here/apps" "$stage/apps"
# The Python package and its tests, which find their windows and portal among the apps.
mkdir "$stage/python"
cp -r "$build/src/python/quorvane" "$stage/python/"
cp -r "$here/../python" "$stage/python_tests"
cp "$here/../../README.md" "$stage/python_tests/"
chmod -R a+rX "$stage"

start=$(date +%s)
# The real portal starts while the tests run and replaces any other owner of
# its name: the tests of the scripted portal run on their own below.
bash "$here/with-sway.sh" --portal "$stage/wayland_tests" \
    --gtest_filter='-PortalGlobalHotKeys*:ScriptedPortal*'
bash "$here/with-sway.sh" env QT_QPA_PLATFORM=wayland "$stage/wayland_gui_tests"
# The portal's global shortcuts and sessions against the scripted portal, where no real one runs.
bash "$here/with-sway.sh" "$stage/wayland_tests" --gtest_filter='PortalGlobalHotKeys*:ScriptedPortal*'
bash "$here/with-sway.sh" bash "$stage/cli_find_test.sh" "$stage/quorvane-cli"
bash "$here/with-sway.sh" bash "$stage/input_test.sh" "$stage/quorvane-cli"
bash "$here/with-sway.sh" bash "$stage/gui_find_test.sh" "$stage/quorvane" "$stage/quorvane-cli"
bash "$here/with-sway.sh" --pipewire bash "$stage/portal_find_test.sh" "$stage/quorvane-cli" \
    "$stage/python_tests/python.sh" "$stage/python"
bash "$here/with-sway.sh" env QRV_TEST_APPS="$stage/apps" \
    bash "$stage/python_tests/run.sh" "$stage/python" "$stage/quorvane-cli"
echo "Wayland suite took $(($(date +%s) - start)) s"
