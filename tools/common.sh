# SPDX-FileCopyrightText: 2026 The Velkaro developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by run.sh and test.sh: install what is missing, configure and build.

set -euo pipefail

VELKARO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
VELKARO_BUILD=${VELKARO_BUILD:-$VELKARO_ROOT/build}

# What building the program and its data needs.
BUILD_PACKAGES=(cmake g++ make ninja-build pkg-config
    qt6-base-dev qt6-multimedia-dev qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
    libqt6multimedia6 fonts-dejavu-core librsvg2-bin
    fluidsynth fluidr3mono-gm-soundfont)
# What the tests need on top: a sound server, format and packaging checks.
TEST_PACKAGES=(pulseaudio pulseaudio-utils clang-format desktop-file-utils appstream groff-base)

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

# Configures (once) and builds the tree in $1 with extra cmake arguments after it.
build_tree() {
    local dir=$1
    shift
    if [ ! -f "$dir/CMakeCache.txt" ]; then
        cmake -S "$VELKARO_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
    fi
    cmake --build "$dir" --parallel "$(nproc)"
}
