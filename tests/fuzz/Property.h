// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <cstdlib>

#include <QString>

namespace linvox::fuzzing {

// Ends the run as a finding when a property does not hold, so libFuzzer keeps the input that
// broke it. The detail says what was seen.
inline void Require(bool holds, const char* property, const QString& detail = {}) {
    if (!holds) {
        std::fprintf(stderr, "Property broken: %s\n%s\n", property, qUtf8Printable(detail));
        std::abort();
    }
}

}  // namespace linvox::fuzzing
