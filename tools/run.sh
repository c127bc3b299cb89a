#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Velkaro developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds, and starts Velkaro.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

ensure_packages "${BUILD_PACKAGES[@]}"
# Only the program and its data: the tests and benchmarks are the test
# command's business, and would keep a first start waiting for minutes.
configure_tree "$VELKARO_BUILD"
cmake --build "$VELKARO_BUILD" --parallel "$(nproc)" --target installable

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found: run this from a desktop session (DISPLAY or WAYLAND_DISPLAY must be set)." >&2
    exit 1
fi
# The build tree is laid out like an installation; started by its bare name
# the program finds its manual, sounds and pictures as an installed one does.
export PATH="$VELKARO_BUILD/bin:$PATH"
exec velkaro "$@"
