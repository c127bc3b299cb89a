#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Velkaro developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes the screenshots that the README and the user's guide show, of the
# program as a user meets it on a virtual display: maximised under a window
# manager on a 1920x1080 desktop, in practice mode and in test mode, and on
# a screen of the handheld's 240x320 pixels; then all three again with the
# dark Adwaita-Dark style (the *-dark.png pictures); the result box of a
# one-minute challenge; the grand staff; reading in a key; the alto clef
# with a range of two ledger lines and the 88-key keyboard; the Progress
# window over a made-up history of two months; and last File > Class... on
# a pupil's and on the teacher's login, with a class's server of the
# script's own; light and dark. Notes are played from the computer
# keyboard, as a user would; the answers go to a record of the script's own.
#
# Usage: bash tools/screenshots.sh [output folder]
# The folder defaults to data/help/html/images, where the guide finds them.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

out=${1:-$VELKARO_ROOT/data/help/html/images}
ensure_packages "${BUILD_PACKAGES[@]}" xvfb openbox matchbox-window-manager xdotool imagemagick \
    adwaita-qt6 postgresql-15 libqt6sql6-psql sqlite3
configure_tree "$VELKARO_BUILD"
cmake --build "$VELKARO_BUILD" --parallel "$(nproc)" --target installable velkaro_make_history
use_private_runtime
export XDG_DATA_HOME=$VELKARO_RUNTIME/data
mkdir -p "$out"
program=$VELKARO_BUILD/bin/velkaro

