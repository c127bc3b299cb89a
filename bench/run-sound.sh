#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Velkaro developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds and runs the sound benchmarks against a private sound server with a
# silent sink, as tools/test.sh does for the tests. Arguments go to
# bench_sound (for example --taps 100 or --no-baseline).
source "$(dirname "${BASH_SOURCE[0]}")/../tools/common.sh"

ensure_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
build_tree "$VELKARO_BUILD"

VELKARO_RUNTIME=$(mktemp -d)
export XDG_RUNTIME_DIR=$VELKARO_RUNTIME
PA_PID=
cleanup() {
    if [ -n "$PA_PID" ]; then
        kill "$PA_PID" 2>/dev/null || true
        wait "$PA_PID" 2>/dev/null || true
    fi
    rm -rf "$VELKARO_RUNTIME"
}
trap cleanup EXIT

log "starting a private sound server"
pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit --log-target=stderr \
    --system=false --use-pid-file=false \
    -L module-native-protocol-unix \
    -L "module-null-sink sink_name=out sink_properties=device.description=OutSink" \
    2>"$VELKARO_RUNTIME/pulseaudio.log" &
PA_PID=$!
for _ in $(seq 100); do
    pactl info >/dev/null 2>&1 && break
    sleep 0.05
done
pactl info >/dev/null 2>&1 || { cat "$VELKARO_RUNTIME/pulseaudio.log" >&2; exit 1; }

log "running the sound benchmarks"
QT_QPA_PLATFORM=offscreen QPEDIR="$VELKARO_BUILD/share/velkaro" \
    "$VELKARO_BUILD/bench/bench_sound" "$@"
