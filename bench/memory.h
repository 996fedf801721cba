// SPDX-FileCopyrightText: 2026 The lumo3 authors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What this process holds in memory, as Linux counts it.

#include <malloc.h>

#include <cstdio>
#include <cstring>

namespace lumo::bench {

/// A "VmHWM:" style line of /proc/self/status, in kB; -1 if it is missing.
inline long statusKb(const char *field) {
    std::FILE *status = std::fopen("/proc/self/status", "r");
    if (!status)
        return -1;
    char line[256];
    long value = -1;
    const std::size_t length = std::strlen(field);
    while (std::fgets(line, sizeof line, status)) {
        if (std::strncmp(line, field, length) == 0) {
            std::sscanf(line + length, "%ld", &value);
            break;
        }
    }
    std::fclose(status);
    return value;
}

/// The most memory this process has had resident at any time.
inline long peakMemoryKb() {
    return statusKb("VmHWM:");
}

/// The memory this process has resident now.
inline long residentKb() {
    return statusKb("VmRSS:");
}

/// Bytes the C heap has handed out and not taken back: unlike the resident
/// size, free pages that the allocator keeps do not count.
inline long heapInUseBytes() {
    return static_cast<long>(mallinfo2().uordblks);
}

} // namespace lumo::bench
