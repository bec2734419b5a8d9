// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <utility>

namespace linvox {

// The commands that use the serial line (a call, the port search and the port check) run one at a
// time: while one waits on the line with the window's events running, another one started from
// the window is refused and does nothing.
class LineCommandGuard {
public:
    // Runs command unless another command is running; returns whether it ran.
    template <typename Command>
    bool RunUnlessBusy(Command&& command) {
        if (m_busy) {
            return false;
        }
        const BusyScope scope(m_busy);
        std::forward<Command>(command)();
        return true;
    }

private:
    // Marks the guard busy for its lifetime, also when the command throws.
    struct BusyScope {
        explicit BusyScope(bool& busy) : m_flag(busy) { m_flag = true; }
        ~BusyScope() { m_flag = false; }
        BusyScope(const BusyScope&) = delete;
        BusyScope& operator=(const BusyScope&) = delete;
        bool& m_flag;
    };

    bool m_busy = false;
};

}  // namespace linvox
