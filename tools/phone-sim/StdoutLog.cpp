// SPDX-License-Identifier: GPL-3.0-or-later
#include "StdoutLog.h"

#include <array>
#include <cinttypes>
#include <cstdio>

namespace linvox::phonesim {
namespace {

// Printable ASCII stays as it is; other bytes and the backslash become \xNN.
std::string escapeNonPrintable(std::string_view text) {
    std::string escaped;
    for (const char character : text) {
        const auto byte = static_cast<unsigned char>(character);
        if (byte >= 0x20 && byte < 0x7f && byte != '\\') {
            escaped += character;
            continue;
        }
        std::array<char, 5> hex{};
        std::snprintf(hex.data(), hex.size(), "\\x%02X", byte);
        escaped += hex.data();
    }
    return escaped;
}

}  // namespace

void StdoutLog::deviceReady(const std::string& devicePath) {
    std::printf("%s\n", devicePath.c_str());
    std::fflush(stdout);
}

void StdoutLog::commandReceived(std::int64_t monotonicNanoseconds, std::string_view command) {
    std::printf("%" PRId64 " %s\n", monotonicNanoseconds, escapeNonPrintable(command).c_str());
    std::fflush(stdout);
}

}  // namespace linvox::phonesim
