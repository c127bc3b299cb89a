# SPDX-FileCopyrightText: 2026 The Velkaro developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Read by cpack before it packs. Every file in the package gets the time of
# the changelog's newest entry, as Debian's own package builds do, so that
# the same sources give the same package whenever they are built.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
    execute_process(
        COMMAND dpkg-parsechangelog --file ${CPACK_VELKARO_CHANGELOG} --show-field Timestamp
        OUTPUT_VARIABLE timestamp
        OUTPUT_STRIP_TRAILING_WHITESPACE
        COMMAND_ERROR_IS_FATAL ANY)
    set(ENV{SOURCE_DATE_EPOCH} "${timestamp}")
endif()
