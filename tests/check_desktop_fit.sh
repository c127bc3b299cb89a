#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Velkaro developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the desktop-fit probe $1 maximised under a window manager on virtual
# screens of a laptop, a desktop and a high-density monitor, and once more
# with the grand staff on the desktop's.
set -u
probe=$1
for tool in Xvfb openbox; do
    command -v "$tool" >/dev/null || { echo "$tool is not installed"; exit 1; }
done
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT

status=0
# The last run starts with the grand staff and checks where notes stand.
for screen in 1920x1080:1: 1366x768:1: 3840x2160:2: 1920x1080:1:--grand; do
    size=${screen%%:*}
    rest=${screen#*:}
    scale=${rest%%:*}
    mode=${rest#*:}
    Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$runtime/display" 2>/dev/null &
    xvfb=$!
    for _ in $(seq 100); do
        [ -s "$runtime/display" ] && break
        sleep 0.05
    done
    if [ ! -s "$runtime/display" ]; then
        echo "the virtual display did not start"
        kill "$xvfb" 2>/dev/null
        exit 1
    fi
    display=":$(head -n 1 "$runtime/display")"
    DISPLAY=$display openbox --sm-disable >/dev/null 2>&1 &
    wm=$!
    sleep 0.5
    env -u QT_QPA_PLATFORM DISPLAY="$display" XDG_RUNTIME_DIR="$runtime" QT_SCALE_FACTOR="$scale" \
        "$probe" $mode || status=1
    kill "$wm" "$xvfb" 2>/dev/null
    wait "$wm" "$xvfb" 2>/dev/null
    : >"$runtime/display"
done
exit $status
