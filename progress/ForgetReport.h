// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

// How forgetting the record went.
struct ForgetReport
{
    bool emptied = false; // every answer and test run is gone from the record
    // The space they took was cleared too, in the file and its journal, so
    // that no old answer can be read back from the bytes.
    bool wiped = false;
    // Files beside the record that still hold old answers: records moved
    // aside, the copy kept before an upgrade, records written again.
    QStringList copies;
};
