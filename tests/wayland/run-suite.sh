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
cp "$build/tests/wayland/wayland_tests" "$stage/"
cp -r "$here/apps" "$stage/apps"
chmod -R a+rX "$stage"

start=$(date +%s)
bash "$here/with-sway.sh" --portal "$stage/wayland_tests"
echo "Wayland suite took $(($(date +%s) - start)) s"
