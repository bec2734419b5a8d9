// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <time.h>

namespace linvox::phonesim {

// CLOCK_MONOTONIC read directly, so benchmarks can compare with their own clock_gettime().
inline std::int64_t monotonicNanoseconds() {
    constexpr std::int64_t kNanosecondsPerSecond = 1'000'000'000;
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * kNanosecondsPerSecond + now.tv_nsec;
}

}  // namespace linvox::phonesim
