// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FileDescriptor.h"

#include <cstddef>
#include <string>

namespace linvox::phonesim {

// A raw-mode pseudo-terminal whose slave side stays open for the whole life of
// this object, so the master never sees a hang-up when clients close and reopen.
class PseudoTerminal {
public:
    PseudoTerminal();

    int masterDescriptor() const { return m_master.get(); }
    const std::string& slavePath() const { return m_slavePath; }

    // Bytes written to the master that the client has not read yet.
    std::size_t unreadBySlave() const;

    // Fills the way from the slave to the master from our own end, so that a client's writes
    // block until discardTowardsMaster.
    void fillTowardsMaster();
    void discardTowardsMaster();

    void close();

private:
    FileDescriptor m_master;
    FileDescriptor m_heldSlave;
    std::string m_slavePath;
};

}  // namespace linvox::phonesim