# Starts a display of size $1 with window manager $2 (see
# start_virtual_display), then the program in English with the arguments
# after them, and waits until its window is up and painted.
session() {
    start_virtual_display "$1" "$2"
    shift 2
    sleep 0.5
    LANGUAGE=en "$program" "$@" >/dev/null 2>&1 &
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

# Saves the screen, converted as the arguments say, and prints the contrast
# of its colours against the ground at full size (see tools/contrast.sh).
shoot() {
    import -window root "$VELKARO_RUNTIME/shot.png"
    convert "$VELKARO_RUNTIME/shot.png" "$@"
    bash "$VELKARO_ROOT/tools/contrast.sh" "$VELKARO_RUNTIME/shot.png" "" 6 >&2
}

# The three pictures, named with the suffix $1, of the program started with
# the arguments after it.
shots() {
    local suffix=$1
    shift
    log "1920x1080, practice mode$suffix"
    session 1920x1080 openbox "$@"
    # C4 C#4 D4 E4 F4 G4 A4 B4, then C5 and D5 on the upper row.
    keys z s x c v b n m q w
    shoot -resize 50% -strip "$out/practice$suffix.png"

    log "1920x1080, test mode$suffix"
    keys alt+t
    sleep 0.5
    keys z
    sleep 0.8
    keys x
    sleep 0.8
    keys c
    sleep 0.8
    shoot -resize 50% -strip "$out/test$suffix.png"
    stop_processes

    log "240x320, the handheld's screen$suffix"
    session 240x320 matchbox "$@"
    keys z s x c v
    shoot -strip "$out/handheld$suffix.png"
    stop_processes
}

# The grand staff, maximised: notes from C2 to B5 on both staves, played
# with the computer keyboard's rows moved by Page Down and Page Up.
grand() {
    log "1920x1080, the grand staff"
    session 1920x1080 openbox --clef both
    # C3 E3 G3 B3 and C4 E4 G4 from C3 up; then C2 and D2; then B5 and A5.
    keys z c b m q e t Next z x Prior Prior u y
    shoot -resize 50% -strip "$out/grand.png"
    stop_processes
}

# Reading in a key: the treble staff in A major with a scale from C4 (the
# naturals where the key's sharps are left), and the grand staff in E flat
# major, light and dark.
keys_shots() {
    local suffix=$1
    shift
    log "1920x1080, A major$suffix"
    session 1920x1080 openbox --key A "$@"
    keys z s x c v b n m q w
    shoot -resize 50% -strip "$out/key-a-major$suffix.png"
    stop_processes

    log "1920x1080, the grand staff in E flat major$suffix"
    session 1920x1080 openbox --key Eb --clef both "$@"
    keys z c b m q e t Next z x Prior Prior u y
    shoot -resize 50% -strip "$out/key-e-flat-grand$suffix.png"
    stop_processes
}

# The alto clef with the range "Staff and two ledger lines" (A2 to E5),
# its notes from the lowest to the highest; and all 88 keys under the grand
# staff with a range of C1 to C7, five ledger lines out on either staff,
# played an octave at a time. Light and dark.
range_shots() {
    local suffix=$1
    shift
    log "1920x1080, the alto clef with two ledger lines$suffix"
    session 1920x1080 openbox --clef alto --range A2-E5 "$@"
    # A2 from rows at C2; C3 E3 G3 B3, D4 F4 A4 from C3; C5 and E5 from C4.
    keys Next n Prior z c b m w r y Prior q e
    shoot -resize 50% -strip "$out/alto-range$suffix.png"
    stop_processes

    log "1920x1080, the 88 keys$suffix"
    session 1920x1080 openbox --clef both --octaves 88 --range C1-C7 "$@"
    # C and G from C1 up to G6, then C7.
    keys Next Next z b q t Prior Prior z b q t Prior Prior z b q t Prior q
    shoot -resize 50% -strip "$out/piano88$suffix.png"
    stop_processes
}

# The result of a one-minute challenge, light and dark: a range of the one
# note C4, answered with its key (Z) at a reader's pace, twice with D4 (X).
# Each takes its whole minute and goes to a record of its own, so that each
# is a first best.
challenge_shot() {
    local suffix=$1
    shift
    log "1920x1080, the result of a one-minute challenge$suffix"
    session 1920x1080 openbox --range C4-C4 --challenge \
        --progress-file "$VELKARO_RUNTIME/challenge$suffix.sqlite" "$@"
    sleep 3 # the count-in
    local i
    for i in $(seq 1 33); do
        if [ "$i" = 9 ] || [ "$i" = 22 ]; then keys x; else keys z; fi
        sleep 1.45
    done
    local box
    box=$(xdotool search --sync --onlyvisible --name 'One-Minute Challenge' | head -n 1)
    sleep 1.5 # placed and painted
    # The box with its title bar, at the screen's own size.
    import -frame -window "$box" -strip "$out/challenge$suffix.png"
    bash "$VELKARO_ROOT/tools/contrast.sh" "$out/challenge$suffix.png" "" 6 >&2
    stop_processes
}

shots ""
shots -dark -style Adwaita-Dark
challenge_shot ""
challenge_shot -dark -style Adwaita-Dark
grand
keys_shots ""
keys_shots -dark -style Adwaita-Dark
range_shots ""
range_shots -dark -style Adwaita-Dark

# The Progress window, with the record in its usual place under a home
# folder of its own.
export HOME=$VELKARO_RUNTIME/learner
unset XDG_DATA_HOME
mkdir -p "$HOME/.local/share/velkaro"
"$VELKARO_BUILD/tests/velkaro_make_history" "$HOME/.local/share/velkaro/progress.sqlite" 2400 60
progress_shot() {
    local suffix=$1
    shift
    log "1920x1080, the Progress window$suffix"
    session 1920x1080 openbox "$@"
    keys ctrl+shift+p
    local progress
    progress=$(xdotool search --sync --onlyvisible --name 'Progress' | head -n 1)
    sleep 1.5 # placed and painted
    # The window with its title bar, at the screen's own size.
    import -frame -window "$progress" -strip "$out/progress$suffix.png"
    bash "$VELKARO_ROOT/tools/contrast.sh" "$out/progress$suffix.png" "" 6 >&2
    stop_processes
}
progress_shot ""
progress_shot -dark -style Adwaita-Dark

# A class's server, made as the tests make theirs (tests/PostgresServer.h):
# a cluster in a temporary folder, listening only on a Unix socket there,
# with password logins, run as the unprivileged user nobody under root. It
# is named by a service file, so that the window shows the address a pupil
# would type, and the passwords go into a pass file of its own.
pg_bin=$(find /usr/lib/postgresql -path '*/bin/postgres' | sort -V | tail -n 1 | xargs dirname)
pg_dir=$(mktemp -d)
pg_pid=
stop_class_server() {
    if [ -n "$pg_pid" ]; then
        kill -INT "$pg_pid" 2>/dev/null || true
        wait "$pg_pid" 2>/dev/null || true
    fi
    rm -rf "$pg_dir"
}
trap 'stop_class_server; stop_services' EXIT
as_server=()
if [ "$(id -u)" = 0 ]; then
    chown 65534:65534 "$pg_dir"
    as_server=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
echo admin-secret >"$pg_dir/admin-password"
chown --reference="$pg_dir" "$pg_dir/admin-password"
log "starting a class's server"
"${as_server[@]}" "$pg_bin/initdb" -D "$pg_dir/data" -U admin -A scram-sha-256 \
    --pwfile="$pg_dir/admin-password" -E UTF8 --no-locale --no-sync >"$pg_dir/initdb.log" 2>&1
"${as_server[@]}" "$pg_bin/postgres" -D "$pg_dir/data" -k "$pg_dir" -c listen_addresses= \
    -c fsync=off -p 5432 >"$pg_dir/server.log" 2>&1 &
pg_pid=$!
for _ in $(seq 300); do
    "$pg_bin/pg_isready" -q -h "$pg_dir" && break
    sleep 0.1
done
export PGPASSFILE=$pg_dir/pgpass PGSERVICEFILE=$pg_dir/services
printf '%s:5432:*:admin:admin-secret\n*:*:*:teacher:teacher-secret\n' "$pg_dir" >"$PGPASSFILE"
chmod 600 "$PGPASSFILE"
printf '[school]\nhost=%s\nport=5432\ndbname=velkaro\n' "$pg_dir" >"$PGSERVICEFILE"
psql -q "host=$pg_dir dbname=postgres user=admin" \
    -c "CREATE ROLE teacher LOGIN CREATEROLE PASSWORD 'teacher-secret'" \
    -c "CREATE DATABASE velkaro OWNER teacher"
class=postgresql:///?service=school
QT_QPA_PLATFORM=offscreen "$program" --class-setup "postgresql://teacher@/?service=school" >/dev/null

# Five pupils; four send a made-up history of their own, as the program
# sends it, and the fifth has not practised yet.
for pupil in anna bob chloe david emma; do
    password=$(QT_QPA_PLATFORM=offscreen "$program" --class-add-pupil \
        "postgresql://teacher@/?service=school" "$pupil" | sed -n 2p)
    echo "*:*:*:$pupil:$password" >>"$PGPASSFILE"
done
server_count() {
    psql -qtA "service=school user=teacher" -c "$1"
}
send_history() {
    local pupil=$1 record=$pg_dir/$1.sqlite
    shift
    log "sending $pupil's answers"
    "$VELKARO_BUILD/tests/velkaro_make_history" "$record" "$@"
    local answers
    answers=$(sqlite3 "$record" 'SELECT count(*) FROM answers')
    XDG_CONFIG_HOME=$pg_dir/config-$pupil QT_QPA_PLATFORM=offscreen "$program" \
        --progress-file "$record" --class-server "$class" --pupil "$pupil" >/dev/null 2>&1 &
    local sender=$!
    for _ in $(seq 600); do
        [ "$(server_count "SELECT count(*) FROM answers WHERE pupil = '$pupil'")" = "$answers" ] &&
            break
        sleep 0.1
    done
    kill "$sender"
    wait "$sender" || true
}
send_history anna 600 30
send_history bob 450 20
send_history chloe 720 45
send_history david 260 12

# File > Class... over the main window, on the login named, whose own
# answers are on the server already; the picture named class-$1.
class_shot() {
    local name=$1 login=$2 suffix=$3
    shift 3
    log "1920x1080, File > Class... for the $name$suffix"
    export XDG_CONFIG_HOME=$pg_dir/config-$login
    session 1920x1080 openbox --progress-file "$pg_dir/$login.sqlite" --class-server "$class" \
        --pupil "$login" "$@"
    # The File menu, opened with the mouse, then its third item.
    xdotool mousemove --window "$window" 20 10 click 1
    sleep 0.5
    keys Down Down Down Return
    local dialog
    dialog=$(xdotool search --sync --onlyvisible --name '^Class' | head -n 1)
    sleep 2 # the server's answer shown
    import -frame -window "$dialog" -strip "$out/class-$name$suffix.png"
    bash "$VELKARO_ROOT/tools/contrast.sh" "$out/class-$name$suffix.png" "" 6 >&2
    stop_processes
    unset XDG_CONFIG_HOME
}
class_shot pupil anna ""
class_shot pupil anna -dark -style Adwaita-Dark
class_shot teacher teacher ""
class_shot teacher teacher -dark -style Adwaita-Dark

ls -l "$out"/{practice,test,handheld,progress,key-a-major,key-e-flat-grand,alto-range,piano88,challenge}{,-dark}.png \
    "$out"/class-{pupil,teacher}{,-dark}.png \
    "$out/grand.png"
