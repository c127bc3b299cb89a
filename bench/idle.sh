#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Velkaro developers
# SPDX-License-Identifier: GPL-3.0-or-later
# What an idle window costs: the CPU it uses over 10 s (in clock ticks, 10 ms
# each), and every system call its threads make over another 10 s, seen with
# strace. An idle window should make none: each is a wake-up. Measured with
# no JACK server, then with one started after the window (no keyboard on it).
# bench/run.sh runs it with its own sound server and display; alone, it
# starts them.
source "$(dirname "${BASH_SOURCE[0]}")/../tools/common.sh"

ensure_packages strace jackd2
bin=$VELKARO_BUILD/bin/velkaro
[ -x "$bin" ] || build_tree "$VELKARO_BUILD"
pactl info >/dev/null 2>&1 || start_sound_server
[ -n "${DISPLAY:-}" ] || start_virtual_display
trap stop_services EXIT

# The system calls that returned in 10 s, by name: each is a thread that
# woke. Calls that were waiting when strace attached and still wait when it
# lets go are left out. The trace is written outside the runtime folder,
# where the program would see it appear.
calls() {
    local trace
    trace=$(mktemp)
    timeout 10 strace -f -p "$1" -o "$trace" 2>/dev/null || true
    grep -E ' = ' "$trace" |
        sed -E 's/^[0-9]+ +//; s/^<\.\.\. ([a-z_0-9]+) resumed>.*/\1/; s/\(.*//' |
        sort | uniq -c | sort -rn | awk '{n += $1; s = s sprintf(" %s %d,", $2, $1)}
            END {printf "%d system calls in 10 s%s\n", n, n ? ":" substr(s, 1, length(s) - 1) : ""}'
    rm -f "$trace"
}

idle() {
    local pid=$1 hz before after
    hz=$(getconf CLK_TCK)
    before=$(awk '{print $14 + $15}' "/proc/$pid/stat")
    sleep 10
    after=$(awk '{print $14 + $15}' "/proc/$pid/stat")
    echo "  threads: $(cat /proc/"$pid"/task/*/comm | sort | tr '\n' ' ')"
    echo "  CPU: $((after - before)) ticks in 10 s ($((1000 / hz)) ms each)"
    echo "  $(calls "$pid")"
}

export JACK_DEFAULT_SERVER=velkaro-bench-$$ JACK_NO_START_SERVER=1
# A record of its own, away from the user's and from the runtime folder.
record=$(mktemp -d)
"$bin" --progress-file "$record/progress.sqlite" >/dev/null 2>&1 &
pid=$!
VELKARO_PIDS+=("$pid")
sleep 3 # past start-up and sample loading

log "idle window, practice mode, no JACK server"
idle "$pid"

log "the same with a JACK server started after the window"
jackd -n "$JACK_DEFAULT_SERVER" --no-realtime -d dummy -r 48000 -p 256 \
    >"$record/jackd.log" 2>&1 &
VELKARO_PIDS+=($!)
for _ in $(seq 50); do
    jack_lsp >/dev/null 2>&1 && break
    sleep 0.1
done
if jack_lsp >/dev/null 2>&1; then
    sleep 3 # found within a second or so
    idle "$pid"
else
    echo "  the JACK server did not start:"
    sed 's/^/    /' "$record/jackd.log"
fi
rm -rf "$record"
