#!/usr/bin/env bash
# End-to-end checks of `quorvane-cli find`: exit statuses, the status lines of
# a run over a screen image, actions, and a search of the live X screen.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib/harness.sh"

# expect STATUS EXPECTED_STDOUT -- ARGS...: runs the command, compares both.
expect() {
    local want_rc=$1 want_out=$2; shift 3
    local out rc
    out=$("$cli" find "$@" 2>stderr.txt | sed -E 's/^Match Found in .* at /Match Found in T at /'); rc=$?
    [ "$rc" = "$want_rc" ] || fail "find $* exited $rc, expected $want_rc ($(cat stderr.txt))"
    [ "$out" = "$want_out" ] || fail "find $*: stdout was
$out
expected
$want_out"
}

# bad_input ARGS...: exit 2 with exactly one line on stderr and nothing on stdout
# (a command still running after 60 s counts as hanging).
bad_input() {
    local out rc
    out=$(timeout -s KILL 60 "$cli" find "$@" 2>stderr.txt); rc=$?
    [ "$rc" = 2 ] || fail "find $* exited $rc, expected 2"
    [ -z "$out" ] || fail "find $* printed to stdout: $out"
    [ "$(wc -l <stderr.txt)" = 1 ] || fail "find $*: expected one error line, got: $(cat stderr.txt)"
}

convert -size 300x120 xc: +noise Random -alpha set PNG32:screen.png
convert screen.png -crop 12x9+250+100 +repage PNG32:pic.png
convert screen.png -crop 12x9+250+100 +repage -negate PNG32:absent.png
convert pic.png -channel R -evaluate add 1% +channel PNG32:pic_shifted.png
echo 'not an image' >broken.png

# Bad input: exit 2, one clear line, no run (a missing or 24-bit picture, an
# empty or short area and a negative count: consent_test.sh).
bad_input
bad_input --picture broken.png --screen-image screen.png
bad_input --picture pic.png
bad_input --picture pic.png --area 0,0,10,x
bad_input --picture pic.png --screen-image screen.png --deviation 1,2
bad_input --picture pic.png --screen-image screen.png --interval 12ms
bad_input --picture pic.png --screen-image screen.png --click
bad_input --picture pic.png --screen-image screen.png --sweep
bad_input --picture pic.png --screen-image broken.png
# Arguments and file names with line breaks stay on the one error line.
bad_input --picture pic.png --screen-image screen.png --count $'1\n2'
bad_input --picture pic.png --screen-image screen.png $'--bo\ngus'
bad_input --picture $'miss\ning.png' --screen-image screen.png
# Coordinates and sizes that cannot exist, and images that are not regular
# files or far larger than any screen: refused before a run, never crashing,
# hanging or filling the memory.
mkfifo fifo.png
printf 'GIF89a\x80\x3e\x80\x3e\x80\0\0\0\0\0\xff\xff\xff,\0\0\0\0\1\0\1\0\0\2\2\x44\1\0;' \
    >bomb.gif
[ "$(wc -c <bomb.gif)" = 35 ] || fail "the GIF bomb is not 35 bytes"
bad_input --picture pic.png --area 2147483000,0,1000,10
bad_input --picture pic.png --area 0,2147483647,1,1
bad_input --picture pic.png --screen-image screen.png --origin 2147483647,2147483647
bad_input --picture pic.png --screen-image screen.png --origin 2147483400,0
bad_input --picture pic.png --screen-image screen.png --area 0,0,100000,100000
bad_input --picture pic.png --screen-image screen.png --area 0,0,301,10
bad_input --picture pic.png --screen-image fifo.png
bad_input --picture fifo.png --screen-image screen.png
bad_input --picture pic.png --screen-image /dev/zero
bad_input --picture pic.png --screen-image bomb.gif
grep -q 'too large' stderr.txt || fail "the GIF bomb was not called too large: $(cat stderr.txt)"

# Refused from the header, never decoded: a picture larger than the area (at
# the pixel cap; a 1-bit palette with a clear colour declares 32 bits), and a
# GIF of 35 bytes on a canvas at the cap, which quorvane-cli does not read.
python3 - <<'EOF'
import struct, zlib
def chunk(kind, data):
    return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))
