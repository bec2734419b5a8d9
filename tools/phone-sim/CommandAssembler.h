// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

namespace linvox::phonesim {

// Collects received bytes into command lines: CR ends a command, LF is ignored.
class CommandAssembler {
public:
    std::optional<std::string> feed(char byte);

private:
    std::string m_pending;
};

}  // namespace linvox::phonesim
