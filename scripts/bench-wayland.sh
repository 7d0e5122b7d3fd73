#!/usr/bin/env bash
# Runs the Wayland capture benchmark against memcpy inside the headless sway of
# the Wayland tests (as its unprivileged user, from a readable copy).
# Usage: bash scripts/bench-wayland.sh [path-to-quorvane-bench] [extra benchmark flags]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bench=$(realpath "${1:-build-rel/bench/quorvane-bench}")
shift || true

stage=$(mktemp -d /tmp/qrv-wayland-bench.XXXXXX)
trap 'rm -rf "$stage"' EXIT
cp "$bench" "$stage/"
chmod -R a+rX "$stage"
bash "$here/tests/wayland/with-sway.sh" "$stage/quorvane-bench" \
    --benchmark_filter='Capture/wayland|Memcpy/1080' "$@"
