// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAudioDevice>
#include <QMediaDevices>
#include <QTest>

// For tests that play through the real sound server: skipped when there is
// none, but failed when the test command promised one (VELKARO_REQUIRE_SOUND=1).
#define VELKARO_REQUIRE_SOUND_SERVER()                                                             \
    do {                                                                                           \
        if (QMediaDevices::audioOutputs().isEmpty()) {                                             \
            if (qgetenv("VELKARO_REQUIRE_SOUND") == "1")                                           \
                QFAIL("VELKARO_REQUIRE_SOUND=1 but no sound server is reachable");                 \
            QSKIP("no sound server reachable");                                                    \
        }                                                                                          \
    } while (false)
