#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Velkaro developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the tour of every feature, optionally under valgrind, and fails on a
# non-zero exit status or on anything printed other than the offscreen
# platform's notices about window features it lacks and the one line that
# says the machine has no MIDI system.
# Usage: check_clean_exit.sh <tour program> [valgrind]
set -u
tour=$1
mode=${2:-}
log=$(mktemp)
trap 'rm -f "$log"' EXIT

if [ "$mode" = valgrind ]; then
    valgrind --quiet --error-exitcode=99 --leak-check=full --show-leak-kinds=definite \
        --errors-for-leak-kinds=definite --num-callers=30 "$tour" 2>"$log"
else
    "$tour" 2>"$log"
fi
status=$?
noise=$(grep -v -E '^This plugin does not support |^No MIDI input: ' "$log")
if [ "$status" -ne 0 ] || [ -n "$noise" ]; then
    echo "exit status $status; printed:" >&2
    cat "$log" >&2
    exit 1
fi
echo "clean exit${mode:+ under $mode}"
