#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Velkaro developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Prints the contrast of the colours of a picture against its ground, as the
# web's accessibility guidelines measure it: the commonest colour is taken
# as the ground, and the next commonest ones are listed with their share of
# the picture and their contrast ratio (4.5:1 is enough for text, 3:1 for
# large marks). Smoothed edges give many rare colours: the common ones are
# the ink.
#
# Usage: bash tools/contrast.sh PICTURE [GEOMETRY [COUNT]]
#   GEOMETRY  a part of the picture, as ImageMagick writes it: 960x200+0+40
#   COUNT     how many colours besides the ground to list (8)
set -euo pipefail
picture=$1
geometry=${2:-}
count=${3:-8}
crop=()
[ -n "$geometry" ] && crop=(-crop "$geometry" +repage)

convert "$picture" "${crop[@]}" -alpha off -format %c histogram:info:- |
    sed -E 's/^ *([0-9]+): *\( *([0-9]+), *([0-9]+), *([0-9]+).*#([0-9A-Fa-f]{6}).*$/\1 \2 \3 \4 \5/' |
    sort -k1,1nr |
    awk -v count="$count" '
    function channel(value,    c) {
        c = value / 255
        return c <= 0.03928 ? c / 12.92 : ((c + 0.055) / 1.055) ^ 2.4
    }
    {
        pixels[NR] = $1
        lum[NR] = 0.2126 * channel($2) + 0.7152 * channel($3) + 0.0722 * channel($4)
        colour[NR] = $5
        total += $1
    }
    END {
        ground = lum[1]
        printf "ground  #%s  %5.1f%%\n", colour[1], 100 * pixels[1] / total
        for (i = 2; i <= NR && i <= count + 1; i++) {
            l = lum[i]
            ratio = l > ground ? (l + 0.05) / (ground + 0.05) : (ground + 0.05) / (l + 0.05)
            printf "ink     #%s  %5.1f%%  %5.2f:1\n", colour[i], 100 * pixels[i] / total, ratio
        }
    }'
