#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Velkaro developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the benchmarks and prints every figure: sound latency and memory,
# MIDI note-on to sound, recording an answer, paint and tap costs, start-up time and memory beside
# a bare Qt program, and the CPU an idle window uses. Runs against a private sound server and a
# virtual display, both stopped afterwards. Arguments go to bench_sound.
source "$(dirname "${BASH_SOURCE[0]}")/../tools/common.sh"

ensure_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}" \
    libbenchmark-dev xvfb matchbox-window-manager
build_tree "$VELKARO_BUILD"
bin=$VELKARO_BUILD/bin

start_sound_server
start_virtual_display

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

log "CPU used by an idle window over 10 s, practice mode"
"$bin/velkaro" >/dev/null 2>&1 &
pid=$!
VELKARO_PIDS+=("$pid")
sleep 3 # past start-up and sample loading
ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
before=$(ticks)
sleep 10
after=$(ticks)
hz=$(getconf CLK_TCK)
echo "idle CPU: $(( (after - before) * 1000 / hz )) ms in 10 s (resolution $(( 1000 / hz )) ms)"
