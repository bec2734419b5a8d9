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

    // Suspends the output from the slave to the master, as a phone that takes nothing holds the
    // line, so that a client's writes block until resumeTowardsMaster. Unlike a full buffer, no
    // flush can undo it: QSerialPort of Qt 6.8 flushes both ways when it opens a port.
    void suspendTowardsMaster();
    void resumeTowardsMaster();

    void close();

private:
    FileDescriptor m_master;
    FileDescriptor m_heldSlave;
    std::string m_slavePath;
};

}  // namespace linvox::phonesim
