// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cerrno>
#include <limits>
#include <signal.h>

#include <QtGlobal>

namespace linvox {

// Whether a process with this id may be running, as lock files name their owners (Unix only).
// An id that no process can have — zero, negative, beyond the 32 bits of a process id — never
// runs: cut to 32 bits, 4294967297 would name process 1. A process of another user runs too.
inline bool ProcessMayRun(qint64 processId) {
    if (processId <= 0 || processId > std::numeric_limits<pid_t>::max()) {
        return false;
    }
    return ::kill(static_cast<pid_t>(processId), 0) == 0 || errno != ESRCH;
}

}  // namespace linvox
