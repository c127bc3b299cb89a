#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Velkaro developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing and makes the Debian package from a fresh release
# build in build-package/, without the tests and benchmarks. The same
# sources give the same package, byte for byte: the files inside carry the
# changelog's time, and so do the resources compiled into the program.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

ensure_packages "${BUILD_PACKAGES[@]}" dpkg-dev file

dir=$VELKARO_ROOT/build-package
rm -rf "$dir"
cmake -S "$VELKARO_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DVELKARO_BENCHMARKS=OFF
SOURCE_DATE_EPOCH=$(dpkg-parsechangelog --file "$dir/packaging/changelog" --show-field Timestamp)
export SOURCE_DATE_EPOCH
cmake --build "$dir" --parallel "$(nproc)" --target installable
(cd "$dir" && cpack -G DEB)
log "made $(ls "$dir"/velkaro_*.deb)"
