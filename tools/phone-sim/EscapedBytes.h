// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace linvox::phonesim {

// The bytes that text stands for, so that any bytes can be given on a command line: the escapes
// \r, \n, \t, \\ and \xHH (exactly two hexadecimal digits) become the byte they name, every other
// character stays. Nothing when text holds a backslash that starts none of these.
std::optional<std::string> unescapeBytes(std::string_view text);

}  // namespace linvox::phonesim
