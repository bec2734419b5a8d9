// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cerrno>
#include <string>
#include <system_error>

namespace linvox::phonesim {

// Turns the current errno into an exception that names the failed action.
[[noreturn]] inline void throwSystemError(const std::string& action) {
    throw std::system_error(errno, std::generic_category(), action);
}

}  // namespace linvox::phonesim
