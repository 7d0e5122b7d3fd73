#!/usr/bin/env bash
# End-to-end checks of `quorvane-cli colours`: list order, summary, export.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib/harness.sh"

# Black, white and red in the top row, blue and green below: the list groups
# colours by hash bucket (black, red and green share bucket 0), newest first.
convert -size 3x2 xc:black -fill white -draw 'point 1,0' -fill red -draw 'point 2,0' \
    -fill blue -draw 'point 0,1' -fill lime -draw 'point 1,1' PNG32:five.png
want=$(printf '5 Unique Colors from File five.png of Width 3, Height 2\n1\t0\t255\t0\n2\t255\t0\t0\n3\t0\t0\t0\n4\t255\t255\t255\n5\t0\t0\t255')
out=$("$cli" colours five.png --html five.html); rc=$?
[ "$rc" = 0 ] || fail "colours exited $rc"
[ "$out" = "$want" ] || fail "colours printed
$out"
# The page itself is checked byte for byte by the core's tests.
[ "$(grep -o '<tr>' five.html | wc -l)" = 6 ] || fail "expected a header row and five colour rows"

# A summary character outside ISO 8859-1 cannot be written: clear error, no file.
cp five.png 'five€.png'
"$cli" colours 'five€.png' --html euro.html >/dev/null 2>err.txt; rc=$?
[ "$rc" = 1 ] || fail "non-Latin-1 export exited $rc"
[ -s err.txt ] || fail "non-Latin-1 export gave no message"
[ ! -e euro.html ] || fail "non-Latin-1 export left a file"
[ -z "$(ls -A | grep -v -e five -e err.txt)" ] || fail "temporary files left: $(ls -A)"

# Bad input, including files that are not regular files (a FIFO without a
# writer, a device that never ends): refused at once.
mkfifo fifo.png
for args in "" "missing.png" "five.png --html" "five.png extra.png" "five.png --bogus" \
    "fifo.png" "/dev/zero" "."; do
    # shellcheck disable=SC2086
    timeout -s KILL 60 "$cli" colours $args >/dev/null 2>&1; rc=$?
    [ "$rc" = 2 ] || fail "colours $args exited $rc, expected 2"
done

# A new page takes 0644 less the umask (links and old pages: the core's tests).
for mask in 022 077 000; do
    (umask "$mask" && "$cli" colours five.png --html "new$mask.html" >/dev/null) ||
        fail "--html under umask $mask exited $?"
    [ "$(stat -c %a "new$mask.html")" = "$(printf '%o' $((0644 & ~8#$mask)))" ] ||
        fail "--html under umask $mask left mode $(stat -c %a "new$mask.html")"
done

# Failures say what happened in words, after the product's message.
"$cli" colours missing.png 2>err.txt >/dev/null
grep -q "Error 80004005" err.txt && grep -q "The file does not exist." err.txt ||
    fail "a missing image is not said to be missing: $(cat err.txt)"
"$cli" colours five.png --html no-such-folder/page.html 2>err.txt >/dev/null
grep -q "No such file or directory" err.txt || fail "no reason for a missing folder: $(cat err.txt)"
# A full disk, where a private mount can be made.
if unshare -rm true 2>/dev/null; then
    mkdir full
    unshare -rm sh -c 'mount -t tmpfs -o size=16k tmpfs full &&
        (head -c 1M /dev/zero >full/filler 2>/dev/null; true) && "$1" colours five.png --html full/p.html' \
        sh "$cli" >/dev/null 2>err.txt
    grep -q "No space left on device" err.txt || fail "a full disk is not named: $(cat err.txt)"
else
    echo "no private mounts: the full-disk case is skipped"
fi

summary
