// SPDX-License-Identifier: GPL-3.0-or-later
#include "FloodText.h"

namespace linvox::phonesim {
namespace {

constexpr std::string_view kFloodLine = "+FLOOD: 0123456789 ABCDEFGHIJKLMNOPQRSTUVWXYZ\r\n";
constexpr std::size_t kWriteSize = 4096;

}  // namespace

FloodText::FloodText() : m_lineLength(kFloodLine.size()) {
    while (m_repeatedLines.size() < kWriteSize + m_lineLength)
        m_repeatedLines += kFloodLine;
}

std::string_view FloodText::next() const {
    return std::string_view(m_repeatedLines).substr(m_offset, kWriteSize);
}

void FloodText::consumed(std::size_t byteCount) {
    m_offset = (m_offset + byteCount) % m_lineLength;
}

}  // namespace linvox::phonesim
