#!/usr/bin/env bash
# Runs the screen capture benchmarks on a private Xvfb with one 3840x2160
# screen, so that both the 1080p and the 4k areas fit on the primary monitor.
# Usage: bash scripts/bench-capture.sh [path-to-quorvane-bench] [extra benchmark flags]
set -euo pipefail

bench="${1:-build-rel/bench/quorvane-bench}"
shift || true

# shellcheck source=lib/xvfb.sh
source "$(dirname "$0")/lib/xvfb.sh"
start_xvfb 3840x2160x24
trap 'kill "$XVFB_PID" 2>/dev/null || true; wait 2>/dev/null || true' EXIT

"$bench" --benchmark_filter='Capture|Memcpy|Attempt' "$@"