w, h = 16384, 8192
open('cap.png', 'wb').write(b'\x89PNG\r\n\x1a\n'
    + chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 1, 3, 0, 0, 0))
    + chunk(b'PLTE', b'\0\0\0\xff\xff\xff') + chunk(b'tRNS', b'\0')
    + chunk(b'IDAT', zlib.compress(bytes(1 + w // 8) * h, 1)) + chunk(b'IEND', b''))
EOF
printf 'GIF89a\0\x40\0\x20\x80\0\0\0\0\0\xff\xff\xff,\0\0\0\0\1\0\1\0\0\2\2\x44\1\0;' >canvas.gif
# peak_mib ARGS...: the peak resident memory of `find ARGS`, in MiB.
peak_mib() {
    python3 -c 'import resource, subprocess, sys
subprocess.run(sys.argv[1:], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
print(resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss // 1024)' "$cli" find "$@"
}
"$cli" find --picture cap.png --screen-image screen.png 2>stderr.txt; rc=$?
[ "$rc" = 2 ] || fail "a picture larger than the area exited $rc"
grep -q '^note: The Picture to Find (16384 x 8192) is larger than the Screen Search Area (300 x 120)' \
    stderr.txt || fail "a picture larger than the area: $(cat stderr.txt)"
bad_input --picture pic.png --screen-image canvas.gif
grep -q 'JPEG, GIF or TIFF' stderr.txt || fail "the GIF canvas: $(cat stderr.txt)"
for args in "--picture cap.png --screen-image screen.png" "--picture pic.png --screen-image canvas.gif"; do
    # shellcheck disable=SC2086
    peak=$(peak_mib $args)
    [ "$peak" -lt 256 ] || fail "find $args took $peak MiB"
done

# No Qt library is loaded for a search over PNG files, dlopen()ed ones
# included.
loaded=$(LD_DEBUG=files "$cli" find --picture pic.png --screen-image screen.png 2>&1 >/dev/null |
    sed -nE 's/.*file=([^ ]+).*/\1/p' | sort -u)
grep -q '^libc\.so' <<<"$loaded" || fail "the loader listed no libraries: $loaded"
qt=$(grep -i 'qt' <<<"$loaded")
[ -z "$qt" ] || fail "quorvane-cli loaded Qt: $qt"

# A run over a screen image reports like the window's status line.
# The elapsed-time part of a match line varies; expect() writes it as T.
found_at() { printf '1 Searching...\nMatch Found in T at %s\n1 Found, Finished' "$1"; }
out=$("$cli" find --picture pic.png --screen-image screen.png); rc=$?
[ "$rc" = 0 ] || fail "found picture exited $rc"
case "$out" in
    "1 Searching..."$'\n'"Match Found in "*" at 250,100"$'\n'"1 Found, Finished") ;;
    *) fail "unexpected output for a found picture: $out" ;;
esac
expect 0 "$(found_at -50,-20)" -- --picture pic.png --screen-image screen.png --origin -300,-120
expect 1 "$(printf '1 Searching...\nPicture Not Found in Screen Search Area\n2 Searching...\nPicture Not Found in Screen Search Area\n2 Finished')" \
    -- --picture absent.png --screen-image screen.png --count 2
expect 1 "$(printf '1 Searching...\nPicture Not Found in Screen Search Area\n1 Paused\n1 Finished')" \
    -- --picture absent.png --screen-image screen.png --interval 20
# An area smaller than the screen image: only its part is searched.
expect 1 "$(printf '1 Searching...\nPicture Not Found in Screen Search Area\n1 Finished')" \
    -- --picture pic.png --screen-image screen.png --area 0,0,200,120
expect 0 "$(found_at 250,100)" -- --picture pic.png --screen-image screen.png --area 240,90,60,30
# Deviation: red raised by 2 or 3 needs a red deviation of 3.
expect 1 "$(printf '1 Searching...\nPicture Not Found in Screen Search Area\n1 Finished')" \
    -- --picture pic_shifted.png --screen-image screen.png
expect 1 "$(printf '1 Searching...\nPicture Not Found in Screen Search Area\n1 Finished')" \
    -- --picture pic_shifted.png --screen-image screen.png --deviation 1,0,0
expect 0 "$(found_at 250,100)" -- --picture pic_shifted.png --screen-image screen.png --deviation 3,0,0
# Abort on match ends a run of any count after the first match.
expect 0 "$(printf '1 Searching...\nMatch Found in T at 250,100\n1 Found, Aborted')" \
    -- --picture pic.png --screen-image screen.png --count 0 --abort-on-match

# An area beside the screen image, overlapping its rows: searched as black.
expect 1 "$(printf '1 Searching...\nPicture Not Found in Screen Search Area\n1 Finished')" \
    -- --picture pic.png --screen-image screen.png --origin -1280,0 --area 0,0,100,100
expect 0 "$(found_at 2147483000,100)" \
    -- --picture pic.png --screen-image screen.png --origin 2147482750,0

# Several copies: a black 10x8 block holds the black 8x6 picture at 9
# overlapping positions, a black 8x6 block at one more, left of them.
convert -size 60x40 xc: +noise Random -fill black -draw 'rectangle 40,5 49,12' \
    -draw 'rectangle 3,30 10,35' -alpha set PNG32:copies.png
convert -size 8x6 xc:black -alpha set PNG32:black.png
all_at=$(printf '%s\n' 3,30 40,5 40,6 40,7 41,5 41,6 41,7 42,5 42,6 42,7)
match_lines() { echo "$all_at" | head -n "$1" | sed 's/^/Match at /'; }
expect 0 "$(printf '1 Searching...\nMatch Found in T at 3,30\n%s\n1 Found, Finished' "$(match_lines 10)")" \
    -- --picture black.png --screen-image copies.png --all
expect 0 "$(printf '1 Searching...\nMatch Found in T at 3,30\n%s\n1 Found, Finished' "$(match_lines 4)")" \
    -- --picture black.png --screen-image copies.png --all --max-matches 4
# In screen coordinates, within the area only.
expect 0 "$(printf '1 Searching...\nMatch Found in T at -60,-5\n%s\n1 Found, Finished' \
    "$(printf 'Match at %s\n' -60,-{5,4,3} -59,-{5,4,3} -58,-{5,4,3})")" \
    -- --picture black.png --screen-image copies.png --origin -100,-10 --area -60,-5,10,8 --all
expect 1 "$(printf '1 Searching...\nPicture Not Found in Screen Search Area\n1 Finished')" \
    -- --picture absent.png --screen-image screen.png --all
# JSON: one object per attempt instead of the status lines; the exit status as before.
json() { "$cli" find "$@" 2>stderr.txt | sed -E 's/"ms": [0-9]+(\.[0-9]+)?/"ms": T/'; }
out=$(json --picture black.png --screen-image copies.png --json --count 2)
want=$(printf '{"attempt": %d, "found": true, "x": 3, "y": 30, "ms": T}\n' 1 2)
[ "$out" = "$want" ] || fail "--json printed
$out"
out=$(json --picture black.png --screen-image copies.png --json --all --max-matches 3)
[ "$out" = '{"attempt": 1, "found": true, "x": 3, "y": 30, "ms": T, "matches": [[3, 30], [40, 5], [40, 6]]}' ] ||
    fail "--json --all printed: $out"
out=$(json --picture absent.png --screen-image screen.png --json --all); rc=${PIPESTATUS[0]}
[ "$rc" = 1 ] || fail "--json of a missing picture exited $rc"
[ "$out" = '{"attempt": 1, "found": false, "ms": T, "matches": []}' ] || fail "--json not found: $out"
"$cli" find --picture black.png --screen-image copies.png --json --all --count 3 |
    python3 -c 'import json, sys; [json.loads(line) for line in sys.stdin]' ||
    fail "--json lines do not parse as JSON"

# Transparent picture pixels match any colour only with --mask-transparent.
convert pic.png -channel A -fx '(i>=3&&i<=8&&j>=2&&j<=6)?0:1' +channel \
    -channel RGB -fx '(i>=3&&i<=8&&j>=2&&j<=6)?1-u:u' +channel PNG32:holed.png
expect 1 "$(printf '1 Searching...\nPicture Not Found in Screen Search Area\n1 Finished')" \
    -- --picture holed.png --screen-image screen.png
expect 0 "$(found_at 250,100)" -- --picture holed.png --screen-image screen.png --mask-transparent

# wait_for SECONDS COMMAND...: polls until the command succeeds; false on timeout.
wait_for() {
    local limit=$(($1 * 10)); shift
    for _ in $(seq "$limit"); do "$@" && return 0; sleep 0.1; done
    return 1
}
running() { kill -0 "$1" 2>/dev/null; }
stopped() { ! running "$1"; }

# Ctrl+C during a ten-minute pause ends the run at once, as Aborted.
"$cli" find --picture absent.png --screen-image screen.png --count 0 --interval 600000 \
    >paused.txt 2>&1 &
pid=$!
wait_for 30 grep -q '^1 Paused$' paused.txt || fail "no pause reported: $(cat paused.txt)"
kill -INT "$pid"
if wait_for 30 stopped "$pid"; then
    wait "$pid"; rc=$?
    [ "$rc" = 1 ] || fail "interrupted run exited $rc"
    [ "$(tail -n 1 paused.txt)" = "1 Aborted" ] || fail "interrupted run ended: $(cat paused.txt)"
else
    fail "Ctrl+C did not end a paused run"
    kill -KILL "$pid"
fi

# A second Ctrl+C ends the program at once, even inside a step that waits.
"$cli" find --picture pic.png --screen-image screen.png --delay 2000000000 >delayed.txt 2>&1 &
pid=$!
wait_for 30 grep -q '^Match Found' delayed.txt || fail "no match reported: $(cat delayed.txt)"
# Signals sent back to back can merge into one: press again until it ends.
interrupt() { kill -INT "$1" 2>/dev/null; stopped "$1"; }
if wait_for 30 interrupt "$pid"; then
    wait "$pid"; rc=$?
    case "$rc" in 0 | 130) ;; *) fail "run interrupted twice exited $rc" ;; esac
else
    fail "a second Ctrl+C did not end the program"
    kill -KILL "$pid"
fi

# Execute on a match: the script runs with the verb, once per match.
printf '#!/bin/sh\necho ran >>"%s/marker"\n' "$work" >action.sh
chmod +x action.sh
"$cli" find --picture pic.png --screen-image screen.png --count 2 --execute "$work/action.sh" \
    --verb OPEN >/dev/null || fail "execute run did not find the picture"
for _ in $(seq 50); do [ "$(wc -l <marker 2>/dev/null)" = 2 ] && break; sleep 0.1; done
[ "$(wc -l <marker 2>/dev/null)" = 2 ] || fail "the script did not run twice"
"$cli" find --picture pic.png --screen-image screen.png --execute "$work/action.sh" --verb runas \
    >/dev/null
sleep 0.3
[ "$(wc -l <marker)" = 2 ] || fail "an unknown verb ran the script"

# The live screen: the picture drawn as the root background, found in
# screen coordinates (the primary monitor starts at root x 1280).
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    display -window root screen.png
    xdotool mousemove 5 5
    out=$("$cli" find --picture pic.png --area -1280,0,3200,1080 --move); rc=$?
    [ "$rc" = 0 ] || fail "live search exited $rc: $out"
    case "$out" in *" at -1030,100"$'\n'"1 Found, Finished") ;; *) fail "live search: $out" ;; esac
    # The centre of the 12x9 picture is (6, 4) from its corner: root (256, 104).
    loc=$(xdotool getmouselocation --shell | head -2 | tr '\n' ' ')
    [ "$loc" = "X=256 Y=104 " ] || fail "cursor not at the picture's centre: $loc"
    expect 1 "$(printf '1 Searching...\nPicture Not Found in Screen Search Area\n1 Finished')" \
        -- --picture absent.png --area -1280,0,1280,1024
else
    echo "no X display: live screen checks skipped"
fi

summary
