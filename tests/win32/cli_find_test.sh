#!/usr/bin/env bash
# quorvane-cli.exe under Wine against the Linux quorvane-cli: every matcher
# and input case gives the same exit status and standard output, and the same
# number of error lines, with file names outside ASCII too; then the Windows program finds a picture on the live
# screen, moves the cursor to it and stops a paused run on Ctrl+C.
# Usage: cli_find_test.sh LINUX_CLI WINDOWS_CLI (a command that runs the .exe)
set -uo pipefail
linux=$1
windows=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
failures=0
cases=0

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# run CLI ARGS...: "status|error lines|stdout" with the varying time as T.
run() {
    local cli=$1 out rc; shift
    out=$(timeout -s KILL 120 "$cli" find "$@" 2>stderr.txt |
        sed -E 's/^Match Found in .* at /Match Found in T at /'); rc=${PIPESTATUS[0]}
    printf '%s|%s|%s' "$rc" "$(wc -l <stderr.txt)" "$out"
}

same() {
    cases=$((cases + 1))
    local want got
    want=$(run "$linux" "$@")
    got=$(run "$windows" "$@")
    [ "$want" = "$got" ] || fail "find $*:
linux:   $want
windows: $got"
}

convert -size 300x120 xc: +noise Random -alpha set PNG32:screen.png
convert screen.png -crop 12x9+250+100 +repage PNG32:pic.png
convert screen.png -crop 12x9+250+100 +repage -negate PNG32:absent.png
convert screen.png -crop 12x9+250+100 +repage PNG24:pic24.png
convert pic.png -channel R -evaluate add 1% +channel PNG32:pic_shifted.png
convert screen.png -crop 1x1+0+0 +repage PNG32:dot.png
echo 'not an image' >broken.png
printf 'GIF89a\x80\x3e\x80\x3e\x80\0\0\0\0\0\xff\xff\xff,\0\0\0\0\1\0\1\0\0\2\2\x44\1\0;' \
    >bomb.gif

# Refused input.
same
same --picture missing.png --screen-image screen.png
same --picture pic24.png --screen-image screen.png
same --picture broken.png --screen-image screen.png
same --picture pic.png --area 0,0,0,10
same --picture pic.png --area 0,0,10,x
same --picture pic.png --screen-image screen.png --deviation 1,2
same --picture pic.png --screen-image screen.png --count -1
same --picture pic.png --screen-image screen.png --interval 12ms
same --picture pic.png --screen-image screen.png --bogus
same --picture pic.png --screen-image broken.png
same --picture pic.png --area 2147483000,0,1000,10
same --picture pic.png --screen-image screen.png --origin 2147483647,2147483647
same --picture pic.png --screen-image screen.png --area 0,0,100000,100000
same --picture pic.png --screen-image screen.png --area 0,0,301,10
same --picture pic.png --screen-image bomb.gif
# Matches, misses, areas, origins and deviations.
same --picture pic.png --screen-image screen.png
same --picture pic.png --screen-image screen.png --origin -300,-120
same --picture absent.png --screen-image screen.png --count 2
same --picture absent.png --screen-image screen.png --interval 20
same --picture pic.png --screen-image screen.png --area 0,0,200,120
same --picture pic.png --screen-image screen.png --area 240,90,60,30
same --picture pic.png --screen-image screen.png --area 251,100,11,9
same --picture pic_shifted.png --screen-image screen.png
same --picture pic_shifted.png --screen-image screen.png --deviation 1,0,0
same --picture pic_shifted.png --screen-image screen.png --deviation 2,0,0
same --picture pic_shifted.png --screen-image screen.png --deviation 3,0,0
same --picture pic_shifted.png --screen-image screen.png --deviation 3,255,255
same --picture dot.png --screen-image screen.png --count 3
same --picture screen.png --screen-image screen.png
same --picture pic.png --screen-image screen.png --count 0 --abort-on-match
same --picture pic.png --screen-image screen.png --origin -1280,0 --area 0,0,100,100
same --picture pic.png --screen-image screen.png --origin 2147482750,0
# Names outside ASCII arrive as UTF-8 arguments and reach the files.
mkdir -p 'Bilder für 测试'
cp pic.png 'Bilder für 测试/Bild-ü中.png'
cp screen.png 'écran ü.png'
same --picture 'Bilder für 测试/Bild-ü中.png' --screen-image 'écran ü.png'
same --picture 'Bilder für 测试/fehlt-ü.png' --screen-image 'écran ü.png'

# The live screen, as Wine shows the X root window: one monitor at (0, 0).
display -window root screen.png &
viewer=$!
sleep_until() {  # SECONDS COMMAND...
    local limit=$(($1 * 10)); shift
    for _ in $(seq "$limit"); do "$@" && return 0; sleep 0.1; done
    return 1
}
found_live() { "$windows" find --picture pic.png --area 0,0,400,200 >live.txt 2>&1; }
sleep_until 60 found_live || fail "the picture never appeared on the screen: $(cat live.txt)"
xdotool mousemove 5 5
out=$("$windows" find --picture pic.png --area 0,0,400,200 --move); rc=$?
[ "$rc" = 0 ] || fail "live search exited $rc: $out"
case "$out" in *" at 250,100"$'\n'"1 Found, Finished") ;; *) fail "live search: $out" ;; esac
# The centre of the 12x9 picture is (6, 4) from its corner.
loc=$(xdotool getmouselocation --shell | head -2 | tr '\n' ' ')
[ "$loc" = "X=256 Y=104 " ] || fail "cursor not at the picture's centre: $loc"
kill "$viewer" 2>/dev/null
wait "$viewer" 2>/dev/null

echo "$((cases + 1 - failures)) passed, $failures failed"
[ "$failures" = 0 ]
