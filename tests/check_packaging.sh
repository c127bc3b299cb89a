#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Velkaro developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the desktop entry, the AppStream description and the man page in
# the folder $1 the way desktop tools read them. Any complaint fails.
set -euo pipefail
dir=$1

complaints=$(desktop-file-validate "$dir/org.velkaro.Velkaro.desktop" 2>&1) || true
if [ -n "$complaints" ]; then
    echo "desktop-file-validate: $complaints"
    exit 1
fi

appstreamcli validate --no-net --strict "$dir/org.velkaro.Velkaro.metainfo.xml"

complaints=$(groff -man -ww -z -Tutf8 "$dir/velkaro.1" 2>&1)
if [ -n "$complaints" ]; then
    echo "groff: $complaints"
    exit 1
fi
echo "desktop entry, metainfo and man page are valid"
