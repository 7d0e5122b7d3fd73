#!/usr/bin/env bash
# Runs the screen capture benchmarks on a private Xvfb with one 3840x2160
# screen, so that both the 1080p and the 4k areas fit on the primary monitor.
# Usage: bash scripts/bench-capture.sh [path-to-quorvane-bench] [extra benchmark flags]
set -euo pipefail

bench="${1:-build-rel/bench/quorvane-bench}"
shift || true

display=""
for n in $(seq 141 190); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || { echo "no free X display number" >&2; exit 1; }

Xvfb "$display" -screen 0 3840x2160x24 -noreset -nolisten tcp +extension RANDR >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true; wait 2>/dev/null || true' EXIT
export DISPLAY="$display"
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.05; done
xdpyinfo >/dev/null 2>&1 || { echo "Xvfb did not start" >&2; exit 1; }

"$bench" --benchmark_filter='Capture|Memcpy|Attempt' "$@"
