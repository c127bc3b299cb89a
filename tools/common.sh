# SPDX-FileCopyrightText: 2026 The Velkaro developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by the run, test and benchmark commands: install what is missing,
# configure and build, and start private services that are stopped on exit.

set -euo pipefail

VELKARO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
VELKARO_BUILD=${VELKARO_BUILD:-$VELKARO_ROOT/build}

# What building the program and its data needs, and the music font its
# staff is drawn with.
BUILD_PACKAGES=(cmake g++ make ninja-build pkg-config
    qt6-base-dev qt6-multimedia-dev libqt6sql6-sqlite qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
    # Qt Charts for the progress window; its CMake package needs Qt OpenGL's.
    qt6-charts-dev libqt6opengl6-dev
    libqt6multimedia6 fonts-dejavu-core librsvg2-bin
    fluidsynth fluidr3mono-gm-soundfont
    lilypond-fonts
    # Named with RtMidi, or apt would pick JACK 1's libjack-dev and remove jackd2.
    libjack-jackd2-dev librtmidi-dev libasound2-dev)
# What the tests need on top: a sound server, format and packaging checks,
# a virtual display with a window manager, a JACK server for MIDI, a
# PostgreSQL server and Qt's driver for it for the class's server, and what
# making and checking the Debian package needs.
TEST_PACKAGES=(pulseaudio pulseaudio-utils clang-format desktop-file-utils appstream groff-base
    valgrind
    xvfb openbox xdotool sqlite3
    jackd2
    libqt6sql6-psql postgresql-15
    git
    dpkg-dev
    file
    lintian)

log() { printf '== %s\n' "$*" >&2; }

# Installs the named Debian packages that are not installed yet; nothing when all are.
ensure_packages() {
    local missing=()
    local p
    for p in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$p")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    log "installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# Configures the tree in $1 with extra cmake arguments after it, unless it
# has a build file already. A configure that failed (a package was missing,
# say) leaves a cache but no build file: the next run configures again
# instead of failing until the folder is deleted.
configure_tree() {
    local dir=$1
    shift
    if [ ! -f "$dir/build.ninja" ]; then
        cmake -S "$VELKARO_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
    fi
}

# Configures as above and builds everything in the tree in $1.
build_tree() {
    configure_tree "$@"
    cmake --build "$1" --parallel "$(nproc)"
}

# A private runtime folder for the services below; everything started here
# is stopped, and the folder removed, when the calling script exits.
VELKARO_PIDS=()
VELKARO_RUNTIME=
# Stops what was started so far; the runtime folder stays for what follows.
stop_processes() {
    local pid
    for pid in "${VELKARO_PIDS[@]}"; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    VELKARO_PIDS=()
}
stop_services() {
    stop_processes
    [ -n "$VELKARO_RUNTIME" ] && rm -rf "$VELKARO_RUNTIME"
    return 0
}
use_private_runtime() {
    [ -n "$VELKARO_RUNTIME" ] && return 0
    VELKARO_RUNTIME=$(mktemp -d)
    export XDG_RUNTIME_DIR=$VELKARO_RUNTIME
    trap stop_services EXIT
}

# A sound server with a silent sink named "out", whose monitor can be recorded.
start_sound_server() {
    use_private_runtime
    log "starting a private sound server"
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit --log-target=stderr \
        --system=false --use-pid-file=false \
        -L module-native-protocol-unix \
        -L "module-null-sink sink_name=out sink_properties=device.description=OutSink" \
        2>"$VELKARO_RUNTIME/pulseaudio.log" &
    VELKARO_PIDS+=($!)
    local _
    for _ in $(seq 100); do
        pactl info >/dev/null 2>&1 && return 0
        sleep 0.05
    done
    cat "$VELKARO_RUNTIME/pulseaudio.log" >&2
    return 1
}

# JACK keeps a list of its servers in shared memory, room for eight. A
# server that was killed stays in it, and once it is full no server starts
# ("Too many servers already active"). While no JACK server runs at all,
# whatever JACK left in /dev/shm is stale: clear the current user's.
clear_stale_jack_state() {
    pgrep -x jackd >/dev/null 2>&1 && return 0
    find /dev/shm -maxdepth 1 -user "$(id -u)" \
        \( -name 'jack-shm-registry' -o -name 'jack_db-*' -o -name 'jack-[0-9]*' \
        -o -name 'jack_sem.*' \) -exec rm -rf {} + 2>/dev/null || true
}

# A virtual display (1920x1080 unless a size such as 1366x768 is given)
# with a window manager: matchbox, which makes every window fill the screen,
# unless "openbox" is given, which frames windows and maximises those that
# ask. Xvfb writes its display number once it accepts clients; without that
# number nothing after this would have a screen, so stop here and say why.
start_virtual_display() {
    local size=${1:-1920x1080} wm=${2:-matchbox}
    use_private_runtime
    log "starting a virtual display of $size"
    : >"$VELKARO_RUNTIME/display"
    Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp \
        3>"$VELKARO_RUNTIME/display" 2>"$VELKARO_RUNTIME/xvfb.log" &
    local xvfb=$!
    VELKARO_PIDS+=("$xvfb")
    local _
    for _ in $(seq 200); do
        [ -s "$VELKARO_RUNTIME/display" ] && break
        kill -0 "$xvfb" 2>/dev/null || break
        sleep 0.05
    done
    if [ ! -s "$VELKARO_RUNTIME/display" ]; then
        log "the virtual display (Xvfb) did not start; its messages:"
        cat "$VELKARO_RUNTIME/xvfb.log" >&2
        return 1
    fi
    export DISPLAY=":$(head -n 1 "$VELKARO_RUNTIME/display")"
    if [ "$wm" = openbox ]; then
        openbox --sm-disable >/dev/null 2>&1 &
    else
        matchbox-window-manager -use_titlebar no >/dev/null 2>&1 &
    fi
    VELKARO_PIDS+=($!)
}
