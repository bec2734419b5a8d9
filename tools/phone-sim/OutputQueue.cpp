// SPDX-License-Identifier: GPL-3.0-or-later
#include "OutputQueue.h"

#include "SystemError.h"

#include <algorithm>
#include <unistd.h>

namespace linvox::phonesim {

void OutputQueue::enqueue(std::string bytes, Clock::time_point notBefore,
                          Clock::duration gapAfterPrevious) {
    if (bytes.empty())
        return;
    // A later piece never overtakes an earlier one, e.g. echo behind a delayed answer.
    m_latestNotBefore = std::max(m_latestNotBefore + gapAfterPrevious, notBefore);
    m_pieces.push_back({std::move(bytes), m_latestNotBefore});
}

std::size_t OutputQueue::writeDue(int descriptor, Clock::time_point now) {
    std::size_t total = 0;
    // Each piece gets its own write() so pieces meant to arrive apart are not merged.
    while (hasDuePiece(now)) {
        Piece& piece = m_pieces.front();
        const ssize_t written = ::write(descriptor, piece.bytes.data(), piece.bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return total;
        if (written < 0)
            throwSystemError("writing to the pseudo-terminal");
        total += static_cast<std::size_t>(written);
        piece.bytes.erase(0, static_cast<std::size_t>(written));
        if (!piece.bytes.empty())
            return total;
        m_pieces.pop_front();
    }
    return total;
}

bool OutputQueue::hasDuePiece(Clock::time_point now) const {
    return !m_pieces.empty() && m_pieces.front().notBefore <= now;
}

std::optional<OutputQueue::Clock::time_point> OutputQueue::nextDueTime() const {
    if (m_pieces.empty())
        return std::nullopt;
    return m_pieces.front().notBefore;
}

}  // namespace linvox::phonesim
