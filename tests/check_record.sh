#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Velkaro developers
# SPDX-License-Identifier: GPL-3.0-or-later
# A test answered from the computer keyboard on a virtual display, then the
# program killed: every answer judged is in the record, as it happened.
# Usage: check_record.sh <velkaro> <tst_determinism>
set -u
velkaro=$1
determinism=$2
for tool in Xvfb xdotool sqlite3; do
    command -v "$tool" >/dev/null || { echo "$tool is not installed"; exit 1; }
done
runtime=$(mktemp -d)
pids=()
cleanup() {
    kill "${pids[@]}" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$runtime"
}
trap cleanup EXIT
fail() {
    echo "$*" >&2
    exit 1
}

# The notes a fresh program shows first, as the program itself draws them.
keys=(z s x d c v) # C4 to F4 on the lower letter row
count=${#keys[@]}
mapfile -t shown < <(env QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$runtime" \
    XDG_DATA_HOME="$runtime/scratch" "$determinism" --first-notes "$count" 2>/dev/null)
[ "${#shown[@]}" -ge "$count" ] || fail "could not learn the first notes: ${shown[*]}"

Xvfb -displayfd 3 -screen 0 1366x768x24 -nolisten tcp 3>"$runtime/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 100); do
    [ -s "$runtime/display" ] && break
    sleep 0.05
done
[ -s "$runtime/display" ] || fail "the virtual display did not start"
# No window manager: none is needed to type into a window, and one that
# starts beside the program may take its window over before it is shown.
export DISPLAY=":$(head -n 1 "$runtime/display")"

log=$runtime/progress.sqlite
env -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$runtime" PULSE_SERVER=unix:/nonexistent \
    "$velkaro" --progress-file "$log" --interval 999999 >"$runtime/velkaro.log" 2>&1 &
program=$!
pids+=("$program")
window=
for _ in $(seq 300); do
    window=$(xdotool search --onlyvisible --name '^Velkaro$' 2>/dev/null | head -n 1)
    [ -n "$window" ] && break
    kill -0 "$program" 2>/dev/null || break
    sleep 0.1
done
[ -n "$window" ] || fail "no window; the program said: $(cat "$runtime/velkaro.log")"
xdotool windowfocus --sync "$window"
sleep 0.5
xdotool key alt+t # the Test button's mnemonic
Pause=0.4
for key in "${keys[@]}"; do
    sleep "$Pause"
    xdotool keydown "$key"
    xdotool keyup "$key"
done
sleep 0.5
kill -9 "$program"
wait "$program" 2>/dev/null

[ "$(sqlite3 "$log" 'PRAGMA integrity_check')" = ok ] || fail "the record is damaged"
mapfile -t rows < <(sqlite3 -separator ' ' "$log" \
    "SELECT note, flat, answer, correct, source, response_ms FROM answers ORDER BY id")
[ "${#rows[@]}" -eq "$count" ] || fail "expected $count rows, found ${#rows[@]}: ${rows[*]}"
for i in $(seq 0 $((count - 1))); do
    n=${shown[$i]}
    note=$((${n#-} + 24)) # the catalogue numbers C4 36, MIDI 60
    flat=0
    [ "$n" -lt 0 ] && flat=1
    answer=$((60 + i))
    correct=0
    [ $((answer % 12)) -eq $((note % 12)) ] && correct=1
    read -r got_note got_flat got_answer got_correct got_source got_ms <<<"${rows[$i]}"
    expected="$note $flat $answer $correct keys"
    got="$got_note $got_flat $got_answer $got_correct $got_source"
    [ "$got" = "$expected" ] || fail "row $((i + 1)): expected '$expected', found '$got'"
    # Each key came at least the pause after the note it answered.
    [ "$got_ms" -ge 300 ] || fail "row $((i + 1)): a response of $got_ms ms"
done
echo "$count answers recorded as played; all there after kill -9, and the file is sound"
