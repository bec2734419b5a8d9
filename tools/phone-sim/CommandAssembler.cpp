// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandAssembler.h"

#include <utility>

namespace linvox::phonesim {

std::optional<std::string> CommandAssembler::feed(char byte) {
    if (byte == '\r')
        return std::exchange(m_pending, {});
    if (byte != '\n')
        m_pending += byte;
    return std::nullopt;
}

}  // namespace linvox::phonesim
