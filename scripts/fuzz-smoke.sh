#!/usr/bin/env bash
# Builds the fuzzers with clang and libFuzzer (under ASan and UBSan) in
# build-fuzz and runs each briefly: the image loader, seeded with small valid
# files of every format and kind it reads; the screen-image source; the
# option parser of `quorvane-cli find`, seeded with typical command lines; the
# portal's stream list, seeded with a two-monitor answer; the profile's INI
# text; and key combinations and texts to type, seeded with typical ones.
# Exits non-zero when a fuzzer finds a crash. FUZZ_SECONDS sets the image
# loader's run time (default 30), FUZZ_SMALL_SECONDS the others' (default 10).
set -euo pipefail
cd "$(dirname "$0")/.."

dir=build-fuzz
seconds=${FUZZ_SECONDS:-30}
small_seconds=${FUZZ_SMALL_SECONDS:-10}
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DQRV_BUILD_FUZZ=ON -DQRV_BUILD_PLATFORM=OFF -DQRV_BUILD_APP=OFF -DQRV_BUILD_TESTS=OFF \
    -DQRV_BUILD_BENCH=OFF -DQRV_SANITIZE=address,undefined >/dev/null
cmake --build "$dir" --target image_loader_fuzz screen_source_fuzz find_options_fuzz \
    portal_streams_fuzz ini_document_fuzz key_combo_fuzz

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
make_seed interlaced.png gradient:red-blue -interlace PNG
make_seed grey-alpha.png -alpha set gradient:white-none -colorspace Gray
make_seed PNG8:palette.png plasma:fractal -colors 4
make_seed colour.jpg gradient:yellow-green
make_seed grey.jpg gradient: -colorspace Gray
make_seed cmyk.jpg gradient:red-blue -colorspace CMYK
make_seed PNG48:rgb16.png gradient:red-blue -depth 16
make_seed PNG64:rgba16.png -alpha set gradient:red-none -depth 16
make_seed rgb.bmp gradient:red-blue
make_seed BMP3:palette.bmp gradient: -colors 16 -type Palette
make_seed BMP3:rle8.bmp gradient: -colors 16 -type Palette -compress RLE
make_seed BMP3:mono.bmp gradient: -monochrome
make_seed rgb565.bmp gradient:red-blue -define bmp:subtype=RGB565
make_seed gradient.gif gradient:red-blue
make_seed rgb.tiff gradient:red-blue -compress None
make_seed rgba.tiff -alpha set gradient:red-none -compress LZW

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
# fuzz TARGET SECONDS CORPUS_DIRS...: the fuzzer's progress goes to a log; its
# summary, or the crash, is shown.
fuzz() {
    local target=$1 time=$2; shift 2
    local log=$dir/$target.log
    echo "== $target, ${time}s"
    if "$dir/fuzz/$target" -max_total_time="$time" -timeout=10 -rss_limit_mb=2048 \
        -max_len=65536 -artifact_prefix="$dir/$target-" -print_final_stats=1 "$@" >"$log" 2>&1; then
        grep -E '^(Done|stat::)' "$log"
    else
        tail -n 60 "$log"
        return 1
    fi
}

options_seeds=$dir/options-seeds
rm -rf "$options_seeds"
mkdir -p "$options_seeds" "$dir/options-found" "$dir/screen-found"
make_args() {  # name, arguments... : one NUL-separated argument list
    local name=$1; shift
    printf '%s\0' "$@" | head -c -1 >"$options_seeds/$name"
}
make_args live --picture p.png --area -1280,0,3200,1080 --count 5 --interval 500 --click
make_args image --picture p.png --screen-image s.png --origin 2147483647,-5 --deviation 1,2,3
make_args element --picture p.png --area 0,0,1,1 --element-window W --element-name N --speak x
make_args gnu --picture=p.png --screen-image=s.png --all --max-matches=7 --json --mask-transparent -- x

fuzz image_loader_fuzz "$seconds" "$found" "$seeds"
fuzz screen_source_fuzz "$small_seconds" "$dir/screen-found"
fuzz find_options_fuzz "$small_seconds" "$dir/options-found" "$options_seeds"

# A portal's stream list as the bus carries it: two monitors, one without a position.
streams_seeds=$dir/streams-seeds
rm -rf "$streams_seeds"
mkdir -p "$streams_seeds" "$dir/streams-found"
/usr/bin/python3 -c 'import sys
from gi.repository import GLib
v = GLib.Variant("a(ua{sv})", [(7, {"size": GLib.Variant("(ii)", (1920, 1080)),
                                    "position": GLib.Variant("(ii)", (-1280, 0))}),
                               (8, {"size": GLib.Variant("(ii)", (640, 480))})])
sys.stdout.buffer.write(v.get_data_as_bytes().get_data())' >"$streams_seeds/two"
fuzz portal_streams_fuzz "$small_seconds" "$dir/streams-found" "$streams_seeds"
mkdir -p "$dir/ini-found"
fuzz ini_document_fuzz "$small_seconds" "$dir/ini-found"

keys_seeds=$dir/keys-seeds
rm -rf "$keys_seeds"
mkdir -p "$keys_seeds" "$dir/keys-found"
printf 'ctrl+shift+F9' >"$keys_seeds/combo"
printf 'alt+U+20AC+KP_Enter' >"$keys_seeds/code-point"
printf 'Grüße 日本語 😀' >"$keys_seeds/text"
fuzz key_combo_fuzz "$small_seconds" "$dir/keys-found" "$keys_seeds"
