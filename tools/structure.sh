#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Velkaro developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Prints which folder of the program includes which, one "from -> to" line per
# pair, as the picture of the code's structure. With --dot, prints the same as
# a Graphviz graph: bash tools/structure.sh --dot | dot -Tpng > structure.png
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

folders="app notes staff keyboard input progress classroom report platform platform/sound platform/help"
edges=$(
    for f in $folders; do
        [ -d "$f" ] || continue
        for file in "$f"/*.cpp "$f"/*.h; do
            [ -f "$file" ] || continue
            { grep -oE '^#include "[a-z]+(/[a-z]+)?/[A-Za-z]+\.h"' "$file" || true; } |
                sed -E 's/^#include "(.*)\/[A-Za-z]+\.h"$/\1/' |
                while read -r to; do
                    if [ "$to" != "$f" ]; then echo "$f -> $to"; fi
                done
        done
    done | sort -u
)

if [ "${1:-}" = --dot ]; then
    echo 'digraph velkaro {'
    echo '  rankdir=TB; node [shape=box];'
    printf '%s\n' "$edges" | sed -E 's/^(.*) -> (.*)$/  "\1" -> "\2";/'
    echo '}'
else
    printf '%s\n' "$edges"
fi
