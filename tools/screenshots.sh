#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Velkaro developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes the screenshots that the README and the user's guide show, of the
# program as a user meets it on a virtual display: maximised under a window
# manager on a 1920x1080 desktop, in practice mode and in test mode, and on
# a screen of the handheld's 240x320 pixels, and the Progress window over a
# made-up history of two months. Notes are played from the computer
# keyboard, as a user would; the answers go to a record of the script's own.
#
# Usage: bash tools/screenshots.sh [output folder]
# The folder defaults to data/help/html/images, where the guide finds them.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

out=${1:-$VELKARO_ROOT/data/help/html/images}
ensure_packages "${BUILD_PACKAGES[@]}" xvfb openbox matchbox-window-manager xdotool imagemagick
configure_tree "$VELKARO_BUILD"
cmake --build "$VELKARO_BUILD" --parallel "$(nproc)" --target installable velkaro_make_history
use_private_runtime
export XDG_DATA_HOME=$VELKARO_RUNTIME/data
mkdir -p "$out"
program=$VELKARO_BUILD/bin/velkaro

# Starts a display of size $1 with window manager $2 (see
# start_virtual_display), then the program in English with the arguments
# after those, and waits until its window is up and painted.
session() {
    start_virtual_display "$1" "$2"
    sleep 0.5
    LANGUAGE=en "$program" "${@:3}" >/dev/null 2>&1 &
    VELKARO_PIDS+=($!)
    window=$(xdotool search --sync --onlyvisible --name '^Velkaro$' | head -n 1)
    sleep 1.5 # maximised and painted
    xdotool windowfocus --sync "$window"
}

# Presses and releases each key named, a little apart.
keys() {
    local key
    for key in "$@"; do
        xdotool keydown "$key"
        sleep 0.05
        xdotool keyup "$key"
        sleep 0.25
    done
}

shoot() {
    import -window root "$VELKARO_RUNTIME/shot.png"
    convert "$VELKARO_RUNTIME/shot.png" "$@"
}

log "1920x1080, practice mode"
session 1920x1080 openbox
# C4 C#4 D4 E4 F4 G4 A4 B4, then C5 and D5 on the upper row.
keys z s x c v b n m q w
shoot -resize 50% -strip "$out/practice.png"

log "1920x1080, test mode"
keys alt+t
sleep 0.5
keys z
sleep 0.8
keys x
sleep 0.8
keys c
sleep 0.8
shoot -resize 50% -strip "$out/test.png"
stop_processes

log "240x320, the handheld's screen"
session 240x320 matchbox
keys z s x c v
shoot -strip "$out/handheld.png"
stop_processes

log "1920x1080, the Progress window"
# A learner's record in its usual place, under a home folder of its own.
export HOME=$VELKARO_RUNTIME/learner
unset XDG_DATA_HOME
mkdir -p "$HOME/.local/share/velkaro"
"$VELKARO_BUILD/tests/velkaro_make_history" "$HOME/.local/share/velkaro/progress.sqlite" 2400 60
session 1920x1080 openbox
keys ctrl+shift+p
progress=$(xdotool search --sync --onlyvisible --name 'Progress' | head -n 1)
sleep 1.5 # placed and painted
# The window with its title bar, at the screen's own size.
import -frame -window "$progress" -strip "$out/progress.png"
stop_processes

ls -l "$out"/practice.png "$out"/test.png "$out"/handheld.png "$out"/progress.png
