// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FileDescriptor.h"

namespace linvox::phonesim {

// Turns SIGTERM, SIGINT and SIGHUP into a readable descriptor for poll(), and
// ignores SIGPIPE so a closed stdout cannot kill the simulator mid-cleanup.
class TerminationSignals {
public:
    TerminationSignals();
    ~TerminationSignals();

    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    int descriptor() const { return m_readEnd.get(); }

private:
    FileDescriptor m_readEnd;
    FileDescriptor m_writeEnd;
};

}  // namespace linvox::phonesim
