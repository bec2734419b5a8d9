// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <sys/resource.h>

namespace linvox::testing {

// The CPU time, user and system, that this process has used so far.
inline std::chrono::milliseconds ProcessCpuTime() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return std::chrono::milliseconds((usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000 +
                                     (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000);
}

}  // namespace linvox::testing
