#!/usr/bin/env bash
# Builds the image loader fuzzer with clang and libFuzzer (under ASan and
# UBSan) in build-fuzz, seeds it with small valid files of every format it
# reads and runs it briefly. Exits non-zero when the fuzzer finds a crash.
# FUZZ_SECONDS sets the run time (default 30).
set -euo pipefail
cd "$(dirname "$0")/.."

dir=build-fuzz
seconds=${FUZZ_SECONDS:-30}
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DQRV_BUILD_FUZZ=ON -DQRV_BUILD_PLATFORM=OFF -DQRV_BUILD_APP=OFF -DQRV_BUILD_TESTS=OFF \
    -DQRV_BUILD_BENCH=OFF -DQRV_SANITIZE=address,undefined >/dev/null
cmake --build "$dir" --target image_loader_fuzz

seeds=$dir/fuzz-seeds
found=$dir/fuzz-found
rm -rf "$seeds"
mkdir -p "$seeds" "$found"
make_seed() {  # [FORMAT:]name, convert arguments...
    local out=$1; shift
    local prefix=""
    [[ $out == *:* ]] && prefix=${out%%:*}: && out=${out#*:}
    convert -size 8x6 "$@" "$prefix$seeds/$out"
}
make_seed rgb.png gradient:red-blue
make_seed PNG32:rgba.png -alpha set gradient:red-none
make_seed grey16.png gradient: -colorspace Gray -depth 16
make_seed PNG8:palette.png plasma:fractal -colors 4
make_seed colour.jpg gradient:yellow-green
make_seed grey.jpg gradient: -colorspace Gray
make_seed cmyk.jpg gradient:red-blue -colorspace CMYK
make_seed rgb.bmp gradient:red-blue
make_seed BMP3:palette.bmp gradient: -colors 16 -type Palette
make_seed gradient.gif gradient:red-blue
make_seed rgb.tiff gradient:red-blue -compress None
make_seed rgba.tiff -alpha set gradient:red-none -compress LZW

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
# The fuzzer's progress goes to a log; its summary, or the crash, is shown.
log=$dir/fuzz.log
if "$dir/fuzz/image_loader_fuzz" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -max_len=65536 -artifact_prefix="$dir/" -print_final_stats=1 "$found" "$seeds" >"$log" 2>&1; then
    grep -E '^(Done|stat::)' "$log"
else
    tail -n 60 "$log"
    exit 1
fi
