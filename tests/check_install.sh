#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Velkaro developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build tree $2 with cmake $1 into a fresh prefix, checks that
# everything a desktop needs is there, and that the installed program,
# started by its bare name with no configuration, finds its data. The probe
# $3 runs the program's own start-up code from the installed bin folder.
set -euo pipefail
cmake=$1
build=$2
probe=$3

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
"$cmake" --install "$build" --prefix "$prefix" >/dev/null

missing=0
expect() {
    local f
    for f in "$@"; do
        if [ ! -f "$prefix/$f" ]; then
            echo "not installed: $f"
            missing=1
        fi
    done
}
expect bin/velkaro \
    share/velkaro/pics/velkaro.png \
    share/velkaro/help/html/velkaro.html \
    share/applications/org.velkaro.Velkaro.desktop \
    share/metainfo/org.velkaro.Velkaro.metainfo.xml \
    share/man/man1/velkaro.1.gz \
    share/doc/velkaro/copyright \
    share/icons/hicolor/scalable/apps/org.velkaro.Velkaro.svg
for size in 16 22 24 32 48 64 128 256; do
    expect "share/icons/hicolor/${size}x${size}/apps/org.velkaro.Velkaro.png"
done
[ "$missing" -eq 0 ] || exit 1
[ -x "$prefix/bin/velkaro" ] || { echo "bin/velkaro is not executable"; exit 1; }

desktop=$prefix/share/applications/org.velkaro.Velkaro.desktop
complaints=$(desktop-file-validate "$desktop" 2>&1) || true
[ -z "$complaints" ] || { echo "desktop-file-validate: $complaints"; exit 1; }
appstreamcli validate --no-net --strict "$prefix/share/metainfo/org.velkaro.Velkaro.metainfo.xml"

# The desktop starts the program under the name in Exec=, and that name
# picks the manual; the icon it names must be in the theme.
exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
icon_name=$(sed -n 's/^Icon=//p' "$desktop")
[ -f "$prefix/share/icons/hicolor/scalable/apps/$icon_name.svg" ] ||
    { echo "the desktop entry names icon '$icon_name', which is not installed"; exit 1; }

cp "$probe" "$prefix/bin/"
# Started by its bare name, as the menu does, and by its full path, as a
# shell or another launcher may: both find the manual.
for invocation in "$exec_name" "$prefix/bin/$exec_name"; do
    env -u QPEDIR PATH="$prefix/bin:$PATH" QT_QPA_PLATFORM=offscreen \
        "$(basename "$probe")" "$prefix" "$invocation"
done

# The installed program itself comes up by its bare name and stays up
# until it is stopped.
status=0
env -u QPEDIR PATH="$prefix/bin:$PATH" QT_QPA_PLATFORM=offscreen \
    timeout -s TERM 3 "$exec_name" || status=$?
if [ "$status" -ne 124 ]; then
    echo "the installed $exec_name ended by itself with status $status"
    exit 1
fi
echo "installation complete and working"
