// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <functional>

namespace linvox::testing {

// Lets the event loop run for duration, asleep between events as the window's waits are.
void RunEventsFor(std::chrono::milliseconds duration);

// Lets the event loop run until condition holds, checked every few milliseconds; false when
// timeout passes first.
bool RunEventsUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout);

}  // namespace linvox::testing
