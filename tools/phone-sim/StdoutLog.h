// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace linvox::phonesim {

// What test harnesses read from stdout: the device path first, then one line
// per command as "<CLOCK_MONOTONIC nanoseconds> <escaped command text>".
class StdoutLog {
public:
    void deviceReady(const std::string& devicePath);
    void commandReceived(std::int64_t monotonicNanoseconds, std::string_view command);
};

}  // namespace linvox::phonesim
