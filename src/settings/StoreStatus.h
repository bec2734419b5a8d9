// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "messages/Failure.h"

#include <optional>

namespace linvox {

// A write that the settings store took. It may come with a notice the user should read: a
// settings file that could not be read in full was put aside first (SettingsFileSetAside).
struct Stored {
    std::optional<Failure> notice;

    friend bool operator==(const Stored&, const Stored&) = default;
};

// The outcome of a write to the settings store: stored, or refused with why.
using StoreStatus = Outcome<Stored>;

}  // namespace linvox
