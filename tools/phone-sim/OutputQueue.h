// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstddef>
#include <deque>
#include <optional>
#include <string>

namespace linvox::phonesim {

// Bytes waiting to be written to the device, each piece not before its time and
// always in the order queued.
class OutputQueue {
public:
    using Clock = std::chrono::steady_clock;

    // gapAfterPrevious keeps this piece at least that far behind the one queued before it.
    void enqueue(std::string bytes, Clock::time_point notBefore,
                 Clock::duration gapAfterPrevious = {});

    // Writes every due piece the non-blocking descriptor accepts; returns the bytes written.
    std::size_t writeDue(int descriptor, Clock::time_point now);

    bool empty() const { return m_pieces.empty(); }
    bool hasDuePiece(Clock::time_point now) const;
    std::optional<Clock::time_point> nextDueTime() const;

private:
    struct Piece {
        std::string bytes;
        Clock::time_point notBefore;
    };

    std::deque<Piece> m_pieces;
    Clock::time_point m_latestNotBefore{};
};

}  // namespace linvox::phonesim
