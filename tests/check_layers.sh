#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Velkaro developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a folder includes from one it must not know: the views never
# know the window or each other, the input sources and the learner's record
# know only the notes, the class's server side knows the notes and the
# record's value structs and no view, the progress and class windows know
# the record and the class and no other view, and the sound and help rooms
# of the platform know nothing of the program.
set -u
allowed='
app -> *
staff -> notes
keyboard -> notes
keyboard -> platform
keyboard -> platform/sound
input -> notes
progress -> notes
report -> notes
report -> progress
report -> classroom
classroom -> notes
classroom -> progress
report -> platform
platform -> platform/sound
platform -> platform/help
'
status=0
while read -r edge; do
    [ -n "$edge" ] || continue
    from=${edge%% -> *}
    if ! grep -qxF "$edge" <<<"$allowed" && ! grep -qxF "$from -> *" <<<"$allowed"; then
        echo "not allowed: $edge" >&2
        status=1
    fi
done < <(bash "$(dirname "$0")/../tools/structure.sh")
exit $status
