#!/usr/bin/env bash
# Writes the screen images and pictures that compare.sh searches, at 1080p and
# 4K: random noise, a desk-like scene (windows, text, taskbar, a notification
# with a unique icon) and three scenes that are worst cases for a matcher
# (flat, checker, stripes: the picture fails only late in its last row).
# Screens are 24-bit PNG files like screenshots; pictures are 32-bit.
# usage: make-scenes.sh [DIR]   (default: bench/oneshot/scenes)
set -euo pipefail
dir=${1:-$(dirname "$0")/scenes}
mkdir -p "$dir"
cd "$dir"
im=${IM_CONVERT:-convert}

# desk_primitives W H SEED: ImageMagick draw primitives of a desk-like scene,
# one self-contained primitive a line.
desk_primitives() {
    awk -v W="$1" -v H="$2" -v seed="$3" '
    function rnd(lo, hi) { return lo + int(rand() * (hi - lo + 1)) }
    function colour() { return sprintf("#%02X%02X%02X", rnd(0, 255), rnd(0, 255), rnd(0, 255)) }
    function box(x0, y0, x1, y1, c) { printf "fill %s rectangle %d,%d %d,%d\n", c, x0, y0, x1 - 1, y1 - 1 }
    function frame(x0, y0, x1, y1, c) {
        box(x0, y0, x1, y0 + 1, c); box(x0, y1 - 1, x1, y1, c)
        box(x0, y0, x0 + 1, y1, c); box(x1 - 1, y0, x1, y1, c)
    }
    # A line of words of 5x7 glyphs of a few strokes each, clipped at x1.
    function text(x, y, x1, ink,    words, n, s, gx, gy) {
        for (words = rnd(2, 9); words > 0 && x < x1 - 8; words--) {
            for (n = rnd(2, 9); n > 0 && x < x1 - 8; n--) {
                for (s = rnd(2, 3); s > 0; s--) {
                    gx = rnd(0, 4); gy = rnd(0, 6)
                    if (rand() < 0.5) box(x + gx, y, x + gx + 1, y + 7, ink)
                    else box(x, y + gy, x + 5, y + gy + 1, ink)
                }
                x += 7
            }
            x += 6
        }
    }
    # An icon of 4x4 random blocks: colours found nowhere else.
    function icon(x, y, s,    i, j, b) {
        b = s / 4
        for (i = 0; i < 4; i++)
            for (j = 0; j < 4; j++) box(x + i * b, y + j * b, x + (i + 1) * b, y + (j + 1) * b, colour())
        frame(x, y, x + s, y + s, "#404040")
    }
    function window(x, y, w, h,    i, lines) {
        box(x, y, x + w, y + h, rand() < 0.7 ? "#FFFFFF" : "#F0F0F0")
        box(x, y, x + w, y + 30, rand() < 0.5 ? "#2B579A" : "#217346")
        icon(x + 8, y + 7, 16)
        text(x + 36, y + 12, x + w / 2, "#FFFFFF")
        frame(x, y, x + w, y + h, "#7A7A7A")
        lines = int((h - 90) / 18)
        for (i = 0; i < lines; i++) text(x + 16, y + 50 + i * 18, x + w - 16, "#202020")
        for (i = 1; i <= 2; i++) {
            box(x + w - 90 * i, y + h - 34, x + w - 90 * i + 80, y + h - 12, "#E1E1E1")
            text(x + w - 90 * i + 8, y + h - 27, x + w - 90 * i + 76, "#202020")
        }
    }
    BEGIN {
        srand(seed)
        box(0, 0, W, H, "#2E5A8A")
        for (i = 0; i < H / 90 - 1; i++) { icon(20, 20 + i * 90, 48); text(14, 74 + i * 90, 90, "#FFFFFF") }
        for (i = 0; i < 6; i++) {
            w = int(W * rnd(30, 60) / 100); h = int(H * rnd(30, 60) / 100)
            window(rnd(120, W - w), rnd(0, H - 40 - h), w, h)
        }
        # The notification whose icon is the picture, near the bottom-right corner.
        box(W - 420, H - 190, W - 30, H - 80, "#FFFFFF")
        frame(W - 420, H - 190, W - 30, H - 80, "#7A7A7A")
        icon(W - 396, H - 150, 32)
        text(W - 348, H - 150, W - 40, "#202020")
        text(W - 348, H - 130, W - 40, "#202020")
        box(0, H - 40, W, H, "#2B2B2B")
        for (i = 0; i < 8; i++) icon(8 + i * 48, H - 36, 32)
        text(W - 90, H - 32, W - 4, "#FFFFFF")
    }'
}

for size in 1080:1920x1080 4k:3840x2160; do
    name=${size%%:*} geometry=${size#*:}
    w=${geometry%x*} h=${geometry#*x}

    "$im" -size "$geometry" xc:gray +noise Random "PNG24:noise_$name.png"
    "$im" "noise_$name.png" -crop "48x48+$((w - 300))+$((h - 140))" +repage "PNG32:noise_$name.pic.png"

    # Drawn in batches: one argument holds at most 128 KiB.
    "$im" -size "$geometry" xc:black "PNG24:desk_$name.png"
    desk_primitives "$w" "$h" 17 | split -C 120000 - draw.
    for batch in draw.*; do
        "$im" "desk_$name.png" +antialias -draw "$(cat "$batch")" "PNG24:desk_$name.png"
        rm "$batch"
    done
    "$im" "desk_$name.png" -crop "48x48+$((w - 404))+$((h - 158))" +repage "PNG32:desk_$name.pic.png"

    # Flat: one colour, its odd colour sprinkled sparsely; the flat picture's
    # only odd pixel late in its last row is never where the picture would fit.
    "$im" -size "$geometry" xc:'#9A6E3C' -fill '#F01010' \
        -draw "$(for ((y = 5; y < h; y += 97)); do for ((x = 3; x < w; x += 89)); do
            printf 'point %d,%d ' "$x" "$y"; done; done)" "PNG24:flat_$name.png"
    "$im" -size 200x120 xc:'#9A6E3C' -fill '#F01010' -draw 'point 197,119' "PNG32:flat_$name.pic.png"

    # Checker and stripes: the picture in the other phase with one pixel flipped.
    for pattern in checker:2x2:A05020 stripes:2x1:C0C0C0; do
        IFS=: read -r kind tile flipped <<<"$pattern"
        points='point 1,0'
        [ "$kind" = checker ] && points+=' point 0,1'
        "$im" -size "$tile" xc:'#A05020' -fill '#C0C0C0' -draw "$points" "PNG24:tile.png"
        "$im" -size "$geometry" tile:tile.png "PNG24:${kind}_$name.png"
        "$im" -size 201x120 tile:tile.png -crop 200x120+1+0 +repage -fill "#$flipped" \
            -draw 'point 197,119' "PNG32:${kind}_$name.pic.png"
        rm tile.png
    done
done
ls -l "$PWD"
