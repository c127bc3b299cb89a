#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Velkaro developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the benchmarks and prints every figure: sound latency and memory,
# MIDI note-on to sound, paint and tap costs, start-up time and memory beside
# a bare Qt program, and the CPU and wake-ups of an idle window. Runs against a private sound server and a
# virtual display, both stopped afterwards. Arguments go to bench_sound.
source "$(dirname "${BASH_SOURCE[0]}")/../tools/common.sh"

ensure_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}" \
    libbenchmark-dev xvfb matchbox-window-manager strace
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

log "painting and tapping"
"$VELKARO_BUILD/bench/bench_paint" --benchmark_min_time=0.2

log "start-up, maximised on the virtual display"
"$bin/bench_startup" "$bin/bench_startup_velkaro" "$bin/bench_startup_bare" 7

# The CPU and the wake-ups of an idle window, with and without a JACK server.
bash "$VELKARO_ROOT/bench/idle.sh"
