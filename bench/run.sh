#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Velkaro developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the benchmarks and prints every figure: sound latency and memory,
# MIDI note-on to sound, recording an answer, paint and tap costs, start-up
# time and memory beside a bare Qt program, the progress window and export
# over a large record, a class's server at scale, and the CPU and wake-ups
# of an idle window. Runs
# against a private sound server and a virtual display, both stopped
# afterwards. Arguments go to bench_sound.
source "$(dirname "${BASH_SOURCE[0]}")/../tools/common.sh"

ensure_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}" \
    libbenchmark-dev xvfb matchbox-window-manager xdotool strace
build_tree "$VELKARO_BUILD"
bin=$VELKARO_BUILD/bin

start_sound_server
start_virtual_display
# The program records its tests: into a folder of this run, not the home's.
export XDG_DATA_HOME=$VELKARO_RUNTIME/data

log "sound: latency, loading, memory"
QT_QPA_PLATFORM=offscreen QPEDIR="$VELKARO_BUILD/share/velkaro" \
    "$VELKARO_BUILD/bench/bench_sound" "$@"

log "MIDI note-on to sound, from a keyboard on a private JACK server"
QT_QPA_PLATFORM=offscreen QPEDIR="$VELKARO_BUILD/share/velkaro" \
    "$VELKARO_BUILD/bench/bench_midi"

log "the learner's record: one answer, and a record of 100,000"
"$VELKARO_BUILD/bench/bench_record"

log "painting and tapping"
"$VELKARO_BUILD/bench/bench_paint" --benchmark_min_time=0.2

log "start-up, maximised on the virtual display"
"$bin/bench_startup" "$bin/bench_startup_velkaro" "$bin/bench_startup_bare" 7

log "the Progress window and the CSV export over 100,000 answers"
"$VELKARO_BUILD/bench/bench_progress"

log "the same as a user meets it: Ctrl+Shift+P, and velkaro --export-progress"
history=$VELKARO_RUNTIME/history.sqlite
"$VELKARO_BUILD/tests/velkaro_make_history" "$history" 100000 90
"$bin/velkaro" --progress-file "$history" >/dev/null 2>&1 &
shown=$!
VELKARO_PIDS+=("$shown")
window=$(xdotool search --sync --onlyvisible --name '^Velkaro$' | head -n 1)
sleep 2 # past start-up and sample loading
xdotool windowfocus --sync "$window"
start=$(date +%s%N)
xdotool key ctrl+shift+p
until xdotool search --onlyvisible --name 'Progress' >/dev/null; do sleep 0.01; done
echo "Ctrl+Shift+P to a visible Progress window: $(( ($(date +%s%N) - start) / 1000000 )) ms"
kill "$shown"
wait "$shown" 2>/dev/null || true
start=$(date +%s%N)
"$bin/velkaro" --progress-file "$history" --export-progress "$VELKARO_RUNTIME/out.csv"
echo "velkaro --export-progress: $(( ($(date +%s%N) - start) / 1000000 )) ms," \
    "$(wc -l <"$VELKARO_RUNTIME/out.csv") lines"

log "a class's server: the report over 40 pupils and 1,000,000 answers, sending 10,000"
"$VELKARO_BUILD/bench/bench_class"

# The CPU and the wake-ups of an idle window, with and without a JACK server.
bash "$VELKARO_ROOT/bench/idle.sh"
