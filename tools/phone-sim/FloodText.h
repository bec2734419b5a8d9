// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace linvox::phonesim {

// An endless stream of text lines for flooding a client; resumes where the last
// (possibly partial) write stopped.
class FloodText {
public:
    FloodText();

    std::string_view next() const;
    void consumed(std::size_t byteCount);

private:
    std::string m_repeatedLines;
    std::size_t m_lineLength;
    std::size_t m_offset = 0;
};

}  // namespace linvox::phonesim
