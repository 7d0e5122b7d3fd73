#!/usr/bin/env bash
# Runs quorvane-bench.exe under Wine on a short schedule: the GDI capture of
# the 720p area (it fits the suite's screen) against a memcpy of the same
# bytes. Passes when the benchmarks ran, the captured pixels were the drawn
# ones (no MISMATCH) and the ratio was measured. The ratio itself is printed,
# not judged: under Wine it measures the X server and the machine's load.
# Usage: bash tests/win32/bench_test.sh BENCH_EXE
set -uo pipefail
out=$(mktemp)
trap 'rm -f "$out"' EXIT

wine "$1" --benchmark_filter='^BM_(Capture|Memcpy)/720$' --benchmark_min_time=0.05 2>&1 |
    sed -u 's/\r$//' | tee "$out"

failed=0
expect() {  # DESCRIPTION COMMAND...
    local what=$1
    shift
    if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failed=1; fi
}
expect "the captured pixels were the drawn scene" bash -c "! grep -q '^MISMATCH' '$out'"
expect "neither benchmark was skipped or failed" bash -c "! grep -q 'ERROR OCCURRED' '$out'"
expect "the capture ratio was measured" \
    grep -qE '^RATIO capture 720 vs memcpy: [0-9.]+ ms / [0-9.]+ ms' "$out"
exit "$failed"
