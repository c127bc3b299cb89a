#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Velkaro developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the Debian package from the build tree $2 with cpack $1 into a
# temporary folder and checks it as a user's apt and Debian's tools see it:
# every file the program needs is inside, the version is the project's
# everywhere, Depends names what the program loads at run time, apt can
# install it here, and lintian finds no error.
# Usage: check_package.sh <cpack> <build tree> <project version>
set -euo pipefail
cpack=$1
build=$2
version=$3

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 ||
    { cat "$out/cpack.log"; exit 1; }
debs=("$out"/velkaro_"$version"_*.deb)
[ -f "${debs[0]}" ] || { echo "no velkaro_${version}_<arch>.deb made:"; ls "$out"; exit 1; }
deb=${debs[0]}
echo "made $(basename "$deb")"

failed=0
fail() {
    echo "$*"
    failed=1
}

root=$out/root
dpkg-deb --extract "$deb" "$root"
expect() {
    local f
    for f in "$@"; do
        [ -f "$root/$f" ] || fail "not in the package: /$f"
    done
}
expect usr/bin/velkaro \
    usr/share/velkaro/pics/velkaro.png \
    usr/share/velkaro/help/html/velkaro.html \
    usr/share/applications/org.velkaro.Velkaro.desktop \
    usr/share/metainfo/org.velkaro.Velkaro.metainfo.xml \
    usr/share/man/man1/velkaro.1.gz \
    usr/share/doc/velkaro/copyright \
    usr/share/doc/velkaro/changelog.gz \
    usr/share/icons/hicolor/scalable/apps/org.velkaro.Velkaro.svg
for size in 16 22 24 32 48 64 128 256; do
    expect "usr/share/icons/hicolor/${size}x${size}/apps/org.velkaro.Velkaro.png"
done
# Every third key of the piano is rendered, from A0 (MIDI 21) to C8 (108):
# C, E flat, F sharp and A of each octave. The program plays the keys
# between them from these.
pitches=(C Cs D Eb E F Fs G Gs A Bb B)
for key in $(seq 21 3 108); do
    expect "usr/share/velkaro/sounds/velkaro/${pitches[key % 12]}$((key / 12 - 1)).wav"
done
wavs=$(find "$root/usr/share/velkaro/sounds" -name '*.wav' | wc -l)
[ "$wavs" -eq 30 ] || fail "$wavs sounds in the package, not 30"

# The guide's pictures and pages travel with it: whatever it links to
# outside itself must be in the package too.
guide=$root/usr/share/velkaro/help/html/velkaro.html
if [ -f "$guide" ]; then
    for ref in $(grep -oE '(src|href)="[^"#:]+' "$guide" | sed -E 's/^[a-z]+="//' | sort -u); do
        [ -f "$(dirname "$guide")/$ref" ] || fail "the guide refers to $ref, which is not in the package"
    done
fi

# The translations are compiled into the program as resources; their
# names are stored there in UTF-16.
strings -e b "$root/usr/bin/velkaro" >"$out/names"
for language in de fr; do
    grep -qx "velkaro_$language.qm" "$out/names" ||
        fail "the packaged program holds no velkaro_$language.qm"
done

# One version: the package's, the metainfo's newest release, the man
# page's header and the changelog's newest entry.
[ "$(dpkg-deb --field "$deb" Version)" = "$version" ] ||
    fail "package version $(dpkg-deb --field "$deb" Version), project version $version"
grep -q "<release version=\"$version\"" "$root/usr/share/metainfo/org.velkaro.Velkaro.metainfo.xml" ||
    fail "the metainfo's release is not $version"
zcat "$root/usr/share/man/man1/velkaro.1.gz" >"$out/velkaro.1"
grep -q "^\.TH VELKARO 1 .*\"Velkaro $version\"" "$out/velkaro.1" ||
    fail "the man page's header does not name version $version"
zcat "$root/usr/share/doc/velkaro/changelog.gz" >"$out/changelog"
[ "$(dpkg-parsechangelog --file "$out/changelog" --show-field Version)" = "$version" ] ||
    fail "the changelog's newest entry is not $version"

# Everything in the package carries the changelog's time, whenever it is built.
stamp=$(dpkg-parsechangelog --file "$out/changelog" --show-field Timestamp)
other=$(dpkg-deb --fsys-tarfile "$deb" | tar -t --full-time -v |
    awk -v want="$(date -u -d "@$stamp" '+%Y-%m-%d %H:%M:%S')" '$4 " " $5 != want && n++ < 3')
[ -z "$other" ] || fail "files not dated like the changelog ($stamp):
$other"

# Depends: the libraries found by dpkg-shlibdeps, and what the program
# loads at run time where the linker does not see it.
depends=$(dpkg-deb --field "$deb" Depends)
for need in libqt6widgets6 libqt6multimedia6 qt6-qpa-plugins libpulse0 qt6-translations-l10n \
    lilypond-fonts; do
    grep -qE "(^|, )$need( |,|$)" <<<"$depends" || fail "Depends lacks $need: $depends"
done

if ! apt-get install --simulate --no-install-recommends "$deb" >"$out/apt.log" 2>&1; then
    fail "apt cannot install the package:"
    cat "$out/apt.log"
fi

# lintian fails on errors, and when it cannot check at all; warnings and
# notes are printed for whoever reads the log.
if ! lintian --tag-display-limit 0 "$deb" >"$out/lintian.log" 2>&1; then
    fail "lintian:"
fi
cat "$out/lintian.log"

[ "$failed" -eq 0 ] || exit 1
echo "package complete: $(basename "$deb"), $wavs sounds; Depends: $depends"
